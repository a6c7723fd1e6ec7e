#pragma once
#include "markup/elements/KvoMarkupFrameworkElement.h"

class CKvoMarkupBrush;
class CKvoMarkupUIElementCollection;

// A framework element with any number of children, in collection order,
// over an optional Background. Derived panels place the children.
class CKvoMarkupPanel : public CKvoMarkupFrameworkElement {
    DECLARE_MARKUP_TYPE()
public:
    CKvoMarkupPanel();
    ~CKvoMarkupPanel() override;
    void SetContentObject(CKvoMarkupBuilder* builder, CKvoMarkupObject* content) override;
    BOOL HasContentObject() const override;
    int GetVisualChildrenCount() const override;
    // Null past the end and for a null entry.
    CKvoMarkupVisual* GetVisualChild(int index) const override;
    void OnRender(CKvoMarkupDrawingContext* dc) override;
    // Hit only where it paints a background.
    CKvoMarkupInputElement* InputHitTestCore(int x, int y) override;

    // Owned; null only when it could not be allocated.
    CKvoMarkupUIElementCollection* GetChildren() const { return m_pChildren; }
    // The child at index as a UI element (null past the end).
    CKvoMarkupUIElement* GetChildElement(int index) const;
    CKvoMarkupBrush* GetBackground() const;

    // "Background": Brush, affects render.
    static CKvoMarkupDependencyProperty* s_backgroundProperty;
    static void RegisterMarkupProperties();

private:
    CKvoMarkupUIElementCollection* m_pChildren;
};

// Reads an Orientation value, with fallback when unset.
int KvoMarkupReadOrientation(const CKvoMarkupObject* object, const CKvoMarkupDependencyProperty* property,
                             int fallback);

// What Orientation can be.
namespace KvoMarkupOrientation {
enum : int { Horizontal = 0, Vertical = 1 };
}
