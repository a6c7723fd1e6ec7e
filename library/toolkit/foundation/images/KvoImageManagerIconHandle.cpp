#include "foundation/images/KvoImageManagerIconHandle.h"

#include <cstring>

#include "foundation/base/KvoDrawHelpers.h"
#include "foundation/images/KvoIconDirectory.h"
#include "foundation/images/KvoImageManager.h"
#include "foundation/images/KvoImagePixels.h"

namespace {

CSize KvoBitmapExtent(HBITMAP bitmap)
{
    BITMAP info = {};
    if (!bitmap || !::GetObjectW(bitmap, sizeof(info), &info))
        return CSize(0, 0);
    return CSize(info.bmWidth, abs(info.bmHeight));
}

// A premultiplied copy of a 32-bit bitmap: every colour byte times its alpha
// over 255. Null for other depths or when GDI fails.
HBITMAP KvoPremultipliedCopy(HBITMAP bitmap, LPBYTE* bits)
{
    CSize size = KvoBitmapExtent(bitmap);
    BITMAP info = {};
    if (!::GetObjectW(bitmap, sizeof(info), &info) || info.bmBitsPixel != 32 || size.cx <= 0 || size.cy <= 0)
        return nullptr;
    void* copyBits = nullptr;
    HBITMAP copy = CKvoImageManager::Create32BitDIB(NULL, size.cx, size.cy, &copyBits);
    if (!copy)
        return nullptr;
    BITMAPINFO header = {};
    header.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    header.bmiHeader.biWidth = size.cx;
    header.bmiHeader.biHeight = size.cy;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    HDC screen = ::GetDC(NULL);
    int rows = ::GetDIBits(screen, bitmap, 0, size.cy, copyBits, &header, DIB_RGB_COLORS);
    ::ReleaseDC(NULL, screen);
    if (rows != size.cy)
    {
        ::DeleteObject(copy);
        return nullptr;
    }
    LPBYTE pixel = static_cast<LPBYTE>(copyBits);
    for (LONG count = size.cx * size.cy; count > 0; --count, pixel += 4)
    {
        for (int channel = 0; channel < 3; ++channel)
            pixel[channel] = static_cast<BYTE>(pixel[channel] * pixel[3] / 255);
    }
    *bits = static_cast<LPBYTE>(copyBits);
    return copy;
}

}  // namespace

CKvoImageManagerIconHandle::CKvoImageManagerIconHandle()
    : m_icon(nullptr), m_bitmap(nullptr), m_bits(nullptr), m_owns(FALSE), m_manager(nullptr), m_packed(nullptr),
      m_size(0, 0), m_packing(TRUE)
{
}

CKvoImageManagerIconHandle::CKvoImageManagerIconHandle(HICON icon, BOOL packing)
    : CKvoImageManagerIconHandle()
{
    m_icon = icon;
    m_packing = packing;
    m_size = CKvoImageManagerIcon::GetIconSize(icon);
}

CKvoImageManagerIconHandle::CKvoImageManagerIconHandle(HBITMAP bitmap)
    : CKvoImageManagerIconHandle()
{
    m_bitmap = bitmap;
    m_size = KvoBitmapExtent(bitmap);
}

CKvoImageManagerIconHandle::CKvoImageManagerIconHandle(const CKvoImageManagerIconHandle& other)
    : m_icon(other.m_icon), m_bitmap(other.m_bitmap), m_bits(other.m_bits), m_owns(FALSE),
      m_manager(other.m_manager), m_packed(other.m_packed), m_size(other.m_size), m_packing(other.m_packing)
{
}

CKvoImageManagerIconHandle& CKvoImageManagerIconHandle::operator=(const CKvoImageManagerIconHandle& other)
{
    Copy(other);
    return *this;
}

CKvoImageManagerIconHandle::~CKvoImageManagerIconHandle()
{
    Clear();
}

void CKvoImageManagerIconHandle::SetIcon(HICON icon)
{
    Clear();
    m_icon = icon;
    m_owns = TRUE;
    m_size = CKvoImageManagerIcon::GetIconSize(icon);
}

void CKvoImageManagerIconHandle::SetBitmap(HBITMAP bitmap)
{
    Clear();
    m_bitmap = bitmap;
    m_owns = TRUE;
    m_size = KvoBitmapExtent(bitmap);
}

void CKvoImageManagerIconHandle::SetPremultipliedBitmap(HBITMAP bitmap, LPBYTE bits)
{
    SetBitmap(bitmap);
    m_bits = bits;
}

