#include "CRegScriptRunner.h"

#include <atlregkey.h>

namespace ATL
{

namespace
{

bool IsMissing(LONG lRes)
{
    return lRes == ERROR_FILE_NOT_FOUND || lRes == ERROR_PATH_NOT_FOUND;
}

HRESULT ResultOf(LONG lRes)
{
    return lRes == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(lRes);
}

bool HasNothingLeft(HKEY hKey)
{
    DWORD cSubKeys = 0;
    DWORD cValues = 0;
    return ::RegQueryInfoKeyW(hKey, NULL, NULL, NULL, &cSubKeys, NULL, NULL, &cValues, NULL, NULL, NULL, NULL) ==
               ERROR_SUCCESS &&
           cSubKeys == 0 && cValues == 0;
}

} // namespace

HRESULT CRegScriptRunner::Register(const std::vector<RegScriptRoot>& roots)
{
    for (const RegScriptRoot& root : roots)
    {
        for (const RegScriptKey& key : root.subkeys)
        {
            HRESULT hr = RegisterKey(root.hKey, key);
            if (FAILED(hr))
                return hr;
        }
    }
    return S_OK;
}

HRESULT CRegScriptRunner::Unregister(const std::vector<RegScriptRoot>& roots)
{
    for (const RegScriptRoot& root : roots)
    {
        for (const RegScriptKey& key : root.subkeys)
        {
            HRESULT hr = UnregisterKey(root.hKey, key);
            if (FAILED(hr))
                return hr;
        }
    }
    return S_OK;
}

HRESULT CRegScriptRunner::RegisterKey(HKEY hParent, const RegScriptKey& key)
{
    if (key.mode == RegKeyMode::ForceRemove)
    {
        LONG lRes = ::RegDeleteTreeW(hParent, key.name.c_str());
        if (lRes != ERROR_SUCCESS && !IsMissing(lRes))
            return HRESULT_FROM_WIN32(lRes);
    }
    CRegKey regKey;
    LONG lRes = regKey.Create(hParent, key.name.c_str());
    if (lRes == ERROR_SUCCESS && key.hasDefault)
        lRes = regKey.SetStringValue(NULL, key.defaultText.c_str());
    for (size_t i = 0; lRes == ERROR_SUCCESS && i < key.values.size(); ++i)
        lRes = regKey.SetStringValue(key.values[i].name.c_str(), key.values[i].text.c_str());
    if (lRes != ERROR_SUCCESS)
        return HRESULT_FROM_WIN32(lRes);
    for (const RegScriptKey& subkey : key.subkeys)
    {
        HRESULT hr = RegisterKey(regKey, subkey);
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

HRESULT CRegScriptRunner::UnregisterKey(HKEY hParent, const RegScriptKey& key)
{
    if (key.mode == RegKeyMode::ForceRemove)
    {
        LONG lRes = ::RegDeleteTreeW(hParent, key.name.c_str());
        return IsMissing(lRes) ? S_OK : ResultOf(lRes);
    }
    CRegKey regKey;
    LONG lRes = regKey.Open(hParent, key.name.c_str());
    if (IsMissing(lRes))
        return S_OK;
    if (lRes != ERROR_SUCCESS)
        return HRESULT_FROM_WIN32(lRes);
    HRESULT hr = UnregisterContents(regKey, key);
    if (FAILED(hr) || key.mode == RegKeyMode::NoRemove)
        return hr;
    // A key that holds someone else's subkeys or values stays.
    bool bEmpty = HasNothingLeft(regKey);
    regKey.Close();
    return bEmpty ? ResultOf(::RegDeleteKeyW(hParent, key.name.c_str())) : S_OK;
}

// The subkeys and values that the script wrote below an existing key.
HRESULT CRegScriptRunner::UnregisterContents(HKEY hKey, const RegScriptKey& key)
{
    for (const RegScriptKey& subkey : key.subkeys)
    {
        HRESULT hr = UnregisterKey(hKey, subkey);
        if (FAILED(hr))
            return hr;
    }
    if (key.mode == RegKeyMode::NoRemove)
        return S_OK;
    LONG lRes = ERROR_SUCCESS;
    if (key.hasDefault)
        lRes = ::RegDeleteValueW(hKey, NULL);
    for (size_t i = 0; (lRes == ERROR_SUCCESS || IsMissing(lRes)) && i < key.values.size(); ++i)
        lRes = ::RegDeleteValueW(hKey, key.values[i].name.c_str());
    return IsMissing(lRes) ? S_OK : ResultOf(lRes);
}

} // namespace ATL
