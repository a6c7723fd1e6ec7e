// Server entry points; no class is served yet.
#include <windows.h>
#include "exports/TavrenaExports.h"

STDAPI DllGetClassObject(REFCLSID, REFIID, void** object)
{
    if (object) *object = nullptr;
    return CLASS_E_CLASSNOTAVAILABLE;
}
STDAPI DllCanUnloadNow() { return S_OK; }
STDAPI DllRegisterServer() { return E_NOTIMPL; }
STDAPI DllUnregisterServer() { return E_NOTIMPL; }

// Keeps the link to the library by name, as the finished server has it.
extern "C" void* LumivexLibraryLink() { return reinterpret_cast<void*>(&GetImage); }
