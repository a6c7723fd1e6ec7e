#include <atlmodule.h>

#include "ModulePath.h"

#include <new>

namespace ATL
{

HRESULT WINAPI AtlLoadTypeLib(HINSTANCE hInstTypeLib, LPCOLESTR lpszIndex, BSTR* pbstrPath, ITypeLib** ppTypeLib)
{
    if (pbstrPath == NULL || ppTypeLib == NULL)
        return E_POINTER;
    *pbstrPath = NULL;
    *ppTypeLib = NULL;
    CComBSTR bstrPath;
    try
    {
        std::wstring path = AtlModulePath(hInstTypeLib);
        if (path.empty())
            return AtlHresultFromLastError();
        if (lpszIndex != NULL)
            path += lpszIndex;
        bstrPath.Attach(::SysAllocString(path.c_str()));
    }
    catch (const std::bad_alloc&)
    {
        return E_OUTOFMEMORY;
    }
    if (!bstrPath)
        return E_OUTOFMEMORY;
    HRESULT hr = ::LoadTypeLib(bstrPath, ppTypeLib);
    if (SUCCEEDED(hr))
        *pbstrPath = bstrPath.Detach();
    return hr;
}

HRESULT WINAPI AtlRegisterTypeLib(HINSTANCE hInstTypeLib, LPCOLESTR lpszIndex)
{
    CComBSTR bstrPath;
    CComPtr<ITypeLib> pTypeLib;
    HRESULT hr = AtlLoadTypeLib(hInstTypeLib, lpszIndex, &bstrPath, &pTypeLib);
    if (SUCCEEDED(hr))
        hr = ::RegisterTypeLib(pTypeLib, bstrPath, NULL);
    return hr;
}

HRESULT WINAPI AtlUnRegisterTypeLib(HINSTANCE hInstTypeLib, LPCOLESTR lpszIndex)
{
    CComBSTR bstrPath;
    CComPtr<ITypeLib> pTypeLib;
    HRESULT hr = AtlLoadTypeLib(hInstTypeLib, lpszIndex, &bstrPath, &pTypeLib);
    TLIBATTR* pAttr = NULL;
    if (SUCCEEDED(hr))
        hr = pTypeLib->GetLibAttr(&pAttr);
    if (FAILED(hr))
        return hr;
    hr = ::UnRegisterTypeLib(pAttr->guid, pAttr->wMajorVerNum, pAttr->wMinorVerNum, pAttr->lcid, pAttr->syskind);
    pTypeLib->ReleaseTLibAttr(pAttr);
    return hr;
}

} // namespace ATL
