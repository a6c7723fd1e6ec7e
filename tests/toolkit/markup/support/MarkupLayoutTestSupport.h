#pragma once
#include <string>
#include "markup/drawing/KvoMarkupDrawingContext.h"
#include "markup/elements/KvoMarkupUIElement.h"
#include "toolkit/foundation/images/KvoImageTestSupport.h"

// Helpers of the layout tests: lay a parsed root out in a slot, draw it on
// a canvas, and name rectangles in messages.

// Measures root with the slot's size and arranges it in the slot.
inline void LayOutRoot(CKvoMarkupUIElement* root, const RECT& slot)
{
    CKvoMarkupDrawingContext measuring;
    root->Measure(&measuring, slot.right - slot.left, slot.bottom - slot.top);
    root->Arrange(slot);
}

// Lays root out in the canvas-sized slot at (0, 0) and draws it there.
inline void LayOutAndDraw(CKvoMarkupUIElement* root, TestCanvas& canvas, int width, int height)
{
    CKvoMarkupDrawingContext dc(canvas.Dc()->GetSafeHdc());
    root->Measure(&dc, width, height);
    root->Arrange(RECT{0, 0, width, height});
    root->Render(&dc);
}

inline std::string LayoutRectText(const RECT& rect)
{
    return std::to_string(rect.left) + "," + std::to_string(rect.top) + "," + std::to_string(rect.right) + "," +
           std::to_string(rect.bottom);
}

// The child's final rectangle, for comparing with LayoutRectText.
inline std::string FinalRectOf(const CKvoMarkupUIElement* element)
{
    return LayoutRectText(element->GetFinalRect());
}

// The visual child at index as a UI element.
inline CKvoMarkupUIElement* LayoutChildOf(CKvoMarkupUIElement* parent, int index)
{
    return static_cast<CKvoMarkupUIElement*>(parent->GetVisualChild(index));
}
