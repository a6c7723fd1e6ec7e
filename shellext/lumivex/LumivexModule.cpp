// The server's entry points: the DLL's life, its class object and its
// registration.
#include <windows.h>

#include <new>

#include "ClassFactory.h"
#include "ServerModule.h"
#include "ServerRegistration.h"
#include "exports/TavrenaExports.h"

namespace
{

HINSTANCE g_dllInstance = nullptr;

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE hinst, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
    {
        g_dllInstance = hinst;
        ::DisableThreadLibraryCalls(hinst);
    }
    else if (reason == DLL_PROCESS_DETACH)
    {
        // The views of every drawing previewed in this process reach the info
        // cache file.
        SavePreView();
    }
    return TRUE;
}

STDAPI DllCanUnloadNow()
{
    return g_dllObjectCount != 0 ? S_FALSE : S_OK;
}

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    *ppv = nullptr;
    if (!::IsEqualCLSID(rclsid, CLSID_LumivexPreviewHandler))
        return CLASS_E_CLASSNOTAVAILABLE;
    CClassFactory* factory = new (std::nothrow) CClassFactory();
    if (factory == nullptr)
        return E_OUTOFMEMORY;
    HRESULT hr = factory->QueryInterface(riid, ppv);
    factory->Release();
    return hr;
}

STDAPI DllRegisterServer()
{
    wchar_t dllPath[MAX_PATH];
    DWORD length = ::GetModuleFileNameW(g_dllInstance, dllPath, ARRAYSIZE(dllPath));
    // A cut path would register a module that does not exist.
    if (length == 0 || length >= ARRAYSIZE(dllPath))
    {
        DWORD error = ::GetLastError();
        return error != ERROR_SUCCESS ? HRESULT_FROM_WIN32(error) : HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER);
    }
    return RegisterPreviewServer(dllPath);
}

STDAPI DllUnregisterServer()
{
    return UnregisterPreviewServer();
}
