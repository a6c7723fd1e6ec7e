#include <algorithm>
#include "commandbars/KvoCommandBar.h"
#include "commandbars/KvoBarManager.h"
#include "commandbars/KvoControl.h"
#include "commandbars/KvoControls.h"
#include "commandbars/KvoPaintManager.h"
#include "foundation/images/KvoImageManager.h"

// Registered with the command-bar classes in their start-up order, not here.
CObject* PASCAL CKvoCommandBar::CreateObject()
{
    return new CKvoCommandBar;
}
IMPLEMENT_RUNTIMECLASS(CKvoCommandBar, CWnd, VERSIONABLE_SCHEMA | 33, CKvoCommandBar::CreateObject)

CKvoCommandBar::CKvoCommandBar()
    : m_barType(KvoBarTypeNormal), m_barPosition(KvoBarUnplaced), m_pExplicitSite(nullptr),
      m_pExplicitOwner(nullptr), m_bRecursePopup(FALSE), m_pReturnCmd(nullptr), m_szIcons(0, 0),
      m_szButtons(0, 0), m_pBarManager(nullptr), m_pControls(new CKvoControls), m_nSelected(-1), m_nPopuped(-1),
      m_nTrackingMode(0), m_dwUpdateFlags(0), m_bCustomizable(TRUE), m_nDefaultButtonStyle(KvoButtonAutomatic),
      m_nSuppressedPromptIndex(-1), m_pPaintManager(nullptr), m_pImageManager(nullptr)
{
    m_pControls->SetParentCommandBar(this);
}

CKvoCommandBar::~CKvoCommandBar()
{
    m_pControls->RemoveAllControls();
    m_pControls->SetParentCommandBar(nullptr);
    m_pControls->InternalRelease();
    if (m_pPaintManager)
        m_pPaintManager->InternalRelease();
    if (m_pImageManager)
        m_pImageManager->InternalRelease();
}

LPUNKNOWN CKvoCommandBar::GetInterfaceHook(const void* iid)
{
    return GetAccessibleInterface(iid);
}

CKvoControl* CKvoCommandBar::GetControl(int index) const
{
    return m_pControls->GetAt(index);
}

int CKvoCommandBar::GetControlCount() const
{
    return m_pControls->GetCount();
}

CKvoBarManager* CKvoCommandBar::GetBarManager() const
{
    for (const CKvoCommandBar* bar = this; bar; bar = bar->GetParentCommandBar())
        if (bar->m_pBarManager)
            return bar->m_pBarManager;
    return nullptr;
}

CKvoCommandBar* CKvoCommandBar::GetRootParent() const
{
    const CKvoCommandBar* bar = this;
    while (bar->GetParentCommandBar())
        bar = bar->GetParentCommandBar();
    return const_cast<CKvoCommandBar*>(bar);
}

CKvoPaintManager* CKvoCommandBar::GetPaintManager() const
{
    if (m_pPaintManager)
        return m_pPaintManager;
    if (CKvoBarManager* manager = GetBarManager())
        return manager->GetPaintManager();
    CKvoCommandBar* root = GetRootParent();
    return root->m_pPaintManager ? root->m_pPaintManager : CKvoPaintManager::SharedInstance();
}

CKvoImageManager* CKvoCommandBar::GetImageManager() const
{
    if (m_pImageManager)
        return m_pImageManager;
    if (CKvoBarManager* manager = GetBarManager())
        return manager->GetImageManager();
    CKvoCommandBar* root = GetRootParent();
    return root->m_pImageManager ? root->m_pImageManager : CKvoImageManager::Instance();
}

CWnd* CKvoCommandBar::GetSite() const
{
    CKvoBarManager* manager = GetBarManager();
    if (manager && manager->GetSite())
        return manager->GetSite();
    CKvoCommandBar* root = GetRootParent();
    if (root->m_pExplicitSite)
        return root->m_pExplicitSite;
    if (HWND window = root->GetSafeHwnd()) {
        HWND owner = ::GetWindow(window, GW_OWNER);
        HWND site = owner ? owner : ::GetParent(window);
        if (site)
            return CWnd::FromHandle(site);
    }
    CWinThread* thread = AfxGetThread();
    return thread ? thread->GetMainWnd() : nullptr;
}

CWnd* CKvoCommandBar::GetOwnerSite() const
{
    for (const CKvoCommandBar* bar = this; bar; bar = bar->GetParentCommandBar())
        if (bar->m_pExplicitOwner)
            return bar->m_pExplicitOwner;
    for (const CKvoCommandBar* bar = this; bar; bar = bar->GetParentCommandBar())
        if (HWND owner = bar->GetSafeHwnd() ? ::GetWindow(bar->GetSafeHwnd(), GW_OWNER) : nullptr)
            return CWnd::FromHandle(owner);
    return GetSite();
}

BOOL CKvoCommandBar::IsCustomizeMode() const
{
    CKvoBarManager* manager = GetBarManager();
    return manager ? manager->IsCustomizeMode() : FALSE;
}

