#include "markup/styles/KvoMarkupTrigger.h"
#include "markup/core/KvoMarkupDependencyProperty.h"
#include "markup/core/KvoMarkupType.h"
#include "markup/styles/KvoMarkupSetter.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupTrigger)
IMPLEMENT_MARKUP_TYPE(CKvoMarkupTriggerCollection)
CKvoMarkupDependencyProperty* CKvoMarkupTrigger::s_settersProperty = nullptr;

void CKvoMarkupTrigger::RegisterMarkupProperties()
{
    CKvoMarkupType::EnsureRegistered(CKvoMarkupSetter::s_type);
    CKvoMarkupSetter::s_propertyProperty->AddOwner(s_type);
    CKvoMarkupSetter::s_valueProperty->AddOwner(s_type);
    s_settersProperty =
        CKvoMarkupDependencyProperty::Register(L"Setters", CKvoMarkupSetterColection::s_type, s_type);
}

const CKvoMarkupDependencyProperty* CKvoMarkupTrigger::GetTriggerProperty() const
{
    return static_cast<const CKvoMarkupDependencyProperty*>(
        MarkupDynamicCast(CKvoMarkupDependencyProperty::s_type, GetValue(CKvoMarkupSetter::s_propertyProperty)));
}

CKvoMarkupObject* CKvoMarkupTrigger::GetTriggerValue() const
{
    return GetValue(CKvoMarkupSetter::s_valueProperty);
}

CKvoMarkupSetterColection* CKvoMarkupTrigger::GetSetters() const
{
    return static_cast<CKvoMarkupSetterColection*>(GetValue(s_settersProperty));
}

CKvoMarkupTriggerCollection::CKvoMarkupTriggerCollection() : CKvoMarkupTriggerCollection(TRUE)
{
}

CKvoMarkupTriggerCollection::CKvoMarkupTriggerCollection(BOOL parentItems)
    : CKvoMarkupCollection(CKvoMarkupTrigger::s_type, parentItems)
{
}

CKvoMarkupActiveTriggerCollection::CKvoMarkupActiveTriggerCollection() : CKvoMarkupTriggerCollection(FALSE)
{
}

BOOL CKvoMarkupActiveTriggerCollection::Contains(const CKvoMarkupObject* trigger) const
{
    for (int index = 0; index < GetCount(); ++index) {
        if (GetItem(index) == trigger)
            return TRUE;
    }
    return FALSE;
}
