// The looks of the library's tooltip windows by their pixels, and a
// picture of each for a person to look at.
#include <gtest/gtest.h>

#include "toolkit/foundation/DarkModeScope.h"
#include "toolkit/foundation/Office2007DiagnosticThemeScope.h"
#include "Office2007BlackGeometry.h"
#include "toolkit/markup/support/ToolTipTestSupport.h"
#include "foundation/base/KvoColorManager.h"
#include "foundation/base/KvoDrawHelpers.h"
#include "foundation/images/KvoImageManager.h"

namespace {

class KvoToolTipLooksTest : public ToolTipOwnerTest {
protected:
    void SetUp() override
    {
        ToolTipOwnerTest::SetUp();
        context.tools = {{1, {10, 10, 100, 50}, L"Open a drawing"}};
    }
    void TearDown() override
    {
        CKvoColorManager::Instance()->SetCurrentSystemTheme(KvoSystemThemeDefault);
        ToolTipOwnerTest::TearDown();
    }

    // Shows the tip of the first tool in the look and reads it back.
    std::unique_ptr<CWindowPicture> ShowAndRead(int style, const wchar_t* picture)
    {
        if (!HoverFirstTool(style))
            return nullptr;
        context.GetToolTip()->UpdateWindow();
        auto read = std::make_unique<CWindowPicture>(context.TipWindow());
        if (picture)
            read->SavePng(TestOutputFolder() + L"\\" + picture);
        return read;
    }
    CSize TipSize() const { return TipRect().Size(); }
};

COLORREF ThemeColour(const wchar_t* section, const wchar_t* key)
{
    for (const Office2007BlackColour& colour : kOffice2007BlackColours)
        if (CStringW(colour.section) == section && CStringW(colour.key) == key)
            return RGB(colour.red, colour.green, colour.blue);
    return CLR_NONE;
}

// A 16 x 16 icon of one colour.
HICON MakeIcon(COLORREF colour)
{
    HDC screen = ::GetDC(NULL);
    HBITMAP image = ::CreateCompatibleBitmap(screen, 16, 16);
    HBITMAP mask = ::CreateBitmap(16, 16, 1, 1, nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(memory, image);
    RECT all = {0, 0, 16, 16};
    HBRUSH brush = ::CreateSolidBrush(colour);
    ::FillRect(memory, &all, brush);
    ::SelectObject(memory, mask);
    ::PatBlt(memory, 0, 0, 16, 16, BLACKNESS);
    ::SelectObject(memory, old);
    ICONINFO info = {TRUE, 0, 0, mask, image};
    HICON icon = ::CreateIconIndirect(&info);
    ::DeleteObject(brush);
    ::DeleteDC(memory);
    ::DeleteObject(image);
    ::DeleteObject(mask);
    ::ReleaseDC(NULL, screen);
    return icon;
}

// Gradients are read a row in from their end: near, not equal.
bool Near(COLORREF a, COLORREF b)
{
    return abs(GetRValue(a) - GetRValue(b)) <= 8 && abs(GetGValue(a) - GetGValue(b)) <= 8 &&
           abs(GetBValue(a) - GetBValue(b)) <= 8;
}

} // namespace

TEST_F(KvoToolTipLooksTest, OfficeLookFillsWithTheBackColourInALightFrame)
{
    auto picture = ShowAndRead(KvoToolTipStyle::Office, L"tooltip-office.png");
    ASSERT_NE(nullptr, picture);
    const CSize size = TipSize();
    EXPECT_EQ(context.GetBackColor(), picture->Pixel(size.cx / 2, size.cy - 3));
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), picture->Pixel(size.cx / 2, 0));
    EXPECT_EQ(RGB(0, 0, 0), picture->Pixel(size.cx - 1, size.cy / 2));
}

TEST_F(KvoToolTipLooksTest, DarkModeDrawsBlackWithAGreyFrameAndWhiteText)
{
    DarkModeScope dark(true);
    EXPECT_EQ(RGB(255, 255, 255), context.GetTextColor());
    EXPECT_EQ(0x383838u, context.GetBackColor());
    auto picture = ShowAndRead(KvoToolTipStyle::Office, L"tooltip-office-dark.png");
    ASSERT_NE(nullptr, picture);
    const CSize size = TipSize();
    EXPECT_EQ(RGB(0, 0, 0), picture->Pixel(size.cx / 2, size.cy - 3));
    EXPECT_EQ(0x808080u, picture->Pixel(0, size.cy / 2));
    EXPECT_EQ(RGB(0, 0, 0), picture->Pixel(size.cx - 1, size.cy / 2));
}

