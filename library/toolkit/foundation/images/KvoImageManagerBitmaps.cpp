// The image manager's bitmap services: loaders of files and resources,
// 32-bit sections, icon scaling and alpha blending.
#include "foundation/images/KvoImageManager.h"

#include <cstring>

#include "foundation/images/KvoGraphicBitmapPng.h"
#include "foundation/images/KvoImagePixels.h"

namespace {

const BYTE kKvoPngSignature[4] = {0x89, 'P', 'N', 'G'};

// The bytes of a resource; null when it is missing or cannot be locked.
const BYTE* KvoResourceBytes(HMODULE module, HRSRC resource, DWORD* size)
{
    HGLOBAL loaded = resource ? ::LoadResource(module, resource) : nullptr;
    *size = resource ? ::SizeofResource(module, resource) : 0;
    return loaded ? static_cast<const BYTE*>(::LockResource(loaded)) : nullptr;
}

// Whether a file opened at its start is a bitmap file of 32 bits a pixel:
// a 14-byte file header, then an info header whose bit count is 32.
bool KvoIsAlphaBitmapFile(CFile& file, const BYTE* start, UINT startLength)
{
    BYTE header[sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)] = {};
    std::memcpy(header, start, startLength);
    UINT rest = sizeof(header) - startLength;
    if (file.Read(header + startLength, rest) != rest || header[0] != 'B' || header[1] != 'M')
        return false;
    BITMAPINFOHEADER info;
    std::memcpy(&info, header + sizeof(BITMAPFILEHEADER), sizeof(info));
    return info.biSize >= sizeof(info) && info.biBitCount == 32;
}

}  // namespace

HBITMAP CKvoImageManager::LoadBitmapFromFile(LPCTSTR path, BOOL* alpha)
{
    if (alpha)
        *alpha = FALSE;
    CFile file;
    if (!path || !file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary))
        return nullptr;
    BYTE start[sizeof(kKvoPngSignature)] = {};
    bool alphaBitmap = false;
    try
    {
        if (file.Read(start, sizeof(start)) != sizeof(start))
            return nullptr;
        if (std::memcmp(start, kKvoPngSignature, sizeof(start)) == 0)
        {
            // A PNG whatever its name.
            file.Close();
            CKvoGraphicBitmapPng png;
            if (!png.LoadFromFile(path))
                return nullptr;
            if (alpha)
                *alpha = png.IsAlpha();
            return static_cast<HBITMAP>(png.Detach());
        }
        alphaBitmap = KvoIsAlphaBitmapFile(file, start, sizeof(start));
        file.Close();
    }
    catch (CException* e)
    {
        e->Delete();
        return nullptr;
    }
    if (alpha)
        *alpha = alphaBitmap;
    UINT flags = LR_LOADFROMFILE | LR_DEFAULTSIZE | (alphaBitmap ? LR_CREATEDIBSECTION : 0);
    return static_cast<HBITMAP>(::LoadImageW(NULL, path, IMAGE_BITMAP, 0, 0, flags));
}

HBITMAP CKvoImageManager::LoadBitmapFromResource(HMODULE module, LPCTSTR name, BOOL* alpha)
{
    if (alpha)
        *alpha = FALSE;
    if (!module)
        return nullptr;
    HRSRC png = ::FindResourceW(module, name, L"PNG");
    DWORD size = 0;
    const BYTE* bytes = KvoResourceBytes(module, png, &size);
    if (bytes && size >= sizeof(kKvoPngSignature) && std::memcmp(bytes, kKvoPngSignature, sizeof(kKvoPngSignature)) == 0)
    {
        CKvoGraphicBitmapPng bitmap;
        if (!bitmap.LoadFromResource(module, png))
            return nullptr;
        if (alpha)
            *alpha = bitmap.IsAlpha();
        return static_cast<HBITMAP>(bitmap.Detach());
    }
    bytes = KvoResourceBytes(module, ::FindResourceW(module, name, RT_BITMAP), &size);
    bool alphaBitmap = bytes && size >= sizeof(BITMAPINFOHEADER) &&
                       reinterpret_cast<const BITMAPINFOHEADER*>(bytes)->biBitCount == 32;
    if (alpha)
        *alpha = alphaBitmap;
    if (alphaBitmap)
        return LoadAlphaBitmap(module, name);
    return static_cast<HBITMAP>(::LoadImageW(module, name, IMAGE_BITMAP, 0, 0, LR_DEFAULTSIZE));
}

HBITMAP CKvoImageManager::LoadBitmapFromResource(LPCTSTR name, BOOL* alpha)
{
    return LoadBitmapFromResource(AfxGetResourceHandle(), name, alpha);
}

