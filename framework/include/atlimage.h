// CImage: one bitmap, a DIB section when made or loaded here, with a memory
// DC to draw into it. Images are decoded by the system's imaging component
// (WIC); an image with transparency loads as 32 bits per pixel with the
// file's alpha (not premultiplied), any other as 24 bits. Loaded images are
// top-down; Create follows the sign of the height it is given.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <atlbase.h>

namespace ATL
{

class CImage
{
public:
    enum DIBOrientation
    {
        DIBOR_DEFAULT,
        DIBOR_BOTTOMUP,
        DIBOR_TOPDOWN
    };
    // Create flag: the 32-bit pixels carry alpha, so Draw blends them.
    static const DWORD createAlphaChannel = 0x01;

    CImage() noexcept;
    ~CImage() noexcept;
    CImage(const CImage&) = delete;
    CImage& operator=(const CImage&) = delete;

    operator HBITMAP() const noexcept
    {
        return m_hBitmap;
    }
    bool IsNull() const noexcept
    {
        return m_hBitmap == NULL;
    }

    // Takes over hBitmap (the image held before is destroyed). The
    // orientation of a DIB section comes from the sign of its header's
    // height unless given; GDI may report that height positive for a
    // top-down section, so a caller who knows better says so.
    void Attach(HBITMAP hBitmap, DIBOrientation eOrientation = DIBOR_DEFAULT) noexcept;
    // Gives the bitmap up, leaving the image empty; its DC goes with it.
    HBITMAP Detach() noexcept;
    void Destroy() noexcept;

    // A DIB section of 24 or 32 bits per pixel, zero-filled; a negative
    // height makes it top-down. createAlphaChannel needs 32 bits.
    BOOL Create(int nWidth, int nHeight, int nBPP, DWORD dwFlags = 0) noexcept;
    // Decode the first frame of an image file or stream; on failure the
    // image is empty and the decoder's error is returned.
    HRESULT Load(LPCTSTR pszFileName) noexcept;
    HRESULT Load(IStream* pStream) noexcept;

    // A memory DC with the bitmap selected. Calls nest: each GetDC needs a
    // ReleaseDC, and the last one deselects the bitmap and deletes the DC.
    HDC GetDC() const noexcept;
    void ReleaseDC() const noexcept;

    int GetWidth() const noexcept
    {
        return m_nWidth;
    }
    int GetHeight() const noexcept
    {
        return m_nHeight;
    }
    int GetBPP() const noexcept
    {
        return m_nBPP;
    }
    // Bytes from one row to the next one down: negative for a bottom-up
    // image. NULL bits and 0 for a bitmap that is not a DIB section.
    int GetPitch() const noexcept
    {
        return m_nPitch;
    }
    // The top-left pixel; rows follow at GetPitch bytes.
    void* GetBits() noexcept
    {
        return m_pBits;
    }
    const void* GetBits() const noexcept
    {
        return m_pBits;
    }

    // StretchBlt (SRCCOPY), or an AlphaBlend of premultiplied pixels when
    // the image has an alpha channel.
    BOOL Draw(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight, int xSrc, int ySrc,
              int nSrcWidth, int nSrcHeight) const noexcept;
    BOOL Draw(HDC hDestDC, int xDest, int yDest) const noexcept;
    BOOL Draw(HDC hDestDC, const RECT& rectDest) const noexcept;
    // AlphaBlend with the constant alpha bSrcAlpha; the pixels' own alpha
    // (premultiplied) counts too when the image has an alpha channel.
    BOOL AlphaBlend(HDC hDestDC, int xDest, int yDest, BYTE bSrcAlpha = 0xFF, BYTE bBlendOp = AC_SRC_OVER) const
        noexcept;
    BOOL AlphaBlend(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight, int xSrc, int ySrc,
                    int nSrcWidth, int nSrcHeight, BYTE bSrcAlpha = 0xFF, BYTE bBlendOp = AC_SRC_OVER) const
        noexcept;

private:
    void ReleaseAllDCs() const noexcept;
    void Forget() noexcept;

    HBITMAP m_hBitmap;
    void* m_pBits;
    int m_nWidth;
    int m_nHeight;
    int m_nPitch;
    int m_nBPP;
    bool m_bHasAlphaChannel;
    mutable HDC m_hDC;
    mutable HGDIOBJ m_hOldBitmap;
    mutable int m_nDCRefCount;
};

} // namespace ATL

using namespace ATL;
