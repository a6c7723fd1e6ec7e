// CRegKey: one open registry key, closed with its object. The functions
// answer the registry's own error codes (ERROR_SUCCESS when they worked).
#pragma once

#include <windows.h>

namespace ATL
{

class CRegKey
{
public:
    CRegKey() noexcept : m_hKey(NULL)
    {
    }
    CRegKey(CRegKey&& key) noexcept : m_hKey(key.Detach())
    {
    }
    CRegKey& operator=(CRegKey&& key) noexcept;
    ~CRegKey()
    {
        Close();
    }
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;

    operator HKEY() const noexcept
    {
        return m_hKey;
    }

    LONG Create(HKEY hKeyParent, LPCWSTR lpszKeyName, LPWSTR lpszClass = REG_NONE,
                DWORD dwOptions = REG_OPTION_NON_VOLATILE, REGSAM samDesired = KEY_READ | KEY_WRITE,
                LPSECURITY_ATTRIBUTES lpSecAttr = NULL, LPDWORD lpdwDisposition = NULL) noexcept;
    LONG Open(HKEY hKeyParent, LPCWSTR lpszKeyName, REGSAM samDesired = KEY_READ | KEY_WRITE) noexcept;
    LONG Close() noexcept;
    void Attach(HKEY hKey) noexcept;
    HKEY Detach() noexcept;

    LONG SetStringValue(LPCWSTR pszValueName, LPCWSTR pszValue, DWORD dwType = REG_SZ) noexcept;
    // pnChars: the buffer's size in characters on entry, the characters
    // stored (with the terminating null) on return. The text is always
    // terminated; ERROR_MORE_DATA when the buffer is too small.
    LONG QueryStringValue(LPCWSTR pszValueName, LPWSTR pszValue, ULONG* pnChars) noexcept;
    LONG DeleteValue(LPCWSTR lpszValue) noexcept;
    LONG DeleteSubKey(LPCWSTR lpszSubKey) noexcept;
    // Deletes the subkey with everything below it.
    LONG RecurseDeleteKey(LPCWSTR lpszKey) noexcept;

    HKEY m_hKey;
};

} // namespace ATL
