#pragma once
#include <afxwin.h>

class CKvoOffice2007Images;

// One picture of the Office 2007 theme, decoded once and kept as raw 32-bit
// pixels (rows bottom-up, as a positive-height section holds them). Its
// states are cells of one height stacked vertically; it draws any part of
// itself stretched by nine parts through its owner's scratch bitmap.
class CKvoOffice2007Image : public CCmdTarget {
public:
    // owner: the set whose lock, memory DC and scratch bitmap the drawing
    // uses; not owned.
    explicit CKvoOffice2007Image(CKvoOffice2007Images* owner);
    ~CKvoOffice2007Image() override;

    // A "PNG" resource (or a bitmap) of the module; FALSE for a null module
    // or when nothing loads. Clears what was loaded before.
    BOOL LoadFromResource(HMODULE module, LPCTSTR name);

    // Cell state of count cells: (0, state * h, width, (state + 1) * h) with
    // h = height / count; empty for a count below 1. Callers test the
    // picture LoadFile gave for null before they ask it anything.
    CRect GetSource(int state = 0, int count = 1) const;
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    CSize GetExtent() const { return CSize(m_width, m_height); }
    BOOL IsAlphaImage() const { return m_bImageAlpha; }
    BOOL HasAlpha() const { return m_bAlpha; }
    // Alpha pictures drawn into a right-to-left DC are flipped to match
    // (pictures with a direction, such as scroll arrows, ask for it).
    void SetMirrorImage(BOOL mirror) { m_bMirror = mirror; }

    // src of the picture into dest by nine parts with the sizing margins
    // (left, top, right, bottom) in source pixels.
    void DrawImagePart(CDC* dc, CRect dest, CRect src, CRect margins);
    // As DrawImagePart; a picture without alpha leaves its pixels of the
    // transparent colour (not CLR_NONE) out.
    void DrawImage(CDC* dc, CRect dest, CRect src, CRect margins, COLORREF transparent);
    // flags bit 0: the result is made opaque (alpha 255) but for the
    // transparent colour, for a glass frame that would let the black of an
    // opaque bitmap through.
    void DrawImageTransparent(CDC* dc, CRect dest, CRect src, CRect margins, COLORREF transparent, UINT flags);
    void DrawImageNoMargins(CDC* dc, CRect dest, CRect src);

    static constexpr UINT DrawOpaqueOnGlass = 1;

private:
    void FreePixels();
    BOOL CopyPixels(HBITMAP bitmap);
    // Flips the pixels when the DC's direction differs from theirs.
    void MatchDirection(CDC* dc);
    // The rows of the band into the owner's scratch bitmap, from its top.
    void CopyBandToScratch(int top, int height);

    DWORD* m_pixels;
    BOOL m_bAlpha;
    BOOL m_bImageAlpha;
    BOOL m_bMirror;
    BOOL m_bMirrored;
    int m_width;
    int m_height;
    CKvoOffice2007Images* m_owner;
};
