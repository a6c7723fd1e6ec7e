// The preview picture's progress: the share of the pass done, drawn as a
// percentage in the middle of the picture while the dialog's worker runs.
#include <gtest/gtest.h>
#include <afxwin.h>
#include "MyPicture.h"
#include "foundation/base/KvoDarkMode.h"
#include "framework/WindowTestSupport.h"

namespace {
TEST(MyPictureProgress, PercentOfThePassDone)
{
    const struct {
        int total, remaining;
        float percent;
    } cases[] = {{0, 0, 0.0f}, {0, 50, 0.0f}, {-4, 1, 0.0f}, {360, 90, 75.0f}, {360, 360, 0.0f}, {360, 0, 100.0f}};
    for (const auto& c : cases) {
        CMyPicture picture;
        picture.SetTotal(c.total);
        picture.SetRemaining(c.remaining);
        EXPECT_FLOAT_EQ(picture.GetPercent(), c.percent) << c.total << " " << c.remaining;
    }
}

// Ink only in the middle band, in the colours of the mode in force.
TEST(MyPictureProgress, BusyPictureShowsThePercentageInTheMiddle)
{
    for (const bool dark : {false, true}) {
        SCOPED_TRACE(dark ? "dark" : "light");
        const bool oldDark = g_darkModeActive;
        g_darkModeActive = dark;
        CWnd host;
        ASSERT_TRUE(CreateTestPopup(host, true, 30, 30, 240, 120));
        host.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)));
        CMyPicture picture;
        ASSERT_TRUE(picture.Create(L"", WS_CHILD | WS_VISIBLE | SS_NOTIFY, CRect(0, 0, 240, 120), &host, 1));
        picture.SetTotal(360);
        picture.SetRemaining(90);
        picture.SetBusy(true);
        picture.UpdateWindow();
        const CWindowPicture shown(picture.m_hWnd);
        const COLORREF fill = dark ? RGB(0, 0, 0) : RGB(255, 255, 255);
        const COLORREF ink = dark ? RGB(255, 255, 255) : RGB(0, 0, 0);
        int middleInk = 0, edgeInk = 0;
        for (int y = 0; y < 120; ++y)
            for (int x = 0; x < 240; ++x) {
                const COLORREF pixel = shown.Pixel(x, y);
                const bool middle = y > 40 && y < 80 && x > 80 && x < 160;
                if (pixel == ink)
                    (middle ? middleInk : edgeInk) += 1;
                else
                    EXPECT_TRUE(middle || pixel == fill) << x << "," << y;
            }
        EXPECT_GT(middleInk, 20);
        EXPECT_EQ(edgeInk, 0);
        if (!dark)
            EXPECT_TRUE(shown.SavePng(TestOutputFolder() + L"\\MyPicture-progress.png"));
        picture.DestroyWindow();
        host.DestroyWindow();
        g_darkModeActive = oldDark;
    }
}
}  // namespace
