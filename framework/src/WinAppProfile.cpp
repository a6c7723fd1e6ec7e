// The application's settings: in the registry under its key once
// SetRegistryKey was called, else in its INI file.
#include <afxwin.h>

#include <atlregkey.h>

#include <stdlib.h>

#include <memory>

namespace
{

LPTSTR DuplicateProfileText(LPCTSTR lpsz)
{
    return lpsz != NULL ? ::_wcsdup(lpsz) : NULL;
}

HKEY CreateProfileKey(HKEY hParent, LPCTSTR lpszName)
{
    HKEY hKey = NULL;
    if (hParent == NULL ||
        ::RegCreateKeyExW(hParent, lpszName, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, NULL, &hKey,
                          NULL) != ERROR_SUCCESS)
        return NULL;
    return hKey;
}

// The value's type and size in bytes; FALSE when it is missing.
BOOL QueryProfileValue(HKEY hKey, LPCTSTR lpszEntry, DWORD* pdwType, DWORD* pcbData)
{
    return ::RegQueryValueExW(hKey, lpszEntry, NULL, pdwType, NULL, pcbData) == ERROR_SUCCESS;
}

BOOL SetProfileValue(HKEY hKey, LPCTSTR lpszEntry, DWORD dwType, const void* pData, DWORD cbData)
{
    return hKey != NULL &&
           ::RegSetValueExW(hKey, lpszEntry, 0, dwType, static_cast<const BYTE*>(pData), cbData) == ERROR_SUCCESS;
}

CString ReadRegistryString(HKEY hKey, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    DWORD dwType = 0;
    DWORD cbData = 0;
    if (hKey == NULL || !QueryProfileValue(hKey, lpszEntry, &dwType, &cbData) || dwType != REG_SZ)
        return CString(lpszDefault);
    CString strValue;
    DWORD cchBuffer = cbData / sizeof(WCHAR) + 1;
    LPWSTR pBuffer = strValue.GetBuffer(static_cast<int>(cchBuffer));
    DWORD cbRead = cchBuffer * sizeof(WCHAR);
    LONG lResult = ::RegQueryValueExW(hKey, lpszEntry, NULL, &dwType, reinterpret_cast<LPBYTE>(pBuffer), &cbRead);
    // The stored text need not end in a null.
    pBuffer[lResult == ERROR_SUCCESS ? cbRead / sizeof(WCHAR) : 0] = L'\0';
    strValue.ReleaseBuffer();
    return lResult == ERROR_SUCCESS ? strValue : CString(lpszDefault);
}

CString ReadIniString(LPCTSTR lpszFile, LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    CString strValue;
    // The API cuts a value to the buffer and says so only by filling it.
    for (DWORD cchBuffer = 256;; cchBuffer *= 2)
    {
        DWORD cchRead = ::GetPrivateProfileStringW(lpszSection, lpszEntry, lpszDefault != NULL ? lpszDefault : L"",
                                                   strValue.GetBuffer(static_cast<int>(cchBuffer)), cchBuffer,
                                                   lpszFile);
        strValue.ReleaseBuffer(static_cast<int>(cchRead));
        if (cchRead < cchBuffer - 1)
            return strValue;
    }
}

// INI files hold text, so binary data is written as two letters a byte,
// 'A' to 'P' for the low and then the high four bits.
CString EncodeProfileBinary(const BYTE* pData, UINT nBytes)
{
    CString strText;
    for (UINT i = 0; i < nBytes; ++i)
    {
        strText += static_cast<wchar_t>(L'A' + (pData[i] & 0x0F));
        strText += static_cast<wchar_t>(L'A' + (pData[i] >> 4));
    }
    return strText;
}

bool IsProfileNibble(wchar_t ch)
{
    return ch >= L'A' && ch <= L'P';
}

// FALSE for text that is not an encoding of whole bytes.
BOOL DecodeProfileBinary(const CString& strText, LPBYTE* ppData, UINT* pBytes)
{
    int nLength = strText.GetLength();
    if (nLength == 0 || nLength % 2 != 0)
        return FALSE;
    std::unique_ptr<BYTE[]> pData(new BYTE[nLength / 2]);
    for (int i = 0; i < nLength; i += 2)
    {
        wchar_t chLow = strText[i];
        wchar_t chHigh = strText[i + 1];
        if (!IsProfileNibble(chLow) || !IsProfileNibble(chHigh))
            return FALSE;
        pData[i / 2] = static_cast<BYTE>((chLow - L'A') | ((chHigh - L'A') << 4));
    }
    *pBytes = static_cast<UINT>(nLength / 2);
    *ppData = pData.release();
    return TRUE;
}

} // namespace

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
    ::free(const_cast<LPTSTR>(m_pszRegistryKey));
    m_pszRegistryKey = DuplicateProfileText(lpszRegistryKey);
    ::free(const_cast<LPTSTR>(m_pszProfileName));
    m_pszProfileName = DuplicateProfileText(m_pszAppName);
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    CString strKey;
    strKey.LoadString(nIDRegistryKey);
    SetRegistryKey(strKey);
}

