#pragma once
// Test helpers for the dark-mode state.
//
// DarkModeSeam: Wine has none of uxtheme's dark-mode ordinals (and reports
// whatever Windows version its prefix is set to), so a test that wants the
// dark road installs a fake system: a Windows build and a table of recording
// entry points, and high contrast off. While it lives the bootstrap and the
// decision rule ask the fake; it resets the state on entry and on exit, so
// each test starts as the library does at load.
//
//     DarkModeSeam seam;                 // Windows 10 build 19045, every entry point
//     seam.Calls().darkColors = true;    // what ordinal 132 answers
//     InitDarkMode();                    // now g_darkModeSupported
//
// WindowsDarkSetting: sets the user's "AppsUseLightTheme" in the real
// registry (and a release id from which Windows has the setting) and shows
// the toolkit Windows 10, so CKvoSystemVersion::IsDarkModeActive answers it;
// restores both values when it goes.
#include <windows.h>
#include <vector>
#include "foundation/base/KvoDarkMode.h"
#include "toolkit/foundation/ShownVersion.h"

struct FakeDarkModeCalls {
    int refreshPolicy = 0;          // ordinal 104
    std::vector<DWORD> settingChanged;  // ordinal 106 arguments
    int askedDarkColors = 0;        // ordinal 132
    bool darkColors = false;        // ordinal 132's answer
    struct AllowDark {
        HWND window;
        BOOL dark;
    };
    std::vector<AllowDark> allowDark;  // ordinal 133
    struct Attribute {
        HWND window;
        DWORD attribute;
        BOOL value;
        DWORD size;
    };
    std::vector<Attribute> attributes;  // DwmSetWindowAttribute
};

inline FakeDarkModeCalls& FakeDarkModeRecord()
{
    static FakeDarkModeCalls calls;
    return calls;
}

inline void WINAPI FakeUxThemeOrdinal49() {}
inline void WINAPI FakeUxThemeOrdinal135() {}
inline void WINAPI FakeRefreshPolicy() { ++FakeDarkModeRecord().refreshPolicy; }
inline void WINAPI FakeSettingChanged(DWORD argument) { FakeDarkModeRecord().settingChanged.push_back(argument); }
inline bool WINAPI FakeAskDarkColors()
{
    ++FakeDarkModeRecord().askedDarkColors;
    return FakeDarkModeRecord().darkColors;
}
inline bool WINAPI FakeAllowDark(HWND window, BOOL dark)
{
    FakeDarkModeRecord().allowDark.push_back({window, dark});
    return true;
}
inline HRESULT WINAPI FakeSetWindowAttribute(HWND window, DWORD attribute, LPCVOID value, DWORD size)
{
    BOOL flag = size >= sizeof(BOOL) ? *static_cast<const BOOL*>(value) : -1;
    FakeDarkModeRecord().attributes.push_back({window, attribute, flag, size});
    return S_OK;
}

class DarkModeSeam {
public:
    explicit DarkModeSeam(DWORD build = 19045, DWORD major = 10, DWORD minor = 0) : m_system()
    {
        m_system.versionKnown = true;
        m_system.major = major;
        m_system.minor = minor;
        m_system.build = build;
        m_system.visualStylesLoad = true;
        KvoDarkModeEntryPoints& points = m_system.entryPoints;
        points.ordinal49 = reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&FakeUxThemeOrdinal49));
        points.ordinal104 = &FakeRefreshPolicy;
        points.ordinal106 = &FakeSettingChanged;
        points.ordinal132 = &FakeAskDarkColors;
        points.ordinal133 = &FakeAllowDark;
        points.ordinal135 = reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&FakeUxThemeOrdinal135));
        points.dwmSetWindowAttribute = &FakeSetWindowAttribute;
        FakeDarkModeRecord() = FakeDarkModeCalls();
        m_before = KvoSetDarkModeSystem(&m_system);
        KvoResetDarkModeState();
    }
    ~DarkModeSeam()
    {
        KvoSetDarkModeSystem(m_before);
        KvoResetDarkModeState();
    }
    DarkModeSeam(const DarkModeSeam&) = delete;
    DarkModeSeam& operator=(const DarkModeSeam&) = delete;

    // The fake system, to change before the bootstrap runs.
    KvoDarkModeSystem& System() { return m_system; }
    FakeDarkModeCalls& Calls() { return FakeDarkModeRecord(); }

