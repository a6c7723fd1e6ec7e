#include <gtest/gtest.h>
#include <afxwin.h>
#include <zlib.h>

#include "foundation/images/KvoGraphicBitmapPng.h"
#include "KvoImageTestSupport.h"
#include "PngFixtureWriter.h"

namespace {

// Loads PNG bytes through an in-memory file, the road resources take.
BOOL LoadPngBytes(CKvoGraphicBitmapPng& bitmap, std::vector<png_byte> bytes)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()), 0);
    return bitmap.LoadFromFile(&file);
}

struct DecodeCase
{
    const char* name;
    PngFixture fixture;
    BOOL alpha;
    std::vector<DWORD> expected;  // 0xAARRGGBB, top row first
};

// 3 x 2 images: every case puts a distinct colour in every pixel, so a
// swapped channel, a flipped row or a lost alpha byte shows.
std::vector<DecodeCase> DecodeCases()
{
    std::vector<DecodeCase> cases;
    PngFixture rgba;
    rgba.width = 3;
    rgba.height = 2;
    rgba.rows = {255, 0, 0, 255,  0, 255, 0, 128,  0, 0, 255, 0,
                 10, 20, 30, 40,  200, 100, 50, 255,  1, 2, 3, 4};
    cases.push_back({"rgba", rgba, TRUE,
                     {0xFFFF0000, 0x8000FF00, 0x000000FF, 0x280A141E, 0xFFC86432, 0x04010203}});

    PngFixture interlaced = rgba;
    interlaced.interlaced = true;
    cases.push_back({"interlaced", interlaced, TRUE, cases[0].expected});

    PngFixture rgb = rgba;
    rgb.colorType = PNG_COLOR_TYPE_RGB;
    rgb.rows = {255, 0, 0,  0, 255, 0,  0, 0, 255,  10, 20, 30,  200, 100, 50,  1, 2, 3};
    cases.push_back({"rgb has alpha 0, not 255", rgb, FALSE,
                     {0x00FF0000, 0x0000FF00, 0x000000FF, 0x000A141E, 0x00C86432, 0x00010203}});

    PngFixture palette = rgba;
    palette.colorType = PNG_COLOR_TYPE_PALETTE;
    palette.palette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    palette.paletteAlpha = {0, 128};  // entry 2 stays opaque
    palette.rows = {0, 1, 2, 2, 1, 0};
    cases.push_back({"palette with transparency", palette, TRUE,
                     {0x00FF0000, 0x8000FF00, 0xFF0000FF, 0xFF0000FF, 0x8000FF00, 0x00FF0000}});

    PngFixture grey = rgba;
    grey.colorType = PNG_COLOR_TYPE_GRAY;
    grey.rows = {0, 128, 255, 1, 2, 3};
    cases.push_back({"grey", grey, FALSE,
                     {0x00000000, 0x00808080, 0x00FFFFFF, 0x00010101, 0x00020202, 0x00030303}});

    PngFixture greyAlpha = grey;
    greyAlpha.colorType = PNG_COLOR_TYPE_GRAY_ALPHA;
    greyAlpha.rows = {0, 255, 128, 64, 255, 0, 1, 1, 2, 2, 3, 3};
    cases.push_back({"grey with alpha", greyAlpha, TRUE,
                     {0xFF000000, 0x40808080, 0x00FFFFFF, 0x01010101, 0x02020202, 0x03030303}});

    // 16-bit samples are stripped to their high byte.
    PngFixture deep = rgba;
    deep.bitDepth = 16;
    deep.rows.clear();
    for (png_byte sample : rgba.rows)
    {
        deep.rows.push_back(sample);
        deep.rows.push_back(0x7F);
    }
    cases.push_back({"16-bit", deep, TRUE, cases[0].expected});

    // A background chunk makes libpng composite the transparent pixels onto
    // it: the image loads without alpha.
    PngFixture background = palette;
    background.hasBackground = true;
    background.background.index = 2;
    cases.push_back({"background chunk", background, FALSE,
                     {0x000000FF, 0x0000807F, 0x000000FF, 0x000000FF, 0x0000807F, 0x000000FF}});
    return cases;
}

}  // namespace

