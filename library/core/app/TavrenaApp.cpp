#include "app/TavrenaApp.h"
#include "app/CacheFolder.h"
#include "app/LanguageChoice.h"
#include "exports/ExclusiveLock.h"
#include "foundation/base/KvoResourceManager.h"
#include "geometry/TrigTables.h"
#include <atlbase.h>

namespace {
const LANGID kJapanese = 1041;
const COLORREF kWhite = 0xFFFFFF;
}

CTavrenaApp theApp;

CTavrenaApp::CTavrenaApp()
    : CWinApp(nullptr), m_hExclusiveMutex(nullptr), m_backColor(kWhite), m_imageNumber(0), m_bJapaneseUi(false),
      m_settings(0), m_cacheFolderOwned(false)
{
    CacheFolder folder = GetCacheFolder();
    m_cacheFolder = folder.path;
    m_cacheFolderOwned = folder.owned;
}

CTavrenaApp::~CTavrenaApp() = default;

BOOL CTavrenaApp::InitInstance()
{
    CWinApp::InitInstance();
    AfxEnableControlContainer();
    SetProcessDPIAware();
    m_locale.Create("Japanese");
    m_bJapaneseUi = GetUserDefaultUILanguage() == kJapanese;
    wchar_t libraryPath[MAX_PATH] = {};
    DWORD length = GetModuleFileNameW(m_hInstance, libraryPath, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        LoadLanguageModule(libraryPath);
    m_hExclusiveMutex = CreateMutexW(nullptr, FALSE, kExclusiveMutexName);
    InitTrigTables();
    m_infoCache.Load(nullptr);
    return TRUE;
}

int CTavrenaApp::ExitInstance()
{
    if (m_hExclusiveMutex) {
        CloseHandle(m_hExclusiveMutex);
        m_hExclusiveMutex = nullptr;
    }
    m_infoCache.Clear();
    FreeTrigTables();
    return CWinApp::ExitInstance();
}

void CTavrenaApp::LoadLanguageModule(const wchar_t* libraryPath)
{
    FreeLanguageModule();
    bool japanese = ChooseJapanese(libraryPath, m_bJapaneseUi);
    UseLanguageModule(LoadLibraryW(LanguageModulePath(libraryPath, japanese)));
}

void CTavrenaApp::FreeLanguageModule()
{
    HMODULE loaded = m_hLangResourceDLL;
    if (!loaded)
        return;
    UseLanguageModule(nullptr);
    FreeLibrary(loaded);
}

// The module becomes where the class library, ATL and the toolkit take their
// resources from; null puts the library's own module back.
void CTavrenaApp::UseLanguageModule(HMODULE module)
{
    m_hLangResourceDLL = module;
    AfxSetResourceHandle(module);
    ATL::_AtlBaseModule.SetResourceInstance(module);
    CKvoResourceManager::Instance()->SetResourceHandle(module);
}
