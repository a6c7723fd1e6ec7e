#pragma once
#include <windows.h>

// One line on standard error for a shell call and its result:
// "call: 0x80004005 detail".
void ReportCall(const char* call, HRESULT hr, const wchar_t* detail = L"");
