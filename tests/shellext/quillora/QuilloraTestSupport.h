#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ChildProcess.h"
#include "TempFolder.h"

// The full path of a built module of the test's width.
std::wstring BinFile(const wchar_t* name);
// "{XXXXXXXX-...}"
std::wstring GuidText(const GUID& guid);
std::string Utf8(const std::wstring& text);

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

// A single-threaded apartment for the test's thread.
class ComApartment {
public:
    ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComApartment()
    {
        if (SUCCEEDED(result_))
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    HRESULT result_;
};

// A drawing of each kind in a temp folder: a drawing and a symbol from the
// tests' writer, and the older formats as bare headers (files the library
// reads no further than their first bytes).
class DrawingFixtures {
public:
    DrawingFixtures();
    const std::vector<std::wstring>& Paths() const { return paths_; }
    const std::wstring& Drawing() const { return paths_.front(); }
    const TempFolder& Folder() const { return folder_; }

private:
    TempFolder folder_;
    std::vector<std::wstring> paths_;
};

// The sample drawings of ../shared/samples; empty when the folder is missing.
std::vector<std::wstring> SampleDrawings();
