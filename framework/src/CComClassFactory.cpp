#include <atlcom.h>

namespace ATL
{

STDMETHODIMP CComClassFactory::CreateInstance(LPUNKNOWN pUnkOuter, REFIID riid, void** ppvObj)
{
    if (ppvObj == NULL)
        return E_POINTER;
    *ppvObj = NULL;
    if (pUnkOuter != NULL)
        return CLASS_E_NOAGGREGATION;
    if (m_pfnCreateInstance == NULL)
        return E_UNEXPECTED;
    return m_pfnCreateInstance(NULL, riid, ppvObj);
}

STDMETHODIMP CComClassFactory::LockServer(BOOL fLock)
{
    if (fLock)
        _pAtlModule->Lock();
    else
        _pAtlModule->Unlock();
    return S_OK;
}

} // namespace ATL
