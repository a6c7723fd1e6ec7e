#include "foundation/base/KvoDeviceContext.h"
#include "foundation/base/KvoPaintManagerColor.h"
#include <algorithm>

CKvoBitmapDC::CKvoBitmapDC(CDC* dc, CBitmap* bitmap) : m_hDC(dc ? dc->GetSafeHdc() : NULL), m_oldBitmap(NULL)
{
    if (m_hDC && bitmap && bitmap->GetSafeHandle())
        m_oldBitmap = ::SelectObject(m_hDC, bitmap->GetSafeHandle());
}

CKvoBitmapDC::~CKvoBitmapDC()
{
    if (m_oldBitmap)
        ::SelectObject(m_hDC, m_oldBitmap);
}

CKvoFontDC::CKvoFontDC(CDC* dc, CFont* font) : m_pDC(dc), m_oldFont(NULL), m_oldTextColor(KVO_COLOR_NONE)
{
    SetFont(font);
}

CKvoFontDC::CKvoFontDC(CDC* dc, CFont* font, COLORREF textColor) : CKvoFontDC(dc, font)
{
    SetColor(textColor);
}

CKvoFontDC::~CKvoFontDC()
{
    if (!m_pDC || !m_pDC->GetSafeHdc())
        return;
    if (m_oldFont)
        ::SelectObject(m_pDC->GetSafeHdc(), m_oldFont);
    if (m_oldTextColor != KVO_COLOR_NONE)
        m_pDC->SetTextColor(m_oldTextColor);
}

void CKvoFontDC::SetFont(CFont* font)
{
    if (!m_pDC || !m_pDC->GetSafeHdc() || !font || !font->GetSafeHandle())
        return;
    HGDIOBJ previous = ::SelectObject(m_pDC->GetSafeHdc(), font->GetSafeHandle());
    if (!m_oldFont)
        m_oldFont = previous;
}

void CKvoFontDC::SetColor(COLORREF textColor)
{
    if (!m_pDC || !m_pDC->GetSafeHdc())
        return;
    COLORREF previous = m_pDC->SetTextColor(textColor);
    if (m_oldTextColor == KVO_COLOR_NONE)
        m_oldTextColor = previous;
}

CKvoPenDC::CKvoPenDC(HDC dc, COLORREF color) : m_hDC(dc), m_oldPen(NULL)
{
    SetColor(color);
}

CKvoPenDC::CKvoPenDC(CDC* dc, CPen* pen) : m_hDC(dc ? dc->GetSafeHdc() : NULL), m_oldPen(NULL)
{
    if (pen)
        Select(pen->GetSafeHandle());
}

CKvoPenDC::~CKvoPenDC()
{
    if (m_oldPen)
        ::SelectObject(m_hDC, m_oldPen);
}

void CKvoPenDC::Select(HGDIOBJ pen)
{
    if (!m_hDC || !pen)
        return;
    HGDIOBJ previous = ::SelectObject(m_hDC, pen);
    if (!m_oldPen)
        m_oldPen = previous;
}

void CKvoPenDC::SetColor(COLORREF color)
{
    if (!m_hDC)
        return;
    // The pen in use must leave the DC before it is deleted.
    if (m_oldPen)
        ::SelectObject(m_hDC, m_oldPen);
    m_pen.DeleteObject();
    if (m_pen.CreatePen(PS_SOLID, 1, color))
        Select(m_pen.GetSafeHandle());
}

CKvoBrushDC::CKvoBrushDC(HDC dc, COLORREF color) : m_hDC(dc), m_oldBrush(NULL)
{
    if (m_hDC && m_brush.CreateSolidBrush(color))
        m_oldBrush = ::SelectObject(m_hDC, m_brush.GetSafeHandle());
}

CKvoBrushDC::~CKvoBrushDC()
{
    if (m_oldBrush)
        ::SelectObject(m_hDC, m_oldBrush);
}

CKvoCompatibleDC::CKvoCompatibleDC(CDC* dc, HBITMAP bitmap) : m_oldBitmap(NULL)
{
    if (CreateCompatibleDC(dc) && bitmap)
        m_oldBitmap = ::SelectObject(m_hDC, bitmap);
}

CKvoCompatibleDC::CKvoCompatibleDC(CDC* dc, CBitmap* bitmap)
    : CKvoCompatibleDC(dc, bitmap ? static_cast<HBITMAP>(bitmap->GetSafeHandle()) : NULL)
{
}

CKvoCompatibleDC::~CKvoCompatibleDC()
{
    if (m_oldBitmap)
        ::SelectObject(m_hDC, m_oldBitmap);
    DeleteDC();
}

CKvoBufferDC::CKvoBufferDC(HDC target, const RECT& rect) : m_hTargetDC(target), m_rect(rect), m_oldBitmap(NULL)
{
    CreateBuffer(m_rect.right, m_rect.bottom);
}

CKvoBufferDC::CKvoBufferDC(CPaintDC& paintDC)
    : m_hTargetDC(paintDC.GetSafeHdc()), m_rect(paintDC.m_ps.rcPaint), m_oldBitmap(NULL)
{
    CreateBuffer(std::max<int>(m_rect.right, 1), std::max<int>(m_rect.bottom, 1));
    if (m_hDC)
        ::IntersectClipRect(m_hDC, m_rect.left, m_rect.top, m_rect.right, m_rect.bottom);
}

void CKvoBufferDC::CreateBuffer(int width, int height)
{
    if (!m_hTargetDC || width <= 0 || height <= 0)
        return;
    HDC memory = ::CreateCompatibleDC(m_hTargetDC);
    if (!memory)
        return;
    Attach(memory);
    if (m_bitmap.Attach(::CreateCompatibleBitmap(m_hTargetDC, width, height)))
        m_oldBitmap = ::SelectObject(m_hDC, m_bitmap.GetSafeHandle());
}

CKvoBufferDC::~CKvoBufferDC()
{
    if (m_hDC && m_hTargetDC && m_oldBitmap)
        ::BitBlt(m_hTargetDC, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_hDC, m_rect.left,
                 m_rect.top, SRCCOPY);
    if (m_oldBitmap)
        ::SelectObject(m_hDC, m_oldBitmap);
    m_bitmap.DeleteObject();
    DeleteDC();
}
