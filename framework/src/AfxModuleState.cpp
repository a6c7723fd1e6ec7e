// The module state: the application object and the instance and resource
// handles of the one module that links the framework.
#include <afxwin.h>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace
{

// Zero-filled before any constructor runs, so static objects may use it.
AFX_MODULE_STATE _afxModuleState;

} // namespace

AFX_MODULE_STATE* AFXAPI AfxGetModuleState()
{
    return &_afxModuleState;
}

AFX_MODULE_STATE* AFXAPI AfxGetStaticModuleState()
{
    return &_afxModuleState;
}

AFX_MODULE_STATE* AFXAPI AfxGetAppModuleState()
{
    return &_afxModuleState;
}

CWinApp* AFXAPI AfxGetApp()
{
    return _afxModuleState.m_pCurrentWinApp;
}

LPCTSTR AFXAPI AfxGetAppName()
{
    return _afxModuleState.m_lpszCurrentAppName;
}

HINSTANCE AFXAPI AfxGetInstanceHandle()
{
    HINSTANCE hInstance = _afxModuleState.m_hCurrentInstanceHandle;
    return hInstance != NULL ? hInstance : reinterpret_cast<HINSTANCE>(&__ImageBase);
}

HINSTANCE AFXAPI AfxGetResourceHandle()
{
    HINSTANCE hResource = static_cast<HINSTANCE>(::InterlockedCompareExchangePointer(
        reinterpret_cast<PVOID volatile*>(&_afxModuleState.m_hCurrentResourceHandle), NULL, NULL));
    return hResource != NULL ? hResource : AfxGetInstanceHandle();
}

void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource)
{
    ::InterlockedExchangePointer(reinterpret_cast<PVOID volatile*>(&_afxModuleState.m_hCurrentResourceHandle),
                                 hInstResource);
}

HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType)
{
    // The resource module first, then the module itself.
    HINSTANCE hResource = AfxGetResourceHandle();
    if (::FindResourceW(hResource, lpszName, lpszType) != NULL)
        return hResource;
    HINSTANCE hInstance = AfxGetInstanceHandle();
    return ::FindResourceW(hInstance, lpszName, lpszType) != NULL ? hInstance : hResource;
}

void AFXAPI AfxEnableControlContainer()
{
}
