#include "markup/styles/KvoMarkupSetter.h"
#include "markup/core/KvoMarkupDependencyProperty.h"
#include "markup/core/KvoMarkupType.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupSetter)
IMPLEMENT_MARKUP_TYPE(CKvoMarkupSetterColection)
CKvoMarkupDependencyProperty* CKvoMarkupSetter::s_propertyProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupSetter::s_valueProperty = nullptr;

void CKvoMarkupSetter::RegisterMarkupProperties()
{
    s_propertyProperty = CKvoMarkupDependencyProperty::Register(L"Property", CKvoMarkupObject::s_type, s_type);
    s_valueProperty = CKvoMarkupDependencyProperty::Register(L"Value", CKvoMarkupObject::s_type, s_type);
}

const CKvoMarkupDependencyProperty* CKvoMarkupSetter::GetSetterProperty() const
{
    return static_cast<const CKvoMarkupDependencyProperty*>(
        MarkupDynamicCast(CKvoMarkupDependencyProperty::s_type, GetValue(s_propertyProperty)));
}

CKvoMarkupSetterColection::CKvoMarkupSetterColection() : CKvoMarkupCollection(CKvoMarkupSetter::s_type)
{
}