void CKvoImageManagerIconHandle::Copy(const CKvoImageManagerIconHandle& source)
{
    if (&source == this)
        return;
    Clear();
    if (m_manager && !source.IsEmpty() && m_manager->IsUseResources() && source.m_packing)
    {
        CKvoImageManagerResource* strip = m_manager->GetResource(source.m_size.cx, source.m_size.cy);
        if (source.m_packed)
        {
            CKvoImageManagerIconHandle unpacked;
            source.m_packed->resource->CopyTo(unpacked, source.m_packed);
            m_packed = strip->Add(unpacked);
        }
        else
        {
            m_packed = strip->Add(source);
        }
    }
    // An image the strip cannot take keeps its own copies.
    if (!m_packed)
        TakeOwnedCopies(source);
    m_packing = source.m_packing;
    m_owns = TRUE;
    m_size = source.m_size;
}

void CKvoImageManagerIconHandle::TakeOwnedCopies(const CKvoImageManagerIconHandle& source)
{
    if (source.m_icon)
        m_icon = ::CopyIcon(source.m_icon);
    if (source.m_bitmap)
    {
        BYTE* bits = nullptr;
        m_bitmap = CKvoImageManager::CopyAlphaBitmap(source.m_bitmap, &bits);
        // Pixels copied from premultiplied ones are premultiplied already.
        m_bits = source.m_bits ? bits : nullptr;
    }
    if (source.m_packed)
        source.m_packed->resource->CopyTo(*this, source.m_packed);
}

void CKvoImageManagerIconHandle::Clear()
{
    if (m_owns)
    {
        if (m_icon)
            ::DestroyIcon(m_icon);
        if (m_bitmap)
            ::DeleteObject(m_bitmap);
        if (m_packed)
            m_packed->resource->Remove(m_packed);
    }
    m_icon = nullptr;
    m_bitmap = nullptr;
    m_bits = nullptr;
    m_packed = nullptr;
    m_owns = FALSE;
}

BOOL CKvoImageManagerIconHandle::IsEmpty() const
{
    return (!m_icon && !m_bitmap && !m_packed) || (m_size.cx == 0 && m_size.cy == 0);
}

BOOL CKvoImageManagerIconHandle::IsAlpha() const
{
    return m_bitmap != nullptr || (m_packed && m_packed->alpha);
}

LPBYTE CKvoImageManagerIconHandle::GetBits() const
{
    if (m_bits || !m_bitmap)
        return m_bits;
    LPBYTE bits = nullptr;
    HBITMAP copy = KvoPremultipliedCopy(m_bitmap, &bits);
    if (!copy)
        return nullptr;
    if (m_owns)
        ::DeleteObject(m_bitmap);
    m_bitmap = copy;
    m_bits = bits;
    m_owns = TRUE;
    return m_bits;
}

void CKvoImageManagerIconHandle::Draw(CDC* dc, CPoint point, CSize size, BOOL composited) const
{
    if (!dc || IsEmpty())
        return;
    if (m_packed)
        m_packed->resource->Draw(dc, m_packed, point.x, point.y, size.cx, size.cy, composited);
    else if (m_bitmap)
        DrawAlphaBitmap(dc, point, size);
    else
        DrawIcon(dc, point, size, composited);
}

void CKvoImageManagerIconHandle::DrawIcon(CDC* dc, CPoint point, CSize size, BOOL composited) const
{
    CKvoImageManager* manager = m_manager ? m_manager : CKvoImageManager::Instance();
    if (manager->IsDrawReverted(dc))
    {
        point.x += size.cx;
        size.cx = -size.cx;
    }
    if (!composited)
    {
        ::DrawIconEx(dc->m_hDC, point.x, point.y, m_icon, size.cx, size.cy, 0, NULL, DI_NORMAL);
        return;
    }
    // Drawn on magenta, which then becomes the transparent part.
    const DWORD magenta = 0x00FF00FF;
    int width = abs(size.cx);
    DWORD* bits = nullptr;
    CBitmap picture;
    if (width == 0 || size.cy <= 0 ||
        !picture.Attach(CKvoImageManager::Create32BitDIB(NULL, width, size.cy, reinterpret_cast<void**>(&bits))))
        return;
    std::fill(bits, bits + width * size.cy, magenta);
    CDC memory;
    if (!memory.CreateCompatibleDC(dc))
        return;
    CBitmap* old = memory.SelectObject(&picture);
    ::DrawIconEx(memory.m_hDC, size.cx < 0 ? width : 0, 0, m_icon, size.cx, size.cy, 0, NULL, DI_NORMAL);
    ::GdiFlush();
    for (DWORD* pixel = bits; pixel < bits + width * size.cy; ++pixel)
        *pixel = *pixel == magenta ? 0 : (*pixel | 0xFF000000);
    CRect target(CPoint(size.cx < 0 ? point.x + size.cx : point.x, point.y), CSize(width, size.cy));
    manager->AlphaBlend(dc->m_hDC, target, memory.m_hDC, CRect(0, 0, width, size.cy));
    memory.SelectObject(old);
}

