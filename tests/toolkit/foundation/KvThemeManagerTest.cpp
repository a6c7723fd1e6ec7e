#include <gtest/gtest.h>
#include <afxwin.h>
#include <chrono>
#include <functional>
#include "foundation/base/KvThemeManager.h"
#include "foundation/base/KvoColorManager.h"

// Two control families with themes that count their refreshes and their
// lives, as the button and colour-picker families do in the library.
class ThemeTestStyle : public CKvThemeManagerStyle {
public:
    explicit ThemeTestStyle(int themeId) : m_themeId(themeId) { ++Live(); }
    ~ThemeTestStyle() override { --Live(); }
    void RefreshMetrics() override { ++m_refreshes; }
    static int& Live()
    {
        static int live = 0;
        return live;
    }
    int m_themeId;
    int m_refreshes = 0;
};

class ThemeTestButtonFactory : public CKvThemeManagerStyleFactory {
    DECLARE_DYNCREATE(ThemeTestButtonFactory)
public:
    CKvThemeManagerStyle* CreateTheme(int themeId) override { return new ThemeTestStyle(themeId); }
};
IMPLEMENT_DYNCREATE(ThemeTestButtonFactory, CKvThemeManagerStyleFactory)

class ThemeTestPickerFactory : public CKvThemeManagerStyleFactory {
    DECLARE_DYNCREATE(ThemeTestPickerFactory)
public:
    CKvThemeManagerStyle* CreateTheme(int themeId) override { return new ThemeTestStyle(themeId); }
};
IMPLEMENT_DYNCREATE(ThemeTestPickerFactory, CKvThemeManagerStyleFactory)

// A factory class that cannot be made by name.
class ThemeTestFixedFactory : public CKvThemeManagerStyleFactory {
    DECLARE_DYNAMIC(ThemeTestFixedFactory)
};
IMPLEMENT_DYNAMIC(ThemeTestFixedFactory, CKvThemeManagerStyleFactory)

class ThemeTestHost : public CKvThemeManagerStyleHost {
public:
    explicit ThemeTestHost(CRuntimeClass* family = RUNTIME_CLASS(ThemeTestButtonFactory))
        : CKvThemeManagerStyleHost(family)
    {
    }
    void OnThemeChanged() override { ++m_themeChanges; }
    int m_themeChanges = 0;
};

namespace {
CKvThemeManagerStyleFactory* SharedButtonFactory()
{
    return CKvThemeManager::Instance()->GetFactory(RUNTIME_CLASS(ThemeTestButtonFactory));
}

bool PumpThemeTestMessages(const std::function<bool()>& done)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}
}

TEST(KvThemeManager, FactoryRegistryMakesOneSharedFactoryPerFamily)
{
    CKvThemeManager* manager = CKvThemeManager::Instance();
    ASSERT_NE(manager, nullptr);
    EXPECT_EQ(manager, CKvThemeManager::Instance());
    EXPECT_EQ(manager->GetFactory(nullptr), nullptr);
    EXPECT_EQ(manager->GetFactory(RUNTIME_CLASS(CCmdTarget)), nullptr) << "not a factory class";
    EXPECT_EQ(manager->GetFactory(RUNTIME_CLASS(ThemeTestFixedFactory)), nullptr) << "cannot be made by name";

    int before = manager->GetFactoryCount();
    CKvThemeManagerStyleFactory* buttons = SharedButtonFactory();
    ASSERT_NE(buttons, nullptr);
    EXPECT_TRUE(buttons->IsKindOf(RUNTIME_CLASS(ThemeTestButtonFactory)));
    EXPECT_EQ(SharedButtonFactory(), buttons) << "made once, then found";
    CKvThemeManagerStyleFactory* pickers = manager->GetFactory(RUNTIME_CLASS(ThemeTestPickerFactory));
    ASSERT_NE(pickers, nullptr);
    EXPECT_NE(pickers, buttons);
    EXPECT_LE(manager->GetFactoryCount(), before + 2);
    EXPECT_GE(manager->GetFactoryCount(), 2);
}

