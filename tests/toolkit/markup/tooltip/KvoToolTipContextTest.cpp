// The tooltip context: tool infos, the rounded region, styles and the
// message filter, driven through a real owner window and the real cursor.
#include <gtest/gtest.h>

#include "toolkit/markup/support/ToolTipTestSupport.h"
#include "foundation/base/KvoDrawHelpers.h"

namespace {

class KvoToolTipContextTest : public ToolTipOwnerTest {
protected:
    void SetUp() override
    {
        ToolTipOwnerTest::SetUp();
        context.tools = {{1, {10, 10, 100, 50}, L"First tool"}, {2, {110, 10, 200, 50}, L"Second tool"}};
    }

    void HoverAndWait(POINT point)
    {
        MoveCursorTo(owner, point);
        PumpUntil([this] { return context.TipVisible(); });
    }
};

} // namespace

TEST(KvoToolTipContextInfo, FillInToolInfoNeedsAtLeastAVersionOneInfo)
{
    struct Case {
        bool null;
        UINT size;
        bool filled;
    };
    const Case cases[] = {{true, 0, false},
                          {false, TTTOOLINFOW_V1_SIZE - 1, false},
                          {false, TTTOOLINFOW_V1_SIZE, true},
                          {false, TTTOOLINFOW_V2_SIZE, true},
                          {false, sizeof(TOOLINFO), true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        TOOLINFO info = {};
        info.cbSize = c.size;
        CKvoToolTipContext::FillInToolInfo(c.null ? nullptr : &info, reinterpret_cast<HWND>(0x10), {1, 2, 3, 4},
                                           7, L"text");
        EXPECT_EQ(c.filled, info.lpszText != nullptr);
        if (!c.filled)
            continue;
        EXPECT_EQ(reinterpret_cast<HWND>(0x10), info.hwnd);
        EXPECT_EQ(7u, info.uId);
        EXPECT_EQ(3, info.rect.right);
        EXPECT_STREQ(L"text", info.lpszText);
        free(info.lpszText);
    }
}

TEST(KvoToolTipContextInfo, FillInToolInfoExCopiesTitleAndDescriptionOnlyAsAPair)
{
    struct Case {
        UINT size;
        bool record;
        const wchar_t* title;
        const wchar_t* description;
        bool copies;
        bool images;
    };
    const Case cases[] = {{TTTOOLINFOW_V2_SIZE, true, L"Title", L"Body", true, true},
                          {TTTOOLINFOW_V2_SIZE, true, L"Title", L"", false, true},
                          {TTTOOLINFOW_V2_SIZE, true, L"", L"Body", false, true},
                          {TTTOOLINFOW_V2_SIZE, false, L"Title", L"Body", false, false},
                          {TTTOOLINFOW_V1_SIZE, true, L"Title", L"Body", false, false},
                          {sizeof(TOOLINFO), true, L"Title", L"Body", false, false}};
    CKvoImageManager* images = reinterpret_cast<CKvoImageManager*>(0x1234);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.size << " " << c.title << "/" << c.description);
        KvoToolInfoExtension extension = {};
        TOOLINFO info = {};
        info.cbSize = c.size;
        info.lParam = c.record ? reinterpret_cast<LPARAM>(&extension) : 0;
        CKvoToolTipContext::FillInToolInfoEx(&info, NULL, {}, 1, L"text", c.title, c.description, images);
        EXPECT_STREQ(L"text", info.lpszText);
        EXPECT_EQ(c.copies, extension.title != nullptr);
        EXPECT_EQ(c.copies, extension.description != nullptr);
        if (c.copies) {
            EXPECT_STREQ(c.title, extension.title);
            EXPECT_STREQ(c.description, extension.description);
        }
        EXPECT_EQ(c.images ? images : nullptr, extension.imageManager);
        free(info.lpszText);
        free(extension.title);
        free(extension.description);
    }
}

TEST(KvoToolTipContextRegion, RoundedRegionCutsTheFourCornerPixels)
{
    CWnd window;
    ASSERT_TRUE(CreateTestPopup(window, false, 10, 10, 30, 20));
    CKvoToolTipContext::SetRoundedWindowRegion(&window);
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, ::GetWindowRgn(window.GetSafeHwnd(), region));
    const POINT cut[] = {{0, 0}, {29, 0}, {0, 19}, {29, 19}};
    for (POINT point : cut)
        EXPECT_FALSE(::PtInRegion(region, point.x, point.y)) << point.x << "," << point.y;
    const POINT kept[] = {{1, 0}, {28, 0}, {0, 1}, {29, 18}, {1, 19}, {28, 19}, {15, 10}};
    for (POINT point : kept)
        EXPECT_TRUE(::PtInRegion(region, point.x, point.y)) << point.x << "," << point.y;
    ::DeleteObject(region);
    window.DestroyWindow();
}

