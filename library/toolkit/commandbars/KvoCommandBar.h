#pragma once
#include <afxwin.h>
#include "foundation/base/KvoAccessible.h"

class CKvoBarManager;
class CKvoControl;
class CKvoControls;
class CKvoPaintManager;
class CKvoImageManager;

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

// Update flags of a bar: what its next idle update must do.
const DWORD KVO_BAR_UPDATE_LAYOUT = 1;
const DWORD KVO_BAR_UPDATE_REDRAW = 2;

// The window every bar derives from: it owns one control collection, asks
// its paint manager to draw it and routes its controls' commands to its
// owner site. This holds the bar's state and what its controls ask of it;
// a bar without a window and without a manager is a valid bar whose
// controls take their windowless roads. UI thread only.
class CKvoCommandBar : public CWnd, public CKvoAccessible {
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
    virtual BOOL IsVisible() const { return FALSE; }
    virtual BOOL IsCustomizable() const { return m_bCustomizable; }
    virtual void OnRecalcLayout() {}
    virtual void OnTrackLost() { SetTrackingMode(0, TRUE, FALSE); }
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

    // The layout is due at the next idle update.
    void DelayLayout() { m_dwUpdateFlags |= KVO_BAR_UPDATE_LAYOUT; }
    CCmdTarget* GetAccessible() override { return this; }

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
    int* m_pReturnCmd;       // where a tracked popup stores its command
    CSize m_szIcons;
    CSize m_szButtons;

protected:
    LPUNKNOWN GetInterfaceHook(const void* iid) override;

    CKvoBarManager* m_pBarManager; // not owned
    CKvoControls* m_pControls;     // owned
    int m_nSelected;
    int m_nPopuped;
    int m_nTrackingMode;
    DWORD m_dwUpdateFlags;
    BOOL m_bCustomizable;
    int m_nDefaultButtonStyle;
    int m_nSuppressedPromptIndex;
    CKvoPaintManager* m_pPaintManager; // own, one reference; NULL = shared
    CKvoImageManager* m_pImageManager; // own, one reference; NULL = shared
};
