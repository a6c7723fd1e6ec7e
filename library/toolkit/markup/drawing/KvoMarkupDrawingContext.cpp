#include "markup/drawing/KvoMarkupDrawingContext.h"
#include <stdlib.h>
#include "markup/drawing/KvoMarkupBrush.h"
#include "markup/drawing/KvoMarkupFont.h"

CKvoMarkupDrawingContext::CKvoMarkupDrawingContext(HDC dc)
    : m_hDC(dc), m_hMeasureDC(dc), m_pFont(nullptr), m_hReplacedFont(nullptr), m_bOwnsDC(FALSE)
{
    ReadDeviceState();
}

CKvoMarkupDrawingContext::CKvoMarkupDrawingContext()
    : m_hDC(::CreateCompatibleDC(NULL)), m_hMeasureDC(m_hDC), m_pFont(nullptr), m_hReplacedFont(nullptr),
      m_bOwnsDC(TRUE)
{
    ReadDeviceState();
}

CKvoMarkupDrawingContext::~CKvoMarkupDrawingContext()
{
    SetFont(nullptr);
    if (m_bOwnsDC && m_hDC)
        ::DeleteDC(m_hDC);
}

void CKvoMarkupDrawingContext::ReadDeviceState()
{
    m_windowExtent = {1, 1};
    m_viewportExtent = {1, 1};
    m_viewportOrigin = {0, 0};
    m_clipBox = {0, 0, 0, 0};
    if (!m_hDC)
        return;
    ::GetWindowExtEx(m_hDC, &m_windowExtent);
    ::GetViewportExtEx(m_hDC, &m_viewportExtent);
    ::GetViewportOrgEx(m_hDC, &m_viewportOrigin);
    ::SetBkMode(m_hDC, TRANSPARENT);
    RefreshClipBox();
}

void CKvoMarkupDrawingContext::RefreshClipBox()
{
    if (m_hDC)
        ::GetClipBox(m_hDC, &m_clipBox);
}

BOOL CKvoMarkupDrawingContext::GetDeviceFlag() const
{
    return FALSE;
}

void CKvoMarkupDrawingContext::DrawTextLine(LPCWSTR text, int length, const POINT* point)
{
    if (m_hDC && point)
        ::ExtTextOutW(m_hDC, point->x, point->y, 0, nullptr, text, length, nullptr);
}

HFONT CKvoMarkupDrawingContext::SelectFontHandle(HFONT font)
{
    if (!m_hDC)
        return nullptr;
    HFONT previous = static_cast<HFONT>(::SelectObject(m_hDC, font));
    if (m_hMeasureDC != m_hDC)
        ::SelectObject(m_hMeasureDC, font);
    return previous;
}

void CKvoMarkupDrawingContext::SetFont(CKvoMarkupFont* font)
{
    if (!m_hDC || font == m_pFont)
        return;
    if (font) {
        HFONT previous = SelectFontHandle(font->GetHandle());
        if (!m_pFont)
            m_hReplacedFont = previous;
        font->AddRef();
    } else {
        SelectFontHandle(m_hReplacedFont);
        m_hReplacedFont = nullptr;
    }
    if (m_pFont)
        m_pFont->Release();
    m_pFont = font;
}

void CKvoMarkupDrawingContext::SetViewportOrigin(const POINT* origin)
{
    if (!m_hDC || !origin)
        return;
    m_viewportOrigin = *origin;
    ::SetViewportOrgEx(m_hDC, origin->x, origin->y, nullptr);
}

CSize CKvoMarkupDrawingContext::GetTextExtent(LPCWSTR text, int length) const
{
    SIZE size = {0, 0};
    if (m_hMeasureDC && text)
        ::GetTextExtentPoint32W(m_hMeasureDC, text, length, &size);
    return CSize(size);
}

POINT CKvoMarkupDrawingContext::PushOffset(POINT offset)
{
    POINT saved = m_viewportOrigin;
    // The origin is in device units, offsets in logical ones.
    int windowX = abs(m_windowExtent.cx), windowY = abs(m_windowExtent.cy);
    POINT origin = {
        m_viewportOrigin.x + (windowX ? ::MulDiv(offset.x, abs(m_viewportExtent.cx), windowX) : offset.x),
        m_viewportOrigin.y + (windowY ? ::MulDiv(offset.y, abs(m_viewportExtent.cy), windowY) : offset.y)};
    SetViewportOrigin(&origin);
    RefreshClipBox();
    return saved;
}

void CKvoMarkupDrawingContext::PopOffset(POINT savedOrigin)
{
    SetViewportOrigin(&savedOrigin);
    RefreshClipBox();
}

HRGN CKvoMarkupDrawingContext::SaveClip()
{
    if (!m_hDC)
        return nullptr;
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    if (!region)
        return nullptr;
    if (::GetClipRgn(m_hDC, region) == 1)
        return region;
    ::DeleteObject(region);
    return NoClipRegion();
}

void CKvoMarkupDrawingContext::IntersectClip(const RECT& rect)
{
    if (!m_hDC)
        return;
    ::IntersectClipRect(m_hDC, rect.left, rect.top, rect.right, rect.bottom);
    RefreshClipBox();
}

void CKvoMarkupDrawingContext::RestoreClip(HRGN saved)
{
    if (!m_hDC || !saved)
        return;
    if (saved == NoClipRegion()) {
        ::SelectClipRgn(m_hDC, nullptr);
    } else {
        ::ExtSelectClipRgn(m_hDC, saved, RGN_COPY);
        ::DeleteObject(saved);
    }
    RefreshClipBox();
}

void CKvoMarkupDrawingContext::FillSolidRect(const RECT& rect, COLORREF color)
{
    if (!m_hDC)
        return;
    HBRUSH brush = ::CreateSolidBrush(color);
    if (!brush)
        return;
    ::FillRect(m_hDC, &rect, brush);
    ::DeleteObject(brush);
}

void CKvoMarkupDrawingContext::FillRectangle(CKvoMarkupBrush* brush, const RECT& rect)
{
    if (brush)
        brush->FillRect(this, rect.left, rect.top, rect.right, rect.bottom);
}

void CKvoMarkupDrawingContext::DrawFrame(CKvoMarkupBrush* brush, const RECT& rect)
{
    if (!brush)
        return;
    brush->FillRect(this, rect.left, rect.top, rect.right, rect.top + 1);
    brush->FillRect(this, rect.left, rect.top, rect.left + 1, rect.bottom);
    brush->FillRect(this, rect.left, rect.bottom - 1, rect.right, rect.bottom);
    brush->FillRect(this, rect.right - 1, rect.top, rect.right, rect.bottom);
}
