#pragma once
#include <afxwin.h>
#include <afxtempl.h>

class CKvoCommandBar;
class CKvoControl;
class CKvoControlAction;
class CKvoControlActions;
class CKvoPaintManager;
class CKvoImageManager;

// Ties the command bars of one frame together: the frame (its site), the
// shared managers, the action list and the customise state. Bars and
// controls work without one.
class CKvoBarManager : public CCmdTarget {
public:
    CKvoBarManager();
    ~CKvoBarManager() override;

    CWnd* GetSite() const { return m_pSite; }
    void SetSite(CWnd* site) { m_pSite = site; }
    CKvoPaintManager* GetPaintManager() const;
    CKvoImageManager* GetImageManager() const;

    // Actions: switched off until EnableActions; the list lives as long as
    // the manager.
    void EnableActions() { m_bEnableActions = TRUE; }
    BOOL IsActionsEnabled() const { return m_bEnableActions; }
    CKvoControlActions* GetActions() const { return m_pActions; }
    CKvoControlAction* FindAction(UINT id) const;
    CKvoControlAction* FindOrAddAction(UINT id);

    BOOL IsCustomizeMode() const { return m_bCustomizeMode; }
    void SetCustomizeMode(BOOL customize);
    CKvoControl* GetCustomizeSelection() const { return m_pCustomizeSelection; }
    // Holds a reference on the selected control; redraws the old and new.
    void SetCustomizeSelection(CKvoControl* control);
    // Whether controls of bars that are not customisable may be dragged.
    BOOL IsCustomizeAvailable() const { return m_bCustomizeAvail; }
    void SetCustomizeAvailable(BOOL available) { m_bCustomizeAvail = available; }

    // Called when a control executed id: the personalised menus count it.
    void OnCommandExecuted(UINT id);
    BOOL IsCommandUsed(UINT id) const;
    // TRUE: executing id counts it as used.
    virtual BOOL IsPersonalizedCommand(UINT) { return FALSE; }
    virtual void OnTrackingModeChanged(CKvoCommandBar*, int) {}
    // The id of the active document's template; 0 when none is known.
    virtual UINT GetActiveDocTemplate() { return 0; }
    // The help id of the hot control, 0 when none is hot.
    UINT GetHelpContext() const { return m_nHelpContext; }
    void SetHelpContext(UINT helpId) { m_nHelpContext = helpId; }
    // Every bar tracking now loses its tracking, which closes its popups.
    // The manager may be NULL.
    static void ClosePopups(CKvoBarManager* manager);

private:
    CWnd* m_pSite; // the frame, not owned
    CKvoControlActions* m_pActions;
    BOOL m_bEnableActions;
    BOOL m_bCustomizeMode;
    BOOL m_bCustomizeAvail;
    CKvoControl* m_pCustomizeSelection; // one reference held
    CMap<UINT, UINT, BOOL, BOOL> m_mapUsedCommands;
    UINT m_nHelpContext = 0;
};
