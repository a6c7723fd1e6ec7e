// A menu held by a class-library object, which destroys it when it goes
// unless the handle was detached first.
#pragma once

class CMenu : public CObject
{
    DECLARE_DYNAMIC(CMenu)
public:
    CMenu();
    virtual ~CMenu();
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    operator HMENU() const
    {
        return m_hMenu;
    }
    HMENU GetSafeHmenu() const
    {
        return m_hMenu;
    }

    // Takes over hMenu; FALSE for a NULL handle or when one is held.
    BOOL Attach(HMENU hMenu);
    HMENU Detach();
    BOOL DestroyMenu();

    // From the resource module (AfxFindResourceHandle).
    BOOL LoadMenu(UINT nIDResource);
    BOOL LoadMenu(LPCTSTR lpszResourceName);

    int GetMenuString(UINT nIDItem, LPTSTR lpString, int nMaxCount, UINT nFlags) const;
    int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;

    HMENU m_hMenu;
};

// A message box owned by the thread's active window, captioned with the
// application's name.
int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// The text is string nIDPrompt of the resource module.
int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);
