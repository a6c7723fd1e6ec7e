#include <gtest/gtest.h>
#include <afxwin.h>
#include "foundation/base/KvoMultiMonitor.h"

namespace {
CRect PrimaryScreenRect()
{
    return CRect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

CRect SystemWorkAreaRect()
{
    CRect area(0, 0, 0, 0);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

MONITORINFO PrimaryMonitorInfo()
{
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromPoint(CPoint(0, 0), MONITOR_DEFAULTTOPRIMARY), &info);
    return info;
}
}

// Wine under Xvfb has one screen: every point and rectangle on it answers
// that monitor; everything off it takes the single-screen fallbacks.
TEST(KvoMultiMonitor, AnswersForTheOneScreenAndFallsBackOffIt)
{
    CKvoMultiMonitor* monitors = CKvoMultiMonitor::Instance();
    ASSERT_EQ(monitors, CKvoMultiMonitor::Instance());
    ASSERT_TRUE(monitors->HasMonitorFunctions());
    const MONITORINFO primary = PrimaryMonitorInfo();
    const CRect screen(primary.rcMonitor), work(primary.rcWork);
    EXPECT_EQ(screen, PrimaryScreenRect()) << "one screen at the origin";

    const CPoint inside(10, 10), outside(-30000, -30000);
    const CRect insideRect(5, 5, 50, 50), outsideRect(-30000, -30000, -29000, -29000);
    struct Case {
        const char* what;
        CRect answer;
        CRect expected;
    } const cases[] = {
        {"screen at a point", monitors->GetScreenAreaFromPoint(inside), screen},
        {"screen of a rectangle", monitors->GetScreenAreaFromRect(insideRect), screen},
        {"work area at a point", monitors->GetWorkAreaFromPoint(inside), work},
        {"work area of a rectangle", monitors->GetWorkAreaFromRect(insideRect), work},
        {"work area under the cursor", monitors->GetWorkAreaFromCursor(), work},
        {"screen off every monitor", monitors->GetScreenAreaFromPoint(outside), PrimaryScreenRect()},
        {"screen of a rectangle off every monitor", monitors->GetScreenAreaFromRect(outsideRect),
         PrimaryScreenRect()},
        {"work area off every monitor", monitors->GetWorkAreaFromPoint(outside), SystemWorkAreaRect()},
        {"work area of a rectangle off every monitor", monitors->GetWorkAreaFromRect(outsideRect),
         SystemWorkAreaRect()},
        {"work area of no window", monitors->GetWorkArea(nullptr), SystemWorkAreaRect()},
        {"work area of no window object", monitors->GetWorkAreaFromWnd(nullptr), SystemWorkAreaRect()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.answer, c.expected) << c.what;
}

TEST(KvoMultiMonitor, WorkAreaOfARealWindow)
{
    CWnd window;
    ASSERT_TRUE(window.CreateEx(0, L"STATIC", L"monitor", WS_POPUP | WS_VISIBLE, 20, 20, 80, 60, nullptr, nullptr));
    const CRect work(PrimaryMonitorInfo().rcWork);
    EXPECT_EQ(CKvoMultiMonitor::Instance()->GetWorkArea(window.GetSafeHwnd()), work);
    EXPECT_EQ(CKvoMultiMonitor::Instance()->GetWorkAreaFromWnd(&window), work);
    window.DestroyWindow();
}

// Without the five entry points (a module that has none of them) every
// answer is a fallback, even for points on the screen.
TEST(KvoMultiMonitor, WithoutMonitorFunctionsEveryAnswerFallsBack)
{
    CKvoMultiMonitor noMonitors(L"kernel32.dll");
    EXPECT_FALSE(noMonitors.HasMonitorFunctions());
    const CPoint inside(10, 10);
    EXPECT_EQ(noMonitors.GetScreenAreaFromPoint(inside), PrimaryScreenRect());
    EXPECT_EQ(noMonitors.GetScreenAreaFromRect(CRect(5, 5, 50, 50)), PrimaryScreenRect());
    EXPECT_EQ(noMonitors.GetWorkAreaFromPoint(inside), SystemWorkAreaRect());
    EXPECT_EQ(noMonitors.GetWorkAreaFromCursor(), SystemWorkAreaRect());
    EXPECT_EQ(noMonitors.GetWorkArea(GetDesktopWindow()), SystemWorkAreaRect());
}
