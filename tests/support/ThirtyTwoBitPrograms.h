#pragma once
// Whether the test bench can execute 32-bit programs. On a machine that
// cannot, the bench runs 64-bit programs through Wine's 64-bit loader and
// says so in JW_RUN_32BIT=no; tests that need an x86 program skip with the
// bench's own reason.
#include <windows.h>
#include <cwchar>

inline bool CanRun32BitPrograms()
{
    wchar_t answer[8] = {};
    const DWORD length = GetEnvironmentVariableW(L"JW_RUN_32BIT", answer, 8);
    return !(length == 2 && std::wcscmp(answer, L"no") == 0);
}

inline constexpr const char* kNo32BitProgramsReason =
    "x86: built, tests not run: this machine cannot execute 32-bit programs";
