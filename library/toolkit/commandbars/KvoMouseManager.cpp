#include "commandbars/KvoMouseManager.h"
#include "commandbars/KvoCommandBar.h"
#include "foundation/base/KvoDrawHelpers.h"

namespace {
// Frees each thread's manager (and its hook) when the thread ends.
CThreadLocal<CKvoMouseManager> g_mouseManager;

BOOL IsButtonDown(UINT message)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL IsMouseMove(UINT message)
{
    return message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE;
}

// Input-method windows take clicks without the menus closing.
BOOL IsImeWindow(HWND window)
{
    return window && (::GetClassLongPtrW(window, GCL_STYLE) & CS_IME) != 0;
}
} // namespace

POINT CKvoMouseManager::s_lastPoint = {0, 0};

CKvoMouseManager::CKvoMouseManager()
    : m_nLock(0), m_hHook(nullptr), m_pHotBar(nullptr), m_hWndLeaveTracked(nullptr), m_bExpandAll(FALSE),
      m_bSwallowButtonUp(FALSE)
{
    SetHook(TRUE);
}

CKvoMouseManager::~CKvoMouseManager()
{
    SetHook(FALSE);
}

CKvoMouseManager* CKvoMouseManager::ForThisThread()
{
    return g_mouseManager.GetData();
}

CKvoMouseManager* CKvoMouseManager::ExistingForThisThread()
{
    return g_mouseManager.GetDataNA();
}

void CKvoMouseManager::SetHook(BOOL install)
{
    if (install && !m_hHook)
        m_hHook = ::SetWindowsHookExW(WH_MOUSE, MouseProc, nullptr, ::GetCurrentThreadId());
    else if (!install && m_hHook) {
        ::UnhookWindowsHookEx(m_hHook);
        m_hHook = nullptr;
    }
}

void CKvoMouseManager::AddTrackingBar(CKvoCommandBar* bar)
{
    if (m_trackedBars.IsEmpty() && m_pHotBar && m_pHotBar != bar)
        m_pHotBar->ClearHotItem();
    if (!IsTrackedBar(bar))
        m_trackedBars.Add(bar);
}

void CKvoMouseManager::RemoveTrackingBar(CKvoCommandBar* bar)
{
    for (INT_PTR index = 0; index < m_trackedBars.GetSize(); ++index)
        if (m_trackedBars[index] == bar) {
            m_trackedBars.RemoveAt(index);
            break;
        }
    if (m_trackedBars.IsEmpty())
        ResetLastPoint();
    m_bSwallowButtonUp = FALSE;
}

BOOL CKvoMouseManager::IsTrackedBar(CKvoCommandBar* bar) const
{
    for (INT_PTR index = 0; index < m_trackedBars.GetSize(); ++index)
        if (m_trackedBars[index] == bar)
            return TRUE;
    return FALSE;
}

BOOL CKvoMouseManager::IsBarOutsideTracking(CKvoCommandBar* bar) const
{
    if (m_trackedBars.IsEmpty())
        return FALSE;
    if (!bar || bar->GetLockCount() > 0)
        return TRUE;
    return !IsTrackedBar(bar);
}

void CKvoMouseManager::SendTrackLost()
{
    // Each bar removes itself when it loses tracking; one that does not
    // must not hold the loop.
    while (!m_trackedBars.IsEmpty()) {
        CKvoCommandBar* oldest = m_trackedBars[0];
        oldest->OnTrackLost();
        if (!m_trackedBars.IsEmpty() && m_trackedBars[0] == oldest)
            RemoveTrackingBar(oldest);
    }
}

void CKvoMouseManager::CloseUnlockedBars()
{
    if (m_trackedBars.IsEmpty() || m_trackedBars[0]->GetLockCount() <= 0)
        return;
    for (INT_PTR index = m_trackedBars.GetSize() - 1; index >= 0; --index) {
        if (index >= m_trackedBars.GetSize())
            continue;
        CKvoCommandBar* bar = m_trackedBars[index];
        if (bar->GetLockCount() <= 0)
            bar->OnTrackLost();
    }
}

void CKvoMouseManager::LockTrackedBars(BOOL lock)
{
    for (INT_PTR index = 0; index < m_trackedBars.GetSize(); ++index)
        m_trackedBars[index]->AddLockCount(lock ? 1 : -1);
}

void CKvoMouseManager::AddTrustedWindow(HWND window)
{
    m_trustedWindows.Add(window);
}

void CKvoMouseManager::RemoveTrustedWindow(HWND window)
{
    for (INT_PTR index = 0; index < m_trustedWindows.GetSize(); ++index)
        if (m_trustedWindows[index] == window) {
            m_trustedWindows.RemoveAt(index);
            return;
        }
}

CKvoCommandBar* CKvoMouseManager::HitTestTrackedBars(POINT point) const
{
    HWND under = ::WindowFromPoint(point);
    for (INT_PTR index = m_trackedBars.GetSize() - 1; index >= 0; --index) {
        CKvoCommandBar* bar = m_trackedBars[index];
        HWND window = bar->GetSafeHwnd();
        if (!window)
            continue;
        const int inside = bar->IsPointInside(point);
        if (inside == 1)
            return bar;
        if (inside != -2 && under && ::IsChild(window, under))
            return bar;
    }
    return nullptr;
}

