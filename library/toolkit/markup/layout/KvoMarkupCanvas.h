#pragma once
#include "markup/layout/KvoMarkupPanel.h"

// A panel that places each child at its desired size where the attached
// Canvas.Left, Top, Right and Bottom say (Left over Right, Top over
// Bottom); it desires whatever size it is offered.
class CKvoMarkupCanvas : public CKvoMarkupPanel {
    DECLARE_MARKUP_TYPE()
public:
    SIZE MeasureOverride(CKvoMarkupDrawingContext* dc, int width, int height) override;
    SIZE ArrangeOverride(int width, int height) override;

    // Attached Int properties without metadata, in this order.
    static CKvoMarkupDependencyProperty* s_topProperty;
    static CKvoMarkupDependencyProperty* s_rightProperty;
    static CKvoMarkupDependencyProperty* s_leftProperty;
    static CKvoMarkupDependencyProperty* s_bottomProperty;
    static void RegisterMarkupProperties();
};
