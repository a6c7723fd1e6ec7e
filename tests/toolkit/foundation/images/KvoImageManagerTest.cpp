#include <gtest/gtest.h>
#include <afxwin.h>

#include "foundation/images/KvoImageManager.h"
#include "KvoImageTestSupport.h"

namespace {

const UINT kCommand = 1200;

// A fresh manager per test: the shared one lives for the process.
class KvoImageManagerTest : public ::testing::Test
{
protected:
    // The colour the icon's image for state draws at its centre on white.
    COLORREF StateColour(CKvoImageManagerIcon* icon, int state)
    {
        TestCanvas canvas(16, 16);
        icon->DrawHandle(canvas.Dc(), CPoint(0, 0), icon->GetStateIcon(state));
        return canvas.Pixel(4, 8);
    }

    CKvoImageManager m_manager;
};

}  // namespace

TEST_F(KvoImageManagerTest, StateImagesArePackedAndDrawnByCommandId)
{
    TestIcon normal(MakeSolidIcon(16, RGB(255, 0, 0))), hot(MakeSolidIcon(16, RGB(0, 255, 0))),
        checked(MakeSolidIcon(16, RGB(0, 0, 255))), pressed(MakeSolidIcon(16, RGB(255, 255, 0))),
        disabled(MakeSolidIcon(16, RGB(90, 90, 90)));

    EXPECT_FALSE(m_manager.SetIcon(hot, kCommand, 16, 16, kvoIconHot)) << "no normal image yet";
    EXPECT_EQ(nullptr, m_manager.IsIconDefined(kCommand, 16));
    ASSERT_TRUE(m_manager.SetIcon(normal, kCommand, 16, 16, kvoIconNormal));
    EXPECT_TRUE(m_manager.SetIcon(hot, kCommand, 16, 16, kvoIconHot));
    EXPECT_TRUE(m_manager.SetIcon(checked, kCommand, 16, 16, kvoIconChecked));
    EXPECT_TRUE(m_manager.SetIcon(pressed, kCommand, 16, 16, kvoIconPressed));
    EXPECT_TRUE(m_manager.SetIcon(disabled, kCommand, 16, 16, kvoIconDisabled));
    EXPECT_TRUE(m_manager.SetIcon(normal, kCommand, 16, 16, 7)) << "an unknown state changes nothing";
    EXPECT_FALSE(m_manager.SetIcon(CKvoImageManagerIconHandle(), kCommand, 16, 16, kvoIconNormal));

    CKvoImageManagerIcon* icon = m_manager.IsIconDefined(kCommand, 16);
    ASSERT_NE(nullptr, icon);
    EXPECT_NE(nullptr, icon->GetIcon().GetPackedImage()) << "copied into the manager's strip";
    EXPECT_EQ(16 * 5, m_manager.GetResource(16, 16)->GetUsedWidth());
    EXPECT_EQ(RGB(255, 0, 0), StateColour(icon, kvoIconNormal));
    EXPECT_EQ(RGB(255, 0, 0), StateColour(icon, 7));
    EXPECT_EQ(RGB(0, 255, 0), StateColour(icon, kvoIconHot));
    EXPECT_EQ(RGB(0, 0, 255), StateColour(icon, kvoIconChecked));
    EXPECT_EQ(RGB(255, 255, 0), StateColour(icon, kvoIconPressed));
    EXPECT_EQ(RGB(90, 90, 90), StateColour(icon, kvoIconDisabled));
}

TEST_F(KvoImageManagerTest, MissingStateImagesFallBack)
{
    TestIcon normal(MakeSolidIcon(16, RGB(255, 0, 0))), hot(MakeSolidIcon(16, RGB(0, 255, 0)));
    ASSERT_TRUE(m_manager.SetIcon(normal, kCommand));
    CKvoImageManagerIcon* icon = m_manager.IsIconDefined(kCommand, 16);
    ASSERT_NE(nullptr, icon);
    EXPECT_EQ(RGB(255, 0, 0), StateColour(icon, kvoIconChecked)) << "checked falls back to normal";
    EXPECT_EQ(RGB(255, 0, 0), StateColour(icon, kvoIconPressed));
    ASSERT_TRUE(m_manager.SetIcon(hot, kCommand, 0, 0, kvoIconHot));
    EXPECT_EQ(RGB(0, 255, 0), StateColour(icon, kvoIconChecked)) << "then to hot";
    EXPECT_EQ(RGB(0, 255, 0), StateColour(icon, kvoIconPressed));

    EXPECT_TRUE(icon->GetDisabledIcon(FALSE).IsEmpty());
    EXPECT_FALSE(icon->HasDisabledIcon());
    // Pure red: luminance 0.299, grey = sqrt(0.299) x 255 = 139.
    EXPECT_EQ(RGB(139, 139, 139), StateColour(icon, kvoIconDisabled));
    EXPECT_TRUE(icon->HasDisabledIcon());
}

