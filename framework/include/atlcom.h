// The ATL COM object classes: the thread models, CComObjectRootEx with its
// COM map (BEGIN_COM_MAP / COM_INTERFACE_ENTRY), CComObject and
// CComObjectCached, CComCreator, CComClassFactory, CComCoClass, the object
// map (BEGIN_OBJECT_MAP / OBJECT_ENTRY), CComTypeInfoHolder and
// IDispatchImpl.
//
// Objects of these classes cannot be aggregated: a class factory asked for
// an aggregated object answers CLASS_E_NOAGGREGATION.
#pragma once

#include <atlbase.h>
#include <atlmodule.h>

#include <new>

namespace ATL
{

class CComSingleThreadModel
{
public:
    static ULONG WINAPI Increment(LONG* p) noexcept
    {
        return ++(*p);
    }
    static ULONG WINAPI Decrement(LONG* p) noexcept
    {
        return --(*p);
    }
};

class CComMultiThreadModel
{
public:
    static ULONG WINAPI Increment(LONG* p) noexcept
    {
        return ::InterlockedIncrement(p);
    }
    static ULONG WINAPI Decrement(LONG* p) noexcept
    {
        return ::InterlockedDecrement(p);
    }
};

// One row of a COM map: an interface and the offset of its vtable in the
// object. The map ends with a row whose piid is NULL.
struct _ATL_INTMAP_ENTRY
{
    const IID* piid;
    DWORD_PTR dw;
};

// IUnknown answers with the map's first interface; E_NOINTERFACE when the
// map has no row for iid.
HRESULT WINAPI AtlInternalQueryInterface(void* pThis, const _ATL_INTMAP_ENTRY* pEntries, REFIID iid,
                                         void** ppvObject);

class CComObjectRootBase
{
public:
    CComObjectRootBase() noexcept : m_dwRef(0)
    {
    }
    // Called once after construction; a failure destroys the object.
    HRESULT FinalConstruct()
    {
        return S_OK;
    }
    // Called once before destruction.
    void FinalRelease()
    {
    }
    // Called for each class of the object map when the module starts
    // (true) and ends (false).
    static void WINAPI ObjectMain(bool /*bStarting*/)
    {
    }
    static HRESULT WINAPI InternalQueryInterface(void* pThis, const _ATL_INTMAP_ENTRY* pEntries, REFIID iid,
                                                 void** ppvObject)
    {
        return AtlInternalQueryInterface(pThis, pEntries, iid, ppvObject);
    }

    LONG m_dwRef;
};

template <class ThreadModel>
class CComObjectRootEx : public CComObjectRootBase
{
public:
    typedef ThreadModel _ThreadModel;

    ULONG InternalAddRef() noexcept
    {
        return ThreadModel::Increment(&m_dwRef);
    }
    ULONG InternalRelease() noexcept
    {
        return ThreadModel::Decrement(&m_dwRef);
    }
};

// The offset of a base class inside a class.
#define offsetofclass(base, derived) \
    (reinterpret_cast<DWORD_PTR>(static_cast<base*>(reinterpret_cast<derived*>(8))) - 8)

#define BEGIN_COM_MAP(x) \
public: \
    typedef x _ComMapClass; \
    IUnknown* _GetRawUnknown() noexcept \
    { \
        return reinterpret_cast<IUnknown*>(reinterpret_cast<DWORD_PTR>(this) + _GetEntries()->dw); \
    } \
    HRESULT _InternalQueryInterface(REFIID iid, void** ppvObject) \
    { \
        return this->InternalQueryInterface(this, _GetEntries(), iid, ppvObject); \
    } \
    static const ATL::_ATL_INTMAP_ENTRY* WINAPI _GetEntries() noexcept \
    { \
        static const ATL::_ATL_INTMAP_ENTRY _entries[] = {

#define COM_INTERFACE_ENTRY(x) {&__uuidof(x), offsetofclass(x, _ComMapClass)},
#define COM_INTERFACE_ENTRY_IID(iid, x) {&iid, offsetofclass(x, _ComMapClass)},
// Interface x reached through the base class x2, where x alone is ambiguous.
#define COM_INTERFACE_ENTRY2(x, x2) \
    {&__uuidof(x), reinterpret_cast<DWORD_PTR>(static_cast<x*>(static_cast<x2*>(reinterpret_cast<_ComMapClass*>(8)))) - 8},

#define END_COM_MAP() \
            {NULL, 0}}; \
        return _entries; \
    } \
    virtual ULONG STDMETHODCALLTYPE AddRef() = 0; \
    virtual ULONG STDMETHODCALLTYPE Release() = 0; \
    virtual HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) = 0;

