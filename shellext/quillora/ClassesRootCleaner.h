// Takes the server's keys out of HKEY_CLASSES_ROOT (the registry view of the
// server's own width).
#pragma once

#include <windows.h>

class CClassesRootCleaner
{
public:
    // "AppID\{appid}" with its subtree.
    static void DeleteAppId(LPCWSTR appId);
    // "CLSID\{clsid}" with its subtree: S_OK, or the registry's error as an
    // HRESULT.
    static HRESULT DeleteClass(const CLSID& clsid);
    // For each drawing extension: "<ext>\shellex\<handlerKey>" with its
    // subtree, then "<ext>\shellex" and "<ext>" when nothing else is left in
    // them (no values, no subkeys), so an extension key that carries another
    // program's file association stays.
    static void DeleteHandlerKeys(LPCWSTR handlerKey);

private:
    static void DeleteWhenEmpty(const wchar_t* path);
};
