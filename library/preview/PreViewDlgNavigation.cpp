// How the preview turns the user's input into a new view: zoom by the wheel,
// the slider and its keys, double-clicks and rubber bands on the picture,
// panning by the buttons, the slider's arrow keys and flat rubber bands,
// and page fit. Every change renders at once on this thread.
#include "PreViewDlg.h"
#include <cstdlib>
#include "LanguageIds.h"
#include "PreviewRender.h"
#include "PreviewViewLimits.h"
#include "app/TavrenaApp.h"
#include "records/SettingFlag.h"

namespace {
const int kZoomStep = 768;
const int kFineZoomStep = 64;
const int kWheelDivisor = 4;
const int kPanDivisor = 8;
// A band smaller than this both ways is a click that slipped.
const int kSmallestBand = 10;
// A band whose short side is less than this part of its long side is a drag
// that pans, not a box to zoom into.
const double kFlatBandRatio = 0.3;

// The pan button that an arrow key in the slider stands for; 0 for others.
int PanButtonForSliderKey(BYTE key)
{
    switch (key) {
    case VK_UP:
        return IDC_PREVIEW_PAN_UP;
    case VK_DOWN:
        return IDC_PREVIEW_PAN_DOWN;
    case VK_LEFT:
        return IDC_PREVIEW_PAN_LEFT;
    case VK_RIGHT:
        return IDC_PREVIEW_PAN_RIGHT;
    default:
        return 0;
    }
}
}

int CPreViewDlg::ZoomStepSize() const
{
    return m_fineMode ? kFineZoomStep : kZoomStep;
}

POINT CPreViewDlg::PictureCentre() const
{
    CRect client;
    m_picture.GetClientRect(&client);
    return client.CenterPoint();
}

void CPreViewDlg::ZoomStep(bool zoomIn, int divisor, POINT at)
{
    const int step = ZoomStepSize() / divisor;
    const int64_t wanted = int64_t{m_view.scale} + (zoomIn ? step : -step);
    m_view.scale = ClampViewValue(wanted, m_slider.GetRangeMin(), m_slider.GetRangeMax());
    Redraw(false, false, false, at);
    m_fitOn = false;
}

void CPreViewDlg::Pan(int buttonId)
{
    CRect client;
    m_picture.GetClientRect(&client);
    const int across = client.Width() / kPanDivisor;
    const int down = client.Height() / kPanDivisor;
    // Each button moves the drawing the way its arrow points; reversed,
    // it moves the view that way instead.
    int dx = 0, dy = 0;
    switch (buttonId) {
    case IDC_PREVIEW_PAN_UP:
        dy = -down;
        break;
    case IDC_PREVIEW_PAN_DOWN:
        dy = down;
        break;
    case IDC_PREVIEW_PAN_LEFT:
        dx = across;
        break;
    case IDC_PREVIEW_PAN_RIGHT:
        dx = -across;
        break;
    default:
        break;
    }
    if (theApp.m_settings & SettingFlag::ReversePan) {
        dx = -dx;
        dy = -dy;
    }
    m_view.originX = ShiftViewOrigin(m_view.originX, dx);
    m_view.originY = ShiftViewOrigin(m_view.originY, dy);
    m_fitOn = false;
    Redraw(false, true, false, POINT{0, 0});
}

void CPreViewDlg::OnPanButton(UINT id)
{
    GiveFocusToParent();
    Pan(static_cast<int>(id));
}

// Page fit shows the whole drawing; switched off again it brings back the
// view from before.
void CPreViewDlg::OnFit()
{
    GiveFocusToParent();
    m_fitOn = !m_fitOn;
    if (m_fitOn) {
        m_savedScale = m_view.scale;
        m_savedOriginX = m_view.originX;
        m_savedOriginY = m_view.originY;
        CRect client;
        m_picture.GetClientRect(&client);
        m_view.viewWidth = client.Width();
        m_view.viewHeight = client.Height();
        FitPreviewView(m_path, m_view);
    } else {
        m_view.scale = m_savedScale;
        m_view.originX = m_savedOriginX;
        m_view.originY = m_savedOriginY;
    }
    Redraw(false, false, false, POINT{0, 0});
}

