#include "foundation/base/KvoAccessible.h"

CKvoAccessible::CKvoAccessible()
    : m_xAccessible(this), m_notifyWinEvent(nullptr), m_lresultFromObject(nullptr),
      m_accessibleObjectFromWindow(nullptr), m_user32(L"user32.dll")
{
    m_user32.GetProcAddress(&m_notifyWinEvent, "NotifyWinEvent");
}

// The module holders free oleacc (loaded here) and forget user32 (borrowed).
CKvoAccessible::~CKvoAccessible() = default;

HRESULT CKvoAccessible::get_accParent(IDispatch**) { return E_NOTIMPL; }
HRESULT CKvoAccessible::get_accChildCount(long*) { return E_NOTIMPL; }
HRESULT CKvoAccessible::get_accChild(VARIANT, IDispatch**) { return E_NOTIMPL; }
HRESULT CKvoAccessible::get_accName(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CKvoAccessible::get_accValue(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CKvoAccessible::get_accDescription(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CKvoAccessible::get_accRole(VARIANT, VARIANT*) { return E_NOTIMPL; }
HRESULT CKvoAccessible::get_accState(VARIANT, VARIANT*) { return E_NOTIMPL; }
HRESULT CKvoAccessible::get_accHelp(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CKvoAccessible::get_accHelpTopic(BSTR*, VARIANT, long*) { return E_NOTIMPL; }
HRESULT CKvoAccessible::get_accKeyboardShortcut(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CKvoAccessible::get_accFocus(VARIANT*) { return S_FALSE; }
HRESULT CKvoAccessible::get_accSelection(VARIANT*) { return S_FALSE; }
HRESULT CKvoAccessible::get_accDefaultAction(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CKvoAccessible::accSelect(long, VARIANT) { return E_NOTIMPL; }
HRESULT CKvoAccessible::accLocation(long*, long*, long*, long*, VARIANT) { return E_NOTIMPL; }
HRESULT CKvoAccessible::accNavigate(long, VARIANT, VARIANT*) { return E_NOTIMPL; }
HRESULT CKvoAccessible::accHitTest(long, long, VARIANT*) { return E_NOTIMPL; }
HRESULT CKvoAccessible::accDoDefaultAction(VARIANT) { return E_NOTIMPL; }
HRESULT CKvoAccessible::put_accName(VARIANT, BSTR) { return E_NOTIMPL; }
HRESULT CKvoAccessible::put_accValue(VARIANT, BSTR) { return E_NOTIMPL; }

CCmdTarget* CKvoAccessible::GetAccessible()
{
    return nullptr;
}

void CKvoAccessible::NotifyWinEventSafe(DWORD event, HWND window, LONG idObject, LONG idChild)
{
    if (m_notifyWinEvent)
        m_notifyWinEvent(event, window, idObject, idChild);
}

bool CKvoAccessible::LoadOleAcc()
{
    return m_oleacc.GetHandle() || m_oleacc.LoadLibrary(L"oleacc.dll");
}

LRESULT CKvoAccessible::LresultFromObjectSafe(REFIID riid, WPARAM wParam, IUnknown* object)
{
    if (!m_lresultFromObject && LoadOleAcc())
        m_oleacc.GetProcAddress(&m_lresultFromObject, "LresultFromObject");
    if (!m_lresultFromObject)
        return static_cast<LRESULT>(E_FAIL);
    return m_lresultFromObject(riid, wParam, object);
}

HRESULT CKvoAccessible::AccessibleObjectFromWindowSafe(HWND window, DWORD objectId, REFIID riid, void** out)
{
    if (!m_accessibleObjectFromWindow && LoadOleAcc())
        m_oleacc.GetProcAddress(&m_accessibleObjectFromWindow, "AccessibleObjectFromWindow");
    if (!m_accessibleObjectFromWindow)
        return E_FAIL;
    return m_accessibleObjectFromWindow(window, objectId, riid, out);
}

int CKvoAccessible::GetChildIndex(const VARIANT* child)
{
    if (!child)
        return -1;
    switch (child->vt) {
    case VT_EMPTY: return CHILDID_SELF;
    case VT_I4: return child->lVal;
    case VT_I2: return child->iVal;
    case VT_BYREF | VT_I4: return child->plVal ? *child->plVal : -1;
    case VT_BYREF | VT_I2: return child->piVal ? *child->piVal : -1;
    case VT_BYREF | VT_VARIANT: return GetChildIndex(child->pvarVal);
    default: return -1;
    }
}

LPUNKNOWN CKvoAccessible::GetAccessibleInterface(const void* iid)
{
    const IID& wanted = *static_cast<const IID*>(iid);
    if (wanted == __uuidof(IAccessible) || wanted == __uuidof(IDispatch) || wanted == __uuidof(IUnknown))
        return &m_xAccessible;
    return nullptr;
}

// --- XAccessible: identity of the command target, methods of the outer object.

STDMETHODIMP CKvoAccessible::XAccessible::QueryInterface(REFIID riid, void** object)
{
    CCmdTarget* target = m_outer->GetAccessible();
    if (!target) {
        if (object)
            *object = nullptr;
        return E_NOINTERFACE;
    }
    return static_cast<HRESULT>(target->ExternalQueryInterface(&riid, object));
}

STDMETHODIMP_(ULONG) CKvoAccessible::XAccessible::AddRef()
{
    CCmdTarget* target = m_outer->GetAccessible();
    return target ? target->ExternalAddRef() : 0;
}

STDMETHODIMP_(ULONG) CKvoAccessible::XAccessible::Release()
{
    CCmdTarget* target = m_outer->GetAccessible();
    return target ? target->ExternalRelease() : 0;
}

STDMETHODIMP CKvoAccessible::XAccessible::GetTypeInfoCount(UINT*) { return E_NOTIMPL; }
STDMETHODIMP CKvoAccessible::XAccessible::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }
STDMETHODIMP CKvoAccessible::XAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}
STDMETHODIMP CKvoAccessible::XAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                                 UINT*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CKvoAccessible::XAccessible::get_accParent(IDispatch** parent)
{
    return m_outer->get_accParent(parent);
}
STDMETHODIMP CKvoAccessible::XAccessible::get_accChildCount(long* count)
{
    return m_outer->get_accChildCount(count);
}
STDMETHODIMP CKvoAccessible::XAccessible::get_accChild(VARIANT child, IDispatch** dispatch)
{
    return m_outer->get_accChild(child, dispatch);
}
STDMETHODIMP CKvoAccessible::XAccessible::get_accName(VARIANT child, BSTR* name)
{
    return m_outer->get_accName(child, name);
}
STDMETHODIMP CKvoAccessible::XAccessible::get_accValue(VARIANT child, BSTR* value)
{
    return m_outer->get_accValue(child, value);
}
STDMETHODIMP CKvoAccessible::XAccessible::get_accDescription(VARIANT child, BSTR* description)
{
    return m_outer->get_accDescription(child, description);
}
STDMETHODIMP CKvoAccessible::XAccessible::get_accRole(VARIANT child, VARIANT* role)
{
    return m_outer->get_accRole(child, role);
}
STDMETHODIMP CKvoAccessible::XAccessible::get_accState(VARIANT child, VARIANT* state)
{
    return m_outer->get_accState(child, state);
}
STDMETHODIMP CKvoAccessible::XAccessible::get_accHelp(VARIANT child, BSTR* help)
{
    return m_outer->get_accHelp(child, help);
}
STDMETHODIMP CKvoAccessible::XAccessible::get_accHelpTopic(BSTR* helpFile, VARIANT child, long* topic)
{
    return m_outer->get_accHelpTopic(helpFile, child, topic);
}
STDMETHODIMP CKvoAccessible::XAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut)
{
    return m_outer->get_accKeyboardShortcut(child, shortcut);
}
STDMETHODIMP CKvoAccessible::XAccessible::get_accFocus(VARIANT* child)
{
    return m_outer->get_accFocus(child);
}
STDMETHODIMP CKvoAccessible::XAccessible::get_accSelection(VARIANT* children)
{
    return m_outer->get_accSelection(children);
}
STDMETHODIMP CKvoAccessible::XAccessible::get_accDefaultAction(VARIANT child, BSTR* action)
{
    return m_outer->get_accDefaultAction(child, action);
}
STDMETHODIMP CKvoAccessible::XAccessible::accSelect(long flags, VARIANT child)
{
    return m_outer->accSelect(flags, child);
}
STDMETHODIMP CKvoAccessible::XAccessible::accLocation(long* left, long* top, long* width, long* height,
                                                      VARIANT child)
{
    return m_outer->accLocation(left, top, width, height, child);
}
STDMETHODIMP CKvoAccessible::XAccessible::accNavigate(long direction, VARIANT start, VARIANT* end)
{
    return m_outer->accNavigate(direction, start, end);
}
STDMETHODIMP CKvoAccessible::XAccessible::accHitTest(long left, long top, VARIANT* child)
{
    return m_outer->accHitTest(left, top, child);
}
STDMETHODIMP CKvoAccessible::XAccessible::accDoDefaultAction(VARIANT child)
{
    return m_outer->accDoDefaultAction(child);
}
STDMETHODIMP CKvoAccessible::XAccessible::put_accName(VARIANT child, BSTR name)
{
    return m_outer->put_accName(child, name);
}
STDMETHODIMP CKvoAccessible::XAccessible::put_accValue(VARIANT child, BSTR value)
{
    return m_outer->put_accValue(child, value);
}
