#pragma once
#include <afxwin.h>
#include <afxtempl.h>
#include "foundation/base/KvoAccessible.h"

class CKvoCommandBar;
class CKvoControls;
class CKvoControlAction;
class CKvoBarManager;
class CKvoPaintManager;
class CKvoImageManager;
class CKvoImageManagerIcon;

// Control types.
enum KvoControlType {
    KvoControlTypeNone = 0,
    KvoControlTypeButton = 1,
    KvoControlTypePopup = 2,
    KvoControlTypeButtonPopup = 3,
    KvoControlTypeSplitButtonPopup = 4,
    KvoControlTypeComboBox = 5,
    KvoControlTypeEdit = 6,
    KvoControlTypeCustom = 7,
    KvoControlTypeLabel = 8,
    KvoControlTypeCheckBox = 9,
    KvoControlTypeGallery = 10,
    KvoControlTypeRadioButton = 11,
};

// Button styles.
enum KvoButtonStyle {
    KvoButtonAutomatic = 0,
    KvoButtonCaption = 1,
    KvoButtonIcon = 2,
    KvoButtonIconAndCaption = 3,
    KvoButtonIconAndCaptionBelow = 4,
    KvoButtonCaptionAndDescription = 5,
};

// Why a control is hidden.
enum KvoControlHideFlag : DWORD {
    KvoHideGeneric = 1,
    KvoHideWrap = 2,
    KvoHideDockingPosition = 4,
    KvoHideScroll = 8,
    KvoHideCustomize = 16,
    KvoHideExpand = 32,
    KvoHideDocTemplate = 64,
    KvoHideRibbon = 128,
};

// Behaviour bits of a control.
enum KvoControlFlag : DWORD {
    KvoFlagRightAlign = 1,
    KvoFlagSkipFocus = 2,
    KvoFlagLeftPopup = 4,
    KvoFlagManualUpdate = 8,
    KvoFlagNoMovable = 16,
    KvoFlagControlStretched = 32,
    KvoFlagShowPopupBarTip = 0x40,
    KvoFlagWrapRow = 0x80,
};

// Notification codes a control sends its site.
const int KVO_CONTROL_NOTIFY_EXECUTE = 100;
// Site messages of the controls and their collections (wParam, lParam as
// each sender describes).
const UINT KVO_SITE_MENU_ITEM_CREATING = 10334;
const UINT KVO_SITE_MENU_ITEM_CREATED = 10335;
const UINT KVO_SITE_POPUP_BAR_REQUEST = 10337;
const UINT KVO_SITE_CONTROL_NOTIFY = 10338;

// Timer of the press loop's repeated execution, on the bar window.
const UINT_PTR KVO_EXECUTE_ON_PRESS_TIMER = 4269;

// What a control's site notification carries: the header (window 0, the
// command id, the code) and the control.
struct ControlNotification {
    NMHDR hdr;
    CKvoControl* pControl;
};

// One command item of a command bar: a menu item, a toolbar button, a field,
// a label. It lives in the collection of one bar, which holds one reference
// on it; it deletes itself when the last reference goes. Drawing goes
// through the paint manager; executing offers the bar's owner site a
// notification and then sends WM_COMMAND. Its accessible interface is also
// its IDispatch. UI thread only.
class CKvoControl : public CCmdTarget, public CKvoAccessible {
    DECLARE_SERIAL(CKvoControl)
public:
    // The document templates a control is shown for or hidden from, by
    // resource id; the class library serialises it as the count, then each
    // key and value.
    class CDocTemplateMap : public CMap<UINT, UINT, BOOL, BOOL> {
    public:
        CDocTemplateMap() { InitHashTable(10); }
        void Copy(const CDocTemplateMap& source);
    };

    CKvoControl();
    ~CKvoControl() override;

