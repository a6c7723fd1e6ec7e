#include "foundation/base/KvoDarkMode.h"
#include "foundation/base/KvoSystemVersion.h"

bool g_darkModeSupported = false;
bool g_darkModeActive = false;
WORD g_darkModeSetting = 0;
DWORD g_windowsBuildNumber = 0;

FARPROC g_pfnUxThemeOrdinal49 = nullptr;
KvoUxThemeOrdinal104 g_pfnUxThemeOrdinal104 = nullptr;
KvoUxThemeOrdinal106 g_pfnUxThemeOrdinal106 = nullptr;
KvoUxThemeOrdinal132 g_pfnUxThemeOrdinal132 = nullptr;
KvoUxThemeOrdinal133 g_pfnUxThemeOrdinal133 = nullptr;
FARPROC g_pfnUxThemeOrdinal135 = nullptr;
KvoDwmSetWindowAttribute g_pfnDwmSetWindowAttribute = nullptr;

namespace {
const KvoDarkModeSystem* g_installedDarkModeSystem = nullptr;

// The first build with the dark title-bar attribute of the window manager
// (the window property serves before it), and the build that renumbered it.
const DWORD kFirstDwmDarkAttributeBuild = 18362;
const DWORD kRenumberedDwmDarkAttributeBuild = 18985;
const DWORD kDwmDarkAttributeOld = 19;
const DWORD kDwmDarkAttributeNew = 20;

template <class Function> Function DarkModeProc(HMODULE module, LPCSTR name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

bool ReadWindowsVersion(DWORD* major, DWORD* minor, DWORD* build)
{
    if (g_installedDarkModeSystem) {
        *major = g_installedDarkModeSystem->major;
        *minor = g_installedDarkModeSystem->minor;
        *build = g_installedDarkModeSystem->build;
        return g_installedDarkModeSystem->versionKnown;
    }
    // Unlike GetVersionExW this answers the real version whatever the
    // manifest says; its build carries flag bits in the top four bits.
    typedef void(WINAPI * VersionNumbers)(DWORD*, DWORD*, DWORD*);
    HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    auto versionNumbers = ntdll ? DarkModeProc<VersionNumbers>(ntdll, "RtlGetNtVersionNumbers") : nullptr;
    if (!versionNumbers)
        return false;
    versionNumbers(major, minor, build);
    return true;
}

// The builds whose undocumented dark-mode entry points are known to behave as
// this code calls them.
bool IsKnownDarkModeBuild(DWORD major, DWORD minor, DWORD build)
{
    if (major != 10 || minor != 0)
        return false;
    return build == 17763 || build == 18362 || build == 18363 || build == 19041 || build >= 19042;
}

bool TakeRunningEntryPoints(KvoDarkModeEntryPoints* points)
{
    // The visual-style library stays loaded for the life of the process.
    HMODULE uxtheme = ::LoadLibraryExW(L"uxtheme.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!uxtheme)
        return false;
    points->ordinal49 = DarkModeProc<FARPROC>(uxtheme, MAKEINTRESOURCEA(49));
    points->ordinal104 = DarkModeProc<KvoUxThemeOrdinal104>(uxtheme, MAKEINTRESOURCEA(104));
    points->ordinal106 = DarkModeProc<KvoUxThemeOrdinal106>(uxtheme, MAKEINTRESOURCEA(106));
    points->ordinal132 = DarkModeProc<KvoUxThemeOrdinal132>(uxtheme, MAKEINTRESOURCEA(132));
    points->ordinal133 = DarkModeProc<KvoUxThemeOrdinal133>(uxtheme, MAKEINTRESOURCEA(133));
    points->ordinal135 = DarkModeProc<FARPROC>(uxtheme, MAKEINTRESOURCEA(135));
    // The library imports dwmapi at load time, so it is always there.
    if (HMODULE dwmapi = ::GetModuleHandleW(L"dwmapi.dll"))
        points->dwmSetWindowAttribute = DarkModeProc<KvoDwmSetWindowAttribute>(dwmapi, "DwmSetWindowAttribute");
    return true;
}

bool TakeEntryPoints(KvoDarkModeEntryPoints* points)
{
    *points = KvoDarkModeEntryPoints();
    if (g_installedDarkModeSystem) {
        if (!g_installedDarkModeSystem->visualStylesLoad)
            return false;
        *points = g_installedDarkModeSystem->entryPoints;
        return true;
    }
    return TakeRunningEntryPoints(points);
}

void StoreEntryPoints(const KvoDarkModeEntryPoints& points)
{
    g_pfnUxThemeOrdinal49 = points.ordinal49;
    g_pfnUxThemeOrdinal104 = points.ordinal104;
    g_pfnUxThemeOrdinal106 = points.ordinal106;
    g_pfnUxThemeOrdinal132 = points.ordinal132;
    g_pfnUxThemeOrdinal133 = points.ordinal133;
    g_pfnUxThemeOrdinal135 = points.ordinal135;
    g_pfnDwmSetWindowAttribute = points.dwmSetWindowAttribute;
}

// The high-contrast setting as the decision rule sees it.
bool RuleSeesHighContrast()
{
    return g_installedDarkModeSystem ? g_installedDarkModeSystem->highContrast : IsHighContrast();
}

bool HasRequiredEntryPoints()
{
    return g_pfnUxThemeOrdinal49 && g_pfnUxThemeOrdinal104 && g_pfnUxThemeOrdinal132 && g_pfnUxThemeOrdinal133 &&
           g_pfnUxThemeOrdinal135;
}
}

bool InitDarkMode()
{
    if (g_darkModeSupported)
        return true;
    g_darkModeSetting = 0;

    DWORD major = 0, minor = 0;
    if (!ReadWindowsVersion(&major, &minor, &g_windowsBuildNumber))
        return false;
    g_windowsBuildNumber &= 0x0FFFFFFF;
    if (!IsKnownDarkModeBuild(major, minor, g_windowsBuildNumber))
        return false;

    KvoDarkModeEntryPoints points;
    if (!TakeEntryPoints(&points))
        return false;
    StoreEntryPoints(points);
    if (!HasRequiredEntryPoints())
        return true;

    g_darkModeSupported = true;
    g_darkModeActive = g_darkModeSetting == 0 ? CKvoSystemVersion::Instance()->IsDarkModeActive()
                                              : g_darkModeSetting == 1;
    return true;
}

void UpdateDarkModeState(bool useRegistryOnly)
{
    if (g_darkModeSetting != 0) {
        g_darkModeActive = g_darkModeSetting == 1;
        return;
    }
    if (!useRegistryOnly && g_darkModeSupported) {
        // High contrast overrides a dark request; ask it only then.
        g_darkModeActive = g_pfnUxThemeOrdinal132() && !RuleSeesHighContrast();
        return;
    }
    g_darkModeActive = CKvoSystemVersion::Instance()->IsDarkModeActive();
}

bool DecideDarkModeFromRegistry()
{
    if (g_darkModeSetting == 0)
        return CKvoSystemVersion::Instance()->IsDarkModeActive();
    return g_darkModeSetting == 1;
}

bool IsHighContrast()
{
    HIGHCONTRASTW contrast = {};
    contrast.cbSize = sizeof contrast;
    if (!::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0))
        return false;
    return (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

void ApplyDarkTitleBar(HWND window)
{
    BOOL dark = CKvoSystemVersion::Instance()->IsDarkModeActive() ? TRUE : FALSE;
    if (g_windowsBuildNumber < kFirstDwmDarkAttributeBuild) {
        ::SetPropW(window, L"UseImmersiveDarkModeColors", reinterpret_cast<HANDLE>(static_cast<INT_PTR>(dark)));
        return;
    }
    if (!g_pfnDwmSetWindowAttribute)
        return;
    DWORD attribute =
        g_windowsBuildNumber < kRenumberedDwmDarkAttributeBuild ? kDwmDarkAttributeOld : kDwmDarkAttributeNew;
    g_pfnDwmSetWindowAttribute(window, attribute, &dark, sizeof dark);
}

bool IsColorSetSettingChange(LPARAM lParam, bool ignoreCase)
{
    // WM_SETTINGCHANGE for a SystemParametersInfo change carries no section.
    const wchar_t* section = reinterpret_cast<const wchar_t*>(lParam);
    if (!section)
        return false;
    return ::CompareStringOrdinal(section, -1, L"ImmersiveColorSet", -1, ignoreCase ? TRUE : FALSE) == CSTR_EQUAL;
}

bool TakeColorSetChange(LPCTSTR section, bool& dark)
{
    if (!g_darkModeSupported || !IsColorSetSettingChange(reinterpret_cast<LPARAM>(section), false))
        return false;
    const bool now = DecideDarkModeFromRegistry();
    g_darkModeActive = now;
    if (now == dark)
        return false;
    dark = now;
    return true;
}

bool FollowDarkModeSettingChange(LPARAM lParam)
{
    if (!g_darkModeSupported)
        return false;
    bool colorSet = IsColorSetSettingChange(lParam);
    if (colorSet)
        g_pfnUxThemeOrdinal104();
    if (g_pfnUxThemeOrdinal106)
        g_pfnUxThemeOrdinal106(1);
    if (colorSet)
        UpdateDarkModeState(false);
    return colorSet;
}

const KvoDarkModeSystem* KvoSetDarkModeSystem(const KvoDarkModeSystem* system)
{
    const KvoDarkModeSystem* before = g_installedDarkModeSystem;
    g_installedDarkModeSystem = system;
    return before;
}

void KvoResetDarkModeState()
{
    g_darkModeSupported = false;
    g_darkModeActive = false;
    g_darkModeSetting = 0;
    g_windowsBuildNumber = 0;
    StoreEntryPoints(KvoDarkModeEntryPoints());
}
