// What the image tests share: reading a DIB's pixels, counting the process's
// GDI objects, and a resource module made at run time.
#pragma once
#include <afxwin.h>

#include <string>
#include <vector>

#include "support/ScratchFolder.h"
#include "support/TestPaths.h"

// The pixels of a 32-bit bitmap as 0xAARRGGBB, top row first, whatever the
// section's row order; empty for other bitmaps.
inline std::vector<DWORD> ReadBitmapPixels(HBITMAP bitmap, int* width = nullptr, int* height = nullptr)
{
    BITMAP info = {};
    if (!bitmap || !::GetObjectW(bitmap, sizeof(info), &info) || info.bmBitsPixel != 32)
        return {};
    BITMAPINFO header = {};
    header.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    header.bmiHeader.biWidth = info.bmWidth;
    header.bmiHeader.biHeight = -info.bmHeight;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    std::vector<DWORD> pixels(static_cast<size_t>(info.bmWidth) * info.bmHeight);
    HDC screen = ::GetDC(NULL);
    int rows = ::GetDIBits(screen, bitmap, 0, info.bmHeight, pixels.data(), &header, DIB_RGB_COLORS);
    ::ReleaseDC(NULL, screen);
    if (rows != info.bmHeight)
        return {};
    if (width)
        *width = info.bmWidth;
    if (height)
        *height = info.bmHeight;
    return pixels;
}

// The bitmap section's own row order: TRUE when its first row in memory is
// the image's top row.
inline bool IsTopDownSection(HBITMAP bitmap)
{
    DIBSECTION section = {};
    return ::GetObjectW(bitmap, sizeof(section), &section) == sizeof(section) && section.dsBmih.biHeight < 0;
}

inline DWORD GdiObjectCount()
{
    return ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
}

// A 32-bit section bitmap of the given 0xAARRGGBB pixels, top row first,
// stored bottom-up as most bitmaps are.
inline HBITMAP MakeAlphaBitmap(int width, int height, const std::vector<DWORD>& pixels)
{
    BITMAPINFO header = {};
    header.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    header.bmiHeader.biWidth = width;
    header.bmiHeader.biHeight = height;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(NULL, &header, DIB_RGB_COLORS, &bits, NULL, 0);
    DWORD* rows = static_cast<DWORD*>(bits);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            rows[(height - 1 - y) * width + x] = pixels[static_cast<size_t>(y) * width + x];
    return bitmap;
}

// A copy of a resource-only fixture module with resources added by the test
// (UpdateResourceW), loaded as a data file while the object lives.
class TestResourceModule
{
public:
    TestResourceModule() : m_path(m_folder.Copy(BesideTestProgram(L"KvoFixtureJapanese.dll"), L"images.dll")) {}
    ~TestResourceModule()
    {
        if (m_module)
            ::FreeLibrary(m_module);
    }
    TestResourceModule(const TestResourceModule&) = delete;
    TestResourceModule& operator=(const TestResourceModule&) = delete;

    void Add(LPCWSTR type, LPCWSTR name, const void* bytes, size_t size)
    {
        m_resources.push_back({type, name, std::string(static_cast<const char*>(bytes), size)});
    }
    // Writes the added resources into the copy and loads it; null on failure.
    HMODULE Load()
    {
        HANDLE update = ::BeginUpdateResourceW(m_path.c_str(), FALSE);
        if (!update)
            return nullptr;
        for (const Resource& resource : m_resources)
            ::UpdateResourceW(update, resource.type, resource.name, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                              const_cast<char*>(resource.bytes.data()), static_cast<DWORD>(resource.bytes.size()));
        if (!::EndUpdateResourceW(update, FALSE))
            return nullptr;
        m_module = ::LoadLibraryExW(m_path.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
        return m_module;
    }

private:
    struct Resource
    {
        LPCWSTR type;
        LPCWSTR name;
        std::string bytes;
    };
    ScratchFolder m_folder;
    std::wstring m_path;
    std::vector<Resource> m_resources;
    HMODULE m_module = nullptr;
};
