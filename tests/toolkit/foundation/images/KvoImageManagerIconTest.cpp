#include <gtest/gtest.h>
#include <afxwin.h>

#include "foundation/base/KvoColorManager.h"
#include "foundation/images/KvoImageManager.h"
#include "KvoImageTestSupport.h"

namespace {

// A free-standing icon (no set, no manager) of a 4 x 1 alpha image: opaque
// white, opaque black, opaque mid grey, half-transparent white.
class KvoImageManagerIconTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_bitmap.Attach(MakeAlphaBitmap(4, 1, {0xFFFFFFFF, 0xFF000000, 0xFF808080, 0x80FFFFFF}));
        ASSERT_TRUE(m_icon.SetIcon(CKvoImageManagerIconHandle(static_cast<HBITMAP>(m_bitmap.m_hObject))));
    }

    static std::vector<DWORD> PixelsOf(const CKvoImageManagerIconHandle& handle)
    {
        EXPECT_TRUE(handle.IsAlpha());
        return ReadBitmapPixels(handle.GetBitmap());
    }

    CBitmap m_bitmap;
    CKvoImageManagerIcon m_icon{1, 4, 1};
};

}  // namespace

// Alpha images are worked on premultiplied: the half-transparent white is
// 0x80808080 in memory.
TEST_F(KvoImageManagerIconTest, ComputedDisabledImageIsGreyByBrightness)
{
    EXPECT_TRUE(m_icon.GetDisabledIcon(FALSE).IsEmpty());
    std::vector<DWORD> grey = PixelsOf(m_icon.GetDisabledIcon(TRUE));
    ASSERT_EQ(4u, grey.size());
    EXPECT_EQ(0xFFFFFFFFu, grey[0]) << "white stays white";
    EXPECT_EQ(0xFF000000u, grey[1]) << "black stays black";
    // 128 has luminance 0.502, whose square root x 255 is 180.7.
    EXPECT_EQ(0xFFB4B4B4u, grey[2]);
    EXPECT_EQ(0x80808080u, grey[3]) << "alpha kept, colour premultiplied again";
    EXPECT_EQ(0xFFFFFFFFu, PixelsOf(m_icon.GetIcon())[0]) << "the normal image is untouched";
}

TEST_F(KvoImageManagerIconTest, DisabledImageWithCustomColoursMixesDarkToLight)
{
    m_icon.CreateDisabledIcon(RGB(255, 255, 255), RGB(0, 0, 128));
    std::vector<DWORD> mixed = PixelsOf(m_icon.GetDisabledIcon(FALSE));
    ASSERT_EQ(4u, mixed.size());
    EXPECT_EQ(0xFFFFFFFFu, mixed[0]) << "white to the light colour";
    EXPECT_EQ(0xFF000080u, mixed[1]) << "black to the dark colour";
    EXPECT_EQ(0x80808080u, mixed[3]);

    m_icon.CreateDisabledIcon(RGB(255, 0, 0), RGB(0, 255, 0));
    EXPECT_EQ(0xFFFFFFFFu, PixelsOf(m_icon.GetDisabledIcon(FALSE))[0]) << "made once until a refresh";
    m_icon.Refresh();
    m_icon.CreateDisabledIcon(RGB(255, 0, 0), RGB(0, 255, 0));
    EXPECT_EQ(0xFFFF0000u, PixelsOf(m_icon.GetDisabledIcon(FALSE))[0]);
}

TEST_F(KvoImageManagerIconTest, FadedAndShadowImages)
{
    std::vector<DWORD> faded = PixelsOf(m_icon.GetFadedIcon());
    ASSERT_EQ(4u, faded.size());
    EXPECT_EQ(0xFFu, faded[1] >> 24);
    // Three tenths of full alpha over black: 76.5.
    EXPECT_NEAR(77, static_cast<int>(faded[1] & 0xFF), 1);
    EXPECT_EQ(0xFFFFFFFFu, faded[0]);

    COLORREF base = CKvoColorManager::Instance()->GetColor(31);
    DWORD shadow = (static_cast<DWORD>(GetRValue(base) * 3 / 4) << 16) | (static_cast<DWORD>(GetGValue(base) * 3 / 4) << 8) |
                   static_cast<DWORD>(GetBValue(base) * 3 / 4);
    std::vector<DWORD> shadowPixels = PixelsOf(m_icon.GetShadowIcon());
    ASSERT_EQ(4u, shadowPixels.size());
    EXPECT_EQ(0xFF000000u | shadow, shadowPixels[1]) << "the shadow colour at full alpha";
    EXPECT_EQ(0x80u, shadowPixels[3] >> 24) << "the image's outline";

    CBitmap clear;
    clear.Attach(MakeAlphaBitmap(1, 1, {0x00000000}));
    CKvoImageManagerIcon transparent(2, 1, 1);
    transparent.SetIcon(CKvoImageManagerIconHandle(static_cast<HBITMAP>(clear.m_hObject)));
    EXPECT_EQ(0u, PixelsOf(transparent.GetShadowIcon())[0]) << "transparent stays transparent";
}

