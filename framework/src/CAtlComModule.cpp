#include <atlmodule.h>

namespace ATL
{

CAtlComModule::CAtlComModule(_ATL_OBJMAP_ENTRY* pObjMap) noexcept : m_pObjMap(pObjMap), m_bInitFailed(false)
{
    m_bInitFailed = FAILED(m_csObjMap.Init());
    for (_ATL_OBJMAP_ENTRY* pEntry = m_pObjMap; pEntry->pclsid != NULL; ++pEntry)
        pEntry->pfnObjectMain(true);
}

CAtlComModule::~CAtlComModule()
{
    for (_ATL_OBJMAP_ENTRY* pEntry = m_pObjMap; pEntry->pclsid != NULL; ++pEntry)
    {
        if (pEntry->pCF != NULL)
        {
            pEntry->pCF->Release();
            pEntry->pCF = NULL;
        }
        pEntry->pfnObjectMain(false);
    }
    if (!m_bInitFailed)
        m_csObjMap.Term();
}

HRESULT CAtlComModule::GetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv)
{
    for (_ATL_OBJMAP_ENTRY* pEntry = m_pObjMap; pEntry->pclsid != NULL; ++pEntry)
    {
        if (!::IsEqualCLSID(*pEntry->pclsid, rclsid))
            continue;
        CComCritSecLock<CComCriticalSection> lock(m_csObjMap);
        if (pEntry->pCF == NULL)
        {
            HRESULT hr = pEntry->pfnGetClassObject(reinterpret_cast<void*>(pEntry->pfnCreateInstance), IID_IUnknown,
                                                   reinterpret_cast<LPVOID*>(&pEntry->pCF));
            if (FAILED(hr))
                return hr;
        }
        return pEntry->pCF->QueryInterface(riid, ppv);
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT CAtlComModule::RegisterServer(BOOL bRegTypeLib, const CLSID* pCLSID)
{
    for (_ATL_OBJMAP_ENTRY* pEntry = m_pObjMap; pEntry->pclsid != NULL; ++pEntry)
    {
        if (pCLSID != NULL && !::IsEqualCLSID(*pCLSID, *pEntry->pclsid))
            continue;
        HRESULT hr = pEntry->pfnUpdateRegistry(TRUE);
        if (FAILED(hr))
            return hr;
    }
    return bRegTypeLib ? AtlRegisterTypeLib(_AtlBaseModule.GetModuleInstance(), NULL) : S_OK;
}

HRESULT CAtlComModule::UnregisterServer(BOOL bUnRegTypeLib, const CLSID* pCLSID)
{
    for (_ATL_OBJMAP_ENTRY* pEntry = m_pObjMap; pEntry->pclsid != NULL; ++pEntry)
    {
        if (pCLSID != NULL && !::IsEqualCLSID(*pCLSID, *pEntry->pclsid))
            continue;
        HRESULT hr = pEntry->pfnUpdateRegistry(FALSE);
        if (FAILED(hr))
            return hr;
    }
    return bUnRegTypeLib ? AtlUnRegisterTypeLib(_AtlBaseModule.GetModuleInstance(), NULL) : S_OK;
}

} // namespace ATL