TEST(KvoGraphicBitmapPng, DecodesEveryKindToTopDownBgraWithItsAlpha)
{
    for (const DecodeCase& decodeCase : DecodeCases())
    {
        SCOPED_TRACE(decodeCase.name);
        std::vector<png_byte> bytes = WritePng(decodeCase.fixture);
        ASSERT_FALSE(bytes.empty());
        CKvoGraphicBitmapPng bitmap;
        ASSERT_TRUE(LoadPngBytes(bitmap, bytes));
        EXPECT_EQ(decodeCase.alpha, bitmap.IsAlpha());
        HBITMAP handle = static_cast<HBITMAP>(bitmap.m_hObject);
        int width = 0, height = 0;
        std::vector<DWORD> pixels = ReadBitmapPixels(handle, &width, &height);
        ASSERT_FALSE(pixels.empty());
        EXPECT_EQ(pixels[0], FirstPixelInMemory(handle)) << "top-down: the top row comes first in memory";
        EXPECT_EQ(3, width);
        EXPECT_EQ(2, height);
        ASSERT_EQ(decodeCase.expected.size(), pixels.size());
        for (size_t i = 0; i < pixels.size(); ++i)
        {
            // The composited background is the one value libpng rounds.
            DWORD expected = decodeCase.expected[i], actual = pixels[i];
            for (int shift = 0; shift < 32; shift += 8)
                EXPECT_NEAR(static_cast<int>((expected >> shift) & 0xFF), static_cast<int>((actual >> shift) & 0xFF), 1)
                    << "pixel " << i << std::hex << " expected " << expected << " got " << actual;
        }
    }
}

TEST(KvoGraphicBitmapPng, LoadsFromAFilePathAndReloadsCleanly)
{
    ScratchFolder folder;
    std::wstring path = folder.Write(L"image.png", PngBytesAsString(WritePng(DecodeCases()[0].fixture)));
    CKvoGraphicBitmapPng bitmap;
    ASSERT_TRUE(bitmap.LoadFromFile(path.c_str()));
    EXPECT_TRUE(bitmap.IsAlpha());
    EXPECT_EQ(0xFFFF0000, ReadBitmapPixels(static_cast<HBITMAP>(bitmap.m_hObject))[0]);

    std::wstring rgb = folder.Write(L"rgb.png", PngBytesAsString(WritePng(DecodeCases()[2].fixture)));
    ASSERT_TRUE(bitmap.LoadFromFile(rgb.c_str())) << "a second load replaces the first bitmap";
    EXPECT_FALSE(bitmap.IsAlpha());

    EXPECT_FALSE(bitmap.LoadFromFile(folder.At(L"missing.png").c_str()));
    EXPECT_EQ(nullptr, bitmap.m_hObject);
    EXPECT_FALSE(bitmap.IsAlpha());
    EXPECT_FALSE(bitmap.LoadFromFile(static_cast<CFile*>(nullptr)));
}

namespace {

// Rewrites a chunk's CRC after the test changed its data, so only the change
// itself is wrong in the file.
void FixChunkCrc(std::vector<png_byte>& bytes, size_t chunkStart)
{
    size_t length = (bytes[chunkStart] << 24) | (bytes[chunkStart + 1] << 16) | (bytes[chunkStart + 2] << 8) |
                    bytes[chunkStart + 3];
    uLong crc = crc32(0, bytes.data() + chunkStart + 4, static_cast<uInt>(length + 4));
    size_t at = chunkStart + 8 + length;
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<png_byte>(crc >> (24 - 8 * i));
}

// A valid 1 x 1 PNG whose header claims width x height.
std::vector<png_byte> PngClaimingSize(png_uint_32 width, png_uint_32 height)
{
    std::vector<png_byte> bytes = WritePng(DecodeCases()[0].fixture);
    const size_t ihdr = 8;  // the header chunk follows the signature
    for (int i = 0; i < 4; ++i)
    {
        bytes[ihdr + 8 + i] = static_cast<png_byte>(width >> (24 - 8 * i));
        bytes[ihdr + 12 + i] = static_cast<png_byte>(height >> (24 - 8 * i));
    }
    FixChunkCrc(bytes, ihdr);
    return bytes;
}

}  // namespace