HBITMAP CKvoImageManager::LoadAlphaBitmap(HMODULE module, LPCTSTR name)
{
    DWORD size = 0;
    const BYTE* bytes = module ? KvoResourceBytes(module, ::FindResourceW(module, name, RT_BITMAP), &size) : nullptr;
    if (!bytes || size < sizeof(BITMAPINFOHEADER))
        return nullptr;
    BITMAPINFOHEADER header;
    std::memcpy(&header, bytes, sizeof(header));
    // The pixels follow the info header (and the three masks of a bit-field
    // bitmap); the resource must hold all of them.
    DWORD pixelsAt = header.biSize + (header.biCompression == BI_BITFIELDS ? 3 * sizeof(DWORD) : 0);
    LONG height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    if (header.biBitCount != 32 || header.biSize < sizeof(header) || header.biWidth <= 0 || height <= 0 ||
        pixelsAt > size || header.biWidth > 16384 || height > 16384)
        return nullptr;
    ULONGLONG pixelBytes = static_cast<ULONGLONG>(header.biWidth) * height * 4;
    if (pixelBytes > size - pixelsAt)
        return nullptr;
    BITMAPINFO info = {};
    info.bmiHeader = header;
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = static_cast<DWORD>(pixelBytes);
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    if (bitmap && bits)
        std::memcpy(bits, bytes + pixelsAt, static_cast<size_t>(pixelBytes));
    return bitmap;
}

HBITMAP CKvoImageManager::Create32BitDIB(HDC dc, int width, int height, void** bits)
{
    BITMAPINFO header = KvoDib32Header(width, height);
    void* pixels = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(dc, &header, DIB_RGB_COLORS, &pixels, NULL, 0);
    if (bits)
        *bits = bitmap ? pixels : nullptr;
    return bitmap;
}

HBITMAP CKvoImageManager::CopyAlphaBitmap(HBITMAP bitmap, BYTE** bits)
{
    BITMAP info = {};
    if (bits)
        *bits = nullptr;
    if (!bitmap || !::GetObjectW(bitmap, sizeof(info), &info) || info.bmBitsPixel != 32)
        return nullptr;
    int height = abs(info.bmHeight);
    void* copyBits = nullptr;
    HBITMAP copy = Create32BitDIB(NULL, info.bmWidth, height, &copyBits);
    if (!copy)
        return nullptr;
    BITMAPINFO header = KvoDib32Header(info.bmWidth, height);
    CKvoScreenDC screen;
    if (::GetDIBits(screen.m_hDC, bitmap, 0, height, copyBits, &header, DIB_RGB_COLORS) != height)
    {
        ::DeleteObject(copy);
        return nullptr;
    }
    if (bits)
        *bits = static_cast<BYTE*>(copyBits);
    return copy;
}

HICON CKvoImageManager::ScaleIcon(HICON icon, int width, int height, int newWidth)
{
    if (!icon || newWidth == 0 || width == 0)
        return nullptr;
    if (newWidth == width)
        return ::CopyIcon(icon);
    int newHeight = ::MulDiv(height, newWidth, width);
    HIMAGELIST list = ::ImageList_Create(newWidth, newHeight, ILC_COLOR32 | ILC_MASK, 1, 1);
    if (!list)
        return nullptr;
    HICON scaled = ::ImageList_ReplaceIcon(list, -1, icon) >= 0 ? ::ImageList_GetIcon(list, 0, ILD_NORMAL) : nullptr;
    ::ImageList_Destroy(list);
    return scaled;
}

HICON CKvoImageManager::ScaleIcon(HICON icon, int newWidth)
{
    CSize size = CKvoImageManagerIcon::GetIconSize(icon);
    return ScaleIcon(icon, size.cx, size.cy, newWidth);
}

BOOL CKvoImageManager::AlphaBlend(HDC dest, const CRect& destRect, HDC source, const CRect& sourceRect)
{
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    return ::AlphaBlend(dest, destRect.left, destRect.top, destRect.Width(), destRect.Height(), source,
                        sourceRect.left, sourceRect.top, sourceRect.Width(), sourceRect.Height(), blend);
}

void CKvoImageManager::TransparentBlt(HDC dest, const CRect& destRect, HDC source, const CRect& sourceRect,
                                      COLORREF transparent)
{
    ::TransparentBlt(dest, destRect.left, destRect.top, destRect.Width(), destRect.Height(), source, sourceRect.left,
                     sourceRect.top, sourceRect.Width(), sourceRect.Height(), transparent);
}
