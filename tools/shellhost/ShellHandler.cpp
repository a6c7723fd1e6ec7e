#include "ShellHandler.h"

#include <atlbase.h>
#include <atlregkey.h>
#include <shlwapi.h>

#include <string>

const wchar_t kInfoTipHandlerKey[] = L"{00021500-0000-0000-C000-000000000046}";
const wchar_t kThumbnailHandlerKey[] = L"{BB2E617C-0920-11d1-9A0B-00C04FC2D6C1}";

namespace
{

HRESULT FindHandlerClass(const wchar_t* path, const wchar_t* handlerKey, CLSID* clsid)
{
    std::wstring keyPath = std::wstring(::PathFindExtensionW(path)) + L"\\shellex\\" + handlerKey;
    ATL::CRegKey key;
    if (key.Open(HKEY_CLASSES_ROOT, keyPath.c_str(), KEY_READ) != ERROR_SUCCESS)
        return REGDB_E_CLASSNOTREG;
    wchar_t text[40];
    ULONG cchText = ARRAYSIZE(text);
    if (key.QueryStringValue(nullptr, text, &cchText) != ERROR_SUCCESS)
        return REGDB_E_CLASSNOTREG;
    return ::CLSIDFromString(text, clsid);
}

} // namespace

HRESULT CreateShellHandler(const wchar_t* path, const wchar_t* handlerKey, REFIID riid, void** ppv)
{
    *ppv = nullptr;
    CLSID clsid;
    HRESULT hr = FindHandlerClass(path, handlerKey, &clsid);
    ATL::CComPtr<IPersistFile> persistFile;
    if (SUCCEEDED(hr))
        hr = persistFile.CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER);
    if (SUCCEEDED(hr))
        hr = persistFile->Load(path, STGM_READ);
    if (SUCCEEDED(hr))
        hr = persistFile->QueryInterface(riid, ppv);
    return hr;
}
