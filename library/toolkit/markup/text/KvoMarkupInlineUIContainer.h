#pragma once
#include "markup/text/KvoMarkupInline.h"

class CKvoMarkupUIElement;

// One element embedded in the text, between its positions 0 (before it)
// and 1 (after it); it takes input over its own area.
class CKvoMarkupInlineUIContainer : public CKvoMarkupInline {
    DECLARE_MARKUP_TYPE()
public:
    CKvoMarkupInlineUIContainer();
    ~CKvoMarkupInlineUIContainer() override;

    int GetLogicalChildrenCount() const override;
    CKvoMarkupObject* GetLogicalChild(int index) const override;
    // A UI element becomes the child; anything else is a build error.
    void SetContentObject(CKvoMarkupBuilder* builder, CKvoMarkupObject* content) override;
    BOOL HasContentObject() const override;
    // The child's hit, else the container.
    CKvoMarkupInputElement* InputHitTest(int x, int y) override;

    int GetFirstPosition() const override;
    void GetNextPosition(int& position) const override;
    BOOL IsWordBreakPosition(int position) const override;
    void Arrange(const RECT& rect, int start, int end) override;
    SIZE Measure(CKvoMarkupDrawingContext* dc, int start, int end) override;
    void Render(CKvoMarkupDrawingContext* dc, const RECT& rect, int start, int end) override;

    // Takes over the caller's reference on child (null removes it) and
    // releases the old one.
    void SetChild(CKvoMarkupUIElement* child);
    CKvoMarkupUIElement* GetChild() const { return m_pChild; }

private:
    CKvoMarkupUIElement* m_pChild;
};
