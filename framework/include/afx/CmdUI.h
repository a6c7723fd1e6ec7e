// The user-interface state of one command (a menu item or a control), set
// by the ON_UPDATE_COMMAND_UI handler it is routed to.
// Part of <afxwin.h>; include that instead.
#pragma once

class CCmdUI
{
public:
    CCmdUI();
    virtual ~CCmdUI() = default;

    virtual void Enable(BOOL bOn = TRUE);
    // 0 unchecked, 1 checked, 2 indeterminate.
    virtual void SetCheck(int nCheck = 1);
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCTSTR lpszText);
    // Routes the command's update to pTarget; with bDisableIfNoHndler, a
    // command no handler updates is disabled.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
    // Called by a handler that leaves the update to the next target.
    void ContinueRouting()
    {
        m_bContinueRouting = TRUE;
    }

    UINT m_nID;
    UINT m_nIndex;
    // The menu item (m_pMenu, m_nIndex by position) or the control (m_pOther).
    CMenu* m_pMenu;
    CWnd* m_pOther;
    BOOL m_bEnableChanged;
    BOOL m_bContinueRouting;
};
