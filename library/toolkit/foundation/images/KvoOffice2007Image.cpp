#include "foundation/images/KvoOffice2007Image.h"

#include "foundation/images/KvoImageManager.h"
#include "foundation/images/KvoOffice2007Images.h"
#include "foundation/images/KvoOffice2007NinePart.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

const int Office2007ScratchSide = 512;

// A GDI object owned for one scope.
struct Office2007GdiObject {
    explicit Office2007GdiObject(HGDIOBJ object) : handle(object) {}
    ~Office2007GdiObject()
    {
        if (handle != nullptr)
            ::DeleteObject(handle);
    }
    Office2007GdiObject(const Office2007GdiObject&) = delete;
    Office2007GdiObject& operator=(const Office2007GdiObject&) = delete;
    HGDIOBJ handle;
};

// The 32-bit pixels (bottom-up) of a bitmap, through a section of its size.
bool Office2007ReadPixels(HBITMAP bitmap, int width, int height, DWORD* pixels)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = ::GetDC(nullptr);
    const int rows = ::GetDIBits(screen, bitmap, 0, height, pixels, &info, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    return rows == height;
}

// COLORREF 0x00BBGGRR as a pixel 0xAARRGGBB without alpha.
DWORD Office2007PixelOf(COLORREF colour)
{
    return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

} // namespace

CKvoOffice2007Image::CKvoOffice2007Image(CKvoOffice2007Images* owner)
    : m_pixels(nullptr), m_bAlpha(FALSE), m_bImageAlpha(FALSE), m_bMirror(FALSE), m_bMirrored(FALSE),
      m_width(0), m_height(0), m_owner(owner)
{
}

CKvoOffice2007Image::~CKvoOffice2007Image()
{
    FreePixels();
}

void CKvoOffice2007Image::FreePixels()
{
    delete[] m_pixels;
    m_pixels = nullptr;
    m_width = m_height = 0;
}

BOOL CKvoOffice2007Image::LoadFromResource(HMODULE module, LPCTSTR name)
{
    m_bAlpha = m_bImageAlpha = m_bMirror = m_bMirrored = FALSE;
    FreePixels();
    if (module == nullptr)
        return FALSE;
    BOOL alpha = FALSE;
    Office2007GdiObject bitmap(CKvoImageManager::LoadBitmapFromResource(module, name, &alpha));
    if (bitmap.handle == nullptr)
        return FALSE;
    m_bAlpha = alpha;
    return CopyPixels(static_cast<HBITMAP>(bitmap.handle));
}

BOOL CKvoOffice2007Image::CopyPixels(HBITMAP bitmap)
{
    BITMAP header = {};
    if (!::GetObjectW(bitmap, sizeof(header), &header) || header.bmWidth <= 0 || header.bmHeight <= 0)
        return FALSE;
    const int width = header.bmWidth, height = std::abs(header.bmHeight);
    std::unique_ptr<DWORD[]> pixels(new DWORD[static_cast<size_t>(width) * height]);
    if (m_bAlpha) {
        if (!Office2007ReadPixels(bitmap, width, height, pixels.get()))
            return FALSE;
    } else {
        // Whatever the bitmap's format, DrawState renders it into 32 bits.
        void* bits = nullptr;
        Office2007GdiObject section(CKvoImageManager::Create32BitDIB(nullptr, width, height, &bits));
        if (section.handle == nullptr)
            return FALSE;
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        HGDIOBJ replaced = ::SelectObject(dc.m_hDC, section.handle);
        ::DrawStateW(dc.m_hDC, nullptr, nullptr, reinterpret_cast<LPARAM>(bitmap), 0, 0, 0, width, height,
                     DST_BITMAP | DSS_NORMAL);
        ::SelectObject(dc.m_hDC, replaced);
        ::GdiFlush();
        std::copy_n(static_cast<const DWORD*>(bits), static_cast<size_t>(width) * height, pixels.get());
    }
    m_pixels = pixels.release();
    m_width = width;
    m_height = height;
    return TRUE;
}

CRect CKvoOffice2007Image::GetSource(int state, int count) const
{
    if (count <= 0)
        return CRect(0, 0, 0, 0);
    const int cellHeight = m_height / count;
    return CRect(0, state * cellHeight, m_width, (state + 1) * cellHeight);
}

void CKvoOffice2007Image::MatchDirection(CDC* dc)
{
    const BOOL rightToLeft = (::GetLayout(dc->GetSafeHdc()) & LAYOUT_RTL) != 0;
    if (!m_bMirror || !m_bAlpha || rightToLeft == m_bMirrored)
        return;
    for (int row = 0; row < m_height; ++row)
        std::reverse(m_pixels + static_cast<size_t>(row) * m_width, m_pixels + static_cast<size_t>(row + 1) * m_width);
    m_bMirrored = !m_bMirrored;
}

void CKvoOffice2007Image::CopyBandToScratch(int top, int height)
{
    // Both are bottom-up: picture row y lives at (m_height - 1 - y), scratch
    // row r at (side - 1 - r).
    ::GdiFlush();
    for (int row = 0; row < height; ++row) {
        const DWORD* from = m_pixels + static_cast<size_t>(m_height - 1 - (top + row)) * m_width;
        DWORD* to = m_owner->m_scratchBits + static_cast<size_t>(Office2007ScratchSide - 1 - row) * Office2007ScratchSide;
        std::copy_n(from, m_width, to);
    }
}

