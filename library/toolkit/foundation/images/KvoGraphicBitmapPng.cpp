#include "foundation/images/KvoGraphicBitmapPng.h"

#include <png.h>
#include <climits>
#include <cstdlib>

namespace {

// What a decode hands back: tightly packed 8-bit RGB or RGBA rows, top row
// first, in one malloc'd block the caller frees.
struct KvoPngPixels
{
    BYTE* pixels;
    png_uint_32 width;
    png_uint_32 height;
    int channels;
};

// libpng's read callback. libpng is C: a C++ exception must never unwind its
// frames, so CFile's exception is caught and freed here and the short read
// reported on libpng's own error path once the catch block has ended.
void PNGCBAPI KvoPngReadFromFile(png_structp png, png_bytep data, size_t length)
{
    CFile* file = static_cast<CFile*>(png_get_io_ptr(png));
    bool complete = false;
    try
    {
        complete = length <= UINT_MAX && file->Read(data, static_cast<UINT>(length)) == length;
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    if (!complete)
        png_error(png, "short read");
}

// Every libpng error ends the decode through the jump buffer set in
// KvoPngDecodeRows.
void PNGCBAPI KvoPngFail(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void PNGCBAPI KvoPngIgnoreWarning(png_structp, png_const_charp)
{
}

// The transformations that turn any PNG into 8-bit RGB or RGBA. A background
// chunk makes libpng composite onto it and drop the alpha channel.
void KvoPngSetTransformations(png_structp png, png_infop info)
{
    png_uint_32 width = 0, height = 0;
    int bitDepth = 0, colorType = 0;
    png_get_IHDR(png, info, &width, &height, &bitDepth, &colorType, nullptr, nullptr, nullptr);
    if (bitDepth == 16)
        png_set_strip_16(png);
    if (colorType == PNG_COLOR_TYPE_PALETTE)
        png_set_expand(png);
    if (bitDepth < 8)
        png_set_expand(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS))
        png_set_expand(png);
    if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    png_color_16p background = nullptr;
    if (png_get_bKGD(png, info, &background))
        png_set_background(png, background, PNG_BACKGROUND_GAMMA_FILE, 1, 1.0);
    double fileGamma = 0.0;
    if (png_get_gAMA(png, info, &fileGamma))
        png_set_gamma(png, 2.2, fileGamma);
    // png_read_image reads every pass of an interlaced image into its rows.
    png_set_interlace_handling(png);
}

// Row bytes times height of the decoded image, or 0 when it overflows or
// passes the cap (checked before anything is allocated).
size_t KvoPngImageBytes(png_structp png, png_infop info, int channels)
{
    png_uint_32 width = png_get_image_width(png, info);
    png_uint_32 height = png_get_image_height(png, info);
    size_t rowBytes = png_get_rowbytes(png, info);
    if (width == 0 || height == 0 || rowBytes != static_cast<size_t>(width) * channels)
        return 0;
    if (rowBytes > CKvoGraphicBitmapPng::kMaxImageBytes / height)
        return 0;
    // The DIB made from the rows has four bytes a pixel.
    if (static_cast<size_t>(width) * 4 > CKvoGraphicBitmapPng::kMaxImageBytes / height)
        return 0;
    return rowBytes * height;
}

// Reads header and rows. libpng leaves by longjmp on any error, so this frame
// holds no C++ object with a destructor, and what it allocates sits in
// volatile locals that the error branch frees.
bool KvoPngDecodeRows(png_structp png, png_infop info, KvoPngPixels* out)
{
    BYTE* volatile pixels = nullptr;
    png_bytep* volatile rows = nullptr;
    if (setjmp(png_jmpbuf(png)))
    {
        std::free(rows);
        std::free(pixels);
        return false;
    }
    // The caller consumed the signature.
    png_set_sig_bytes(png, 8);
    png_read_info(png, info);
    KvoPngSetTransformations(png, info);
    png_read_update_info(png, info);

    int channels = png_get_channels(png, info);
    if (png_get_bit_depth(png, info) != 8 || (channels != 3 && channels != 4))
        png_error(png, "unexpected pixel format");
    size_t imageBytes = KvoPngImageBytes(png, info, channels);
    if (imageBytes == 0)
        png_error(png, "image too large");
    png_uint_32 height = png_get_image_height(png, info);
    size_t rowBytes = imageBytes / height;
    pixels = static_cast<BYTE*>(std::malloc(imageBytes));
    rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * height));
    if (!pixels || !rows)
        png_error(png, "out of memory");
    for (png_uint_32 y = 0; y < height; ++y)
        rows[y] = pixels + y * rowBytes;
    png_read_image(png, rows);
    png_read_end(png, nullptr);

