#include "RegistryView.h"

#include <atlregkey.h>

#include <vector>

namespace {

bool QueryCounts(HKEY root, const std::wstring& path, REGSAM view, DWORD* subkeys, DWORD* values)
{
    ATL::CRegKey key;
    return key.Open(root, path.c_str(), KEY_READ | view) == ERROR_SUCCESS &&
           RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, subkeys, nullptr, nullptr, values, nullptr, nullptr,
                            nullptr, nullptr) == ERROR_SUCCESS;
}

}  // namespace

bool RegistryView::HasKey(HKEY root, const std::wstring& path) const
{
    ATL::CRegKey key;
    return key.Open(root, path.c_str(), KEY_READ | view_) == ERROR_SUCCESS;
}

std::optional<std::wstring> RegistryView::String(HKEY root, const std::wstring& path, const wchar_t* name) const
{
    ATL::CRegKey key;
    if (key.Open(root, path.c_str(), KEY_READ | view_) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::vector<wchar_t> text(1024);
    ULONG chars = static_cast<ULONG>(text.size());
    if (key.QueryStringValue(name, text.data(), &chars) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::wstring(text.data());
}

int RegistryView::SubkeyCount(HKEY root, const std::wstring& path) const
{
    DWORD subkeys = 0, values = 0;
    return QueryCounts(root, path, view_, &subkeys, &values) ? static_cast<int>(subkeys) : -1;
}

int RegistryView::ValueCount(HKEY root, const std::wstring& path) const
{
    DWORD subkeys = 0, values = 0;
    return QueryCounts(root, path, view_, &subkeys, &values) ? static_cast<int>(values) : -1;
}

void DeleteClassesRootTree(const std::wstring& path)
{
    RegDeleteTreeW(HKEY_CLASSES_ROOT, path.c_str());
}
