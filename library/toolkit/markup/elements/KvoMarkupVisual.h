#pragma once
#include <afxwin.h>
#include "markup/elements/KvoMarkupInputElement.h"

class CKvoMarkupDrawingContext;

// An input element with a place on the screen: its offset in the visual
// parent, the size it was arranged to, bounds that take in its visual
// children, a render pass and a hit test. Coordinates are whole pixels.
class CKvoMarkupVisual : public CKvoMarkupInputElement {
    DECLARE_MARKUP_TYPE()
public:
    CKvoMarkupVisual();

    // (x, y) in the visual parent's coordinates: the topmost element of this
    // subtree there, or null.
    CKvoMarkupInputElement* InputHitTest(int x, int y) override;
    virtual int GetVisualChildrenCount() const;
    // Borrowed; index below GetVisualChildrenCount.
    virtual CKvoMarkupVisual* GetVisualChild(int index) const;
    // TRUE with the clip in own coordinates when drawing and hits are cut.
    virtual BOOL GetLayoutClip(RECT* clip);
    // Draws the element itself, in its own coordinates.
    virtual void OnRender(CKvoMarkupDrawingContext* dc);
    virtual void OnRenderFocusVisual(CKvoMarkupDrawingContext* dc);
    // (x, y) in own coordinates, inside the render size.
    virtual CKvoMarkupInputElement* InputHitTestCore(int x, int y);

    // The visual children are the logical children.
    int GetLogicalChildrenCount() const override;
    CKvoMarkupObject* GetLogicalChild(int index) const override;

    // Draws the element and its subtree where the clip lets it.
    void Render(CKvoMarkupDrawingContext* dc);
    // The nearest logical ancestor that is a visual.
    CKvoMarkupVisual* GetVisualParent() const;
    // Bounds: the render size united with every child's bounds at its offset.
    void UpdateBounds();

    POINT GetVisualOffset() const { return m_visualOffset; }
    SIZE GetRenderSize() const { return m_renderSize; }
    const RECT& GetBounds() const { return m_bounds; }

protected:
    void SetVisualOffset(int x, int y) { m_visualOffset = {x, y}; }
    void SetRenderSize(int width, int height) { m_renderSize = {width, height}; }

private:
    POINT m_visualOffset;
    SIZE m_renderSize;
    RECT m_bounds;
};