    // Virtual operations, in the order derived classes meet them.
    virtual CString GetCaption() const;
    virtual CString GetDescription() const;
    virtual CString GetTooltip() const;
    virtual void SetBeginGroup(BOOL beginGroup);
    virtual void SetEnabled(int enabled);
    virtual int GetSelected() const { return m_nSelected; }
    // Edit and combo controls take the keyboard focus here.
    virtual void SetFocused(BOOL) {}
    virtual BOOL IsFocused() const { return FALSE; }
    virtual int GetPressed() const { return m_nPressed; }
    virtual void SetRect(CRect rect) { m_rcControl = rect; }
    // FALSE when the action hides its controls; else TRUE when no hide flag
    // outside mask is set.
    virtual BOOL IsVisible(DWORD mask = 0) const;
    virtual BOOL IsCaptionVisible() const;
    virtual BOOL Compare(CKvoControl* other);
    // The popup bar a popup control opens; NULL here.
    virtual CKvoCommandBar* GetCommandBar() { return nullptr; }
    virtual BOOL IsRibbonItem() const { return FALSE; }
    virtual void SetHideFlags(DWORD hideFlags) { m_dwHideFlags = hideFlags; }
    virtual void OnExecute();
    virtual CSize GetSize(CDC* dc);
    virtual void Draw(CDC* dc);
    // Called on every control before a toolbar layout.
    virtual void OnCalcDynamicSize(DWORD) {}
    // The icon of GetIconId at width (0 the default); not add-referenced.
    virtual CKvoImageManagerIcon* GetImage(int width = 0);
    virtual void OnMnemonicActivate() { OnExecute(); }
    virtual BOOL IsPopupOpen() const { return FALSE; }
    virtual void SetAction(CKvoControlAction* action);
    virtual void OnThemeChanged() {}
    virtual void SetWidth(int width);
    virtual void SetHeight(int height);
    virtual CSize GetButtonSize() const;
    virtual CSize GetIconSize() const;
    virtual void Copy(CKvoControl* source, BOOL recursive);
    virtual void OnClick(BOOL, CPoint) {}
    virtual BOOL HasFocusWindow() const { return FALSE; }
    // 0 not handled; edit-like controls answer 1 eaten, 2 pass on.
    virtual int OnHookKeyDown(UINT, LPARAM) { return 0; }
    virtual BOOL OnHookMouseWheel(UINT, short, CPoint) { return FALSE; }
    virtual void SetParent(CKvoCommandBar* parent) { m_pParent = parent; }
    virtual BOOL OnSetPopup(BOOL) { return FALSE; }
    virtual void OnLButtonUp(CPoint) {}
    virtual BOOL OnRButtonDown(CPoint) { return FALSE; }
    virtual BOOL OnRButtonUp(CPoint) { return FALSE; }
    virtual BOOL OnLButtonDblClk(CPoint point);
    virtual void OnMouseMove(CPoint) {}
    // The bar's hover timer: closes the bar's open popup.
    virtual void OnMouseHover();
    virtual BOOL SetSelected(int state);
    virtual void OnCustomizeMouseDown(CPoint point);
    virtual BOOL TrackCustomizeResize(CPoint point);
    virtual void OnCustomizeDragOver(CKvoControl* dragged, CPoint point);
    virtual BOOL IsCustomizeDropAllowed(CKvoCommandBar*, CPoint, DWORD& /*dropEffect*/) { return TRUE; }
    virtual BOOL IsCustomizeResizeAllowed() const { return FALSE; }
    virtual int GetCustomizeMinWidth() const { return 0; }
    virtual int GetCustomizeMinHeight() const { return 0; }
    // Called on each control before the bar's command-UI update.
    virtual void OnIdleUpdate() {}
    virtual void OnRemoved() { SetAction(nullptr); }
    // -1: the bar builds the tooltip itself.
    virtual INT_PTR OnToolHitTest(CPoint, TOOLINFO*) const { return -1; }
    virtual BOOL CanDragInCustomizeMode() const;
    virtual void OnActionChanged(int property);
    virtual void OnActionChanging(int) {}
    virtual void OnCaptionChanged() {}
    // A new control of this one's class with Copy(this, recursive) done.
    virtual CKvoControl* Clone(BOOL recursive);

