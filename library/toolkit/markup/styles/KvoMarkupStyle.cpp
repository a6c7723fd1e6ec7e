#include "markup/styles/KvoMarkupStyle.h"
#include <wchar.h>
#include "markup/builder/KvoMarkupBuilder.h"
#include "markup/builder/KvoMarkupBuilderException.h"
#include "markup/core/KvoMarkupDependencyProperty.h"
#include "markup/core/KvoMarkupProperties.h"
#include "markup/core/KvoMarkupPtr.h"
#include "markup/core/KvoMarkupType.h"
#include "markup/core/KvoMarkupTypeRegistry.h"
#include "markup/elements/KvoMarkupInputElement.h"
#include "markup/styles/KvoMarkupResourceDictionary.h"
#include "markup/styles/KvoMarkupSetter.h"
#include "markup/styles/KvoMarkupTrigger.h"
#include "markup/values/KvoMarkupString.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupStyle)
CKvoMarkupDependencyProperty* CKvoMarkupStyle::s_resourcesProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupStyle::s_targetTypeProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupStyle::s_basedOnProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupStyle::s_triggersProperty = nullptr;

namespace {
const WCHAR kMissingPropertyOrValue[] = L"Must specify both Property and Value for Setter.";

// Clears a flag when the scope ends, whichever way it ends.
class FlagScope {
public:
    explicit FlagScope(BOOL& flag) : m_flag(flag) { m_flag = TRUE; }
    ~FlagScope() { m_flag = FALSE; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    BOOL& m_flag;
};

// A property named as written in a setter: "Name" on the target type, or
// "Owner.Name" on the type whose tag is Owner.
CKvoMarkupDependencyProperty* FindSetterProperty(LPCWSTR name, const CKvoMarkupType* targetType)
{
    if (const WCHAR* dot = wcschr(name, L'.')) {
        CStringW owner(name, static_cast<int>(dot - name));
        return CKvoMarkupDependencyProperty::FindProperty(dot + 1,
                                                          CKvoMarkupTypeRegistry::Instance().FindType(owner));
    }
    return CKvoMarkupDependencyProperty::FindProperty(name, targetType);
}
}

CKvoMarkupStyle::CKvoMarkupStyle()
    : m_pSetters(new CKvoMarkupSetterColection), m_bSealed(FALSE), m_pValues(nullptr), m_bSealing(FALSE),
      m_bEvaluating(FALSE)
{
    m_pSetters->SetLogicalParent(this);
}

CKvoMarkupStyle::~CKvoMarkupStyle()
{
    m_pSetters->SetLogicalParent(nullptr);
    m_pSetters->Release();
    if (m_pValues)
        m_pValues->Release();
}

void CKvoMarkupStyle::RegisterMarkupProperties()
{
    CKvoMarkupType::EnsureRegistered(CKvoMarkupSetter::s_type);
    CKvoMarkupType::EnsureRegistered(CKvoMarkupTrigger::s_type);
    s_resourcesProperty =
        CKvoMarkupDependencyProperty::Register(L"Resources", CKvoMarkupResourceDictionary::s_type, s_type);
    s_targetTypeProperty = CKvoMarkupDependencyProperty::Register(L"TargetType", CKvoMarkupType::s_type, s_type);
    s_basedOnProperty = CKvoMarkupDependencyProperty::Register(L"BasedOn", s_type, s_type);
    s_triggersProperty =
        CKvoMarkupDependencyProperty::Register(L"Triggers", CKvoMarkupTriggerCollection::s_type, s_type);
}

CKvoMarkupStyle* CKvoMarkupStyle::GetBasedOn() const
{
    return static_cast<CKvoMarkupStyle*>(GetValue(s_basedOnProperty));
}

void CKvoMarkupStyle::Seal()
{
    if (m_bSealed || m_bSealing)
        return;
    FlagScope sealing(m_bSealing);
    if (!m_pValues)
        m_pValues = new CKvoMarkupProperties(nullptr);
    SetLogicalParent(nullptr);
    if (CKvoMarkupStyle* basedOn = GetBasedOn()) {
        basedOn->Seal();
        if (basedOn->m_pValues)
            m_pValues->CopyFrom(*basedOn->m_pValues);
    }
    for (int index = 0; index < m_pSetters->GetCount(); ++index) {
        const CKvoMarkupSetter* setter = m_pSetters->GetSetter(index);
        const CKvoMarkupDependencyProperty* property = setter->GetSetterProperty();
        CKvoMarkupObject* value = setter->GetSetterValue();
        if (!property || !value)
            continue;
        value->AddRef();
        m_pValues->Set(property, value);
    }
    m_bSealed = TRUE;
}

BOOL CKvoMarkupStyle::EvaluateTriggers(CKvoMarkupInputElement* element, const CKvoMarkupDependencyProperty* property,
                                       CKvoMarkupObject* value)
{
    if (m_bEvaluating || !element)
        return FALSE;
    FlagScope evaluating(m_bEvaluating);
    BOOL activated = FALSE;
    if (CKvoMarkupStyle* basedOn = GetBasedOn())
        activated = basedOn->EvaluateTriggers(element, property, value);
    const CKvoMarkupTriggerCollection* triggers =
        static_cast<const CKvoMarkupTriggerCollection*>(GetValue(s_triggersProperty));
    for (int index = triggers ? triggers->GetCount() - 1 : -1; index >= 0; --index) {
        CKvoMarkupTrigger* trigger = triggers->GetTrigger(index);
        const CKvoMarkupDependencyProperty* triggerProperty = trigger->GetTriggerProperty();
        CKvoMarkupObject* triggerValue = trigger->GetTriggerValue();
        if (!triggerProperty || !triggerValue || (property && triggerProperty != property))
            continue;
        CKvoMarkupObject* current = property ? value : element->GetValue(triggerProperty);
        if (triggerValue->IsEqual(current) && element->ActivateTrigger(trigger))
            activated = TRUE;
    }
    return activated;
}

void CKvoMarkupStyle::SetContentObject(CKvoMarkupBuilder* builder, CKvoMarkupObject* content)
{
    if (!MarkupDynamicCast(CKvoMarkupSetter::s_type, content)) {
        CKvoMarkupObject::SetContentObject(builder, content);
        return;
    }
    // Released on every way out, a build error too.
    CKvoMarkupPtr<CKvoMarkupObject> setter(content);
    ResolveSetter(builder, setter.Get());
    m_pSetters->Add(setter.Detach());
}

BOOL CKvoMarkupStyle::HasContentObject() const
{
    return TRUE;
}

void CKvoMarkupStyle::SetPropertyObject(CKvoMarkupBuilder* builder, const CKvoMarkupDependencyProperty* property,
                                        CKvoMarkupObject* value)
{
    CKvoMarkupPtr<CKvoMarkupObject> held(value);
    const CKvoMarkupTriggerCollection* triggers =
        property == s_triggersProperty
            ? static_cast<const CKvoMarkupTriggerCollection*>(MarkupDynamicCast(CKvoMarkupTriggerCollection::s_type, value))
            : nullptr;
    for (int index = 0; triggers && index < triggers->GetCount(); ++index) {
        CKvoMarkupTrigger* trigger = triggers->GetTrigger(index);
        ResolveSetter(builder, trigger);
        const CKvoMarkupSetterColection* setters = trigger->GetSetters();
        for (int setter = 0; setters && setter < setters->GetCount(); ++setter)
            ResolveSetter(builder, setters->GetSetter(setter));
    }
    CKvoMarkupObject::SetPropertyObject(builder, property, held.Detach());
}

void CKvoMarkupStyle::ResolveSetter(CKvoMarkupBuilder* builder, CKvoMarkupObject* setter)
{
    const CKvoMarkupType* targetType = static_cast<const CKvoMarkupType*>(GetValue(s_targetTypeProperty));
    CKvoMarkupObject* named = setter->GetValue(CKvoMarkupSetter::s_propertyProperty);
    if (!named)
        ThrowMarkupBuildError(kMissingPropertyOrValue);
    CKvoMarkupDependencyProperty* property =
        static_cast<CKvoMarkupDependencyProperty*>(MarkupDynamicCast(CKvoMarkupDependencyProperty::s_type, named));
    if (!property) {
        const CKvoMarkupString* text =
            static_cast<const CKvoMarkupString*>(MarkupDynamicCast(CKvoMarkupString::s_type, named));
        if (!text)
            ThrowMarkupBuildError(kMissingPropertyOrValue);
        property = FindSetterProperty(text->GetString(), targetType);
        if (!property) {
            CStringW message;
            message.Format(L"Cannot find the Style Property '%ls'", text->GetString());
            ThrowMarkupBuildError(message);
        }
        property->AddRef();
        setter->SetValue(CKvoMarkupSetter::s_propertyProperty, property);
    }
    CKvoMarkupObject* value = setter->GetValue(CKvoMarkupSetter::s_valueProperty);
    if (!value)
        ThrowMarkupBuildError(kMissingPropertyOrValue);
    if (!value->IsKindOf(property->GetValueType()))
        setter->SetValue(CKvoMarkupSetter::s_valueProperty,
                         CKvoMarkupBuilder::ConvertValue(builder ? builder->GetContext() : nullptr, property, value));
}
