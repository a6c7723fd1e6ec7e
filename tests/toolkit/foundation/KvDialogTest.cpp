#include <gtest/gtest.h>
#include <afxwin.h>
#include "KvDialogTestSupport.h"
#include "foundation/controls/KvDialog.h"
#include "foundation/controls/KvWindowDpi.h"

namespace {
// Counts what a child control hears from its dialog.
class ListeningChild : public CWnd {
public:
    int themeChanges = 0;
    int sysColorChanges = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_THEMECHANGED)
            ++themeChanges;
        else if (message == WM_SYSCOLORCHANGE)
            ++sysColorChanges;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class TestDialog : public KvDialog {
public:
    explicit TestDialog(UINT templateId = IDD_KV_RESIZABLE, LPCWSTR module = nullptr)
        : KvDialog(templateId, nullptr, module)
    {
    }
    BOOL OnInitDialog() override
    {
        // Listening before the base runs, so the first theming is heard.
        if (GetDlgItem(IDC_KV_NAME))
            m_name.SubclassDlgItem(IDC_KV_NAME, this);
        KvDialog::OnInitDialog();
        m_resourcesAtInit = AfxGetResourceHandle();
        if (m_endAtOnce)
            PostMessage(WM_COMMAND, IDOK);
        return TRUE;
    }
    void OnDpiChanged(WPARAM wParam, LPARAM) override { m_dpiChanges.push_back(LOWORD(wParam)); }

    ListeningChild m_name;
    HINSTANCE m_resourcesAtInit = nullptr;
    bool m_endAtOnce = false;
    std::vector<UINT> m_dpiChanges;
};

// The WM_CTLCOLOR answer of a window for one kind, with what it did to the
// DC.
struct CtlColorAnswer {
    HBRUSH brush;
    COLORREF text;
    int backgroundMode;
};

CtlColorAnswer AskCtlColor(HWND window, UINT message, HWND child)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SetTextColor(RGB(1, 2, 3));
    dc.SetBkMode(OPAQUE);
    HBRUSH brush = reinterpret_cast<HBRUSH>(
        SendMessageW(window, message, reinterpret_cast<WPARAM>(dc.m_hDC), reinterpret_cast<LPARAM>(child)));
    return {brush, GetTextColor(dc.m_hDC), GetBkMode(dc.m_hDC)};
}

const UINT kCtlColorMessages[] = {WM_CTLCOLOREDIT, WM_CTLCOLORSTATIC, WM_CTLCOLORBTN, WM_CTLCOLORDLG};

bool DrawsTransparentText(UINT message)
{
    return message == WM_CTLCOLOREDIT || message == WM_CTLCOLORSTATIC;
}

class KvDialogTest : public KvDialogTemplateTest {
protected:
    void TearDown() override
    {
        KvoResetDarkModeState();
        KvDialogTemplateTest::TearDown();
    }
    // A blank spot of the client area, left of the OK button.
    static CPoint BlankSpot(CWnd& dialog)
    {
        CRect ok = ChildRect(dialog, IDOK);
        return CPoint(ok.left - 20, ok.CenterPoint().y);
    }
};
}

