#include <gtest/gtest.h>
#include <afxwin.h>
#include "foundation/base/KvoDarkMode.h"
#include "foundation/base/KvoSystemVersion.h"
#include "toolkit/foundation/DarkModeSeam.h"

namespace {
enum class MissingDarkModeEntry { None, Ordinal49, Ordinal104, Ordinal106, Ordinal132, Ordinal133, Ordinal135 };

struct DarkModeBootstrapCase {
    const char* what;
    bool versionKnown;
    DWORD major, minor, build;
    bool visualStylesLoad;
    MissingDarkModeEntry missing;
    bool result;
    bool supported;
};

// Through the seam: the builds and entry points of real Windows systems,
// which neither Wine (no dark-mode ordinals) nor one test machine can show.
const DarkModeBootstrapCase kDarkModeBootstrapCases[] = {
    {"no version numbers", false, 10, 0, 19045, true, MissingDarkModeEntry::None, false, false},
    {"Windows 7", true, 6, 1, 7601, true, MissingDarkModeEntry::None, false, false},
    {"Windows 8.1", true, 6, 3, 9600, true, MissingDarkModeEntry::None, false, false},
    {"10.1", true, 10, 1, 19045, true, MissingDarkModeEntry::None, false, false},
    {"build 17134", true, 10, 0, 17134, true, MissingDarkModeEntry::None, false, false},
    {"build 17763", true, 10, 0, 17763, true, MissingDarkModeEntry::None, true, true},
    {"build 18000", true, 10, 0, 18000, true, MissingDarkModeEntry::None, false, false},
    {"build 18362", true, 10, 0, 18362, true, MissingDarkModeEntry::None, true, true},
    {"build 18363", true, 10, 0, 18363, true, MissingDarkModeEntry::None, true, true},
    {"build 19000", true, 10, 0, 19000, true, MissingDarkModeEntry::None, false, false},
    {"build 19041", true, 10, 0, 19041, true, MissingDarkModeEntry::None, true, true},
    {"build 19045", true, 10, 0, 19045, true, MissingDarkModeEntry::None, true, true},
    {"Windows 11", true, 10, 0, 22631, true, MissingDarkModeEntry::None, true, true},
    {"flag bits above the build", true, 10, 0, 0xF0000000u | 19045, true, MissingDarkModeEntry::None, true, true},
    {"uxtheme does not load", true, 10, 0, 19045, false, MissingDarkModeEntry::None, false, false},
    {"no ordinal 49", true, 10, 0, 19045, true, MissingDarkModeEntry::Ordinal49, true, false},
    {"no ordinal 104", true, 10, 0, 19045, true, MissingDarkModeEntry::Ordinal104, true, false},
    {"no ordinal 106 (optional)", true, 10, 0, 19045, true, MissingDarkModeEntry::Ordinal106, true, true},
    {"no ordinal 132", true, 10, 0, 19045, true, MissingDarkModeEntry::Ordinal132, true, false},
    {"no ordinal 133", true, 10, 0, 19045, true, MissingDarkModeEntry::Ordinal133, true, false},
    {"no ordinal 135", true, 10, 0, 19045, true, MissingDarkModeEntry::Ordinal135, true, false},
};

void RemoveDarkModeEntry(KvoDarkModeEntryPoints& points, MissingDarkModeEntry missing)
{
    switch (missing) {
    case MissingDarkModeEntry::None: break;
    case MissingDarkModeEntry::Ordinal49: points.ordinal49 = nullptr; break;
    case MissingDarkModeEntry::Ordinal104: points.ordinal104 = nullptr; break;
    case MissingDarkModeEntry::Ordinal106: points.ordinal106 = nullptr; break;
    case MissingDarkModeEntry::Ordinal132: points.ordinal132 = nullptr; break;
    case MissingDarkModeEntry::Ordinal133: points.ordinal133 = nullptr; break;
    case MissingDarkModeEntry::Ordinal135: points.ordinal135 = nullptr; break;
    }
}

bool DarkModeTestRunsOnWine()
{
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

// A plain top-level window of its own class for title-bar and message tests.
class DarkModeTestWindow {
public:
    DarkModeTestWindow()
    {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = &DarkModeTestWindow::Procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"KvoDarkModeTestWindow";
        RegisterClassW(&windowClass);
        m_window = CreateWindowExW(0, windowClass.lpszClassName, L"dark mode", WS_OVERLAPPEDWINDOW, 40, 40, 200, 120,
                                   nullptr, nullptr, windowClass.hInstance, nullptr);
    }
    ~DarkModeTestWindow()
    {
        if (m_window)
            DestroyWindow(m_window);
    }
    DarkModeTestWindow(const DarkModeTestWindow&) = delete;
    DarkModeTestWindow& operator=(const DarkModeTestWindow&) = delete;

    HWND Get() const { return m_window; }
    // What the window's WM_SETTINGCHANGE handling answered last.
    static int& ColorSetChanges()
    {
        static int changes = 0;
        return changes;
    }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_SETTINGCHANGE && FollowDarkModeSettingChange(lParam))
            ++ColorSetChanges();
        return DefWindowProcW(window, message, wParam, lParam);
    }

