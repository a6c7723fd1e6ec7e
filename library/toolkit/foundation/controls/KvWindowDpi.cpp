#include "foundation/controls/KvWindowDpi.h"

namespace {
const UINT kKvUnknownDpi = 96;

typedef UINT(WINAPI* GetDpiForWindowFunction)(HWND);

GetDpiForWindowFunction KvGetDpiForWindowEntry()
{
    static const GetDpiForWindowFunction entry = reinterpret_cast<GetDpiForWindowFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"User32.dll"), "GetDpiForWindow")));
    return entry;
}
}

UINT KvGetWindowDpi(HWND wnd)
{
    if (!wnd || !IsWindow(wnd))
        return kKvUnknownDpi;
    GetDpiForWindowFunction entry = KvGetDpiForWindowEntry();
    return entry ? entry(wnd) : kKvUnknownDpi;
}
