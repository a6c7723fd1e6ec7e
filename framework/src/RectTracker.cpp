#include <afxext.h>

CRectTracker::CRectTracker() : m_rect(0, 0, 0, 0), m_nStyle(0), m_sizeMin(0, 0)
{
}

CRectTracker::CRectTracker(LPCRECT lpSrcRect, UINT nStyle) : m_rect(lpSrcRect), m_nStyle(nStyle), m_sizeMin(0, 0)
{
}

void CRectTracker::DrawTrackerRect(LPCRECT lpRect, CWnd*, CDC* pDC, CWnd*)
{
    pDC->DrawFocusRect(lpRect);
}

void CRectTracker::OnChangedRect(const CRect&)
{
}

void CRectTracker::MoveBandTo(CWnd* pWnd, CDC* pDC, LPARAM lParam, bool* pbDrawn)
{
    CRect rectOld = m_rect;
    CRect normalOld = rectOld;
    normalOld.NormalizeRect();
    if (*pbDrawn)
        DrawTrackerRect(&normalOld, pWnd, pDC, pWnd);
    // Captured mouse messages carry client coordinates, negative outside.
    m_rect.right = static_cast<short>(LOWORD(lParam));
    m_rect.bottom = static_cast<short>(HIWORD(lParam));
    CRect normalNew = m_rect;
    normalNew.NormalizeRect();
    DrawTrackerRect(&normalNew, pWnd, pDC, pWnd);
    *pbDrawn = true;
    if (rectOld != m_rect)
        OnChangedRect(rectOld);
}

CRectTracker::TrackEnd CRectTracker::RunTrackLoop(CWnd* pWnd, CDC* pDC)
{
    const HWND hWnd = pWnd->m_hWnd;
    bool bDrawn = false;
    TrackEnd end = TrackEnd::Cancelled;
    for (bool bTracking = true; bTracking;)
    {
        MSG msg;
        BOOL bGot = ::GetMessageW(&msg, NULL, 0, 0);
        if (bGot <= 0)
        {
            if (bGot == 0)
                ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (::GetCapture() != hWnd)
            break;
        switch (msg.message)
        {
        case WM_MOUSEMOVE:
            MoveBandTo(pWnd, pDC, msg.lParam, &bDrawn);
            break;
        case WM_LBUTTONUP:
            MoveBandTo(pWnd, pDC, msg.lParam, &bDrawn);
            end = TrackEnd::Released;
            bTracking = false;
            break;
        case WM_RBUTTONDOWN:
            bTracking = false;
            break;
        case WM_KEYDOWN:
            bTracking = msg.wParam != VK_ESCAPE;
            break;
        default:
            ::DispatchMessageW(&msg);
            if (!::IsWindow(hWnd))
                return TrackEnd::WindowGone;
            break;
        }
    }
    if (bDrawn)
    {
        CRect normal = m_rect;
        normal.NormalizeRect();
        DrawTrackerRect(&normal, pWnd, pDC, pWnd);
    }
    return end;
}

BOOL CRectTracker::TrackRubberBand(CWnd* pWnd, CPoint point, BOOL bAllowInvert)
{
    if (::GetCapture() != NULL)
        return FALSE;
    m_rect.SetRect(point.x, point.y, point.x, point.y);
    ::SetCapture(pWnd->m_hWnd);
    if (::GetCapture() != pWnd->m_hWnd)
        return FALSE;
    const HWND hWnd = pWnd->m_hWnd;
    TrackEnd end;
    {
        CClientDC dc(pWnd);
        end = RunTrackLoop(pWnd, &dc);
    }
    if (end == TrackEnd::WindowGone)
        return FALSE;
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    if (!bAllowInvert)
        m_rect.NormalizeRect();
    CRect normal = m_rect;
    normal.NormalizeRect();
    return end == TrackEnd::Released && !normal.IsRectEmpty();
}
