#include <atlcom.h>

namespace ATL
{

CComTypeInfoHolder::~CComTypeInfoHolder()
{
    if (m_pInfo != NULL)
        m_pInfo->Release();
}

HRESULT CComTypeInfoHolder::GetTI(LCID lcid, ITypeInfo** ppInfo)
{
    if (ppInfo == NULL)
        return E_POINTER;
    *ppInfo = NULL;
    CComCritSecLock<CComCriticalSection> lock(_pAtlModule->m_csStaticDataInitAndTypeInfo);
    HRESULT hr = m_pInfo != NULL ? S_OK : LoadTypeInfo(lcid);
    if (SUCCEEDED(hr))
    {
        m_pInfo->AddRef();
        *ppInfo = m_pInfo;
    }
    return hr;
}

HRESULT CComTypeInfoHolder::LoadTypeInfo(LCID lcid)
{
    CComPtr<ITypeLib> pTypeLib;
    HRESULT hr = ::LoadRegTypeLib(*m_plibid, m_wMajor, m_wMinor, lcid, &pTypeLib);
    if (FAILED(hr))
    {
        CComBSTR bstrPath;
        hr = AtlLoadTypeLib(_AtlBaseModule.GetModuleInstance(), NULL, &bstrPath, &pTypeLib);
    }
    if (SUCCEEDED(hr))
        hr = pTypeLib->GetTypeInfoOfGuid(*m_pguid, &m_pInfo);
    return hr;
}

HRESULT CComTypeInfoHolder::GetTypeInfo(UINT itinfo, LCID lcid, ITypeInfo** pptinfo)
{
    if (pptinfo == NULL)
        return E_POINTER;
    *pptinfo = NULL;
    if (itinfo != 0)
        return DISP_E_BADINDEX;
    return GetTI(lcid, pptinfo);
}

HRESULT CComTypeInfoHolder::GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgdispid)
{
    if (!::IsEqualIID(riid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    CComPtr<ITypeInfo> pInfo;
    HRESULT hr = GetTI(lcid, &pInfo);
    return SUCCEEDED(hr) ? pInfo->GetIDsOfNames(rgszNames, cNames, rgdispid) : hr;
}

HRESULT CComTypeInfoHolder::Invoke(IDispatch* p, DISPID dispidMember, REFIID riid, LCID lcid, WORD wFlags,
                                   DISPPARAMS* pdispparams, VARIANT* pvarResult, EXCEPINFO* pexcepinfo,
                                   UINT* puArgErr)
{
    if (!::IsEqualIID(riid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    CComPtr<ITypeInfo> pInfo;
    HRESULT hr = GetTI(lcid, &pInfo);
    return SUCCEEDED(hr) ? pInfo->Invoke(p, dispidMember, wFlags, pdispparams, pvarResult, pexcepinfo, puArgErr)
                         : hr;
}

} // namespace ATL
