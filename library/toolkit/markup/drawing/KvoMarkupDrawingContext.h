#pragma once
#include <afxwin.h>

class CKvoMarkupBrush;
class CKvoMarkupFont;

// What markup draws and measures through, for one layout or paint pass: a
// device context whose viewport origin moves to each element in turn, the
// clip box in the current element's coordinates, and the DC that measures
// text (the target itself).
class CKvoMarkupDrawingContext {
public:
    // Draws on dc (not owned: the caller keeps it).
    explicit CKvoMarkupDrawingContext(HDC dc);
    // Measures on a memory DC compatible with the screen, owned here.
    CKvoMarkupDrawingContext();
    CKvoMarkupDrawingContext(const CKvoMarkupDrawingContext&) = delete;
    CKvoMarkupDrawingContext& operator=(const CKvoMarkupDrawingContext&) = delete;
    virtual ~CKvoMarkupDrawingContext();

    // TRUE for a device that needs every measure redone and gradients one
    // pixel wider than the clip; the screen never does.
    virtual BOOL GetDeviceFlag() const;
    virtual void DrawTextLine(LPCWSTR text, int length, const POINT* point);
    // Selects font into the target (and a separate measuring DC); the font
    // the target had before.
    virtual HFONT SelectFontHandle(HFONT font);
    virtual void SetViewportOrigin(const POINT* origin);

    // Selects font (null: the font the DC had before the first SetFont);
    // the context holds a reference on the selected font.
    void SetFont(CKvoMarkupFont* font);

    HDC GetSafeHdc() const { return m_hDC; }
    CSize GetTextExtent(LPCWSTR text, int length) const;

    // Moves the origin by offset (logical units) and answers the origin as
    // it was, for PopOffset.
    POINT PushOffset(POINT offset);
    void PopOffset(POINT savedOrigin);
    POINT GetViewportOrigin() const { return m_viewportOrigin; }
    // The visible part of the DC in the current logical coordinates.
    const RECT& GetClipBox() const { return m_clipBox; }

    // The DC's clip region as it is now (the caller hands it back to
    // RestoreClip, which frees it), or NoClipRegion when it has none.
    HRGN SaveClip();
    void IntersectClip(const RECT& rect);
    void RestoreClip(HRGN saved);
    static HRGN NoClipRegion() { return reinterpret_cast<HRGN>(static_cast<INT_PTR>(-1)); }

    void FillSolidRect(const RECT& rect, COLORREF color);
    void FillRectangle(CKvoMarkupBrush* brush, const RECT& rect);
    // A one-pixel frame just inside rect: top, left, bottom, right strips.
    void DrawFrame(CKvoMarkupBrush* brush, const RECT& rect);

private:
    void ReadDeviceState();
    void RefreshClipBox();

    HDC m_hDC;
    HDC m_hMeasureDC;
    CKvoMarkupFont* m_pFont;
    // Selected again when the font is reset.
    HFONT m_hReplacedFont;
    SIZE m_windowExtent;
    SIZE m_viewportExtent;
    POINT m_viewportOrigin;
    RECT m_clipBox;
    BOOL m_bOwnsDC;
};