    HWND m_window;
};
}

TEST(KvoDarkMode, BootstrapAcceptsOnlyKnownBuildsWithTheRequiredEntryPoints)
{
    for (const DarkModeBootstrapCase& c : kDarkModeBootstrapCases) {
        DarkModeSeam seam(c.build, c.major, c.minor);
        seam.System().versionKnown = c.versionKnown;
        seam.System().visualStylesLoad = c.visualStylesLoad;
        RemoveDarkModeEntry(seam.System().entryPoints, c.missing);
        EXPECT_EQ(InitDarkMode(), c.result) << c.what;
        EXPECT_EQ(g_darkModeSupported, c.supported) << c.what;
        EXPECT_EQ(g_darkModeSetting, 0) << c.what;
        if (c.versionKnown) {
            EXPECT_EQ(g_windowsBuildNumber, c.build & 0x0FFFFFFFu) << c.what;
        }
        if (!c.supported) {
            EXPECT_FALSE(g_darkModeActive) << c.what;
        }
        EXPECT_TRUE(seam.Calls().settingChanged.empty()) << c.what << ": the bootstrap calls no entry point";
    }
}

TEST(KvoDarkMode, BootstrapRunsAgainUntilSupportedThenAnswersAtOnce)
{
    DarkModeSeam seam;
    seam.System().entryPoints.ordinal133 = nullptr;
    EXPECT_TRUE(InitDarkMode());
    EXPECT_FALSE(g_darkModeSupported);

    seam.System().entryPoints.ordinal133 = &FakeAllowDark;
    EXPECT_TRUE(InitDarkMode()) << "a bootstrap without support runs in full again";
    EXPECT_TRUE(g_darkModeSupported);
    EXPECT_EQ(g_pfnUxThemeOrdinal133, &FakeAllowDark);

    seam.System().versionKnown = false;
    g_darkModeSetting = 1;
    EXPECT_TRUE(InitDarkMode()) << "once supported, the bootstrap returns at once";
    EXPECT_EQ(g_darkModeSetting, 1) << "and touches nothing";
}

// The real road: what the running system answers. Wine 8 has no dark-mode
// ordinals in its uxtheme, so dark mode never becomes supported there; the
// result is true only when the prefix reports a Windows 10 build the
// bootstrap knows (false for the usual Windows 7 prefix).
TEST(KvoDarkMode, BootstrapOnTheRunningSystem)
{
    typedef void(WINAPI * VersionNumbers)(DWORD*, DWORD*, DWORD*);
    auto versionNumbers = reinterpret_cast<VersionNumbers>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetNtVersionNumbers")));
    ASSERT_NE(versionNumbers, nullptr);
    DWORD major = 0, minor = 0, build = 0;
    versionNumbers(&major, &minor, &build);
    build &= 0x0FFFFFFF;
    const bool knownBuild = major == 10 && minor == 0 && build >= 17763;

    KvoResetDarkModeState();
    const KvoDarkModeSystem* before = KvoSetDarkModeSystem(nullptr);
    bool result = InitDarkMode();
    EXPECT_EQ(g_windowsBuildNumber, build);
    if (DarkModeTestRunsOnWine()) {
        HMODULE uxtheme = LoadLibraryW(L"uxtheme.dll");
        ASSERT_NE(uxtheme, nullptr);
        EXPECT_EQ(GetProcAddress(uxtheme, MAKEINTRESOURCEA(132)), nullptr) << "Wine has no dark-mode ordinals";
        EXPECT_EQ(GetProcAddress(uxtheme, MAKEINTRESOURCEA(133)), nullptr);
        FreeLibrary(uxtheme);
        EXPECT_FALSE(g_darkModeSupported);
        EXPECT_FALSE(g_darkModeActive);
        if (major != 10) {
            EXPECT_FALSE(result) << "a Windows " << major << "." << minor << " prefix is refused";
        } else if (knownBuild) {
            EXPECT_TRUE(result) << "a known build, but the ordinals are missing";
        }
    }
    KvoSetDarkModeSystem(before);
    KvoResetDarkModeState();
}

