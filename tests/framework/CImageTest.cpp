// CImage: decoding through WIC, DIB sections made by Create, the nesting
// memory DC, and drawing with and without alpha.
#include <atlimage.h>

#include <atlcomcli.h>
#include <atltypes.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "../support/ScratchFolder.h"

namespace
{

// 3 by 2 RGBA: red, green at alpha 128, blue at alpha 0; white at alpha 64,
// (16, 32, 48) opaque, black at alpha 0.
const char kAlphaPng[] =
    "\x89\x50\x4E\x47\x0D\x0A\x1A\x0A\x00\x00\x00\x0D\x49\x48\x44\x52\x00\x00\x00\x03\x00\x00\x00\x02"
    "\x08\x06\x00\x00\x00\x9D\x74\x66\x1A\x00\x00\x00\x1D\x49\x44\x41\x54\x78\xDA\x63\xF8\xCF\xC0\xF0"
    "\x1F\x08\x1B\x40\x14\xC3\xFF\xFF\xFF\x1D\x04\x14\x0C\x80\x2C\x06\x06\x00\x85\x62\x09\x19\x43\x4F"
    "\x2C\xEA\x00\x00\x00\x00\x49\x45\x4E\x44\xAE\x42\x60\x82";

// 2 by 1 RGB without transparency: (10, 20, 30), (200, 100, 50).
const char kOpaquePng[] =
    "\x89\x50\x4E\x47\x0D\x0A\x1A\x0A\x00\x00\x00\x0D\x49\x48\x44\x52\x00\x00\x00\x02\x00\x00\x00\x01"
    "\x08\x02\x00\x00\x00\x7B\x40\xE8\xDD\x00\x00\x00\x0F\x49\x44\x41\x54\x78\xDA\x63\xE0\x12\x91\x3B"
    "\x91\x62\x04\x00\x04\x71\x01\x9B\xCE\x4A\xED\xC5\x00\x00\x00\x00\x49\x45\x4E\x44\xAE\x42\x60\x82";

template <size_t N>
std::string PngBytes(const char (&text)[N])
{
    return std::string(text, N - 1);
}

CComPtr<IStream> MemoryStream(const std::string& bytes)
{
    CComPtr<IStream> stream;
    stream.Attach(::SHCreateMemStream(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<UINT>(bytes.size())));
    return stream;
}

// Blue, green, red (and alpha for 32 bits) of one pixel.
std::vector<int> PixelAt(const CImage& image, int x, int y)
{
    int nBytes = image.GetBPP() / 8;
    const BYTE* pPixel = static_cast<const BYTE*>(image.GetBits()) + y * image.GetPitch() + x * nBytes;
    return std::vector<int>(pPixel, pPixel + nBytes);
}

struct ExpectedPixel
{
    int x;
    int y;
    std::vector<int> bgra;
};

void ExpectAlphaFixture(const CImage& image)
{
    ASSERT_FALSE(image.IsNull());
    EXPECT_EQ(3, image.GetWidth());
    EXPECT_EQ(2, image.GetHeight());
    ASSERT_EQ(32, image.GetBPP());
    EXPECT_EQ(12, image.GetPitch());
    // The file's alpha, colours not premultiplied.
    const ExpectedPixel pixels[] = {
        {0, 0, {0, 0, 255, 255}},   {1, 0, {0, 255, 0, 128}},   {2, 0, {255, 0, 0, 0}},
        {0, 1, {255, 255, 255, 64}}, {1, 1, {48, 32, 16, 255}}, {2, 1, {0, 0, 0, 0}},
    };
    for (const ExpectedPixel& pixel : pixels)
        EXPECT_EQ(pixel.bgra, PixelAt(image, pixel.x, pixel.y)) << pixel.x << "," << pixel.y;
}

void FillImage(const CImage& image, DWORD dwRop)
{
    HDC hDC = image.GetDC();
    ::PatBlt(hDC, 0, 0, image.GetWidth(), image.GetHeight(), dwRop);
    image.ReleaseDC();
}

} // namespace

TEST(CImageLoad, AlphaPngFromAStreamAndFromAFile)
{
    CImage fromStream;
    ASSERT_HRESULT_SUCCEEDED(fromStream.Load(MemoryStream(PngBytes(kAlphaPng))));
    ExpectAlphaFixture(fromStream);

    ScratchFolder folder;
    std::wstring path = folder.Write(L"alpha.png", PngBytes(kAlphaPng));
    CImage fromFile;
    ASSERT_HRESULT_SUCCEEDED(fromFile.Load(path.c_str()));
    ExpectAlphaFixture(fromFile);

    EXPECT_HRESULT_FAILED(fromFile.Load(folder.At(L"missing.png").c_str()));
    EXPECT_TRUE(fromFile.IsNull());
}

