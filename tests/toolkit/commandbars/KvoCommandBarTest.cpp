// The command bar as a window in a frame: painting through the default
// control drawing, hot tracking and presses with real input, tracking mode
// with the thread's mouse and keyboard hooks.
#include <gtest/gtest.h>

#include <afxpriv.h>

#include "commandbars/KvoControl.h"
#include "commandbars/KvoControls.h"
#include "commandbars/KvoKeyboardManager.h"
#include "commandbars/KvoMouseManager.h"
#include "commandbars/KvoPaintManager.h"
#include "foundation/base/KvoDeviceContext.h"
#include "framework/WindowTestSupport.h"
#include "toolkit/commandbars/support/KvoTestFrame.h"
#include "toolkit/commandbars/support/KvoTestPaintManager.h"

namespace {
const UINT kFirstId = 3001;
const UINT kSecondId = 3002;
const UINT kThirdId = 3003;

class KvoCommandBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_paintManager = new CKvoTestPaintManager;
        CKvoPaintManager::SetCustomTheme(m_paintManager);
        ::SetCursorPos(0, 0);
        m_frame = new CKvoTestFrame;
        ASSERT_TRUE(m_frame->CreateFrame(100, 100, 400, 160));
        m_first = m_frame->AddButton(kFirstId, L"&One");
        m_second = m_frame->AddButton(kSecondId, L"Two");
        m_third = m_frame->AddButton(kThirdId, L"Three");
    }
    void TearDown() override
    {
        if (m_frame->GetSafeHwnd())
            m_frame->DestroyWindow();
        EXPECT_EQ(0, CKvoTestFrame::LiveCount());
        EXPECT_TRUE(CKvoMouseManager::ForThisThread()->GetTrackArray().IsEmpty());
        CKvoPaintManager::DestroyInstance();
        m_paintManager->InternalRelease();
        // The move this makes must not reach the next test's windows.
        ::SetCursorPos(0, 0);
        PumpUntil([] { return false; }, 0.1);
    }
    CKvoCommandBar* Bar() { return m_frame->GetBar(); }
    CPoint Centre(CKvoControl* control) { return m_frame->BarToScreen(control->GetRect().CenterPoint()); }
    // A real move to the screen point, pumped until the bar has seen it.
    void MoveTo(CPoint screen)
    {
        KvoSendMouseInput(0, screen);
        PumpUntil([&] {
            POINT cursor;
            ::GetCursorPos(&cursor);
            return cursor.x == screen.x && cursor.y == screen.y;
        });
        PumpUntil([] { return false; }, 0.05);
    }

    CKvoTestPaintManager* m_paintManager = nullptr;
    CKvoTestFrame* m_frame = nullptr; // deletes itself
    CKvoControl* m_first = nullptr;
    CKvoControl* m_second = nullptr;
    CKvoControl* m_third = nullptr;
};

TEST_F(KvoCommandBarTest, PrintClientFillsTheBarAndHighlightsTheHotControl)
{
    m_frame->Show();
    Bar()->SetSelected(1, FALSE);
    CRect client;
    Bar()->GetClientRect(&client);
    CWindowDC screen(nullptr);
    CDC memory;
    memory.CreateCompatibleDC(&screen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, client.Width(), client.Height());
    CBitmap* old = memory.SelectObject(&bitmap);
    EXPECT_EQ(1, Bar()->SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.m_hDC), PRF_CLIENT));

    EXPECT_EQ(CKvoTestPaintManager::kBarColor, memory.GetPixel(client.right - 2, client.bottom - 1));
    const CRect hot = m_second->GetRect();
    EXPECT_EQ(CKvoTestPaintManager::kHotColor, memory.GetPixel(hot.left + 1, hot.top + 1));
    const CRect cold = m_first->GetRect();
    EXPECT_EQ(CKvoTestPaintManager::kBarColor, memory.GetPixel(cold.left + 1, cold.top + 1));
    // The caption is drawn in the text colour somewhere in the hot button.
    bool textFound = false;
    for (int x = hot.left; x < hot.right && !textFound; ++x)
        for (int y = hot.top; y < hot.bottom && !textFound; ++y)
            textFound = memory.GetPixel(x, y) == CKvoTestPaintManager::kTextColor;
    EXPECT_TRUE(textFound);
    memory.SelectObject(old);
}

