#include "foundation/base/KvoSystemVersion.h"
#include "foundation/base/KvoModuleHandle.h"
#include "foundation/base/KvoDarkMode.h"
#include <atomic>
#include <cwchar>
#include <cstdlib>

namespace {
std::atomic<CKvoSystemVersion*> g_substitute{nullptr};

// The last release id text read from the registry.
wchar_t g_releaseId[32];

const wchar_t kCurrentVersionKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
const wchar_t kPersonalizeKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

// The first release whose applications can follow the dark setting.
const int kFirstDarkModeRelease = 1903;

// A light theme is anything but a DWORD 0: a missing value, a string or a
// value of another size all read as light.
bool ReadAppsUseDarkTheme(HKEY personalize)
{
    DWORD value = 1;
    DWORD size = sizeof value;
    DWORD type = 0;
    return RegQueryValueExW(personalize, L"AppsUseLightTheme", nullptr, &type, reinterpret_cast<BYTE*>(&value),
                            &size) == ERROR_SUCCESS &&
           type == REG_DWORD && size == sizeof value && value == 0;
}

bool VerifyAtLeast(DWORD major, DWORD minor)
{
    OSVERSIONINFOEXW wanted = {};
    wanted.dwOSVersionInfoSize = sizeof wanted;
    wanted.dwMajorVersion = major;
    wanted.dwMinorVersion = minor;
    wanted.wServicePackMajor = 0;
    DWORDLONG condition = 0;
    condition = VerSetConditionMask(condition, VER_MAJORVERSION, VER_GREATER_EQUAL);
    condition = VerSetConditionMask(condition, VER_MINORVERSION, VER_GREATER_EQUAL);
    condition = VerSetConditionMask(condition, VER_SERVICEPACKMAJOR, VER_GREATER_EQUAL);
    return VerifyVersionInfoW(&wanted, VER_MAJORVERSION | VER_MINORVERSION | VER_SERVICEPACKMAJOR,
                              condition) != FALSE;
}

DWORD ReadUpdateBuildRevision(HKEY key)
{
    DWORD value = 0;
    DWORD size = sizeof value;
    DWORD type = 0;
    if (RegQueryValueExW(key, L"UBR", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
        type != REG_DWORD)
        return 0;
    return value;
}

void ReadReleaseIdText(HKEY key)
{
    wchar_t text[32] = {};
    DWORD size = sizeof text - sizeof(wchar_t);
    DWORD type = 0;
    if (RegQueryValueExW(key, L"ReleaseId", nullptr, &type, reinterpret_cast<BYTE*>(text), &size) ==
            ERROR_SUCCESS && type == REG_SZ)
        wcscpy(g_releaseId, text);
}
}

CKvoSystemVersion::CKvoSystemVersion() : OSVERSIONINFOW(), m_askWindows(true)
{
    dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExW(this);
#pragma GCC diagnostic pop
}

CKvoSystemVersion::CKvoSystemVersion(DWORD major, DWORD minor, DWORD build, DWORD platform)
    : OSVERSIONINFOW(), m_askWindows(false)
{
    dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);
    dwMajorVersion = major;
    dwMinorVersion = minor;
    dwBuildNumber = build;
    dwPlatformId = platform;
}

CKvoSystemVersion* CKvoSystemVersion::Instance()
{
    static CKvoSystemVersion system;
    CKvoSystemVersion* substitute = g_substitute.load();
    return substitute ? substitute : &system;
}

CKvoSystemVersion* CKvoSystemVersion::Substitute(CKvoSystemVersion* version)
{
    CKvoSystemVersion* before = Instance();
    g_substitute.store(version);
    return before;
}

BOOL CKvoSystemVersion::IsVersionOrGreater(DWORD major, DWORD minor) const
{
    if (m_askWindows)
        return VerifyAtLeast(major, minor);
    return dwMajorVersion > major || (dwMajorVersion == major && dwMinorVersion >= minor);
}