TEST(KvoDarkMode, SupportedBootstrapTakesTheWindowsSetting)
{
    WindowsDarkSetting windows;
    ASSERT_TRUE(windows.IsOpen());
    for (bool dark : {true, false}) {
        DarkModeSeam seam;
        windows.SetDark(dark);
        seam.Calls().darkColors = !dark;  // the bootstrap asks the registry, not uxtheme
        EXPECT_TRUE(InitDarkMode());
        EXPECT_EQ(g_darkModeActive, dark);
        EXPECT_EQ(seam.Calls().askedDarkColors, 0);
    }
}

TEST(KvoDarkMode, UpdateRuleByPreferenceSupportAndSource)
{
    WindowsDarkSetting windows;
    ASSERT_TRUE(windows.IsOpen());
    struct Case {
        const char* what;
        WORD setting;
        bool supported;
        bool useRegistryOnly;
        bool uxthemeDark;
        bool highContrast;
        bool registryDark;
        bool expected;
    } const cases[] = {
        {"setting 1", 1, false, true, false, false, false, true},
        {"setting 1, supported", 1, true, false, false, false, false, true},
        {"setting 2", 2, true, false, true, false, true, false},
        {"setting 0xFFFF", 0xFFFF, false, true, true, false, true, false},
        {"uxtheme dark", 0, true, false, true, false, false, true},
        {"uxtheme dark, high contrast", 0, true, false, true, true, true, false},
        {"uxtheme light", 0, true, false, false, false, true, false},
        {"registry only", 0, true, true, false, false, true, true},
        {"registry only, light", 0, true, true, true, false, false, false},
        {"unsupported", 0, false, false, true, false, true, true},
        {"unsupported, light", 0, false, false, true, false, false, false},
    };
    for (const Case& c : cases) {
        DarkModeSeam seam;
        seam.System().highContrast = c.highContrast;
        if (c.supported) {
            ASSERT_TRUE(InitDarkMode() && g_darkModeSupported);
        }
        g_darkModeSetting = c.setting;
        seam.Calls().darkColors = c.uxthemeDark;
        windows.SetDark(c.registryDark);
        g_darkModeActive = !c.expected;
        UpdateDarkModeState(c.useRegistryOnly);
        EXPECT_EQ(g_darkModeActive, c.expected) << c.what;
        bool askedUxtheme = c.setting == 0 && c.supported && !c.useRegistryOnly;
        EXPECT_EQ(seam.Calls().askedDarkColors, askedUxtheme ? 1 : 0) << c.what;
    }
}

TEST(KvoDarkMode, HighContrastAsTheSystemReportsIt)
{
    HIGHCONTRASTW contrast = {sizeof contrast};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0));
    EXPECT_EQ(IsHighContrast(), (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0);
}

