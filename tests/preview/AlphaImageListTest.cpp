// The alpha image list: cells cut from a 32-bit strip keep their alpha, so
// the icons made of them blend with what lies beneath (pixels read back).
#include <gtest/gtest.h>
#include <afxwin.h>
#include <atlimage.h>
#include <cstdlib>
#include <string>
#include "AlphaImageList.h"
#include "IconStrip.h"
#include "LanguageIds.h"
#include "framework/WindowTestSupport.h"
#include "support/LibraryModule.h"

namespace {
// A top-down 32-bit image with straight alpha, filled by colour(x, y) as
// 0xAARRGGBB.
template <class Colour>
void FillAlphaImage(CImage& image, int width, int height, Colour colour)
{
    ASSERT_TRUE(image.Create(width, -height, 32, CImage::createAlphaChannel));
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<DWORD*>(static_cast<BYTE*>(image.GetBits()) + y * image.GetPitch());
        for (int x = 0; x < width; ++x)
            row[x] = colour(x, y);
    }
}

// A 32-bit canvas of one background colour that icons are drawn on.
class IconCanvas {
public:
    IconCanvas(int width, int height, COLORREF background)
    {
        FillAlphaImage(m_image, width, height, [&](int, int) {
            return 0xFF000000u | (GetRValue(background) << 16) | (GetGValue(background) << 8) | GetBValue(background);
        });
    }
    void Draw(HICON icon, int x, int y)
    {
        HDC dc = m_image.GetDC();
        DrawIconEx(dc, x, y, icon, 16, 16, 0, nullptr, DI_NORMAL);
        m_image.ReleaseDC();
        GdiFlush();
    }
    COLORREF Pixel(int x, int y)
    {
        const BYTE* row = static_cast<const BYTE*>(m_image.GetBits()) + y * m_image.GetPitch();
        const DWORD bgra = reinterpret_cast<const DWORD*>(row)[x];
        return RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
    }
    // Enlarged without smoothing, so a person can look at the cells.
    bool SaveEnlarged(const std::wstring& path, int scale)
    {
        CImage large;
        if (!large.Create(m_image.GetWidth() * scale, m_image.GetHeight() * scale, 32))
            return false;
        HDC target = large.GetDC();
        SetStretchBltMode(target, COLORONCOLOR);
        StretchBlt(target, 0, 0, large.GetWidth(), large.GetHeight(), m_image.GetDC(), 0, 0, m_image.GetWidth(),
                   m_image.GetHeight(), SRCCOPY);
        m_image.ReleaseDC();
        large.ReleaseDC();
        return SaveBitmapAsPng(large, path.c_str());
    }

private:
    CImage m_image;
};

bool NearColour(COLORREF actual, COLORREF expected, int tolerance = 3)
{
    return std::abs(GetRValue(actual) - GetRValue(expected)) <= tolerance &&
           std::abs(GetGValue(actual) - GetGValue(expected)) <= tolerance &&
           std::abs(GetBValue(actual) - GetBValue(expected)) <= tolerance;
}

// Three cells: red, green, blue; each with a transparent top row and a
// half-transparent left column.
DWORD TestStripPixel(int x, int y)
{
    const DWORD colours[] = {0xFF0000, 0x00FF00, 0x0000FF};
    const DWORD rgb = colours[x / 16];
    if (y == 0)
        return rgb;  // alpha 0
    if (x % 16 == 0)
        return 0x80000000u | rgb;
    return 0xFF000000u | rgb;
}
}

TEST(AlphaImageListTest, CellsBecomeIconsThatBlendWithTheBackground)
{
    CImage strip;
    FillAlphaImage(strip, 48, 16, TestStripPixel);
    CAlphaImageList list(16, 16);
    list.Create(strip);
    ASSERT_EQ(list.GetCount(), 3);

    HICON green = list.GetIcon(1);
    ASSERT_NE(green, nullptr);
    EXPECT_EQ(list.GetIcon(1), nullptr) << "each cell serves once";
    const COLORREF background = RGB(40, 40, 200);
    IconCanvas canvas(32, 16, background);
    canvas.Draw(green, 0, 0);
    EXPECT_TRUE(NearColour(canvas.Pixel(8, 8), RGB(0, 255, 0))) << "opaque";
    EXPECT_TRUE(NearColour(canvas.Pixel(8, 0), background)) << "transparent";
    EXPECT_TRUE(NearColour(canvas.Pixel(0, 8), RGB(20, 148, 100), 4)) << "half: " << std::hex << canvas.Pixel(0, 8);
    DestroyIcon(green);

    HICON blue = list.GetIcon(2);
    ASSERT_NE(blue, nullptr);
    canvas.Draw(blue, 16, 0);
    EXPECT_TRUE(NearColour(canvas.Pixel(24, 8), RGB(0, 0, 255)));
    EXPECT_TRUE(NearColour(canvas.Pixel(24, 0), background));
    DestroyIcon(blue);

    EXPECT_EQ(list.GetIcon(3), nullptr);
    EXPECT_EQ(list.GetIcon(-1), nullptr);
}

TEST(AlphaImageListTest, OnlyFullCellsCount)
{
    const auto opaque = [](int, int) { return 0xFF808080u; };
    CImage narrow, ragged;
    FillAlphaImage(narrow, 15, 16, opaque);
    FillAlphaImage(ragged, 40, 20, opaque);
    CAlphaImageList none(16, 16), two(16, 16);
    none.Create(narrow);
    EXPECT_EQ(none.GetCount(), 0);
    EXPECT_EQ(none.GetIcon(0), nullptr);
    two.Create(ragged);
    EXPECT_EQ(two.GetCount(), 2) << "40 x 20 holds two full 16 x 16 cells";
    CImage empty;
    none.Create(empty);
    EXPECT_EQ(none.GetCount(), 0);
}

// The language module's strip, as the preview uses it: 14 cells, and the
// button icons drawn over a coloured background keep it at their corners.
TEST(AlphaImageListTest, LanguageModuleStripGivesTheButtonIcons)
{
    LibraryModule module(L"TavrenaJPN.dll");
    ASSERT_TRUE(module.IsLoaded());
    HINSTANCE old = AfxGetResourceHandle();
    AfxSetResourceHandle(module.Handle());
    CImage strip;
    const BOOL loaded = LoadPreviewIconStrip(strip);
    AfxSetResourceHandle(old);
    ASSERT_TRUE(loaded);
    CAlphaImageList list(16, 16);
    list.Create(strip);
    ASSERT_EQ(list.GetCount(), 14);

    const COLORREF background = RGB(255, 220, 0);
    IconCanvas canvas(14 * 16, 16, background);
    for (int cell = 0; cell < 14; ++cell) {
        if (cell == 4)
            continue;  // unused
        HICON icon = list.GetIcon(cell);
        ASSERT_NE(icon, nullptr) << cell;
        canvas.Draw(icon, cell * 16, 0);
        DestroyIcon(icon);
    }
    EXPECT_TRUE(NearColour(canvas.Pixel(6 * 16, 15), background)) << "corner of the up arrow";
    EXPECT_FALSE(NearColour(canvas.Pixel(6 * 16 + 8, 8), background)) << "the arrow itself";
    EXPECT_TRUE(canvas.SaveEnlarged(TestOutputFolder() + L"\\PreviewIcons.png", 4));
}
