// The library's tooltip window: timing, clicks, placement, callback text,
// the mouse hook on each UI thread, and AddTool's edge cases.
#include <gtest/gtest.h>

#include <process.h>

#include "toolkit/markup/support/ToolTipTestSupport.h"
#include "foundation/base/KvoDrawHelpers.h"
#include "foundation/base/KvoMultiMonitor.h"

namespace {

class KvoToolTipWindowTest : public ToolTipOwnerTest {
protected:
    void SetUp() override { Open(100, 100); }

    void Open(int x, int y)
    {
        OpenOwner(x, y);
        context.SetStyle(KvoToolTipStyle::Office);
        context.SetDelayTime(TTDT_INITIAL, 300);
        context.tools = {{1, {10, 10, 100, 50}, L"First tool"}, {2, {110, 10, 200, 50}, L"Second tool"}};
    }
    void Close() { CloseOwner(); }

    bool WaitVisible(double seconds = 3.0)
    {
        return PumpUntil([this] { return context.TipVisible(); }, seconds);
    }
};

} // namespace

TEST_F(KvoToolTipWindowTest, ATipShowsAfterTheHoverDelayBelowTheCursor)
{
    const DWORD start = ::GetTickCount();
    MoveCursorTo(owner, {20, 20});
    EXPECT_FALSE(context.TipVisible()) << "pending until the hover delay ends";
    ASSERT_TRUE(WaitVisible());
    EXPECT_GE(::GetTickCount() - start, 250u);
    EXPECT_EQ(1, owner.shownNotes) << "TTN_SHOW";
    POINT cursor;
    ::GetCursorPos(&cursor);
    const CRect tip = TipRect();
    EXPECT_EQ(cursor.x, tip.left);
    EXPECT_EQ(cursor.y + CKvoToolTipContextToolTip::GetCursorHeight(), tip.top);
    EXPECT_GT(CKvoToolTipContextToolTip::GetCursorHeight(), 0);
    EXPECT_EQ(WS_EX_TOPMOST, ::GetWindowLongW(context.TipWindow(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(KvoToolTipWindowTest, ANeighbourWithinTheReshowDelayShowsAtOnce)
{
    context.SetDelayTime(TTDT_RESHOW, 3000);
    MoveCursorTo(owner, {20, 20});
    ASSERT_TRUE(WaitVisible());
    MoveCursorTo(owner, {120, 20});
    EXPECT_TRUE(context.TipVisible());
    EXPECT_EQ(2u, context.OwnTip()->GetShownTool().id);
}

TEST_F(KvoToolTipWindowTest, AClickHidesTheTipUntilAnotherToolIsReached)
{
    MoveCursorTo(owner, {20, 20});
    ASSERT_TRUE(WaitVisible());
    owner.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    owner.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
    EXPECT_FALSE(context.TipVisible());
    MoveCursorTo(owner, {40, 30});
    EXPECT_FALSE(WaitVisible(0.8)) << "the clicked tool shows no tip";
    MoveCursorTo(owner, {120, 20});
    EXPECT_TRUE(WaitVisible());
}

TEST_F(KvoToolTipWindowTest, ACallbackToolAsksForItsTextOnce)
{
    context.tools[0].callback = true;
    context.SetDelayTime(TTDT_INITIAL, 50);
    for (int round = 0; round < 3; ++round) {
        MoveCursorTo(owner, {20, 20});
        ASSERT_TRUE(WaitVisible());
        EXPECT_EQ(L"asked text", context.OwnTip()->GetShownTool().text);
        context.OwnTip()->ShowTool(nullptr);
    }
    EXPECT_EQ(1, owner.textQuestions);
}

TEST_F(KvoToolTipWindowTest, AutoPopHasNoEffectAndAnEmptyTextShowsNothing)
{
    context.SetDelayTime(TTDT_AUTOPOP, 50);
    context.SetDelayTime(TTDT_INITIAL, 50);
    context.tools.push_back({3, {10, 60, 100, 100}, L""});
    MoveCursorTo(owner, {20, 20});
    ASSERT_TRUE(WaitVisible());
    EXPECT_FALSE(PumpUntil([this] { return !context.TipVisible(); }, 0.5)) << "the tip stays";
    MoveCursorTo(owner, {20, 70});
    EXPECT_FALSE(WaitVisible(0.5));
}

TEST_F(KvoToolTipWindowTest, TipsStayInsideTheWorkArea)
{
    const CRect work = CKvoMultiMonitor::Instance()->GetWorkAreaFromCursor();
    Close();
    Open(work.right - 120, work.bottom - 60);
    context.SetDelayTime(TTDT_INITIAL, 50);
    context.tools = {{1, {10, 10, 110, 50}, L"A tip far too wide to fit at the right edge of the screen"}};
    MoveCursorTo(owner, {100, 40});
    ASSERT_TRUE(WaitVisible());
    POINT cursor;
    ::GetCursorPos(&cursor);
    const CRect tip = TipRect();
    EXPECT_EQ(work.right - 4, tip.right);
    EXPECT_EQ(cursor.y - 3, tip.bottom) << "above the cursor at the bottom edge";
    CWindowPicture(context.TipWindow()).SavePng(TestOutputFolder() + L"\\tooltip-office-corner.png");
}

TEST_F(KvoToolTipWindowTest, APlacementPutsTheTipBelowItsBottomEdge)
{
    context.ShowTitleAndDescription(true); // version 2 infos carry the record
    context.SetDelayTime(TTDT_INITIAL, 50);
    context.tools[0].placement = {0, 0, 320, 80};
    MoveCursorTo(owner, {20, 20});
    ASSERT_TRUE(WaitVisible());
    CPoint expected(10, 80);
    owner.ClientToScreen(&expected);
    EXPECT_EQ(expected, TipRect().TopLeft());
}

TEST_F(KvoToolTipWindowTest, TheHookHidesTheTipWhenTheMouseLeavesTheOwner)
{
    CWnd elsewhere;
    // Shown without activation: the owner's frame stays active, as tips need.
    ASSERT_TRUE(CreateTestPopup(elsewhere, false, 500, 100, 100, 100));
    elsewhere.ShowWindow(SW_SHOWNOACTIVATE);
    context.SetDelayTime(TTDT_INITIAL, 50);
    MoveCursorTo(owner, {20, 20});
    ASSERT_TRUE(WaitVisible());
    // Only the system moves the mouse now: the owner hears nothing of it.
    ::SetCursorPos(550, 150);
    EXPECT_TRUE(PumpUntil([this] { return !context.TipVisible(); }));
    elsewhere.DestroyWindow();
}

TEST_F(KvoToolTipWindowTest, Office2007TipsHaveRoundedCorners)
{
    context.SetStyle(KvoToolTipStyle::Office2007);
    context.SetDelayTime(TTDT_INITIAL, 50);
    MoveCursorTo(owner, {20, 20});
    ASSERT_TRUE(WaitVisible());
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(COMPLEXREGION, ::GetWindowRgn(context.TipWindow(), region));
    const CRect tip = TipRect();
    EXPECT_FALSE(::PtInRegion(region, 0, 0));
    EXPECT_FALSE(::PtInRegion(region, tip.Width() - 1, tip.Height() - 1));
    EXPECT_TRUE(::PtInRegion(region, 1, 0));
    ::DeleteObject(region);
}

TEST(KvoToolTipWindowTools, AddToolToleratesMissingInfoAndRecord)
{
    CWnd owner;
    ASSERT_TRUE(CreateTestPopup(owner));
    CKvoToolTipContext context;
    CKvoToolTipContextToolTip tip(&context);
    ASSERT_TRUE(tip.Create(&owner, TTS_NOPREFIX));
    EXPECT_EQ(0, tip.SendMessage(TTM_ADDTOOLW, 0, 0));
    TOOLINFO info = {};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = owner.GetSafeHwnd();
    info.uId = 5;
    info.lpszText = const_cast<LPWSTR>(L"text");
    EXPECT_EQ(1, tip.SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_EQ(1, tip.GetToolCount());
    tip.SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(0, tip.GetToolCount());
    tip.DestroyWindow();
    owner.DestroyWindow();
}

namespace {

// A second UI thread with its own owner, context and tip: hovers its tool,
// then moves the mouse to another of its windows and reports whether its
// own hook hid the tip.
struct SecondThreadRun {
    bool shown = false;
    bool hiddenByHook = false;
};

unsigned __stdcall RunSecondThread(void* parameter)
{
    auto* run = static_cast<SecondThreadRun*>(parameter);
    CTableToolTipContext context;
    CToolTipOwner owner;
    CWnd elsewhere;
    if (owner.Create(100, 350, 200, 100) && CreateTestPopup(elsewhere, true, 500, 350, 100, 100)) {
        owner.context = &context;
        ::SetForegroundWindow(owner.GetSafeHwnd());
        PumpUntil([&owner] { return CKvoDrawHelpers::IsTopParentActive(owner.GetSafeHwnd()) != FALSE; });
        context.SetStyle(KvoToolTipStyle::Office);
        context.SetDelayTime(TTDT_INITIAL, 50);
        context.tools = {{1, {10, 10, 100, 50}, L"Second thread"}};
        MoveCursorTo(owner, {20, 20});
        run->shown = PumpUntil([&context] { return context.TipVisible(); });
        ::SetCursorPos(550, 400);
        run->hiddenByHook = PumpUntil([&context] { return !context.TipVisible(); });
        owner.context = nullptr;
    }
    elsewhere.DestroyWindow();
    owner.DestroyWindow();
    return 0;
}

} // namespace

// Hooks belong to threads: a tip on a second UI thread gets its own hook
// while the first thread's tip holds one.
TEST_F(KvoToolTipWindowTest, EachUiThreadHasItsOwnMouseHook)
{
    context.SetDelayTime(TTDT_INITIAL, 50);
    MoveCursorTo(owner, {20, 20});
    ASSERT_TRUE(WaitVisible());
    SecondThreadRun run;
    HANDLE thread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &RunSecondThread, &run, 0, nullptr));
    ASSERT_NE(nullptr, thread);
    PumpUntil([thread] { return ::WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; }, 20.0);
    ::CloseHandle(thread);
    EXPECT_TRUE(run.shown);
    EXPECT_TRUE(run.hiddenByHook);
}
