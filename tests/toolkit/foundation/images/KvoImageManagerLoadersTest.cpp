#include <gtest/gtest.h>
#include <afxwin.h>

#include <cstring>

#include "foundation/images/KvoImageManager.h"
#include "KvoImageTestSupport.h"
#include "PngFixtureWriter.h"

namespace {

template <typename T>
void AppendBytes(std::string& bytes, const T& value)
{
    bytes.append(reinterpret_cast<const char*>(&value), sizeof(value));
}

BITMAPINFOHEADER InfoHeader(int width, int height, WORD bitCount)
{
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = bitCount;
    return header;
}

// Bottom-up rows of one colour (0xAARRGGBB), padded to four bytes; 24 bits
// drop the alpha byte.
std::string SolidRows(int width, int height, WORD bitCount, DWORD color)
{
    std::string rows;
    const size_t stride = (static_cast<size_t>(width) * bitCount + 31) / 32 * 4;
    for (int y = 0; y < height; ++y)
    {
        std::string row;
        for (int x = 0; x < width; ++x)
            row.append(reinterpret_cast<const char*>(&color), bitCount / 8);
        row.resize(stride, '\0');
        rows += row;
    }
    return rows;
}

// The info header and pixels of a bitmap resource.
std::string BitmapResource(int width, int height, WORD bitCount, DWORD color)
{
    std::string bytes;
    AppendBytes(bytes, InfoHeader(width, height, bitCount));
    return bytes + SolidRows(width, height, bitCount, color);
}

// A .bmp file: the 14-byte file header, then a bitmap resource's bytes.
std::string BitmapFile(int width, int height, WORD bitCount, DWORD color)
{
    std::string body = BitmapResource(width, height, bitCount, color);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfSize = static_cast<DWORD>(sizeof(file) + body.size());
    file.bfOffBits = sizeof(file) + sizeof(BITMAPINFOHEADER);
    std::string bytes;
    AppendBytes(bytes, file);
    return bytes + body;
}

// An RT_ICON image: the header with colour and mask heights together, the
// colour rows, then an all-opaque mask.
std::string IconImage(int size, WORD bitCount, DWORD color)
{
    std::string bytes;
    AppendBytes(bytes, InfoHeader(size, size * 2, bitCount));
    return bytes + SolidRows(size, size, bitCount, color) + SolidRows(size, size, 1, 0);
}

// An RT_GROUP_ICON directory of (size, icon id) entries; count may claim
// more entries than there are.
std::string GroupIcon(const std::vector<std::pair<int, WORD>>& entries, WORD count)
{
    std::string bytes;
    AppendBytes(bytes, static_cast<WORD>(0));
    AppendBytes(bytes, static_cast<WORD>(1));
    AppendBytes(bytes, count);
    for (const auto& entry : entries)
    {
        bytes += static_cast<char>(entry.first);
        bytes += static_cast<char>(entry.first);
        bytes.append(2, '\0');
        AppendBytes(bytes, static_cast<WORD>(1));
        AppendBytes(bytes, static_cast<WORD>(32));
        AppendBytes(bytes, static_cast<DWORD>(0));
        AppendBytes(bytes, entry.second);
    }
    return bytes;
}

DWORD CentrePixel(HBITMAP bitmap)
{
    int width = 0, height = 0;
    std::vector<DWORD> pixels = ReadBitmapPixels(bitmap, &width, &height);
    return pixels.empty() ? 0 : pixels[static_cast<size_t>(height / 2) * width + width / 2];
}

}  // namespace

TEST(KvoImageManagerLoaders, FilesLoadByTheirContentNotTheirName)
{
    ScratchFolder folder;
    PngFixture png;
    png.rows = {10, 20, 30, 128};
    struct
    {
        const char* name;
        std::wstring path;
        BOOL alpha;
        DWORD centre;  // 0xAARRGGBB, 0 when the bitmap is not 32-bit
    } cases[] = {
        {"PNG named .bmp", folder.Write(L"png.bmp", PngBytesAsString(WritePng(png))), TRUE, 0x800A141E},
        {"24-bit bitmap", folder.Write(L"rgb.bmp", BitmapFile(4, 4, 24, 0x00336699)), FALSE, 0},
        {"32-bit bitmap", folder.Write(L"argb.bmp", BitmapFile(4, 4, 32, 0x80336699)), TRUE, 0x80336699},
    };
    for (const auto& file : cases)
    {
        SCOPED_TRACE(file.name);
        BOOL alpha = !file.alpha;
        CBitmap bitmap;
        ASSERT_TRUE(bitmap.Attach(CKvoImageManager::LoadBitmapFromFile(file.path.c_str(), &alpha)));
        EXPECT_EQ(file.alpha, alpha);
        if (file.centre)
            EXPECT_EQ(file.centre, CentrePixel(static_cast<HBITMAP>(bitmap.m_hObject)));
    }
    BOOL alpha = TRUE;
    EXPECT_EQ(nullptr, CKvoImageManager::LoadBitmapFromFile(folder.At(L"missing.png").c_str(), &alpha));
    EXPECT_FALSE(alpha);
    EXPECT_EQ(nullptr, CKvoImageManager::LoadBitmapFromFile(folder.Write(L"short.bmp", "BM").c_str(), nullptr));
}