TEST_F(KvoImageManagerTest, NearestWidthAndExactLookup)
{
    TestIcon small(MakeSolidIcon(16, RGB(255, 0, 0))), large(MakeSolidIcon(32, RGB(0, 0, 255)));
    ASSERT_TRUE(m_manager.SetIcon(small, kCommand));
    ASSERT_TRUE(m_manager.SetIcon(large, kCommand));
    EXPECT_EQ(16, m_manager.IsIconDefined(kCommand, 0)->GetWidth()) << "0 asks for the smallest";
    EXPECT_EQ(32, m_manager.IsIconDefined(kCommand, 1)->GetWidth()) << "1 asks for the largest";
    EXPECT_EQ(32, m_manager.IsIconDefined(kCommand, 30)->GetWidth());
    CKvoImageManagerIcon* between = m_manager.IsIconDefined(kCommand, 24);
    ASSERT_NE(nullptr, between);
    EXPECT_EQ(m_manager.GetIconSet(kCommand)->GetIcon(24, TRUE), between) << "the first met of two equally near";
    EXPECT_EQ(nullptr, m_manager.GetIconSet(kCommand)->GetIcon(24, FALSE));
    EXPECT_TRUE(m_manager.Lookup(kCommand, 16));
    EXPECT_FALSE(m_manager.Lookup(kCommand, 24));
    EXPECT_FALSE(m_manager.Lookup(kCommand + 1, 16));
    EXPECT_EQ(nullptr, m_manager.IsIconDefined(kCommand + 1, 16));
}

TEST_F(KvoImageManagerTest, ImageListsAnswerForTheirRunOfIds)
{
    HIMAGELIST list = ::ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 1);
    TestIcon first(MakeSolidIcon(16, RGB(255, 0, 0))), second(MakeSolidIcon(16, RGB(0, 0, 255)));
    ::ImageList_ReplaceIcon(list, -1, first);
    ::ImageList_ReplaceIcon(list, -1, second);
    m_manager.AddImageList(list, 500, TRUE);
    EXPECT_TRUE(m_manager.Lookup(501, 0));
    EXPECT_TRUE(m_manager.Lookup(501, 16));
    EXPECT_FALSE(m_manager.Lookup(501, 24));
    EXPECT_FALSE(m_manager.Lookup(502, 0));
    CKvoImageManagerIcon* icon = m_manager.IsIconDefined(501, 16);
    ASSERT_NE(nullptr, icon);
    TestCanvas canvas(16, 16);
    icon->Draw(canvas.Dc(), CPoint(0, 0));
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(8, 8));
}

namespace {

// A strip of 16 x 16 alpha images, width / 16 of them; image i is opaque with red = i x 20.
HBITMAP MakeNumberedStrip(int width)
{
    std::vector<DWORD> pixels(static_cast<size_t>(width) * 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < width; ++x)
            pixels[static_cast<size_t>(y) * width + x] = 0xFF000000 | ((x / 16) * 20) << 16;
    return MakeAlphaBitmap(width, 16, pixels);
}

int RedOfCommand(CKvoImageManager& manager, UINT id)
{
    CKvoImageManagerIcon* icon = manager.IsIconDefined(id, 16);
    if (!icon)
        return -1;
    TestCanvas canvas(16, 16);
    icon->Draw(canvas.Dc(), CPoint(0, 0));
    return GetRValue(canvas.Pixel(8, 8));
}

}  // namespace

TEST_F(KvoImageManagerTest, AlphaStripsAreCutIntoOnePiecePerCommand)
{
    CBitmap strip;
    strip.Attach(MakeNumberedStrip(160));
    const UINT skipping[] = {100, 0, 101};
    ASSERT_TRUE(m_manager.SetIcons(&strip, skipping, 3, 16, 16, kvoIconNormal, TRUE));
    EXPECT_EQ(0, RedOfCommand(m_manager, 100));
    EXPECT_EQ(20, RedOfCommand(m_manager, 101)) << "a zero id uses no piece";
    EXPECT_EQ(-1, RedOfCommand(m_manager, 0));

    m_manager.RemoveAll();
    const UINT ten[] = {200, 201, 0, 203, 204, 205, 206, 207, 208, 209};
    ASSERT_TRUE(m_manager.SetIcons(&strip, ten, 10, CSize(16, 16), kvoIconNormal, TRUE));
    EXPECT_EQ(60, RedOfCommand(m_manager, 203)) << "with one piece per id a zero id uses its piece";
    EXPECT_EQ(180, RedOfCommand(m_manager, 209));
    EXPECT_TRUE(m_manager.IsIconDefined(209, 16)->IsAlpha());

    CBitmap uneven;
    uneven.Attach(MakeNumberedStrip(150));
    EXPECT_FALSE(m_manager.SetIcons(&uneven, ten, 10, 16, 16, kvoIconNormal, TRUE));
}