TEST(KvoToolTipContextStyle, StylesSetTheirTipStyleBitsAndBalloonNeedsNewCommonControls)
{
    CKvoToolTipContext context;
    struct Case {
        int style;
        DWORD bits;
    };
    const Case cases[] = {{KvoToolTipStyle::Office, 0x3000},  {KvoToolTipStyle::Office2007, 0x4000},
                          {KvoToolTipStyle::Luna, 0},         {KvoToolTipStyle::Office, 0x3000},
                          {KvoToolTipStyle::Standard, 0}};
    for (const Case& c : cases) {
        context.SetStyle(c.style);
        EXPECT_EQ(c.style, context.GetStyle());
        EXPECT_EQ(c.bits | TTS_NOPREFIX, context.GetTipStyle()) << c.style;
    }
    context.SetComCtlVersion(0x50047);
    context.SetStyle(KvoToolTipStyle::Balloon);
    EXPECT_EQ(KvoToolTipStyle::Standard, context.GetStyle()) << "older than 5.80: balloon ignored";
    context.SetComCtlVersion(0x50050);
    context.SetStyle(KvoToolTipStyle::Balloon);
    EXPECT_EQ(KvoToolTipStyle::Balloon, context.GetStyle());
}

TEST_F(KvoToolTipContextTest, FirstMoveOverAToolMakesAndConfiguresTheTip)
{
    context.SetStyle(KvoToolTipStyle::Office);
    context.SetMaxTipWidth(-1);
    EXPECT_EQ(nullptr, context.GetToolTip());
    MoveCursorTo(owner, {20, 20});
    CKvoToolTipContextToolTip* tip = context.OwnTip();
    ASSERT_NE(nullptr, tip);
    EXPECT_EQ(owner.GetSafeHwnd(), ::GetWindow(tip->GetSafeHwnd(), GW_OWNER));
    EXPECT_EQ(static_cast<DWORD>(0x3000 | TTS_ALWAYSTIP | TTS_NOPREFIX), tip->GetStyle() & 0xFFFF);
    EXPECT_EQ(1, tip->GetToolCount());
    EXPECT_TRUE(tip->IsActive());
    ASSERT_TRUE(PumpUntil([this] { return context.TipVisible(); }));
    EXPECT_EQ(1u, tip->GetShownTool().id);
}

