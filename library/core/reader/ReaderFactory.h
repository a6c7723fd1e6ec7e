#pragma once
#include <windows.h>

class CInfoCacheEntry;

// The reader factory: picks the reader class by the first 20 bytes of path,
// puts a new reader into entry->doc and, when load is true, loads it
// (CInfoCacheEntry::Reload with progress). False when no reader was made (a
// missing file, one shorter than 20 bytes, an unknown signature) or the load
// could not run. A reader that was made stays in entry->doc even on failure;
// its owner deletes it.
bool OpenDrawingFile(const wchar_t* path, CInfoCacheEntry* entry, bool load, HWND progress);
