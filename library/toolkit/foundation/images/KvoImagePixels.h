// Pixel helpers the image classes share: the screen DC for GetDIBits, the
// header of a 32-bit DIB, and the row order of a section's bits.
#pragma once
#include <afxwin.h>

// The screen's DC for one scope; m_hDC is null when Windows gives none.
class CKvoScreenDC
{
public:
    CKvoScreenDC() : m_hDC(::GetDC(NULL)) {}
    ~CKvoScreenDC()
    {
        if (m_hDC)
            ::ReleaseDC(NULL, m_hDC);
    }
    CKvoScreenDC(const CKvoScreenDC&) = delete;
    CKvoScreenDC& operator=(const CKvoScreenDC&) = delete;

    HDC m_hDC;
};

// A 32-bit BI_RGB header; a negative height makes the rows top-down.
inline BITMAPINFO KvoDib32Header(int width, int height)
{
    BITMAPINFO header = {};
    header.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    header.bmiHeader.biWidth = width;
    header.bmiHeader.biHeight = height;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    return header;
}

// The bits of a 32-bit section bitmap with the row order to read them in;
// null bits for other bitmaps.
struct KvoSectionRows
{
    LPBYTE bits;
    int width;
    int height;
    bool topDown;

    explicit KvoSectionRows(HBITMAP bitmap) : bits(nullptr), width(0), height(0), topDown(false)
    {
        DIBSECTION section = {};
        if (bitmap && ::GetObjectW(bitmap, sizeof(section), &section) == sizeof(section) &&
            section.dsBm.bmBitsPixel == 32 && section.dsBm.bmBits)
        {
            bits = static_cast<LPBYTE>(section.dsBm.bmBits);
            width = section.dsBm.bmWidth;
            height = abs(section.dsBm.bmHeight);
            topDown = section.dsBmih.biHeight < 0;
        }
    }
    // Row y counted from the image's top.
    LPBYTE Row(int y) const { return bits + static_cast<size_t>(topDown ? y : height - 1 - y) * width * 4; }
};
