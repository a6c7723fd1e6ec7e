#pragma once
#include "markup/core/KvoMarkupCollection.h"

class CKvoMarkupDependencyProperty;

// One (property, value) pair of a style or trigger. Property is written as
// text and becomes the property object itself when the style resolves it.
class CKvoMarkupSetter : public CKvoMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    // The resolved property, or null while Property is text or unset.
    const CKvoMarkupDependencyProperty* GetSetterProperty() const;
    // Borrowed; may be null.
    CKvoMarkupObject* GetSetterValue() const { return GetValue(s_valueProperty); }

    // "Property", "Value": Object, no metadata; Trigger shares both.
    static CKvoMarkupDependencyProperty* s_propertyProperty;
    static CKvoMarkupDependencyProperty* s_valueProperty;
    static void RegisterMarkupProperties();
};

class CKvoMarkupSetterColection : public CKvoMarkupCollection {
    DECLARE_MARKUP_TYPE()
public:
    CKvoMarkupSetterColection();
    CKvoMarkupSetter* GetSetter(int index) const { return static_cast<CKvoMarkupSetter*>(GetItem(index)); }
};
