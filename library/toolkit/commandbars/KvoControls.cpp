#include "commandbars/KvoControls.h"
#include "commandbars/KvoBarManager.h"
#include "commandbars/KvoCommandBar.h"
#include "commandbars/KvoControl.h"
#include "commandbars/KvoControlAction.h"
#include "commandbars/KvoControlButton.h"
#include "foundation/base/KvoResourceManager.h"

// Registered with the command-bar classes in their start-up order, not here.
CObject* PASCAL CKvoControls::CreateObject()
{
    return new CKvoControls;
}
IMPLEMENT_RUNTIMECLASS(CKvoControls, CCmdTarget, VERSIONABLE_SCHEMA | 33, CKvoControls::CreateObject)
CObject* PASCAL CKvoOriginalControls::CreateObject()
{
    return new CKvoOriginalControls;
}
IMPLEMENT_RUNTIMECLASS(CKvoOriginalControls, CKvoControls, VERSIONABLE_SCHEMA | 33,
                       CKvoOriginalControls::CreateObject)

namespace {
// Menu item id of an item the menu keeps for itself.
const UINT kSkippedMenuItemId = 0xFF00;
// The toolkit's own commands and the commands the list controls stand
// for: they never get an action of their own.
BOOL IsToolkitCommand(UINT id)
{
    return (id >= 9100 && id <= 9299) || (id >= 35000 && id <= 35003);
}
// Commands that a list control, not a button, stands for.
const UINT kWindowListCommand = 35000;
const UINT kWorkspaceActionsCommand = 35002;
const UINT kRecentFileListCommand = 35003;
const UINT kToolBarsListCommand = 59392;
const UINT kOleVerbsCommand = 0xE210;
const UINT kFirstRecentFileCommand = 0xE110;

BOOL IsListControlCommand(UINT id)
{
    return id == kWindowListCommand || id == kWorkspaceActionsCommand || id == kRecentFileListCommand ||
           id == kToolBarsListCommand;
}
}  // namespace

CKvoControls::CKvoControls()
    : m_pParent(nullptr), m_pBarManager(nullptr), m_pOriginalControls(nullptr), m_bOriginalControls(FALSE)
{
}

CKvoControls::~CKvoControls()
{
    RemoveAllControls();
    ReleaseOriginalControls();
}

CKvoControl* CKvoControls::GetAt(int index) const
{
    return index >= 0 && index < GetCount() ? m_arrControls[index] : nullptr;
}

CKvoBarManager* CKvoControls::GetBarManager() const
{
    return m_pParent ? m_pParent->GetBarManager() : m_pBarManager;
}

CWnd* CKvoControls::GetOwnerSite() const
{
    CKvoBarManager* manager = GetBarManager();
    if (manager && manager->GetSite())
        return manager->GetSite();
    return m_pParent ? m_pParent->GetOwnerSite() : nullptr;
}

void CKvoControls::SetParentCommandBar(CKvoCommandBar* bar)
{
    m_pParent = bar;
    if (GetCount() > 0)
        RefreshIndexes();
}

// Links --------------------------------------------------------------------------

void CKvoControls::RefreshIndexes()
{
    for (int i = 0; i < GetCount(); ++i) {
        CKvoControl* control = m_arrControls[i];
        control->m_nIndex = i;
        control->m_pControls = this;
        control->SetParent(m_pParent);
    }
    if (m_pParent)
        m_pParent->OnControlsChanged();
}

BOOL CKvoControls::IsControlPersistent(CKvoControl* control) const
{
    return !control->IsTemporary();
}

void CKvoControls::OnControlAdded(CKvoControl*)
{
    RefreshIndexes();
}

void CKvoControls::OnControlRemoved(CKvoControl* control)
{
    control->m_pControls = nullptr;
    control->OnRemoved();
    control->m_pParent = nullptr;
    RefreshIndexes();
}

void CKvoControls::InsertControl(CKvoControl* control, int before)
{
    if (before < 0 || before >= GetCount())
        before = GetCount();
    m_arrControls.InsertAt(before, control);
    OnControlAdded(control);
}

