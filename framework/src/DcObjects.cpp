// Selection of GDI objects into a CDC.
#include <afxwin.h>

namespace
{

HGDIOBJ HandleOf(const CGdiObject* pObject)
{
    return pObject != NULL ? pObject->m_hObject : NULL;
}

} // namespace

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject)
{
    HGDIOBJ hOldObj = NULL;
    if (m_hDC != m_hAttribDC)
        hOldObj = ::SelectObject(m_hDC, hObject);
    if (m_hAttribDC != NULL)
        hOldObj = ::SelectObject(m_hAttribDC, hObject);
    return hOldObj;
}

CGdiObject* CDC::SelectGdiObject(HGDIOBJ hObject)
{
    if (hObject == NULL)
        return NULL;
    return CGdiObject::FromHandle(SelectObject(hObject));
}

CPen* CDC::SelectObject(CPen* pPen)
{
    return static_cast<CPen*>(SelectGdiObject(HandleOf(pPen)));
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    return static_cast<CBrush*>(SelectGdiObject(HandleOf(pBrush)));
}

CFont* CDC::SelectObject(CFont* pFont)
{
    return static_cast<CFont*>(SelectGdiObject(HandleOf(pFont)));
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    return static_cast<CBitmap*>(SelectGdiObject(HandleOf(pBitmap)));
}

int CDC::SelectObject(CRgn* pRgn)
{
    HGDIOBJ hRgn = HandleOf(pRgn);
    int nRetVal = GDI_ERROR;
    if (m_hDC != m_hAttribDC)
        nRetVal = static_cast<int>(reinterpret_cast<INT_PTR>(::SelectObject(m_hDC, hRgn)));
    if (m_hAttribDC != NULL)
        nRetVal = static_cast<int>(reinterpret_cast<INT_PTR>(::SelectObject(m_hAttribDC, hRgn)));
    return nRetVal;
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject)
{
    return SelectGdiObject(HandleOf(pObject));
}

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    return SelectGdiObject(::GetStockObject(nIndex));
}

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground)
{
    HPALETTE hPalette = static_cast<HPALETTE>(HandleOf(pPalette));
    return CPalette::FromHandle(::SelectPalette(m_hDC, hPalette, bForceBackground));
}

UINT CDC::RealizePalette()
{
    return ::RealizePalette(m_hDC);
}

CPen* CDC::GetCurrentPen() const
{
    return CPen::FromHandle(static_cast<HPEN>(::GetCurrentObject(m_hDC, OBJ_PEN)));
}

CBrush* CDC::GetCurrentBrush() const
{
    return CBrush::FromHandle(static_cast<HBRUSH>(::GetCurrentObject(m_hDC, OBJ_BRUSH)));
}

CFont* CDC::GetCurrentFont() const
{
    return CFont::FromHandle(static_cast<HFONT>(::GetCurrentObject(m_hDC, OBJ_FONT)));
}

CBitmap* CDC::GetCurrentBitmap() const
{
    return CBitmap::FromHandle(static_cast<HBITMAP>(::GetCurrentObject(m_hDC, OBJ_BITMAP)));
}

CPalette* CDC::GetCurrentPalette() const
{
    return CPalette::FromHandle(static_cast<HPALETTE>(::GetCurrentObject(m_hDC, OBJ_PAL)));
}
