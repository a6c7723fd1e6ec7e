#pragma once
#include <atlstr.h>

// The per-user folder of the library's own files (the info cache file, print
// settings, images taken from drawings), always ending in a backslash.
struct CacheFolder {
    CStringW path;
    // The folder exists and is the library's own "Norvane\Quillora" folder,
    // so its files may be swept. False leaves the library with a folder it
    // must not clean up (or none).
    bool owned = false;
};

// LocalLow\Norvane\Quillora\ (Windows Vista and later), or
// <temporary folder>\Norvane\Quillora\ when that cannot be made or on older
// systems; every missing folder of the chain is created.
CacheFolder GetCacheFolder();

// base + "Norvane\Quillora\" for the first base that is not empty and whose
// chain can be made; an empty base is skipped. Neither: the last path tried,
// not owned (an empty path when both bases are empty).
CacheFolder MakeCacheFolder(const CStringW& preferredBase, const CStringW& fallbackBase);

// Creates every missing folder of path (a folder path ending in a
// backslash); true when the whole chain exists as folders afterwards.
bool MakeFolderChain(const CStringW& path);
