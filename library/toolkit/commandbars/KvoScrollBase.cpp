#include "commandbars/KvoScrollBase.h"
#include "commandbars/KvoModalLoop.h"

#include <algorithm>

#include <windowsx.h>

#include "commandbars/KvoCommandBarThreadState.h"
#include "commandbars/KvoPaintManager.h"
#include "commandbars/KvoScrollBarPaintManager.h"
#include "markup/controls/KvoScrollThumbRects.h"

namespace {
enum ScrollTrackCommand { TrackNoCommand = -1, TrackLineUp = 0, TrackLineDown = 1, TrackPageUp = 2, TrackPageDown = 3, TrackThumbDrag = 4 };

bool IsTrackedMouseMessage(UINT message)
{
    return message >= WM_MOUSEFIRST && message <= WM_MOUSEFIRST + 14;
}

// A mouse message's point in the client coordinates of owner.
CPoint TrackedMessagePoint(const MSG& msg, HWND owner)
{
    CPoint point(msg.pt);
    if (msg.hwnd == owner && msg.message != WM_MOUSEWHEEL && msg.message != WM_MOUSEHWHEEL)
        point = CPoint(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
    else
        ::ScreenToClient(owner, &point);
    return point;
}
} // namespace

CKvoScrollBase::CKvoScrollBase() : m_spi(), m_pSBTrack(nullptr), m_nScrollBarStyle(0), m_bAnimation(FALSE),
                                   m_nRepeatInterval(0)
{
    m_spi.fVert = TRUE;
}

CKvoScrollBase::~CKvoScrollBase()
{
    delete m_pSBTrack;
}

void CKvoScrollBase::OnScrollAnimationTimer() {}

void CKvoScrollBase::UpdateScrollBarInfo()
{
    CRect bar;
    GetScrollBarRect(&bar);
    SCROLLINFO scrollInfo = {sizeof(SCROLLINFO), SIF_ALL};
    GetScrollInfo(&scrollInfo);
    CalcScrollBarInfo(&bar, &m_spi, &scrollInfo);
}

void CKvoScrollBase::CalcScrollBarInfo(CRect* bar, KvoScrollBarPosInfo* info, SCROLLINFO* scrollInfo)
{
    const BOOL vertical = m_spi.fVert;
    info->fVert = vertical;
    info->rc = *bar;
    info->pxTop = vertical ? bar->top : bar->left;
    info->pxBottom = vertical ? bar->bottom : bar->right;
    info->pxLeft = vertical ? bar->left : bar->top;
    info->pxRight = vertical ? bar->right : bar->bottom;

    CKvoScrollBarPaintManager* paintManager = GetScrollBarPaintManager();
    const int arrowMetric = paintManager ? paintManager->GetArrowSize(vertical)
                                         : ::GetSystemMetrics(vertical ? SM_CYVSCROLL : SM_CXHSCROLL);
    const int arrow = std::min((info->pxBottom - info->pxTop) / 2, arrowMetric);

    info->nMin = scrollInfo->nMin;
    info->nMax = scrollInfo->nMax;
    info->nPos = scrollInfo->nPos;
    const int range = info->nMax - info->nMin + 1;
    // A page larger than the range would put the thumb before the track.
    info->nPage = static_cast<int>(std::min<UINT>(scrollInfo->nPage, static_cast<UINT>(std::max(range, 0))));

    info->pxUpArrow = info->pxTop + arrow;
    info->pxDownArrow = info->pxBottom - arrow;
    info->pxThumbSize = arrowMetric;
    if (info->nPage && range)
        info->pxThumbSize =
            std::max(arrowMetric / 2, ::MulDiv(info->pxDownArrow - info->pxUpArrow, info->nPage, range));
    if (paintManager && paintManager->m_nThumbLength > 0)
        info->pxThumbSize = paintManager->m_nThumbLength;

    info->pxTrackStart = info->pxTop + arrow;
    info->pxTrackLength = info->pxBottom - info->pxTop - 2 * arrow - info->pxThumbSize;
    const int page = std::max(info->nPage, 1);
    if (range == page)
        info->pxThumbTop = info->pxTrackStart - 1;
    else
        info->pxThumbTop = info->pxTrackStart + ::MulDiv(info->nPos - info->nMin, info->pxTrackLength, range - page);
    info->pxThumbBottom = info->pxThumbTop + info->pxThumbSize;
    info->nLimit = 0;
}

int CKvoScrollBase::HitTest(int x, int y) const
{
    if (!m_spi.rc.PtInRect(CPoint(x, y)))
        return KvoScrollHitNone;
    const int along = Along(x, y);
    if (along < m_spi.pxUpArrow)
        return KvoScrollHitFirstArrow;
    if (m_spi.nLimit > 0 && along > m_spi.nLimit)
        return KvoScrollHitBeyondLimit;
    if (along >= m_spi.pxDownArrow)
        return KvoScrollHitSecondArrow;
    if (along < m_spi.pxThumbTop)
        return KvoScrollHitPageBefore;
    if (along < m_spi.pxThumbBottom)
        return KvoScrollHitThumb;
    return KvoScrollHitPageAfter;
}

int CKvoScrollBase::GetScrollBarStyle() const
{
    if (m_nScrollBarStyle)
        return m_nScrollBarStyle;
    CKvoScrollBarPaintManager* scrollPaintManager = GetScrollBarPaintManager();
    CKvoPaintManager* paintManager = scrollPaintManager ? scrollPaintManager->m_pPaintManager : nullptr;
    switch (paintManager ? paintManager->GetThemeId() : 0) {
    case 0:
        return KvoScrollBarStyleFlat;
    case 5:
    case 6:
        return KvoScrollBarStyleOffice2007;
    default:
        return KvoScrollBarStyleVisual;
    }
}

CRect CKvoScrollBase::PartRect(int start, int end) const
{
    const KvoScrollBarPosInfo& spi = *m_pSBTrack->pSBInfo;
    return spi.fVert ? CRect(spi.pxLeft, start, spi.pxRight, end) : CRect(start, spi.pxLeft, end, spi.pxRight);
}

// ---- tracking ----

void CKvoScrollBase::PerformTrackInit(HWND owner, int x, int y, KvoScrollBarPosInfo* info, BOOL direct)
{
    if (m_pSBTrack)
        return;
    CKvoTrackingLoopCount trackingLoop;
    m_pSBTrack = new KvoScrollBarTrackInfo();
    m_pSBTrack->cmdSB = TrackNoCommand;
    m_pSBTrack->pSBInfo = info;
    m_pSBTrack->hWndTrack = owner;
    if (!StartTracking(x, y, direct)) {
        delete m_pSBTrack;
        m_pSBTrack = nullptr;
        return;
    }
    if (m_pSBTrack->bTrackThumb) {
        OnTrackThumb(WM_LBUTTONDOWN, x, y);
        RedrawScrollBar();
    } else {
        OnTrackMouse(WM_LBUTTONDOWN, x, y);
    }
    RunTrackingLoop();

    KillRepeatTimer();
    delete m_pSBTrack;
    m_pSBTrack = nullptr;
    if (::IsWindow(owner)) {
        CPoint cursor;
        ::GetCursorPos(&cursor);
        ::ScreenToClient(owner, &cursor);
        info->ht = HitTest(cursor.x, cursor.y);
        RedrawScrollBar();
    }
    PumpWhileAnimating();
}

BOOL CKvoScrollBase::StartTracking(int x, int y, BOOL direct)
{
    KvoScrollBarPosInfo& spi = *m_pSBTrack->pSBInfo;
    const int along = Along(x, y);
    if (along < spi.pxUpArrow) {
        spi.ht = KvoScrollHitFirstArrow;
        m_pSBTrack->cmdSB = TrackLineUp;
        m_pSBTrack->rcTrack = PartRect(spi.pxTop, spi.pxUpArrow);
    } else if (along >= spi.pxDownArrow) {
        spi.ht = KvoScrollHitSecondArrow;
        m_pSBTrack->cmdSB = TrackLineDown;
        m_pSBTrack->rcTrack = PartRect(spi.pxDownArrow, spi.pxBottom);
    } else if (along >= spi.pxThumbTop && along < spi.pxThumbBottom) {
        spi.ht = KvoScrollHitThumb;
        m_pSBTrack->cmdSB = TrackThumbDrag;
    } else if (along >= spi.pxThumbBottom) {
        spi.ht = KvoScrollHitPageAfter;
        m_pSBTrack->cmdSB = TrackPageDown;
        m_pSBTrack->rcTrack = PartRect(spi.pxThumbBottom, spi.pxDownArrow);
    } else {
        spi.ht = KvoScrollHitPageBefore;
        m_pSBTrack->cmdSB = TrackPageUp;
        m_pSBTrack->rcTrack = PartRect(spi.pxUpArrow, spi.pxThumbTop);
    }

    const BOOL pagePress = m_pSBTrack->cmdSB == TrackPageUp || m_pSBTrack->cmdSB == TrackPageDown;
    if (m_pSBTrack->cmdSB == TrackThumbDrag || (direct && pagePress)) {
        // No room to move: the thumb fills the track.
        if (spi.pxDownArrow - spi.pxUpArrow <= spi.pxThumbSize)
            return FALSE;
        BeginThumbDrag(along, direct);
    } else {
        ::SetCapture(m_pSBTrack->hWndTrack);
    }
    return TRUE;
}

void CKvoScrollBase::BeginThumbDrag(int along, BOOL direct)
{
    KvoScrollBarPosInfo& spi = *m_pSBTrack->pSBInfo;
    spi.ht = KvoScrollHitThumb;
    m_pSBTrack->cmdSB = TrackThumbDrag;
    m_pSBTrack->rcTrack = KvoCalcScrollThumbRects(spi.rc, spi.fVert);
    spi.pxThumbOrigin = spi.pxThumbTop;
    m_pSBTrack->pxOld = spi.pxThumbTop;
    m_pSBTrack->posOld = spi.nPos;
    m_pSBTrack->posNew = spi.nPos;
    m_pSBTrack->dpThumb = direct ? -spi.pxThumbSize / 2 : spi.pxThumbTop - along;
    m_pSBTrack->bTrackThumb = TRUE;
    ::SetCapture(m_pSBTrack->hWndTrack);
    DoScroll(SB_THUMBTRACK, spi.nPos);
}

void CKvoScrollBase::RunTrackingLoop()
{
    const HWND owner = m_pSBTrack->hWndTrack;
    while (m_pSBTrack && ::GetCapture() == owner) {
        MSG msg;
        if (!KvoGetModalLoopMessage(msg) || !::IsWindow(owner))
            break;
        if (msg.message == WM_TIMER && msg.hwnd == owner && msg.wParam == kRepeatTimer) {
            OnRepeatTimer();
        } else if (msg.message == WM_TIMER && msg.hwnd == owner && msg.wParam == kAnimationTimer) {
            OnScrollAnimationTimer();
        } else if (IsTrackedMouseMessage(msg.message)) {
            const CPoint point = TrackedMessagePoint(msg, owner);
            if (m_pSBTrack->bTrackThumb)
                OnTrackThumb(msg.message, point.x, point.y);
            else
                OnTrackMouse(msg.message, point.x, point.y);
        } else {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

void CKvoScrollBase::PumpWhileAnimating()
{
    CWnd* parent = GetScrollBarParent();
    while (m_bAnimation && parent && ::IsWindow(parent->GetSafeHwnd())) {
        MSG msg;
        if (!KvoGetModalLoopMessage(msg))
            break;
        if (msg.message == WM_TIMER && msg.wParam == kAnimationTimer && msg.hwnd == parent->GetSafeHwnd()) {
            OnScrollAnimationTimer();
        } else {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

void CKvoScrollBase::OnTrackMouse(UINT message, int x, int y)
{
    if (message != 0 && !IsTrackedMouseMessage(message))
        return;
    KvoScrollBarTrackInfo& track = *m_pSBTrack;
    const KvoScrollBarPosInfo& spi = *track.pSBInfo;
    // The page part ends at the thumb, so repeating stops once it reaches the mouse.
    if (track.cmdSB == TrackPageUp)
        (spi.fVert ? track.rcTrack.bottom : track.rcTrack.right) = spi.pxThumbTop;
    else if (track.cmdSB == TrackPageDown)
        (spi.fVert ? track.rcTrack.top : track.rcTrack.left) = spi.pxThumbBottom;

    const BOOL wasInside = track.fHitOld;
    const BOOL inside = track.rcTrack.PtInRect(CPoint(x, y));
    if (inside != wasInside) {
        track.fHitOld = inside;
        RedrawScrollBar();
    }

    UINT delay;
    if (message == WM_LBUTTONUP) {
        EndTracking();
        return;
    } else if (message == WM_LBUTTONDOWN) {
        track.hTimerSB = 0;
        delay = ::GetDoubleClickTime() * 4 / 5;
    } else if (message == WM_MOUSEMOVE) {
        delay = ::GetDoubleClickTime() / 10;
    } else {
        return;
    }
    if (inside && !wasInside) {
        m_nRepeatInterval = delay;
        track.hTimerSB = ::SetTimer(track.hWndTrack, kRepeatTimer, delay, NULL);
        DoScroll(track.cmdSB, 0);
    }
}

void CKvoScrollBase::OnRepeatTimer()
{
    CPoint cursor;
    ::GetCursorPos(&cursor);
    ::ScreenToClient(m_pSBTrack->hWndTrack, &cursor);
    OnTrackMouse(0, cursor.x, cursor.y);
    if (m_pSBTrack && m_pSBTrack->fHitOld) {
        m_nRepeatInterval = ::GetDoubleClickTime() / 10;
        m_pSBTrack->hTimerSB = ::SetTimer(m_pSBTrack->hWndTrack, kRepeatTimer, m_nRepeatInterval, NULL);
        DoScroll(m_pSBTrack->cmdSB, 0);
    }
}

void CKvoScrollBase::OnTrackThumb(UINT message, int x, int y)
{
    if (!IsTrackedMouseMessage(message))
        return;
    const KvoScrollBarPosInfo& spi = *m_pSBTrack->pSBInfo;
    CKvoScrollBarPaintManager* paintManager = GetScrollBarPaintManager();
    const BOOL followsEverywhere = paintManager && paintManager->m_nThumbLength > 0;
    int pixel = spi.pxThumbOrigin;
    if (followsEverywhere || m_pSBTrack->rcTrack.PtInRect(CPoint(x, y)))
        pixel = std::min(std::max(Along(x, y) + m_pSBTrack->dpThumb, spi.pxTrackStart),
                         spi.pxTrackStart + spi.pxTrackLength);
    TrackThumb(pixel);
    if (message == WM_LBUTTONUP || ::GetKeyState(VK_LBUTTON) >= 0)
        EndTracking();
}

int CKvoScrollBase::PositionAt(int pixel) const
{
    const KvoScrollBarPosInfo& spi = *m_pSBTrack->pSBInfo;
    const int lastTop = spi.nMax - (spi.nPage > 0 ? spi.nPage - 1 : 0);
    if (pixel < spi.pxTrackStart || spi.pxTrackLength <= 0)
        return spi.nMin;
    if (pixel > spi.pxTrackStart + spi.pxTrackLength)
        return lastTop;
    return spi.nMin + ::MulDiv(lastTop - spi.nMin, pixel - spi.pxTrackStart, spi.pxTrackLength);
}

void CKvoScrollBase::TrackThumb(int pixel)
{
    KvoScrollBarPosInfo& spi = *m_pSBTrack->pSBInfo;
    const int position = PositionAt(pixel);
    if (position != m_pSBTrack->posOld) {
        DoScroll(SB_THUMBTRACK, position);
        m_pSBTrack->posOld = position;
    }
    spi.pxThumbTop = pixel;
    spi.pxThumbBottom = pixel + spi.pxThumbSize;
    m_pSBTrack->pxOld = pixel;
    RedrawScrollBar();
}

void CKvoScrollBase::EndTracking()
{
    m_pSBTrack->cmdSB = TrackNoCommand;
    ::ReleaseCapture();
    if (m_pSBTrack->bTrackThumb) {
        DoScroll(SB_THUMBPOSITION, m_pSBTrack->posOld);
        RedrawScrollBar();
        DoScroll(SB_ENDSCROLL, 0);
    } else {
        KillRepeatTimer();
        DoScroll(SB_ENDSCROLL, 0);
    }
}

void CKvoScrollBase::KillRepeatTimer()
{
    if (m_pSBTrack && m_pSBTrack->hTimerSB) {
        ::KillTimer(m_pSBTrack->hWndTrack, kRepeatTimer);
        m_pSBTrack->hTimerSB = 0;
    }
}
