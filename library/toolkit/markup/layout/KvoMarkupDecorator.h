#pragma once
#include "markup/elements/KvoMarkupFrameworkElement.h"
#include "markup/layout/KvoMarkupSingleChild.h"

// A framework element around exactly one child. It has no type record of
// its own and reports the framework element's.
class CKvoMarkupDecorator : public CKvoMarkupFrameworkElement {
public:
    CKvoMarkupDecorator();
    ~CKvoMarkupDecorator() override;
    void SetContentObject(CKvoMarkupBuilder* builder, CKvoMarkupObject* content) override;
    BOOL HasContentObject() const override;
    int GetVisualChildrenCount() const override;
    CKvoMarkupVisual* GetVisualChild(int index) const override;
    // Takes over the caller's reference on child (null removes the child).
    void SetChild(CKvoMarkupUIElement* child);
    // Borrowed; may be null.
    CKvoMarkupUIElement* GetChild() const { return m_child.Get(); }

private:
    CKvoMarkupSingleChild m_child;
};
