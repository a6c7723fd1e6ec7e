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
