#pragma once
#include "markup/core/KvoMarkupObject.h"

class CKvoMarkupInputElement;
class CKvoMarkupProperties;
class CKvoMarkupSetterColection;

// Values for many elements at once: setters that apply to every element
// that uses the style, triggers whose setters apply while their condition
// holds, and a style it is based on. Filled by the builder (or in code),
// then sealed into a value store on first use; later changes to its
// setters are not seen.
class CKvoMarkupStyle : public CKvoMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    CKvoMarkupStyle();
    ~CKvoMarkupStyle() override;

    CKvoMarkupSetterColection* GetSetters() const { return m_pSetters; }
    BOOL IsSealed() const { return m_bSealed; }
    // The sealed values; null before Seal.
    CKvoMarkupProperties* GetSealedValues() const { return m_pValues; }

    // Stores the values of BasedOn's chain and then of the setters in
    // order, later ones winning. A chain that comes back to a style already
    // being sealed stops there.
    void Seal();
    // Activates on element the triggers of the BasedOn chain (base first)
    // and then its own, from the last to the first, that match: on the
    // element's current values when property is null, else only triggers
    // on property, against value. TRUE when any trigger was activated.
    BOOL EvaluateTriggers(CKvoMarkupInputElement* element, const CKvoMarkupDependencyProperty* property,
                          CKvoMarkupObject* value);

    // A setter (resolved against TargetType) goes into the setters.
    void SetContentObject(CKvoMarkupBuilder* builder, CKvoMarkupObject* content) override;
    BOOL HasContentObject() const override;
    // Triggers are resolved against TargetType before they are stored.
    void SetPropertyObject(CKvoMarkupBuilder* builder, const CKvoMarkupDependencyProperty* property,
                           CKvoMarkupObject* value) override;

    // Turns setter's (or a trigger's) Property text into the property of
    // the style's TargetType and converts its Value to the property's
    // type; raises a build error when either is missing or unknown.
    void ResolveSetter(CKvoMarkupBuilder* builder, CKvoMarkupObject* setter);

    // "Resources": ResourceDictionary; "TargetType": Type; "BasedOn":
    // Style; "Triggers": TriggerCollection; none has metadata.
    static CKvoMarkupDependencyProperty* s_resourcesProperty;
    static CKvoMarkupDependencyProperty* s_targetTypeProperty;
    static CKvoMarkupDependencyProperty* s_basedOnProperty;
    static CKvoMarkupDependencyProperty* s_triggersProperty;
    static void RegisterMarkupProperties();

private:
    CKvoMarkupStyle* GetBasedOn() const;

    CKvoMarkupSetterColection* m_pSetters;
    BOOL m_bSealed;
    CKvoMarkupProperties* m_pValues;
    // Set while the style seals or evaluates itself: a BasedOn chain that
    // returns here ends.
    BOOL m_bSealing;
    BOOL m_bEvaluating;
};