// The registry query against the real registry: the test writes the user's
// setting and the release id and puts both back afterwards.
TEST(KvoDarkMode, RegistryQueryOfTheWindowsSetting)
{
    struct Case {
        const char* what;
        const wchar_t* release;
        enum { Dword0, Dword1, String0, Missing } value;
        WORD setting;
        bool expected;
    } const cases[] = {
        {"1903, dark", L"1903", Case::Dword0, 0, true},
        {"2009, light", L"2009", Case::Dword1, 0, false},
        {"1809 is too early", L"1809", Case::Dword0, 0, false},
        {"no release id text", L"", Case::Dword0, 0, false},
        {"a string is light", L"2009", Case::String0, 0, false},
        {"missing is light", L"2009", Case::Missing, 0, false},
        {"setting 1 is dark", L"2009", Case::Dword1, 1, true},
        {"setting 1 still needs the release", L"1809", Case::Dword1, 1, false},
        {"setting 2 is light", L"2009", Case::Dword0, 2, false},
    };
    for (const Case& c : cases) {
        DarkModeSeam seam;
        WindowsDarkSetting windows(c.release);
        ASSERT_TRUE(windows.IsOpen());
        switch (c.value) {
        case Case::Dword0: windows.SetDark(true); break;
        case Case::Dword1: windows.SetDark(false); break;
        case Case::String0: windows.AppsUseLightTheme().SetString(L"0"); break;
        case Case::Missing: windows.AppsUseLightTheme().Remove(); break;
        }
        g_darkModeSetting = c.setting;
        EXPECT_EQ(CKvoSystemVersion::Instance()->IsDarkModeActive(), c.expected) << c.what;
        EXPECT_EQ(DecideDarkModeFromRegistry(), c.setting == 1 || (c.setting == 0 && c.expected)) << c.what;
    }
}

// Only where the test made the personalisation key itself (as in a fresh
// Wine prefix) may it take it away again.
TEST(KvoDarkMode, RegistryQueryIsLightWithoutThePersonalisationKey)
{
    DarkModeSeam seam;
    WindowsDarkSetting windows;
    if (!windows.AppsUseLightTheme().CreatedKey())
        GTEST_SKIP() << "the user's personalisation key exists: it is not removed";
    ASSERT_TRUE(windows.AppsUseLightTheme().RemoveKey());
    g_darkModeSetting = 1;
    EXPECT_FALSE(CKvoSystemVersion::Instance()->IsDarkModeActive()) << "no key: light before the setting counts";
    EXPECT_TRUE(DecideDarkModeFromRegistry()) << "the registry form of the rule honours setting 1 itself";
}

TEST(KvoDarkMode, RegistryQueryIsLightBeforeWindows10)
{
    DarkModeSeam seam;
    WindowsDarkSetting windows;
    windows.SetDark(true);
    ShownVersion seven(6, 1, 7601);
    EXPECT_FALSE(CKvoSystemVersion::Instance()->IsDarkModeActive());
}

// Real windows; the desktop window manager's entry point is the seam's
// recorder, since the attribute's effect cannot be seen under Xvfb.
TEST(KvoDarkMode, TitleBarSwitchByBuild)
{
    WindowsDarkSetting windows;
    ASSERT_TRUE(windows.IsOpen());
    struct Case {
        DWORD build;
        bool dwmEntry;
        bool useProperty;
        DWORD attribute;  // 0: none set
    } const cases[] = {
        {17763, true, true, 0},   {18361, true, true, 0},    {18362, true, false, 19}, {18984, true, false, 19},
        {18985, true, false, 20}, {22631, true, false, 20}, {19045, false, false, 0},
    };
    for (const Case& c : cases) {
        for (bool dark : {true, false}) {
            // The title bar does not need dark-mode support: the bootstrap
            // is run only for the build number it records.
            DarkModeSeam seam(c.build);
            InitDarkMode();
            ASSERT_EQ(g_windowsBuildNumber, c.build);
            g_pfnDwmSetWindowAttribute = c.dwmEntry ? &FakeSetWindowAttribute : nullptr;
            windows.SetDark(dark);
            g_darkModeActive = !dark;  // the title bar follows the registry, not the state
            DarkModeTestWindow window;
            ASSERT_NE(window.Get(), nullptr);
            SetPropW(window.Get(), L"UseImmersiveDarkModeColors", reinterpret_cast<HANDLE>(7));
            ApplyDarkTitleBar(window.Get());

            HANDLE property = GetPropW(window.Get(), L"UseImmersiveDarkModeColors");
            if (c.useProperty) {
                EXPECT_EQ(property, reinterpret_cast<HANDLE>(dark ? 1 : 0)) << c.build;
            } else {
                EXPECT_EQ(property, reinterpret_cast<HANDLE>(7)) << c.build << ": the property is left alone";
            }
            const auto& attributes = seam.Calls().attributes;
            if (c.attribute == 0) {
                EXPECT_TRUE(attributes.empty()) << c.build;
                continue;
            }
            ASSERT_EQ(attributes.size(), 1u) << c.build;
            EXPECT_EQ(attributes[0].window, window.Get());
            EXPECT_EQ(attributes[0].attribute, c.attribute) << c.build;
            EXPECT_EQ(attributes[0].value, dark ? TRUE : FALSE) << c.build;
            EXPECT_EQ(attributes[0].size, 4u);
        }
    }
}

