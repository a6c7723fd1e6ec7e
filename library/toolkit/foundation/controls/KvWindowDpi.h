#pragma once
#include <windows.h>

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

// The DPI of a window: GetDpiForWindow where user32 has it (taken once per
// process); 96 for no window, a window that is gone, or an older Windows.
UINT KvGetWindowDpi(HWND wnd);
