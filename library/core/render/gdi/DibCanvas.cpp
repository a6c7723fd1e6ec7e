#include "render/gdi/DibCanvas.h"
#include <afxwin.h>

CDibCanvas::~CDibCanvas()
{
    DeselectBitmap();
    if (m_bitmap)
        DeleteObject(m_bitmap);
    if (m_memoryDC)
        DeleteDC(m_memoryDC);
}

// A DIB of RGB colours needs no DC, and a memory DC made without one is
// compatible with the screen: borrowing the screen's DC would cost a round
// trip to the display on every thumbnail.
CDC* CDibCanvas::Create(int width, int height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!m_bitmap)
        return nullptr;
    m_memoryDC = CreateCompatibleDC(nullptr);
    if (!m_memoryDC)
        return nullptr;
    m_oldBitmap = SelectObject(m_memoryDC, m_bitmap);
    CDC* dc = CDC::FromHandle(m_memoryDC);
    if (!dc)
        return nullptr;
    RECT all = {0, 0, width, height};
    dc->FillSolidRect(&all, dc->GetBkColor());
    return dc;
}

HBITMAP CDibCanvas::TakeBitmap()
{
    DeselectBitmap();
    HBITMAP bitmap = m_bitmap;
    m_bitmap = nullptr;
    return bitmap;
}

void CDibCanvas::DeselectBitmap()
{
    if (m_oldBitmap && m_memoryDC)
        SelectObject(m_memoryDC, m_oldBitmap);
    m_oldBitmap = nullptr;
}
