#include "ShellHandlerClass.h"

#include <shlwapi.h>

#include <string>

HRESULT FindShellHandlerClass(const wchar_t* path, const wchar_t* handlerKey, CLSID* clsid)
{
    std::wstring keyPath = std::wstring(::PathFindExtensionW(path)) + L"\\shellex\\" + handlerKey;
    wchar_t text[40];
    DWORD bytes = sizeof(text);
    if (::RegGetValueW(HKEY_CLASSES_ROOT, keyPath.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, text, &bytes) !=
        ERROR_SUCCESS)
        return REGDB_E_CLASSNOTREG;
    return ::CLSIDFromString(text, clsid);
}
