#include <atlbase.h>

#include <string.h>
#include <wchar.h>

#include <memory>
#include <string>

namespace ATL
{

CComVariant::CComVariant() noexcept
{
    ::VariantInit(this);
}

CComVariant::CComVariant(const VARIANT& varSrc) : CComVariant()
{
    *this = varSrc;
}

CComVariant::CComVariant(const CComVariant& varSrc) : CComVariant()
{
    *this = varSrc;
}

CComVariant::CComVariant(LPCOLESTR lpszSrc) : CComVariant()
{
    *this = lpszSrc;
}

CComVariant::CComVariant(LPCSTR lpszSrc) : CComVariant()
{
    *this = lpszSrc;
}

CComVariant::CComVariant(const CComBSTR& bstrSrc) : CComVariant()
{
    *this = bstrSrc;
}

CComVariant::CComVariant(bool bSrc) : CComVariant()
{
    *this = bSrc;
}

CComVariant::CComVariant(int nSrc, VARTYPE vtSrc) : CComVariant()
{
    vt = vtSrc == VT_INT ? VT_INT : VT_I4;
    intVal = nSrc;
}

CComVariant::CComVariant(BYTE nSrc) : CComVariant()
{
    *this = nSrc;
}

CComVariant::CComVariant(short nSrc) : CComVariant()
{
    *this = nSrc;
}

CComVariant::CComVariant(long nSrc, VARTYPE vtSrc) : CComVariant()
{
    if (vtSrc == VT_ERROR)
    {
        vt = VT_ERROR;
        scode = nSrc;
    }
    else
        *this = nSrc;
}

CComVariant::CComVariant(float fltSrc) : CComVariant()
{
    *this = fltSrc;
}

CComVariant::CComVariant(double dblSrc, VARTYPE vtSrc) : CComVariant()
{
    vt = vtSrc == VT_DATE ? VT_DATE : VT_R8;
    dblVal = dblSrc;
}

CComVariant::CComVariant(LONGLONG nSrc) : CComVariant()
{
    *this = nSrc;
}

CComVariant::CComVariant(ULONGLONG nSrc) : CComVariant()
{
    *this = nSrc;
}

CComVariant::CComVariant(CY cySrc) : CComVariant()
{
    *this = cySrc;
}

CComVariant::CComVariant(IDispatch* pSrc) : CComVariant()
{
    *this = pSrc;
}

CComVariant::CComVariant(IUnknown* pSrc) : CComVariant()
{
    *this = pSrc;
}

CComVariant::CComVariant(char cSrc) : CComVariant()
{
    *this = cSrc;
}

CComVariant::CComVariant(unsigned short nSrc) : CComVariant()
{
    *this = nSrc;
}

CComVariant::CComVariant(unsigned long nSrc) : CComVariant()
{
    *this = nSrc;
}

CComVariant::CComVariant(unsigned int nSrc, VARTYPE vtSrc) : CComVariant()
{
    vt = vtSrc == VT_UINT ? VT_UINT : VT_UI4;
    uintVal = nSrc;
}

CComVariant::~CComVariant()
{
    Clear();
}

void CComVariant::ClearToType(VARTYPE vtNew)
{
    Clear();
    vt = vtNew;
}

void CComVariant::SetError(HRESULT hr)
{
    ClearToType(VT_ERROR);
    scode = hr;
}

void CComVariant::SetString(LPCOLESTR lpszSrc, UINT nLength)
{
    // A null source gives a null BSTR, which reads as an empty string.
    ClearToType(VT_BSTR);
    bstrVal = lpszSrc != NULL ? ::SysAllocStringLen(lpszSrc, nLength) : NULL;
    if (bstrVal == NULL && lpszSrc != NULL)
        SetError(E_OUTOFMEMORY);
}

void CComVariant::SetInterface(VARTYPE vtNew, IUnknown* pSrc)
{
    // AddRef first: pSrc may be held by this very variant.
    if (pSrc != NULL)
        pSrc->AddRef();
    ClearToType(vtNew);
    punkVal = pSrc;
}

CComVariant& CComVariant::operator=(const CComVariant& varSrc)
{
    return *this = static_cast<const VARIANT&>(varSrc);
}

CComVariant& CComVariant::operator=(const VARIANT& varSrc)
{
    if (this != std::addressof(varSrc))
    {
        HRESULT hr = Copy(&varSrc);
        if (FAILED(hr))
            SetError(hr);
    }
    return *this;
}

CComVariant& CComVariant::operator=(LPCOLESTR lpszSrc)
{
    SetString(lpszSrc, lpszSrc != NULL ? static_cast<UINT>(wcslen(lpszSrc)) : 0);
    return *this;
}

CComVariant& CComVariant::operator=(LPCSTR lpszSrc)
{
    std::wstring strWide = AtlMultiByteToWide(lpszSrc, -1, _AtlGetConversionACP());
    SetString(lpszSrc != NULL ? strWide.c_str() : NULL, static_cast<UINT>(strWide.size()));
    return *this;
}

CComVariant& CComVariant::operator=(const CComBSTR& bstrSrc)
{
    SetString(bstrSrc.m_str, bstrSrc.Length());
    return *this;
}

CComVariant& CComVariant::operator=(bool bSrc)
{
    ClearToType(VT_BOOL);
    boolVal = bSrc ? VARIANT_TRUE : VARIANT_FALSE;
    return *this;
}

CComVariant& CComVariant::operator=(int nSrc)
{
    ClearToType(VT_I4);
    intVal = nSrc;
    return *this;
}

CComVariant& CComVariant::operator=(BYTE nSrc)
{
    ClearToType(VT_UI1);
    bVal = nSrc;
    return *this;
}

CComVariant& CComVariant::operator=(short nSrc)
{
    ClearToType(VT_I2);
    iVal = nSrc;
    return *this;
}

CComVariant& CComVariant::operator=(long nSrc)
{
    ClearToType(VT_I4);
    lVal = nSrc;
    return *this;
}

CComVariant& CComVariant::operator=(float fltSrc)
{
    ClearToType(VT_R4);
    fltVal = fltSrc;
    return *this;
}

CComVariant& CComVariant::operator=(double dblSrc)
{
    ClearToType(VT_R8);
    dblVal = dblSrc;
    return *this;
}

CComVariant& CComVariant::operator=(LONGLONG nSrc)
{
    ClearToType(VT_I8);
    llVal = nSrc;
    return *this;
}

CComVariant& CComVariant::operator=(ULONGLONG nSrc)
{
    ClearToType(VT_UI8);
    ullVal = nSrc;
    return *this;
}

CComVariant& CComVariant::operator=(CY cySrc)
{
    ClearToType(VT_CY);
    cyVal = cySrc;
    return *this;
}

CComVariant& CComVariant::operator=(IDispatch* pSrc)
{
    SetInterface(VT_DISPATCH, pSrc);
    return *this;
}

CComVariant& CComVariant::operator=(IUnknown* pSrc)
{
    SetInterface(VT_UNKNOWN, pSrc);
    return *this;
}

CComVariant& CComVariant::operator=(char cSrc)
{
    ClearToType(VT_I1);
    cVal = cSrc;
    return *this;
}

CComVariant& CComVariant::operator=(unsigned short nSrc)
{
    ClearToType(VT_UI2);
    uiVal = nSrc;
    return *this;
}

CComVariant& CComVariant::operator=(unsigned long nSrc)
{
    ClearToType(VT_UI4);
    ulVal = nSrc;
    return *this;
}

CComVariant& CComVariant::operator=(unsigned int nSrc)
{
    ClearToType(VT_UI4);
    uintVal = nSrc;
    return *this;
}

bool CComVariant::operator==(const VARIANT& varSrc) const
{
    if (this == std::addressof(varSrc))
        return true;
    if (vt != varSrc.vt)
        return false;
    switch (vt)
    {
    case VT_EMPTY:
    case VT_NULL:
        return true;
    case VT_UNKNOWN:
    case VT_DISPATCH:
        return punkVal == varSrc.punkVal;
    default:
        return ::VarCmp(const_cast<VARIANT*>(static_cast<const VARIANT*>(this)), const_cast<VARIANT*>(&varSrc),
                        LOCALE_USER_DEFAULT, 0) == static_cast<HRESULT>(VARCMP_EQ);
    }
}

bool CComVariant::operator!=(const VARIANT& varSrc) const
{
    return !(*this == varSrc);
}

HRESULT CComVariant::Clear()
{
    return ::VariantClear(this);
}

HRESULT CComVariant::Copy(const VARIANT* pSrc)
{
    return ::VariantCopy(this, const_cast<VARIANT*>(pSrc));
}

HRESULT CComVariant::CopyTo(BSTR* pstrDest) const
{
    if (pstrDest == NULL)
        return E_POINTER;
    CComVariant varText;
    HRESULT hr = ::VariantChangeType(&varText, const_cast<VARIANT*>(static_cast<const VARIANT*>(this)), 0, VT_BSTR);
    if (SUCCEEDED(hr))
    {
        *pstrDest = varText.bstrVal;
        varText.vt = VT_EMPTY;
    }
    return hr;
}

HRESULT CComVariant::Attach(VARIANT* pSrc)
{
    if (pSrc == NULL)
        return E_INVALIDARG;
    HRESULT hr = Clear();
    if (SUCCEEDED(hr))
    {
        memcpy(static_cast<VARIANT*>(this), pSrc, sizeof(VARIANT));
        pSrc->vt = VT_EMPTY;
    }
    return hr;
}

HRESULT CComVariant::Detach(VARIANT* pDest)
{
    if (pDest == NULL)
        return E_POINTER;
    HRESULT hr = ::VariantClear(pDest);
    if (SUCCEEDED(hr))
    {
        memcpy(pDest, static_cast<VARIANT*>(this), sizeof(VARIANT));
        vt = VT_EMPTY;
    }
    return hr;
}

HRESULT CComVariant::ChangeType(VARTYPE vtNew, const VARIANT* pSrc)
{
    VARIANT* pVar = const_cast<VARIANT*>(pSrc != NULL ? pSrc : this);
    return ::VariantChangeType(this, pVar, 0, vtNew);
}

} // namespace ATL
