// The ATL COM client classes: CComPtr, CComQIPtr, CComBSTR, CComVariant.
// Include <atlbase.h>.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <oleauto.h>

#include <atlexcept.h>

#include <memory>
#include <type_traits>

namespace ATL
{

// Holds one reference to an interface.
template <class T>
class CComPtr
{
public:
    CComPtr() noexcept : p(NULL)
    {
    }
    CComPtr(T* lp) noexcept : p(lp)
    {
        if (p != NULL)
            p->AddRef();
    }
    CComPtr(const CComPtr& lp) noexcept : CComPtr(lp.p)
    {
    }
    CComPtr(CComPtr&& lp) noexcept : p(lp.p)
    {
        lp.p = NULL;
    }
    ~CComPtr()
    {
        Release();
    }

    CComPtr& operator=(T* lp) noexcept
    {
        if (p != lp)
            CComPtr(lp).Swap(*this);
        return *this;
    }
    CComPtr& operator=(const CComPtr& lp) noexcept
    {
        return *this = lp.p;
    }
    CComPtr& operator=(CComPtr&& lp) noexcept
    {
        if (this != std::addressof(lp))
        {
            Release();
            p = lp.p;
            lp.p = NULL;
        }
        return *this;
    }

    operator T*() const noexcept
    {
        return p;
    }
    T& operator*() const
    {
        ATLASSERT(p != NULL);
        return *p;
    }
    T* operator->() const noexcept
    {
        ATLASSERT(p != NULL);
        return p;
    }
    // For out parameters: the pointer is expected to be empty; one that is
    // not is released rather than leaked.
    T** operator&() noexcept
    {
        ATLASSERT(p == NULL);
        Release();
        return &p;
    }
    bool operator!() const noexcept
    {
        return p == NULL;
    }
    bool operator<(T* pT) const noexcept
    {
        return p < pT;
    }
    bool operator==(T* pT) const noexcept
    {
        return p == pT;
    }
    bool operator!=(T* pT) const noexcept
    {
        return p != pT;
    }

    void Release() noexcept
    {
        T* pTemp = p;
        if (pTemp != NULL)
        {
            p = NULL;
            pTemp->Release();
        }
    }
    void Attach(T* p2) noexcept
    {
        Release();
        p = p2;
    }
    T* Detach() noexcept
    {
        T* pt = p;
        p = NULL;
        return pt;
    }
    HRESULT CopyTo(T** ppT) const noexcept
    {
        if (ppT == NULL)
            return E_POINTER;
        *ppT = p;
        if (p != NULL)
            p->AddRef();
        return S_OK;
    }
    bool IsEqualObject(IUnknown* pOther) const noexcept
    {
        if (p == NULL && pOther == NULL)
            return true;
        if (p == NULL || pOther == NULL)
            return false;
        CComPtr<IUnknown> punk1;
        CComPtr<IUnknown> punk2;
        p->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&punk1));
        pOther->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&punk2));
        return punk1 == punk2;
    }
    template <class Q>
    HRESULT QueryInterface(Q** pp) const noexcept
    {
        if (p == NULL || pp == NULL)
            return E_POINTER;
        return p->QueryInterface(__uuidof(Q), reinterpret_cast<void**>(pp));
    }
    HRESULT CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter = NULL, DWORD dwClsContext = CLSCTX_ALL) noexcept
    {
        ATLASSERT(p == NULL);
        Release();
        return ::CoCreateInstance(rclsid, pUnkOuter, dwClsContext, __uuidof(T), reinterpret_cast<void**>(&p));
    }
    void Swap(CComPtr& other) noexcept
    {
        T* pTemp = p;
        p = other.p;
        other.p = pTemp;
    }

    T* p;
};

// A CComPtr that takes any interface and asks it for T (or for *piid).
template <class T, const IID* piid = nullptr>
class CComQIPtr : public CComPtr<T>
{
public:
    CComQIPtr() noexcept = default;
    CComQIPtr(T* lp) noexcept : CComPtr<T>(lp)
    {
    }
    CComQIPtr(const CComQIPtr& lp) noexcept : CComPtr<T>(lp.p)
    {
    }
    template <class U, typename = typename std::enable_if<!std::is_same<U, T>::value>::type>
    CComQIPtr(U* lp) noexcept
    {
        Query(lp);
    }
    CComQIPtr& operator=(T* lp) noexcept
    {
        CComPtr<T>::operator=(lp);
        return *this;
    }
    CComQIPtr& operator=(const CComQIPtr& lp) noexcept
    {
        CComPtr<T>::operator=(lp.p);
        return *this;
    }
    template <class U, typename = typename std::enable_if<!std::is_same<U, T>::value>::type>
    CComQIPtr& operator=(U* lp) noexcept
    {
        CComPtr<T> pOld;
        pOld.Attach(this->Detach());
        Query(lp);
        return *this;
    }

private:
    static const IID& Iid() noexcept
    {
        return piid != nullptr ? *piid : __uuidof(T);
    }
    void Query(IUnknown* lp) noexcept
    {
        if (lp != NULL && lp->QueryInterface(Iid(), reinterpret_cast<void**>(&this->p)) != S_OK)
            this->p = NULL;
    }
};

// Holds one BSTR and nothing else, so that it can cross a module boundary as
// a plain BSTR. A null BSTR and an empty one compare equal.
class CComBSTR
{
public:
    BSTR m_str;

    CComBSTR() noexcept : m_str(NULL)
    {
    }
    explicit CComBSTR(int nSize);
    CComBSTR(int nSize, LPCOLESTR sz);
    CComBSTR(LPCOLESTR pSrc);
    CComBSTR(LPCSTR pSrc);
    CComBSTR(const CComBSTR& src);
    CComBSTR(CComBSTR&& src) noexcept : m_str(src.m_str)
    {
        src.m_str = NULL;
    }
    ~CComBSTR();

