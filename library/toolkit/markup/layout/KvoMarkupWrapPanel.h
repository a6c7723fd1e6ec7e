#pragma once
#include "markup/layout/KvoMarkupPanel.h"

// A panel that flows its children into lines, wrapping when a line is full:
// left to right and then downwards unless Orientation says Vertical. Every
// child of a line gets the line's full thickness.
class CKvoMarkupWrapPanel : public CKvoMarkupPanel {
    DECLARE_MARKUP_TYPE()
public:
    SIZE MeasureOverride(CKvoMarkupDrawingContext* dc, int width, int height) override;
    SIZE ArrangeOverride(int width, int height) override;
    // Horizontal when unset.
    int GetOrientation() const;

    // "Orientation": Enum; "ItemHeight", "ItemWidth": Int; all affect
    // measure.
    static CKvoMarkupDependencyProperty* s_orientationProperty;
    static CKvoMarkupDependencyProperty* s_itemHeightProperty;
    static CKvoMarkupDependencyProperty* s_itemWidthProperty;
    static void RegisterMarkupProperties();

private:
    // An item size property's value, or 0 when unset.
    int GetItemExtent(const CKvoMarkupDependencyProperty* property) const;
    // The child's size along the flow (cx) and across it (cy).
    SIZE GetFlowSize(const CKvoMarkupUIElement* child, bool horizontal) const;
    void ArrangeLine(int first, int end, int offset, int thickness, bool horizontal);
};
