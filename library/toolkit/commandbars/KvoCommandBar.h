#pragma once
#include <afxwin.h>
#include "foundation/base/KvoAccessible.h"
#include "foundation/base/KvoHookManager.h"

class CKvoBarManager;
class CKvoControl;
class CKvoControls;
class CKvoPaintManager;
class CKvoImageManager;
class CKvoMouseManager;
class CKvoKeyboardManager;

// Bar types and positions.
enum KvoBarType { KvoBarTypeMenuBar = 0, KvoBarTypeNormal = 1, KvoBarTypePopup = 2 };
enum KvoBarPosition {
    KvoBarTop = 0,
    KvoBarBottom = 1,
    KvoBarLeft = 2,
    KvoBarRight = 3,
    KvoBarFloating = 4,
    KvoBarPopup = 5,
    KvoBarNone = 6,
    KvoBarUnplaced = 7,
};

// Messages a bar sends its site.
const UINT KVO_SITE_CONTROL_SELECTED = 10326;  // wParam: the control, 0 when none is hot
const UINT KVO_SITE_MENUBAR_TRACKING = 10328;  // wParam: the menu bar

// Update flags of a bar: what its next idle update must do.
const DWORD KVO_BAR_UPDATE_LAYOUT = 1;
const DWORD KVO_BAR_UPDATE_REDRAW = 2;

// The window every bar derives from: it owns one control collection, asks
// its paint manager to draw it and routes its controls' commands to its
// owner site. This holds the bar's state and what its controls ask of it;
// a bar without a window and without a manager is a valid bar whose
// controls take their windowless roads. UI thread only.
class CKvoCommandBar : public CWnd, public CKvoHookManagerHookAble, public CKvoAccessible {
    DECLARE_SERIAL(CKvoCommandBar)
public:
    CKvoCommandBar();
    ~CKvoCommandBar() override;

    virtual void DelayRedraw() { m_dwUpdateFlags |= KVO_BAR_UPDATE_REDRAW; }
    virtual BOOL SetTrackingMode(int mode, BOOL selectFirst, BOOL keyboard);
    // Builds controls from the items of menu; FALSE for no menu.
    virtual BOOL LoadMenu(CMenu* menu, BOOL removeAll = TRUE);
    virtual BOOL SetSelected(int index, BOOL keyboard);
    virtual CSize GetIconSize() const;
    virtual CSize GetButtonSize() const;
    // The size of large images: the icon size doubled (32 x 32 without
    // one); with a manager, automatic asks the paint manager's automatic
    // large size instead.
    CSize GetLargeIconSize(BOOL automatic) const;
    CSize GetAutoIconSize(BOOL large) const;
    // A window, visible as a bar and as a window, with a non-empty rectangle.
    BOOL IsWindowShown() const;
    virtual BOOL IsVisible() const { return FALSE; }
    virtual BOOL IsCustomizable() const { return m_bCustomizable; }
    virtual void OnRecalcLayout() {}
    virtual void OnTrackLost() { SetTrackingMode(0, TRUE, FALSE); }
    // Tells the site, keeps the help context in the manager and shows the
    // control's description as status prompt (the idle message when none
    // is hot).
    virtual void OnControlSelected(BOOL selected, CKvoControl* control);
    virtual CKvoCommandBar* GetParentCommandBar() const { return nullptr; }
    virtual BOOL IsRibbonBar() const { return FALSE; }
    virtual BOOL IsPopupBar() const { return FALSE; }
    // Whether rect meets the part of a ribbon's caption drawn on glass; no
    // other bar has one.
    virtual BOOL IsOnGlassCaption(const CRect&) const { return FALSE; }
    virtual void Redraw(LPCRECT rect = nullptr, BOOL animate = TRUE);
    virtual void OnControlsChanged();
    virtual void OnIdleUpdateCmdUI(BOOL, int);
    // Called by the mouse manager on the bar that was hot when another bar
    // starts tracking.
    virtual void ClearHotItem() { SetSelected(-1, FALSE); }
    // Fills the background, then draws the separators and the controls that
    // meet clip. Nothing without a DC.
    virtual void DrawCommandBar(CDC* dc, CRect clip);
    virtual void FillBarBackground(CDC* dc);
    // 1 when the screen point lies in the bar window (and, for a popup with
    // a region, in the region), else 0; -2 asks the mouse manager's hit
    // tests to ignore the bar.
    virtual int IsPointInside(CPoint screenPoint) const;
    // Whether accelerator underlines show: the manager's cue state, TRUE
    // without a manager.
    virtual BOOL IsKeyboardCuesVisible() const { return TRUE; }
    virtual void EnsureVisible(CKvoControl*) {}
    // Captions under the icons: the bar's own setting (2 follows the
    // manager's options, off until the manager has them).
    virtual BOOL IsTextBelowIcons() const { return m_nShowTextBelowIcons == 2 ? FALSE : m_nShowTextBelowIcons; }
    void SetTextBelowIcons(int show) { m_nShowTextBelowIcons = show; }
    // A key pressed while the bar tracks: 1 swallows it, 2 lets it through,
    // 0 leaves it to the other tracking bars. Escape leaves tracking; other
    // keys go to the hot control.
    virtual int OnHookKeyDown(UINT virtualKey, LPARAM keyData);
    // The keyboard manager's keys arrive here (with a NULL window).
    int OnHookMessage(HWND window, UINT message, WPARAM& wParam, LPARAM& lParam, LRESULT& result) override;

