#pragma once
#include "markup/core/KvoMarkupCollection.h"

class CKvoMarkupDependencyProperty;
class CKvoMarkupSetterColection;

// When Property equals Value on an element, its Setters apply to it.
class CKvoMarkupTrigger : public CKvoMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    // The resolved property, or null.
    const CKvoMarkupDependencyProperty* GetTriggerProperty() const;
    // Borrowed; may be null.
    CKvoMarkupObject* GetTriggerValue() const;
    // Borrowed; null when no setters were given.
    CKvoMarkupSetterColection* GetSetters() const;

    // "Setters": SetterColection, no metadata.
    static CKvoMarkupDependencyProperty* s_settersProperty;
    static void RegisterMarkupProperties();
};

class CKvoMarkupTriggerCollection : public CKvoMarkupCollection {
    DECLARE_MARKUP_TYPE()
public:
    CKvoMarkupTriggerCollection();
    CKvoMarkupTrigger* GetTrigger(int index) const { return static_cast<CKvoMarkupTrigger*>(GetItem(index)); }

protected:
    explicit CKvoMarkupTriggerCollection(BOOL parentItems);
};

// The triggers switched on for one element, in the order they came on.
// The triggers stay their style's children.
class CKvoMarkupActiveTriggerCollection : public CKvoMarkupTriggerCollection {
public:
    CKvoMarkupActiveTriggerCollection();
    BOOL Contains(const CKvoMarkupObject* trigger) const;
};