TEST(KvThemeManager, FactoryMakesItsThemeOnFirstNeedAndReplacesIt)
{
    CKvThemeManagerStyleFactory* buttons = SharedButtonFactory();
    ThemeTestHost host;
    auto* theme = static_cast<ThemeTestStyle*>(buttons->GetSafeTheme());
    ASSERT_NE(theme, nullptr);
    EXPECT_EQ(theme->m_themeId, CKvThemeManager::Instance()->GetThemeId());
    EXPECT_EQ(theme->GetFactory(), buttons);
    EXPECT_GE(theme->m_refreshes, 1) << "refreshed before first use";
    EXPECT_EQ(buttons->GetSafeTheme(), theme);

    int live = ThemeTestStyle::Live();
    buttons->SetTheme(nullptr);
    EXPECT_EQ(buttons->GetSafeTheme(), theme) << "NULL is ignored";
    EXPECT_EQ(host.m_themeChanges, 0);

    auto* replacement = new ThemeTestStyle(7);
    buttons->SetTheme(replacement);
    EXPECT_EQ(ThemeTestStyle::Live(), live) << "the old theme is deleted";
    EXPECT_EQ(buttons->GetSafeTheme(), replacement);
    EXPECT_EQ(replacement->GetFactory(), buttons);
    EXPECT_EQ(replacement->m_refreshes, 1);
    EXPECT_EQ(host.m_themeChanges, 1) << "every host of the family is told";

    buttons->SetTheme(replacement);
    EXPECT_EQ(buttons->GetSafeTheme(), replacement) << "setting the current theme again keeps it alive";
}

TEST(KvThemeManager, HostSwitchesBetweenPrivateAndSharedTheme)
{
    CKvThemeManagerStyleFactory* shared = SharedButtonFactory();
    ThemeTestHost host;
    EXPECT_FALSE(host.HasPrivateTheme());
    EXPECT_EQ(host.GetCurrentFactory(), shared);
    EXPECT_EQ(host.GetSafeTheme(), shared->GetSafeTheme());
    const int sharedHosts = shared->GetHostCount();

    host.SetTheme(nullptr);
    EXPECT_EQ(host.m_themeChanges, 0) << "no private theme to drop: nothing happens";

    int live = ThemeTestStyle::Live();
    auto* own = new ThemeTestStyle(3);
    host.SetTheme(own);
    EXPECT_TRUE(host.HasPrivateTheme());
    EXPECT_EQ(host.GetSafeTheme(), own);
    EXPECT_NE(host.GetCurrentFactory(), shared);
    EXPECT_TRUE(host.GetCurrentFactory()->IsKindOf(RUNTIME_CLASS(ThemeTestButtonFactory)));
    EXPECT_EQ(shared->GetHostCount(), sharedHosts - 1) << "the host left the shared factory";
    EXPECT_EQ(host.GetCurrentFactory()->GetHostCount(), 1);
    EXPECT_EQ(host.m_themeChanges, 1);

    // The shared family changing no longer reaches a host with its own theme.
    shared->SetTheme(new ThemeTestStyle(0));
    EXPECT_EQ(host.m_themeChanges, 1);

    host.SetTheme(nullptr);
    EXPECT_FALSE(host.HasPrivateTheme());
    EXPECT_EQ(ThemeTestStyle::Live(), live) << "the private factory and its theme are gone";
    EXPECT_EQ(host.GetSafeTheme(), shared->GetSafeTheme());
    EXPECT_EQ(shared->GetHostCount(), sharedHosts);
    EXPECT_EQ(host.m_themeChanges, 2);
}

TEST(KvThemeManager, HostThatGoesLeavesItsFactory)
{
    CKvThemeManagerStyleFactory* shared = SharedButtonFactory();
    int hosts = shared->GetHostCount();
    int factories = CKvThemeManager::Instance()->GetFactoryCount();
    {
        ThemeTestHost sharing;
        ThemeTestHost owning;
        owning.SetTheme(new ThemeTestStyle(1));
        EXPECT_EQ(shared->GetHostCount(), hosts + 1);
        EXPECT_EQ(CKvThemeManager::Instance()->GetFactoryCount(), factories + 1);
    }
    EXPECT_EQ(shared->GetHostCount(), hosts) << "a deleted host is never told of a theme change";
    EXPECT_EQ(CKvThemeManager::Instance()->GetFactoryCount(), factories)
        << "a deleted private factory leaves the manager's list";
    shared->SetTheme(new ThemeTestStyle(2));
}

TEST(KvThemeManager, RefreshMetricsReachesEveryFamilyAndPrivateTheme)
{
    CKvThemeManager* manager = CKvThemeManager::Instance();
    auto* buttonTheme = static_cast<ThemeTestStyle*>(SharedButtonFactory()->GetSafeTheme());
    auto* pickerTheme =
        static_cast<ThemeTestStyle*>(manager->GetFactory(RUNTIME_CLASS(ThemeTestPickerFactory))->GetSafeTheme());
    ThemeTestHost host(RUNTIME_CLASS(ThemeTestPickerFactory));
    auto* own = new ThemeTestStyle(5);
    host.SetTheme(own);
    ThemeTestHost dropped;
    dropped.SetTheme(new ThemeTestStyle(6));
    dropped.SetTheme(nullptr);  // its private factory is deleted before the refresh

    const int buttonRefreshes = buttonTheme->m_refreshes;
    const int pickerRefreshes = pickerTheme->m_refreshes;
    const int ownRefreshes = own->m_refreshes;
    manager->RefreshMetrics();
    EXPECT_EQ(buttonTheme->m_refreshes, buttonRefreshes + 1);
    EXPECT_EQ(pickerTheme->m_refreshes, pickerRefreshes + 1);
    EXPECT_EQ(own->m_refreshes, ownRefreshes + 1);
}