void CKvoControls::DetachAt(int index)
{
    CKvoControl* control = m_arrControls[index];
    m_arrControls.RemoveAt(index);
    OnControlRemoved(control);
    control->SetParent(nullptr);
    control->InternalRelease();
}

void CKvoControls::Remove(CKvoControl* control)
{
    if (!control || control->m_pControls != this)
        return;
    if (control->GetSelected() && m_pParent)
        m_pParent->SetSelected(-1, FALSE);
    const int index = control->GetIndex();
    if (GetAt(index) == control && !OnControlRemoving(control))
        DetachAt(index);
}

void CKvoControls::RemoveAllControls()
{
    for (int index = GetCount() - 1; index >= 0; --index)
        if (!OnControlRemoving(m_arrControls[index]))
            DetachAt(index);
}

// Adding ---------------------------------------------------------------------------

CKvoControl* CKvoControls::AddControl(CKvoControl* control, UINT id, LPCWSTR parameter, int before, BOOL temporary)
{
    if (!control)
        return nullptr;
    control->SetParameter(parameter);
    control->SetTemporary(temporary);
    if (!control->GetAction()) {
        CKvoBarManager* manager = GetBarManager();
        CKvoControlAction* action = manager ? manager->FindAction(id) : nullptr;
        if (!action && manager && manager->IsActionsEnabled() && CKvoControlActions::IsValidId(id) &&
            !IsToolkitCommand(id))
            action = manager->FindOrAddAction(id);
        if (action)
            control->SetAction(action);
        else
            control->SetPromptId(id);
    }
    InsertControl(control, before);
    return control;
}

CKvoControl* CKvoControls::CreateControlOfType(int type, UINT id)
{
    // Every other kind of control comes with its own class.
    if (type == KvoControlTypeButton && !IsListControlCommand(id))
        return new CKvoControlButton;
    return nullptr;
}

CKvoControl* CKvoControls::AddControlOfType(int type, UINT id, LPCWSTR parameter, int before, BOOL temporary)
{
    if (type < KvoControlTypeButton || type > KvoControlTypeRadioButton)
        return nullptr;
    CKvoControl* control = CreateControlOfType(type, id);
    if (!control)
        return nullptr;
    control->SetType(type);
    return AddControl(control, id, parameter, before, temporary);
}

CKvoControl* CKvoControls::CreateControlForMenuItem(const MenuItemInfo& item)
{
    if (item.nType != KvoControlTypeButton)
        return CreateControlOfType(item.nType, item.nId);
    // The framework's placeholder items become list controls only with
    // exactly their placeholder text.
    if (item.nId == kOleVerbsCommand && item.strCaption != L"<<OLE VERBS GO HERE>>")
        return new CKvoControlButton;
    if (item.nId == kOleVerbsCommand || item.nId == kFirstRecentFileCommand)
        return nullptr;
    return CreateControlOfType(item.nType, item.nId);
}

void CKvoControls::BindMenuItemControl(CKvoControl* control, const MenuItemInfo& item)
{
    CKvoBarManager* manager = GetBarManager();
    CKvoControlAction* action = manager ? manager->FindAction(item.nId) : nullptr;
    if (!action && (!manager || !manager->IsActionsEnabled() || item.nId == 0 || item.nId >= 0xFFFFFFF)) {
        control->SetPromptId(item.nId);
        control->SetCaption(item.strCaption);
        return;
    }
    if (!action)
        action = manager->FindOrAddAction(item.nId);
    control->SetAction(action);
    if (action->GetCaption().IsEmpty())
        action->SetCaption(item.strCaption);
}