TEST_F(KvoCommandBarTest, RealMouseHotTracksAndTheEmulatedLeaveClearsIt)
{
    m_frame->Show();
    MoveTo(Centre(m_second));
    EXPECT_TRUE(PumpUntil([&] { return Bar()->GetHotIndex() == 1; }));
    EXPECT_EQ(1, m_second->GetSelected());
    MoveTo(Centre(m_third));
    EXPECT_TRUE(PumpUntil([&] { return Bar()->GetHotIndex() == 2; }));
    EXPECT_EQ(0, m_second->GetSelected());

    // Off the window entirely: the bar hears of it within the leave timer.
    const DWORD left = ::GetTickCount();
    MoveTo(CPoint(20, 20));
    EXPECT_TRUE(PumpUntil([&] { return Bar()->GetHotIndex() == -1; }, 2.0));
    EXPECT_LE(::GetTickCount() - left, 1000u) << "mouse leave is emulated every 50 ms";
}

TEST_F(KvoCommandBarTest, RealClickSendsTheNotificationThenTheCommandToTheFrame)
{
    m_frame->Show();
    const CPoint at = Centre(m_second);
    MoveTo(at);
    KvoSendMouseInput(MOUSEEVENTF_LEFTDOWN, at);
    KvoSendMouseInput(MOUSEEVENTF_LEFTUP, at);
    ASSERT_TRUE(PumpUntil([&] { return !m_frame->m_commands.empty(); }));

    EXPECT_EQ(std::vector<UINT>{kSecondId}, m_frame->m_commands);
    std::vector<UINT> execution;
    for (UINT message : m_frame->m_messages)
        if (message == KVO_SITE_CONTROL_NOTIFY || message == WM_COMMAND)
            execution.push_back(message);
    EXPECT_EQ((std::vector<UINT>{KVO_SITE_CONTROL_NOTIFY, WM_COMMAND}), execution);
}

TEST_F(KvoCommandBarTest, ReleaseOutsideThePressedButtonExecutesNothing)
{
    m_frame->Show();
    const CPoint at = Centre(m_first);
    MoveTo(at);
    KvoSendMouseInput(MOUSEEVENTF_LEFTDOWN, at);
    const CPoint outside = m_frame->BarToScreen(CPoint(390, 100));
    KvoSendMouseInput(0, outside);
    KvoSendMouseInput(MOUSEEVENTF_LEFTUP, outside);
    PumpUntil([&] { return ::GetCapture() == nullptr && !(::GetAsyncKeyState(VK_LBUTTON) & 0x8000); });
    PumpUntil([] { return false; }, 0.2);
    EXPECT_TRUE(m_frame->m_commands.empty());
}

// ---- tracking mode ----

TEST_F(KvoCommandBarTest, TrackingRegistersWithBothManagersAndLeavesThem)
{
    m_frame->Show();
    CWnd edit;
    ASSERT_TRUE(edit.CreateEx(0, L"EDIT", L"text", WS_CHILD | WS_VISIBLE, CRect(10, 60, 200, 80), m_frame, 77));
    edit.SetFocus();

    EXPECT_TRUE(Bar()->SetTrackingMode(1, TRUE, TRUE));
    EXPECT_FALSE(Bar()->SetTrackingMode(1, TRUE, TRUE)) << "entering again changes nothing";
    EXPECT_EQ(0, Bar()->GetHotIndex()) << "select-first takes the first control";
    EXPECT_EQ(2, m_first->GetSelected());
    CKvoMouseManager* mouse = CKvoMouseManager::ForThisThread();
    ASSERT_EQ(1, mouse->GetTrackArray().GetSize());
    EXPECT_EQ(Bar(), mouse->GetTrackArray()[0]);
    EXPECT_TRUE(CKvoKeyboardManager::ForThisThread()->IsHooked(Bar()));

    EXPECT_TRUE(Bar()->SetTrackingMode(0, TRUE, FALSE));
    EXPECT_EQ(-1, Bar()->GetHotIndex());
    EXPECT_TRUE(mouse->GetTrackArray().IsEmpty());
    EXPECT_FALSE(CKvoKeyboardManager::ForThisThread()->IsHooked(Bar()));
    EXPECT_EQ(0, CKvoKeyboardManager::ForThisThread()->GetHookedCount());
    EXPECT_EQ(edit.GetSafeHwnd(), ::GetFocus()) << "the focus stays where it was";
}

