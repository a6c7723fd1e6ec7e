// CKvoCommandBar: the accessible interface, which answers for the bar
// (child 0) and for control n as child n.
#include "commandbars/KvoCommandBar.h"
#include "commandbars/KvoControl.h"
#include "commandbars/KvoControls.h"
#include "commandbars/KvoPopupBar.h"

namespace {
const long kStateInvisible = STATE_SYSTEM_INVISIBLE;
const long kStateChild = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
const long kStateHotChild = kStateChild | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_HOTTRACKED | STATE_SYSTEM_SELECTED;

CString WithoutAmpersands(CString text)
{
    text.Remove(L'&');
    return text;
}
} // namespace

CKvoControl* CKvoCommandBar::GetAccessibleChild(const VARIANT& child) const
{
    const int index = GetChildIndex(child);
    return index >= 1 ? GetControl(index - 1) : nullptr;
}

HRESULT CKvoCommandBar::get_accParent(IDispatch** parent)
{
    if (!parent)
        return E_POINTER;
    *parent = nullptr;
    if (IsPopupBar()) {
        CKvoControl* opener = static_cast<const CKvoPopupBar*>(this)->GetControlPopup();
        return opener ? CKvoControl::QueryDispatch(opener, parent) : E_FAIL;
    }
    if (!GetSafeHwnd())
        return E_FAIL;
    return AccessibleObjectFromWindowSafe(m_hWnd, static_cast<DWORD>(OBJID_WINDOW), __uuidof(IDispatch),
                                          reinterpret_cast<void**>(parent));
}

HRESULT CKvoCommandBar::get_accChildCount(long* count)
{
    if (!count)
        return E_INVALIDARG;
    *count = GetControlCount();
    return S_OK;
}

HRESULT CKvoCommandBar::get_accChild(VARIANT child, IDispatch** dispatch)
{
    if (!dispatch)
        return E_POINTER;
    *dispatch = nullptr;
    if (CKvoControl* control = GetAccessibleChild(child))
        CKvoControl::QueryDispatch(control, dispatch);
    return S_OK;
}

HRESULT CKvoCommandBar::get_accName(VARIANT child, BSTR* name)
{
    if (!name)
        return E_POINTER;
    *name = nullptr;
    const int index = GetChildIndex(child);
    if (index <= 0) {
        *name = m_strTitle.AllocSysString();
        return S_OK;
    }
    CKvoControl* control = GetControl(index - 1);
    if (!control)
        return E_INVALIDARG;
    CString text = WithoutAmpersands(control->GetCaption());
    const CString shortcut = control->GetShortcutText();
    if (!shortcut.IsEmpty())
        text += L'\t' + shortcut;
    *name = text.AllocSysString();
    return S_OK;
}

HRESULT CKvoCommandBar::get_accRole(VARIANT child, VARIANT* role)
{
    if (!role)
        return E_POINTER;
    ::VariantInit(role);
    const int index = GetChildIndex(child);
    if (index < 0)
        return E_INVALIDARG;
    role->vt = VT_I4;
    if (index > 0)
        role->lVal = ROLE_SYSTEM_MENUITEM;
    else
        role->lVal = m_barType == KvoBarTypeMenuBar ? ROLE_SYSTEM_MENUBAR
                     : m_barType == KvoBarTypePopup ? ROLE_SYSTEM_MENUPOPUP
                                                    : ROLE_SYSTEM_TOOLBAR;
    return S_OK;
}

HRESULT CKvoCommandBar::get_accState(VARIANT child, VARIANT* state)
{
    if (!state)
        return E_POINTER;
    ::VariantInit(state);
    state->vt = VT_I4;
    state->lVal = IsVisible() ? 0 : kStateInvisible;
    const int index = GetChildIndex(child);
    if (index >= 1 && index <= GetControlCount())
        state->lVal |= index - 1 == m_nSelected ? kStateHotChild : kStateChild;
    return S_OK;
}

HRESULT CKvoCommandBar::accLocation(long* left, long* top, long* width, long* height, VARIANT child)
{
    if (!left || !top || !width || !height)
        return E_POINTER;
    *left = *top = *width = *height = 0;
    if (!GetSafeHwnd())
        return S_OK;
    CRect window;
    GetWindowRect(&window);
    CRect rect = window;
    if (CKvoControl* control = GetAccessibleChild(child)) {
        rect = control->GetRect();
        rect.OffsetRect(window.TopLeft());
    }
    *left = rect.left;
    *top = rect.top;
    *width = rect.Width();
    *height = rect.Height();
    return S_OK;
}

HRESULT CKvoCommandBar::accHitTest(long left, long top, VARIANT* child)
{
    if (!child)
        return E_INVALIDARG;
    ::VariantInit(child);
    CRect window;
    if (!GetSafeHwnd() || (GetWindowRect(&window), !window.PtInRect(CPoint(left, top))))
        return S_FALSE;
    CPoint point(left, top);
    ScreenToClient(&point);
    if (CKvoControl* control = m_pControls->HitTestControl(point)) {
        IDispatch* dispatch = nullptr;
        if (CKvoControl::QueryDispatch(control, &dispatch) == S_OK) {
            child->vt = VT_DISPATCH;
            child->pdispVal = dispatch;
            return S_OK;
        }
    }
    child->vt = VT_I4;
    child->lVal = CHILDID_SELF;
    return S_OK;
}

LRESULT CKvoCommandBar::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    // The id may arrive without its sign extended on x64.
    const LONG objectId = static_cast<LONG>(static_cast<DWORD>(lParam));
    CCmdTarget* object = nullptr;
    if (objectId >= 1 && objectId <= 0xFFFFFE)
        object = m_pControls->FindControlById(static_cast<UINT>(objectId));
    else if (objectId == OBJID_CLIENT || objectId == OBJID_MENU)
        object = this;
    if (!object)
        return DefWindowProc(WM_GETOBJECT, wParam, lParam);
    void* unknown = nullptr;
    if (object->ExternalQueryInterface(&IID_IAccessible, &unknown) != S_OK)
        return E_FAIL;
    const LRESULT result = LresultFromObjectSafe(IID_IAccessible, wParam, static_cast<IUnknown*>(unknown));
    static_cast<IUnknown*>(unknown)->Release();
    return result;
}