// The most-derived class of an object: IUnknown over Base, one module lock
// for the object's life.
template <class Base>
class CComObject final : public Base
{
public:
    explicit CComObject(void* = NULL)
    {
        _pAtlModule->Lock();
    }
    ~CComObject()
    {
        this->FinalRelease();
        _pAtlModule->Unlock();
    }

    STDMETHOD_(ULONG, AddRef)() override
    {
        return this->InternalAddRef();
    }
    STDMETHOD_(ULONG, Release)() override
    {
        ULONG l = this->InternalRelease();
        if (l == 0)
            delete this;
        return l;
    }
    STDMETHOD(QueryInterface)(REFIID iid, void** ppvObject) override
    {
        return this->_InternalQueryInterface(iid, ppvObject);
    }

    // A new object with no reference yet, FinalConstruct done.
    static HRESULT WINAPI CreateInstance(CComObject<Base>** pp);
};

template <class Base>
HRESULT WINAPI CComObject<Base>::CreateInstance(CComObject<Base>** pp)
{
    if (pp == NULL)
        return E_POINTER;
    *pp = NULL;
    CComObject<Base>* p = new (std::nothrow) CComObject<Base>();
    if (p == NULL)
        return E_OUTOFMEMORY;
    p->InternalAddRef();
    HRESULT hr = p->FinalConstruct();
    p->InternalRelease();
    if (FAILED(hr))
    {
        delete p;
        return hr;
    }
    *pp = p;
    return S_OK;
}

// An object that the module keeps (a class factory): the module's own
// reference holds no lock, every further one does.
template <class Base>
class CComObjectCached final : public Base
{
public:
    explicit CComObjectCached(void* = NULL)
    {
    }
    ~CComObjectCached()
    {
        this->FinalRelease();
    }

    STDMETHOD_(ULONG, AddRef)() override
    {
        ULONG l = this->InternalAddRef();
        if (l == 2)
            _pAtlModule->Lock();
        return l;
    }
    STDMETHOD_(ULONG, Release)() override
    {
        ULONG l = this->InternalRelease();
        if (l == 0)
            delete this;
        else if (l == 1)
            _pAtlModule->Unlock();
        return l;
    }
    STDMETHOD(QueryInterface)(REFIID iid, void** ppvObject) override
    {
        return this->_InternalQueryInterface(iid, ppvObject);
    }
};

// Makes a T (a CComObject or CComObjectCached), hands it pv with SetVoid,
// runs FinalConstruct and asks it for riid; the object is destroyed when a
// step fails.
template <class T>
class CComCreator
{
public:
    static HRESULT WINAPI CreateInstance(void* pv, REFIID riid, LPVOID* ppv)
    {
        if (ppv == NULL)
            return E_POINTER;
        *ppv = NULL;
        T* p = new (std::nothrow) T(pv);
        if (p == NULL)
            return E_OUTOFMEMORY;
        p->SetVoid(pv);
        p->AddRef();
        HRESULT hr = p->FinalConstruct();
        if (SUCCEEDED(hr))
            hr = p->QueryInterface(riid, ppv);
        p->Release();
        return hr;
    }
};

class CComClassFactory : public IClassFactory, public CComObjectRootEx<CComMultiThreadModel>
{
public:
    BEGIN_COM_MAP(CComClassFactory)
    COM_INTERFACE_ENTRY(IClassFactory)
    END_COM_MAP()

    CComClassFactory() noexcept : m_pfnCreateInstance(NULL)
    {
    }
    virtual ~CComClassFactory() = default;

    STDMETHOD(CreateInstance)(LPUNKNOWN pUnkOuter, REFIID riid, void** ppvObj) override;
    STDMETHOD(LockServer)(BOOL fLock) override;

    // The creator of the class's objects, from the object map.
    void SetVoid(void* pv) noexcept
    {
        m_pfnCreateInstance = reinterpret_cast<_ATL_CREATORFUNC*>(pv);
    }

private:
    _ATL_CREATORFUNC* m_pfnCreateInstance;
};

