#include "SettingsFile.h"

#include <windows.h>

#include <utility>

namespace regalto {

namespace {

constexpr DWORD initialValueLength = MAX_PATH;
// The longest path the system accepts; a longer value can name no file anyway.
constexpr DWORD longestValueLength = 32768;

}  // namespace

SettingsFile::SettingsFile(std::wstring path)
    : path_(std::move(path))
{
}

bool SettingsFile::japanese() const
{
    return lstrcmpiW(read(L"Language", L"Language", L"Japanese").c_str(), L"Japanese") == 0;
}

std::vector<std::wstring> SettingsFile::listedFiles() const
{
    std::vector<std::wstring> files;
    for (unsigned int number = 1;; ++number) {
        std::wstring value = read(L"RegistCOM", L"File" + std::to_wstring(number), L"");
        if (value.empty()) {
            return files;
        }
        files.push_back(std::move(value));
    }
}

std::wstring SettingsFile::read(const wchar_t* section, const std::wstring& key, const wchar_t* fallback) const
{
    // A value that fills the buffer may have been cut: read it again with room to spare,
    // so a long DLL path is never shortened into another file's name.
    for (DWORD capacity = initialValueLength;; capacity *= 2) {
        std::wstring value(capacity, L'\0');
        const DWORD length =
            GetPrivateProfileStringW(section, key.c_str(), fallback, value.data(), capacity, path_.c_str());
        if (length + 1 < capacity || capacity >= longestValueLength) {
            value.resize(length);
            return value;
        }
    }
}

}  // namespace regalto
