#pragma once
#include <afxwin.h>
#include <afxtempl.h>

class CKvoControl;
class CKvoControlActions;
class CKvoBarManager;

// What a bound control hears of an action's change, by property.
enum KvoControlActionProperty {
    KvoActionEnabled = 0,
    KvoActionVisible = 2,
    KvoActionCaption = 3,
    KvoActionEditHint = 4,
};

// The state every control of one command id shares: texts, icon and help
// ids, enabled, checked and visible states and an attached object. Made
// only by the bar manager's action list, which owns it; the bound controls
// keep plain pointers and are unbound when the action goes first.
class CKvoControlAction : public CCmdTarget {
public:
    explicit CKvoControlAction(CKvoControlActions* owner);
    ~CKvoControlAction() override;

    // A value below 0x10000 is a string id. The text is cut at its first tab.
    void SetCaption(LPCWSTR caption);
    void SetCaption(UINT stringId);
    // "description\ntooltip\ncaption\nkey tip": the description and tooltip
    // (both the whole text without a newline) and the key tip when none.
    void SetPrompt(LPCWSTR prompt);
    void SetEnabled(BOOL enabled);
    void SetChecked(BOOL checked);
    void SetVisible(BOOL visible);
    void SetEditHint(LPCWSTR hint);
    // Takes over the caller's reference; the previous object is released.
    void SetTag(CCmdTarget* attached);

    // TRUE while the bar manager is in customise mode, so that every control
    // can be dragged; else the enabled flag.
    BOOL GetEnabled() const;
    BOOL GetChecked() const { return m_bChecked; }
    BOOL IsVisible() const { return m_bVisible; }
    UINT GetID() const { return m_nId; }
    int GetIconId() const { return m_nIconId; }
    int GetHelpId() const { return m_nHelpId; }
    void SetIconId(int iconId) { m_nIconId = iconId; }
    void SetHelpId(int helpId) { m_nHelpId = helpId; }
    CString GetCaption() const { return m_strCaption; }
    CString GetTooltip() const { return m_strTooltip; }
    CString GetDescription() const { return m_strDescription; }
    CString GetShortcutText() const { return m_strShortcutText; }
    CString GetEditHint() const { return m_strEditHint; }
    CString GetKeyboardTip() const { return m_strKeyboardTip; }
    void SetShortcutText(LPCWSTR text) { m_strShortcutText = text; }
    void SetKeyboardTip(LPCWSTR text) { m_strKeyboardTip = text; }
    CCmdTarget* GetTag() const { return m_pTag; }
    CKvoControlActions* GetOwner() const { return m_pOwner; }

    int GetControlCount() const { return static_cast<int>(m_arrControls.GetSize()); }
    CKvoControl* GetControl(int index) const;

    // Binding, called by CKvoControl::SetAction: a control already in the
    // list is left alone; a new one follows the action from now on.
    void AddControl(CKvoControl* control);
    // Takes the control out of the list; it is enabled and unchecked again.
    void RemoveControl(CKvoControl* control);

    void NotifyChanging(int property);
    void NotifyChanged(int property);
    void DelayLayoutControls();

private:
    friend class CKvoControlActions;

    // Runs NotifyChanging, the change and NotifyChanged, then a relayout.
    template <class Change>
    void AnnounceChange(int property, Change change);

    CCmdTarget* m_pTag;           // attached object, one reference held
    UINT m_nId;
    int m_nIconId;
    int m_nHelpId;
    BOOL m_bEnabled;
    BOOL m_bChecked;
    BOOL m_bVisible;
    CString m_strCaption;
    CString m_strTooltip;
    CString m_strDescription;
    CString m_strShortcutText;
    CString m_strEditHint;
    CString m_strKeyboardTip;
    CArray<CKvoControl*, CKvoControl*> m_arrControls; // not owned
    CKvoControlActions* m_pOwner;                      // the list that owns this action
};

// The bar manager's actions, sorted by ascending id; owns one reference on
// each. Valid ids run from 1 to 0xFFFFFFE.
class CKvoControlActions : public CCmdTarget {
public:
    explicit CKvoControlActions(CKvoBarManager* manager);
    ~CKvoControlActions() override;

    static BOOL IsValidId(UINT id) { return id >= 1 && id <= 0xFFFFFFE; }

    int GetCount() const { return static_cast<int>(m_arrActions.GetSize()); }
    CKvoControlAction* GetAt(int index) const;
    // Binary search; NULL for ids outside the valid range or not present.
    CKvoControlAction* FindAction(UINT id) const;
    CKvoControlAction* FindOrAdd(UINT id);
    // Gives the action its id and the prompt of string id (when it exists)
    // and inserts it in id order; the list takes over the reference.
    void Add(UINT id, CKvoControlAction* action);
    void RemoveAll();

    CKvoBarManager* GetBarManager() const { return m_pBarManager; }

private:
    CArray<CKvoControlAction*, CKvoControlAction*> m_arrActions;
    CKvoBarManager* m_pBarManager; // not owned
};
