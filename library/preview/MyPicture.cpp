#include "MyPicture.h"
#include <afxext.h>
#include "PreviewMessages.h"
#include "foundation/base/KvoDarkMode.h"

IMPLEMENT_DYNAMIC(CMyPicture, CStatic)

BEGIN_MESSAGE_MAP(CMyPicture, CStatic)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

void CMyPicture::SetBusy(bool busy)
{
    m_busy = busy;
    Repaint();
}

void CMyPicture::SetTotal(int total)
{
    m_total = total;
    Repaint();
}

void CMyPicture::SetRemaining(int remaining)
{
    m_remaining = remaining;
    Repaint();
}

float CMyPicture::GetPercent() const
{
    if (m_total <= 0)
        return 0.0f;
    return (1.0f - static_cast<float>(m_remaining) / static_cast<float>(m_total)) * 100.0f;
}

// Only invalidates: the percentage is painted at the next WM_PAINT, so a
// stream of progress messages costs one paint per pass of the message loop
// (a worker may call this; InvalidateRect may be called from any thread).
void CMyPicture::Repaint()
{
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CMyPicture::OnPaint()
{
    if (!m_busy) {
        Default();
        return;
    }
    CPaintDC dc(this);
    PaintProgress(dc);
}

// Off-screen, so the number does not flicker while it changes.
void CMyPicture::PaintProgress(CDC& dc)
{
    CRect client;
    GetClientRect(&client);
    const COLORREF fill = g_darkModeActive ? RGB(0, 0, 0) : RGB(255, 255, 255);
    const COLORREF ink = g_darkModeActive ? RGB(255, 255, 255) : RGB(0, 0, 0);
    CDC memory;
    CBitmap canvas;
    if (!memory.CreateCompatibleDC(&dc) || !canvas.CreateCompatibleBitmap(&dc, client.Width(), client.Height()))
        return;
    CBitmap* oldBitmap = memory.SelectObject(&canvas);
    CFont* oldFont = memory.SelectObject(GetParent()->GetFont());
    memory.FillSolidRect(&client, fill);
    memory.SetTextColor(ink);
    memory.SetBkColor(fill);
    CString text;
    text.Format(L"%3.1f%%", GetPercent());
    CSize extent = memory.GetTextExtent(text);
    memory.TextOut((client.Width() - extent.cx) / 2, (client.Height() - extent.cy) / 2, text);
    dc.BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
    memory.SelectObject(oldFont);
    memory.SelectObject(oldBitmap);
}

void CMyPicture::OnLButtonDown(UINT flags, CPoint point)
{
    if (m_busy)
        return;
    // The band's loop dispatches other messages: the preview, and this
    // picture with it, may be destroyed before it returns.
    const HWND window = m_hWnd;
    CRectTracker tracker;
    const BOOL tracked = tracker.TrackRubberBand(this, point, TRUE);
    if (!::IsWindow(window))
        return;
    if (tracked) {
        RECT band = tracker.m_rect;
        GetParent()->SendMessage(WM_PREVIEWZOOM, 0, reinterpret_cast<LPARAM>(&band));
    }
    CStatic::OnLButtonDown(flags, point);
}

void CMyPicture::OnLButtonDblClk(UINT flags, CPoint point)
{
    if (m_busy)
        return;
    POINT at = point;
    const WPARAM direction = (flags & MK_SHIFT) ? 2 : 1;
    GetParent()->SendMessage(WM_PREVIEWZOOM, direction, reinterpret_cast<LPARAM>(&at));
}
