#pragma once
#include "markup/elements/KvoMarkupFrameworkElement.h"

class CKvoMarkupBrush;

// What Stretch can be.
namespace KvoMarkupStretch {
enum : int { None = 0, Fill = 1, Uniform = 2, UniformToFill = 3 };
}

// The base of the geometric shapes: a Fill, a Stroke of StrokeThickness
// pixels (1 when unset) and a Stretch. Shapes draw with plain GDI in
// solid colours; a gradient gives its colour query's black.
class CKvoMarkupShape : public CKvoMarkupFrameworkElement {
    DECLARE_MARKUP_TYPE()
public:
    CKvoMarkupBrush* GetFill() const;
    CKvoMarkupBrush* GetStroke() const;
    // StrokeThickness, 1 when unset; the stroke width only with a Stroke.
    int GetStrokeThickness() const;
    // The drawn stroke width: 0 without a Stroke.
    int GetStrokeWidth() const;
    int GetStretch() const;

    // "Fill", "Stroke": Brush; "StrokeThickness": Int; "Stretch": Enum,
    // None by default; all affect render.
    static CKvoMarkupDependencyProperty* s_fillProperty;
    static CKvoMarkupDependencyProperty* s_strokeProperty;
    static CKvoMarkupDependencyProperty* s_strokeThicknessProperty;
    static CKvoMarkupDependencyProperty* s_stretchProperty;
    static void RegisterMarkupProperties();
};

// A solid pen and brush selected into a DC for a scope, the stock null pen
// or brush standing in for a missing one; the DC's own come back after.
class CKvoMarkupShapePen {
public:
    // No pen for a width of 0 or without stroke; no brush without fill.
    CKvoMarkupShapePen(HDC dc, int penWidth, const CKvoMarkupBrush* stroke, const CKvoMarkupBrush* fill);
    ~CKvoMarkupShapePen();
    CKvoMarkupShapePen(const CKvoMarkupShapePen&) = delete;
    CKvoMarkupShapePen& operator=(const CKvoMarkupShapePen&) = delete;

private:
    HDC m_hDC;
    HPEN m_hPen;
    HBRUSH m_hBrush;
    HGDIOBJ m_hOldPen;
    HGDIOBJ m_hOldBrush;
};
