#include "JwCADTip.h"

#include <memory>

#include "exports/TavrenaExports.h"

HRESULT CJwCADTip::FinalConstruct()
{
    if (FAILED(::SHGetMalloc(&m_pShellMalloc)))
        m_pShellMalloc.Release();
    return S_OK;
}

STDMETHODIMP CJwCADTip::GetInfoTip(DWORD /*dwFlags*/, PWSTR* ppwszTip)
{
    if (ppwszTip == nullptr)
        return E_POINTER;
    *ppwszTip = nullptr;
    if (!m_pShellMalloc)
        return E_OUTOFMEMORY;
    ATL::CComBSTR text;
    // The library puts its own failure text into the string when it cannot
    // read the file, so the result code says nothing the text does not.
    GetZumenInfo(DrawingPath(), std::addressof(text));
    size_t cchText = text.Length();
    auto* pTip = static_cast<PWSTR>(m_pShellMalloc->Alloc((cchText + 1) * sizeof(WCHAR)));
    if (pTip == nullptr)
        return E_OUTOFMEMORY;
    if (cchText != 0)
        memcpy(pTip, text.m_str, cchText * sizeof(WCHAR));
    pTip[cchText] = L'\0';
    *ppwszTip = pTip;
    return S_OK;
}

STDMETHODIMP CJwCADTip::GetInfoFlags(DWORD* pdwFlags)
{
    if (pdwFlags == nullptr)
        return E_POINTER;
    *pdwFlags = 0;
    return E_NOTIMPL;
}
