#include "markup/builder/KvoMarkupObjectProperty.h"
#include "markup/builder/KvoMarkupBuilder.h"
#include "markup/builder/KvoMarkupBuilderException.h"
#include "markup/core/KvoMarkupDependencyProperty.h"
#include "markup/core/KvoMarkupType.h"
#include "markup/values/KvoMarkupString.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupObjectProperty)

CKvoMarkupObjectProperty::CKvoMarkupObjectProperty(const CKvoMarkupDependencyProperty* property)
    : m_pProperty(property)
{
}

void CKvoMarkupObjectProperty::SetContentObject(CKvoMarkupBuilder* builder, CKvoMarkupObject* content)
{
    CKvoMarkupPtr<CKvoMarkupObject> held(content);
    if (!content)
        return;
    CKvoMarkupType* valueType = m_pProperty ? m_pProperty->GetValueType() : nullptr;
    if ((valueType && content->IsKindOf(valueType)) || content->IsKindOf(CKvoMarkupString::s_type)) {
        m_value = std::move(held);
        return;
    }
    if (!m_value) {
        m_value.Reset(CKvoMarkupBuilder::CreateObject(builder ? builder->GetContext() : nullptr, valueType));
        if (!m_value) {
            CStringW message;
            message.Format(L"'%ls' property does not have a value", m_pProperty ? m_pProperty->GetName() : L"");
            ThrowMarkupBuildError(message);
        }
    }
    m_value->SetContentObject(builder, held.Detach());
}