TEST(KvoImageManagerLoaders, ResourcesLoadAndShortBitmapResourcesAreRefused)
{
    PngFixture png;
    png.rows = {10, 20, 30, 128};
    std::vector<png_byte> pngBytes = WritePng(png);
    std::string alphaBitmap = BitmapResource(4, 4, 32, 0x80336699);
    std::string shortBitmap = alphaBitmap.substr(0, sizeof(BITMAPINFOHEADER) + 20);
    std::string rgbBitmap = BitmapResource(4, 4, 24, 0x00336699);
    TestResourceModule resources;
    resources.Add(L"PNG", MAKEINTRESOURCEW(400), pngBytes.data(), pngBytes.size());
    resources.Add(RT_BITMAP, MAKEINTRESOURCEW(401), alphaBitmap.data(), alphaBitmap.size());
    resources.Add(RT_BITMAP, MAKEINTRESOURCEW(402), shortBitmap.data(), shortBitmap.size());
    resources.Add(RT_BITMAP, MAKEINTRESOURCEW(403), rgbBitmap.data(), rgbBitmap.size());
    HMODULE module = resources.Load();
    ASSERT_NE(nullptr, module);

    BOOL alpha = FALSE;
    CBitmap fromPng, fromBitmap, fromRgb;
    ASSERT_TRUE(fromPng.Attach(CKvoImageManager::LoadBitmapFromResource(module, MAKEINTRESOURCEW(400), &alpha)));
    EXPECT_TRUE(alpha);
    EXPECT_EQ(0x800A141Eu, CentrePixel(static_cast<HBITMAP>(fromPng.m_hObject)));
    ASSERT_TRUE(fromBitmap.Attach(CKvoImageManager::LoadBitmapFromResource(module, MAKEINTRESOURCEW(401), &alpha)));
    EXPECT_TRUE(alpha);
    EXPECT_EQ(0x80336699u, CentrePixel(static_cast<HBITMAP>(fromBitmap.m_hObject)));
    // The header asks for 64 bytes of pixels; the resource holds 20.
    EXPECT_EQ(nullptr, CKvoImageManager::LoadBitmapFromResource(module, MAKEINTRESOURCEW(402), &alpha));
    EXPECT_EQ(nullptr, CKvoImageManager::LoadAlphaBitmap(module, MAKEINTRESOURCEW(402)));
    ASSERT_TRUE(fromRgb.Attach(CKvoImageManager::LoadBitmapFromResource(module, MAKEINTRESOURCEW(403), &alpha)));
    EXPECT_FALSE(alpha);
    EXPECT_EQ(nullptr, CKvoImageManager::LoadBitmapFromResource(module, MAKEINTRESOURCEW(404), &alpha));
}