BOOL CKvoSystemVersion::IsVersion(DWORD major, DWORD minor) const
{
    return dwPlatformId == VER_PLATFORM_WIN32_NT && dwMajorVersion == major && dwMinorVersion == minor;
}

BOOL CKvoSystemVersion::IsWinXPOrGreater() const { return IsVersionOrGreater(5, 1); }
BOOL CKvoSystemVersion::IsWinVistaOrGreater() const { return IsVersionOrGreater(6, 0); }
BOOL CKvoSystemVersion::IsWin7OrGreater() const { return IsVersionOrGreater(6, 1); }
BOOL CKvoSystemVersion::IsWin10OrGreater() const { return IsVersionOrGreater(10, 0); }
BOOL CKvoSystemVersion::IsClearTypeTextQualitySupported() const { return IsWinXPOrGreater(); }

BOOL CKvoSystemVersion::IsWin9x() const { return dwPlatformId == VER_PLATFORM_WIN32_WINDOWS; }

BOOL CKvoSystemVersion::IsWin95() const
{
    return IsWin9x() && dwMajorVersion == 4 && dwMinorVersion < 10;
}

BOOL CKvoSystemVersion::IsWin98() const
{
    return IsWin9x() && dwMajorVersion == 4 && dwMinorVersion == 10;
}

BOOL CKvoSystemVersion::IsNT4() const { return IsVersion(4, 0); }

BOOL CKvoSystemVersion::IsNT4OrGreater() const
{
    return dwPlatformId >= VER_PLATFORM_WIN32_NT && dwMajorVersion >= 4;
}

BOOL CKvoSystemVersion::IsWin2K() const { return IsVersion(5, 0); }

BOOL CKvoSystemVersion::IsWin2KOrGreater() const
{
    return dwPlatformId >= VER_PLATFORM_WIN32_NT && dwMajorVersion >= 5;
}

BOOL CKvoSystemVersion::IsWinXP() const { return IsVersion(5, 1); }
BOOL CKvoSystemVersion::IsWinVista() const { return IsVersion(6, 0); }
BOOL CKvoSystemVersion::IsWin7() const { return IsVersion(6, 1); }
BOOL CKvoSystemVersion::IsWin8() const { return IsVersion(6, 2); }
BOOL CKvoSystemVersion::IsWin81() const { return IsVersion(6, 3); }
BOOL CKvoSystemVersion::IsWin10() const { return IsVersion(10, 0); }

int CKvoSystemVersion::GetWindowsReleaseId(DWORD* build, DWORD* ubr) const
{
    if (build)
        *build = dwBuildNumber;
    if (ubr)
        *ubr = 0;
    if (!IsWin10OrGreater())
        return 0;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kCurrentVersionKey, 0, KEY_READ | KEY_WOW64_64KEY, &key) ==
        ERROR_SUCCESS) {
        ReadReleaseIdText(key);
        if (ubr)
            *ubr = ReadUpdateBuildRevision(key);
        RegCloseKey(key);
    }
    return static_cast<int>(wcstol(g_releaseId, nullptr, 10));
}

bool CKvoSystemVersion::IsDarkModeActive() const
{
    if (GetWindowsReleaseId(nullptr, nullptr) < kFirstDarkModeRelease)
        return false;
    HKEY personalize = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kPersonalizeKey, 0, KEY_READ, &personalize) != ERROR_SUCCESS)
        return false;
    bool windowsDark = ReadAppsUseDarkTheme(personalize);
    RegCloseKey(personalize);
    if (g_darkModeSetting == 0)
        return windowsDark;
    return g_darkModeSetting == 1;
}

DWORD CKvoSystemVersion::GetComCtlVersion()
{
    static const DWORD version = [] {
        CKvoModuleHandle comctl(L"COMCTL32.DLL");
        DWORD asked = comctl.GetVersion();
        return asked ? asked : static_cast<DWORD>(0x40000);
    }();
    return version;
}