// The new scale for the slider's last key or scroll code; nothing for codes
// that only end a move (TB_ENDTRACK).
std::optional<int> CPreViewDlg::SliderScale(BYTE key, UINT code) const
{
    const int lowest = m_slider.GetRangeMin();
    const int highest = m_slider.GetRangeMax();
    const int64_t scale = m_view.scale;
    const int step = ZoomStepSize();
    auto held = [&](int64_t wanted) { return ClampViewValue(wanted, lowest, highest); };
    // The page keys zoom by a whole step, whatever the trackbar's page.
    if (key == VK_NEXT)
        return held(scale - step);
    if (key == VK_PRIOR)
        return held(scale + step);
    switch (code) {
    case TB_LINEUP:
        return held(scale - step);
    case TB_LINEDOWN:
        return held(scale + step);
    case TB_PAGEUP:
        return held(scale - m_slider.GetPageSize());
    case TB_PAGEDOWN:
        return held(scale + m_slider.GetPageSize());
    case TB_THUMBPOSITION:
    case TB_THUMBTRACK:
        return held(m_slider.GetPos());
    case TB_TOP:
        return kFittedViewScale;
    case TB_BOTTOM:
        return highest;
    default:
        return std::nullopt;
    }
}

// The slider zooms about the centre of the picture; its arrow keys pan.
void CPreViewDlg::OnHScroll(UINT code, UINT, CScrollBar* bar)
{
    if (!bar || bar->m_hWnd != m_slider.m_hWnd)
        return;
    if (m_hostedInDialogBox)
        GiveFocusToParent();
    const BYTE key = m_slider.TakeLastKey();
    if (const int panButton = PanButtonForSliderKey(key)) {
        Pan(panButton);
        return;
    }
    const std::optional<int> scale = SliderScale(key, code);
    if (!scale)
        return;
    m_view.scale = *scale;
    m_fitOn = false;
    Redraw(false, true, true, PictureCentre());
}

// The wheel zooms by a quarter step about the cursor, only over the picture
// and only once there is a drawing (the slider is enabled with it).
BOOL CPreViewDlg::OnMouseWheel(UINT, short delta, CPoint point)
{
    if (::WindowFromPoint(point) != m_picture.m_hWnd || !m_slider.IsWindowEnabled())
        return TRUE;
    const bool reversed = (theApp.m_settings & SettingFlag::ReverseWheel) != 0;
    const bool zoomIn = reversed ? delta > 0 : delta < 0;
    m_picture.ScreenToClient(&point);
    ZoomStep(zoomIn, kWheelDivisor, point);
    return TRUE;
}

// From the picture: wParam 1 or 2 a double-click that zooms in or out about
// lParam's POINT, 0 a rubber band in lParam's RECT.
LRESULT CPreViewDlg::OnPreviewZoom(WPARAM wParam, LPARAM lParam)
{
    if (!lParam || !m_slider.IsWindowEnabled())
        return 0;
    if (wParam == 1 || wParam == 2)
        ZoomStep(wParam == 1, 1, *reinterpret_cast<const POINT*>(lParam));
    else
        ApplyRubberBand(*reinterpret_cast<const RECT*>(lParam));
    return 0;
}

// band runs from where the drag started (left, top) to where it ended
// (right, bottom). A flat band drags the drawing along; a box is zoomed
// into so that it fills the picture, with its centre brought to the middle.
void CPreViewDlg::ApplyRubberBand(const RECT& band)
{
    const int64_t dx = std::llabs(int64_t{band.right} - band.left);
    const int64_t dy = std::llabs(int64_t{band.bottom} - band.top);
    if (dx < kSmallestBand && dy < kSmallestBand)
        return;
    m_fitOn = false;
    if (dy < dx && static_cast<double>(dy) / dx < kFlatBandRatio) {
        m_view.originX = ShiftViewOrigin(m_view.originX, int64_t{band.left} - band.right);
        Redraw(false, true, false, POINT{0, 0});
        return;
    }
    if (dy >= dx && static_cast<double>(dx) / dy < kFlatBandRatio) {
        m_view.originY = ShiftViewOrigin(m_view.originY, int64_t{band.bottom} - band.top);
        Redraw(false, true, false, POINT{0, 0});
        return;
    }
    // Neither side is flat here, so both are at least 3 pixels long.
    CRect box(band);
    box.NormalizeRect();
    CRect client;
    m_picture.GetClientRect(&client);
    const int64_t factor = client.Height() < client.Width() ? client.Width() / dx : client.Height() / dy;
    const int64_t scale = factor * m_view.scale;
    const int largest = m_fineMode ? kLargestFineScale : kLargestScale;
    if (scale >= kSmallestScale && scale <= largest)
        m_view.scale = static_cast<int32_t>(scale);
    // The box is centred even when the scale stays, so the render may not be
    // skipped for an unchanged scale and origin: the centring comes after.
    Redraw(false, false, true, box.CenterPoint());
}
