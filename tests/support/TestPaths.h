#pragma once
#include <windows.h>
#include <string>

// The path of a module in the build's bin folder.
inline std::wstring BuiltModulePath(const wchar_t* fileName)
{
    return std::wstring(JW_BIN_DIR) + L"\\" + fileName;
}

// The path of a file beside the running test program (its fixture modules).
inline std::wstring BesideTestProgram(const wchar_t* fileName)
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring program(path);
    return program.substr(0, program.rfind(L'\\') + 1) + fileName;
}

// Whether a file or folder exists.
inline bool FileExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A string resource of a module; empty when the module has none.
inline std::wstring ResourceString(HMODULE module, UINT id)
{
    const wchar_t* text = nullptr;
    const int length = LoadStringW(module, id, reinterpret_cast<wchar_t*>(&text), 0);
    return length > 0 ? std::wstring(text, length) : std::wstring();
}
