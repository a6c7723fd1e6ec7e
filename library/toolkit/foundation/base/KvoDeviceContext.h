#pragma once
#include <afxwin.h>

// Scoped device-context objects: each selects something into a DC for one
// block and puts back what was there when it goes.

// A bitmap selected into a DC.
class CKvoBitmapDC {
public:
    CKvoBitmapDC(CDC* dc, CBitmap* bitmap);
    virtual ~CKvoBitmapDC();

private:
    HDC m_hDC;
    HGDIOBJ m_oldBitmap;
};

// A font, and optionally a text colour, selected into a DC. The first font
// and colour it replaced are the ones put back.
class CKvoFontDC {
public:
    explicit CKvoFontDC(CDC* dc, CFont* font = NULL);
    CKvoFontDC(CDC* dc, CFont* font, COLORREF textColor);
    virtual ~CKvoFontDC();

    void SetFont(CFont* font);
    void SetColor(COLORREF textColor);

private:
    CDC* m_pDC;
    HGDIOBJ m_oldFont;
    COLORREF m_oldTextColor; // KVO_COLOR_NONE while none was replaced
};

// A solid one-pixel pen of a colour (owned), or a given pen, selected.
class CKvoPenDC {
public:
    CKvoPenDC(HDC dc, COLORREF color);
    CKvoPenDC(CDC* dc, CPen* pen);
    virtual ~CKvoPenDC();

    // Replaces the selected pen by a new solid one-pixel pen of the colour.
    void SetColor(COLORREF color);

private:
    void Select(HGDIOBJ pen);

    CPen m_pen;
    HDC m_hDC;
    HGDIOBJ m_oldPen;
};

// A solid brush of a colour, owned and selected.
class CKvoBrushDC {
public:
    CKvoBrushDC(HDC dc, COLORREF color);
    virtual ~CKvoBrushDC();

private:
    CBrush m_brush;
    HDC m_hDC;
    HGDIOBJ m_oldBrush;
};

// A memory DC compatible with a DC (the screen for NULL) with a bitmap
// (not owned) selected.
class CKvoCompatibleDC : public CDC {
public:
    CKvoCompatibleDC(CDC* dc, HBITMAP bitmap);
    CKvoCompatibleDC(CDC* dc, CBitmap* bitmap);
    ~CKvoCompatibleDC() override;

private:
    HGDIOBJ m_oldBitmap;
};

// An off-screen buffer in the target's own coordinates: drawing goes into a
// bitmap that spans from (0, 0) to the rectangle's far corner, and only the
// rectangle is copied to the same place in the target when the buffer goes.
class CKvoBufferDC : public CDC {
public:
    CKvoBufferDC(HDC target, const RECT& rect);
    // The paint rectangle of a WM_PAINT, also set as the buffer's clip
    // region.
    explicit CKvoBufferDC(CPaintDC& paintDC);
    ~CKvoBufferDC() override;

    // The target (not owned).
    HDC GetTargetDC() const { return m_hTargetDC; }

private:
    void CreateBuffer(int width, int height);

    HDC m_hTargetDC;
    CBitmap m_bitmap;
    CRect m_rect;
    HGDIOBJ m_oldBitmap;
};
