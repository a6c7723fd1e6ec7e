#pragma once
#include <windows.h>

// The class that HKEY_CLASSES_ROOT\<extension of path>\shellex\<handlerKey>
// names, as Explorer looks up its handlers. REGDB_E_CLASSNOTREG when the
// extension has no such handler.
HRESULT FindShellHandlerClass(const wchar_t* path, const wchar_t* handlerKey, CLSID* clsid);
