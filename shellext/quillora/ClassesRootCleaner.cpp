#include "ClassesRootCleaner.h"

#include <atlregkey.h>

#include <string>

namespace
{

const wchar_t* const kDrawingExtensions[] = {L".jww", L".jwc", L".jws", L".jwk"};

bool HasNothingInside(HKEY hKey)
{
    DWORD cSubKeys = 0;
    DWORD cValues = 0;
    return ::RegQueryInfoKeyW(hKey, nullptr, nullptr, nullptr, &cSubKeys, nullptr, nullptr, &cValues, nullptr,
                              nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
           cSubKeys == 0 && cValues == 0;
}

} // namespace

void CClassesRootCleaner::DeleteAppId(LPCWSTR appId)
{
    ::RegDeleteTreeW(HKEY_CLASSES_ROOT, (std::wstring(L"AppID\\") + appId).c_str());
}

HRESULT CClassesRootCleaner::DeleteClass(const CLSID& clsid)
{
    wchar_t text[40];
    if (::StringFromGUID2(clsid, text, ARRAYSIZE(text)) == 0)
        return E_UNEXPECTED;
    LONG lRes = ::RegDeleteTreeW(HKEY_CLASSES_ROOT, (std::wstring(L"CLSID\\") + text).c_str());
    return lRes == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(lRes);
}

void CClassesRootCleaner::DeleteHandlerKeys(LPCWSTR handlerKey)
{
    for (const wchar_t* extension : kDrawingExtensions)
    {
        std::wstring shellex = std::wstring(extension) + L"\\shellex";
        ::RegDeleteTreeW(HKEY_CLASSES_ROOT, (shellex + L"\\" + handlerKey).c_str());
        DeleteWhenEmpty(shellex.c_str());
        DeleteWhenEmpty(extension);
    }
}

void CClassesRootCleaner::DeleteWhenEmpty(const wchar_t* path)
{
    ATL::CRegKey key;
    if (key.Open(HKEY_CLASSES_ROOT, path, KEY_READ) != ERROR_SUCCESS)
        return;
    bool bEmpty = HasNothingInside(key);
    key.Close();
    if (bEmpty)
        ::RegDeleteKeyW(HKEY_CLASSES_ROOT, path);
}
