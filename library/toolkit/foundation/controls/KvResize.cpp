#include "foundation/controls/KvResize.h"
#include "foundation/controls/KvResizeGroupBox.h"
#include "foundation/base/KvoRects.h"

namespace {
// A child's window rectangle in its parent's client coordinates.
CRect KvResizeRectInParent(HWND child, HWND parent)
{
    CRect rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Conversion toward zero, as the edges are placed on whole pixels.
int KvResizeTrunc(float value)
{
    return static_cast<int>(value);
}
}

CKvResizeItem::CKvResizeItem(CWnd* wnd, const CKvResizeAnchor& anchor, const RECT& rect, BOOL ownsWnd)
    : m_bRepaint(FALSE), m_bOwnsWnd(ownsWnd), m_bPlaced(FALSE), m_pWnd(wnd), m_anchor(anchor), m_pos(rect)
{
}

CKvResizeItem::~CKvResizeItem()
{
    if (m_bOwnsWnd && m_pWnd) {
        m_pWnd->Detach();
        delete m_pWnd;
    }
}

bool CKvResizeItem::HasWindow() const
{
    return m_pWnd && IsWindow(m_pWnd->m_hWnd);
}

bool CKvResizeItem::PrepareGroupBox(CKvResize* owner)
{
    if ((owner->m_nFlags & KvResizeFlag::NoGroupBoxFix) || !HasWindow())
        return false;
    wchar_t className[8] = {};
    GetClassNameW(m_pWnd->m_hWnd, className, _countof(className));
    if (lstrcmpiW(className, L"Button") != 0)
        return false;
    // Only a plain group box: BS_GROUPBOX without WS_TABSTOP.
    if ((m_pWnd->GetStyle() & (WS_TABSTOP | 0x7)) != BS_GROUPBOX)
        return false;
    if (m_pWnd->IsKindOf(RUNTIME_CLASS(CKvResizeGroupBox)))
        return false;
    m_pWnd->ModifyStyleEx(0, WS_EX_TRANSPARENT);
    m_pWnd->SetWindowPos(nullptr, 0, 0, 0, 0,
                         SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    m_bRepaint = TRUE;
    return true;
}

CKvResize::CKvResize(CWnd* wnd, UINT flags)
    : m_nFlags(flags), m_pWnd(wnd), m_szLast(0, 0), m_szInitial(0, 0), m_szMin(0, 0)
{
}

CKvResize::~CKvResize()
{
    ClearItems();
}

void CKvResize::ClearItems()
{
    for (INT_PTR i = 0; i < m_items.GetSize(); ++i)
        delete m_items[i];
    m_items.RemoveAll();
}

void CKvResize::Init()
{
    if (!m_pWnd)
        return;
    ClearItems();
    CRect client = CKvoClientRect(m_pWnd);
    m_szInitial = m_szLast = client.Size();
    if (!(m_nFlags & KvResizeFlag::NoMinSize))
        m_szMin = client.Size();
    if (!(m_nFlags & KvResizeFlag::KeepClipChildren))
        m_pWnd->ModifyStyle(0, WS_CLIPCHILDREN);
    if (!(m_nFlags & KvResizeFlag::NoSizeIcon))
        CreateSizeIcon();
}

void CKvResize::CreateSizeIcon()
{
    if (!m_sizeIcon.m_hWnd) {
        CRect client = CKvoClientRect(m_pWnd);
        client.OffsetRect(-1, -1);
        CRect grip(client.right - GetSystemMetrics(SM_CXVSCROLL), client.bottom - GetSystemMetrics(SM_CYHSCROLL),
                   client.right, client.bottom);
        m_sizeIcon.Create(WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP, grip, m_pWnd, kKvSizeIconId);
    }
    // Above every other child, so that no control covers the corner.
    m_sizeIcon.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_FRAMECHANGED);
    AnchorControl(kKvSizeIconId, nullptr, CKvResizeAnchor(1, 1, 1, 1));
}

CKvResizeItem* CKvResize::FindItem(UINT id) const
{
    // Of several items of one id the one added first counts.
    for (INT_PTR i = 0; i < m_items.GetSize(); ++i) {
        CKvResizeItem* item = m_items[i];
        if (item->HasWindow() && UINT(item->m_pWnd->GetDlgCtrlID()) == id)
            return item;
    }
    return nullptr;
}

void CKvResize::AnchorControl(UINT id, HWND hwnd, const CKvResizeAnchor& anchor)
{
    if (CKvResizeItem* item = FindItem(id)) {
        item->m_anchor += anchor;
        return;
    }
    if (!hwnd && m_pWnd && IsWindow(m_pWnd->m_hWnd))
        hwnd = GetDlgItem(m_pWnd->m_hWnd, int(id));
    CWnd* control = CWnd::FromHandlePermanent(hwnd);
    BOOL ownsWnd = FALSE;
    CRect rect(0, 0, 0, 0);
    if (hwnd) {
        if (!control) {
            control = new CWnd;
            control->Attach(hwnd);
            ownsWnd = TRUE;
        }
        rect = KvResizeRectInParent(hwnd, m_pWnd->GetSafeHwnd());
    }
    // An id that names no control gives an item without a window, which
    // every layout skips.
    CKvResizeItem* item = new CKvResizeItem(control, anchor, rect, ownsWnd);
    item->PrepareGroupBox(this);
    m_items.Add(item);
}

void CKvResize::AdjustClientSize(SIZE&)
{
}

void CKvResize::Size()
{
    if (m_items.IsEmpty())
        return;
    CRect client = CKvoClientRect(m_pWnd);
    // A minimised window has no client area: nothing moves.
    if (client.Width() == 0 || client.Height() == 0)
        return;
    CSize size = client.Size();
    AdjustClientSize(size);
    int dx = size.cx - m_szLast.cx;
    int dy = size.cy - m_szLast.cy;
    if (dx == 0 && dy == 0)
        return;
    HDWP batch = BeginDeferWindowPos(int(m_items.GetSize()));
    for (INT_PTR i = 0; i < m_items.GetSize(); ++i)
        Defer(&batch, m_items[i], dx, dy);
    if (batch)
        EndDeferWindowPos(batch);
    for (INT_PTR i = 0; i < m_items.GetSize(); ++i) {
        if (m_items[i]->m_bRepaint && m_items[i]->HasWindow())
            m_items[i]->m_pWnd->Invalidate(TRUE);
    }
    m_szLast = size;
}

BOOL CKvResize::Defer(HDWP* batch, CKvResizeItem* item, int dx, int dy)
{
    if (!item->HasWindow())
        return TRUE;
    if (!item->m_bPlaced) {
        // An item added after the window was resized moves by the whole
        // change since Init.
        CSize client = CKvoClientRect(m_pWnd).Size();
        dx = client.cx - m_szInitial.cx;
        dy = client.cy - m_szInitial.cy;
        item->m_bPlaced = TRUE;
    }
    const CKvResizeAnchor& pos = item->m_pos;
    const CKvResizeAnchor& anchor = item->m_anchor;
    CKvResizeAnchor moved(pos.left + dx * anchor.left, pos.top + dy * anchor.top, pos.right + dx * anchor.right,
                          pos.bottom + dy * anchor.bottom);
    if (moved == pos)
        return TRUE;
    int x = KvResizeTrunc(moved.left);
    int y = KvResizeTrunc(moved.top);
    int cx = KvResizeTrunc(moved.right - moved.left);
    int cy = KvResizeTrunc(moved.bottom - moved.top);
    CRect now = KvResizeRectInParent(item->m_pWnd->m_hWnd, m_pWnd->m_hWnd);
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    if (x == now.left && y == now.top)
        flags |= SWP_NOMOVE;
    if (KvResizeTrunc(moved.right) - x != now.Width() || KvResizeTrunc(moved.bottom) - y != now.Height())
        flags |= SWP_NOCOPYBITS;
    else
        flags |= SWP_NOSIZE;
    *batch = DeferWindowPos(*batch, item->m_pWnd->m_hWnd, nullptr, x, y, cx, cy, flags);
    if (!*batch)
        return FALSE;
    item->m_pos = moved;
    return TRUE;
}

void CKvResize::ApplyTrackLimits(MINMAXINFO* info)
{
    if (!m_pWnd || !IsWindow(m_pWnd->m_hWnd))
        return;
    CRect client = CKvoClientRect(m_pWnd);
    if (client.IsRectEmpty())
        return;
    CRect window;
    m_pWnd->GetWindowRect(&window);
    int frameX = window.Width() - client.Width();
    int frameY = window.Height() - client.Height();
    if (m_szLast != CSize(0, 0)) {
        if (m_nFlags & KvResizeFlag::LockWidth)
            info->ptMaxSize.x = info->ptMaxTrackSize.x = m_szLast.cx + frameX;
        if (m_nFlags & KvResizeFlag::LockHeight)
            info->ptMaxSize.y = info->ptMaxTrackSize.y = m_szLast.cy + frameY;
    }
    if (m_szMin.cx)
        info->ptMinTrackSize.x = m_szMin.cx + frameX;
    if (m_szMin.cy)
        info->ptMinTrackSize.y = m_szMin.cy + frameY;
}

BOOL CKvResize::StorePlacement(LPCWSTR section)
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    if (!m_pWnd || !GetWindowPlacement(m_pWnd->GetSafeHwnd(), &placement))
        return FALSE;
    CWinApp* app = AfxGetApp();
    if (!app)
        return FALSE;
    app->WriteProfileBinary(section, L"WindowPlacement", reinterpret_cast<LPBYTE>(&placement), sizeof(placement));
    return TRUE;
}
