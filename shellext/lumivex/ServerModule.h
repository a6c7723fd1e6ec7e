#pragma once
// What the whole server shares: its class and AppID, the extensions it
// previews and the count of live objects that keeps the DLL loaded.
#include <windows.h>

extern const CLSID CLSID_LumivexPreviewHandler;
extern const wchar_t kLumivexClassText[];  // the CLSID in registry form
extern const wchar_t kLumivexAppIdText[];
extern const wchar_t* const kPreviewExtensions[4];

// Factories, handlers and server locks alive in this process.
extern LONG g_dllObjectCount;
inline void DllAddRef() { ::InterlockedIncrement(&g_dllObjectCount); }
inline void DllRelease() { ::InterlockedDecrement(&g_dllObjectCount); }
