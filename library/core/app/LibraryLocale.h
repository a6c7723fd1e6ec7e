#pragma once
#include <locale.h>

// The library's own run-time locale. The C run-time is shared with the host
// process, so the library never sets the process locale: its
// locale-dependent calls (_wcsicmp_l, _wcsftime_l, ...) take this one.
class CLibraryLocale {
public:
    CLibraryLocale();
    ~CLibraryLocale();
    CLibraryLocale(const CLibraryLocale&) = delete;
    CLibraryLocale& operator=(const CLibraryLocale&) = delete;

    // Makes the locale of name for all categories; false (and the previous
    // locale kept) when the run-time library does not know it.
    bool Create(const char* name);
    // Null before Create: the _l functions then take the thread's locale.
    _locale_t Get() const { return m_locale; }

private:
    _locale_t m_locale;
};