HKEY CWinApp::GetAppRegistryKey()
{
    if (m_pszRegistryKey == NULL || m_pszProfileName == NULL)
        return NULL;
    CString strPath = CString(L"Software\\") + m_pszRegistryKey + L"\\" + m_pszProfileName;
    return CreateProfileKey(HKEY_CURRENT_USER, strPath);
}

HKEY CWinApp::GetSectionKey(LPCTSTR lpszSection)
{
    CRegKey appKey;
    appKey.Attach(GetAppRegistryKey());
    return CreateProfileKey(appKey, lpszSection);
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    if (m_pszRegistryKey == NULL)
        return ::GetPrivateProfileIntW(lpszSection, lpszEntry, nDefault, m_pszProfileName);
    CRegKey sectionKey;
    sectionKey.Attach(GetSectionKey(lpszSection));
    DWORD dwType = 0;
    DWORD dwValue = 0;
    DWORD cbData = sizeof(dwValue);
    if (sectionKey == NULL ||
        ::RegQueryValueExW(sectionKey, lpszEntry, NULL, &dwType, reinterpret_cast<LPBYTE>(&dwValue), &cbData) !=
            ERROR_SUCCESS ||
        dwType != REG_DWORD || cbData != sizeof(dwValue))
        return static_cast<UINT>(nDefault);
    return dwValue;
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    if (m_pszRegistryKey == NULL)
    {
        CString strValue;
        strValue.Format(L"%d", nValue);
        return ::WritePrivateProfileStringW(lpszSection, lpszEntry, strValue, m_pszProfileName);
    }
    CRegKey sectionKey;
    sectionKey.Attach(GetSectionKey(lpszSection));
    DWORD dwValue = static_cast<DWORD>(nValue);
    return SetProfileValue(sectionKey, lpszEntry, REG_DWORD, &dwValue, sizeof(dwValue));
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    if (m_pszRegistryKey == NULL)
        return ReadIniString(m_pszProfileName, lpszSection, lpszEntry, lpszDefault);
    CRegKey sectionKey;
    sectionKey.Attach(GetSectionKey(lpszSection));
    return ReadRegistryString(sectionKey, lpszEntry, lpszDefault);
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    if (m_pszRegistryKey == NULL)
        return ::WritePrivateProfileStringW(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
    if (lpszEntry == NULL)
    {
        CRegKey appKey;
        appKey.Attach(GetAppRegistryKey());
        return appKey != NULL && appKey.RecurseDeleteKey(lpszSection) == ERROR_SUCCESS;
    }
    CRegKey sectionKey;
    sectionKey.Attach(GetSectionKey(lpszSection));
    if (lpszValue == NULL)
        return sectionKey != NULL && sectionKey.DeleteValue(lpszEntry) == ERROR_SUCCESS;
    DWORD cbData = static_cast<DWORD>((::wcslen(lpszValue) + 1) * sizeof(WCHAR));
    return SetProfileValue(sectionKey, lpszEntry, REG_SZ, lpszValue, cbData);
}

BOOL CWinApp::GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes)
{
    *ppData = NULL;
    *pBytes = 0;
    if (m_pszRegistryKey == NULL)
        return DecodeProfileBinary(ReadIniString(m_pszProfileName, lpszSection, lpszEntry, NULL), ppData, pBytes);
    CRegKey sectionKey;
    sectionKey.Attach(GetSectionKey(lpszSection));
    DWORD dwType = 0;
    DWORD cbData = 0;
    if (sectionKey == NULL || !QueryProfileValue(sectionKey, lpszEntry, &dwType, &cbData) || dwType != REG_BINARY ||
        cbData == 0)
        return FALSE;
    std::unique_ptr<BYTE[]> pData(new BYTE[cbData]);
    if (::RegQueryValueExW(sectionKey, lpszEntry, NULL, &dwType, pData.get(), &cbData) != ERROR_SUCCESS)
        return FALSE;
    *pBytes = cbData;
    *ppData = pData.release();
    return TRUE;
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes)
{
    if (m_pszRegistryKey == NULL)
        return ::WritePrivateProfileStringW(lpszSection, lpszEntry, EncodeProfileBinary(pData, nBytes),
                                           m_pszProfileName);
    CRegKey sectionKey;
    sectionKey.Attach(GetSectionKey(lpszSection));
    return SetProfileValue(sectionKey, lpszEntry, REG_BINARY, pData, nBytes);
}
