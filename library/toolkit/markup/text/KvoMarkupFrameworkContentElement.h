#pragma once
#include "markup/elements/KvoMarkupInputElement.h"

class CKvoMarkupFrameworkElement;

// An input element that lives inside the content of a framework element
// (text inside a text block) and has no place of its own on the screen: a
// change that affects layout or drawing goes to the hosting element.
class CKvoMarkupFrameworkContentElement : public CKvoMarkupInputElement {
    DECLARE_MARKUP_TYPE()
public:
    // Re-evaluates style triggers, then lays out or redraws the hosting
    // element as the property's flags ask.
    void OnPropertyChanged(const CKvoMarkupDependencyProperty* property, CKvoMarkupObject* oldValue,
                           CKvoMarkupObject* newValue) override;

    // The nearest logical ancestor that is a framework element, or null.
    CKvoMarkupFrameworkElement* GetParentFrameworkElement() const;
    // The hosting element's render rectangle in its own coordinates; empty
    // without a host.
    RECT GetBoundingRect() const;

    // "Tag": the framework element's Tag, added owner.
    static CKvoMarkupDependencyProperty* s_tagProperty;
    static void RegisterMarkupProperties();
};
