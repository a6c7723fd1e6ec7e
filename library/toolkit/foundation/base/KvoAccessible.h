#pragma once
#include <afxwin.h>
#include <oleacc.h>
#include "foundation/base/KvoModuleHandle.h"

// The accessibility mix-in of the command bars and their controls. A derived
// class answers the IAccessible questions it can by overriding the virtual
// operations below (each answers E_NOTIMPL, or S_FALSE for the focus and the
// selection, by default), names the command target that carries its COM
// identity in GetAccessible, and gives out m_xAccessible from that target's
// GetInterfaceHook (GetAccessibleInterface does the IID test).
//
// The IID of IAccessible is taken from the interface's declaration
// (__uuidof): mingw's oleacc import library exports IID_IAccessible as an
// import thunk, not as the GUID, so comparing with it never matches.
class CKvoAccessible {
public:
    CKvoAccessible();
    virtual ~CKvoAccessible();

    CKvoAccessible(const CKvoAccessible&) = delete;
    CKvoAccessible& operator=(const CKvoAccessible&) = delete;

    virtual HRESULT get_accParent(IDispatch** parent);
    virtual HRESULT get_accChildCount(long* count);
    virtual HRESULT get_accChild(VARIANT child, IDispatch** dispatch);
    virtual HRESULT get_accName(VARIANT child, BSTR* name);
    virtual HRESULT get_accValue(VARIANT child, BSTR* value);
    virtual HRESULT get_accDescription(VARIANT child, BSTR* description);
    virtual HRESULT get_accRole(VARIANT child, VARIANT* role);
    virtual HRESULT get_accState(VARIANT child, VARIANT* state);
    virtual HRESULT get_accHelp(VARIANT child, BSTR* help);
    virtual HRESULT get_accHelpTopic(BSTR* helpFile, VARIANT child, long* topic);
    virtual HRESULT get_accKeyboardShortcut(VARIANT child, BSTR* shortcut);
    virtual HRESULT get_accFocus(VARIANT* child);
    virtual HRESULT get_accSelection(VARIANT* children);
    virtual HRESULT get_accDefaultAction(VARIANT child, BSTR* action);
    virtual HRESULT accSelect(long flags, VARIANT child);
    virtual HRESULT accLocation(long* left, long* top, long* width, long* height, VARIANT child);
    virtual HRESULT accNavigate(long direction, VARIANT start, VARIANT* end);
    virtual HRESULT accHitTest(long left, long top, VARIANT* child);
    virtual HRESULT accDoDefaultAction(VARIANT child);
    virtual HRESULT put_accName(VARIANT child, BSTR name);
    virtual HRESULT put_accValue(VARIANT child, BSTR value);

    // The command target whose COM identity the interface uses: its
    // reference count and its interfaces. NULL here; every derived class
    // supplies itself.
    virtual CCmdTarget* GetAccessible();

    // Raises an accessibility event when user32 offers NotifyWinEvent.
    void NotifyWinEventSafe(DWORD event, HWND window, LONG idObject, LONG idChild);
    // oleacc.dll's functions, loaded on first use; E_FAIL when the library
    // or the entry point is missing.
    LRESULT LresultFromObjectSafe(REFIID riid, WPARAM wParam, IUnknown* object);
    HRESULT AccessibleObjectFromWindowSafe(HWND window, DWORD objectId, REFIID riid, void** out);

    // The child index a VARIANT names: VT_EMPTY 0 (the object itself), VT_I4
    // and VT_I2 their value, also by reference and through a VARIANT
    // reference; -1 for a null pointer and every other type.
    static int GetChildIndex(const VARIANT* child);
    static int GetChildIndex(const VARIANT& child) { return GetChildIndex(&child); }

    // &m_xAccessible for IAccessible, IDispatch and IUnknown, else NULL: what
    // the command target's GetInterfaceHook answers for them.
    LPUNKNOWN GetAccessibleInterface(const void* iid);

    // The IAccessible of the object. Its reference count and queries are
    // those of GetAccessible(); its IDispatch methods answer E_NOTIMPL.
    class XAccessible : public IAccessible {
    public:
        explicit XAccessible(CKvoAccessible* outer) : m_outer(outer) {}

        STDMETHOD(QueryInterface)(REFIID riid, void** object) override;
        STDMETHOD_(ULONG, AddRef)() override;
        STDMETHOD_(ULONG, Release)() override;

        STDMETHOD(GetTypeInfoCount)(UINT* count) override;
        STDMETHOD(GetTypeInfo)(UINT index, LCID locale, ITypeInfo** info) override;
        STDMETHOD(GetIDsOfNames)(REFIID riid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
        STDMETHOD(Invoke)(DISPID member, REFIID riid, LCID locale, WORD flags, DISPPARAMS* params,
                          VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

        STDMETHOD(get_accParent)(IDispatch** parent) override;
        STDMETHOD(get_accChildCount)(long* count) override;
        STDMETHOD(get_accChild)(VARIANT child, IDispatch** dispatch) override;
        STDMETHOD(get_accName)(VARIANT child, BSTR* name) override;
        STDMETHOD(get_accValue)(VARIANT child, BSTR* value) override;
        STDMETHOD(get_accDescription)(VARIANT child, BSTR* description) override;
        STDMETHOD(get_accRole)(VARIANT child, VARIANT* role) override;
        STDMETHOD(get_accState)(VARIANT child, VARIANT* state) override;
        STDMETHOD(get_accHelp)(VARIANT child, BSTR* help) override;
        STDMETHOD(get_accHelpTopic)(BSTR* helpFile, VARIANT child, long* topic) override;
        STDMETHOD(get_accKeyboardShortcut)(VARIANT child, BSTR* shortcut) override;
        STDMETHOD(get_accFocus)(VARIANT* child) override;
        STDMETHOD(get_accSelection)(VARIANT* children) override;
        STDMETHOD(get_accDefaultAction)(VARIANT child, BSTR* action) override;
        STDMETHOD(accSelect)(long flags, VARIANT child) override;
        STDMETHOD(accLocation)(long* left, long* top, long* width, long* height, VARIANT child) override;
        STDMETHOD(accNavigate)(long direction, VARIANT start, VARIANT* end) override;
        STDMETHOD(accHitTest)(long left, long top, VARIANT* child) override;
        STDMETHOD(accDoDefaultAction)(VARIANT child) override;
        STDMETHOD(put_accName)(VARIANT child, BSTR name) override;
        STDMETHOD(put_accValue)(VARIANT child, BSTR value) override;

    private:
        CKvoAccessible* m_outer;
    };

    XAccessible m_xAccessible;

private:
    typedef void(WINAPI* NotifyWinEventFunction)(DWORD, HWND, LONG, LONG);
    typedef LRESULT(WINAPI* LresultFromObjectFunction)(REFIID, WPARAM, LPUNKNOWN);
    typedef HRESULT(WINAPI* AccessibleObjectFromWindowFunction)(HWND, DWORD, REFIID, void**);

    bool LoadOleAcc();

    NotifyWinEventFunction m_notifyWinEvent;
    LresultFromObjectFunction m_lresultFromObject;
    AccessibleObjectFromWindowFunction m_accessibleObjectFromWindow;
    CKvoModuleHandle m_user32;
    CKvoModuleHandle m_oleacc;
};