TEST_F(KvoCommandBarTest, OutsideClickClosesEveryTrackingBarAndStillReachesTheFrame)
{
    m_frame->Show();
    CKvoCommandBar second;
    ASSERT_TRUE(second.CreateEx(0, CKvoCommandBar::GetWindowClassName(), L"second", WS_CHILD | WS_VISIBLE,
                                CRect(0, 40, 200, 70), m_frame, CKvoTestFrame::kBarId + 1));
    Bar()->SetTrackingMode(1, FALSE, FALSE);
    second.SetTrackingMode(1, FALSE, FALSE);
    ASSERT_EQ(2, CKvoMouseManager::ForThisThread()->GetTrackArray().GetSize());

    CPoint inFrame(200, 120);
    m_frame->ClientToScreen(&inFrame);
    MoveTo(inFrame);
    KvoSendMouseInput(MOUSEEVENTF_LEFTDOWN, inFrame);
    KvoSendMouseInput(MOUSEEVENTF_LEFTUP, inFrame);
    ASSERT_TRUE(PumpUntil([&] { return m_frame->m_nClientClicks > 0; }));

    EXPECT_EQ(0, Bar()->GetTrackingMode());
    EXPECT_EQ(0, second.GetTrackingMode());
    EXPECT_TRUE(CKvoMouseManager::ForThisThread()->GetTrackArray().IsEmpty());
}

TEST_F(KvoCommandBarTest, KeysGoToTheTrackingBarAndAltOrEscapeClosesIt)
{
    m_frame->Show();
    CWnd edit;
    ASSERT_TRUE(edit.CreateEx(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, CRect(10, 60, 200, 80), m_frame, 77));
    edit.SetFocus();

    Bar()->SetTrackingMode(1, TRUE, TRUE);
    KvoSendKeyInput('A', FALSE);
    KvoSendKeyInput('A', TRUE);
    PumpUntil([] { return false; }, 0.2);
    EXPECT_EQ(0, edit.GetWindowTextLength()) << "the key went to the bar, not the focus window";
    EXPECT_EQ(1, Bar()->GetTrackingMode());

    KvoSendKeyInput(VK_ESCAPE, FALSE);
    KvoSendKeyInput(VK_ESCAPE, TRUE);
    EXPECT_TRUE(PumpUntil([&] { return Bar()->GetTrackingMode() == 0; }));

    Bar()->SetTrackingMode(1, TRUE, TRUE);
    KvoSendKeyInput(VK_MENU, FALSE);
    KvoSendKeyInput(VK_MENU, TRUE);
    EXPECT_TRUE(PumpUntil([&] { return Bar()->GetTrackingMode() == 0; }));

    KvoSendKeyInput('B', FALSE);
    KvoSendKeyInput('B', TRUE);
    EXPECT_TRUE(PumpUntil([&] { return edit.GetWindowTextLength() == 1; })) << "no bar tracks: keys reach the edit";
}

