#pragma once
#include <windows.h>

class CDC;

// A 24-bit DIB section selected into a memory DC compatible with the screen;
// what the thumbnail and the preview draw into. Everything the canvas made
// goes with it, except a bitmap handed out with TakeBitmap.
class CDibCanvas {
public:
    CDibCanvas() = default;
    ~CDibCanvas();
    CDibCanvas(const CDibCanvas&) = delete;
    CDibCanvas& operator=(const CDibCanvas&) = delete;

    // Makes a width x height canvas filled with the DC's background colour
    // (white) and returns the class library's temporary object for its
    // memory DC; null on any failure (what was made so far stays and goes
    // with the canvas).
    CDC* Create(int width, int height);
    // The bitmap, taken out of the DC and the canvas: the caller owns it.
    // Null when there is none.
    HBITMAP TakeBitmap();

    HDC m_memoryDC = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;

private:
    void DeselectBitmap();
};
