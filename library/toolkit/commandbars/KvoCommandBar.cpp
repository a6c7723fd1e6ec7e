#include <algorithm>
#include "commandbars/KvoCommandBar.h"
#include "commandbars/KvoBarManager.h"
#include "commandbars/KvoControl.h"
#include "commandbars/KvoControls.h"
#include "commandbars/KvoPaintManager.h"
#include "commandbars/KvoKeyboardManager.h"
#include "commandbars/KvoMouseManager.h"
#include "foundation/base/KvoDeviceContext.h"
#include "foundation/base/KvoDrawHelpers.h"
#include "foundation/images/KvoImageManager.h"
#include <afxpriv.h>

// Registered with the command-bar classes in their start-up order, not here.
CObject* PASCAL CKvoCommandBar::CreateObject()
{
    return new CKvoCommandBar;
}
IMPLEMENT_RUNTIMECLASS(CKvoCommandBar, CWnd, VERSIONABLE_SCHEMA | 33, CKvoCommandBar::CreateObject)

CKvoCommandBar::CKvoCommandBar()
    : m_barType(KvoBarTypeNormal), m_barPosition(KvoBarUnplaced), m_pExplicitSite(nullptr),
      m_pExplicitOwner(nullptr), m_bRecursePopup(FALSE), m_bNoNotify(FALSE), m_pReturnCmd(nullptr), m_szIcons(0, 0),
      m_szButtons(0, 0), m_pBarManager(nullptr), m_pControls(new CKvoControls), m_nSelected(-1), m_nPopuped(-1),
      m_nTrackingMode(0), m_dwUpdateFlags(0), m_bCustomizable(TRUE), m_nDefaultButtonStyle(KvoButtonAutomatic),
      m_nSuppressedPromptIndex(-1), m_bIgnoreMouseLock(FALSE), m_bHotTrackWhilePopup(TRUE),
      m_bHideCaretWhileTracking(TRUE), m_pCaretWindow(nullptr), m_nLockCount(0), m_nKeyboardSelected(0),
      m_bEnteredByMouse(FALSE), m_nRedrawLock(0), m_nShowTextBelowIcons(2), m_pPaintManager(nullptr), m_pImageManager(nullptr)
{
    m_pControls->SetParentCommandBar(this);
}

CKvoCommandBar::~CKvoCommandBar()
{
    // A bar destroyed while tracking must not stay in the managers' lists.
    m_nTrackingMode = 0;
    LeaveManagers();
    m_pControls->RemoveAllControls();
    m_pControls->SetParentCommandBar(nullptr);
    m_pControls->InternalRelease();
    if (m_pPaintManager)
        m_pPaintManager->InternalRelease();
    if (m_pImageManager)
        m_pImageManager->InternalRelease();
}

BEGIN_MESSAGE_MAP(CKvoCommandBar, CWnd)
    ON_WM_PAINT()
    ON_WM_PRINTCLIENT()
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_MESSAGE(WM_NCMOUSEMOVE, &CKvoCommandBar::OnNcMouseMoveMessage)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CKvoCommandBar::OnIdleUpdateCmdUIMessage)
    ON_MESSAGE(WM_INITIALUPDATE, &CKvoCommandBar::OnInitialUpdate)
    ON_MESSAGE(WM_NCHITTEST, &CKvoCommandBar::OnNcHitTestMessage)
    ON_MESSAGE(WM_NCLBUTTONDOWN, &CKvoCommandBar::OnNcLButtonDownMessage)
    ON_MESSAGE(WM_HELPHITTEST, &CKvoCommandBar::OnHelpHitTest)
    ON_MESSAGE(WM_GETOBJECT, &CKvoCommandBar::OnGetObject)
END_MESSAGE_MAP()

LPCTSTR CKvoCommandBar::GetWindowClassName()
{
    return AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW));
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

// The manager's icon-size options come with the manager's options; until
// then a manager only changes how the automatic size is found.
CSize CKvoCommandBar::GetLargeIconSize(BOOL automatic) const
{
    const BOOL ownIconSize = m_szIcons != CSize(0, 0);
    if (!GetBarManager())
        return ownIconSize ? CSize(m_szIcons.cx * 2, m_szIcons.cy * 2) : CSize(32, 32);
    const CSize base = ownIconSize ? m_szIcons : CSize(16, 16);
    if (m_szButtons != CSize(0, 0))
        return base;
    return automatic ? GetAutoIconSize(TRUE) : CSize(base.cx * 2, base.cy * 2);
}