    // The layout is due at the next idle update.
    void DelayLayout() { m_dwUpdateFlags |= KVO_BAR_UPDATE_LAYOUT; }
    CCmdTarget* GetAccessible() override { return this; }

    // The command-UI record of one control in the idle update.
    class CCommandBarCmdUI : public CCmdUI {
    public:
        CCommandBarCmdUI();
        void Enable(BOOL on = TRUE) override;
        void SetCheck(int check = 1) override;
        void SetText(LPCTSTR text) override;

        CKvoControl* m_pControl; // not owned
        BOOL m_bCheckChanged;
    };

    // The idle update of the controls' states through the owner site's
    // command routing, after the bar's own reflected and routed handlers.
    void OnUpdateCmdUI();
    // Hides the controls the active document template does not show.
    void UpdateDocTemplateControls();
    // WM_SETMESSAGESTRING to the manager's site (else the bar's site); the
    // idle message for an empty text.
    void ShowStatusPrompt(const CString& text);
    // Whether the frame site is in context-help mode.
    BOOL IsHelpMode() const;
    CString GetTitle() const { return m_strTitle; }
    void SetTitle(LPCWSTR title) { m_strTitle = title; }

    // The accessible interface: the bar and its controls as children.
    HRESULT get_accParent(IDispatch** parent) override;
    HRESULT get_accChildCount(long* count) override;
    HRESULT get_accChild(VARIANT child, IDispatch** dispatch) override;
    HRESULT get_accName(VARIANT child, BSTR* name) override;
    HRESULT get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT get_accState(VARIANT child, VARIANT* state) override;
    HRESULT accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
    HRESULT accHitTest(long left, long top, VARIANT* child) override;

    // This bar's manager, else the first parent bar's that has one.
    CKvoBarManager* GetBarManager() const;
    void SetBarManager(CKvoBarManager* manager) { m_pBarManager = manager; }
    CKvoPaintManager* GetPaintManager() const;
    CKvoImageManager* GetImageManager() const;
    CKvoCommandBar* GetRootParent() const;
    // Where the bar's messages go: the manager's site, the root bar's
    // explicit site, its owner or parent window, the main window.
    CWnd* GetSite() const;
    // Where commands go: the first explicit owner up the parent chain, then
    // the first owner window, else the site.
    CWnd* GetOwnerSite() const;
    BOOL IsCustomizeMode() const;
    // Whether mouse moves are ignored: the mouse manager is locked and the
    // bar does not ignore its lock.
    BOOL IsMouseLocked() const;
    // The mouse and keyboard managers of the bar's thread.
    CKvoMouseManager* GetMouseManager() const;
    CKvoKeyboardManager* GetKeyboardManager() const;
    // The lock count: while positive the bar keeps its hot item and ignores
    // the mouse manager's moves and its hover timer.
    int GetLockCount() const { return m_nLockCount; }
    void AddLockCount(int delta) { m_nLockCount += delta; }
    // Redraws asked for while locked only mark the bar for the next idle
    // update.
    void LockRedraw() { ++m_nRedrawLock; }
    void UnlockRedraw() { --m_nRedrawLock; }
    // The window class of command bars: no background brush, double clicks.
    static LPCTSTR GetWindowClassName();
    BOOL SetOpenPopupControl(int index, BOOL keyboard);

