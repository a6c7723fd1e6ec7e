#pragma once
#include <windows.h>

// The Windows version the toolkit answers for: one record per process, read
// once. The ...OrGreater questions ask Windows through VerifyVersionInfoW (so
// they answer for the version the process is shown); the others compare the
// record's fields.
class CKvoSystemVersion : public OSVERSIONINFOW {
public:
    static CKvoSystemVersion* Instance();

    // Makes Instance() answer with version instead of the system's record
    // until it is called again (null puts the system's record back); returns
    // the record that answered before. Lets callers be checked on systems
    // other than the one they run on.
    static CKvoSystemVersion* Substitute(CKvoSystemVersion* version);

    // A record of the given version: its ...OrGreater questions compare the
    // record itself instead of asking Windows.
    CKvoSystemVersion(DWORD major, DWORD minor, DWORD build, DWORD platform = VER_PLATFORM_WIN32_NT);

    BOOL IsWinXPOrGreater() const;
    BOOL IsWinVistaOrGreater() const;
    BOOL IsWin7OrGreater() const;
    BOOL IsWin10OrGreater() const;
    BOOL IsClearTypeTextQualitySupported() const;

    BOOL IsWin9x() const;
    BOOL IsWin95() const;
    BOOL IsWin98() const;
    BOOL IsNT4() const;
    BOOL IsNT4OrGreater() const;
    BOOL IsWin2K() const;
    BOOL IsWin2KOrGreater() const;
    BOOL IsWinXP() const;
    BOOL IsWinVista() const;
    BOOL IsWin7() const;
    BOOL IsWin8() const;
    BOOL IsWin81() const;
    BOOL IsWin10() const;

    // Windows 10 and later: the release id ("ReleaseId") as a number, 0 when
    // there is none; build receives the record's build number, ubr the update
    // build revision (0 when unknown).
    int GetWindowsReleaseId(DWORD* build, DWORD* ubr) const;

    // Whether Windows asks applications for dark colours: release 1903 or
    // later and "AppsUseLightTheme" 0 in the user's personalisation key, under
    // the preference g_darkModeSetting (1 dark, other non-zero light).
    bool IsDarkModeActive() const;

    // (major << 16) | minor of COMCTL32.DLL, asked once; 4.0 when unknown.
    static DWORD GetComCtlVersion();

private:
    CKvoSystemVersion();

    BOOL IsVersionOrGreater(DWORD major, DWORD minor) const;
    BOOL IsVersion(DWORD major, DWORD minor) const;

    bool m_askWindows;  // ...OrGreater through VerifyVersionInfoW
};