CSize CKvoCommandBar::GetIconSize() const
{
    return m_szIcons != CSize(0, 0) ? m_szIcons : CSize(16, 16);
}

CSize CKvoCommandBar::GetButtonSize() const
{
    if (m_szButtons != CSize(0, 0))
        return m_szButtons;
    return GetIconSize() + CSize(6, 6);
}

// Bars paint the change at once: nothing fades it in yet.
void CKvoCommandBar::Redraw(LPCRECT rect, BOOL)
{
    if (!rect)
        m_dwUpdateFlags &= ~KVO_BAR_UPDATE_REDRAW;
    if (GetSafeHwnd() && IsVisible())
        InvalidateRect(rect, FALSE);
}

void CKvoCommandBar::OnControlsChanged()
{
    m_dwUpdateFlags |= KVO_BAR_UPDATE_LAYOUT;
    m_nSelected = -1;
    m_nPopuped = -1;
}

void CKvoCommandBar::OnIdleUpdateCmdUI(BOOL, int)
{
    if (!GetSafeHwnd() || !(GetStyle() & WS_VISIBLE))
        return;
    if (m_dwUpdateFlags & KVO_BAR_UPDATE_REDRAW)
        Redraw(nullptr, TRUE);
    if (m_dwUpdateFlags & KVO_BAR_UPDATE_LAYOUT) {
        OnRecalcLayout();
        m_dwUpdateFlags &= ~KVO_BAR_UPDATE_LAYOUT;
    }
}

void CKvoCommandBar::OnControlSelected(BOOL, CKvoControl*) {}

BOOL CKvoCommandBar::SetSelected(int index, BOOL keyboard)
{
    if (index == m_nSelected || !GetSafeHwnd())
        return FALSE;
    if (CKvoControl* previous = GetControl(m_nSelected)) {
        previous->OnMouseMove(CPoint(-1, -1));
        previous->SetSelected(0);
    }
    m_nSelected = index;
    if (CKvoControl* control = GetControl(index))
        control->SetSelected(keyboard ? std::max(keyboard, 2) : 1);
    return TRUE;
}

BOOL CKvoCommandBar::SetOpenPopupControl(int index, BOOL keyboard)
{
    if (index == m_nPopuped)
        return FALSE;
    if (CKvoControl* popped = GetControl(m_nPopuped)) {
        m_nPopuped = -1;
        popped->OnSetPopup(FALSE);
    }
    m_nPopuped = -1;
    if (index == -1)
        return TRUE;
    CKvoControl* control = GetControl(index);
    if (!control || control->GetEnabled() == 0)
        return FALSE;
    m_nPopuped = index;
    SetTrackingMode(2, FALSE, keyboard);
    SetSelected(index, keyboard);
    if (!control->OnSetPopup(TRUE)) {
        m_nPopuped = -1;
        return FALSE;
    }
    return TRUE;
}

BOOL CKvoCommandBar::SetTrackingMode(int mode, BOOL selectFirst, BOOL)
{
    if ((m_nTrackingMode && mode) || mode == m_nTrackingMode) {
        m_nTrackingMode = mode;
        return FALSE;
    }
    m_nTrackingMode = mode;
    if (mode) {
        if (selectFirst)
            SetSelected(m_pControls->GetNextControlIndex(-1, 1), 2);
    } else {
        SetOpenPopupControl(-1, FALSE);
        if (selectFirst)
            SetSelected(-1, FALSE);
        Redraw(nullptr, TRUE);
    }
    if (CKvoBarManager* manager = GetBarManager())
        manager->OnTrackingModeChanged(this, mode);
    return TRUE;
}

BOOL CKvoCommandBar::LoadMenu(CMenu* menu, BOOL removeAll)
{
    HMENU handle = menu ? menu->GetSafeHmenu() : nullptr;
    if (!handle || !::IsMenu(handle))
        return FALSE;
    if (removeAll)
        m_pControls->RemoveAllControls();
    BOOL beginGroup = FALSE;
    const int count = ::GetMenuItemCount(handle);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STATE | MIIM_TYPE | MIIM_ID | MIIM_SUBMENU;
        if (!::GetMenuItemInfoW(handle, position, TRUE, &info))
            continue;
        // Separators and id-less items become the next control's group mark.
        if ((info.fType & MFT_SEPARATOR) || (info.wID == 0 && !info.hSubMenu)) {
            beginGroup = TRUE;
            continue;
        }
        CKvoControl* control = m_pControls->AddMenuItem(menu, position);
        if (!control)
            continue;
        if (info.fType & (MFT_MENUBARBREAK | MFT_MENUBREAK)) {
            control->SetFlags(control->GetFlags() | KvoFlagWrapRow);
            beginGroup = (info.fType & MFT_MENUBARBREAK) != 0;
        }
        if (beginGroup)
            control->SetBeginGroup(TRUE);
        beginGroup = FALSE;
        if (!control->GetAction()) {
            if (info.fState & MFS_CHECKED)
                control->SetChecked(TRUE);
            if (info.fState & (MFS_DISABLED | MFS_GRAYED))
                control->SetEnabled(FALSE);
        }
    }
    return TRUE;
}
