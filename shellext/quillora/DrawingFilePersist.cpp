#include "DrawingFilePersist.h"

#include <new>

STDMETHODIMP CDrawingFilePersist::Load(LPCOLESTR pszFileName, DWORD /*dwMode*/)
{
    if (pszFileName == nullptr)
        return E_POINTER;
    try
    {
        m_path = pszFileName;
    }
    catch (const std::bad_alloc&)
    {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

STDMETHODIMP CDrawingFilePersist::GetClassID(CLSID*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CDrawingFilePersist::IsDirty()
{
    return E_NOTIMPL;
}

STDMETHODIMP CDrawingFilePersist::Save(LPCOLESTR, BOOL)
{
    return E_NOTIMPL;
}

STDMETHODIMP CDrawingFilePersist::SaveCompleted(LPCOLESTR)
{
    return E_NOTIMPL;
}

STDMETHODIMP CDrawingFilePersist::GetCurFile(LPOLESTR*)
{
    return E_NOTIMPL;
}