TEST_F(KvoToolTipLooksTest, LunaFollowsTheWindowsTheme)
{
    struct Case {
        KvoSystemTheme theme;
        COLORREF frame;
        COLORREF top;
        const wchar_t* picture;
    };
    const Case cases[] = {{KvoSystemThemeBlue, 0x800000, 0x97D4FF, L"tooltip-luna-blue.png"},
                          {KvoSystemThemeOlive, 0x385D3F, 0x97D4FF, L"tooltip-luna-olive.png"},
                          {KvoSystemThemeSilver, 0x6F4B4B, 0x97D4FF, L"tooltip-luna-silver.png"},
                          {KvoSystemThemeDarkSilver, 0x6F4B4B, 0x585858, nullptr},
                          {KvoSystemThemeNone, 0, CLR_NONE, L"tooltip-luna-none.png"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.theme);
        CKvoColorManager::Instance()->SetCurrentSystemTheme(c.theme);
        context.SetStyle(KvoToolTipStyle::Standard); // a new window for every theme
        auto picture = ShowAndRead(KvoToolTipStyle::Luna, c.picture);
        ASSERT_NE(nullptr, picture);
        const CSize size = TipSize();
        EXPECT_EQ(c.frame, picture->Pixel(size.cx / 2, 0));
        EXPECT_EQ(c.frame, picture->Pixel(size.cx - 1, size.cy / 2));
        const COLORREF top = c.top == CLR_NONE ? context.GetBackColor() : c.top;
        EXPECT_TRUE(Near(top, picture->Pixel(size.cx - 3, 1))) << std::hex << picture->Pixel(size.cx - 3, 1);
    }
    // Outside the table the gradient runs from the background to white.
    CKvoColorManager::Instance()->SetCurrentSystemTheme(KvoSystemThemeNone);
    auto picture = ShowAndRead(KvoToolTipStyle::Luna, nullptr);
    ASSERT_NE(nullptr, picture);
    const COLORREF bottom = picture->Pixel(TipSize().cx - 3, TipSize().cy - 2);
    EXPECT_GE(GetRValue(bottom), 0xF0);
    EXPECT_GE(GetGValue(bottom), 0xF0);
    EXPECT_GE(GetBValue(bottom), 0xF0);
}

// The Office 2007 colours and frame picture come from the theme: on the
// diagnostic pictures each part of the frame shows in a colour of its own.
TEST_F(KvoToolTipLooksTest, Office2007LookTakesTheThemeFrameAndColours)
{
    Office2007DiagnosticThemeScope diagnosticTheme;
    EXPECT_EQ(0x4C4C4Cu, [this] {
        context.SetStyle(KvoToolTipStyle::Office2007);
        return context.GetTextColor();
    }());
    ASSERT_NE(CLR_NONE, ThemeColour(L"Window", L"TooltipLight"));
    auto picture = ShowAndRead(KvoToolTipStyle::Office2007, L"tooltip-office2007.png");
    ASSERT_NE(nullptr, picture);
    const CSize size = TipSize();
    // The frame picture covers the tip: its corners, edges and middle.
    EXPECT_EQ(static_cast<COLORREF>(Office2007BlackPartColour(0, 2)), picture->Pixel(1, 1));
    EXPECT_EQ(static_cast<COLORREF>(Office2007BlackPartColour(0, 1)), picture->Pixel(size.cx / 2, 1));
    EXPECT_EQ(static_cast<COLORREF>(Office2007BlackPartColour(0, 0)), picture->Pixel(5, size.cy / 2));
}

// What a person should see: an Office 2007 tip with title and icon below
// the cursor after the hover delay.
TEST_F(KvoToolTipLooksTest, Office2007TipWithTitleAndIcon)
{
    CKvoImageManager images;
    HICON icon = MakeIcon(RGB(0, 160, 0));
    ASSERT_TRUE(images.SetIcon(icon, 1));
    ::DestroyIcon(icon);
    context.ShowTitleAndDescription(true);
    context.ShowImage(true, 16);
    context.tools = {{1, {10, 10, 100, 50}, L"Open", L"Open", L"Open a Jw_cad drawing from a folder."}};
    context.tools[0].images = &images;
    context.SetDelayTime(TTDT_INITIAL, 300);
    const DWORD start = ::GetTickCount();
    auto picture = ShowAndRead(KvoToolTipStyle::Office2007, L"tooltip-office2007-title-icon.png");
    ASSERT_NE(nullptr, picture);
    EXPECT_GE(::GetTickCount() - start, 250u);
    EXPECT_EQ(L"Open", context.OwnTip()->GetTitle());
    POINT cursor;
    ::GetCursorPos(&cursor);
    CRect tip;
    ::GetWindowRect(context.TipWindow(), &tip);
    EXPECT_GT(tip.top, cursor.y);
    // The icon sits at the top left inside the frame and margin.
    EXPECT_EQ(RGB(0, 160, 0), picture->Pixel(3 + 4, 3 + 4));
    EXPECT_GT(tip.Height(), 40) << "title line, gap and text";
}