namespace {

// The icon resources live in a module made the class library's resource
// module for the test.
class KvoIconResourceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string alpha16 = IconImage(16, 32, 0xFF00FF00), alpha32 = IconImage(32, 32, 0xFF0000FF);
        std::string plain16 = IconImage(16, 24, 0x00FF0000);
        std::string damaged = alpha16.substr(0, 200);  // claims 16 x 16 x 4 bytes of colour
        std::string group = GroupIcon({{16, 501}, {32, 502}}, 2);
        std::string overstated = GroupIcon({{16, 501}}, 40);
        std::string strip = BitmapResource(32, 16, 32, 0xFF336699);
        m_resources.Add(RT_ICON, MAKEINTRESOURCEW(501), alpha16.data(), alpha16.size());
        m_resources.Add(RT_ICON, MAKEINTRESOURCEW(502), alpha32.data(), alpha32.size());
        m_resources.Add(RT_ICON, MAKEINTRESOURCEW(503), plain16.data(), plain16.size());
        m_resources.Add(RT_ICON, MAKEINTRESOURCEW(504), damaged.data(), damaged.size());
        m_resources.Add(RT_GROUP_ICON, MAKEINTRESOURCEW(600), group.data(), group.size());
        m_resources.Add(RT_GROUP_ICON, MAKEINTRESOURCEW(601), overstated.data(), overstated.size());
        m_resources.Add(RT_BITMAP, MAKEINTRESOURCEW(700), strip.data(), strip.size());
        m_module = m_resources.Load();
        ASSERT_NE(nullptr, m_module);
        m_previous = AfxGetResourceHandle();
        AfxSetResourceHandle(m_module);
    }
    void TearDown() override { AfxSetResourceHandle(m_previous); }

    COLORREF Centre(CKvoImageManagerIcon* icon)
    {
        TestCanvas canvas(icon->GetWidth(), icon->GetHeight());
        icon->Draw(canvas.Dc(), CPoint(0, 0));
        return canvas.Pixel(icon->GetWidth() / 2, icon->GetHeight() / 2);
    }

    TestResourceModule m_resources;
    HMODULE m_module = nullptr;
    HINSTANCE m_previous = nullptr;
    CKvoImageManager m_manager;
};

}  // namespace

TEST_F(KvoIconResourceTest, GroupIconsEnterEveryEntryOrTheOneOfTheSize)
{
    ASSERT_TRUE(m_manager.SetIconFromResource(MAKEINTRESOURCEW(600), 800));
    ASSERT_TRUE(m_manager.Lookup(800, 16));
    ASSERT_TRUE(m_manager.Lookup(800, 32));
    EXPECT_TRUE(m_manager.IsIconDefined(800, 16)->IsAlpha()) << "32-bit icon images become alpha bitmaps";
    EXPECT_EQ(RGB(0, 255, 0), Centre(m_manager.IsIconDefined(800, 16)));
    EXPECT_EQ(RGB(0, 0, 255), Centre(m_manager.IsIconDefined(800, 32)));

    ASSERT_TRUE(m_manager.SetIconFromResource(MAKEINTRESOURCEW(600), 801, 32, 32));
    EXPECT_FALSE(m_manager.Lookup(801, 16));
    EXPECT_TRUE(m_manager.Lookup(801, 32));

    ASSERT_TRUE(m_manager.SetIconFromResource(MAKEINTRESOURCEW(601), 802)) << "only the entries present count";
    EXPECT_TRUE(m_manager.Lookup(802, 16));
}

TEST_F(KvoIconResourceTest, PlainIconsAndDamagedImages)
{
    ASSERT_TRUE(m_manager.SetIconFromResource(MAKEINTRESOURCEW(503), 810, 16, 16));
    CKvoImageManagerIcon* plain = m_manager.IsIconDefined(810, 16);
    EXPECT_FALSE(plain->IsAlpha());
    EXPECT_EQ(RGB(255, 0, 0), Centre(plain));

    CKvoImageManagerIconHandle handle;
    EXPECT_TRUE(handle.LoadIcon(m_module, MAKEINTRESOURCEW(600), 32, 32, TRUE));
    EXPECT_EQ(CSize(32, 32), handle.GetExtent());
    EXPECT_FALSE(handle.LoadIcon(m_module, MAKEINTRESOURCEW(600), 24, 24, TRUE)) << "no entry of that size";
    EXPECT_FALSE(handle.LoadIcon(m_module, MAKEINTRESOURCEW(504), 16, 16, FALSE)) << "pixels missing";
    EXPECT_FALSE(m_manager.SetIconFromResource(MAKEINTRESOURCEW(504), 811, 16, 16));
    EXPECT_FALSE(m_manager.SetIconFromResource(MAKEINTRESOURCEW(599), 812, 16, 16));
}

TEST_F(KvoIconResourceTest, BitmapStripResourcesAreCutForTheirIds)
{
    const UINT ids[] = {820, 821};
    ASSERT_TRUE(m_manager.SetIcon(700u, ids, 2, 16, 16));
    ASSERT_TRUE(m_manager.Lookup(821, 16));
    EXPECT_TRUE(m_manager.IsIconDefined(821, 16)->IsAlpha()) << "a 32-bit bitmap keeps its alpha";
    EXPECT_EQ(RGB(0x33, 0x66, 0x99), Centre(m_manager.IsIconDefined(820, 16)));
    EXPECT_FALSE(m_manager.SetIcons(701u, ids, 2, 16, 16)) << "no such bitmap";
}
