#include "commandbars/KvoSliderPaintManager.h"

#include <algorithm>

#include "commandbars/KvoScrollBase.h"
#include "foundation/base/KvoColorManager.h"
#include "foundation/base/KvoDeviceContext.h"
#include "foundation/controls/KvoButtonTheme.h"

namespace {
const int kSliderButtonSize = 16;
const int kSliderThumbLength = 11;
// Ticks keep this far from the buttons.
const int kTickInset = 6;
const COLORREF kSliderGlyphColor = RGB(0, 0, 0);
}

CKvoSliderPaintManager::CKvoSliderPaintManager(CKvoPaintManager* paintManager)
    : CKvoScrollBarPaintManager(paintManager)
{
}

void CKvoSliderPaintManager::RefreshMetrics()
{
    CKvoScrollBarPaintManager::RefreshMetrics();
    m_cxHScroll = kSliderButtonSize;
    m_cyHScroll = kSliderButtonSize;
    m_nThumbLength = kSliderThumbLength;
}

void CKvoSliderPaintManager::DrawScrollBar(CDC* dc, CKvoScrollBase* slider)
{
    const KvoScrollBarPosInfo& spi = slider->GetScrollBarPosInfo();
    if (spi.fVert || spi.pxRight <= spi.pxLeft)
        return;
    CKvoColorManager* colors = CKvoColorManager::Instance();
    const COLORREF face = colors->GetColor(COLOR_BTNFACE);
    const COLORREF shadow = colors->GetColor(COLOR_BTNSHADOW);
    const COLORREF highlight = colors->GetColor(COLOR_BTNHIGHLIGHT);
    const BarParts parts = GetBarParts(slider);
    const int middle = (spi.pxLeft + spi.pxRight) / 2;

    DrawChannel(dc, slider, spi.pxUpArrow, spi.pxDownArrow, middle);
    DrawButton(dc, parts.firstArrow, FALSE, parts.hot == KvoScrollHitFirstArrow,
               parts.pressed == KvoScrollHitFirstArrow, face, shadow, highlight);
    DrawButton(dc, parts.secondArrow, TRUE, parts.hot == KvoScrollHitSecondArrow,
               parts.pressed == KvoScrollHitSecondArrow, face, shadow, highlight);
    if (parts.showThumb)
        DrawThumb(dc, CRect(spi.pxThumbTop, spi.pxLeft, spi.pxThumbBottom, spi.pxRight),
                  parts.hot == KvoScrollHitThumb, parts.pressed == KvoScrollHitThumb, face, shadow, highlight);
}

void CKvoSliderPaintManager::DrawChannel(CDC* dc, CKvoScrollBase* slider, int left, int right, int middle) const
{
    CKvoColorManager* colors = CKvoColorManager::Instance();
    const COLORREF shadow = colors->GetColor(COLOR_BTNSHADOW);
    const COLORREF highlight = colors->GetColor(COLOR_BTNHIGHLIGHT);
    dc->FillSolidRect(left, middle, right - left, 1, shadow);
    dc->FillSolidRect(left, middle + 1, right - left, 1, highlight);

    const KvoScrollBarPosInfo& spi = slider->GetScrollBarPosInfo();
    const CArray<double, double>& ticks = slider->GetTicks();
    if (ticks.IsEmpty()) {
        DrawTick(dc, (left + right) / 2, middle, shadow, highlight);
        return;
    }
    if (spi.nMax <= spi.nMin)
        return;
    const int tickLeft = left + kTickInset;
    const int width = right - kTickInset - tickLeft;
    for (INT_PTR i = 0; i < ticks.GetSize(); i++) {
        const double offset = (ticks[i] - spi.nMin) * width / (spi.nMax - spi.nMin);
        if (offset >= 0 && offset <= width)
            DrawTick(dc, tickLeft + static_cast<int>(offset), middle, shadow, highlight);
    }
}

void CKvoSliderPaintManager::DrawTick(CDC* dc, int x, int middle, COLORREF shadow, COLORREF highlight)
{
    // A notch across the channel: shadow above and below it, lit on its right.
    dc->FillSolidRect(x, middle - 4, 1, 4, shadow);
    dc->FillSolidRect(x, middle + 2, 1, 2, shadow);
    dc->FillSolidRect(x + 1, middle - 4, 1, 7, highlight);
}

void CKvoSliderPaintManager::DrawButton(CDC* dc, const CRect& rect, BOOL plus, BOOL hot, BOOL pressed, COLORREF face,
                                        COLORREF shadow, COLORREF highlight)
{
    const int side = std::min(rect.Width(), rect.Height());
    if (side <= 0)
        return;
    CRect circle(CPoint(rect.left + (rect.Width() - side) / 2, rect.top + (rect.Height() - side) / 2),
                 CSize(side, side));
    const COLORREF fill = hot ? highlight : face;
    CKvoButtonTheme::DrawAntialiasedCircle(dc, circle, shadow, fill);
    if (!pressed) {
        CRect ring = circle;
        ring.DeflateRect(1, 1);
        CKvoButtonTheme::DrawAntialiasedCircle(dc, ring, highlight, fill);
    }
    const CPoint centre = circle.CenterPoint();
    dc->FillSolidRect(centre.x - 4, centre.y - 1, 8, 2, kSliderGlyphColor);
    if (plus)
        dc->FillSolidRect(centre.x - 1, centre.y - 4, 2, 8, kSliderGlyphColor);
}

void CKvoSliderPaintManager::DrawThumb(CDC* dc, const CRect& rect, BOOL hot, BOOL pressed, COLORREF face,
                                       COLORREF shadow, COLORREF highlight)
{
    // Nine pixels wide and thirteen high, flat on top, pointing down.
    const CPoint centre = rect.CenterPoint();
    const POINT outline[] = {{centre.x - 4, centre.y - 6},
                             {centre.x + 4, centre.y - 6},
                             {centre.x + 4, centre.y + 2},
                             {centre.x, centre.y + 6},
                             {centre.x - 4, centre.y + 2}};
    {
        CKvoPenDC pen(dc->GetSafeHdc(), shadow);
        CKvoBrushDC brush(dc->GetSafeHdc(), hot ? highlight : face);
        dc->Polygon(outline, 5);
    }
    if (pressed)
        return;
    const POINT inner[] = {{centre.x - 3, centre.y + 2},
                           {centre.x - 3, centre.y - 5},
                           {centre.x + 3, centre.y - 5}};
    CKvoPenDC pen(dc->GetSafeHdc(), highlight);
    dc->Polyline(inner, 3);
}
