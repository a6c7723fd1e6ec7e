// A window held by a class-library object.
//
// Handle maps: the object attached to a window is found through the calling
// thread's permanent map (FromHandlePermanent); FromHandle of a window no
// object holds gives a temporary CWnd that the thread owns and deletes when
// the outermost message it is handling returns, when it was made in that
// message (see AfxUnlockTempMaps), or at DeleteTempMap.
// An object is attached, used and detached on the thread of its window.
//
// Messages reach the object through AfxWndProc, which every window the
// object creates or subclasses runs. That procedure is an exception
// boundary: a handler may throw, nothing leaves the procedure (a CException
// is deleted); the message then answers its failure result (-1 for
// WM_CREATE, FALSE for WM_NCCREATE, 0 otherwise; a WM_PAINT validates the
// window so it is not sent again).
// Part of <afxwin.h>; include that instead.
#pragma once

class CScrollBar;
class COleControlSite;
class CDataExchange;
struct CCreateContext;

// m_nFlags of a window.
#define WF_CONTINUEMODAL 0x0080
#define WF_MODALLOOP 0x0800
#define WF_TOOLTIPS 0x0001

class CFrameWnd;

class CWnd : public CCmdTarget
{
    DECLARE_DYNCREATE(CWnd)
public:
    CWnd();
    // Destroys the window when it is still attached.
    ~CWnd() override;

    operator HWND() const
    {
        return m_hWnd;
    }
    // NULL also when called through a NULL pointer.
    HWND GetSafeHwnd() const;
    BOOL operator==(const CWnd& wnd) const
    {
        return wnd.m_hWnd == m_hWnd;
    }
    BOOL operator!=(const CWnd& wnd) const
    {
        return wnd.m_hWnd != m_hWnd;
    }

    static CWnd* PASCAL FromHandle(HWND hWnd);
    static CWnd* PASCAL FromHandlePermanent(HWND hWnd);
    static void PASCAL DeleteTempMap();

    // Takes hWnd into the thread's permanent map without subclassing it.
    BOOL Attach(HWND hWndNew);
    HWND Detach();
    // Attaches and routes the window's messages through this object; the
    // window's own procedure becomes the default procedure.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    // Puts the original procedure back and detaches.
    HWND UnsubclassWindow();
    virtual WNDPROC* GetSuperWndProcAddr();

