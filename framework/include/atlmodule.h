// The ATL module of a COM server: CAtlModule (lock count, the registrar
// scripts of the module's resources), CAtlModuleT (the AppID and LIBID a
// module declares), CAtlComModule (the object map: class factories and
// registration) and CAtlDllModuleT (the four exports of an in-process
// server), with the type-library helpers.
//
// The object map is an explicit table (BEGIN_OBJECT_MAP in <atlcom.h>)
// handed to the DLL module's constructor. The module is one static object of
// the server; its constructor starts each class of the map and its
// destructor, run when the DLL is unloaded, releases the class factories.
#pragma once

#include <atlbase.h>
#include <atlcore.h>
#include <statreg.h>

namespace ATL
{

// Makes an object and asks it for an interface; pv is passed to the object.
typedef HRESULT(WINAPI _ATL_CREATORFUNC)(void* pv, REFIID riid, LPVOID* ppv);

// One extra replacement for a registrar script; a table of them ends with a
// row whose szKey is NULL.
struct _ATL_REGMAP_ENTRY
{
    LPCOLESTR szKey;
    LPCOLESTR szData;
};

// One class of the object map; the table ends with a row whose pclsid is
// NULL.
struct _ATL_OBJMAP_ENTRY
{
    const CLSID* pclsid;
    HRESULT(WINAPI* pfnUpdateRegistry)(BOOL bRegister);
    _ATL_CREATORFUNC* pfnGetClassObject; // makes the class factory
    _ATL_CREATORFUNC* pfnCreateInstance; // handed to the class factory
    IUnknown* pCF;                       // the class factory, once made
    void(WINAPI* pfnObjectMain)(bool bStarting);
};

// The type library of a module file: the module's path, with lpszIndex
// ("\\2") appended when it is not NULL.
HRESULT WINAPI AtlLoadTypeLib(HINSTANCE hInstTypeLib, LPCOLESTR lpszIndex, BSTR* pbstrPath, ITypeLib** ppTypeLib);
// Records that type library under its LIBID for the module's path.
HRESULT WINAPI AtlRegisterTypeLib(HINSTANCE hInstTypeLib, LPCOLESTR lpszIndex);
HRESULT WINAPI AtlUnRegisterTypeLib(HINSTANCE hInstTypeLib, LPCOLESTR lpszIndex);

class CAtlModule
{
public:
    // The LIBID that the module declares (DECLARE_LIBID).
    static GUID m_libid;

    CAtlModule() noexcept;
    virtual ~CAtlModule();
    CAtlModule(const CAtlModule&) = delete;
    CAtlModule& operator=(const CAtlModule&) = delete;

    // Every live object and every LockServer(TRUE) holds one lock.
    LONG Lock() noexcept;
    LONG Unlock() noexcept;
    LONG GetLockCount() const noexcept;

    // Runs the script resource nResID (type "REGISTRY") of the module with
    // the replacements "Module" (the module's path, its single quotes
    // doubled for a quoted text), "Module_Raw" (the path as it is), the
    // module's common ones and pMapEntries.
    HRESULT UpdateRegistryFromResource(UINT nResID, BOOL bRegister, _ATL_REGMAP_ENTRY* pMapEntries = NULL);
    virtual HRESULT AddCommonRGSReplacements(IRegistrarBase* pRegistrar) = 0;

    // Set when the module could not start; the server then makes nothing.
    bool m_bInitFailed;
    CComCriticalSection m_csStaticDataInitAndTypeInfo;

protected:
    LONG m_nLockCnt;

private:
    HRESULT RunRegistryResource(UINT nResID, BOOL bRegister, _ATL_REGMAP_ENTRY* pMapEntries);
};

// The server's one module, set by its constructor.
extern CAtlModule* _pAtlModule;

template <class T>
class CAtlModuleT : public CAtlModule
{
public:
    CAtlModuleT() noexcept
    {
        T::InitLibId();
    }

    static void InitLibId() noexcept
    {
    }
    static LPCOLESTR GetAppId() noexcept
    {
        return L"";
    }
    static HRESULT WINAPI UpdateRegistryAppId(BOOL /*bRegister*/) noexcept
    {
        return S_OK;
    }

