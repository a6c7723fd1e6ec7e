#include "SizerBar.h"
#include <algorithm>
#include "LanguageIds.h"

IMPLEMENT_DYNCREATE(CSizerBar, CStatic)

BEGIN_MESSAGE_MAP(CSizerBar, CStatic)
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_CANCELMODE()
    ON_WM_CHAR()
    ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

namespace {
// The split cursor last loaded from the resource module, kept for the
// process: bars of every dialog ask for it at each mouse move.
class SizerBarCursorCache {
public:
    ~SizerBarCursorCache()
    {
        if (m_cursor != nullptr)
            DestroyCursor(m_cursor);
    }
    HCURSOR Get(UINT id)
    {
        if (m_cursor != nullptr && m_id == id)
            return m_cursor;
        HCURSOR loaded = static_cast<HCURSOR>(
            LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(id), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE));
        if (loaded == nullptr)
            return nullptr;
        if (m_cursor != nullptr)
            DestroyCursor(m_cursor);
        m_cursor = loaded;
        m_id = id;
        return m_cursor;
    }

private:
    HCURSOR m_cursor = nullptr;
    UINT m_id = 0;
};

SizerBarCursorCache g_sizerBarCursor;

LONG SizerBarClamp(LONG value, LONG low, LONG high)
{
    return std::max(low, std::min(value, high));
}
}

BOOL CSizerBar::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= SS_NOTIFY;
    return CStatic::PreCreateWindow(cs);
}

BOOL CSizerBar::PreTranslateMessage(MSG* pMsg)
{
    if (m_dragging && pMsg->message == WM_SYSCHAR)
        return TRUE;
    return CStatic::PreTranslateMessage(pMsg);
}

bool CSizerBar::IsHorizontalBar()
{
    if (m_orientation < 0) {
        RECT rect;
        GetWindowRect(&rect);
        m_orientation = rect.right - rect.left > rect.bottom - rect.top ? 1 : 0;
    }
    return m_orientation == 1;
}

BOOL CSizerBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (pWnd == this && nHitTest == HTCLIENT) {
        const UINT id = IsHorizontalBar() ? IDC_SPLIT_HORIZONTAL_BAR : IDC_SPLIT_VERTICAL_BAR;
        if (HCURSOR cursor = g_sizerBarCursor.Get(id)) {
            SetCursor(cursor);
            return TRUE;
        }
    }
    return CStatic::OnSetCursor(pWnd, nHitTest, message);
}

POINT CSizerBar::DragOffset(POINT point)
{
    return IsHorizontalBar() ? POINT{0, point.y} : POINT{point.x, 0};
}

void CSizerBar::OnLButtonDown(UINT, CPoint point)
{
    m_dragging = true;
    m_startOffset = m_currentOffset = DragOffset(point);
    GetWindowRect(&m_barRect);
    InvertBarImage();
    SetCapture();
    m_previousFocus = ::SetFocus(m_hWnd);
    m_limits = ComputeDragLimits(point);
}

RECT CSizerBar::ComputeDragLimits(POINT start)
{
    CWnd* dialog = GetParent();
    RECT low = {}, high = {};  // the allowed range of the bar's edges, dialog client coordinates
    WinMapEntry* bar = m_winMgr != nullptr ? m_winMgr->FindEntry(GetDlgCtrlID()) : nullptr;
    if (bar == nullptr || bar->prev == nullptr || bar->next == nullptr) {
        dialog->GetClientRect(&low);
        high = low;
    } else {
        const RECT& before = bar->prev->rect;
        const RECT& after = bar->next->rect;
        WinSizeInfo beforeSize, afterSize;
        m_winMgr->QuerySizeInfo(beforeSize, bar->prev, dialog);
        m_winMgr->QuerySizeInfo(afterSize, bar->next, dialog);
        low.left = std::max(before.left + beforeSize.minimum.cx, after.right - afterSize.maximum.cx);
        low.top = std::max(before.top + beforeSize.minimum.cy, after.bottom - afterSize.maximum.cy);
        high.right = std::min(before.left + beforeSize.maximum.cx, after.right - afterSize.minimum.cx);
        high.bottom = std::min(before.top + beforeSize.maximum.cy, after.bottom - afterSize.minimum.cy);
    }
    // From the dialog's client coordinates to the bar's.
    POINT lowEdge = {low.left, low.top}, highEdge = {high.right, high.bottom};
    dialog->MapWindowPoints(this, &lowEdge, 1);
    dialog->MapWindowPoints(this, &highEdge, 1);
    RECT client;
    GetClientRect(&client);
    // The bar's leading edge may reach lowEdge, its trailing edge highEdge.
    return {lowEdge.x + start.x, lowEdge.y + start.y, highEdge.x - (client.right - start.x),
            highEdge.y - (client.bottom - start.y)};
}

POINT CSizerBar::ClampToLimits(POINT point) const
{
    return {SizerBarClamp(point.x, m_limits.left, m_limits.right),
            SizerBarClamp(point.y, m_limits.top, m_limits.bottom)};
}

void CSizerBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_dragging) {
        CStatic::OnMouseMove(nFlags, point);
        return;
    }
    InvertBarImage();
    const POINT offset = DragOffset(ClampToLimits(point));
    OffsetRect(&m_barRect, offset.x - m_currentOffset.x, offset.y - m_currentOffset.y);
    InvertBarImage();
    m_currentOffset = offset;
}

void CSizerBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (!m_dragging) {
        CStatic::OnLButtonUp(nFlags, point);
        return;
    }
    const POINT end = DragOffset(ClampToLimits(point));
    EndDrag();
    WinMgrNotify notify = {};
    notify.from = nullptr;
    notify.id = GetDlgCtrlID();
    notify.code = static_cast<UINT>(WinMgrCode::SizerBarMoved);
    notify.moved.dx = end.x - m_startOffset.x;
    notify.moved.dy = end.y - m_startOffset.y;
    if (CWnd* dialog = GetParent())
        dialog->SendMessage(g_winMgrMessage, notify.id, reinterpret_cast<LPARAM>(&notify));
}

void CSizerBar::EndDrag()
{
    InvertBarImage();
    m_dragging = false;
    ReleaseCapture();
    if (m_previousFocus != nullptr && IsWindow(m_previousFocus))
        ::SetFocus(m_previousFocus);
    m_previousFocus = nullptr;
}

void CSizerBar::OnCancelMode()
{
    if (m_dragging)
        EndDrag();
    CStatic::OnCancelMode();
}

void CSizerBar::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (m_dragging && nChar == VK_ESCAPE) {
        EndDrag();
        return;
    }
    CStatic::OnChar(nChar, nRepCnt, nFlags);
}

UINT CSizerBar::OnGetDlgCode()
{
    return CStatic::OnGetDlgCode() | DLGC_WANTALLKEYS;
}

void CSizerBar::InvertBarImage()
{
    CWnd* parent = GetParent();
    if (parent == nullptr)
        return;
    RECT parentWindow;
    parent->GetWindowRect(&parentWindow);
    RECT rect = m_barRect;
    OffsetRect(&rect, -parentWindow.left, -parentWindow.top);
    CDC* dc = parent->GetWindowDC();
    if (dc == nullptr)
        return;
    DrawBar(dc, rect);
    parent->ReleaseDC(dc);
}

void CSizerBar::DrawBar(CDC* dc, const RECT& rect)
{
    CBrush brush;
    brush.CreateSolidBrush(GetSysColor(COLOR_3DFACE));
    CBrush* old = dc->SelectObject(&brush);
    dc->PatBlt(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, PATINVERT);
    dc->SelectObject(old);
}
