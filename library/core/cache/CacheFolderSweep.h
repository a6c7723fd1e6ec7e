#pragma once
#include <atlstr.h>

// The daily sweep of a cache folder (a path ending in a backslash). The
// modification time of its marker file (the info cache file) tells when the
// folder was last swept: once that is a day old, every file of the folder
// that is itself a day old and does not end in ".dat" is deleted, and the
// marker's time becomes now. Nothing happens without the marker, within a
// day of the last sweep, or when the folder is not the library's own (owned
// false). True when it swept.
bool SweepCacheFolder(const CStringW& folder, const wchar_t* markerName, bool owned);