TEST(KvThemeManager, RefreshMetricsRefreshesTheColourManager)
{
    CKvoColorManager* colors = CKvoColorManager::Instance();
    COLORREF face = colors->GetStandardColor(COLOR_BTNFACE);
    CKvThemeManager::Instance()->RefreshMetrics();
    EXPECT_EQ(colors->GetStandardColor(COLOR_BTNFACE), face);
    EXPECT_EQ(colors->GetColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOW));
}

// Real windows under Xvfb: a red parent with a child; the snapshot holds
// what the parent shows under the child.
TEST(KvThemeManager, TransparentBackCopiesTheParentUnderTheControl)
{
    const COLORREF red = RGB(200, 30, 40);
    HBRUSH redBrush = CreateSolidBrush(red);
    CWnd parent;
    LPCTSTR parentClass = AfxRegisterWndClass(0, LoadCursorW(nullptr, IDC_ARROW), redBrush);
    ASSERT_TRUE(parent.CreateEx(WS_EX_TOPMOST, parentClass, L"parent", WS_POPUP | WS_VISIBLE, 50, 50, 120, 90,
                                nullptr, nullptr));
    // A control that paints nothing of its own, so the screen under it shows
    // the parent's red.
    LPCTSTR blankClass = AfxRegisterWndClass(0, LoadCursorW(nullptr, IDC_ARROW), nullptr);
    CWnd transparent, opaque;
    ASSERT_TRUE(transparent.CreateEx(WS_EX_TRANSPARENT, blankClass, L"", WS_CHILD | WS_VISIBLE, 10, 10, 40, 30,
                                     parent.GetSafeHwnd(), nullptr));
    ASSERT_TRUE(opaque.CreateEx(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 60, 10, 40, 30, parent.GetSafeHwnd(),
                                nullptr));
    parent.UpdateWindow();
    PumpThemeTestMessages([&] {
        HDC dc = GetDC(parent.GetSafeHwnd());
        COLORREF shown = GetPixel(dc, 5, 5);
        ReleaseDC(parent.GetSafeHwnd(), dc);
        return shown == red;
    });

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 40;
    info.bmiHeader.biHeight = -30;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP target = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(target, nullptr);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc.m_hDC, target);
    PatBlt(dc.m_hDC, 0, 0, 40, 30, WHITENESS);

    ThemeTestStyle style(0);
    EXPECT_FALSE(style.DrawTransparentBack(&dc, &opaque)) << "an opaque control draws nothing";
    GdiFlush();
    EXPECT_EQ(static_cast<const DWORD*>(bits)[0] & 0xFFFFFF, 0xFFFFFFu);

    EXPECT_TRUE(style.DrawTransparentBack(&dc, &transparent));
    GdiFlush();
    const DWORD* pixels = static_cast<const DWORD*>(bits);
    const DWORD redBgr = (GetRValue(red) << 16) | (GetGValue(red) << 8) | GetBValue(red);
    EXPECT_EQ(pixels[0] & 0xFFFFFF, redBgr);
    EXPECT_EQ(pixels[29 * 40 + 39] & 0xFFFFFF, redBgr);

    CWnd orphan;
    ASSERT_TRUE(orphan.CreateEx(WS_EX_TRANSPARENT, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_FALSE(style.TakeSnapshot(&orphan)) << "no parent window";
    EXPECT_FALSE(style.DrawTransparentBack(&dc, &orphan));

    SelectObject(dc.m_hDC, old);
    DeleteObject(target);
    orphan.DestroyWindow();
    parent.DestroyWindow();
    DeleteObject(redBrush);
}

TEST(KvThemeManager, NonClientMetricsAreFilledWithTheirSize)
{
    NONCLIENTMETRICSW metrics;
    memset(&metrics, 0xCD, sizeof metrics);
    EXPECT_EQ(InitNonClientMetrics(&metrics), &metrics);
    EXPECT_EQ(metrics.cbSize, sizeof metrics);
    NONCLIENTMETRICSW direct = {};
    direct.cbSize = sizeof direct;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof direct, &direct, 0));
    EXPECT_EQ(memcmp(&metrics, &direct, sizeof metrics), 0);
}