    CComBSTR& operator=(const CComBSTR& src);
    CComBSTR& operator=(CComBSTR&& src) noexcept;
    CComBSTR& operator=(LPCOLESTR pSrc);
    CComBSTR& operator=(LPCSTR pSrc);

    unsigned int Length() const noexcept;
    unsigned int ByteLength() const noexcept;
    operator BSTR() const noexcept
    {
        return m_str;
    }
    // The address of the held BSTR, for in/out parameters: nothing is freed.
    BSTR* operator&() noexcept
    {
        return &m_str;
    }
    bool operator!() const noexcept
    {
        return m_str == NULL;
    }

    BSTR Copy() const;
    HRESULT CopyTo(BSTR* pbstr) const;
    HRESULT CopyTo(VARIANT* pvarDest) const;
    void Attach(BSTR src) noexcept;
    BSTR Detach() noexcept;
    void Empty() noexcept;

    HRESULT Append(const CComBSTR& bstrSrc);
    HRESULT Append(LPCOLESTR lpsz);
    HRESULT Append(LPCSTR lpsz);
    HRESULT Append(LPCOLESTR lpsz, int nLen);
    HRESULT Append(wchar_t ch);
    HRESULT Append(char ch);
    HRESULT AppendBSTR(BSTR p);
    HRESULT ToLower();
    HRESULT ToUpper();

    // Empties the string, then loads string nID; false (and a null string)
    // when the module has no such string.
    bool LoadString(HINSTANCE hInst, UINT nID);
    // Looks in _AtlBaseModule's resource modules in turn.
    bool LoadString(UINT nID);

    CComBSTR& operator+=(const CComBSTR& bstrSrc);
    CComBSTR& operator+=(LPCOLESTR pszSrc);
    bool operator<(const CComBSTR& bstrSrc) const noexcept;
    bool operator==(const CComBSTR& bstrSrc) const noexcept;
    bool operator!=(const CComBSTR& bstrSrc) const noexcept;
    bool operator==(LPCOLESTR pszSrc) const noexcept;
    bool operator!=(LPCOLESTR pszSrc) const noexcept;
};

// A BSTR travels through the Format family as its character pointer.
inline BSTR AtlFormatArg(const CComBSTR& bstr)
{
    return bstr.m_str;
}

// A VARIANT that clears itself; a failed assignment leaves VT_ERROR with the
// failure code.
class CComVariant : public tagVARIANT
{
public:
    CComVariant() noexcept;
    CComVariant(const VARIANT& varSrc);
    CComVariant(const CComVariant& varSrc);
    CComVariant(LPCOLESTR lpszSrc);
    CComVariant(LPCSTR lpszSrc);
    CComVariant(const CComBSTR& bstrSrc);
    CComVariant(bool bSrc);
    CComVariant(int nSrc, VARTYPE vtSrc = VT_I4);
    CComVariant(BYTE nSrc);
    CComVariant(short nSrc);
    CComVariant(long nSrc, VARTYPE vtSrc = VT_I4);
    CComVariant(float fltSrc);
    CComVariant(double dblSrc, VARTYPE vtSrc = VT_R8);
    CComVariant(LONGLONG nSrc);
    CComVariant(ULONGLONG nSrc);
    CComVariant(CY cySrc);
    CComVariant(IDispatch* pSrc);
    CComVariant(IUnknown* pSrc);
    CComVariant(char cSrc);
    CComVariant(unsigned short nSrc);
    CComVariant(unsigned long nSrc);
    CComVariant(unsigned int nSrc, VARTYPE vtSrc = VT_UI4);
    ~CComVariant();

    CComVariant& operator=(const CComVariant& varSrc);
    CComVariant& operator=(const VARIANT& varSrc);
    CComVariant& operator=(LPCOLESTR lpszSrc);
    CComVariant& operator=(LPCSTR lpszSrc);
    CComVariant& operator=(const CComBSTR& bstrSrc);
    CComVariant& operator=(bool bSrc);
    CComVariant& operator=(int nSrc);
    CComVariant& operator=(BYTE nSrc);
    CComVariant& operator=(short nSrc);
    CComVariant& operator=(long nSrc);
    CComVariant& operator=(float fltSrc);
    CComVariant& operator=(double dblSrc);
    CComVariant& operator=(LONGLONG nSrc);
    CComVariant& operator=(ULONGLONG nSrc);
    CComVariant& operator=(CY cySrc);
    CComVariant& operator=(IDispatch* pSrc);
    CComVariant& operator=(IUnknown* pSrc);
    CComVariant& operator=(char cSrc);
    CComVariant& operator=(unsigned short nSrc);
    CComVariant& operator=(unsigned long nSrc);
    CComVariant& operator=(unsigned int nSrc);

    // Same type and same value; two empty or two null variants are equal,
    // interfaces compare by pointer.
    bool operator==(const VARIANT& varSrc) const;
    bool operator!=(const VARIANT& varSrc) const;

    HRESULT Clear();
    HRESULT Copy(const VARIANT* pSrc);
    HRESULT CopyTo(BSTR* pstrDest) const;
    HRESULT Attach(VARIANT* pSrc);
    HRESULT Detach(VARIANT* pDest);
    HRESULT ChangeType(VARTYPE vtNew, const VARIANT* pSrc = NULL);

private:
    void ClearToType(VARTYPE vtNew);
    void SetError(HRESULT hr);
    void SetString(LPCOLESTR lpszSrc, UINT nLength);
    void SetInterface(VARTYPE vtNew, IUnknown* pSrc);
};

} // namespace ATL