// The real desktop window manager of the running system takes the request
// without harm to the window; Wine answers E_NOTIMPL or S_OK depending on
// its version, so only the window's survival is asserted.
TEST(KvoDarkMode, TitleBarThroughTheRealWindowManager)
{
    WindowsDarkSetting windows;
    windows.SetDark(true);
    DarkModeSeam seam(19045);
    HMODULE dwmapi = GetModuleHandleW(L"dwmapi.dll");
    ASSERT_NE(dwmapi, nullptr) << "the library imports dwmapi at load time";
    seam.System().entryPoints.dwmSetWindowAttribute = reinterpret_cast<KvoDwmSetWindowAttribute>(
        reinterpret_cast<void*>(GetProcAddress(dwmapi, "DwmSetWindowAttribute")));
    ASSERT_NE(seam.System().entryPoints.dwmSetWindowAttribute, nullptr);
    ASSERT_TRUE(InitDarkMode());
    DarkModeTestWindow window;
    ApplyDarkTitleBar(window.Get());
    EXPECT_TRUE(IsWindow(window.Get()));
    BOOL dark = TRUE;
    HRESULT answer = g_pfnDwmSetWindowAttribute(window.Get(), 20, &dark, sizeof dark);
    EXPECT_TRUE(answer == S_OK || answer == E_NOTIMPL || answer == E_INVALIDARG) << std::hex << answer;
}

TEST(KvoDarkMode, SettingChangeSectionIsReadOnlyWhenPresent)
{
    struct Case {
        const wchar_t* section;
        bool ignoreCase;
        bool expected;
    } const cases[] = {
        {nullptr, true, false},          {nullptr, false, false},          {L"ImmersiveColorSet", true, true},
        {L"ImmersiveColorSet", false, true}, {L"immersivecolorset", true, true}, {L"immersivecolorset", false, false},
        {L"Policy", true, false},        {L"", true, false},               {L"ImmersiveColorSetX", true, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsColorSetSettingChange(reinterpret_cast<LPARAM>(c.section), c.ignoreCase), c.expected)
            << (c.section ? "section" : "null");
}

// Real WM_SETTINGCHANGE messages, with and without a section, through a
// window that follows them as the dark-mode dialogs do.
TEST(KvoDarkMode, SettingChangeMessagesReachTheEntryPoints)
{
    WindowsDarkSetting windows;
    windows.SetDark(false);
    DarkModeSeam seam;
    DarkModeTestWindow window;
    DarkModeTestWindow::ColorSetChanges() = 0;

    SendMessageW(window.Get(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"));
    EXPECT_TRUE(seam.Calls().settingChanged.empty()) << "nothing while dark mode is unsupported";
    EXPECT_EQ(seam.Calls().refreshPolicy, 0);

    ASSERT_TRUE(InitDarkMode() && g_darkModeSupported);
    SendMessageW(window.Get(), WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
    EXPECT_EQ(seam.Calls().refreshPolicy, 0) << "a change without a section is not the colour set";
    ASSERT_EQ(seam.Calls().settingChanged.size(), 1u);
    EXPECT_EQ(seam.Calls().settingChanged[0], 1u);
    EXPECT_EQ(DarkModeTestWindow::ColorSetChanges(), 0);

    seam.Calls().darkColors = true;
    SendMessageW(window.Get(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"));
    EXPECT_EQ(seam.Calls().refreshPolicy, 1);
    EXPECT_EQ(seam.Calls().settingChanged.size(), 2u);
    EXPECT_EQ(DarkModeTestWindow::ColorSetChanges(), 1);
    EXPECT_TRUE(g_darkModeActive) << "the full rule asks uxtheme";

    g_pfnUxThemeOrdinal106 = nullptr;
    SendMessageW(window.Get(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"Policy"));
    EXPECT_EQ(seam.Calls().settingChanged.size(), 2u) << "ordinal 106 is optional";
}
