#include <atlregkey.h>

namespace ATL
{

CRegKey& CRegKey::operator=(CRegKey&& key) noexcept
{
    if (this != &key)
        Attach(key.Detach());
    return *this;
}

LONG CRegKey::Create(HKEY hKeyParent, LPCWSTR lpszKeyName, LPWSTR lpszClass, DWORD dwOptions, REGSAM samDesired,
                     LPSECURITY_ATTRIBUTES lpSecAttr, LPDWORD lpdwDisposition) noexcept
{
    HKEY hKey = NULL;
    LONG lRes = ::RegCreateKeyExW(hKeyParent, lpszKeyName, 0, lpszClass, dwOptions, samDesired, lpSecAttr, &hKey,
                                  lpdwDisposition);
    if (lRes == ERROR_SUCCESS)
        Attach(hKey);
    return lRes;
}

LONG CRegKey::Open(HKEY hKeyParent, LPCWSTR lpszKeyName, REGSAM samDesired) noexcept
{
    HKEY hKey = NULL;
    LONG lRes = ::RegOpenKeyExW(hKeyParent, lpszKeyName, 0, samDesired, &hKey);
    if (lRes == ERROR_SUCCESS)
        Attach(hKey);
    return lRes;
}

LONG CRegKey::Close() noexcept
{
    LONG lRes = ERROR_SUCCESS;
    if (m_hKey != NULL)
    {
        lRes = ::RegCloseKey(m_hKey);
        m_hKey = NULL;
    }
    return lRes;
}

void CRegKey::Attach(HKEY hKey) noexcept
{
    Close();
    m_hKey = hKey;
}

HKEY CRegKey::Detach() noexcept
{
    HKEY hKey = m_hKey;
    m_hKey = NULL;
    return hKey;
}

LONG CRegKey::SetStringValue(LPCWSTR pszValueName, LPCWSTR pszValue, DWORD dwType) noexcept
{
    if (pszValue == NULL)
        return ERROR_INVALID_PARAMETER;
    DWORD cbData = static_cast<DWORD>((wcslen(pszValue) + 1) * sizeof(WCHAR));
    return ::RegSetValueExW(m_hKey, pszValueName, 0, dwType, reinterpret_cast<const BYTE*>(pszValue), cbData);
}

LONG CRegKey::QueryStringValue(LPCWSTR pszValueName, LPWSTR pszValue, ULONG* pnChars) noexcept
{
    if (pnChars == NULL || pszValue == NULL || *pnChars == 0)
        return ERROR_INVALID_PARAMETER;
    ULONG nCapacity = *pnChars;
    DWORD dwType = REG_NONE;
    DWORD cbData = nCapacity * sizeof(WCHAR);
    LONG lRes = ::RegQueryValueExW(m_hKey, pszValueName, NULL, &dwType, reinterpret_cast<BYTE*>(pszValue), &cbData);
    ULONG nStored = cbData / sizeof(WCHAR);
    if (lRes == ERROR_MORE_DATA)
        *pnChars = nStored + 1;
    if (lRes != ERROR_SUCCESS)
        return lRes;
    if (dwType != REG_SZ && dwType != REG_EXPAND_SZ)
        return ERROR_INVALID_DATA;
    // The registry keeps what was written: the text may lack its null.
    if (nStored > 0 && pszValue[nStored - 1] == L'\0')
    {
        *pnChars = nStored;
        return ERROR_SUCCESS;
    }
    *pnChars = nStored + 1;
    if (nStored >= nCapacity)
        return ERROR_MORE_DATA;
    pszValue[nStored] = L'\0';
    return ERROR_SUCCESS;
}

LONG CRegKey::DeleteValue(LPCWSTR lpszValue) noexcept
{
    return ::RegDeleteValueW(m_hKey, lpszValue);
}

LONG CRegKey::DeleteSubKey(LPCWSTR lpszSubKey) noexcept
{
    return ::RegDeleteKeyW(m_hKey, lpszSubKey);
}

LONG CRegKey::RecurseDeleteKey(LPCWSTR lpszKey) noexcept
{
    return ::RegDeleteTreeW(m_hKey, lpszKey);
}

} // namespace ATL
