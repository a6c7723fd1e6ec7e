// The timed notice: its look, its own end after its time, and its end when
// the focus goes elsewhere.
#include <gtest/gtest.h>
#include <afxwin.h>
#include "TimedPopup.h"
#include "framework/WindowTestSupport.h"

namespace {
// The popup made last on this thread: the only top-most tool window.
HWND FindTimedPopup(HWND owner)
{
    for (HWND window = GetTopWindow(nullptr); window != nullptr; window = GetWindow(window, GW_HWNDNEXT)) {
        if (GetWindow(window, GW_OWNER) == owner && (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0)
            return window;
    }
    return nullptr;
}
}  // namespace

TEST(TimedPopupTest, ShowsItsLookAndClosesItselfAfterItsTime)
{
    const struct {
        bool dark;
        COLORREF back;
        const wchar_t* picture;
    } looks[] = {
        {false, RGB(250, 250, 180), L"\\timed-popup-light.png"},
        {true, RGB(0x28, 0x28, 0x28), L"\\timed-popup-dark.png"},
    };
    CWnd owner;
    ASSERT_TRUE(CreateTestPopup(owner, true));
    for (const auto& look : looks) {
        const UINT shownMs = 700;
        const DWORD start = GetTickCount();
        auto* popup = new CTimedPopup;
        ASSERT_TRUE(popup->Create(&owner, L"Version 2.6 is available.", 200, 150, look.dark, shownMs));
        const HWND window = FindTimedPopup(owner.m_hWnd);
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(IsWindowVisible(window));
        CRect rect;
        GetWindowRect(window, &rect);
        EXPECT_EQ(rect.TopLeft(), CPoint(200, 150));
        UpdateWindow(window);
        {
            CWindowPicture picture(window);
            picture.SavePng(TestOutputFolder() + look.picture);
            // The margin left of the text and the rounded corner's outside.
            EXPECT_EQ(picture.Pixel(4, rect.Height() / 2), look.back);
        }
        ASSERT_TRUE(PumpUntil([&] { return !IsWindow(window); }, 10.0));
        // A timer never fires before its time: the notice stayed that long.
        EXPECT_GE(GetTickCount() - start + 20, shownMs);
    }
    owner.DestroyWindow();
}

TEST(TimedPopupTest, ClosesAtOnceWhenTheFocusGoesElsewhere)
{
    CWnd owner;
    ASSERT_TRUE(CreateTestPopup(owner, true));
    auto* popup = new CTimedPopup;
    ASSERT_TRUE(popup->Create(&owner, L"Quillora Ver.1.0.11.30", 100, 100, false, 60000));
    const HWND window = FindTimedPopup(owner.m_hWnd);
    ASSERT_NE(window, nullptr);
    // Shown as a top-level popup, it takes the focus (Wine answers so too).
    EXPECT_EQ(GetFocus(), window);
    SetActiveWindow(owner.m_hWnd);
    SetFocus(owner.m_hWnd);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(window); }, 5.0));
    owner.DestroyWindow();
}
