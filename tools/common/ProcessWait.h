#pragma once
#include <windows.h>

// Waits until no process of the Wine prefix (or Windows session) runs the
// program imageName (such as L"regsvr32.exe"), at most timeoutMs in all.
// True when none is left. Regalto64 starts regsvr32 and does not wait for it:
// whoever needs the registration done waits here.
bool WaitUntilNoProcessNamed(const wchar_t* imageName, DWORD timeoutMs);