CKvoControl* CKvoControls::AddMenuItem(CMenu* menu, int position)
{
    HMENU handle = menu ? menu->GetSafeHmenu() : nullptr;
    if (!handle)
        return nullptr;
    const BOOL hasSubMenu = ::GetSubMenu(handle, position) != nullptr;
    MenuItemInfo item = {};
    item.nId = ::GetMenuItemID(handle, position);
    if (item.nId == kSkippedMenuItemId)
        return nullptr;
    const UINT defaultPosition = ::GetMenuDefaultItem(handle, TRUE, GMDI_USEDISABLED);

    CKvoResourceManager::Instance()->GetMenuString(menu, position, &item.strCaption, MF_BYPOSITION);
    const int tab = item.strCaption.Find(L'\t');
    if (hasSubMenu && tab > 0) {
        // A submenu item can carry its command id after a tab.
        item.nId = static_cast<UINT>(_wtoi(item.strCaption.Mid(tab + 1)));
        if (item.nId != 0)
            item.strCaption = item.strCaption.Left(tab);
    }
    item.nPosition = position;
    item.pMenu = menu;
    item.pParentBar = m_pParent;
    item.nType = hasSubMenu ? KvoControlTypePopup : KvoControlTypeButton;
    item.nStyle = KvoButtonAutomatic;

    CWnd* site = GetOwnerSite();
    const HWND siteWindow = site ? site->GetSafeHwnd() : nullptr;
    CKvoControl* control = nullptr;
    if (siteWindow && ::SendMessageW(siteWindow, KVO_SITE_MENU_ITEM_CREATING, 0, reinterpret_cast<LPARAM>(&item)))
        control = item.pControl;
    if (!control) {
        control = CreateControlForMenuItem(item);
        if (!control)
            return nullptr;
        control->SetType(item.nType);
        control->SetStyle(item.nStyle);
    }
    BindMenuItemControl(control, item);
    if (defaultPosition != static_cast<UINT>(-1) && static_cast<int>(defaultPosition) == position)
        control->SetDefaultItem(TRUE);

    AppendControl(control);
    if (siteWindow && ::IsWindow(siteWindow)) {
        item.pControl = control;
        ::SendMessageW(siteWindow, KVO_SITE_MENU_ITEM_CREATED, 0, reinterpret_cast<LPARAM>(&item));
    }
    return control;
}

CKvoControl* CKvoControls::AddCopyOf(CKvoControl* control, int before, BOOL recursive)
{
    CKvoControl* copy = static_cast<CKvoControl*>(control->GetRuntimeClass()->CreateObject());
    if (!copy)
        return nullptr;
    InsertControl(copy, before);
    copy->Copy(control, recursive);
    return copy;
}

CKvoControl* CKvoControls::SetControlType(int index, int type)
{
    CKvoControl* control = GetAt(index);
    if (!control)
        return nullptr;
    auto isPopupType = [](int kind) {
        return kind == KvoControlTypePopup || kind == KvoControlTypeButtonPopup ||
               kind == KvoControlTypeSplitButtonPopup;
    };
    if (isPopupType(control->GetType()) && isPopupType(type)) {
        control->SetType(type);
        return control;
    }
    CKvoControl* replacement = AddControlOfType(type, 0, L"", index + 1, FALSE);
    if (!replacement)
        return control;
    replacement->CKvoControl::Copy(control, FALSE);
    replacement->SetType(type);
    Remove(control);
    return replacement;
}

// Finding --------------------------------------------------------------------------

CKvoControl* CKvoControls::FindControl(int type, int id, BOOL visibleOnly, BOOL recursive) const
{
    for (int i = 0; i < GetCount(); ++i) {
        CKvoControl* control = m_arrControls[i];
        if ((type == 0 || control->GetType() == type) && (!visibleOnly || control->IsVisible(0)) &&
            (id == -1 || control->GetID() == static_cast<UINT>(id)))
            return control;
        CKvoCommandBar* popup = recursive ? control->GetCommandBar() : nullptr;
        CKvoControl* found = popup ? popup->GetControls()->FindControl(type, id, visibleOnly, TRUE) : nullptr;
        if (found)
            return found;
    }
    return nullptr;
}

