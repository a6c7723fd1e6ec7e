#pragma once
#include <windows.h>
#include <afxwin.h>
#include <cstdint>

// A 32-bit top-down DIB section in a memory DC, filled with a colour, whose
// pixels the test reads back as 0xRRGGBB.
class PixelCanvas {
public:
    PixelCanvas(int width, int height, uint32_t fill = 0x808080) : m_width(width), m_height(height)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        m_dc = CreateCompatibleDC(nullptr);
        m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), nullptr, 0);
        m_old = SelectObject(m_dc, m_bitmap);
        for (int i = 0; i < width * height; ++i)
            m_bits[i] = fill;
    }
    ~PixelCanvas()
    {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    PixelCanvas(const PixelCanvas&) = delete;
    PixelCanvas& operator=(const PixelCanvas&) = delete;

    CDC* Dc() const { return CDC::FromHandle(m_dc); }
    uint32_t At(int x, int y) const
    {
        GdiFlush();
        return m_bits[y * m_width + x] & 0xFFFFFF;
    }
    // Pixels in the rectangle [left, right) x [top, bottom) that are not background.
    int Ink(int left, int top, int right, int bottom, uint32_t background) const
    {
        int count = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                count += At(x, y) != background;
        return count;
    }
    int Ink(uint32_t background) const { return Ink(0, 0, m_width, m_height, background); }
    // The smallest rectangle that holds every pixel of [left, right) x
    // [top, bottom) that is not background; empty when there is none.
    RECT InkBounds(int left, int top, int right, int bottom, uint32_t background) const
    {
        RECT bounds = {right, bottom, left, top};
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                if (At(x, y) != background) {
                    bounds.left = x < bounds.left ? x : bounds.left;
                    bounds.top = y < bounds.top ? y : bounds.top;
                    bounds.right = x + 1 > bounds.right ? x + 1 : bounds.right;
                    bounds.bottom = y + 1 > bounds.bottom ? y + 1 : bounds.bottom;
                }
        return bounds;
    }

private:
    int m_width, m_height;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    uint32_t* m_bits = nullptr;
};