    // Enabled and checked: the control's own, or the action's while -1.
    int GetEnabled() const;
    int GetChecked() const;
    // The control's own enabled value: -1 follows the action.
    int GetEnabledValue() const { return m_nEnabled; }
    void SetChecked(int checked) { m_nChecked = checked; }
    // The custom style, else the style, else the class default, else the
    // bar's default.
    int GetStyle() const;
    void SetStyle(int style);
    int GetCustomStyle() const { return m_nCustomStyle; }
    void SetCustomStyle(int style) { m_nCustomStyle = style; }
    int GetIconId() const;
    void SetIconId(int iconId) { m_nIconId = iconId; }
    int GetCustomIconId() const { return m_nCustomIconId; }
    void SetCustomIconId(int iconId) { m_nCustomIconId = iconId; }
    int GetHelpId() const { return m_nHelpId; }
    void SetHelpId(int helpId) { m_nHelpId = helpId; }
    CString GetShortcutText() const;
    void SetShortcutText(LPCWSTR text) { m_strShortcutText = text; }
    CString GetShortcutTextAuto() const { return m_strShortcutTextAuto; }
    CString GetKeyboardTip() const;
    void SetKeyboardTip(LPCWSTR text) { m_strKeyboardTip = text; }
    CKvoImageManager* GetImageManager() const;
    CKvoPaintManager* GetPaintManager() const;

    // A value below 0x10000 is a string id. A tab starts the automatic
    // shortcut text.
    void SetCaption(LPCWSTR caption);
    void SetCaptionId(UINT id);
    void SetCustomCaption(LPCWSTR caption) { m_strCustomCaption = caption; }
    CString GetCustomCaption() const { return m_strCustomCaption; }
    // "description\ntooltip\ncaption\nkey tip", each part filling what is
    // empty; without a newline the whole text is tooltip and description.
    void SetPrompt(LPCWSTR prompt);
    // Applies string id as the prompt when id is a new command id; then id
    // becomes the command id.
    void SetPromptId(UINT id);
    void SetTooltip(LPCWSTR text) { m_strTooltipText = text; }
    void SetDescription(LPCWSTR text) { m_strDescriptionText = text; }
    void SetParameter(LPCWSTR text) { m_strParameter = text ? text : L""; }
    CString GetParameter() const { return m_strParameter; }
    void SetCategory(LPCWSTR text) { m_strCategory = text; }
    CString GetCategory() const { return m_strCategory; }

    UINT GetID() const { return m_nId; }
    void SetID(UINT id) { m_nId = id; }
    int GetType() const { return m_controlType; }
    void SetType(int type) { m_controlType = type; }
    int GetIndex() const { return m_nIndex; }
    DWORD_PTR GetTag() const { return m_nTag; }
    void SetTag(DWORD_PTR tag) { m_nTag = tag; }
    BOOL GetBeginGroup() const { return m_bBeginGroup; }
    BOOL IsTemporary() const { return m_bTemporary; }
    void SetTemporary(BOOL temporary) { m_bTemporary = temporary; }
    DWORD GetHideFlags() const { return m_dwHideFlags; }
    DWORD GetFlags() const { return m_dwFlags; }
    void SetFlags(DWORD flags) { m_dwFlags = flags; }
    BOOL GetDefaultItem() const { return m_bDefaultItem; }
    void SetDefaultItem(BOOL defaultItem);
    void SetVisible(BOOL visible);
    BOOL GetRarelyUsed() const { return m_bRarelyUsed; }
    void SetRarelyUsed(BOOL rarelyUsed);
    BOOL GetCloseSubMenuOnClick() const { return m_bCloseSubMenuOnClick; }
    void SetCloseSubMenuOnClick(BOOL close) { m_bCloseSubMenuOnClick = close; }
    int GetExecuteOnPressInterval() const { return m_nExecuteOnPressInterval; }
    void SetExecuteOnPressInterval(int interval) { m_nExecuteOnPressInterval = interval; }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    void SetIconSize(CSize size) { m_szIcon = size; }
    CRect GetRect() const { return m_rcControl; }
    CRect GetRowRect() const { return m_rcRow; }
    void SetRowRect(CRect rect) { m_rcRow = rect; }
    BOOL GetWrap() const { return m_bWrap; }
    void SetWrap(BOOL wrap) { m_bWrap = wrap; }
    CKvoControlAction* GetAction() const { return m_pAction; }
    CKvoCommandBar* GetParent() const { return m_pParent; }
    CKvoControls* GetControls() const { return m_pControls; }
    CDocTemplateMap& GetAssignedDocTemplates() { return m_mapDocTemplatesAssigned; }
    CDocTemplateMap& GetExcludedDocTemplates() { return m_mapDocTemplatesExcluded; }

