#include "KesmariLib.h"

#include "exports/TavrenaExports.h"

namespace
{

HRESULT AnswerOf(bool succeeded, CHAR* pRc)
{
    *pRc = succeeded ? 1 : 0;
    return succeeded ? S_OK : E_NOTIMPL;
}

} // namespace

STDMETHODIMP CKesmariLib::GetImage(int size, BSTR szFile, HBITMAP* phBmp)
{
    if (phBmp == nullptr)
        return E_POINTER;
    *phBmp = nullptr;
    HBITMAP hBitmap = nullptr;
    unsigned long reserved = 0;
    HRESULT hr = GetZumenImage(size, szFile, &hBitmap, &reserved);
    if (SUCCEEDED(hr))
        *phBmp = hBitmap;
    else if (hBitmap != nullptr)
        ::DeleteObject(hBitmap);
    return hr;
}

STDMETHODIMP CKesmariLib::GetImageView(BSTR szFile, RECT* rect, HWND hParent, HWND* phWnd)
{
    if (phWnd == nullptr)
        return E_POINTER;
    *phWnd = nullptr;
    // The rectangle is the caller's to give: a NULL one is never read.
    if (rect == nullptr)
        return E_POINTER;
    *phWnd = PreViewDlg(szFile, *rect, hParent);
    return *phWnd != nullptr ? S_OK : E_NOTIMPL;
}

STDMETHODIMP CKesmariLib::InfoLoad(BSTR szFile, CHAR* pRc)
{
    if (pRc == nullptr)
        return E_POINTER;
    return AnswerOf(::InfoLoad(szFile), pRc);
}

STDMETHODIMP CKesmariLib::InfoSave(BSTR szFile, CHAR* pRc)
{
    if (pRc == nullptr)
        return E_POINTER;
    return AnswerOf(::InfoSave(szFile), pRc);
}
