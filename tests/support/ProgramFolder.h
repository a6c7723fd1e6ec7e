#pragma once
#include <windows.h>
#include <string>

// The folder of the running test program, where its helper programs lie.
inline std::wstring ProgramFolder()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.rfind(L'\\'));
}
