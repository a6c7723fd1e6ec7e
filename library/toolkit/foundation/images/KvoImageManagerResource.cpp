#include "foundation/images/KvoImageManagerResource.h"

#include <cstring>
#include <vector>

#include "foundation/base/KvoSystemVersion.h"
#include "foundation/images/KvoImageManager.h"
#include "foundation/images/KvoImagePixels.h"

namespace {

// A memory DC with one bitmap selected for a scope.
class KvoStripDC
{
public:
    KvoStripDC(HBITMAP bitmap) : m_hDC(::CreateCompatibleDC(NULL)), m_old(nullptr)
    {
        if (m_hDC)
            m_old = ::SelectObject(m_hDC, bitmap);
    }
    ~KvoStripDC()
    {
        if (m_hDC)
        {
            ::SelectObject(m_hDC, m_old);
            ::DeleteDC(m_hDC);
        }
    }
    KvoStripDC(const KvoStripDC&) = delete;
    KvoStripDC& operator=(const KvoStripDC&) = delete;

    HDC m_hDC;

private:
    HGDIOBJ m_old;
};

// Whether a premultiplied icon image really uses its alpha: some alpha
// strictly between 0 and 255, or an opaque pixel after a transparent one
// (an image of only 0 and 255 in that order has a real cut-out).
bool KvoIconUsesAlpha(const std::vector<DWORD>& pixels)
{
    bool transparentSeen = false;
    for (DWORD pixel : pixels)
    {
        BYTE alpha = static_cast<BYTE>(pixel >> 24);
        if (alpha != 0 && alpha != 255)
            return true;
        if (alpha == 0)
            transparentSeen = true;
        else if (transparentSeen)
            return true;
    }
    return false;
}

}  // namespace

CKvoImageManagerResource::CKvoImageManagerResource(CKvoImageManager* manager, CSize imageSize)
    : m_manager(manager), m_imageSize(imageSize), m_strip(nullptr), m_stripBits(nullptr), m_maskStrip(nullptr),
      m_usedWidth(0)
{
}

CKvoImageManagerResource::~CKvoImageManagerResource()
{
    FreeStrips();
}

void CKvoImageManagerResource::FreeStrips()
{
    for (INT_PTR i = 0; i < m_usedSlots.GetSize(); ++i)
        delete m_usedSlots[i];
    for (INT_PTR i = 0; i < m_freeSlots.GetSize(); ++i)
        delete m_freeSlots[i];
    m_usedSlots.RemoveAll();
    m_freeSlots.RemoveAll();
    if (m_strip)
        ::DeleteObject(m_strip);
    if (m_maskStrip)
        ::DeleteObject(m_maskStrip);
    m_strip = m_maskStrip = nullptr;
    m_stripBits = nullptr;
    m_usedWidth = 0;
}

BOOL CKvoImageManagerResource::Grow()
{
    const int width = m_usedWidth + m_imageSize.cx, height = m_imageSize.cy;
    void* bits = nullptr;
    HBITMAP strip = CKvoImageManager::Create32BitDIB(NULL, width, height, &bits);
    HBITMAP mask = strip ? ::CreateBitmap(width, height, 1, 1, nullptr) : nullptr;
    if (!mask)
    {
        if (strip)
            ::DeleteObject(strip);
        return FALSE;
    }
    if (m_strip)
    {
        // Both strips are bottom-up sections of the image height.
        for (int row = 0; row < height; ++row)
            std::memcpy(static_cast<LPBYTE>(bits) + static_cast<size_t>(row) * width * 4,
                        m_stripBits + static_cast<size_t>(row) * m_usedWidth * 4, static_cast<size_t>(m_usedWidth) * 4);
        KvoStripDC from(m_maskStrip), to(mask);
        ::BitBlt(to.m_hDC, 0, 0, m_usedWidth, height, from.m_hDC, 0, 0, SRCCOPY);
        ::DeleteObject(m_strip);
        ::DeleteObject(m_maskStrip);
    }
    m_strip = strip;
    m_stripBits = static_cast<LPBYTE>(bits);
    m_maskStrip = mask;
    m_usedWidth = width;
    return TRUE;
}

KvoPackedImage* CKvoImageManagerResource::TakeSlot()
{
    KvoPackedImage* slot = nullptr;
    if (!m_freeSlots.IsEmpty())
    {
        slot = m_freeSlots[m_freeSlots.GetSize() - 1];
        m_freeSlots.RemoveAt(m_freeSlots.GetSize() - 1);
    }
    else
    {
        int left = m_usedWidth;
        if (!Grow())
            return nullptr;
        slot = new KvoPackedImage{FALSE, CRect(left, 0, left + m_imageSize.cx, m_imageSize.cy), this};
    }
    m_usedSlots.Add(slot);
    return slot;
}

