#include "foundation/images/KvoIconBitmapRecord.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "foundation/images/KvoImagePixels.h"

namespace {

// The header block with room for the largest colour table.
struct KvoRecordInfo
{
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
};

DWORD KvoColorBlockSize(WORD bitCount)
{
    if (bitCount == 4)
        return 16 * sizeof(RGBQUAD);
    if (bitCount == 8)
        return 256 * sizeof(RGBQUAD);
    return 3 * sizeof(DWORD);
}

// Bytes of the pixel rows of a DIB with this header (rows padded to 32 bits).
ULONGLONG KvoRowsSize(const BITMAPINFOHEADER& header)
{
    ULONGLONG stride = (static_cast<ULONGLONG>(header.biWidth) * header.biBitCount + 31) / 32 * 4;
    return stride * static_cast<ULONGLONG>(header.biHeight < 0 ? -header.biHeight : header.biHeight);
}

bool KvoIsRecordHeader(const BITMAPINFOHEADER& header, DWORD blockSize)
{
    static const WORD bitCounts[] = {1, 4, 8, 16, 24, 32};
    LONG height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    return header.biSize == sizeof(BITMAPINFOHEADER) &&
           blockSize == sizeof(BITMAPINFOHEADER) + KvoColorBlockSize(header.biBitCount) &&
           std::find(std::begin(bitCounts), std::end(bitCounts), header.biBitCount) != std::end(bitCounts) &&
           header.biPlanes == 1 && (header.biCompression == BI_RGB || header.biCompression == BI_BITFIELDS) &&
           header.biWidth > 0 && header.biWidth <= KvoIconBitmapRecord::kMaxDimension && height > 0 &&
           height <= KvoIconBitmapRecord::kMaxDimension;
}

void KvoReadExactly(CArchive& ar, void* target, UINT length)
{
    if (ar.Read(target, length) != length)
        AfxThrowArchiveException(CArchiveException::endOfFile);
}

}  // namespace

void KvoIconBitmapRecord::Write(CArchive& ar, HBITMAP bitmap)
{
    KvoRecordInfo info = {};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    BITMAP object = {};
    CKvoScreenDC screen;
    if (!bitmap || !::GetObjectW(bitmap, sizeof(object), &object) ||
        !::GetDIBits(screen.m_hDC, bitmap, 0, 0, nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS))
    {
        ar << static_cast<DWORD>(0);
        return;
    }
    LONG height = info.header.biHeight < 0 ? -info.header.biHeight : info.header.biHeight;
    DWORD pixelSize = info.header.biSizeImage ? info.header.biSizeImage
                                              : static_cast<DWORD>(info.header.biWidth * height * 4);
    std::vector<BYTE> pixels(std::max<ULONGLONG>(pixelSize, KvoRowsSize(info.header)));
    if (::GetDIBits(screen.m_hDC, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info),
                    DIB_RGB_COLORS) != height)
    {
        ar << static_cast<DWORD>(0);
        return;
    }
    DWORD blockSize = sizeof(BITMAPINFOHEADER) + KvoColorBlockSize(info.header.biBitCount);
    ar << blockSize;
    ar.Write(&info, blockSize);
    ar << pixelSize;
    ar.Write(pixels.data(), pixelSize);
}

HBITMAP KvoIconBitmapRecord::Read(CArchive& ar, LPBYTE* bits)
{
    if (bits)
        *bits = nullptr;
    DWORD blockSize = 0;
    ar >> blockSize;
    if (blockSize == 0)
        return nullptr;
    KvoRecordInfo info = {};
    // The block is never larger than a header with 256 colours.
    if (blockSize < sizeof(BITMAPINFOHEADER) || blockSize > sizeof(info))
        AfxThrowArchiveException(CArchiveException::badIndex);
    KvoReadExactly(ar, &info, blockSize);
    if (!KvoIsRecordHeader(info.header, blockSize))
        AfxThrowArchiveException(CArchiveException::badIndex);
    DWORD pixelSize = 0;
    ar >> pixelSize;
    const ULONGLONG rowsSize = KvoRowsSize(info.header);
    // The writer stores the header's image size, or width x height x 4 when
    // that is 0: never more than four bytes a pixel.
    const ULONGLONG largest = static_cast<ULONGLONG>(info.header.biWidth) * KvoIconBitmapRecord::kMaxDimension * 4;
    if (pixelSize > largest || (info.header.biSizeImage != 0 && info.header.biSizeImage > largest))
        AfxThrowArchiveException(CArchiveException::badIndex);
    // Read before anything is made from the header, growing with the bytes
    // that actually come.
    std::vector<BYTE> pixels;
    const UINT chunk = 64 * 1024;
    for (DWORD read = 0; read < pixelSize;)
    {
        UINT length = static_cast<UINT>(std::min<DWORD>(chunk, pixelSize - read));
        pixels.resize(read + length);
        KvoReadExactly(ar, pixels.data() + read, length);
        read += length;
    }
    if (info.header.biSizeImage == 0)
        info.header.biSizeImage = pixelSize;
    void* sectionBits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(NULL, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &sectionBits,
                                        NULL, 0);
    if (!bitmap || !sectionBits)
    {
        if (bitmap)
            ::DeleteObject(bitmap);
        return nullptr;
    }
    // No more than the record holds, the header claims, or the section has.
    size_t copied = static_cast<size_t>(std::min<ULONGLONG>(std::min<ULONGLONG>(pixelSize, info.header.biSizeImage), rowsSize));
    std::memcpy(sectionBits, pixels.data(), copied);
    if (bits)
        *bits = static_cast<LPBYTE>(sectionBits);
    return bitmap;
}
