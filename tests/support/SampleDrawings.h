#pragma once
#include <windows.h>
#include <initializer_list>
#include <string>
#include <vector>

// Full paths of the real sample drawings whose names match one of the
// patterns, pattern by pattern; empty when the sample folder is missing.
inline std::vector<std::wstring> SampleDrawingFiles(
    std::initializer_list<const wchar_t*> patterns = {L"*.jww", L"*.jws", L"*.jwc", L"*.jwk"})
{
    const std::wstring folder = std::wstring(JW_SAMPLES_DIR) + L"\\";
    std::vector<std::wstring> files;
    for (const wchar_t* pattern : patterns) {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((folder + pattern).c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            continue;
        do
            files.push_back(folder + found.cFileName);
        while (FindNextFileW(search, &found));
        FindClose(search);
    }
    return files;
}

// A sample's path in UTF-8, for the trace of a test that goes through them.
inline std::string SampleTrace(const std::wstring& path)
{
    int size = WideCharToMultiByte(CP_UTF8, 0, path.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string text(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, path.c_str(), -1, &text[0], size, nullptr, nullptr);
    text.resize(size - 1);
    return text;
}