TEST(CImageLoad, ImageWithoutTransparencyLoadsAs24Bits)
{
    CImage image;
    ASSERT_HRESULT_SUCCEEDED(image.Load(MemoryStream(PngBytes(kOpaquePng))));
    EXPECT_EQ(2, image.GetWidth());
    EXPECT_EQ(1, image.GetHeight());
    ASSERT_EQ(24, image.GetBPP());
    EXPECT_EQ(8, image.GetPitch());
    EXPECT_EQ((std::vector<int>{30, 20, 10}), PixelAt(image, 0, 0));
    EXPECT_EQ((std::vector<int>{50, 100, 200}), PixelAt(image, 1, 0));
}

TEST(CImageLoad, DamagedStreamsFailAndLeaveTheImageEmpty)
{
    std::string png = PngBytes(kAlphaPng);
    std::string badData = png;
    badData[45] = static_cast<char>(badData[45] ^ 0x55); // inside the compressed pixels
    const std::string damaged[] = {
        png.substr(0, 40),          // cut inside the pixel data
        png.substr(0, 8),           // the signature alone
        std::string(),              // nothing
        "GIF89a not really a picture",
        badData,
    };
    for (const std::string& bytes : damaged)
    {
        CImage image;
        ASSERT_HRESULT_SUCCEEDED(image.Load(MemoryStream(png)));
        EXPECT_HRESULT_FAILED(image.Load(MemoryStream(bytes))) << bytes.size() << " bytes";
        EXPECT_TRUE(image.IsNull());
        EXPECT_EQ(nullptr, image.GetBits());
        EXPECT_EQ(0, image.GetWidth());
    }
    CImage image;
    EXPECT_EQ(E_POINTER, image.Load(static_cast<IStream*>(NULL)));
}

TEST(CImageCreate, DrawingThroughTheDcReachesTheBits)
{
    struct Case
    {
        int nHeight;
        int nPitch;
    };
    // A positive height is bottom-up: the top row lies last in memory.
    const Case cases[] = {{3, -16}, {-3, 16}};
    for (const Case& c : cases)
    {
        CImage image;
        ASSERT_TRUE(image.Create(4, c.nHeight, 32, CImage::createAlphaChannel));
        EXPECT_EQ(4, image.GetWidth());
        EXPECT_EQ(3, image.GetHeight());
        EXPECT_EQ(32, image.GetBPP());
        EXPECT_EQ(c.nPitch, image.GetPitch());
        EXPECT_EQ((std::vector<int>{0, 0, 0, 0}), PixelAt(image, 3, 2));

        HDC hDC = image.GetDC();
        ASSERT_NE(nullptr, hDC);
        EXPECT_EQ(hDC, image.GetDC()); // nested
        ::SetPixelV(hDC, 1, 0, RGB(10, 20, 30));
        ::SetPixelV(hDC, 3, 2, RGB(40, 50, 60));
        image.ReleaseDC();
        image.ReleaseDC();
        ::GdiFlush();
        EXPECT_EQ((std::vector<int>{30, 20, 10, 0}), PixelAt(image, 1, 0));
        EXPECT_EQ((std::vector<int>{60, 50, 40, 0}), PixelAt(image, 3, 2));

        // The last ReleaseDC let the bitmap go: another DC may select it.
        HDC hOther = ::CreateCompatibleDC(NULL);
        HGDIOBJ hOld = ::SelectObject(hOther, static_cast<HBITMAP>(image));
        EXPECT_NE(nullptr, hOld);
        ::SelectObject(hOther, hOld);
        ::DeleteDC(hOther);
    }
}

TEST(CImageCreate, RejectsWhatItCannotMake)
{
    CImage image;
    EXPECT_FALSE(image.Create(0, 4, 32));
    EXPECT_FALSE(image.Create(4, 0, 32));
    EXPECT_FALSE(image.Create(4, 4, 8));
    EXPECT_FALSE(image.Create(4, 4, 24, CImage::createAlphaChannel));
    EXPECT_FALSE(image.Create(0x7FFFFFFF, 0x7FFFFFFF, 32));
    EXPECT_TRUE(image.IsNull());
    EXPECT_EQ(nullptr, image.GetDC());
}

