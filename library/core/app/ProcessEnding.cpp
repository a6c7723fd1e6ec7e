#include "app/ProcessEnding.h"
#include <windows.h>

bool IsProcessEnding()
{
    // Taken at run time: the loader's answer has no import library entry on
    // every tool chain.
    using ShutdownQuery = BOOLEAN(WINAPI*)();
    static const ShutdownQuery query = reinterpret_cast<ShutdownQuery>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlDllShutdownInProgress")));
    return query && query();
}