    HRESULT AddCommonRGSReplacements(IRegistrarBase* pRegistrar) override
    {
        return pRegistrar->AddReplacement(L"APPID", T::GetAppId());
    }
    HRESULT RegisterAppId()
    {
        return T::UpdateRegistryAppId(TRUE);
    }
    HRESULT UnregisterAppId()
    {
        return T::UpdateRegistryAppId(FALSE);
    }
};

// The object map of a server and the class factories made from it.
class CAtlComModule
{
public:
    explicit CAtlComModule(_ATL_OBJMAP_ENTRY* pObjMap) noexcept;
    ~CAtlComModule();
    CAtlComModule(const CAtlComModule&) = delete;
    CAtlComModule& operator=(const CAtlComModule&) = delete;

    bool InitFailed() const noexcept
    {
        return m_bInitFailed;
    }
    // The class factory of rclsid, made on the first request and kept
    // until the module ends.
    HRESULT GetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv);
    // Runs each class's script in map order (only pCLSID's when given); the
    // first failure ends the run. Then registers the module's type library.
    HRESULT RegisterServer(BOOL bRegTypeLib, const CLSID* pCLSID);
    HRESULT UnregisterServer(BOOL bUnRegTypeLib, const CLSID* pCLSID);

private:
    _ATL_OBJMAP_ENTRY* m_pObjMap;
    CComCriticalSection m_csObjMap;
    bool m_bInitFailed;
};

template <class T>
class CAtlDllModuleT : public CAtlModuleT<T>
{
public:
    explicit CAtlDllModuleT(_ATL_OBJMAP_ENTRY* pObjMap) noexcept : m_comModule(pObjMap)
    {
    }

    HRESULT DllCanUnloadNow() noexcept
    {
        return this->GetLockCount() == 0 ? S_OK : S_FALSE;
    }
    HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv)
    {
        return static_cast<T*>(this)->GetClassObject(rclsid, riid, ppv);
    }
    HRESULT DllRegisterServer(BOOL bRegTypeLib = TRUE)
    {
        T* pT = static_cast<T*>(this);
        HRESULT hr = pT->RegisterAppId();
        if (SUCCEEDED(hr))
            hr = pT->RegisterServer(bRegTypeLib);
        return hr;
    }
    HRESULT DllUnregisterServer(BOOL bUnRegTypeLib = TRUE)
    {
        T* pT = static_cast<T*>(this);
        HRESULT hr = pT->UnregisterServer(bUnRegTypeLib);
        if (SUCCEEDED(hr))
            hr = pT->UnregisterAppId();
        return hr;
    }

    HRESULT GetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv)
    {
        if (ppv == NULL)
            return E_POINTER;
        *ppv = NULL;
        if (this->m_bInitFailed || m_comModule.InitFailed())
            return E_UNEXPECTED;
        return m_comModule.GetClassObject(rclsid, riid, ppv);
    }
    HRESULT RegisterServer(BOOL bRegTypeLib = FALSE, const CLSID* pCLSID = NULL)
    {
        return m_comModule.RegisterServer(bRegTypeLib, pCLSID);
    }
    HRESULT UnregisterServer(BOOL bUnRegTypeLib, const CLSID* pCLSID = NULL)
    {
        return m_comModule.UnregisterServer(bUnRegTypeLib, pCLSID);
    }

protected:
    CAtlComModule m_comModule;
};

} // namespace ATL

// Inside the module class: the LIBID of its type library.
#define DECLARE_LIBID(libid) \
    static void InitLibId() noexcept \
    { \
        ATL::CAtlModule::m_libid = libid; \
    }

// Inside the module class: its AppID (a registry-form GUID text) and the
// script resource that registers it.
#define DECLARE_REGISTRY_APPID_RESOURCEID(resid, appid) \
    static LPCOLESTR GetAppId() noexcept \
    { \
        return L##appid; \
    } \
    static HRESULT WINAPI UpdateRegistryAppId(BOOL bRegister) \
    { \
        return ATL::_pAtlModule->UpdateRegistryFromResource(resid, bRegister); \
    }