    CKvoControls* GetControls() const { return m_pControls; }
    CKvoControl* GetControl(int index) const;
    int GetControlCount() const;
    int GetType() const { return m_barType; }
    int GetPosition() const { return m_barPosition; }
    int GetDefaultButtonStyle() const { return m_nDefaultButtonStyle; }
    void SetDefaultButtonStyle(int style) { m_nDefaultButtonStyle = style; }
    int GetHotIndex() const { return m_nSelected; }
    int GetPopupIndex() const { return m_nPopuped; }
    int GetTrackingMode() const { return m_nTrackingMode; }
    DWORD GetUpdateFlags() const { return m_dwUpdateFlags; }
    void SetCustomizable(BOOL customizable) { m_bCustomizable = customizable; }
    int GetPromptSuppressionIndex() const { return m_nSuppressedPromptIndex; }
    void SetPromptSuppressionIndex(int index) { m_nSuppressedPromptIndex = index; }

    // Fields that popup tracking, the layouts and the themes set.
    int m_barType;
    int m_barPosition;
    CWnd* m_pExplicitSite;   // set while a popup is tracked, not owned
    CWnd* m_pExplicitOwner;  // receives the commands, not owned
    BOOL m_bRecursePopup;    // the popup tracks recursively
    BOOL m_bNoNotify;        // a tracked popup's controls get no command updates
    int* m_pReturnCmd;       // where a tracked popup stores its command
    CSize m_szIcons;
    CSize m_szButtons;

    static const UINT_PTR kHoverTimer = 112223;

protected:
    LPUNKNOWN GetInterfaceHook(const void* iid) override;

    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(CDC* dc, UINT flags);
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg LRESULT OnNcMouseMoveMessage(WPARAM wParam, LPARAM lParam);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnIdleUpdateCmdUIMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnInitialUpdate(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcHitTestMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcLButtonDownMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // Whether the bar's window (or the tracking) lets mouse moves change its
    // hot item now.
    BOOL IsHotTrackingActive() const;

private:
    void EnterTracking(BOOL selectFirst, BOOL keyboard);
    void LeaveTracking(BOOL selectFirst);
    // Leaves the mouse manager's tracked bars and the keyboard hook.
    void LeaveManagers();
    void UpdateControl(CKvoControl* control, CWnd* target, BOOL disableWithoutHandler);
    // The control a child id names, NULL for the bar itself or out of range.
    CKvoControl* GetAccessibleChild(const VARIANT& child) const;

protected:

    CKvoBarManager* m_pBarManager; // not owned
    CKvoControls* m_pControls;     // owned
    int m_nSelected;
    int m_nPopuped;
    int m_nTrackingMode;
    DWORD m_dwUpdateFlags;
    BOOL m_bCustomizable;
    int m_nDefaultButtonStyle;
    int m_nSuppressedPromptIndex;
    BOOL m_bIgnoreMouseLock;        // IsMouseLocked never holds
    BOOL m_bHotTrackWhilePopup;     // the hot item follows the mouse while a popup is open
    BOOL m_bHideCaretWhileTracking;
    CWnd* m_pCaretWindow;           // whose caret tracking hid; not owned
    int m_nLockCount;
    int m_nKeyboardSelected;        // the keyboard value of the last SetSelected
    BOOL m_bEnteredByMouse;         // tracking began without select-first or keyboard
    int m_nRedrawLock;
    CString m_strTitle;
    int m_nShowTextBelowIcons;      // 0 off, 1 on, 2 the manager's option
    CKvoPaintManager* m_pPaintManager; // own, one reference; NULL = shared
    CKvoImageManager* m_pImageManager; // own, one reference; NULL = shared
};
