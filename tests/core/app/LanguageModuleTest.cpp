#include <gtest/gtest.h>
#include <atlbase.h>
#include "app/TavrenaApp.h"
#include "foundation/base/KvoResourceManager.h"
#include "support/TestPaths.h"
#include "support/ScratchFolder.h"
#include "LanguageIds.h"

namespace {

// The language modules beside a library "lib.dll" in a scratch folder.
class LanguageModuleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_library = m_folder.At(L"lib.dll");
        m_japanese = m_folder.Copy(BuiltModulePath(L"TavrenaJPN.dll"), L"libJPN.dll");
        m_english = m_folder.Copy(BuiltModulePath(L"TavrenaENU.dll"), L"libENU.dll");
    }
    void TearDown() override { theApp.FreeLanguageModule(); }

    void ChooseInSettings(const char* language)
    {
        m_folder.Write(L"Setting.ini", std::string("[Language]\r\nLanguage=") + language + "\r\n");
    }

    // String id as the module file itself holds it.
    static CStringW StringOf(const std::wstring& module, UINT id)
    {
        HMODULE data = LoadLibraryExW(module.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        wchar_t text[256] = {};
        LoadStringW(data, id, text, 256);
        FreeLibrary(data);
        return text;
    }

    ScratchFolder m_folder;
    std::wstring m_library, m_japanese, m_english;
};
}

// The chosen module is where the class library, ATL and the toolkit take
// their resources from, and a string loads from it through each.
TEST_F(LanguageModuleTest, ChosenModuleServesAllThree)
{
    ChooseInSettings("japanese");
    theApp.LoadLanguageModule(m_library.c_str());
    HMODULE japanese = GetModuleHandleW(m_japanese.c_str());
    ASSERT_NE(japanese, nullptr);
    EXPECT_EQ(theApp.m_hLangResourceDLL, japanese);
    EXPECT_EQ(AfxGetResourceHandle(), japanese);
    EXPECT_EQ(ATL::_AtlBaseModule.GetResourceInstance(), japanese);
    EXPECT_EQ(CKvoResourceManager::Instance()->GetResourceHandle(), japanese);

    CStringW expected = StringOf(m_japanese, IDS_ZUMEN_UNREADABLE);
    ASSERT_FALSE(expected.IsEmpty());
    CStringW fromClassLibrary;
    fromClassLibrary.LoadString(IDS_ZUMEN_UNREADABLE);
    ATL::CComBSTR fromAtl;
    fromAtl.LoadString(IDS_ZUMEN_UNREADABLE);
    EXPECT_STREQ(fromClassLibrary, expected);
    EXPECT_STREQ(fromAtl.m_str, expected);
    EXPECT_STREQ(CKvoResourceManager::Instance()->LoadString(IDS_ZUMEN_UNREADABLE), expected);
    EXPECT_EQ(CKvoResourceManager::Instance()->GetLanguageInfo(), 1041);
}

TEST_F(LanguageModuleTest, LoadingAgainReplacesTheModule)
{
    ChooseInSettings("Japanese");
    theApp.LoadLanguageModule(m_library.c_str());
    ChooseInSettings("English");
    theApp.LoadLanguageModule(m_library.c_str());
    EXPECT_EQ(GetModuleHandleW(m_japanese.c_str()), nullptr) << "the earlier module is freed";
    HMODULE english = GetModuleHandleW(m_english.c_str());
    ASSERT_NE(english, nullptr);
    EXPECT_EQ(AfxGetResourceHandle(), english);
    EXPECT_STREQ(CKvoResourceManager::Instance()->LoadString(IDS_ZUMEN_UNREADABLE),
                 StringOf(m_english, IDS_ZUMEN_UNREADABLE));
}

// Without the chosen module every resource user is back on the library's own
// module, never on a module that was freed.
TEST_F(LanguageModuleTest, MissingModuleLeavesTheLibrarysOwn)
{
    ChooseInSettings("Japanese");
    theApp.LoadLanguageModule(m_library.c_str());
    ChooseInSettings("English");
    DeleteFileW(m_english.c_str());
    theApp.LoadLanguageModule(m_library.c_str());
    EXPECT_EQ(theApp.m_hLangResourceDLL, nullptr);
    EXPECT_EQ(AfxGetResourceHandle(), AfxGetInstanceHandle());
    EXPECT_EQ(ATL::_AtlBaseModule.GetResourceInstance(), ATL::_AtlBaseModule.GetModuleInstance());
    EXPECT_EQ(CKvoResourceManager::Instance()->GetResourceHandle(), nullptr);
}
