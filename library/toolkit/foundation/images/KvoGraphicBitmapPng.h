#pragma once
#include <afxwin.h>

// A PNG image decoded into a 32-bit top-down DIB section (blue, green, red,
// alpha bytes, colours not premultiplied) that the toolkit draws with
// per-pixel alpha. Stays a plain CBitmap for its users: they select it,
// read the handle or detach it.
class CKvoGraphicBitmapPng : public CBitmap
{
public:
    CKvoGraphicBitmapPng();
    ~CKvoGraphicBitmapPng() override;

    // Every load first drops the bitmap held and clears the alpha flag; a
    // failed load leaves the object empty. Nothing is thrown to the caller.
    BOOL LoadFromFile(LPCTSTR path);
    // file: open and positioned at the PNG signature; read only.
    BOOL LoadFromFile(CFile* file);
    BOOL LoadFromResource(HMODULE module, HRSRC resource);

    // TRUE when the loaded image kept an alpha channel.
    BOOL IsAlpha() const { return m_alpha; }

    // A 32-bit top-down section of width x height from tightly packed RGB
    // (3 bytes per pixel) or RGBA (4) rows; alpha 0 for RGB. Null on failure.
    static HBITMAP ConvertToDIB(const BYTE* pixels, int width, int height, int bytesPerPixel);

    // Decoded images larger than this are refused before anything is
    // allocated, so a crafted header cannot ask for gigabytes.
    static const UINT kMaxDimension = 16384;
    static const SIZE_T kMaxImageBytes = 64u * 1024u * 1024u;

private:
    void Reset();

    BOOL m_alpha;
};