    // The parent bar's layout is due; nothing without a bar.
    void DelayLayout();
    // Redraws the control's rectangle of a visible control on its bar.
    void RedrawParent(BOOL animate = TRUE);
    // Sends the notification to the bar's owner site; the site's answer,
    // 0 without a bar.
    LRESULT NotifySite(int code);
    LRESULT NotifySiteEx(int code, ControlNotification* record);
    // site: the window to notify; the bar's owner site when NULL.
    LRESULT SendNotification(CWnd* site, int code, ControlNotification* record);
    BOOL IsCursorOver() const;
    BOOL IsCustomizeMode() const;
    // TRUE without a bar or when the bar is not a popup.
    BOOL IsOutsidePopupBar() const;
    // The pressed-button loop; an empty rect means the control's rectangle.
    void TrackPress(CRect rect = CRect(0, 0, 0, 0));
    // The resize cursor near the left or right edge in customise mode.
    void SetCustomizeCursor(CPoint point);
    // TRUE when the parent bar is a ribbon drawing its caption on glass.
    BOOL IsOnGlassCaption() const;

    // The accessible interface answers for the control itself.
    HRESULT get_accParent(IDispatch** parent) override;
    HRESULT get_accChildCount(long* count) override;
    HRESULT get_accChild(VARIANT child, IDispatch** dispatch) override;
    HRESULT get_accName(VARIANT child, BSTR* name) override;
    HRESULT get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT get_accState(VARIANT child, VARIANT* state) override;
    HRESULT get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT accSelect(long flags, VARIANT child) override;
    HRESULT accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
    HRESULT accHitTest(long left, long top, VARIANT* child) override;
    HRESULT accDoDefaultAction(VARIANT child) override;
    CCmdTarget* GetAccessible() override { return this; }
    // The IDispatch of a control's or bar's accessible interface, add-referenced.
    static HRESULT QueryDispatch(CCmdTarget* target, IDispatch** dispatch);

protected:
    LPUNKNOWN GetInterfaceHook(const void* iid) override;

    // Executes once from the press loop: notification, then WM_COMMAND.
    void ExecuteCommand();
    // Closes the open popups of the bars this control belongs to.
    void ClosePopups(CKvoCommandBar* root);
    // The resize loop's work after the checks of TrackCustomizeResize.
    BOOL RunCustomizeResize(CPoint point);

    DWORD_PTR m_nTag;
    int m_nIndex;
    UINT m_nId;
    int m_nIconId;
    int m_nHelpId;
    int m_nCustomIconId;
    BOOL m_bWrap;
    BOOL m_bBeginGroup;
    int m_nEnabled;
    int m_nChecked;
    int m_nSelected;
    int m_nPressed;
    BOOL m_bTemporary;
    CRect m_rcRow;
    CRect m_rcControl;
    DWORD m_dwHideFlags;
    DWORD m_dwFlags;
    CString m_strCaption;
    CString m_strCustomCaption;
    CString m_strShortcutText;
    CString m_strShortcutTextAuto;
    CString m_strTooltipText;
    CString m_strDescriptionText;
    CString m_strParameter;
    CString m_strKeyboardTip;
    CKvoControls* m_pControls;   // owning collection, not owned
    int m_controlType;
    CKvoCommandBar* m_pParent;   // not owned
    BOOL m_bRarelyUsed;
    CString m_strCategory;
    BOOL m_bDefaultItem;
    CDocTemplateMap m_mapDocTemplatesAssigned;
    CDocTemplateMap m_mapDocTemplatesExcluded;
    int m_buttonStyle;
    int m_nCustomStyle;
    int m_buttonClassDefaultStyle;
    BOOL m_bCloseSubMenuOnClick;
    CKvoControlAction* m_pAction; // bound action, not owned
    int m_nWidth;
    int m_nHeight;
    int m_nExecuteOnPressInterval;
    CSize m_szIcon;

private:
    friend class CKvoControls;
    friend class CKvoControlAction;
};