// None of these may leave a bitmap, raise to the caller, or keep a GDI
// object. Wine's GetGuiResources counts no GDI objects (it answers 0), so
// there the count only shows on Windows.
TEST(KvoGraphicBitmapPng, DamagedTruncatedAndOversizedImagesGiveNothing)
{
    std::vector<png_byte> good = WritePng(DecodeCases()[0].fixture);
    std::vector<png_byte> damaged = good;
    damaged[damaged.size() - 20] ^= 0x5A;  // inside the image data: its CRC no longer holds
    std::vector<png_byte> badSignature = good;
    badSignature[1] = 'p';
    struct
    {
        const char* name;
        std::vector<png_byte> bytes;
    } cases[] = {
        {"seven bytes", std::vector<png_byte>(good.begin(), good.begin() + 7)},
        {"wrong signature", badSignature},
        {"truncated in the header", std::vector<png_byte>(good.begin(), good.begin() + 20)},
        {"truncated in the image data", std::vector<png_byte>(good.begin(), good.end() - 16)},
        {"damaged image data", damaged},
        {"header beyond the dimension limit", PngClaimingSize(100000, 100000)},
        {"header just within the dimension limit but far too many bytes", PngClaimingSize(16000, 16000)},
    };
    DWORD gdiBefore = GdiObjectCount();
    for (auto& failing : cases)
    {
        SCOPED_TRACE(failing.name);
        CKvoGraphicBitmapPng bitmap;
        ASSERT_TRUE(LoadPngBytes(bitmap, good));
        EXPECT_FALSE(LoadPngBytes(bitmap, failing.bytes));
        EXPECT_EQ(nullptr, bitmap.m_hObject);
        EXPECT_FALSE(bitmap.IsAlpha());
    }
    EXPECT_EQ(gdiBefore, GdiObjectCount());
}

// A well-formed image whose pixels alone pass the cap (4400 x 4400 x 4 bytes
// is 74 MiB): refused before its rows are allocated, where without the cap
// it would load.
TEST(KvoGraphicBitmapPng, WellFormedImageOverTheByteCapIsRefused)
{
    PngFixture large;
    large.width = large.height = 4400;
    large.colorType = PNG_COLOR_TYPE_RGB;
    large.rows.assign(static_cast<size_t>(large.width) * large.height * 3, 0);
    std::vector<png_byte> bytes = WritePng(large);
    ASSERT_FALSE(bytes.empty());
    CKvoGraphicBitmapPng bitmap;
    EXPECT_FALSE(LoadPngBytes(bitmap, bytes));
    EXPECT_EQ(nullptr, bitmap.m_hObject);
}

TEST(KvoGraphicBitmapPng, LoadsFromAResourceAndRefusesShortOnes)
{
    std::vector<png_byte> png = WritePng(DecodeCases()[0].fixture);
    TestResourceModule resources;
    resources.Add(L"PNG", MAKEINTRESOURCEW(300), png.data(), png.size());
    resources.Add(L"PNG", MAKEINTRESOURCEW(301), png.data(), 9);
    HMODULE module = resources.Load();
    ASSERT_NE(nullptr, module);

    CKvoGraphicBitmapPng bitmap;
    ASSERT_TRUE(bitmap.LoadFromResource(module, ::FindResourceW(module, MAKEINTRESOURCEW(300), L"PNG")));
    EXPECT_TRUE(bitmap.IsAlpha());
    EXPECT_EQ(0x8000FF00, ReadBitmapPixels(static_cast<HBITMAP>(bitmap.m_hObject))[1]);
    EXPECT_FALSE(bitmap.LoadFromResource(module, ::FindResourceW(module, MAKEINTRESOURCEW(301), L"PNG")));
    EXPECT_EQ(nullptr, bitmap.m_hObject);
    EXPECT_FALSE(bitmap.LoadFromResource(module, nullptr));
}
