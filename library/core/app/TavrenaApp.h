#pragma once
#include <afxwin.h>
#include <cstdint>
#include "app/Direct2DProbe.h"
#include "app/LibraryLocale.h"
#include "cache/InfoCache.h"

// The library's application object: its start-up and shutdown and the
// process-wide state that the exports, the info cache, the readers and the
// preview window share (without a lock; see each member).
class CTavrenaApp : public CWinApp {
public:
    CTavrenaApp();
    ~CTavrenaApp() override;

    // Language module, mutex "EXCLUSIVE", curve tables and the info cache
    // file. Always TRUE: nothing here makes the library unusable.
    BOOL InitInstance() override;
    int ExitInstance() override;

    // Whether Direct2D draws here; probed on the first question, not at
    // start-up (which runs under the loader lock). Never ask from DllMain.
    bool IsDirect2DUsable() { return m_direct2D.IsUsable(); }
    // The library's private "Japanese" locale for its locale-dependent
    // run-time calls; the process's own locale is left alone.
    _locale_t GetLocale() const { return m_locale.Get(); }
    // Whether the cache folder is the library's own and may be swept.
    bool OwnsCacheFolder() const { return m_cacheFolderOwned; }

    // Loads the language module beside the library at libraryPath (the one
    // Setting.ini or the UI language chooses) in place of any loaded before,
    // and makes it the resource module of the class library, ATL and the
    // toolkit. A module that does not load leaves the library's own.
    void LoadLanguageModule(const wchar_t* libraryPath);
    // Frees the language module; the library's own resources are used again.
    void FreeLanguageModule();

    HANDLE m_hExclusiveMutex;  // created unowned at start-up, closed at exit
    CInfoCache m_infoCache;
    COLORREF m_backColor;      // user background of drawings
    CStringW m_cacheFolder;    // ends in a backslash
    uint16_t m_imageNumber;    // running number of generated image files
    bool m_bJapaneseUi;        // the user's UI language is 1041
    uint32_t m_settings;       // SettingFlag bits

private:
    void UseLanguageModule(HMODULE module);

    CDirect2DProbe m_direct2D;
    CLibraryLocale m_locale;
    bool m_cacheFolderOwned;
};

extern CTavrenaApp theApp;