TEST_F(KvoImageManagerTest, MaskedStripsTakeTheirTopLeftColourAsTransparent)
{
    // Two 16 x 16 images on a magenta ground: a red square and a blue one.
    CBitmap strip;
    TestCanvas source(32, 16, RGB(255, 0, 255));
    source.Dc()->FillSolidRect(4, 4, 8, 8, RGB(255, 0, 0));
    source.Dc()->FillSolidRect(20, 4, 8, 8, RGB(0, 0, 255));
    strip.Attach(CKvoImageManager::CopyAlphaBitmap(source.Bitmap()));
    const UINT ids[] = {300, 301};
    ASSERT_TRUE(m_manager.SetIcons(&strip, ids, 2, 0, 0, kvoIconNormal, FALSE));
    TestCanvas canvas(16, 16, RGB(0, 255, 0));
    m_manager.IsIconDefined(301, 16)->Draw(canvas.Dc(), CPoint(0, 0));
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(8, 8));
    EXPECT_EQ(RGB(0, 255, 0), canvas.Pixel(1, 1)) << "the ground is transparent";
}

TEST_F(KvoImageManagerTest, StripsGrowByOneImageAndAreFreedWithTheirLastSlot)
{
    CKvoImageManagerResource* strip = m_manager.GetResource(16, 16);
    TestIcon red(MakeSolidIcon(16, RGB(255, 0, 0))), blue(MakeSolidIcon(16, RGB(0, 0, 255)));
    CKvoImageManagerIconHandle first, second, third;
    first.SetImageManager(&m_manager);
    second.SetImageManager(&m_manager);
    third.SetImageManager(&m_manager);
    first.Copy(CKvoImageManagerIconHandle(red));
    EXPECT_EQ(16, strip->GetUsedWidth());
    second.Copy(CKvoImageManagerIconHandle(blue));
    EXPECT_EQ(32, strip->GetUsedWidth());
    first.Clear();
    EXPECT_EQ(32, strip->GetUsedWidth()) << "a freed slot waits to be reused";
    second.Clear();
    EXPECT_EQ(0, strip->GetUsedWidth());
    EXPECT_EQ(nullptr, strip->GetStripBitmap());
    third.Copy(CKvoImageManagerIconHandle(blue));
    EXPECT_EQ(16, strip->GetUsedWidth());

    CKvoImageManagerIconHandle odd;
    odd.SetImageManager(&m_manager);
    TestIcon large(MakeSolidIcon(32, RGB(0, 255, 0)));
    odd.Copy(CKvoImageManagerIconHandle(large));
    EXPECT_EQ(16, strip->GetUsedWidth()) << "another size takes another strip";
    EXPECT_EQ(32, m_manager.GetResource(32, 32)->GetUsedWidth());
}

TEST_F(KvoImageManagerTest, ScaleIconMakesANewIconOfTheWidth)
{
    TestIcon icon(MakeSolidIcon(16, RGB(255, 0, 0)));
    TestIcon scaled(CKvoImageManager::ScaleIcon(icon, 16, 16, 32));
    ASSERT_NE(nullptr, static_cast<HICON>(scaled));
    EXPECT_EQ(CSize(32, 32), CKvoImageManagerIcon::GetIconSize(scaled));
    TestIcon narrower(CKvoImageManager::ScaleIcon(icon, 8));
    EXPECT_EQ(CSize(8, 8), CKvoImageManagerIcon::GetIconSize(narrower));
    TestIcon same(CKvoImageManager::ScaleIcon(icon, 16));
    EXPECT_NE(static_cast<HICON>(icon), static_cast<HICON>(same)) << "a copy the caller destroys";
    EXPECT_EQ(nullptr, CKvoImageManager::ScaleIcon(icon, 16, 16, 0));
    EXPECT_EQ(nullptr, CKvoImageManager::ScaleIcon(icon, 0, 0, 16));
}
