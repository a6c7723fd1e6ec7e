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

// The first pixel in the section's memory, as 0xAARRGGBB: the image's top
// left pixel for a top-down section.
inline DWORD FirstPixelInMemory(HBITMAP bitmap)
{
    DIBSECTION section = {};
    if (::GetObjectW(bitmap, sizeof(section), &section) != sizeof(section) || !section.dsBm.bmBits)
        return 0;
    ::GdiFlush();
    return *static_cast<const DWORD*>(section.dsBm.bmBits);
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

// An opaque non-alpha icon: the left half in left, the right half in right;
// right == CLR_NONE leaves the right half transparent.
inline HICON MakeTwoColourIcon(int size, COLORREF left, COLORREF right)
{
    HDC screen = ::GetDC(NULL);
    HBITMAP color = ::CreateCompatibleBitmap(screen, size, size);
    HBITMAP mask = ::CreateBitmap(size, size, 1, 1, nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(memory, color);
    RECT leftHalf = {0, 0, size / 2, size}, rightHalf = {size / 2, 0, size, size};
    HBRUSH leftBrush = ::CreateSolidBrush(left);
    HBRUSH rightBrush = ::CreateSolidBrush(right == CLR_NONE ? RGB(0, 0, 0) : right);
    ::FillRect(memory, &leftHalf, leftBrush);
    ::FillRect(memory, &rightHalf, rightBrush);
    ::SelectObject(memory, mask);
    RECT whole = {0, 0, size, size};
    ::FillRect(memory, &whole, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    if (right == CLR_NONE)
        ::FillRect(memory, &rightHalf, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    ::ReleaseDC(NULL, screen);
    ::DeleteObject(leftBrush);
    ::DeleteObject(rightBrush);
    ICONINFO info = {TRUE, 0, 0, mask, color};
    HICON icon = ::CreateIconIndirect(&info);
    ::DeleteObject(color);
    ::DeleteObject(mask);
    return icon;
}

inline HICON MakeSolidIcon(int size, COLORREF color)
{
    return MakeTwoColourIcon(size, color, color);
}

// Owns an icon made by a test.
class TestIcon
{
public:
    explicit TestIcon(HICON icon) : m_icon(icon) {}
    ~TestIcon()
    {
        if (m_icon)
            ::DestroyIcon(m_icon);
    }
    TestIcon(const TestIcon&) = delete;
    TestIcon& operator=(const TestIcon&) = delete;
    operator HICON() const { return m_icon; }

private:
    HICON m_icon;
};

// A 32-bit top-down canvas filled with a background colour; draw on Dc()
// and read its pixels back as 0x00RRGGBB.
class TestCanvas
{
public:
    TestCanvas(int width, int height, COLORREF background = RGB(255, 255, 255)) : m_width(width), m_height(height)
    {
        BITMAPINFO header = {};
        header.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        header.bmiHeader.biWidth = width;
        header.bmiHeader.biHeight = -height;
        header.bmiHeader.biPlanes = 1;
        header.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        m_bitmap.Attach(::CreateDIBSection(NULL, &header, DIB_RGB_COLORS, &bits, NULL, 0));
        m_bits = static_cast<DWORD*>(bits);
        m_dc.CreateCompatibleDC(nullptr);
        m_old = m_dc.SelectObject(&m_bitmap);
        m_dc.FillSolidRect(0, 0, width, height, background);
    }
    ~TestCanvas() { m_dc.SelectObject(m_old); }

    CDC* Dc() { return &m_dc; }
    COLORREF Pixel(int x, int y)
    {
        ::GdiFlush();
        DWORD bgra = m_bits[y * m_width + x];
        return RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
    }
    HBITMAP Bitmap() const { return static_cast<HBITMAP>(m_bitmap.m_hObject); }

private:
    int m_width, m_height;
    CBitmap m_bitmap;
    CDC m_dc;
    CBitmap* m_old = nullptr;
    DWORD* m_bits = nullptr;
};
