#pragma once
#include "markup/elements/KvoMarkupFrameworkElement.h"
#include "markup/layout/KvoMarkupSingleChild.h"

// A root element with one child that it gives its whole area; the page
// itself is never hit.
class CKvoMarkupPage : public CKvoMarkupFrameworkElement {
    DECLARE_MARKUP_TYPE()
public:
    CKvoMarkupPage();
    ~CKvoMarkupPage() override;
    void SetContentObject(CKvoMarkupBuilder* builder, CKvoMarkupObject* content) override;
    BOOL HasContentObject() const override;
    int GetVisualChildrenCount() const override;
    CKvoMarkupVisual* GetVisualChild(int index) const override;
    CKvoMarkupInputElement* InputHitTestCore(int x, int y) override;
    SIZE MeasureOverride(CKvoMarkupDrawingContext* dc, int width, int height) override;
    SIZE ArrangeOverride(int width, int height) override;

private:
    CKvoMarkupSingleChild m_child;
};
