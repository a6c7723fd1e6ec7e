#include "markup/builder/KvoMarkupBuilder.h"
#include "markup/builder/KvoMarkupBuilderException.h"
#include "markup/core/KvoMarkupDependencyProperty.h"
#include "markup/core/KvoMarkupPtr.h"
#include "markup/core/KvoMarkupType.h"

CKvoMarkupBuilder::CKvoMarkupBuilder(CKvoMarkupContext* context) : m_pContext(context)
{
}

CKvoMarkupObject* CKvoMarkupBuilder::ConvertValue(const CKvoMarkupDependencyProperty* property,
                                                  CKvoMarkupObject* value) const
{
    return ConvertValue(m_pContext, property, value);
}

CKvoMarkupObject* CKvoMarkupBuilder::ConvertValue(CKvoMarkupContext* context,
                                                  const CKvoMarkupDependencyProperty* property,
                                                  CKvoMarkupObject* value)
{
    const CKvoMarkupPropertyMetadata* metadata = property->GetMetadata();
    if (metadata && metadata->GetConverter()) {
        if (CKvoMarkupObject* converted = metadata->GetConverter()(context, value))
            return converted;
    }
    CKvoMarkupType* valueType = property->GetValueType();
    // The value type converts through a scratch object of its own.
    CKvoMarkupPtr<CKvoMarkupObject> scratch(valueType ? valueType->CreateObject() : nullptr);
    if (scratch) {
        if (CKvoMarkupObject* converted = scratch->ConvertFrom(value))
            return converted;
    }
    CStringW message;
    message.Format(L"Cannot convert string in attribute '%ls' to object of type '%ls'", property->GetName(),
                   CKvoMarkupType::ClassNameOf(valueType));
    ThrowMarkupBuildError(message);
}