namespace {

// 16 x 16 with the left half red and the right half transparent.
class KvoIconDrawingTest : public ::testing::Test
{
protected:
    KvoIconDrawingTest() : m_halfIcon(MakeTwoColourIcon(16, RGB(255, 0, 0), CLR_NONE)) {}

    // The image the manager keeps for the half icon, packed or not.
    CKvoImageManagerIcon* Registered(BOOL packing)
    {
        m_manager.SetUseResources(packing);
        m_manager.SetIcon(m_halfIcon, 700);
        return m_manager.IsIconDefined(700, 16);
    }

    TestIcon m_halfIcon;
    CKvoImageManager m_manager;
};

}  // namespace

TEST_F(KvoIconDrawingTest, MirroringFlipsIconsButNotAlphaBitmaps)
{
    for (BOOL packing : {FALSE, TRUE})
    {
        SCOPED_TRACE(packing ? "packed" : "own icon");
        CKvoImageManagerIcon* icon = Registered(packing);
        ASSERT_NE(nullptr, icon);
        for (BOOL composited : {FALSE, TRUE})
        {
            SCOPED_TRACE(composited ? "composited" : "direct");
            icon->SetDrawComposited(composited);
            m_manager.SetDrawReverted(0);
            TestCanvas plain(16, 16, RGB(0, 255, 0));
            icon->Draw(plain.Dc(), CPoint(0, 0));
            EXPECT_EQ(RGB(255, 0, 0), plain.Pixel(2, 8));
            EXPECT_EQ(RGB(0, 255, 0), plain.Pixel(13, 8)) << "the transparent half shows the ground";

            m_manager.SetDrawReverted(1);
            TestCanvas mirrored(16, 16, RGB(0, 255, 0));
            icon->Draw(mirrored.Dc(), CPoint(0, 0));
            EXPECT_EQ(RGB(0, 255, 0), mirrored.Pixel(2, 8));
            EXPECT_EQ(RGB(255, 0, 0), mirrored.Pixel(13, 8)) << "flipped in the same rectangle";
        }
    }

    CBitmap halfAlpha;
    std::vector<DWORD> pixels(16 * 16, 0);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 8; ++x)
            pixels[y * 16 + x] = 0xFFFF0000;
    halfAlpha.Attach(MakeAlphaBitmap(16, 16, pixels));
    m_manager.SetIcon(CKvoImageManagerIconHandle(static_cast<HBITMAP>(halfAlpha.m_hObject)), 701);
    m_manager.SetDrawReverted(1);
    TestCanvas canvas(16, 16, RGB(0, 255, 0));
    m_manager.IsIconDefined(701, 16)->Draw(canvas.Dc(), CPoint(0, 0));
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(2, 8)) << "alpha bitmaps are not mirrored";
    EXPECT_EQ(RGB(0, 255, 0), canvas.Pixel(13, 8));
}

TEST_F(KvoIconDrawingTest, RightToLeftContextsMirrorOnlyInTheDefaultMode)
{
    TestCanvas canvas(4, 4);
    ::SetLayout(canvas.Dc()->m_hDC, LAYOUT_RTL);
    EXPECT_TRUE(m_manager.IsDrawReverted(canvas.Dc()));
    m_manager.SetDrawReverted(0);
    EXPECT_FALSE(m_manager.IsDrawReverted(canvas.Dc()));
    m_manager.SetDrawReverted(2);
    ::SetLayout(canvas.Dc()->m_hDC, 0);
    EXPECT_FALSE(m_manager.IsDrawReverted(canvas.Dc()));
}

TEST_F(KvoIconDrawingTest, AlphaBitmapAboveTheTopShowsOnlyItsLowerRows)
{
    // Row r is opaque with red r x 10.
    std::vector<DWORD> pixels(16 * 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            pixels[y * 16 + x] = 0xFF000000 | (y * 10) << 16;
    CBitmap rows;
    rows.Attach(MakeAlphaBitmap(16, 16, pixels));
    CKvoImageManagerIcon icon(1, 16, 16);
    icon.SetIcon(CKvoImageManagerIconHandle(static_cast<HBITMAP>(rows.m_hObject)));
    TestCanvas canvas(16, 16, RGB(0, 0, 255));
    icon.Draw(canvas.Dc(), CPoint(0, -4));
    EXPECT_EQ(RGB(40, 0, 0), canvas.Pixel(5, 0));
    EXPECT_EQ(RGB(150, 0, 0), canvas.Pixel(5, 11));
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(5, 12)) << "nothing below the last row";

    TestCanvas scaled(32, 32, RGB(0, 0, 255));
    icon.DrawScaled(scaled.Dc(), CPoint(0, 0), CSize(32, 32));
    EXPECT_EQ(RGB(150, 0, 0), scaled.Pixel(5, 30));
}

TEST_F(KvoIconDrawingTest, MonochromeDrawingPaintsTheShapeInOneColour)
{
    CKvoImageManagerIcon* icon = Registered(FALSE);
    ASSERT_NE(nullptr, icon);
    TestCanvas canvas(16, 16);
    icon->DrawMono(canvas.Dc(), CPoint(0, 0), icon->GetIcon(), 0, 0, RGB(0, 0, 255));
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(2, 8));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(13, 8));
}
