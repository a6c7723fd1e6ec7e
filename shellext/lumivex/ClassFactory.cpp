#include "ClassFactory.h"

#include <shlwapi.h>

#include <new>

#include "PreviewHandler.h"
#include "ServerModule.h"

CClassFactory::CClassFactory() : m_refCount(1)
{
    DllAddRef();
}

CClassFactory::~CClassFactory()
{
    DllRelease();
}

IFACEMETHODIMP CClassFactory::QueryInterface(REFIID riid, void** ppv)
{
    static const QITAB interfaces[] = {
        QITABENT(CClassFactory, IClassFactory),
        {nullptr, 0},
    };
    return ::QISearch(this, interfaces, riid, ppv);
}

IFACEMETHODIMP_(ULONG) CClassFactory::AddRef()
{
    return ::InterlockedIncrement(&m_refCount);
}

IFACEMETHODIMP_(ULONG) CClassFactory::Release()
{
    LONG count = ::InterlockedDecrement(&m_refCount);
    if (count == 0)
        delete this;
    return count;
}

IFACEMETHODIMP CClassFactory::CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    *ppv = nullptr;
    if (pUnkOuter != nullptr)
        return CLASS_E_NOAGGREGATION;
    CPreviewHandler* handler = new (std::nothrow) CPreviewHandler();
    if (handler == nullptr)
        return E_OUTOFMEMORY;
    // The caller ends up with the only reference, or none when riid fails.
    HRESULT hr = handler->QueryInterface(riid, ppv);
    handler->Release();
    return hr;
}

IFACEMETHODIMP CClassFactory::LockServer(BOOL fLock)
{
    if (fLock)
        DllAddRef();
    else
        DllRelease();
    return S_OK;
}