void CKvoImageManagerResource::PackAlphaPixels(const BYTE* premultiplied, int left)
{
    // premultiplied holds the image's rows bottom-up, like the strip.
    for (int row = 0; row < m_imageSize.cy; ++row)
        std::memcpy(m_stripBits + (static_cast<size_t>(row) * m_usedWidth + left) * 4,
                    premultiplied + static_cast<size_t>(row) * m_imageSize.cx * 4,
                    static_cast<size_t>(m_imageSize.cx) * 4);
}

BOOL CKvoImageManagerResource::PackIconWithAlpha(HICON icon, int left)
{
    // Icons carry alpha only with the version 6 common controls.
    if (HIWORD(CKvoSystemVersion::GetComCtlVersion()) <= 5)
        return FALSE;
    ICONINFO info = {};
    if (!::GetIconInfo(icon, &info))
        return FALSE;
    CBitmap color, mask;
    color.Attach(info.hbmColor);
    mask.Attach(info.hbmMask);
    if (!info.hbmColor)
        return FALSE;
    BITMAPINFO header = KvoDib32Header(m_imageSize.cx, m_imageSize.cy);
    std::vector<DWORD> pixels(static_cast<size_t>(m_imageSize.cx) * m_imageSize.cy);
    CKvoScreenDC screen;
    if (::GetDIBits(screen.m_hDC, info.hbmColor, 0, m_imageSize.cy, pixels.data(), &header, DIB_RGB_COLORS) !=
            m_imageSize.cy ||
        !KvoIconUsesAlpha(pixels))
        return FALSE;
    for (DWORD& pixel : pixels)
    {
        DWORD alpha = pixel >> 24;
        pixel = (alpha << 24) | (((pixel >> 16) & 0xFF) * alpha / 255) << 16 |
                (((pixel >> 8) & 0xFF) * alpha / 255) << 8 | ((pixel & 0xFF) * alpha / 255);
    }
    PackAlphaPixels(reinterpret_cast<const BYTE*>(pixels.data()), left);
    return TRUE;
}

void CKvoImageManagerResource::PackIconThroughMask(HICON icon, const CRect& slot)
{
    KvoStripDC strip(m_strip), mask(m_maskStrip);
    ::PatBlt(strip.m_hDC, slot.left, 0, slot.Width(), slot.Height(), BLACKNESS);
    ::DrawIconEx(strip.m_hDC, slot.left, 0, icon, slot.Width(), slot.Height(), 0, NULL, DI_NORMAL);
    ::DrawIconEx(mask.m_hDC, slot.left, 0, icon, slot.Width(), slot.Height(), 0, NULL, DI_MASK);
    ::GdiFlush();
}

KvoPackedImage* CKvoImageManagerResource::Add(const CKvoImageManagerIconHandle& image)
{
    CSingleLock lock(&m_lock, TRUE);
    if (image.IsEmpty() || image.GetExtent() != m_imageSize || (!image.GetIcon() && !image.GetBitmap()))
        return nullptr;
    LPBYTE bits = nullptr;
    if (image.GetBitmap())
    {
        bits = image.GetBits();
        if (!bits)
            return nullptr;
    }
    KvoPackedImage* slot = TakeSlot();
    if (!slot)
        return nullptr;
    if (bits)
    {
        // Read bottom-up like the strip, whatever the bitmap's own row order.
        std::vector<DWORD> pixels(static_cast<size_t>(m_imageSize.cx) * m_imageSize.cy);
        BITMAPINFO header = KvoDib32Header(m_imageSize.cx, m_imageSize.cy);
        CKvoScreenDC screen;
        ::GetDIBits(screen.m_hDC, image.GetBitmap(), 0, m_imageSize.cy, pixels.data(), &header, DIB_RGB_COLORS);
        PackAlphaPixels(reinterpret_cast<const BYTE*>(pixels.data()), slot->rect.left);
        slot->alpha = TRUE;
    }
    else
    {
        slot->alpha = PackIconWithAlpha(image.GetIcon(), slot->rect.left);
        if (!slot->alpha)
            PackIconThroughMask(image.GetIcon(), slot->rect);
    }
    return slot;
}

void CKvoImageManagerResource::Remove(KvoPackedImage* slot)
{
    CSingleLock lock(&m_lock, TRUE);
    for (INT_PTR i = 0; i < m_usedSlots.GetSize(); ++i)
    {
        if (m_usedSlots[i] == slot)
        {
            m_usedSlots.RemoveAt(i);
            m_freeSlots.Add(slot);
            break;
        }
    }
    if (m_freeSlots.GetSize() * m_imageSize.cx == m_usedWidth)
        FreeStrips();
}

