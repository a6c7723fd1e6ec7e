#include <gtest/gtest.h>
#include <afxwin.h>
#include "foundation/base/KvoMultiMonitor.h"

namespace {
CRect MonitorTestPrimaryScreen()
{
    return CRect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

CRect MonitorTestSystemWorkArea()
{
    CRect area(0, 0, 0, 0);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

MONITORINFO MonitorTestPrimaryInfo()
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
    const MONITORINFO primary = MonitorTestPrimaryInfo();
    const CRect screen(primary.rcMonitor), work(primary.rcWork);
    EXPECT_EQ(screen, MonitorTestPrimaryScreen()) << "one screen at the origin";

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
        {"screen off every monitor", monitors->GetScreenAreaFromPoint(outside), MonitorTestPrimaryScreen()},
        {"screen of a rectangle off every monitor", monitors->GetScreenAreaFromRect(outsideRect),
         MonitorTestPrimaryScreen()},
        {"work area off every monitor", monitors->GetWorkAreaFromPoint(outside), MonitorTestSystemWorkArea()},
        {"work area of a rectangle off every monitor", monitors->GetWorkAreaFromRect(outsideRect),
         MonitorTestSystemWorkArea()},
        {"work area of no window", monitors->GetWorkArea(nullptr), MonitorTestSystemWorkArea()},
        {"work area of no window object", monitors->GetWorkAreaFromWnd(nullptr), MonitorTestSystemWorkArea()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.answer, c.expected) << c.what;
}

TEST(KvoMultiMonitor, WorkAreaOfARealWindow)
{
    CWnd window;
    ASSERT_TRUE(window.CreateEx(0, L"STATIC", L"monitor", WS_POPUP | WS_VISIBLE, 20, 20, 80, 60, nullptr, nullptr));
    const CRect work(MonitorTestPrimaryInfo().rcWork);
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
    EXPECT_EQ(noMonitors.GetScreenAreaFromPoint(inside), MonitorTestPrimaryScreen());
    EXPECT_EQ(noMonitors.GetScreenAreaFromRect(CRect(5, 5, 50, 50)), MonitorTestPrimaryScreen());
    EXPECT_EQ(noMonitors.GetWorkAreaFromPoint(inside), MonitorTestSystemWorkArea());
    EXPECT_EQ(noMonitors.GetWorkAreaFromCursor(), MonitorTestSystemWorkArea());
    EXPECT_EQ(noMonitors.GetWorkArea(GetDesktopWindow()), MonitorTestSystemWorkArea());
}