    std::free(rows);
    out->pixels = pixels;
    out->width = png_get_image_width(png, info);
    out->height = height;
    out->channels = channels;
    return true;
}

// Decodes the PNG at the file's position; false with nothing allocated on a
// wrong signature, a libpng error, a short read or an oversized image.
bool KvoPngDecode(CFile* file, KvoPngPixels* out)
{
    png_byte signature[8] = {};
    try
    {
        if (file->Read(signature, sizeof(signature)) != sizeof(signature))
            return false;
    }
    catch (CException* e)
    {
        e->Delete();
        return false;
    }
    if (png_sig_cmp(signature, 0, sizeof(signature)) != 0)
        return false;

    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, KvoPngFail, KvoPngIgnoreWarning);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info)
    {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    png_set_user_limits(png, CKvoGraphicBitmapPng::kMaxDimension, CKvoGraphicBitmapPng::kMaxDimension);
    png_set_read_fn(png, file, KvoPngReadFromFile);
    bool decoded = KvoPngDecodeRows(png, info, out);
    png_destroy_read_struct(&png, &info, nullptr);
    return decoded;
}

}  // namespace

CKvoGraphicBitmapPng::CKvoGraphicBitmapPng()
    : m_alpha(FALSE)
{
}

CKvoGraphicBitmapPng::~CKvoGraphicBitmapPng()
{
    DeleteObject();
}

void CKvoGraphicBitmapPng::Reset()
{
    DeleteObject();
    m_alpha = FALSE;
}

BOOL CKvoGraphicBitmapPng::LoadFromFile(LPCTSTR path)
{
    Reset();
    CFile file;
    if (!path || !file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary))
        return FALSE;
    return LoadFromFile(&file);
}

BOOL CKvoGraphicBitmapPng::LoadFromFile(CFile* file)
{
    Reset();
    if (!file)
        return FALSE;
    KvoPngPixels decoded = {};
    if (!KvoPngDecode(file, &decoded))
        return FALSE;
    HBITMAP bitmap = ConvertToDIB(decoded.pixels, static_cast<int>(decoded.width),
                                  static_cast<int>(decoded.height), decoded.channels);
    std::free(decoded.pixels);
    if (!bitmap || !Attach(bitmap))
    {
        if (bitmap)
            ::DeleteObject(bitmap);
        return FALSE;
    }
    m_alpha = decoded.channels == 4;
    return TRUE;
}

BOOL CKvoGraphicBitmapPng::LoadFromResource(HMODULE module, HRSRC resource)
{
    Reset();
    if (!resource)
        return FALSE;
    HGLOBAL loaded = ::LoadResource(module, resource);
    BYTE* bytes = loaded ? static_cast<BYTE*>(::LockResource(loaded)) : nullptr;
    DWORD size = ::SizeofResource(module, resource);
    // Anything shorter cannot hold a PNG signature and header.
    if (!bytes || size < 10)
        return FALSE;
    // No growth: the file only reads the resource's bytes.
    CMemFile file(bytes, size, 0);
    return LoadFromFile(&file);
}

HBITMAP CKvoGraphicBitmapPng::ConvertToDIB(const BYTE* pixels, int width, int height, int bytesPerPixel)
{
    if (!pixels || width <= 0 || height <= 0 || (bytesPerPixel != 3 && bytesPerPixel != 4) ||
        static_cast<SIZE_T>(width) * 4 > kMaxImageBytes / static_cast<SIZE_T>(height))
        return nullptr;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    if (!bitmap || !bits)
    {
        if (bitmap)
            ::DeleteObject(bitmap);
        return nullptr;
    }
    BYTE* destination = static_cast<BYTE*>(bits);
    const BYTE* source = pixels;
    for (SIZE_T pixel = 0, count = static_cast<SIZE_T>(width) * height; pixel < count; ++pixel)
    {
        destination[0] = source[2];
        destination[1] = source[1];
        destination[2] = source[0];
        destination[3] = bytesPerPixel == 4 ? source[3] : 0;
        destination += 4;
        source += bytesPerPixel;
    }
    return bitmap;
}
