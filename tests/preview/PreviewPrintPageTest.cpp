// The arithmetic of a printed page: its size after the shrink and the
// rounding, the footer's font height, the document name and footer text,
// the flag words of the pages, and the Direct2D page, which takes the paper
// size only when the DEVMODE names it.
#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>
#include "PreviewPrint.h"

namespace {
// What a GDI page makes of a clip box: the 1-unit shrink, the rounding and
// the footer font.
TEST(PreviewPrintPage, ClipBoxGivesPrintAreaAndFooterFont)
{
    struct Case {
        int clipWidth, clipHeight;
        int width, height, fontHeight;
    } cases[] = {
        {4961, 7016, 4956, 7012, -74},  // A4 at 600 dpi
        {7016, 4961, 7012, 4956, -74},  // the same, landscape
        {2480, 3508, 2476, 3504, -37},  // A4 at 300 dpi
        {258, 400, 256, 396, -4},       // 256 is the smallest side
        {259, 259, 256, 256, -4},       // 257 rounds down to 256
        {260, 261, 256, 256, -4},
        {100, 50, 256, 256, -4},        // small pages render at 256
        {2, 2, 256, 256, -4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.clipWidth << " x " << c.clipHeight);
        RECT page = {0, 0, c.clipWidth, c.clipHeight};
        InflateRect(&page, -1, -1);
        const int width = PrintPageSide(page.right - page.left);
        const int height = PrintPageSide(page.bottom - page.top);
        EXPECT_EQ(width, c.width);
        EXPECT_EQ(height, c.height);
        EXPECT_EQ(FooterFontHeight(std::min(width, height)), c.fontHeight);
    }
    EXPECT_EQ(FooterFontHeight(800), -12);
    EXPECT_EQ(FooterFontHeight(1600), -24);
}

TEST(PreviewPrintPage, DocumentNameAndFooterText)
{
    EXPECT_EQ(PrintDocumentName(L"  C:\\Draw\\a.jww \t"), CStringW(L"C\xFF1A\\Draw\\a.jww"));
    EXPECT_EQ(PrintDocumentName(L"a:b:c"), CStringW(L"a\xFF1A" L"b\xFF1A" L"c"));
    EXPECT_EQ(PrintDocumentName(L""), CStringW(L""));
    SYSTEMTIME time = {};
    time.wYear = 2024;
    time.wMonth = 5;
    time.wDay = 6;
    time.wHour = 7;
    time.wMinute = 8;
    time.wSecond = 9;
    EXPECT_EQ(PrintFooterText(time, PrintDocumentName(L"C:\\Draw\\a.jww")),
              CStringW(L"2024/05/06 07:08:09 C\xFF1A\\Draw\\a.jww"));
}

TEST(PreviewPrintPage, PageFlagsOfTheGdiPages)
{
    const uint32_t preview = DrawFlag::KeepView | DrawFlag::Direct2D | DrawFlag::GdiPlusImages |
                             DrawFlag::PenWidths | DrawFlag::UserBackground;
    EXPECT_EQ(GdiPageFlags(preview, false),
              DrawFlag::PenWidths | DrawFlag::UserBackground | DrawFlag::Print | DrawFlag::ThickLines);
    EXPECT_EQ(GdiPageFlags(preview, true), DrawFlag::PenWidths | DrawFlag::UserBackground | DrawFlag::Print |
                                               DrawFlag::ThickLines | DrawFlag::Direct2D | DrawFlag::GdiPlusImages);
    EXPECT_EQ(GdiPageFlags(DrawFlag::KeepView, true), DrawFlag::Print | DrawFlag::ThickLines | DrawFlag::Direct2D);
}

// The paper size is taken, and its bits kept, only when the DEVMODE names
// both paper dimensions; otherwise the page is the print job's default
// page and the bits stay clear, so the job sizes its page the same way.
TEST(PreviewPrintPage, Direct2DPageTakesThePaperOnlyWhenTheSettingsNameIt)
{
    const DWORD paper = DM_PAPERLENGTH | DM_PAPERWIDTH;
    struct Case {
        const char* name;
        DWORD fields;
        short width, length;
        RECT page;
        DWORD fieldsAfter;
    } cases[] = {
        {"A4 named", paper | DM_PAPERSIZE, 2100, 2970, {1, 1, 792, 1121}, paper | DM_PAPERSIZE},
        {"A3 named", paper, 2970, 4200, {1, 1, 1121, 1586}, paper},
        {"only the paper number", DM_PAPERSIZE, 0, 0, {1, 1, 815, 1055}, DM_PAPERSIZE},
        {"sizes without their bits", DM_PAPERSIZE, 2100, 2970, {1, 1, 815, 1055}, DM_PAPERSIZE},
        {"one bit only", DM_PAPERWIDTH, 2100, 2970, {1, 1, 815, 1055}, 0},
        {"bits with zero sizes", paper, 0, 0, {1, 1, 815, 1055}, 0},
        {"negative length", paper, 2100, -5, {1, 1, 815, 1055}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DEVMODEW mode = {};
        mode.dmSize = sizeof mode;
        mode.dmFields = c.fields;
        mode.dmPaperWidth = c.width;
        mode.dmPaperLength = c.length;
        const RECT page = Direct2DPageRect(mode);
        EXPECT_EQ(page.left, c.page.left);
        EXPECT_EQ(page.top, c.page.top);
        EXPECT_EQ(page.right, c.page.right);
        EXPECT_EQ(page.bottom, c.page.bottom);
        EXPECT_EQ(mode.dmFields, c.fieldsAfter);
    }
}

// The page view shows the preview's part of the drawing, enlarged by the
// page's shorter side over the preview bitmap's width; without a drawing
// no zoom correction is added.
TEST(PreviewPrintPage, FitViewToPageScalesAndShiftsTheView)
{
    PreviewPrintSource source;
    source.view.width = source.view.height = 512;
    source.view.scale = 1024;
    source.view.originX = 100;
    source.view.originY = -100;
    source.pictureClient = RECT{0, 0, 400, 500};
    DrawData page = source.view;
    EXPECT_EQ(FitViewToPage(page, RECT{1, 1, 4960, 7015}, source), 4956);
    EXPECT_EQ(page.width, 4956);
    EXPECT_EQ(page.height, 7012);
    EXPECT_EQ(page.scale, static_cast<int>(4956.0 * 1024 / 512));
    EXPECT_EQ(page.originX, 100 - (4956 - 512) / 2);
    EXPECT_EQ(page.originY, -100 + (7012 - 512) / 2);
}

// A damaged info cache file can hand the preview any scale and origin: the
// page takes a scale within the view's limits and an origin held at the
// ends of its range, instead of an overflowed int.
TEST(PreviewPrintPage, FitViewToPageHoldsADamagedViewWithinTheLimits)
{
    struct Case {
        const char* name;
        int32_t scale, originX, originY;
        int32_t pageScale, pageOriginX, pageOriginY;
    } const cases[] = {
        {"huge scale", 2000000000, 0, 0, static_cast<int32_t>(4956.0 * 65536 / 256), -(4956 - 256) / 2,
         (7012 - 256) / 2},
        {"tiny scale", 1, 0, 0, static_cast<int32_t>(4956.0 * 64 / 256), -(4956 - 256) / 2, (7012 - 256) / 2},
        {"origins at the ends", 256, INT32_MIN + 5, INT32_MAX - 5, 4956, INT32_MIN, INT32_MAX},
    };
    for (const Case& c : cases) {
        PreviewPrintSource source;
        source.view.width = source.view.height = 256;
        source.view.scale = c.scale;
        source.view.originX = c.originX;
        source.view.originY = c.originY;
        source.pictureClient = RECT{0, 0, 400, 500};
        DrawData page = source.view;
        EXPECT_EQ(FitViewToPage(page, RECT{1, 1, 4960, 7015}, source), 4956) << c.name;
        EXPECT_EQ(page.scale, c.pageScale) << c.name;
        EXPECT_EQ(page.originX, c.pageOriginX) << c.name;
        EXPECT_EQ(page.originY, c.pageOriginY) << c.name;
    }
}

// The footer's font as the page asks for it: 12 units per 800 of the
// shorter side, Shift-JIS "ＭＳ ゴシック", character output precision.
TEST(PreviewPrintPage, FooterFontOfThePage)
{
    const LOGFONTW font = FooterLogFont(4956);
    EXPECT_EQ(font.lfHeight, -74);
    EXPECT_EQ(font.lfWidth, 0);
    EXPECT_EQ(font.lfWeight, FW_NORMAL);
    EXPECT_FALSE(font.lfItalic || font.lfUnderline || font.lfStrikeOut);
    EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);
    EXPECT_EQ(font.lfOutPrecision, 2);
    EXPECT_EQ(font.lfClipPrecision, 1);
    EXPECT_EQ(font.lfQuality, DEFAULT_QUALITY);
    EXPECT_EQ(font.lfPitchAndFamily, DEFAULT_PITCH);
    EXPECT_STREQ(font.lfFaceName, L"\xFF2D\xFF33 \x30B4\x30B7\x30C3\x30AF");
}
}  // namespace
