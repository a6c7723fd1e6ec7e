#include <atlbase.h>

#include <string.h>
#include <wchar.h>

#include <memory>
#include <string>

namespace ATL
{

namespace
{

BSTR AllocOrThrow(LPCOLESTR pch, UINT nLength)
{
    BSTR bstr = ::SysAllocStringLen(pch, nLength);
    if (bstr == NULL)
        AtlThrow(E_OUTOFMEMORY);
    return bstr;
}

BSTR AllocFromAnsi(LPCSTR pSrc)
{
    if (pSrc == NULL)
        return NULL;
    std::wstring strWide = AtlMultiByteToWide(pSrc, -1, _AtlGetConversionACP());
    return AllocOrThrow(strWide.c_str(), static_cast<UINT>(strWide.size()));
}

void ThrowIfFailed(HRESULT hr)
{
    if (FAILED(hr))
        AtlThrow(hr);
}

// Ordinal comparison of two counted strings: <0, 0 or >0.
int CompareCounted(const wchar_t* pch1, UINT n1, const wchar_t* pch2, UINT n2)
{
    int nResult = wmemcmp(pch1, pch2, n1 < n2 ? n1 : n2);
    if (nResult != 0)
        return nResult;
    return n1 < n2 ? -1 : (n1 > n2 ? 1 : 0);
}

} // namespace

CComBSTR::CComBSTR(int nSize) : m_str(NULL)
{
    if (nSize < 0)
        AtlThrow(E_INVALIDARG);
    if (nSize > 0)
        m_str = AllocOrThrow(NULL, nSize);
}

CComBSTR::CComBSTR(int nSize, LPCOLESTR sz) : m_str(NULL)
{
    if (nSize < 0)
        AtlThrow(E_INVALIDARG);
    if (nSize > 0)
        m_str = AllocOrThrow(sz, nSize);
}

CComBSTR::CComBSTR(LPCOLESTR pSrc) : m_str(NULL)
{
    if (pSrc != NULL)
        m_str = AllocOrThrow(pSrc, static_cast<UINT>(wcslen(pSrc)));
}

CComBSTR::CComBSTR(LPCSTR pSrc) : m_str(AllocFromAnsi(pSrc))
{
}

CComBSTR::CComBSTR(const CComBSTR& src) : m_str(src.Copy())
{
}

CComBSTR::~CComBSTR()
{
    ::SysFreeString(m_str);
}

CComBSTR& CComBSTR::operator=(const CComBSTR& src)
{
    if (m_str != src.m_str)
        Attach(src.Copy());
    return *this;
}

CComBSTR& CComBSTR::operator=(CComBSTR&& src) noexcept
{
    if (this != std::addressof(src))
        Attach(src.Detach());
    return *this;
}

CComBSTR& CComBSTR::operator=(LPCOLESTR pSrc)
{
    if (pSrc != m_str)
        Attach(pSrc != NULL ? AllocOrThrow(pSrc, static_cast<UINT>(wcslen(pSrc))) : NULL);
    return *this;
}

CComBSTR& CComBSTR::operator=(LPCSTR pSrc)
{
    Attach(AllocFromAnsi(pSrc));
    return *this;
}

unsigned int CComBSTR::Length() const noexcept
{
    return ::SysStringLen(m_str);
}

unsigned int CComBSTR::ByteLength() const noexcept
{
    return ::SysStringByteLen(m_str);
}

BSTR CComBSTR::Copy() const
{
    if (m_str == NULL)
        return NULL;
    BSTR bstr = ::SysAllocStringByteLen(reinterpret_cast<LPCSTR>(m_str), ::SysStringByteLen(m_str));
    if (bstr == NULL)
        AtlThrow(E_OUTOFMEMORY);
    return bstr;
}

HRESULT CComBSTR::CopyTo(BSTR* pbstr) const
{
    if (pbstr == NULL)
        return E_POINTER;
    *pbstr = m_str != NULL ? ::SysAllocStringByteLen(reinterpret_cast<LPCSTR>(m_str), ::SysStringByteLen(m_str)) : NULL;
    return *pbstr == NULL && m_str != NULL ? E_OUTOFMEMORY : S_OK;
}

HRESULT CComBSTR::CopyTo(VARIANT* pvarDest) const
{
    if (pvarDest == NULL)
        return E_POINTER;
    HRESULT hr = CopyTo(&pvarDest->bstrVal);
    pvarDest->vt = SUCCEEDED(hr) ? VT_BSTR : VT_EMPTY;
    return hr;
}

void CComBSTR::Attach(BSTR src) noexcept
{
    if (m_str != src)
    {
        ::SysFreeString(m_str);
        m_str = src;
    }
}

BSTR CComBSTR::Detach() noexcept
{
    BSTR bstr = m_str;
    m_str = NULL;
    return bstr;
}

void CComBSTR::Empty() noexcept
{
    Attach(NULL);
}

HRESULT CComBSTR::Append(const CComBSTR& bstrSrc)
{
    return AppendBSTR(bstrSrc.m_str);
}

HRESULT CComBSTR::Append(LPCOLESTR lpsz)
{
    return Append(lpsz, lpsz != NULL ? static_cast<int>(wcslen(lpsz)) : 0);
}

HRESULT CComBSTR::Append(LPCSTR lpsz)
{
    std::wstring strWide = AtlMultiByteToWide(lpsz, -1, _AtlGetConversionACP());
    return Append(strWide.c_str(), static_cast<int>(strWide.size()));
}

HRESULT CComBSTR::Append(LPCOLESTR lpsz, int nLen)
{
    if (nLen < 0 || (lpsz == NULL && nLen != 0))
        return E_INVALIDARG;
    if (nLen == 0)
        return S_OK;
    UINT nOldLen = Length();
    if (static_cast<UINT>(nLen) > 0x7FFFFFFFu / sizeof(OLECHAR) - nOldLen)
        return E_OUTOFMEMORY;
    BSTR bstrNew = ::SysAllocStringLen(NULL, nOldLen + nLen);
    if (bstrNew == NULL)
        return E_OUTOFMEMORY;
    memcpy(bstrNew, m_str, nOldLen * sizeof(OLECHAR));
    memcpy(bstrNew + nOldLen, lpsz, nLen * sizeof(OLECHAR));
    Attach(bstrNew);
    return S_OK;
}

HRESULT CComBSTR::Append(wchar_t ch)
{
    return Append(&ch, 1);
}

HRESULT CComBSTR::Append(char ch)
{
    const char sz[2] = {ch, 0};
    return Append(sz);
}

HRESULT CComBSTR::AppendBSTR(BSTR p)
{
    return Append(p, static_cast<int>(::SysStringLen(p)));
}

HRESULT CComBSTR::ToLower()
{
    if (m_str != NULL)
        ::CharLowerBuffW(m_str, Length());
    return S_OK;
}

HRESULT CComBSTR::ToUpper()
{
    if (m_str != NULL)
        ::CharUpperBuffW(m_str, Length());
    return S_OK;
}

bool CComBSTR::LoadString(HINSTANCE hInst, UINT nID)
{
    Empty();
    const ATLSTRINGRESOURCEIMAGE* pImage = AtlGetStringResourceImage(hInst, nID);
    if (pImage == NULL)
        return false;
    m_str = ::SysAllocStringLen(pImage->achString, pImage->nLength);
    return m_str != NULL;
}

bool CComBSTR::LoadString(UINT nID)
{
    Empty();
    HINSTANCE hInst = AtlFindStringResourceInstance(nID);
    return hInst != NULL && LoadString(hInst, nID);
}

CComBSTR& CComBSTR::operator+=(const CComBSTR& bstrSrc)
{
    ThrowIfFailed(AppendBSTR(bstrSrc.m_str));
    return *this;
}

CComBSTR& CComBSTR::operator+=(LPCOLESTR pszSrc)
{
    ThrowIfFailed(Append(pszSrc));
    return *this;
}

bool CComBSTR::operator<(const CComBSTR& bstrSrc) const noexcept
{
    return CompareCounted(m_str, Length(), bstrSrc.m_str, bstrSrc.Length()) < 0;
}

bool CComBSTR::operator==(const CComBSTR& bstrSrc) const noexcept
{
    return CompareCounted(m_str, Length(), bstrSrc.m_str, bstrSrc.Length()) == 0;
}

bool CComBSTR::operator!=(const CComBSTR& bstrSrc) const noexcept
{
    return !(*this == bstrSrc);
}

bool CComBSTR::operator==(LPCOLESTR pszSrc) const noexcept
{
    UINT nLength = pszSrc != NULL ? static_cast<UINT>(wcslen(pszSrc)) : 0;
    return CompareCounted(m_str, Length(), pszSrc, nLength) == 0;
}

bool CComBSTR::operator!=(LPCOLESTR pszSrc) const noexcept
{
    return !(*this == pszSrc);
}

} // namespace ATL
