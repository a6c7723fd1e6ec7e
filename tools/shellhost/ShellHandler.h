#pragma once

#include <windows.h>

// The shell's handler keys below HKEY_CLASSES_ROOT\<extension>\shellex.
extern const wchar_t kInfoTipHandlerKey[];
extern const wchar_t kThumbnailHandlerKey[];

// Creates the handler that Explorer would create for the file: the class
// that HKCR\<extension>\shellex\<handlerKey> names, in-process, with the
// path handed over through IPersistFile::Load; then asks it for riid.
// REGDB_E_CLASSNOTREG when the extension has no such handler.
HRESULT CreateShellHandler(const wchar_t* path, const wchar_t* handlerKey, REFIID riid, void** ppv);
