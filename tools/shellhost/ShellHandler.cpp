#include "ShellHandler.h"

#include <atlbase.h>

#include "ShellHandlerClass.h"

const wchar_t kInfoTipHandlerKey[] = L"{00021500-0000-0000-C000-000000000046}";
const wchar_t kThumbnailHandlerKey[] = L"{BB2E617C-0920-11d1-9A0B-00C04FC2D6C1}";

HRESULT CreateShellHandler(const wchar_t* path, const wchar_t* handlerKey, REFIID riid, void** ppv)
{
    *ppv = nullptr;
    CLSID clsid;
    HRESULT hr = FindShellHandlerClass(path, handlerKey, &clsid);
    ATL::CComPtr<IPersistFile> persistFile;
    if (SUCCEEDED(hr))
        hr = persistFile.CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER);
    if (SUCCEEDED(hr))
        hr = persistFile->Load(path, STGM_READ);
    if (SUCCEEDED(hr))
        hr = persistFile->QueryInterface(riid, ppv);
    return hr;
}
