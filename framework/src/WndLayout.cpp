// Control-bar layout, dialog-control updates and the tooltip switch of
// CWnd.
#include <afxwin.h>
#include <afxpriv.h>

void AFXAPI AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect)
{
    // The rectangle is in the parent's client coordinates already.
    const UINT flags = SWP_NOACTIVATE | SWP_NOZORDER;
    const int cx = lpRect->right - lpRect->left;
    const int cy = lpRect->bottom - lpRect->top;
    if (lpLayout != NULL && lpLayout->hDWP != NULL)
        lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, hWnd, NULL, lpRect->left, lpRect->top, cx, cy, flags);
    else
        ::SetWindowPos(hWnd, NULL, lpRect->left, lpRect->top, cx, cy, flags);
}

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags, LPRECT lpRectParam,
                          LPCRECT lpRectClient, BOOL bStretch)
{
    AFX_SIZEPARENTPARAMS layout = {};
    layout.bStretch = bStretch;
    if (lpRectClient != NULL)
        layout.rect = *lpRectClient;
    else
        ::GetClientRect(m_hWnd, &layout.rect);
    if (nFlags != reposQuery)
        layout.hDWP = ::BeginDeferWindowPos(8);

    HWND hWndLeftOver = NULL;
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != NULL; hWndChild = ::GetNextWindow(hWndChild, GW_HWNDNEXT))
    {
        const UINT nID = static_cast<UINT>(::GetDlgCtrlID(hWndChild));
        if (nID == nIDLeftOver)
            hWndLeftOver = hWndChild;
        else if (nID >= nIDFirst && nID <= nIDLast && CWnd::FromHandlePermanent(hWndChild) != NULL)
            ::SendMessageW(hWndChild, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
    }

    if (nFlags == reposQuery)
    {
        if (lpRectParam == NULL)
            return;
        if (bStretch)
            *lpRectParam = layout.rect;
        else
            ::SetRect(lpRectParam, 0, 0, layout.sizeTotal.cx, layout.sizeTotal.cy);
        return;
    }

    if (nIDLeftOver != 0 && hWndLeftOver != NULL && !(nFlags & reposNoPosLeftOver))
    {
        if ((nFlags & ~reposNoPosLeftOver) == reposExtra && lpRectParam != NULL)
        {
            layout.rect.left += lpRectParam->left;
            layout.rect.top += lpRectParam->top;
            layout.rect.right -= lpRectParam->right;
            layout.rect.bottom -= lpRectParam->bottom;
        }
        AfxRepositionWindow(&layout, hWndLeftOver, &layout.rect);
    }
    if (layout.hDWP != NULL)
        ::EndDeferWindowPos(layout.hDWP);
}

namespace
{

// Only buttons are disabled for want of a handler, and of them not those
// that check themselves or only frame a group: the user drives those.
bool IsDisabledWithoutHandler(HWND hWndControl)
{
    if (!(::SendMessageW(hWndControl, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON))
        return false;
    const UINT nStyle = static_cast<UINT>(::GetWindowLongW(hWndControl, GWL_STYLE) & 0x0F);
    return nStyle != BS_AUTOCHECKBOX && nStyle != BS_AUTO3STATE && nStyle != BS_GROUPBOX &&
           nStyle != BS_AUTORADIOBUTTON;
}

} // namespace

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != NULL; hWndChild = ::GetNextWindow(hWndChild, GW_HWNDNEXT))
    {
        const UINT nID = static_cast<UINT>(::GetDlgCtrlID(hWndChild));
        // Static texts share the id 0xFFFF: they have no command.
        if (nID == 0 || LOWORD(nID) == 0xFFFF)
            continue;
        CCmdUI state;
        state.m_nID = nID;
        state.m_pOther = CWnd::FromHandle(hWndChild);

        // The control's own reflected handler first, without routing.
        CWnd* pChild = CWnd::FromHandlePermanent(hWndChild);
        if (pChild != NULL &&
            pChild->CWnd::OnCmdMsg(0, MAKELONG(0xFFFF, WM_REFLECT_BASE + WM_COMMAND), &state, NULL))
            continue;
        // Then this window's own handler, then the target's routing.
        if (CWnd::OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &state, NULL))
            continue;
        state.DoUpdate(pTarget, bDisableIfNoHndler && IsDisabledWithoutHandler(hWndChild));
    }
}

BOOL CWnd::EnableToolTips(BOOL bEnable)
{
    const BOOL bWasEnabled = (m_nFlags & WF_TOOLTIPS) != 0;
    if (bEnable)
        m_nFlags |= WF_TOOLTIPS;
    else
        m_nFlags &= ~WF_TOOLTIPS;
    return bWasEnabled;
}
