#pragma once

#include <windows.h>

#include <optional>
#include <string>

// Reads the registry in one of its two views, so that a test of either width
// can look at what the 64-bit or the 32-bit server wrote.
class RegistryView {
public:
    explicit RegistryView(REGSAM view) : view_(view) {}
    // The view of the test's own width, the one its regsvr32 writes.
    static RegistryView Own() { return RegistryView(sizeof(void*) == 8 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY); }

    bool HasKey(HKEY root, const std::wstring& path) const;
    // A string value; nullopt when the key or the value is missing.
    std::optional<std::wstring> String(HKEY root, const std::wstring& path, const wchar_t* name = nullptr) const;
    // Subkeys and values of a key; -1 when it is missing.
    int SubkeyCount(HKEY root, const std::wstring& path) const;
    int ValueCount(HKEY root, const std::wstring& path) const;

private:
    REGSAM view_;
};

// HKCR\<path>: deleted with its subtree, in the test's own view.
void DeleteClassesRootTree(const std::wstring& path);
