#include "render/gdi/DibCanvas.h"
#include <afxwin.h>

CDibCanvas::~CDibCanvas()
{
    DeselectBitmap();
    if (m_bitmap)
        DeleteObject(m_bitmap);
    if (m_memoryDC)
        DeleteDC(m_memoryDC);
    if (m_screenDC)
        ReleaseDC(nullptr, m_screenDC);
}

CDC* CDibCanvas::Create(int width, int height)
{
    m_screenDC = GetDC(nullptr);
    if (!m_screenDC)
        return nullptr;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_bitmap = CreateDIBSection(m_screenDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!m_bitmap)
        return nullptr;
    m_memoryDC = CreateCompatibleDC(m_screenDC);
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
