#pragma once
#include <afxwin.h>
#include <afxtempl.h>

class CKvoBarManager;
class CKvoCommandBar;
class CKvoControl;
class CKvoOriginalControls;

// What a site may change of a menu item before it becomes a control
// (message 10334), and the control it became (message 10335).
struct MenuItemInfo {
    UINT nId;
    CKvoControl* pControl;
    UINT_PTR nReserved;
    int nPosition;
    CMenu* pMenu;
    CKvoCommandBar* pParentBar;
    CString strCaption;
    int nType;
    int nStyle;
};

// The ordered controls of one bar. It keeps each control's index,
// collection and parent links right, holds one reference on each, makes
// controls by type, from menu items and as copies, finds and steps through
// them, and keeps a snapshot of the controls as first built so that user
// changes can be told. UI thread only.
class CKvoControls : public CCmdTarget {
    DECLARE_SERIAL(CKvoControls)
public:
    CKvoControls();
    ~CKvoControls() override;

    virtual void Remove(CKvoControl* control);
    virtual void Copy(CKvoControls* source, BOOL recursive);
    virtual BOOL IsControlPersistent(CKvoControl* control) const;
    virtual void OnControlAdded(CKvoControl* control);
    virtual void OnControlRemoved(CKvoControl* control);
    // TRUE keeps the control in the list.
    virtual BOOL OnControlRemoving(CKvoControl*) { return FALSE; }
    virtual void RefreshIndexes();

    int GetCount() const { return static_cast<int>(m_arrControls.GetSize()); }
    CKvoControl* GetAt(int index) const;

    // The collection takes over the caller's reference; an index outside
    // the list means the end.
    void InsertControl(CKvoControl* control, int before = -1);
    void AppendControl(CKvoControl* control) { InsertControl(control, -1); }
    // Binds the control to the manager's action of id, or gives it id and
    // its prompt, then inserts it. NULL for a NULL control.
    CKvoControl* AddControl(CKvoControl* control, UINT id, LPCWSTR parameter = nullptr, int before = -1,
                            BOOL temporary = FALSE);
    CKvoControl* AddControlOfType(int type, UINT id, LPCWSTR parameter = nullptr, int before = -1,
                                  BOOL temporary = FALSE);
    // The control for the menu item at position; NULL for an item it skips
    // or cannot make.
    CKvoControl* AddMenuItem(CMenu* menu, int position);
    CKvoControl* AddCopyOf(CKvoControl* control, int before = -1, BOOL recursive = FALSE);
    void RemoveAllControls();
    CKvoControl* SetControlType(int index, int type);

    CKvoControl* FindControlById(UINT id) const { return FindControl(0, static_cast<int>(id), FALSE, FALSE); }
    // type 0 and id -1 match any control.
    CKvoControl* FindControl(int type, int id, BOOL visibleOnly, BOOL recursive) const;
    int GetNextControlIndex(int start, int step, BOOL skipNoKeyboard = TRUE, BOOL skipTemporary = FALSE,
                            BOOL strict = TRUE) const;
    CKvoControl* GetVisibleControl(int n, BOOL strict) const;
    int CountVisibleControls(BOOL strict) const;
    CKvoControl* HitTestControl(CPoint point) const;

    BOOL Compare(const CKvoControls* other) const;
    // TRUE without a snapshot or when it differs from the controls.
    BOOL IsChanged() const;
    void CreateOriginalControls();
    // Takes over the caller's reference; the old snapshot is released.
    void SetOriginalControls(CKvoOriginalControls* snapshot);
    void ReleaseOriginalControls() { SetOriginalControls(nullptr); }
    CKvoOriginalControls* GetOriginalControls() const { return m_pOriginalControls; }
    CKvoControls* Duplicate(BOOL recursive);

    void SetParentCommandBar(CKvoCommandBar* bar);
    CKvoCommandBar* GetParentCommandBar() const { return m_pParent; }
    void SetBarManager(CKvoBarManager* manager) { m_pBarManager = manager; }
    CKvoBarManager* GetBarManager() const;

protected:
    // The window that hears of this collection's additions: the manager's
    // site, else the parent bar's owner site.
    CWnd* GetOwnerSite() const;
    CKvoControl* CreateControlOfType(int type, UINT id);
    CKvoControl* CreateControlForMenuItem(const MenuItemInfo& item);
    // Binds a control made from a menu item to its action, or gives it its
    // own id, prompt and caption.
    void BindMenuItemControl(CKvoControl* control, const MenuItemInfo& item);
    // Takes the control out of the array at index and lets it go.
    void DetachAt(int index);

    CKvoCommandBar* m_pParent;   // not owned
    CArray<CKvoControl*, CKvoControl*> m_arrControls;
    CKvoBarManager* m_pBarManager; // not owned; used without a parent bar
    CKvoOriginalControls* m_pOriginalControls;
    BOOL m_bOriginalControls;
};

// The controls of a bar as first built, to tell the user's changes.
class CKvoOriginalControls : public CKvoControls {
    DECLARE_SERIAL(CKvoOriginalControls)
public:
    CKvoOriginalControls() { m_bOriginalControls = TRUE; }
};