void CKvoImageManagerResource::CopyTo(CKvoImageManagerIconHandle& target, KvoPackedImage* slot)
{
    CSingleLock lock(&m_lock, TRUE);
    if (!m_strip || !slot)
        return;
    const int width = m_imageSize.cx, height = m_imageSize.cy;
    if (slot->alpha)
    {
        void* bits = nullptr;
        HBITMAP bitmap = CKvoImageManager::Create32BitDIB(NULL, width, height, &bits);
        if (!bitmap)
            return;
        for (int row = 0; row < height; ++row)
            std::memcpy(static_cast<LPBYTE>(bits) + static_cast<size_t>(row) * width * 4,
                        m_stripBits + (static_cast<size_t>(row) * m_usedWidth + slot->rect.left) * 4,
                        static_cast<size_t>(width) * 4);
        target.SetPremultipliedBitmap(bitmap, static_cast<LPBYTE>(bits));
        return;
    }
    CKvoScreenDC screen;
    CBitmap color, mask;
    if (!color.Attach(::CreateCompatibleBitmap(screen.m_hDC, width, height)) ||
        !mask.Attach(::CreateBitmap(width, height, 1, 1, nullptr)))
        return;
    {
        KvoStripDC strip(m_strip), maskStrip(m_maskStrip), colorCopy(color), maskCopy(mask);
        ::BitBlt(colorCopy.m_hDC, 0, 0, width, height, strip.m_hDC, slot->rect.left, 0, SRCCOPY);
        ::BitBlt(maskCopy.m_hDC, 0, 0, width, height, maskStrip.m_hDC, slot->rect.left, 0, SRCCOPY);
    }
    ICONINFO info = {TRUE, 0, 0, static_cast<HBITMAP>(mask.m_hObject), static_cast<HBITMAP>(color.m_hObject)};
    HICON icon = ::CreateIconIndirect(&info);
    if (icon)
        target.SetIcon(icon);
}

void CKvoImageManagerResource::Draw(CDC* dc, KvoPackedImage* slot, int x, int y, int cx, int cy, BOOL composited)
{
    CSingleLock lock(&m_lock, TRUE);
    if (!m_strip || !slot || !dc)
        return;
    const CRect source = slot->rect;
    KvoStripDC strip(m_strip);
    if (slot->alpha)
    {
        m_manager->AlphaBlend(dc->m_hDC, CRect(CPoint(x, y), CSize(cx, cy)), strip.m_hDC, source);
        return;
    }
    KvoStripDC mask(m_maskStrip);
    // Icons are mirrored like unpacked ones, composited or not.
    const bool mirrored = m_manager->IsDrawReverted(dc) != FALSE;
    if (!composited)
    {
        if (mirrored)
        {
            x += cx;
            cx = -cx;
        }
        COLORREF oldBack = ::SetBkColor(dc->m_hDC, RGB(255, 255, 255));
        COLORREF oldText = ::SetTextColor(dc->m_hDC, RGB(0, 0, 0));
        ::StretchBlt(dc->m_hDC, x, y, cx, cy, mask.m_hDC, source.left, 0, source.Width(), source.Height(), SRCAND);
        ::SetBkColor(dc->m_hDC, oldBack);
        ::SetTextColor(dc->m_hDC, oldText);
        ::StretchBlt(dc->m_hDC, x, y, cx, cy, strip.m_hDC, source.left, 0, source.Width(), source.Height(), SRCINVERT);
        return;
    }
    // Composited: the mask becomes the alpha channel of a bitmap that then
    // receives the colours, and that bitmap is blended.
    DWORD* bits = nullptr;
    CBitmap picture;
    if (cx <= 0 || cy <= 0 ||
        !picture.Attach(CKvoImageManager::Create32BitDIB(NULL, cx, cy, reinterpret_cast<void**>(&bits))))
        return;
    KvoStripDC work(static_cast<HBITMAP>(picture.m_hObject));
    ::SetBkColor(work.m_hDC, RGB(255, 255, 255));
    ::SetTextColor(work.m_hDC, RGB(0, 0, 0));
    const int left = mirrored ? cx : 0, width = mirrored ? -cx : cx;
    ::StretchBlt(work.m_hDC, left, 0, width, cy, mask.m_hDC, source.left, 0, source.Width(), source.Height(), SRCCOPY);
    ::GdiFlush();
    for (DWORD* pixel = bits; pixel < bits + cx * cy; ++pixel)
        *pixel = *pixel != 0 ? 0 : 0xFF000000;
    ::StretchBlt(work.m_hDC, left, 0, width, cy, strip.m_hDC, source.left, 0, source.Width(), source.Height(),
                 SRCINVERT);
    m_manager->AlphaBlend(dc->m_hDC, CRect(CPoint(x, y), CSize(cx, cy)), work.m_hDC, CRect(0, 0, cx, cy));
}