BOOL CKvoMouseManager::IsTrustedPoint(POINT point) const
{
    for (INT_PTR index = 0; index < m_trustedWindows.GetSize(); ++index) {
        HWND window = m_trustedWindows[index];
        CRect rect;
        if (::IsWindowVisible(window) && ::GetWindowRect(window, &rect) && rect.PtInRect(point))
            return TRUE;
    }
    return FALSE;
}

BOOL CKvoMouseManager::PreviewTrackMessage(CKvoCommandBar* bar, const MSG* msg) const
{
    if (!IsButtonDown(msg->message) || msg->message == WM_NCMBUTTONDOWN)
        return FALSE;
    POINT point;
    ::GetCursorPos(&point);
    if (m_trackedBars.IsEmpty())
        return TRUE;
    CKvoCommandBar* hit = HitTestTrackedBars(point);
    if (hit && (hit->GetLockCount() <= 0 || (bar && bar->GetLockCount() > 0)))
        return FALSE;
    if (IsTrustedPoint(point))
        return FALSE;
    HWND under = ::WindowFromPoint(point);
    return !under || !IsImeWindow(under);
}

LRESULT CALLBACK CKvoMouseManager::MouseProc(int code, WPARAM wParam, LPARAM lParam)
{
    CKvoMouseManager* manager = ForThisThread();
    if (code == HC_ACTION) {
        const MOUSEHOOKSTRUCT* hook = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
        if (manager->OnHookMessage(static_cast<UINT>(wParam), hook->pt))
            return 1;
    }
    return ::CallNextHookEx(manager->m_hHook, code, wParam, lParam);
}

BOOL CKvoMouseManager::OnHookMessage(UINT message, POINT point)
{
    if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN)
        m_bSwallowButtonUp = FALSE;
    if ((message == WM_LBUTTONUP || message == WM_NCLBUTTONUP) && m_bSwallowButtonUp) {
        m_bSwallowButtonUp = FALSE;
        return TRUE;
    }
    if (m_trackedBars.IsEmpty())
        return FALSE;
    // A mouse held still makes the system repeat its move: one is enough.
    if (IsMouseMove(message)) {
        if (point.x == s_lastPoint.x && point.y == s_lastPoint.y)
            return TRUE;
        s_lastPoint = point;
    }
    OnTrackedMouseMessage(message, point);
    return FALSE;
}

void CKvoMouseManager::OnTrackedMouseMessage(UINT message, POINT point)
{
    if (CKvoCommandBar* hit = HitTestTrackedBars(point)) {
        if (hit->GetLockCount() > 0 && !IsMouseMove(message) && !m_bSwallowButtonUp) {
            CloseUnlockedBars();
            s_lastPoint = CPoint(0, 0);
        }
        return;
    }
    if (IsTrustedPoint(point) || IsImeWindow(::WindowFromPoint(point)))
        return;
    if (IsMouseMove(message)) {
        // The bars may leave tracking while they handle the move.
        CTrackArray bars;
        bars.Copy(m_trackedBars);
        for (INT_PTR index = 0; index < bars.GetSize(); ++index) {
            CKvoCommandBar* bar = bars[index];
            if (!IsTrackedBar(bar) || bar->GetLockCount() > 0 || !bar->GetSafeHwnd())
                continue;
            CPoint client = point;
            bar->ScreenToClient(&client);
            bar->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
        }
    } else if (IsButtonDown(message)) {
        SendTrackLost();
    } else if ((message == WM_LBUTTONUP || message == WM_NCLBUTTONUP) && !IsMouseLocked()) {
        SendTrackLost();
    }
}

void CKvoMouseManager::TrackMouseLeave(HWND window)
{
    if (window == m_hWndLeaveTracked)
        return;
    if (m_hWndLeaveTracked && ::IsWindow(m_hWndLeaveTracked)) {
        ::KillTimer(m_hWndLeaveTracked, kMouseLeaveTimer);
        ::SendMessageW(m_hWndLeaveTracked, WM_MOUSELEAVE, 0, 0);
    }
    m_hWndLeaveTracked = window;
    if (window)
        ::SetTimer(window, kMouseLeaveTimer, 50, MouseLeaveTimerProc);
}

void CALLBACK CKvoMouseManager::MouseLeaveTimerProc(HWND window, UINT, UINT_PTR, DWORD)
{
    CKvoMouseManager* manager = ForThisThread();
    if (!::IsWindow(window)) {
        if (manager->m_hWndLeaveTracked == window)
            manager->m_hWndLeaveTracked = nullptr;
        return;
    }
    const BOOL active = !::GetParent(window) || (::GetWindowLongW(window, GWL_STYLE) & WS_POPUP) ||
                        CKvoDrawHelpers::IsTopParentActive(window);
    POINT cursor;
    CRect rect;
    ::GetCursorPos(&cursor);
    ::GetWindowRect(window, &rect);
    if (active && rect.PtInRect(cursor))
        return;
    ::KillTimer(window, kMouseLeaveTimer);
    if (manager->m_hWndLeaveTracked == window)
        manager->m_hWndLeaveTracked = nullptr;
    ::PostMessageW(window, WM_MOUSELEAVE, 0, 0);
}

void CKvoMouseManager::ResetLastPoint()
{
    s_lastPoint = CPoint(-1, -1);
    POINT cursor;
    if (::GetCursorPos(&cursor))
        ::SetCursorPos(cursor.x, cursor.y);
}