// Wine has no dark-mode entry points: the bootstrap says so, and the light
// road is the one that runs for real.
TEST_F(KvDialogTest, WineRunsTheLightRoad)
{
    KvoResetDarkModeState();
    InitDarkMode();
    EXPECT_FALSE(g_darkModeSupported);
    EXPECT_FALSE(g_darkModeActive);

    TestDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_KV_RESIZABLE));
    EXPECT_NE(nullptr, dialog.GetDarkBrush());
    EXPECT_EQ(0, dialog.m_name.themeChanges) << "no theming while dark mode is unsupported";
    EXPECT_EQ(KvGetWindowDpi(dialog.m_hWnd), dialog.GetDpi());
    EXPECT_EQ(96u, dialog.GetDpi()) << "Wine's screen";

    CDialog plain(IDD_KV_RESIZABLE);
    ASSERT_TRUE(plain.Create(IDD_KV_RESIZABLE));
    HWND edit = GetDlgItem(dialog.m_hWnd, IDC_KV_NAME);
    for (UINT message : kCtlColorMessages) {
        SCOPED_TRACE(message);
        CtlColorAnswer answer = AskCtlColor(dialog.m_hWnd, message, edit);
        CtlColorAnswer base = AskCtlColor(plain.m_hWnd, message, GetDlgItem(plain.m_hWnd, IDC_KV_NAME));
        EXPECT_EQ(base.brush, answer.brush);
        EXPECT_EQ(base.text, answer.text);
        EXPECT_EQ(DrawsTransparentText(message) ? TRANSPARENT : base.backgroundMode, answer.backgroundMode);
    }
    plain.DestroyWindow();

    // WM_SETTINGCHANGE without a section (a SystemParametersInfo change)
    // and with one both pass without effect.
    dialog.SendMessage(WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
    dialog.SendMessage(WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"));
    EXPECT_FALSE(g_darkModeActive);
    EXPECT_EQ(0, dialog.m_name.sysColorChanges);
    dialog.DestroyWindow();
    EXPECT_EQ(nullptr, dialog.GetDarkBrush());
}

// Through the seam: dark mode supported and in force when the dialog opens.
TEST_F(KvDialogTest, DarkDialogThemesItselfAndAnswersTheDarkBrush)
{
    DarkModeSeam seam;
    InitDarkMode();
    ASSERT_TRUE(g_darkModeSupported);
    g_darkModeActive = true;
    // The title bar asks the Windows setting itself.
    WindowsDarkSetting windows;
    ASSERT_TRUE(windows.IsOpen());
    windows.SetDark(true);

    TestDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_KV_RESIZABLE));
    const auto& calls = seam.Calls();
    ASSERT_EQ(1u, calls.allowDark.size());
    EXPECT_EQ(dialog.m_hWnd, calls.allowDark[0].window);
    EXPECT_TRUE(calls.allowDark[0].dark);
    ASSERT_EQ(1u, calls.attributes.size());
    EXPECT_EQ(dialog.m_hWnd, calls.attributes[0].window);
    EXPECT_EQ(20u, calls.attributes[0].attribute) << "build 19045 takes the renumbered attribute";
    EXPECT_TRUE(calls.attributes[0].value);
    EXPECT_EQ(1, dialog.m_name.themeChanges);

    HWND edit = GetDlgItem(dialog.m_hWnd, IDC_KV_NAME);
    for (UINT message : kCtlColorMessages) {
        SCOPED_TRACE(message);
        CtlColorAnswer answer = AskCtlColor(dialog.m_hWnd, message, edit);
        EXPECT_EQ(dialog.GetDarkBrush(), answer.brush);
        EXPECT_EQ(RGB(255, 255, 255), answer.text);
        EXPECT_EQ(DrawsTransparentText(message) ? TRANSPARENT : OPAQUE, answer.backgroundMode);
    }

    // The dark brush paints the dialog itself.
    dialog.SetWindowPos(&CWnd::wndTopMost, 260, 40, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    dialog.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    PumpPending();
    CWindowPicture picture(dialog.m_hWnd);
    picture.SavePng(TestPicturePath(L"KvDialogDark.png"));
    CPoint blank = BlankSpot(dialog);
    dialog.ClientToScreen(&blank);
    CRect window;
    dialog.GetWindowRect(&window);
    EXPECT_EQ(kKvDarkBackground, picture.Pixel(blank.x - window.left, blank.y - window.top));
    dialog.DestroyWindow();
}

TEST_F(KvDialogTest, LightDialogPaintsTheButtonFace)
{
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_KV_RESIZABLE));
    dialog.SetWindowPos(&CWnd::wndTopMost, 260, 40, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    dialog.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    PumpPending();
    CWindowPicture picture(dialog.m_hWnd);
    picture.SavePng(TestPicturePath(L"KvDialogLight.png"));
    CPoint blank = BlankSpot(dialog);
    dialog.ClientToScreen(&blank);
    CRect window;
    dialog.GetWindowRect(&window);
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), picture.Pixel(blank.x - window.left, blank.y - window.top));
    dialog.DestroyWindow();
}

