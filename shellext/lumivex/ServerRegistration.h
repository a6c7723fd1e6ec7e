#pragma once
// The registry keys that make the shell's preview host use this server.
#include <windows.h>

// Writes the class, its AppID, the drawing extensions' preview-handler keys
// and the current user's preview-handler list entry. The first failure is
// the answer (HRESULT_FROM_WIN32 of the registry error).
HRESULT RegisterPreviewServer(const wchar_t* dllPath);
// Removes what registration wrote; an unregistered server answers
// HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND).
HRESULT UnregisterPreviewServer();