    // Creation; the window is attached before its first message.
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, CCreateContext* pContext = NULL);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                          int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam = NULL);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                          const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = NULL);
    virtual BOOL DestroyWindow();
    // Creates a child window of pParentWnd that holds the OLE control of
    // clsid, activated in place and filling the window. FALSE (and no
    // window) when the control cannot be made or activated; COM must be
    // initialised on the thread.
    BOOL CreateControl(REFCLSID clsid, LPCTSTR pszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                       UINT nID);
    // The control's IUnknown, not add-referenced; NULL without one.
    LPUNKNOWN GetControlUnknown();
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    // Called before the window is subclassed (at creation or SubclassWindow).
    virtual void PreSubclassWindow();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // The tool at point (client coordinates) for a tooltip owner to fill
    // into pTI: its id, or -1 (the default) for no tool.
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;
    // Offers pMsg to PreTranslateMessage of each window from its target up
    // to hWndStop; TRUE when one took it. A handler that throws counts as
    // not taking it.
    static BOOL PASCAL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);
    // Called after the window is gone and detached: a window that deletes
    // itself does it here.
    virtual void PostNcDestroy();

    // Message processing.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The default procedure with the message being handled.
    LRESULT Default();
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // A control's chance to handle what it sent its parent; reflects it to
    // the control's own ..._REFLECT entries.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Reflects the message being handled to the child control hWndChild.
    static BOOL PASCAL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = NULL);
    BOOL SendChildNotifyLastMsg(LRESULT* pResult = NULL);
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL bDeep = TRUE,
                                  BOOL bOnlyPerm = FALSE);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    // Relations.
    CWnd* GetParent() const;
    CWnd* GetOwner() const;
    CWnd* GetTopLevelParent() const;
    CWnd* GetWindow(UINT nCmd) const;
    CWnd* GetDlgItem(int nID) const;
    void GetDlgItem(int nID, HWND* phWnd) const;
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int nID);
    BOOL IsChild(const CWnd* pWnd) const;
    // The first frame window up the parent chain (not this window itself).
    CFrameWnd* GetParentFrame() const;

    // Layout of control bars: each child whose id lies in [nIDFirst,
    // nIDLast] gets WM_SIZEPARENT and takes its room out of the client
    // rectangle; the child nIDLeftOver fills what remains. With reposQuery
    // nothing moves and lpRectParam receives the remaining rectangle (or,
    // without bStretch, the total size the bars asked for); with reposExtra
    // lpRectParam holds extra borders around the left-over child.
    enum RepositionFlags
    {
        reposDefault = 0,
        reposQuery = 1,
        reposExtra = 2,
        reposNoPosLeftOver = 0x8000
    };
    void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags = reposDefault,
                        LPRECT lpRectParam = NULL, LPCRECT lpRectClient = NULL, BOOL bStretch = TRUE);
    // Updates each child control's state through its own reflected update
    // handler, else this window's, else pTarget's routing; with
    // bDisableIfNoHndler a command no one handles is disabled.
    void UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
    // Marks the window as one whose tools (OnToolHitTest) show tooltips;
    // the previous setting is returned.
    BOOL EnableToolTips(BOOL bEnable = TRUE);

    // Text.
    void SetWindowText(LPCTSTR lpszString);
    int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const;
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;
    void SetDlgItemText(int nID, LPCTSTR lpszString);
    int GetDlgItemText(int nID, CString& rString) const;
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = NULL, BOOL bSigned = TRUE) const;
    void CheckDlgButton(int nIDButton, UINT nCheck);
    UINT IsDlgButtonChecked(int nIDButton) const;
    void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetFont() const;

    // Styles.
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    // nFlags, when not 0, go to SetWindowPos with the frame-changed redraw.
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);

    // Position and size.
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void GetWindowRect(LPRECT lpRect) const;
    void GetClientRect(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const;
    void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const;
    void CenterWindow(CWnd* pAlternateOwner = NULL);
    int SetWindowRgn(HRGN hRgn, BOOL bRedraw);

    // State.
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    void SetRedraw(BOOL bRedraw = TRUE);

    // Timers, capture and focus.
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = NULL);
    BOOL KillTimer(UINT_PTR nIDEvent);
    CWnd* SetCapture();
    static CWnd* PASCAL GetCapture();
    CWnd* SetFocus();
    static CWnd* PASCAL GetFocus();

    // Painting.
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void ValidateRect(LPCRECT lpRect);
    void UpdateWindow();
    BOOL RedrawWindow(LPCRECT lpRectUpdate = NULL, CRgn* prgnUpdate = NULL,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    CDC* GetDC();
    CDC* GetWindowDC();
    int ReleaseDC(CDC* pDC);

    BOOL OpenClipboard();

    // Dialog data: DoDataExchange moves values between members and controls
    // (to the members when bSaveAndValidate). FALSE when a value failed.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX);

    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;

    HWND m_hWnd;
    UINT m_nFlags;
    // The site of the control CreateControl made; owned, released with the
    // window.
    COleControlSite* m_pCtrlSite;

protected:
    // The handlers of CWnd's own map and the defaults of the ON_WM_ entries:
    // each passes the message to the default procedure, except where noted.
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    // Restores the original procedure, detaches, then PostNcDestroy.
    afx_msg void OnNcDestroy();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnMove(int x, int y);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnClose();
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnMouseLeave();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnCancelMode();
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg void OnSysColorChange();
    afx_msg LRESULT OnThemeChanged();
    afx_msg void OnUpdateUIState(UINT nAction, UINT nUIElement);
    afx_msg LRESULT OnPrintClient(CDC* pDC, UINT nFlags);
    // These reflect to the control first; the default procedure otherwise.
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);

    DECLARE_MESSAGE_MAP()

    WNDPROC m_pfnSuper;

private:
    // The special windows of SetWindowPos's insert-after argument.
    explicit CWnd(HWND hWnd);
    BOOL ReflectCtlColor(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
};

// The procedure of every window that a CWnd handles.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
WNDPROC AFXAPI AfxGetAfxWndProc();
// Routes one message to pWnd inside the exception boundary.
LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

// The name of a window class of AfxWndProc with these class style, cursor,
// brush and icon; registered on first use in the instance module. The
// returned buffer belongs to the calling thread until its next call.
LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = NULL, HBRUSH hbrBackground = NULL,
                                   HICON hIcon = NULL);

// Registers the class unless a class of that name is registered in its
// instance already; FALSE when it cannot be registered.
BOOL AFXAPI AfxRegisterClass(WNDCLASS* lpWndClass);

// pObject as a pointer to class_name when it is one, else NULL.
#define DYNAMIC_DOWNCAST(class_name, object) \
    (static_cast<class_name*>(AfxDynamicDownCast(RUNTIME_CLASS(class_name), (object))))
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))
CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject);
