#include <gtest/gtest.h>
#include <memory>
#include <atlstr.h>
#include <clocale>
#include <shlobj.h>
#include "LanguageIds.h"
#include "support/TestPaths.h"
#include "support/ScratchFolder.h"
#include "support/TavrenaLibrary.h"

namespace {

// The library installed in a folder of its own with both language modules
// and, when given, a Setting.ini; loaded as the shell would load it.
class InstalledLibrary {
public:
    explicit InstalledLibrary(const char* settings)
    {
        m_folder.Copy(BuiltModulePath(L"Tavrena.dll"), L"Tavrena.dll");
        m_folder.Copy(BuiltModulePath(L"TavrenaJPN.dll"), L"TavrenaJPN.dll");
        m_folder.Copy(BuiltModulePath(L"TavrenaENU.dll"), L"TavrenaENU.dll");
        if (settings)
            m_folder.Write(L"Setting.ini", settings);
        m_module = LoadLibraryW(m_folder.At(L"Tavrena.dll").c_str());
    }
    ~InstalledLibrary()
    {
        if (m_module)
            FreeLibrary(m_module);
    }

    HMODULE Module() const { return m_module; }
    std::wstring At(const wchar_t* name) const { return m_folder.At(name); }

private:
    ScratchFolder m_folder;  // outlives the module, which must go first
    HMODULE m_module = nullptr;
};

struct LanguageCase {
    const char* settings;  // null: no Setting.ini
    const wchar_t* chosen;  // null: the UI language decides
};

const LanguageCase kLanguages[] = {
    {"[Language]\r\nLanguage=japanese\r\n", L"JPN"},
    {"[Language]\r\nLanguage=English\r\n", L"ENU"},
    {"[Language]\r\nLanguage=Francais\r\n", L"ENU"},
    {nullptr, nullptr},
};

const wchar_t* UiLanguageModule()
{
    return GetUserDefaultUILanguage() == 1041 ? L"JPN" : L"ENU";
}

}

// "English" wins even under a Japanese UI language (the bench's); without
// Setting.ini the UI language decides. The chosen module gives the text that
// an export shows for an unreadable file.
TEST(Startup, LanguageTableThroughARealLoad)
{
    for (const LanguageCase& c : kLanguages) {
        const wchar_t* chosen = c.chosen ? c.chosen : UiLanguageModule();
        const wchar_t* other = wcscmp(chosen, L"JPN") == 0 ? L"ENU" : L"JPN";
        InstalledLibrary library(c.settings);
        ASSERT_NE(library.Module(), nullptr);
        TavrenaLibrary exports(library.Module());
        HMODULE language = exports.LanguageModule(chosen);
        ASSERT_NE(language, nullptr) << (c.settings ? c.settings : "(no Setting.ini)");
        EXPECT_EQ(exports.LanguageModule(other), nullptr);

        ATL::CComBSTR text;
        EXPECT_EQ(exports.GetZumenInfo(library.At(L"missing.jww").c_str(), std::addressof(text)), S_OK);
        EXPECT_STREQ(text.m_str, ResourceString(language, IDS_ZUMEN_UNREADABLE).c_str());
    }
}

TEST(Startup, LanguageModuleGoesWithTheLibrary)
{
    std::wstring japanese;
    {
        InstalledLibrary library("[Language]\r\nLanguage=Japanese\r\n");
        japanese = library.At(L"TavrenaJPN.dll");
        ASSERT_NE(GetModuleHandleW(japanese.c_str()), nullptr);
    }
    EXPECT_EQ(GetModuleHandleW(japanese.c_str()), nullptr);
}

// Start-up creates the mutex and the cache folder and keeps its "Japanese"
// locale private: the host's run-time locale is unchanged.
TEST(Startup, MutexCacheFolderAndThePrivateLocale)
{
    std::string localeBefore = setlocale(LC_ALL, nullptr);
    InstalledLibrary library(nullptr);
    ASSERT_NE(library.Module(), nullptr);
    HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, L"EXCLUSIVE");
    EXPECT_NE(mutex, nullptr);
    if (mutex)
        CloseHandle(mutex);
    EXPECT_EQ(setlocale(LC_ALL, nullptr), localeBefore);

    wchar_t local[MAX_PATH] = {};
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, local)));
    std::wstring cache = std::wstring(local) + L"Low\\Norvane\\Quillora";
    DWORD attributes = GetFileAttributesW(cache.c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));
}