void CKvoOffice2007Image::DrawImagePart(CDC* dc, CRect dest, CRect src, CRect margins)
{
    if (m_pixels == nullptr || m_owner == nullptr || dc == nullptr)
        return;
    CSingleLock lock(&m_owner->m_lock, TRUE);
    if (src.Height() < margins.top + margins.bottom || dest.IsRectEmpty())
        return;
    MatchDirection(dc);
    // The scratch bitmap is the only room the pieces are drawn from.
    if (m_width > Office2007ScratchSide || m_height > Office2007ScratchSide || m_owner->m_scratchBits == nullptr)
        return;
    // Only the picture's own pixels are copied into the scratch bitmap.
    src.IntersectRect(src, CRect(0, 0, m_width, m_height));
    if (src.IsRectEmpty())
        return;
    CopyBandToScratch(src.top, src.Height());
    src.OffsetRect(0, -src.top);

    const bool rightToLeft = m_bAlpha && (::GetLayout(dc->GetSafeHdc()) & LAYOUT_RTL) != 0;
    CKvoOffice2007NinePart::Piece pieces[9];
    const int count = CKvoOffice2007NinePart::Layout(dest, src, margins, rightToLeft, pieces);

    CKvoOffice2007Images::CBitmapDC& source = m_owner->m_dc;
    source.SelectBitmap(m_owner->m_scratch);
    const int oldMode = dc->SetStretchBltMode(COLORONCOLOR);
    for (int i = 0; i < count; ++i) {
        const CRect& to = pieces[i].dest;
        const CRect& from = pieces[i].src;
        if (m_bAlpha)
            CKvoImageManager::Instance()->AlphaBlend(dc->GetSafeHdc(), to, source.GetSafeHdc(), from);
        else if (to.Size() == from.Size())
            dc->BitBlt(to.left, to.top, to.Width(), to.Height(), &source, from.left, from.top, SRCCOPY);
        else
            dc->StretchBlt(to.left, to.top, to.Width(), to.Height(), &source, from.left, from.top, from.Width(),
                           from.Height(), SRCCOPY);
    }
    dc->SetStretchBltMode(oldMode);
    source.RestoreBitmap();
}

void CKvoOffice2007Image::DrawImage(CDC* dc, CRect dest, CRect src, CRect margins, COLORREF transparent)
{
    if (m_pixels == nullptr || dc == nullptr || margins.top + margins.bottom > src.Height())
        return;
    if (m_bAlpha || transparent == CLR_NONE || dest.IsRectEmpty()) {
        DrawImagePart(dc, dest, src, margins);
        return;
    }
    // Composed on a ground of the transparent colour, then copied without it.
    const CRect local(0, 0, dest.Width(), dest.Height());
    CDC composed;
    composed.CreateCompatibleDC(dc);
    Office2007GdiObject bitmap(::CreateCompatibleBitmap(dc->GetSafeHdc(), local.Width(), local.Height()));
    if (bitmap.handle == nullptr)
        return;
    HGDIOBJ replaced = ::SelectObject(composed.m_hDC, bitmap.handle);
    composed.FillSolidRect(local, transparent);
    DrawImagePart(&composed, local, src, margins);
    CKvoImageManager::Instance()->TransparentBlt(dc->GetSafeHdc(), dest, composed.GetSafeHdc(), local, transparent);
    ::SelectObject(composed.m_hDC, replaced);
}

void CKvoOffice2007Image::DrawImageTransparent(CDC* dc, CRect dest, CRect src, CRect margins, COLORREF transparent,
                                               UINT flags)
{
    if ((flags & DrawOpaqueOnGlass) == 0) {
        DrawImage(dc, dest, src, margins, transparent);
        return;
    }
    if (m_pixels == nullptr || dc == nullptr || dest.IsRectEmpty())
        return;
    if (m_bAlpha) {
        DrawImagePart(dc, dest, src, margins);
        return;
    }
    const CRect local(0, 0, dest.Width(), dest.Height());
    void* bits = nullptr;
    Office2007GdiObject section(CKvoImageManager::Create32BitDIB(nullptr, local.Width(), local.Height(), &bits));
    if (section.handle == nullptr)
        return;
    CDC composed;
    composed.CreateCompatibleDC(dc);
    HGDIOBJ replaced = ::SelectObject(composed.m_hDC, section.handle);
    if (transparent != CLR_NONE)
        composed.FillSolidRect(local, transparent);
    DrawImagePart(&composed, local, src, margins);
    ::GdiFlush();
    const DWORD clear = Office2007PixelOf(transparent);
    DWORD* pixel = static_cast<DWORD*>(bits);
    for (size_t i = 0, n = static_cast<size_t>(local.Width()) * local.Height(); i < n; ++i)
        pixel[i] = (pixel[i] & 0x00FFFFFF) == clear ? 0 : (pixel[i] | 0xFF000000);
    CKvoImageManager::Instance()->AlphaBlend(dc->GetSafeHdc(), dest, composed.GetSafeHdc(), local);
    ::SelectObject(composed.m_hDC, replaced);
}

void CKvoOffice2007Image::DrawImageNoMargins(CDC* dc, CRect dest, CRect src)
{
    DrawImagePart(dc, dest, src, CRect(0, 0, 0, 0));
}
