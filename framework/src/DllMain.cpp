// The entry point of a DLL built on the framework. It lives alone in this
// file so that the linker takes it only for a DLL that has no DllMain of its
// own; the C run time calls it after constructing the static objects and
// before destroying them.
#include <afxwin.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID lpReserved)
{
    switch (dwReason)
    {
    case DLL_PROCESS_ATTACH:
        return AfxDllProcessAttach(hInstance);
    case DLL_PROCESS_DETACH:
        // lpReserved is non-null when the whole process is ending.
        AfxDllProcessDetach(lpReserved != NULL);
        break;
    }
    return TRUE;
}
