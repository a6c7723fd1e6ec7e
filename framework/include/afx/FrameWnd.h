// A top-level frame: the window that lays out its control bars around the
// pane, is told at idle time what to bring up to date, and holds the
// context-help mode. Part of <afxwin.h>; include that instead.
#pragma once

#define AFX_IDW_CONTROLBAR_FIRST 0xE800
#define AFX_IDW_CONTROLBAR_LAST 0xE8FF
#define AFX_IDW_PANE_FIRST 0xE900

// m_bHelpMode values besides FALSE.
#define HELP_ACTIVE 1
#define HELP_ENTERING (-1)

class CFrameWnd : public CWnd
{
    DECLARE_DYNCREATE(CFrameWnd)
public:
    // What the next idle update must do.
    enum IdleFlags
    {
        idleMenu = 1,
        idleTitle = 2,
        idleNotify = 4,
        idleLayout = 8
    };

    CFrameWnd();

    // A frame window of the class library's frame class unless
    // lpszClassName names another.
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                        const RECT& rect = rectDefault, CWnd* pParentWnd = NULL, LPCTSTR lpszMenuName = NULL,
                        DWORD dwExStyle = 0, CCreateContext* pContext = NULL);

    // Places the bars (ids in the control-bar range) along the client edges
    // and the pane (AFX_IDW_PANE_FIRST) in what is left.
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    // The layout is due at the next idle update.
    void DelayRecalcLayout(BOOL bNotify = TRUE);

    // Whether the frame is in context-help (Shift+F1) mode.
    BOOL IsHelpMode() const
    {
        return m_bHelpMode != FALSE;
    }

    static const CRect rectDefault;

    UINT m_nIdleFlags;
    // FALSE, HELP_ACTIVE or HELP_ENTERING.
    int m_bHelpMode;

protected:
    // Called when the frame is gone: a frame deletes itself.
    void PostNcDestroy() override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    // Runs what the idle flags ask, then clears them.
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bInRecalcLayout;
};