// The filter's messages: those that move the tip reach it, keys and clicks
// hide it, the rest pass by.
TEST_F(KvoToolTipContextTest, KeysAndClicksHideTheTipOtherMessagesPassBy)
{
    context.SetStyle(KvoToolTipStyle::Office);
    struct Case {
        UINT message;
        bool hides;
    };
    const Case cases[] = {{WM_KEYDOWN, true},       {WM_CHAR, true},          {WM_SYSKEYUP, true},
                          {WM_LBUTTONDOWN, true},   {WM_RBUTTONDBLCLK, true}, {WM_MBUTTONDOWN, true},
                          {WM_NCLBUTTONDOWN, true}, {WM_NCMBUTTONDBLCLK, true}, {WM_PAINT, false},
                          {WM_MOUSEWHEEL, false},   {WM_NCLBUTTONUP, false},  {WM_TIMER, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        MoveCursorTo(owner, {150, 100});
        HoverAndWait({20, 20});
        ASSERT_TRUE(context.TipVisible());
        context.FilterToolTipMessage(&owner, c.message, 0, 0);
        EXPECT_EQ(!c.hides, context.TipVisible());
        EXPECT_EQ(!c.hides, context.OwnTip()->IsActive());
    }
}

TEST_F(KvoToolTipContextTest, AfterAKeyTheTipStaysAwayOnTheSameToolAndReturnsOnAnother)
{
    context.SetStyle(KvoToolTipStyle::Office);
    HoverAndWait({20, 20});
    ASSERT_TRUE(context.TipVisible());
    owner.SendMessage(WM_KEYDOWN, VK_SHIFT, 0);
    EXPECT_FALSE(context.TipVisible());
    MoveCursorTo(owner, {30, 25});
    EXPECT_FALSE(PumpUntil([this] { return context.TipVisible(); }, 0.4)) << "same tool only relays";
    HoverAndWait({120, 20});
    EXPECT_TRUE(context.TipVisible());
    EXPECT_EQ(2u, context.OwnTip()->GetShownTool().id);
}

TEST_F(KvoToolTipContextTest, ATitleEqualToTheDescriptionIsDropped)
{
    context.SetStyle(KvoToolTipStyle::Office2007);
    context.ShowTitleAndDescription(true);
    context.tools = {{1, {10, 10, 100, 50}, L"Tool", L"Same", L"Same"},
                     {2, {110, 10, 200, 50}, L"Tool", L"Paste", L"Paste the clipboard"}};
    HoverAndWait({20, 20});
    ASSERT_TRUE(context.TipVisible());
    EXPECT_EQ(L"", context.OwnTip()->GetTitle());
    EXPECT_EQ(L"Tool", context.OwnTip()->GetShownTool().text);
    HoverAndWait({120, 20});
    EXPECT_EQ(L"Paste", context.OwnTip()->GetTitle());
    EXPECT_EQ(L"Paste the clipboard", context.OwnTip()->GetShownTool().text);
}

TEST_F(KvoToolTipContextTest, MnemonicsGoUnlessTheTipStyleKeepsPrefixes)
{
    context.SetStyle(KvoToolTipStyle::Office);
    context.tools = {{1, {10, 10, 100, 50}, L"&Open && close"}};
    context.ModifyTipStyle(TTS_NOPREFIX, 0);
    HoverAndWait({20, 20});
    ASSERT_TRUE(context.TipVisible());
    EXPECT_EQ(L"Open & close", context.OwnTip()->GetShownTool().text);
}

TEST_F(KvoToolTipContextTest, ChangingTheStyleDestroysTheTipAndTheNextMoveMakesTheNewKind)
{
    context.SetStyle(KvoToolTipStyle::Office);
    HoverAndWait({20, 20});
    ASSERT_TRUE(context.TipVisible());
    HWND old = context.TipWindow();
    context.SetStyle(KvoToolTipStyle::Luna);
    EXPECT_FALSE(::IsWindow(old));
    EXPECT_EQ(nullptr, context.GetToolTip());
    HoverAndWait({25, 25});
    ASSERT_TRUE(context.TipVisible()) << "the same tool registers again with the new window";
    EXPECT_TRUE(context.GetToolTip()->IsKindOf(RUNTIME_CLASS(CKvoToolTipContextToolTip)));
}

// Without the foreground a newly hit tool is not activated unless its flags
// ask for it; a visible tip goes at the next filtered message.
TEST_F(KvoToolTipContextTest, AnInactiveOwnerShowsOnlyToolsThatAskToBeShownAtOnce)
{
    context.SetStyle(KvoToolTipStyle::Office);
    HoverAndWait({20, 20});
    ASSERT_TRUE(context.TipVisible());
    CWnd other;
    ASSERT_TRUE(CreateTestPopup(other, true, 600, 400, 50, 50));
    ::SetForegroundWindow(other.GetSafeHwnd());
    ASSERT_TRUE(PumpUntil([this] { return !CKvoDrawHelpers::IsTopParentActive(owner.GetSafeHwnd()); }));
    MoveCursorTo(owner, {22, 22});
    EXPECT_FALSE(context.TipVisible());
    EXPECT_FALSE(context.OwnTip()->IsActive());

    MoveCursorTo(owner, {120, 20});
    EXPECT_FALSE(PumpUntil([this] { return context.TipVisible(); }, 0.4));
    context.tools[0].flags = kKvoToolActivateAtOnce;
    HoverAndWait({20, 20});
    EXPECT_TRUE(context.TipVisible());
    other.DestroyWindow();
}

// The heap copies of a hit test are freed on every road: the same tool, a
// new tool, no tool.
TEST_F(KvoToolTipContextTest, HeapCopiesAndGdiObjectsStaySteadyOverManyMoves)
{
    context.SetStyle(KvoToolTipStyle::Office2007);
    context.ShowTitleAndDescription(true);
    context.tools = {{1, {10, 10, 100, 50}, CStringW(L'a', 200), CStringW(L'b', 100), CStringW(L'c', 300)},
                     {2, {110, 10, 200, 50}, CStringW(L'd', 200), CStringW(L'e', 100), CStringW(L'f', 300)}};
    context.SetDelayTime(TTDT_RESHOW, 5000);
    HoverAndWait({20, 20});
    ASSERT_TRUE(context.TipVisible());
    auto moveAbout = [this] {
        for (int round = 0; round < 100; ++round) {
            MoveCursorTo(owner, {20 + round % 50, 20});
            MoveCursorTo(owner, {120 + round % 50, 20});
            MoveCursorTo(owner, {250, 150});
        }
    };
    moveAbout();
    const size_t heapBefore = CrtHeapBytesInUse();
    const DWORD gdiBefore = GdiObjectsInUse();
    moveAbout();
    EXPECT_LT(CrtHeapBytesInUse(), heapBefore + 4096) << "300 moves would leak some 360 KB of copies";
    EXPECT_EQ(gdiBefore, GdiObjectsInUse());
    EXPECT_LE(context.OwnTip()->GetToolCount(), 1);
}

TEST_F(KvoToolTipContextTest, StandardLookUsesACommonTooltipControl)
{
    context.tools[0].title = L"Title";
    context.tools[0].description = L"Body";
    context.ShowTitleAndDescription(true);
    MoveCursorTo(owner, {20, 20});
    ASSERT_NE(nullptr, context.GetToolTip());
    wchar_t className[64] = {};
    ::GetClassNameW(context.TipWindow(), className, 64);
    EXPECT_STREQ(TOOLTIPS_CLASSW, className);
    EXPECT_EQ(nullptr, context.OwnTip());
    EXPECT_EQ(1, static_cast<int>(context.GetToolTip()->SendMessage(TTM_GETTOOLCOUNT)));
    if (PumpUntil([this] { return context.TipVisible(); }, 3.0)) {
        CWindowPicture picture(context.TipWindow());
        picture.SavePng(TestOutputFolder() + L"\\tooltip-standard.png");
    } else {
        ADD_FAILURE() << "the common control's tip did not show";
    }
}
