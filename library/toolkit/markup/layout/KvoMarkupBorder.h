#pragma once
#include "markup/layout/KvoMarkupDecorator.h"

class CKvoMarkupBrush;
class CKvoMarkupThickness;

// A decorator that draws a frame of BorderThickness in BorderBrush and a
// Background inside it, and keeps its child Padding away from the frame.
class CKvoMarkupBorder : public CKvoMarkupDecorator {
    DECLARE_MARKUP_TYPE()
public:
    void OnRender(CKvoMarkupDrawingContext* dc) override;
    // Hit only where it paints a background.
    CKvoMarkupInputElement* InputHitTestCore(int x, int y) override;
    SIZE MeasureOverride(CKvoMarkupDrawingContext* dc, int width, int height) override;
    SIZE ArrangeOverride(int width, int height) override;

    CKvoMarkupBrush* GetBackground() const;
    CKvoMarkupBrush* GetBorderBrush() const;

    // "Background", "BorderBrush": Brush, affect render; "Padding",
    // "BorderThickness": Thickness, zero by default, affect measure.
    static CKvoMarkupDependencyProperty* s_backgroundProperty;
    static CKvoMarkupDependencyProperty* s_paddingProperty;
    static CKvoMarkupDependencyProperty* s_borderThicknessProperty;
    static CKvoMarkupDependencyProperty* s_borderBrushProperty;
    static void RegisterMarkupProperties();

private:
    const CKvoMarkupThickness* GetThickness(const CKvoMarkupDependencyProperty* property) const;
    void RenderFrame(CKvoMarkupDrawingContext* dc, const CKvoMarkupThickness* border, int width, int height);
};