void CKvoImageManagerIconHandle::DrawAlphaBitmap(CDC* dc, CPoint point, CSize size) const
{
    if (!GetBits())
        return;
    CSize extent = KvoBitmapExtent(m_bitmap);
    CDC memory;
    if (!memory.CreateCompatibleDC(dc))
        return;
    HGDIOBJ old = ::SelectObject(memory.m_hDC, m_bitmap);
    CKvoImageManager* manager = CKvoImageManager::Instance();
    if (point.y < 0 && size.cy == extent.cy)
    {
        // Only the rows that show: blending from a negative top is not
        // reliable everywhere.
        int visible = extent.cy + point.y;
        if (visible >= 1)
            manager->AlphaBlend(dc->m_hDC, CRect(CPoint(point.x, 0), CSize(size.cx, visible)), memory.m_hDC,
                                CRect(CPoint(0, -point.y), CSize(extent.cx, visible)));
    }
    else
    {
        manager->AlphaBlend(dc->m_hDC, CRect(point, size), memory.m_hDC, CRect(CPoint(0, 0), extent));
    }
    ::SelectObject(memory.m_hDC, old);
}

namespace {

// The colour part of a 32-bit icon image as an alpha bitmap. An icon image
// stores colour and mask heights together: the header's height is halved
// and only the colour pixels that follow the header are taken, after
// checking that the resource holds them.
HBITMAP KvoAlphaBitmapFromIconImage(const BYTE* bytes, DWORD size)
{
    BITMAPINFOHEADER header;
    std::memcpy(&header, bytes, sizeof(header));
    LONG height = header.biHeight / 2;
    if (header.biSize < sizeof(header) || header.biSize > size || header.biWidth <= 0 || height <= 0 ||
        header.biWidth > 4096 || height > 4096)
        return nullptr;
    ULONGLONG pixelBytes = static_cast<ULONGLONG>(header.biWidth) * height * 4;
    if (pixelBytes > size - header.biSize)
        return nullptr;
    void* bits = nullptr;
    HBITMAP bitmap = CKvoImageManager::Create32BitDIB(NULL, header.biWidth, height, &bits);
    if (bitmap)
        std::memcpy(bits, bytes + header.biSize, static_cast<size_t>(pixelBytes));
    return bitmap;
}

}  // namespace

BOOL CKvoImageManagerIconHandle::LoadIcon(HMODULE module, LPCTSTR name, int cx, int cy, BOOL group)
{
    // A failed load must not answer with an image held from before.
    Clear();
    if (!module)
        return FALSE;
    if (group)
    {
        KvoIconDirectory directory(module, name);
        if (directory.IsFound())
        {
            // The last entry of the size wins.
            for (int i = directory.GetCount() - 1; i >= 0; --i)
            {
                KvoIconDirectoryEntry entry = directory.GetEntry(i);
                if (entry.width == cx && entry.height == cy)
                    return LoadIcon(module, MAKEINTRESOURCE(entry.id), cx, cy, FALSE);
            }
            return FALSE;
        }
    }
    HRSRC resource = ::FindResourceW(module, name, RT_ICON);
    HGLOBAL loaded = resource ? ::LoadResource(module, resource) : nullptr;
    BYTE* bytes = loaded ? static_cast<BYTE*>(::LockResource(loaded)) : nullptr;
    DWORD size = resource ? ::SizeofResource(module, resource) : 0;
    if (!bytes || size < sizeof(BITMAPINFOHEADER))
        return FALSE;
    const WORD bitCount = reinterpret_cast<const BITMAPINFOHEADER*>(bytes)->biBitCount;
    if (bitCount == 32)
    {
        if (HBITMAP bitmap = KvoAlphaBitmapFromIconImage(bytes, size))
            SetBitmap(bitmap);
    }
    else if (HICON icon = ::CreateIconFromResourceEx(bytes, size, TRUE, 0x00030000, cx, cy, 0))
    {
        SetIcon(icon);
    }
    return !IsEmpty();
}

BOOL CKvoImageManagerIconHandle::LoadIcon(LPCTSTR name, int cx, int cy, BOOL group)
{
    return LoadIcon(AfxGetResourceHandle(), name, cx, cy, group);
}

BOOL CKvoImageManagerIconHandle::LoadBitmapResource(UINT id)
{
    Clear();
    BOOL alpha = FALSE;
    HBITMAP bitmap = CKvoImageManager::LoadBitmapFromResource(MAKEINTRESOURCEW(id & 0xFFFF), &alpha);
    if (!bitmap)
        return FALSE;
    if (alpha) {
        SetBitmap(bitmap);
        return TRUE;
    }
    HICON icon = CKvoBitmapIcon(bitmap).CreateIcon();
    ::DeleteObject(bitmap);
    if (!icon)
        return FALSE;
    SetIcon(icon);
    return TRUE;
}