// The class side of a creatable class: its CLSID and how its objects and its
// class factory are made. Every object class has SetVoid (unused).
template <class T, const CLSID* pclsid>
class CComCoClass
{
public:
    typedef CComCreator<CComObjectCached<CComClassFactory>> _ClassFactoryCreatorClass;
    typedef CComCreator<CComObject<T>> _CreatorClass;

    static const CLSID& WINAPI GetObjectCLSID() noexcept
    {
        return *pclsid;
    }
    void SetVoid(void*) noexcept
    {
    }
};

// Inside a class: registered by its script resource x.
#define DECLARE_REGISTRY_RESOURCEID(x) \
    static HRESULT WINAPI UpdateRegistry(BOOL bRegister) \
    { \
        return ATL::_pAtlModule->UpdateRegistryFromResource(x, bRegister); \
    }

#define BEGIN_OBJECT_MAP(x) static ATL::_ATL_OBJMAP_ENTRY x[] = {
#define OBJECT_ENTRY(clsid, class) \
    {&clsid, class::UpdateRegistry, class::_ClassFactoryCreatorClass::CreateInstance, \
     class::_CreatorClass::CreateInstance, NULL, class::ObjectMain},
#define END_OBJECT_MAP() \
    {NULL, NULL, NULL, NULL, NULL, NULL} \
    } \
    ;

// The type information of one dispatch interface, loaded on first use:
// from the registered type library of its LIBID and version, or, when that
// is not registered, from the module's own TYPELIB resource 1.
class CComTypeInfoHolder
{
public:
    constexpr CComTypeInfoHolder(const GUID* pguid, const GUID* plibid, WORD wMajor, WORD wMinor) noexcept
        : m_pguid(pguid), m_plibid(plibid), m_wMajor(wMajor), m_wMinor(wMinor), m_pInfo(NULL)
    {
    }
    ~CComTypeInfoHolder();
    CComTypeInfoHolder(const CComTypeInfoHolder&) = delete;
    CComTypeInfoHolder& operator=(const CComTypeInfoHolder&) = delete;

    HRESULT GetTI(LCID lcid, ITypeInfo** ppInfo);
    HRESULT GetTypeInfo(UINT itinfo, LCID lcid, ITypeInfo** pptinfo);
    HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgdispid);
    HRESULT Invoke(IDispatch* p, DISPID dispidMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pdispparams,
                   VARIANT* pvarResult, EXCEPINFO* pexcepinfo, UINT* puArgErr);

private:
    HRESULT LoadTypeInfo(LCID lcid);

    const GUID* m_pguid;
    const GUID* m_plibid;
    WORD m_wMajor;
    WORD m_wMinor;
    ITypeInfo* m_pInfo; // owned; guarded by the module's critical section
};

// IDispatch of the dual interface T (IID *piid) over its type information.
template <class T, const IID* piid, const GUID* plibid = &CAtlModule::m_libid, WORD wMajor = 1, WORD wMinor = 0,
          class tihclass = CComTypeInfoHolder>
class IDispatchImpl : public T
{
public:
    STDMETHOD(GetTypeInfoCount)(UINT* pctinfo) override
    {
        if (pctinfo == NULL)
            return E_POINTER;
        *pctinfo = 1;
        return S_OK;
    }
    STDMETHOD(GetTypeInfo)(UINT itinfo, LCID lcid, ITypeInfo** pptinfo) override
    {
        return _tih.GetTypeInfo(itinfo, lcid, pptinfo);
    }
    STDMETHOD(GetIDsOfNames)(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgdispid) override
    {
        return _tih.GetIDsOfNames(riid, rgszNames, cNames, lcid, rgdispid);
    }
    STDMETHOD(Invoke)(DISPID dispidMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pdispparams,
                      VARIANT* pvarResult, EXCEPINFO* pexcepinfo, UINT* puArgErr) override
    {
        return _tih.Invoke(static_cast<T*>(this), dispidMember, riid, lcid, wFlags, pdispparams, pvarResult,
                           pexcepinfo, puArgErr);
    }

protected:
    static tihclass _tih;
};

template <class T, const IID* piid, const GUID* plibid, WORD wMajor, WORD wMinor, class tihclass>
tihclass IDispatchImpl<T, piid, plibid, wMajor, wMinor, tihclass>::_tih(piid, plibid, wMajor, wMinor);

} // namespace ATL
