#pragma once
#include <afxwin.h>

// A 32-bit top-down DIB selected into a memory DC, filled with one colour:
// the drawing helpers draw into it and the test reads the pixels back.
class DibCanvas {
public:
    DibCanvas(int width, int height, COLORREF background = 0xFFFFFF) : m_width(width), m_height(height)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        m_bitmap.Attach(::CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &bits, NULL, 0));
        m_bits = static_cast<const DWORD*>(bits);
        m_dc.CreateCompatibleDC(NULL);
        m_old = ::SelectObject(m_dc.GetSafeHdc(), m_bitmap.GetSafeHandle());
        m_dc.FillSolidRect(0, 0, width, height, background);
    }
    ~DibCanvas() { ::SelectObject(m_dc.GetSafeHdc(), m_old); }

    CDC* DC() { return &m_dc; }
    COLORREF Pixel(int x, int y) const
    {
        ::GdiFlush();
        const DWORD bgrx = m_bits[y * m_width + x];
        return RGB((bgrx >> 16) & 0xFF, (bgrx >> 8) & 0xFF, bgrx & 0xFF);
    }
    int Width() const { return m_width; }
    // For saving a picture of the canvas.
    HBITMAP Bitmap() const { return static_cast<HBITMAP>(m_bitmap.GetSafeHandle()); }
    int Height() const { return m_height; }

private:
    CBitmap m_bitmap;
    CDC m_dc;
    HGDIOBJ m_old = NULL;
    const DWORD* m_bits = nullptr;
    int m_width, m_height;
};
