// CWnd message routing: the map search, commands and notifications, and
// reflection of a control's notifications back to the control.
#include <afxwin.h>

#include "AfxThreadState.h"

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_NCDESTROY()
    ON_WM_CTLCOLOR()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
END_MESSAGE_MAP()

namespace
{

bool IsCtlColorMessage(UINT message)
{
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

// bOnlyPerm: only windows a CWnd holds, called directly.
void SendToDescendants(HWND hWndParent, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    for (HWND hWndChild = ::GetTopWindow(hWndParent); hWndChild != NULL;
         hWndChild = ::GetNextWindow(hWndChild, GW_HWNDNEXT))
    {
        if (!bOnlyPerm)
            ::SendMessageW(hWndChild, message, wParam, lParam);
        else if (CWnd* pWnd = CWnd::FromHandlePermanent(hWndChild))
            AfxCallWndProc(pWnd, hWndChild, message, wParam, lParam);
        if (bDeep)
            SendToDescendants(hWndChild, message, wParam, lParam, bDeep, bOnlyPerm);
    }
}

} // namespace

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    BOOL bHandled;
    if (message == WM_COMMAND)
    {
        bHandled = OnCommand(wParam, lParam);
        lResult = 1;
    }
    else if (message == WM_NOTIFY)
    {
        bHandled = OnNotify(wParam, lParam, &lResult);
    }
    else
    {
        // The WM_CTLCOLOR family shares one map message; nID carries the kind.
        bool bCtlColor = IsCtlColorMessage(message);
        AFX_CALL call = {bCtlColor ? WM_CTLCOLOR : message, wParam, lParam,
                         bCtlColor ? message - WM_CTLCOLORMSGBOX : 0, NULL, 0};
        bHandled = DispatchFromMaps(call.nMessage, 0, 0, call);
        lResult = call.lResult;
    }
    if (bHandled && pResult != NULL)
        *pResult = lResult;
    return bHandled;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    if (hWndCtrl == NULL)
        nCode = CN_COMMAND; // menus and accelerators
    else if (ReflectLastMsg(hWndCtrl))
        return TRUE; // the control handled its own notification
    return OnCmdMsg(nID, nCode, NULL, NULL);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (ReflectLastMsg(pNMHDR->hwndFrom, pResult))
        return TRUE;
    AFX_NOTIFY notify = {pResult, pNMHDR};
    return OnCmdMsg(static_cast<UINT>(pNMHDR->idFrom), MAKELONG(pNMHDR->code, WM_NOTIFY), &notify, NULL);
}

BOOL PASCAL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* pWnd = FromHandlePermanent(hWndChild);
    return pWnd != NULL && pWnd->SendChildNotifyLastMsg(pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult)
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return OnChildNotify(msg.message, msg.wParam, msg.lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message)
    {
    case WM_COMMAND:
        return CCmdTarget::OnCmdMsg(0, MAKELONG(HIWORD(wParam), WM_REFLECT_BASE + WM_COMMAND), NULL, NULL);
    case WM_NOTIFY:
    {
        NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        LRESULT lDummy = 0;
        AFX_NOTIFY notify = {pResult != NULL ? pResult : &lDummy, pNMHDR};
        return CCmdTarget::OnCmdMsg(0, MAKELONG(pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY), &notify, NULL);
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
        return OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
    default:
        return IsCtlColorMessage(message) && ReflectCtlColor(message, wParam, lParam, pResult);
    }
}

BOOL CWnd::ReflectCtlColor(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    AFX_CALL call = {WM_REFLECT_BASE + WM_CTLCOLOR, wParam, lParam, message - WM_CTLCOLORMSGBOX, NULL, 0};
    if (!DispatchFromMaps(call.nMessage, 0, 0, call))
        return FALSE;
    if (pResult != NULL)
        *pResult = call.lResult;
    return TRUE;
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    SendToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

INT_PTR CWnd::OnToolHitTest(CPoint, TOOLINFO*) const
{
    return -1;
}

BOOL PASCAL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    try
    {
        for (HWND hWnd = pMsg->hwnd; hWnd != NULL; hWnd = ::GetParent(hWnd))
        {
            CWnd* pWnd = FromHandlePermanent(hWnd);
            if (pWnd != NULL && pWnd->PreTranslateMessage(pMsg))
                return TRUE;
            if (hWnd == hWndStop)
                break;
        }
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    return FALSE;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessageW(m_hWnd, message, wParam, lParam);
}

void CWnd::OnNcDestroy()
{
    WNDPROC pfnWndProc = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC));
    Default();
    // Give the window its own procedure back unless someone subclassed it
    // after us.
    if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC)) == pfnWndProc)
    {
        WNDPROC pfnSuper = *GetSuperWndProcAddr();
        if (pfnSuper != NULL)
            ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pfnSuper));
    }
    // The thread must not keep a main or active window that is gone.
    if (CWinThread* pThread = AfxGetThread())
    {
        if (pThread->m_pMainWnd == this)
            pThread->m_pMainWnd = NULL;
        if (pThread->m_pActiveWnd == this)
            pThread->m_pActiveWnd = NULL;
    }
    Detach();
    PostNcDestroy();
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT)
{
    LRESULT lResult;
    if (ReflectLastMsg(pWnd->GetSafeHwnd(), &lResult))
        return reinterpret_cast<HBRUSH>(lResult);
    return reinterpret_cast<HBRUSH>(Default());
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar == NULL || !ReflectLastMsg(pScrollBar->GetSafeHwnd()))
        Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar == NULL || !ReflectLastMsg(pScrollBar->GetSafeHwnd()))
        Default();
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct->CtlType == ODT_MENU || !ReflectLastMsg(lpDrawItemStruct->hwndItem))
        Default();
}

void CWnd::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT)
{
    HWND hWndChild = nIDCtl != 0 ? ::GetDlgItem(m_hWnd, nIDCtl) : NULL;
    if (hWndChild == NULL || !ReflectLastMsg(hWndChild))
        Default();
}