int CKvoControls::GetNextControlIndex(int start, int step, BOOL skipNoKeyboard, BOOL skipTemporary,
                                      BOOL strict) const
{
    const int count = GetCount();
    if (count == 0)
        return -1;
    // Hide flag 8 (scrolled out) and, when not strict, 32 (rarely used)
    // still leave a control reachable.
    const DWORD mask = strict ? KvoHideScroll : (KvoHideScroll | KvoHideExpand);
    BOOL wrapped = FALSE;
    int index = (start == -1 && step == -1) ? count - 1 : start + step;
    for (;;) {
        if (index == start)
            return start;
        if (index >= count) {
            if ((start == -1 && step == 1) || wrapped)
                return -1;
            wrapped = TRUE;
            index = 0;
            continue;
        }
        if (index < 0) {
            if ((start == -1 && step == -1) || wrapped)
                return -1;
            wrapped = TRUE;
            index = count - 1;
            continue;
        }
        CKvoControl* control = m_arrControls[index];
        if (control->IsVisible(mask) && !(skipNoKeyboard && (control->GetFlags() & KvoFlagSkipFocus)) &&
            !(skipTemporary && control->IsTemporary()))
            return index;
        index += step;
    }
}

CKvoControl* CKvoControls::GetVisibleControl(int n, BOOL strict) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (m_arrControls[i]->IsVisible(strict ? 0 : KvoHideWrap) && n-- == 0)
            return m_arrControls[i];
    return nullptr;
}

int CKvoControls::CountVisibleControls(BOOL strict) const
{
    int visible = 0;
    for (int i = 0; i < GetCount(); ++i)
        visible += m_arrControls[i]->IsVisible(strict ? 0 : KvoHideWrap) ? 1 : 0;
    return visible;
}

CKvoControl* CKvoControls::HitTestControl(CPoint point) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (m_arrControls[i]->IsVisible(0) && m_arrControls[i]->GetRect().PtInRect(point))
            return m_arrControls[i];
    return nullptr;
}

// Copies and snapshots ---------------------------------------------------------

BOOL CKvoControls::Compare(const CKvoControls* other) const
{
    if (!other)
        return FALSE;
    int mine = 0, theirs = 0;
    for (;;) {
        while (mine < GetCount() && m_arrControls[mine]->IsTemporary())
            ++mine;
        while (theirs < other->GetCount() && other->m_arrControls[theirs]->IsTemporary())
            ++theirs;
        if (mine == GetCount() || theirs == other->GetCount())
            return mine == GetCount() && theirs == other->GetCount();
        if (!m_arrControls[mine++]->Compare(other->m_arrControls[theirs++]))
            return FALSE;
    }
}

BOOL CKvoControls::IsChanged() const
{
    return !m_pOriginalControls || !m_pOriginalControls->Compare(this);
}

void CKvoControls::SetOriginalControls(CKvoOriginalControls* snapshot)
{
    if (m_pOriginalControls)
        m_pOriginalControls->InternalRelease();
    m_pOriginalControls = snapshot;
}

void CKvoControls::CreateOriginalControls()
{
    CKvoOriginalControls* snapshot = new CKvoOriginalControls;
    for (int i = 0; i < GetCount(); ++i)
        if (IsControlPersistent(m_arrControls[i]))
            snapshot->AddCopyOf(m_arrControls[i], -1, TRUE);
    SetOriginalControls(snapshot);
}

CKvoControls* CKvoControls::Duplicate(BOOL recursive)
{
    CKvoControls* duplicate = static_cast<CKvoControls*>(GetRuntimeClass()->CreateObject());
    for (int i = 0; i < GetCount(); ++i)
        if (IsControlPersistent(m_arrControls[i]))
            duplicate->AddCopyOf(m_arrControls[i], -1, recursive);
    if (m_pOriginalControls)
        duplicate->SetOriginalControls(static_cast<CKvoOriginalControls*>(m_pOriginalControls->Duplicate(recursive)));
    return duplicate;
}

void CKvoControls::Copy(CKvoControls* source, BOOL recursive)
{
    RemoveAllControls();
    for (int i = 0; i < source->GetCount(); ++i)
        if (source->IsControlPersistent(source->m_arrControls[i]))
            AddCopyOf(source->m_arrControls[i], -1, recursive);
    CKvoOriginalControls* snapshot = source->m_pOriginalControls;
    SetOriginalControls(snapshot ? static_cast<CKvoOriginalControls*>(snapshot->Duplicate(recursive)) : nullptr);
}