TEST_F(KvoCommandBarTest, LosingActivationClosesTheTrackingBar)
{
    m_frame->Show();
    Bar()->SetTrackingMode(1, FALSE, FALSE);
    m_frame->SendMessage(WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_EQ(0, Bar()->GetTrackingMode());
}

TEST_F(KvoCommandBarTest, LockedBarsIgnoreMovesAndKeepTheirHotItem)
{
    m_frame->Show();
    Bar()->SetTrackingMode(1, FALSE, FALSE);
    Bar()->SetSelected(0, FALSE);
    CKvoMouseManager* mouse = CKvoMouseManager::ForThisThread();
    mouse->LockTrackedBars(TRUE);
    EXPECT_EQ(1, Bar()->GetLockCount());
    EXPECT_TRUE(mouse->IsBarOutsideTracking(Bar()));
    Bar()->SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(0, Bar()->GetHotIndex());
    mouse->LockTrackedBars(FALSE);
    EXPECT_EQ(0, Bar()->GetLockCount());
    EXPECT_FALSE(mouse->IsBarOutsideTracking(Bar()));
    Bar()->SetTrackingMode(0, TRUE, FALSE);
}

TEST_F(KvoCommandBarTest, RedrawLockDefersTheRedrawToTheIdleUpdate)
{
    m_frame->Show();
    Bar()->LockRedraw();
    Bar()->Redraw(nullptr, TRUE);
    EXPECT_TRUE(Bar()->GetUpdateFlags() & KVO_BAR_UPDATE_REDRAW);
    Bar()->UnlockRedraw();
    Bar()->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_FALSE(Bar()->GetUpdateFlags() & KVO_BAR_UPDATE_REDRAW);
}
TEST_F(KvoCommandBarTest, ASwallowedButtonUpNeverReachesTheWindow)
{
    m_frame->Show();
    CPoint inFrame(200, 120);
    m_frame->ClientToScreen(&inFrame);
    MoveTo(inFrame);
    KvoSendMouseInput(MOUSEEVENTF_LEFTDOWN, inFrame);
    ASSERT_TRUE(PumpUntil([&] { return m_frame->m_nClientClicks == 1; }));
    // A menu opened by this press would set the flag now.
    CKvoMouseManager::ForThisThread()->SetSwallowNextButtonUp(TRUE);
    KvoSendMouseInput(MOUSEEVENTF_LEFTUP, inFrame);
    PumpUntil([] { return !(::GetAsyncKeyState(VK_LBUTTON) & 0x8000); });
    PumpUntil([] { return false; }, 0.1);
    EXPECT_EQ(0, m_frame->m_nClientReleases);

    KvoSendMouseInput(MOUSEEVENTF_LEFTDOWN, inFrame);
    KvoSendMouseInput(MOUSEEVENTF_LEFTUP, inFrame);
    EXPECT_TRUE(PumpUntil([&] { return m_frame->m_nClientReleases == 1; })) << "only the one release";
}

TEST_F(KvoCommandBarTest, ClicksInATrustedWindowKeepTheMenusOpen)
{
    m_frame->Show();
    CWnd trusted;
    ASSERT_TRUE(CreateTestPopup(trusted, true, 300, 300, 80, 60));
    CKvoMouseManager* mouse = CKvoMouseManager::ForThisThread();
    mouse->AddTrustedWindow(trusted.GetSafeHwnd());
    Bar()->SetTrackingMode(1, FALSE, FALSE);

    const CPoint inside(340, 330);
    MoveTo(inside);
    KvoSendMouseInput(MOUSEEVENTF_LEFTDOWN, inside);
    KvoSendMouseInput(MOUSEEVENTF_LEFTUP, inside);
    PumpUntil([] { return !(::GetAsyncKeyState(VK_LBUTTON) & 0x8000); });
    PumpUntil([] { return false; }, 0.1);
    EXPECT_EQ(1, Bar()->GetTrackingMode());

    mouse->RemoveTrustedWindow(trusted.GetSafeHwnd());
    KvoSendMouseInput(MOUSEEVENTF_LEFTDOWN, inside);
    KvoSendMouseInput(MOUSEEVENTF_LEFTUP, inside);
    EXPECT_TRUE(PumpUntil([&] { return Bar()->GetTrackingMode() == 0; }));
    trusted.DestroyWindow();
}

TEST_F(KvoCommandBarTest, MovesOverATrackingBarHotTrackAndClicksOnItKeepItOpen)
{
    m_frame->Show();
    Bar()->SetTrackingMode(1, FALSE, FALSE);
    MoveTo(Centre(m_third));
    EXPECT_TRUE(PumpUntil([&] { return Bar()->GetHotIndex() == 2; }));
    // Off the bar while tracking: the hot item stays (a menu bar keeps it).
    CPoint inFrame(200, 120);
    m_frame->ClientToScreen(&inFrame);
    MoveTo(inFrame);
    EXPECT_EQ(2, Bar()->GetHotIndex());
    EXPECT_EQ(1, Bar()->GetTrackingMode());
    EXPECT_EQ(Bar(), CKvoMouseManager::ForThisThread()->HitTestTrackedBars(Centre(m_first)));
    EXPECT_EQ(nullptr, CKvoMouseManager::ForThisThread()->HitTestTrackedBars(inFrame));
    Bar()->SetTrackingMode(0, TRUE, FALSE);
}

TEST_F(KvoCommandBarTest, SizeQueriesWithoutAManager)
{
    EXPECT_EQ(CSize(16, 16), Bar()->GetIconSize());
    EXPECT_EQ(CSize(22, 22), Bar()->GetButtonSize());
    EXPECT_EQ(CSize(32, 32), Bar()->GetLargeIconSize(FALSE));
    Bar()->m_szIcons = CSize(20, 18);
    EXPECT_EQ(CSize(40, 36), Bar()->GetLargeIconSize(TRUE));
    EXPECT_EQ(CSize(26, 24), Bar()->GetButtonSize());
    EXPECT_EQ(CSize(16, 16), Bar()->GetAutoIconSize(FALSE)) << "the paint manager's fixed size";
    EXPECT_FALSE(Bar()->IsWindowShown()) << "a plain bar is not visible as a bar";
    EXPECT_FALSE(Bar()->IsTextBelowIcons());
    Bar()->SetTextBelowIcons(1);
    EXPECT_TRUE(Bar()->IsTextBelowIcons());
}
} // namespace