TEST(CImageDraw, AlphaImagesBlendOthersCopy)
{
    // Premultiplied source: opaque red, half-transparent red.
    CImage alpha;
    ASSERT_TRUE(alpha.Create(2, -1, 32, CImage::createAlphaChannel));
    const BYTE source[] = {0, 0, 255, 255, 0, 0, 128, 128};
    std::copy(source, source + sizeof(source), static_cast<BYTE*>(alpha.GetBits()));

    CImage target;
    ASSERT_TRUE(target.Create(4, 2, 24));
    FillImage(target, WHITENESS);
    HDC hTarget = target.GetDC();
    EXPECT_TRUE(alpha.Draw(hTarget, 0, 0));
    // The same pixels without the alpha flag are copied as they are.
    CImage plain;
    plain.Attach(alpha.Detach());
    EXPECT_TRUE(plain.Draw(hTarget, CRect(0, 1, 4, 2)));
    // A constant alpha of half, over white.
    EXPECT_TRUE(plain.AlphaBlend(hTarget, 2, 0, 128));
    target.ReleaseDC();
    ::GdiFlush();

    const ExpectedPixel pixels[] = {
        {0, 0, {0, 0, 255}},     {1, 0, {127, 127, 255}}, // blended over white
        {2, 0, {128, 128, 255}}, {3, 0, {128, 128, 191}}, // half of each, half white
        {0, 1, {0, 0, 255}},     {1, 1, {0, 0, 255}},     // stretched twice as wide
        {2, 1, {0, 0, 128}},     {3, 1, {0, 0, 128}},
    };
    for (const ExpectedPixel& pixel : pixels)
    {
        std::vector<int> bgr = PixelAt(target, pixel.x, pixel.y);
        for (size_t i = 0; i < 3; ++i)
            EXPECT_NEAR(pixel.bgra[i], bgr[i], 1) << pixel.x << "," << pixel.y << " channel " << i;
    }
}

TEST(CImageAttach, DetachedBitmapsMoveBetweenImages)
{
    CImage first;
    ASSERT_TRUE(first.Create(5, 2, 32));
    const void* pBits = first.GetBits();
    HDC hDC = first.GetDC();
    ASSERT_NE(nullptr, hDC);
    HBITMAP hBitmap = first.Detach();
    EXPECT_TRUE(first.IsNull());
    EXPECT_EQ(0, first.GetWidth());
    EXPECT_EQ(nullptr, first.GetBits());

    CImage second;
    second.Attach(hBitmap);
    EXPECT_EQ(hBitmap, static_cast<HBITMAP>(second));
    EXPECT_EQ(5, second.GetWidth());
    EXPECT_EQ(2, second.GetHeight());
    EXPECT_EQ(-20, second.GetPitch());
    EXPECT_EQ(pBits, second.GetBits());
    // The caller's word on the orientation wins over the header's.
    second.Detach();
    second.Attach(hBitmap, CImage::DIBOR_TOPDOWN);
    EXPECT_EQ(20, second.GetPitch());
    EXPECT_EQ(static_cast<const BYTE*>(pBits) - 20, second.GetBits());

    second.Destroy();
    EXPECT_EQ(0u, static_cast<UINT>(::GetObjectType(hBitmap)));

    // A device-dependent bitmap has no bits to offer.
    HDC hScreen = ::GetDC(NULL);
    CImage device;
    device.Attach(::CreateCompatibleBitmap(hScreen, 3, 3));
    ::ReleaseDC(NULL, hScreen);
    EXPECT_EQ(3, device.GetWidth());
    EXPECT_EQ(nullptr, device.GetBits());
    EXPECT_EQ(0, device.GetPitch());
}

TEST(CImageDraw, CellsCopiedOutOfALoadedStripKeepTheirAlpha)
{
    CImage strip;
    ASSERT_HRESULT_SUCCEEDED(strip.Load(MemoryStream(PngBytes(kAlphaPng))));
    CImage cell;
    ASSERT_TRUE(cell.Create(2, 1, 32));
    HDC hStrip = strip.GetDC();
    HDC hCell = cell.GetDC();
    EXPECT_TRUE(::BitBlt(hCell, 0, 0, 2, 1, hStrip, 1, 1, SRCCOPY));
    cell.ReleaseDC();
    strip.ReleaseDC();
    ::GdiFlush();
    EXPECT_EQ((std::vector<int>{48, 32, 16, 255}), PixelAt(cell, 0, 0));
    EXPECT_EQ((std::vector<int>{0, 0, 0, 0}), PixelAt(cell, 1, 0));

    // The detached bitmap serves as colour and mask of an alpha icon.
    HBITMAP hBitmap = cell.Detach();
    ICONINFO info = {TRUE, 0, 0, hBitmap, hBitmap};
    HICON hIcon = ::CreateIconIndirect(&info);
    EXPECT_NE(nullptr, hIcon);
    ::DestroyIcon(hIcon);
    ::DeleteObject(hBitmap);
}
