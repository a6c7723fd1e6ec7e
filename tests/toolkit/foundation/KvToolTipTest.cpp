#include <gtest/gtest.h>
#include <afxwin.h>
#include "KvDialogTestSupport.h"
#include "foundation/controls/KvDialog.h"
#include "foundation/controls/KvToolTip.h"

namespace {
class KvToolTipTest : public KvDialogTemplateTest {
protected:
    void TearDown() override
    {
        KvoResetDarkModeState();
        KvDialogTemplateTest::TearDown();
    }
    static COLORREF Background(CKvToolTip& tip) { return COLORREF(tip.SendMessage(TTM_GETTIPBKCOLOR)); }
    static COLORREF Text(CKvToolTip& tip) { return COLORREF(tip.SendMessage(TTM_GETTIPTEXTCOLOR)); }
};
}

TEST_F(KvToolTipTest, ColoursFollowTheRegistryRuleWhenCreated)
{
    struct Case {
        WORD setting;
        bool dark;
    };
    // Setting 0 asks the Windows setting, which Wine does not have: light.
    const Case cases[] = {{1, true}, {2, false}, {0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.setting);
        KvoResetDarkModeState();
        g_darkModeSetting = c.setting;
        g_darkModeActive = !c.dark;
        CWnd owner;
        ASSERT_TRUE(CreateTestPopup(owner));
        CKvToolTip tip;
        ASSERT_TRUE(tip.Create(&owner));
        EXPECT_EQ(c.dark, tip.IsDark());
        EXPECT_EQ(c.dark, g_darkModeActive);
        EXPECT_EQ(c.dark ? RGB(0, 0, 0) : RGB(255, 255, 255), Background(tip));
        EXPECT_EQ(c.dark ? RGB(255, 255, 255) : RGB(0, 0, 0), Text(tip));
        tip.DestroyWindow();
        owner.DestroyWindow();
    }
}

// Through the seam, as Wine cannot switch: only the exact section name
// "ImmersiveColorSet" changes the tooltip's colours.
TEST_F(KvToolTipTest, ColourSetChangeSwitchesTheColours)
{
    DarkModeSeam seam;
    InitDarkMode();
    CWnd owner;
    ASSERT_TRUE(CreateTestPopup(owner));
    CKvToolTip tip;
    ASSERT_TRUE(tip.Create(&owner));
    ASSERT_FALSE(tip.IsDark());

    g_darkModeSetting = 1;
    // The section name is compared exactly; other sections and none change
    // nothing, and the colours shown stay as they were.
    for (LPCWSTR ignored : {L"immersivecolorset", L"Policy", static_cast<LPCWSTR>(nullptr)}) {
        tip.SendMessage(WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(ignored));
        EXPECT_FALSE(tip.IsDark()) << (ignored ? ignored : L"(null)");
    }
    EXPECT_EQ(RGB(255, 255, 255), Background(tip));
    tip.SendMessage(WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"));
    EXPECT_TRUE(tip.IsDark());
    EXPECT_TRUE(g_darkModeActive);
    EXPECT_EQ(RGB(0, 0, 0), Background(tip));
    EXPECT_EQ(RGB(255, 255, 255), Text(tip));
    tip.SendMessage(WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
    EXPECT_EQ(RGB(0, 0, 0), Background(tip)) << "a dark tip stays dark";
    tip.DestroyWindow();
    owner.DestroyWindow();
}

// The real road: a window tool shows its tip when the mouse rests on it.
TEST_F(KvToolTipTest, TipShowsForAWindowTool)
{
    KvDialog dialog(IDD_KV_FIXED, nullptr);
    ASSERT_TRUE(dialog.Create(IDD_KV_FIXED));
    dialog.SetWindowPos(&CWnd::wndTopMost, 60, 60, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    PumpPending();
    CKvToolTip tip;
    ASSERT_TRUE(tip.Create(&dialog));
    CWnd* ok = dialog.GetDlgItem(IDOK);
    tip.AddWindowTool(ok, L"Closes the dialog");
    ASSERT_EQ(1, tip.GetToolCount());

    wchar_t text[64] = {};
    TOOLINFOW tool = {};
    tool.cbSize = sizeof(tool);
    tool.hwnd = dialog.m_hWnd;
    tool.uId = reinterpret_cast<UINT_PTR>(ok->m_hWnd);
    tool.lpszText = text;
    tip.SendMessage(TTM_GETTEXTW, _countof(text), reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(L"Closes the dialog", text);
    // A window tool's text can be replaced the usual way.
    tip.UpdateTipText(L"Ends it", ok);
    tip.SendMessage(TTM_GETTEXTW, _countof(text), reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(L"Ends it", text);
    tip.UpdateTipText(L"Closes the dialog", ok);

    CRect button;
    ok->GetWindowRect(&button);
    CPoint middle = button.CenterPoint();
    SetCursorPos(middle.x, middle.y);
    CPoint client = middle;
    ok->ScreenToClient(&client);
    ok->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
    EXPECT_TRUE(PumpUntil([&] { return tip.IsWindowVisible() != FALSE; }, 10.0));
    tip.DestroyWindow();
    dialog.DestroyWindow();
}