private:
    KvoDarkModeSystem m_system;
    const KvoDarkModeSystem* m_before;
};

// One registry value for a scope: the value it had (or its absence) comes
// back when the object goes.
class ScopedRegistryValue {
public:
    ScopedRegistryValue(HKEY root, const wchar_t* subKey, const wchar_t* name, REGSAM view = 0)
        : m_root(root), m_subKey(subKey), m_view(view), m_key(nullptr), m_name(name), m_createdKey(false),
          m_existed(false), m_type(0)
    {
        DWORD disposition = 0;
        if (RegCreateKeyExW(root, subKey, 0, nullptr, 0, KEY_READ | KEY_WRITE | view, nullptr, &m_key,
                            &disposition) != ERROR_SUCCESS)
            m_key = nullptr;
        m_createdKey = m_key && disposition == REG_CREATED_NEW_KEY;
        if (!m_key)
            return;
        DWORD size = 0;
        if (RegQueryValueExW(m_key, name, nullptr, &m_type, nullptr, &size) == ERROR_SUCCESS) {
            m_old.resize(size);
            m_existed = RegQueryValueExW(m_key, name, nullptr, &m_type, m_old.data(), &size) == ERROR_SUCCESS;
        }
    }
    ~ScopedRegistryValue()
    {
        if (!m_key)
            return;
        if (m_existed)
            RegSetValueExW(m_key, m_name, 0, m_type, m_old.data(), static_cast<DWORD>(m_old.size()));
        else
            RegDeleteValueW(m_key, m_name);
        RegCloseKey(m_key);
        if (m_createdKey)
            RegDeleteKeyExW(m_root, m_subKey, m_view, 0);
    }
    ScopedRegistryValue(const ScopedRegistryValue&) = delete;
    ScopedRegistryValue& operator=(const ScopedRegistryValue&) = delete;

    bool IsOpen() const { return m_key != nullptr; }
    // The key did not exist before: the test may remove it for a while.
    bool CreatedKey() const { return m_createdKey; }
    bool RemoveKey()
    {
        if (!m_createdKey || !m_key)
            return false;
        RegCloseKey(m_key);
        m_key = nullptr;
        return RegDeleteKeyExW(m_root, m_subKey, m_view, 0) == ERROR_SUCCESS;
    }
    bool SetDword(DWORD value)
    {
        return m_key && RegSetValueExW(m_key, m_name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                       sizeof value) == ERROR_SUCCESS;
    }
    bool SetString(const wchar_t* value)
    {
        DWORD bytes = static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t));
        return m_key &&
               RegSetValueExW(m_key, m_name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), bytes) == ERROR_SUCCESS;
    }
    bool Remove() { return m_key && RegDeleteValueW(m_key, m_name) != ERROR_ACCESS_DENIED; }

private:
    HKEY m_root;
    const wchar_t* m_subKey;
    REGSAM m_view;
    HKEY m_key;
    const wchar_t* m_name;
    bool m_createdKey;
    bool m_existed;
    DWORD m_type;
    std::vector<BYTE> m_old;
};

class WindowsDarkSetting {
public:
    // releaseId: the Windows 10 release to show (1903 and later have the setting).
    explicit WindowsDarkSetting(const wchar_t* releaseId = L"2009")
        : m_shown(10, 0, 19045),
          m_release(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", L"ReleaseId",
                    KEY_WOW64_64KEY),
          m_appsLight(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
                      L"AppsUseLightTheme")
    {
        m_release.SetString(releaseId);
    }

    bool IsOpen() const { return m_release.IsOpen() && m_appsLight.IsOpen(); }
    void SetDark(bool dark) { m_appsLight.SetDword(dark ? 0 : 1); }
    ScopedRegistryValue& AppsUseLightTheme() { return m_appsLight; }

private:
    ShownVersion m_shown;
    ScopedRegistryValue m_release;
    ScopedRegistryValue m_appsLight;
};