// Switching Windows to dark and back while the dialog is open; other
// sections and section-less changes only tell uxtheme.
TEST_F(KvDialogTest, SettingChangesFollowTheColourSet)
{
    DarkModeSeam seam;
    InitDarkMode();
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_KV_RESIZABLE));
    ASSERT_FALSE(g_darkModeActive);
    auto& calls = seam.Calls();

    struct Case {
        LPCWSTR section;
        bool colorSet;
    };
    const Case others[] = {{L"Policy", false}, {nullptr, false}, {L"", false}};
    for (const Case& c : others) {
        SCOPED_TRACE(c.section ? c.section : L"(null)");
        ClearDarkModeCalls(seam);
        const int themeChanges = dialog.m_name.themeChanges;
        dialog.SendMessage(WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(c.section));
        EXPECT_EQ(2u, calls.settingChanged.size()) << "once in WindowProc, once in the handler";
        EXPECT_EQ(0, calls.refreshPolicy);
        EXPECT_TRUE(calls.allowDark.empty());
        EXPECT_EQ(themeChanges, dialog.m_name.themeChanges);
        EXPECT_EQ(0, dialog.m_name.sysColorChanges);
    }

    // The dialogs compare the section without regard to case.
    ClearDarkModeCalls(seam);
    calls.darkColors = true;
    dialog.SendMessage(WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"immersivecolorset"));
    EXPECT_TRUE(g_darkModeActive);
    EXPECT_EQ(2, calls.refreshPolicy);
    ASSERT_EQ(1u, calls.allowDark.size());
    EXPECT_TRUE(calls.allowDark[0].dark);
    EXPECT_EQ(1u, calls.attributes.size());
    EXPECT_EQ(1, dialog.m_name.sysColorChanges);
    EXPECT_EQ(dialog.GetDarkBrush(), AskCtlColor(dialog.m_hWnd, WM_CTLCOLORSTATIC, nullptr).brush);

    ClearDarkModeCalls(seam);
    calls.darkColors = false;
    dialog.SendMessage(WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"));
    EXPECT_FALSE(g_darkModeActive);
    ASSERT_EQ(1u, calls.allowDark.size());
    EXPECT_FALSE(calls.allowDark[0].dark);
    EXPECT_EQ(2, dialog.m_name.sysColorChanges);
    EXPECT_NE(dialog.GetDarkBrush(), AskCtlColor(dialog.m_hWnd, WM_CTLCOLORSTATIC, nullptr).brush);
    dialog.DestroyWindow();
}

// Without dark-mode support the colour answers still follow the state.
TEST_F(KvDialogTest, CtlColorFollowsTheStateEvenWhenUnsupported)
{
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_KV_RESIZABLE));
    g_darkModeActive = true;
    CtlColorAnswer answer = AskCtlColor(dialog.m_hWnd, WM_CTLCOLORBTN, GetDlgItem(dialog.m_hWnd, IDOK));
    EXPECT_EQ(dialog.GetDarkBrush(), answer.brush);
    EXPECT_EQ(RGB(255, 255, 255), answer.text);
    EXPECT_EQ(0, dialog.m_name.themeChanges);
    dialog.DestroyWindow();
}

TEST_F(KvDialogTest, BlankClientAreaDragsTheDialog)
{
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_KV_RESIZABLE));
    dialog.ShowWindow(SW_SHOWNA);
    CPoint blank = BlankSpot(dialog);
    dialog.ClientToScreen(&blank);
    EXPECT_EQ(HTCAPTION, dialog.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(blank.x, blank.y)));
    CRect window;
    dialog.GetWindowRect(&window);
    EXPECT_EQ(HTBOTTOMRIGHT, dialog.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(window.right - 1, window.bottom - 1)))
        << "the frame keeps its own answers";
    dialog.DestroyWindow();
}

TEST_F(KvDialogTest, DpiFollowsDpiChanged)
{
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_KV_RESIZABLE));
    CRect suggested;
    dialog.GetWindowRect(&suggested);
    dialog.SendMessage(WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(144u, dialog.GetDpi());
    EXPECT_EQ(std::vector<UINT>{144}, dialog.m_dpiChanges);
    dialog.DestroyWindow();
    EXPECT_EQ(96u, KvGetWindowDpi(nullptr));
    EXPECT_EQ(96u, KvGetWindowDpi(dialog.m_hWnd)) << "a window that is gone";
}

// A modal run takes its template from the named module and puts the
// resource handle back afterwards.
TEST_F(KvDialogTest, ModalRunFromANamedModule)
{
    AfxSetResourceHandle(nullptr);
    const HINSTANCE before = AfxGetResourceHandle();
    TestDialog dialog(IDD_KV_FIXED, L"KvoFixtureDialogs.dll");
    dialog.m_endAtOnce = true;
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(m_module, dialog.m_resourcesAtInit);
    EXPECT_EQ(before, AfxGetResourceHandle());
}
