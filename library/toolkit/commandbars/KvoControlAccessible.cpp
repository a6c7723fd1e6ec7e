// CKvoControl: the accessible interface of a control, which answers for
// the control itself (child id 0) only.
#include "commandbars/KvoControl.h"
#include "commandbars/KvoCommandBar.h"
#include "foundation/base/KvoDrawHelpers.h"

namespace {
const long kRoleButtonMenu = 57;   // ROLE_SYSTEM_BUTTONMENU
const long kRolePushButton = 43;   // ROLE_SYSTEM_PUSHBUTTON
const long kRoleMenuItem = 12;     // ROLE_SYSTEM_MENUITEM

BOOL IsSelf(const VARIANT& child)
{
    return CKvoAccessible::GetChildIndex(child) == CHILDID_SELF;
}
}  // namespace

HRESULT CKvoControl::QueryDispatch(CCmdTarget* target, IDispatch** dispatch)
{
    void* result = nullptr;
    if (target->ExternalQueryInterface(&__uuidof(IDispatch), &result) != S_OK)
        return E_FAIL;
    *dispatch = static_cast<IDispatch*>(result);
    return S_OK;
}

HRESULT CKvoControl::get_accParent(IDispatch** parent)
{
    if (!parent)
        return E_POINTER;
    *parent = nullptr;
    if (!m_pParent)
        return E_FAIL;
    return QueryDispatch(m_pParent, parent);
}

HRESULT CKvoControl::get_accChildCount(long* count)
{
    if (!count)
        return E_POINTER;
    *count = GetCommandBar() ? 1 : 0;
    return S_OK;
}

HRESULT CKvoControl::get_accChild(VARIANT child, IDispatch** dispatch)
{
    if (!dispatch)
        return E_POINTER;
    *dispatch = nullptr;
    CKvoCommandBar* popup = GetChildIndex(child) == 1 ? GetCommandBar() : nullptr;
    if (popup)
        QueryDispatch(popup, dispatch);
    return S_OK;
}

HRESULT CKvoControl::get_accName(VARIANT child, BSTR* name)
{
    if (!name)
        return E_POINTER;
    *name = nullptr;
    if (!IsSelf(child))
        return E_INVALIDARG;
    CString text = GetCaption();
    CKvoDrawHelpers::StripMnemonics(text);
    CString shortcut = GetShortcutText();
    if (!shortcut.IsEmpty())
        text += L"\t" + shortcut;
    if (text.IsEmpty())
        text = GetTooltip();
    *name = ::SysAllocString(text);
    return S_OK;
}

HRESULT CKvoControl::get_accDescription(VARIANT child, BSTR* description)
{
    if (!description)
        return E_POINTER;
    *description = nullptr;
    if (!IsSelf(child))
        return E_INVALIDARG;
    *description = ::SysAllocString(GetDescription());
    return S_OK;
}

HRESULT CKvoControl::get_accRole(VARIANT child, VARIANT* role)
{
    if (!role)
        return E_POINTER;
    ::VariantInit(role);
    if (!IsSelf(child) || !m_pParent || !m_pParent->GetSafeHwnd())
        return E_INVALIDARG;
    role->vt = VT_I4;
    const int barType = m_pParent->GetType();
    if (barType == KvoBarTypeNormal || barType == 3)
        role->lVal = GetCommandBar() ? kRoleButtonMenu : kRolePushButton;
    else
        role->lVal = kRoleMenuItem;
    return S_OK;
}

HRESULT CKvoControl::get_accState(VARIANT child, VARIANT* state)
{
    if (!state)
        return E_POINTER;
    ::VariantInit(state);
    if (!IsSelf(child) || !m_pParent)
        return E_INVALIDARG;
    long value = m_nSelected ? (STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_HOTTRACKED)
                             : STATE_SYSTEM_FOCUSABLE;
    if (!m_pParent->IsVisible() || !IsVisible(0))
        value |= STATE_SYSTEM_INVISIBLE;
    if (GetEnabled() == 0)
        value |= STATE_SYSTEM_UNAVAILABLE;
    if (GetChecked() == 1)
        value |= STATE_SYSTEM_CHECKED;
    if (GetPressed() != 0)
        value |= STATE_SYSTEM_PRESSED;
    if (GetCommandBar())
        value |= STATE_SYSTEM_HASPOPUP;
    state->vt = VT_I4;
    state->lVal = value;
    return S_OK;
}

HRESULT CKvoControl::get_accDefaultAction(VARIANT child, BSTR* action)
{
    if (!action)
        return E_POINTER;
    *action = nullptr;
    if (!IsSelf(child))
        return E_INVALIDARG;
    *action = ::SysAllocString(L"Click");
    return S_OK;
}

HRESULT CKvoControl::accSelect(long, VARIANT child)
{
    if (!IsSelf(child))
        return E_INVALIDARG;
    if (m_pParent && m_pParent->GetSafeHwnd()) {
        m_pParent->SetTrackingMode(TRUE, FALSE, FALSE);
        m_pParent->SetSelected(m_nIndex, TRUE);
    }
    return S_OK;
}

HRESULT CKvoControl::accLocation(long* left, long* top, long* width, long* height, VARIANT child)
{
    if (!left || !top || !width || !height)
        return E_POINTER;
    *left = *top = *width = *height = 0;
    if (!IsSelf(child))
        return E_INVALIDARG;
    if (!m_pParent || !m_pParent->GetSafeHwnd() || !IsVisible(0))
        return S_OK;
    CRect rect = m_rcControl;
    m_pParent->ClientToScreen(&rect);
    *left = rect.left;
    *top = rect.top;
    *width = rect.Width();
    *height = rect.Height();
    return S_OK;
}

HRESULT CKvoControl::accHitTest(long left, long top, VARIANT* child)
{
    if (!child)
        return E_POINTER;
    ::VariantInit(child);
    if (!m_pParent || !m_pParent->GetSafeHwnd())
        return S_FALSE;
    CRect window;
    ::GetWindowRect(m_pParent->GetSafeHwnd(), &window);
    CPoint point(left, top);
    if (!window.PtInRect(point))
        return S_FALSE;
    child->vt = VT_I4;
    child->lVal = CHILDID_SELF;
    m_pParent->ScreenToClient(&point);
    return m_rcControl.PtInRect(point) ? S_OK : S_FALSE;
}

HRESULT CKvoControl::accDoDefaultAction(VARIANT child)
{
    if (!IsSelf(child))
        return E_INVALIDARG;
    OnClick(TRUE, CPoint(0, 0));
    return S_OK;
}
