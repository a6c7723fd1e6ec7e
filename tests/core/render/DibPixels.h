#pragma once
#include <windows.h>
#include <string>

// Reads a 24-bit DIB section back: rows are stored bottom-up, each pixel as
// blue, green, red.
class DibPixels {
public:
    explicit DibPixels(HBITMAP bitmap)
    {
        GdiFlush();
        m_valid = GetObjectW(bitmap, sizeof m_section, &m_section) == sizeof m_section && m_section.dsBm.bmBits &&
                  m_section.dsBmih.biBitCount == 24;
    }

    bool Valid() const { return m_valid; }
    int Width() const { return m_section.dsBm.bmWidth; }
    int Height() const { return m_section.dsBm.bmHeight; }
    int BitCount() const { return m_section.dsBmih.biBitCount; }

    COLORREF At(int x, int y) const
    {
        const BYTE* p = Row(y) + x * 3;
        return RGB(p[2], p[1], p[0]);
    }
    // Row y between x0 and x1 (excluded): '#' where the pixel is not
    // background, '.' where it is.
    std::string Ink(int y, int x0, int x1, COLORREF background) const
    {
        std::string row;
        for (int x = x0; x < x1; ++x)
            row += At(x, y) == background ? '.' : '#';
        return row;
    }
    int CountNot(COLORREF background) const
    {
        int count = 0;
        for (int y = 0; y < Height(); ++y)
            for (int x = 0; x < Width(); ++x)
                count += At(x, y) != background ? 1 : 0;
        return count;
    }

private:
    const BYTE* Row(int y) const
    {
        int stride = (Width() * 3 + 3) & ~3;
        return static_cast<const BYTE*>(m_section.dsBm.bmBits) + (Height() - 1 - y) * stride;
    }

    DIBSECTION m_section = {};
    bool m_valid = false;
};
