// The HTML tooltip: its page, its width search and its bounded wait, and the
// real road on a bench without an HTML engine.
#include <gtest/gtest.h>

#include <cmath>

#include "toolkit/markup/support/ToolTipTestSupport.h"
#include "foundation/base/KvoDrawHelpers.h"
#include "markup/tooltip/KvoHTMLToolTip.h"

using CHTMLToolTip = CKvoToolTipContext::CHTMLToolTip;

namespace {

// A page of text that wraps like words of a fixed width: lines of 20
// pixels, never narrower than its widest unbreakable part.
SIZE MeasureFlowingText(int naturalWidth, int widestPart, int width)
{
    const int lines = width <= 0 ? 1000 : static_cast<int>(std::ceil(double(naturalWidth) / width));
    return SIZE{width > widestPart ? width : widestPart, 20 * (lines < 1 ? 1 : lines)};
}

} // namespace

TEST(KvoHTMLToolTipPage, ThePageCarriesFaceSizeAndBackground)
{
    EXPECT_EQ(CStringW(L"about:<head><style> body {font-family:Tahoma; font-size:13;}table {font-family:Tahoma; "
                       L"font-size:13;}</style></head><body topmargin=0 leftmargin=0 bottommargin=0 "
                       L"rightmargin=0 bgColor=#ffe1a0></body>"),
              CHTMLToolTip::FormatPageUrl(L"Tahoma", 13, RGB(0xFF, 0xE1, 0xA0)));
}

TEST(KvoHTMLToolTipPage, WidthSearchFindsTheNarrowestSingleLineOrTheContentsWidth)
{
    struct Case {
        int naturalWidth;
        int widestPart;
        int maxWidth;
        int width;
        int height;
    };
    const Case cases[] = {
        {300, 60, 400, 300, 20},  // one line at 650: the search converges on the text's own width
        {900, 60, 400, 450, 40},  // two lines at 650 stay two lines down to 450
        {200, 700, 400, 700, 20}, // a table wider than the maximum: its scroll width
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.naturalWidth);
        int measured = 0;
        const CSize size = CHTMLToolTip::FindContentSize(c.maxWidth, [&](int width, int) {
            ++measured;
            return MeasureFlowingText(c.naturalWidth, c.widestPart, width);
        });
        EXPECT_EQ(c.width, size.cx);
        EXPECT_EQ(c.height, size.cy);
        EXPECT_LT(measured, 20);
    }
}

TEST(KvoHTMLToolTipPage, TheWaitEndsOnItsBoundOnQuitAndWhenTheWindowGoes)
{
    CWnd window;
    ASSERT_TRUE(CreateTestPopup(window));
    const auto never = [] { return false; };
    DWORD start = ::GetTickCount();
    EXPECT_EQ(CHTMLToolTip::PageWait::TimedOut, CHTMLToolTip::WaitForPage(never, window.GetSafeHwnd(), 300));
    EXPECT_GE(::GetTickCount() - start, 290u);

    int answers = 0;
    EXPECT_EQ(CHTMLToolTip::PageWait::Complete,
              CHTMLToolTip::WaitForPage([&answers] { return ++answers == 3; }, window.GetSafeHwnd(), 5000));

    ::PostQuitMessage(7);
    start = ::GetTickCount();
    EXPECT_EQ(CHTMLToolTip::PageWait::Quit, CHTMLToolTip::WaitForPage(never, window.GetSafeHwnd(), 5000));
    EXPECT_LT(::GetTickCount() - start, 1000u);
    MSG quit;
    ASSERT_TRUE(::PeekMessageW(&quit, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) << "left for the thread's loop";
    EXPECT_EQ(7u, quit.wParam);

    window.PostMessage(WM_CLOSE);
    EXPECT_EQ(CHTMLToolTip::PageWait::WindowGone, CHTMLToolTip::WaitForPage(never, window.GetSafeHwnd(), 5000));
    EXPECT_EQ(NULL, window.GetSafeHwnd());
}

// Wine has no HTML engine here: the page never completes (or the browser
// cannot be made). After at most five seconds the tip shows its text as the
// base window does, or never shows.
TEST(KvoHTMLToolTip, WithoutAnHtmlEngineTheTipShowsPlainTextAfterTheBound)
{
    ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
    {
        CTableToolTipContext context;
        CToolTipOwner owner;
        ASSERT_TRUE(owner.Create(100, 100, 320, 200));
        owner.context = &context;
        ::SetForegroundWindow(owner.GetSafeHwnd());
        PumpUntil([&owner] { return CKvoDrawHelpers::IsTopParentActive(owner.GetSafeHwnd()) != FALSE; });
        context.SetStyle(KvoToolTipStyle::Html);
        context.SetMaxTipWidth(-1);
        context.SetDelayTime(TTDT_INITIAL, 50);
        context.tools = {{1, {10, 10, 100, 50}, L"<b>Bold</b> words"}};
        const DWORD start = ::GetTickCount();
        MoveCursorTo(owner, {20, 20});
        // The wait ends after five seconds; a loaded machine adds the
        // browser's own start, hence the generous bounds.
        const bool shown = PumpUntil([&context] { return context.TipVisible(); }, 30.0);
        const DWORD waited = ::GetTickCount() - start;
        auto* tip = static_cast<CHTMLToolTip*>(context.GetToolTip());
        if (shown) {
            std::printf("[ info ] HTML tip shown after %lu ms, %s\n", waited,
                        tip->IsWithoutPage() ? "without the page" : "with the page");
            EXPECT_LT(waited, 20000u) << "the page wait is bounded";
            if (tip->IsWithoutPage())
                CWindowPicture(context.TipWindow()).SavePng(TestOutputFolder() + L"\\tooltip-html-plain.png");
        } else {
            std::printf("[ info ] HTML tip never shown: the browser could not be made\n");
        }
        owner.context = nullptr;
        owner.DestroyWindow();
    }
    ::OleUninitialize();
}
