#include "markup/layout/KvoMarkupBorder.h"
#include <algorithm>
#include "markup/core/KvoMarkupDependencyProperty.h"
#include "markup/core/KvoMarkupType.h"
#include "markup/drawing/KvoMarkupBrush.h"
#include "markup/layout/KvoMarkupLayoutSizes.h"
#include "markup/values/KvoMarkupThickness.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupBorder)
CKvoMarkupDependencyProperty* CKvoMarkupBorder::s_backgroundProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupBorder::s_paddingProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupBorder::s_borderThicknessProperty = nullptr;
CKvoMarkupDependencyProperty* CKvoMarkupBorder::s_borderBrushProperty = nullptr;

void CKvoMarkupBorder::RegisterMarkupProperties()
{
    const DWORD render = KvoMarkupPropertyFlag::AffectsRender;
    const DWORD measure = KvoMarkupPropertyFlag::AffectsMeasure;
    s_backgroundProperty = CKvoMarkupDependencyProperty::Register(
        L"Background", CKvoMarkupBrush::s_type, s_type, new CKvoMarkupPropertyMetadata(nullptr, render));
    s_paddingProperty = CKvoMarkupDependencyProperty::Register(
        L"Padding", CKvoMarkupThickness::s_type, s_type,
        new CKvoMarkupPropertyMetadata(CKvoMarkupThickness::GetZero(), measure));
    s_borderThicknessProperty = CKvoMarkupDependencyProperty::Register(
        L"BorderThickness", CKvoMarkupThickness::s_type, s_type,
        new CKvoMarkupPropertyMetadata(CKvoMarkupThickness::GetZero(), measure));
    s_borderBrushProperty = CKvoMarkupDependencyProperty::Register(
        L"BorderBrush", CKvoMarkupBrush::s_type, s_type, new CKvoMarkupPropertyMetadata(nullptr, render));
}

CKvoMarkupBrush* CKvoMarkupBorder::GetBackground() const
{
    return static_cast<CKvoMarkupBrush*>(MarkupDynamicCast(CKvoMarkupBrush::s_type, GetValue(s_backgroundProperty)));
}

CKvoMarkupBrush* CKvoMarkupBorder::GetBorderBrush() const
{
    return static_cast<CKvoMarkupBrush*>(MarkupDynamicCast(CKvoMarkupBrush::s_type, GetValue(s_borderBrushProperty)));
}

const CKvoMarkupThickness* CKvoMarkupBorder::GetThickness(const CKvoMarkupDependencyProperty* property) const
{
    return static_cast<const CKvoMarkupThickness*>(MarkupDynamicCast(CKvoMarkupThickness::s_type, GetValue(property)));
}

namespace {
int HorizontalOf(const CKvoMarkupThickness* thickness)
{
    return thickness ? KvoMarkupAddSizes(thickness->GetLeft(), thickness->GetRight()) : 0;
}

int VerticalOf(const CKvoMarkupThickness* thickness)
{
    return thickness ? KvoMarkupAddSizes(thickness->GetTop(), thickness->GetBottom()) : 0;
}
}

SIZE CKvoMarkupBorder::MeasureOverride(CKvoMarkupDrawingContext* dc, int width, int height)
{
    const CKvoMarkupThickness* border = GetThickness(s_borderThicknessProperty);
    const CKvoMarkupThickness* padding = GetThickness(s_paddingProperty);
    const int frameWidth = KvoMarkupAddSizes(HorizontalOf(border), HorizontalOf(padding));
    const int frameHeight = KvoMarkupAddSizes(VerticalOf(border), VerticalOf(padding));
    CKvoMarkupUIElement* child = GetChild();
    if (!child)
        return {frameWidth, frameHeight};
    child->Measure(dc, std::max(0, KvoMarkupAddSizes(width, -frameWidth)),
                   std::max(0, KvoMarkupAddSizes(height, -frameHeight)));
    const SIZE desired = child->GetDesiredSize();
    return {KvoMarkupAddSizes(desired.cx, frameWidth), KvoMarkupAddSizes(desired.cy, frameHeight)};
}

SIZE CKvoMarkupBorder::ArrangeOverride(int width, int height)
{
    if (CKvoMarkupUIElement* child = GetChild()) {
        const CRect inner = CKvoMarkupThickness::DeflateRect(
            CKvoMarkupThickness::DeflateRect(CRect(0, 0, width, height), GetThickness(s_borderThicknessProperty)),
            GetThickness(s_paddingProperty));
        child->Arrange(inner);
    }
    return {width, height};
}

void CKvoMarkupBorder::OnRender(CKvoMarkupDrawingContext* dc)
{
    const SIZE size = GetRenderSize();
    if (size.cx < 1 || size.cy < 1)
        return;
    const CKvoMarkupThickness* border = GetThickness(s_borderThicknessProperty);
    RenderFrame(dc, border, size.cx, size.cy);
    CKvoMarkupBrush* background = GetBackground();
    if (!background)
        return;
    const RECT inner = {border ? border->GetLeft() : 0, border ? border->GetTop() : 0,
                        size.cx - (border ? border->GetRight() : 0), size.cy - (border ? border->GetBottom() : 0)};
    if (inner.right > inner.left && inner.bottom > inner.top)
        background->FillRect(dc, inner.left, inner.top, inner.right, inner.bottom);
}

// Side strips overlap in the corners; sides of width 0 are left out.
void CKvoMarkupBorder::RenderFrame(CKvoMarkupDrawingContext* dc, const CKvoMarkupThickness* border, int width,
                                   int height)
{
    CKvoMarkupBrush* brush = GetBorderBrush();
    if (!brush || !border)
        return;
    if (border->GetLeft() > 0)
        brush->FillRect(dc, 0, 0, border->GetLeft(), height);
    if (border->GetRight() > 0)
        brush->FillRect(dc, width - border->GetRight(), 0, width, height);
    if (border->GetTop() > 0)
        brush->FillRect(dc, 0, 0, width, border->GetTop());
    if (border->GetBottom() > 0)
        brush->FillRect(dc, 0, height - border->GetBottom(), width, height);
}

CKvoMarkupInputElement* CKvoMarkupBorder::InputHitTestCore(int, int)
{
    return GetBackground() ? this : nullptr;
}