CSize CKvoCommandBar::GetAutoIconSize(BOOL large) const
{
    return GetPaintManager()->GetAutoIconSize(large);
}

BOOL CKvoCommandBar::IsWindowShown() const
{
    CRect rect;
    return GetSafeHwnd() && IsVisible() && ::IsWindowVisible(m_hWnd) && (GetWindowRect(&rect), !rect.IsRectEmpty());
}

// Bars paint the change at once: nothing fades it in yet.
void CKvoCommandBar::Redraw(LPCRECT rect, BOOL)
{
    if (m_nRedrawLock > 0) {
        m_dwUpdateFlags |= KVO_BAR_UPDATE_REDRAW;
        return;
    }
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
    UpdateDocTemplateControls();
    OnUpdateCmdUI();
    if (m_dwUpdateFlags & KVO_BAR_UPDATE_REDRAW)
        Redraw(nullptr, TRUE);
    if (m_dwUpdateFlags & KVO_BAR_UPDATE_LAYOUT) {
        OnRecalcLayout();
        m_dwUpdateFlags &= ~KVO_BAR_UPDATE_LAYOUT;
    }
}

BOOL CKvoCommandBar::SetSelected(int index, BOOL keyboard)
{
    if (index == m_nSelected)
        return FALSE;
    m_nKeyboardSelected = keyboard;
    if (!GetSafeHwnd())
        return FALSE;
    if (CKvoControl* previous = GetControl(m_nSelected)) {
        previous->OnMouseMove(CPoint(-1, -1));
        previous->SetSelected(0);
    }
    m_nSelected = index;
    CKvoControl* control = GetControl(index);
    if (!control) {
        KillTimer(kHoverTimer);
        return TRUE;
    }
    if (keyboard) {
        EnsureVisible(control);
        control->SetSelected(std::max(keyboard, 2));
    } else {
        control->SetSelected(1);
    }
    if (m_nTrackingMode)
        ::NotifyWinEvent(EVENT_OBJECT_FOCUS, m_hWnd, OBJID_MENU, index + 1);
    GetMouseManager()->SetHotBar(this);
    if (!keyboard && m_bHotTrackWhilePopup)
        SetTimer(kHoverTimer, 300, nullptr);
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

BOOL CKvoCommandBar::SetTrackingMode(int mode, BOOL selectFirst, BOOL keyboard)
{
    if ((m_nTrackingMode && mode) || mode == m_nTrackingMode) {
        m_nTrackingMode = mode;
        return FALSE;
    }
    m_nTrackingMode = mode;
    if (mode)
        EnterTracking(selectFirst, keyboard);
    else
        LeaveTracking(selectFirst);
    if (CKvoBarManager* manager = GetBarManager())
        manager->OnTrackingModeChanged(this, mode);
    return TRUE;
}

void CKvoCommandBar::EnterTracking(BOOL selectFirst, BOOL keyboard)
{
    if (m_barType == KvoBarTypeMenuBar)
        if (CWnd* site = GetSite())
            site->SendMessage(KVO_SITE_MENUBAR_TRACKING, reinterpret_cast<WPARAM>(this));
    m_bEnteredByMouse = !selectFirst && !keyboard;
    m_nKeyboardSelected = keyboard;
    if (m_bHideCaretWhileTracking && !m_pCaretWindow) {
        CWnd* focus = CWnd::GetFocus();
        m_pCaretWindow = focus ? focus : GetSite();
        if (m_pCaretWindow)
            ::HideCaret(m_pCaretWindow->GetSafeHwnd());
    }
    GetMouseManager()->AddTrackingBar(this);
    GetKeyboardManager()->HookBar(this);
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    if (selectFirst)
        SetSelected(m_pControls->GetNextControlIndex(-1, 1), 2);
}

void CKvoCommandBar::LeaveTracking(BOOL selectFirst)
{
    m_nKeyboardSelected = 0;
    m_bEnteredByMouse = FALSE;
    LeaveManagers();
    SetOpenPopupControl(-1, FALSE);
    if (selectFirst)
        SetSelected(-1, FALSE);
    if (m_pCaretWindow) {
        ::ShowCaret(m_pCaretWindow->GetSafeHwnd());
        m_pCaretWindow = nullptr;
    }
    Redraw(nullptr, TRUE);
    if (GetMouseManager()->GetTrackArray().IsEmpty())
        GetMouseManager()->SetExpandAll(FALSE);
    HWND window = GetSafeHwnd();
    HWND parent = window ? ::GetParent(window) : nullptr;
    if (parent && ::GetFocus() == window)
        ::SetFocus(::GetNextDlgTabItem(parent, window, FALSE));
    m_nLockCount = 0;
}

void CKvoCommandBar::LeaveManagers()
{
    // Managers not made yet cannot list the bar: none is made here.
    if (CKvoMouseManager* mouseManager = CKvoMouseManager::ExistingForThisThread()) {
        if (mouseManager->IsTrackedBar(this))
            mouseManager->RemoveTrackingBar(this);
        if (mouseManager->GetHotBar() == this && !m_nTrackingMode)
            mouseManager->SetHotBar(nullptr);
    }
    if (CKvoKeyboardManager* keyboardManager = CKvoKeyboardManager::ExistingForThisThread())
        keyboardManager->UnhookBar(this);
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

// Window -------------------------------------------------------------------

CKvoMouseManager* CKvoCommandBar::GetMouseManager() const
{
    return CKvoMouseManager::ForThisThread();
}

CKvoKeyboardManager* CKvoCommandBar::GetKeyboardManager() const
{
    return CKvoKeyboardManager::ForThisThread();
}

BOOL CKvoCommandBar::IsMouseLocked() const
{
    return !m_bIgnoreMouseLock && GetMouseManager()->IsMouseLocked();
}

int CKvoCommandBar::IsPointInside(CPoint screenPoint) const
{
    HWND window = GetSafeHwnd();
    CRect rect;
    if (!window || !::GetWindowRect(window, &rect) || !rect.PtInRect(screenPoint))
        return 0;
    if (m_barPosition != KvoBarPopup)
        return 1;
    CRgn region;
    region.CreateRectRgn(0, 0, 0, 0);
    const int kind = ::GetWindowRgn(window, static_cast<HRGN>(region.m_hObject));
    if (kind == ERROR || kind == NULLREGION)
        return 1;
    return region.PtInRegion(screenPoint.x - rect.left, screenPoint.y - rect.top) ? 1 : 0;
}

void CKvoCommandBar::FillBarBackground(CDC* dc)
{
    GetPaintManager()->FillBarBackground(dc, this);
}

void CKvoCommandBar::DrawCommandBar(CDC* dc, CRect clip)
{
    if (!dc)
        return;
    CKvoPaintManager* paintManager = GetPaintManager();
    FillBarBackground(dc);
    if (m_barPosition == KvoBarFloating)
        paintManager->DrawFloatingBarFrame(dc, this, TRUE);
    dc->SetBkMode(TRANSPARENT);
    BOOL firstVisible = TRUE;
    for (int index = 0; index < GetControlCount(); ++index) {
        CKvoControl* control = GetControl(index);
        if (control->GetParent() != this || !control->IsVisible(0))
            continue;
        if (control->GetBeginGroup() && !firstVisible)
            paintManager->DrawCommandBarSeparator(dc, this, control, TRUE);
        firstVisible = FALSE;
        CRect common;
        const CRect rect = control->GetRect();
        if (!common.IntersectRect(&clip, &rect))
            continue;
        CFont* oldFont = dc->SelectObject(paintManager->GetControlFont(this, FALSE));
        control->Draw(dc);
        dc->SelectObject(oldFont);
    }
}

void CKvoCommandBar::OnPaint()
{
    CPaintDC paintDC(this);
    CKvoBufferDC buffer(paintDC);
    DrawCommandBar(&buffer, CRect(paintDC.m_ps.rcPaint));
}

LRESULT CKvoCommandBar::OnPrintClient(CDC* dc, UINT)
{
    CRect client;
    GetClientRect(&client);
    DrawCommandBar(dc, client);
    return 1;
}

BOOL CKvoCommandBar::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

BOOL CKvoCommandBar::IsHotTrackingActive() const
{
    if (m_nTrackingMode || m_barPosition == KvoBarPopup)
        return TRUE;
    return CKvoDrawHelpers::IsTopParentActive(m_hWnd);
}

void CKvoCommandBar::OnMouseMove(UINT, CPoint point)
{
    CKvoMouseManager* mouseManager = GetMouseManager();
    if (!GetSafeHwnd() || mouseManager->IsBarOutsideTracking(this) || !IsHotTrackingActive() || IsMouseLocked())
        return;
    if (IsCustomizeMode())
        return;
    if (m_nPopuped != -1 && !m_bHotTrackWhilePopup)
        return;
    const BOOL keepHot =
        m_nTrackingMode && (m_barPosition != KvoBarPopup || m_nPopuped != -1 || m_nKeyboardSelected);
    int hot = keepHot ? m_nSelected : -1;
    if (CKvoControl* control = m_pControls->HitTestControl(point)) {
        hot = control->GetIndex();
        mouseManager->TrackMouseLeave(m_hWnd);
        control->OnMouseMove(point);
    }
    SetSelected(hot, FALSE);
}

void CKvoCommandBar::OnMouseLeave()
{
    if (IsMouseLocked() || m_nLockCount > 0)
        return;
    if (m_nTrackingMode && (m_barPosition != KvoBarPopup || m_nPopuped != -1))
        return;
    SetSelected(-1, FALSE);
}

LRESULT CKvoCommandBar::OnNcMouseMoveMessage(WPARAM wParam, LPARAM lParam)
{
    OnMouseLeave();
    return DefWindowProc(WM_NCMOUSEMOVE, wParam, lParam);
}

void CKvoCommandBar::OnLButtonDown(UINT flags, CPoint point)
{
    CKvoControl* control = m_pControls->HitTestControl(point);
    if (m_barPosition == KvoBarPopup && m_barType == KvoBarTypeNormal && m_nPopuped != -1 &&
        GetControl(m_nPopuped) != control) {
        if (m_nSelected == m_nPopuped)
            SetSelected(-1, FALSE);
        SetOpenPopupControl(-1, FALSE);
    }
    if (!control) {
        CWnd::OnLButtonDown(flags, point);
        return;
    }
    if (IsCustomizeMode() && !control->CanDragInCustomizeMode())
        return;
    control->OnClick(FALSE, point);
}

void CKvoCommandBar::OnLButtonUp(UINT flags, CPoint point)
{
    if (IsCustomizeMode())
        return;
    if (CKvoControl* control = m_pControls->HitTestControl(point))
        control->OnLButtonUp(point);
    else
        CWnd::OnLButtonUp(flags, point);
}

void CKvoCommandBar::OnLButtonDblClk(UINT, CPoint point)
{
    if (IsCustomizeMode())
        return;
    if (CKvoControl* control = m_pControls->HitTestControl(point))
        control->OnLButtonDblClk(point);
}

void CKvoCommandBar::OnTimer(UINT_PTR id)
{
    CWnd::OnTimer(id);
    if (id != kHoverTimer || m_nLockCount > 0)
        return;
    KillTimer(kHoverTimer);
    if (CKvoControl* hot = GetControl(m_nSelected))
        hot->OnMouseHover();
}

void CKvoCommandBar::OnDestroy()
{
    SetTrackingMode(0, TRUE, FALSE);
    CWnd::OnDestroy();
}

LRESULT CKvoCommandBar::OnIdleUpdateCmdUIMessage(WPARAM wParam, LPARAM)
{
    OnIdleUpdateCmdUI(static_cast<BOOL>(wParam), 0);
    return 0;
}

LRESULT CKvoCommandBar::OnInitialUpdate(WPARAM, LPARAM)
{
    OnIdleUpdateCmdUI(TRUE, 0);
    return 0;
}

int CKvoCommandBar::OnHookKeyDown(UINT virtualKey, LPARAM keyData)
{
    if (virtualKey == VK_ESCAPE) {
        SetTrackingMode(0, TRUE, FALSE);
        return 1;
    }
    CKvoControl* hot = GetControl(m_nSelected);
    return hot ? hot->OnHookKeyDown(virtualKey, keyData) : 0;
}

int CKvoCommandBar::OnHookMessage(HWND, UINT message, WPARAM& wParam, LPARAM& lParam, LRESULT&)
{
    if (message != WM_KEYDOWN)
        return 0;
    // A locked bar swallows keys: a loop nested in it owns the keyboard.
    if (m_nLockCount > 0)
        return 1;
    return OnHookKeyDown(static_cast<UINT>(wParam), lParam);
}
