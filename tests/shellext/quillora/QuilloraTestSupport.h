#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ChildProcess.h"
#include "ComApartment.h"
#include "ScratchFolder.h"
#include "Utf8Text.h"

// The full path of a built module of the test's width.
std::wstring BinFile(const wchar_t* name);
// "{XXXXXXXX-...}"
std::wstring GuidText(const GUID& guid);

// regsvr32 of the test's width on a server DLL, silent.
ChildResult Regsvr32(const std::wstring& dll, bool unregister = false);

// The info-tip text the library itself gives for a drawing (empty when it
// gives none).
std::wstring LibraryInfoText(const std::wstring& drawing);

// What the library itself gives for a thumbnail of the given size.
struct LibraryImage {
    HRESULT result = E_FAIL;
    int width = 0;
    int inkPixels = 0;
};
LibraryImage LibraryThumbnail(const std::wstring& drawing, int size);

// A bitmap's size, depth and how many pixels differ from its top-left one.
struct BitmapFacts {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    int inkPixels = 0;
};
BitmapFacts FactsOf(HBITMAP bitmap);

// A drawing of each kind in a temp folder: a drawing and a symbol from the
// tests' writer, and the older formats as bare headers (files the library
// reads no further than their first bytes).
class DrawingFixtures {
public:
    DrawingFixtures();
    const std::vector<std::wstring>& Paths() const { return paths_; }
    const std::wstring& Drawing() const { return paths_.front(); }
    const ScratchFolder& Folder() const { return folder_; }

private:
    ScratchFolder folder_;
    std::vector<std::wstring> paths_;
};
