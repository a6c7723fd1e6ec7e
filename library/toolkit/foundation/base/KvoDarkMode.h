#pragma once
#include <windows.h>

// The process-wide dark-mode state of the toolkit's windows.
//
// InitDarkMode runs once, before the first preview window is made: it decides
// whether the running Windows build can do dark mode at all and takes the
// undocumented visual-style entry points (known only by ordinal) that dark
// mode needs. The dialogs, the tooltip and the drawing code then read
// g_darkModeActive; windows that see a colour-setting change write it again
// with the answer of the rule (UpdateDarkModeState or its registry form).
//
// All of it lives on the thread that owns the toolkit's windows: no lock.

// Entry points of uxtheme taken by ordinal, and of dwmapi by name.
typedef void(WINAPI* KvoUxThemeOrdinal104)();             // refreshes the colour policy
typedef void(WINAPI* KvoUxThemeOrdinal106)(DWORD);        // called with 1 on a setting change
typedef bool(WINAPI* KvoUxThemeOrdinal132)();             // true: Windows asks for dark colours
typedef bool(WINAPI* KvoUxThemeOrdinal133)(HWND, BOOL);   // allows dark drawing for one window
typedef HRESULT(WINAPI* KvoDwmSetWindowAttribute)(HWND, DWORD, LPCVOID, DWORD);

// Dark mode can be used: the build is one the bootstrap knows and every
// required entry point was found. Written only by InitDarkMode.
extern bool g_darkModeSupported;
// Dark mode is in force now.
extern bool g_darkModeActive;
// The preference: 0 follow Windows, 1 dark, any other value light.
// InitDarkMode stores 0 and nothing else writes it.
extern WORD g_darkModeSetting;
// The Windows build as the bootstrap read it (top four bits cleared); 0 before.
extern DWORD g_windowsBuildNumber;

extern FARPROC g_pfnUxThemeOrdinal49;               // only its presence counts
extern KvoUxThemeOrdinal104 g_pfnUxThemeOrdinal104;
extern KvoUxThemeOrdinal106 g_pfnUxThemeOrdinal106; // optional: call only when set
extern KvoUxThemeOrdinal132 g_pfnUxThemeOrdinal132;
extern KvoUxThemeOrdinal133 g_pfnUxThemeOrdinal133;
extern FARPROC g_pfnUxThemeOrdinal135;              // only its presence counts
extern KvoDwmSetWindowAttribute g_pfnDwmSetWindowAttribute;

// The bootstrap. True at once when dark mode is already supported; false
// when the version cannot be read, the Windows build is not one it knows or
// uxtheme does not load; true otherwise, also when an entry point is missing
// and dark mode stays unsupported (it then runs in full on the next call).
bool InitDarkMode();

// Recomputes g_darkModeActive: setting 1 dark, other non-zero light; setting
// 0 asks uxtheme (dark unless high contrast is on) while dark mode is
// supported and useRegistryOnly is false, else the registry query.
void UpdateDarkModeState(bool useRegistryOnly);

// The registry form of the rule that windows use on a colour-setting change:
// setting 1 dark, other non-zero light, 0 CKvoSystemVersion::IsDarkModeActive().
bool DecideDarkModeFromRegistry();

// What the registry-following windows do on WM_SETTINGCHANGE: on a change
// of exactly "ImmersiveColorSet" while dark mode is supported, the registry's
// choice becomes g_darkModeActive and dark; true when dark changed.
bool TakeColorSetChange(LPCTSTR section, bool& dark);

// True when the high-contrast setting is on; false when it cannot be read.
bool IsHighContrast();

// Switches the window's title bar to dark or light by the registry query:
// a window property below build 18362, the desktop window manager's
// attribute from then on (nothing without DwmSetWindowAttribute).
void ApplyDarkTitleBar(HWND window);

// True when a WM_SETTINGCHANGE's lParam names the colour-set section
// "ImmersiveColorSet". lParam may be NULL (many senders pass no section):
// that is never the colour set and is never read.
bool IsColorSetSettingChange(LPARAM lParam, bool ignoreCase = true);

// What a dark-mode window does on WM_SETTINGCHANGE while dark mode is
// supported: on a colour-set change refreshes uxtheme's colour policy and
// recomputes g_darkModeActive (answering true: the window should re-theme
// itself); on any other change only lets uxtheme know. Does nothing and
// answers false while dark mode is unsupported.
bool FollowDarkModeSettingChange(LPARAM lParam);

// --- Seam for tests -------------------------------------------------------
// Wine has none of uxtheme's dark-mode ordinals, and a test must not depend
// on the Windows build it runs on. A test installs a KvoDarkModeSystem: the
// bootstrap then takes the version and the entry points from it instead of
// ntdll and uxtheme, and the decision rule its high-contrast setting (so a
// test need not switch the machine's). KvoResetDarkModeState puts the state
// back to what it is at load, so the bootstrap can run again.
//
//     KvoDarkModeSystem fake = {};
//     fake.versionKnown = true; fake.major = 10; fake.build = 19045;
//     fake.visualStylesLoad = true;
//     fake.entryPoints.ordinal133 = MyFakeAllowDark;   // ... and the others
//     const KvoDarkModeSystem* before = KvoSetDarkModeSystem(&fake);
//     KvoResetDarkModeState();
//     InitDarkMode();
//     ...
//     KvoSetDarkModeSystem(before);
//     KvoResetDarkModeState();

struct KvoDarkModeEntryPoints {
    FARPROC ordinal49;
    KvoUxThemeOrdinal104 ordinal104;
    KvoUxThemeOrdinal106 ordinal106;
    KvoUxThemeOrdinal132 ordinal132;
    KvoUxThemeOrdinal133 ordinal133;
    FARPROC ordinal135;
    KvoDwmSetWindowAttribute dwmSetWindowAttribute;
};

struct KvoDarkModeSystem {
    bool versionKnown;          // false: as if RtlGetNtVersionNumbers were missing
    DWORD major, minor, build;  // as RtlGetNtVersionNumbers reports them (top bits allowed)
    bool visualStylesLoad;      // false: as if uxtheme did not load
    KvoDarkModeEntryPoints entryPoints;
    bool highContrast;          // what the rule takes for the high-contrast setting
};

// Installs the system the bootstrap and the rule ask (null: the running
// one); returns the one installed before.
const KvoDarkModeSystem* KvoSetDarkModeSystem(const KvoDarkModeSystem* system);

// Zeroes the state and every entry point, as at load.
void KvoResetDarkModeState();
