#include <gtest/gtest.h>
#include "app/LanguageChoice.h"
#include "support/ScratchFolder.h"

namespace {
struct ChoiceCase {
    const char* settings;  // contents of Setting.ini; null: no file
    bool japaneseUi;
    bool japanese;
};

const ChoiceCase kChoices[] = {
    {"[Language]\r\nLanguage=japanese\r\n", false, true},
    {"[Language]\r\nLanguage=JAPANESE\r\n", false, true},
    {"[Language]\r\nLanguage=English\r\n", true, false},
    {"[Language]\r\nLanguage=Deutsch\r\n", true, false},
    {"[Language]\r\n", false, true},                  // no key: "Japanese"
    {"[Other]\r\nLanguage=English\r\n", false, true},  // other section only
    {"", false, true},
    {nullptr, true, true},
    {nullptr, false, false},
};
}

TEST(LanguageChoice, SettingFileDecidesAloneElseTheUiLanguage)
{
    for (const ChoiceCase& c : kChoices) {
        ScratchFolder folder;
        if (c.settings)
            folder.Write(L"Setting.ini", c.settings);
        std::wstring library = folder.At(L"Tavrena.dll");
        EXPECT_EQ(ChooseJapanese(library.c_str(), c.japaneseUi), c.japanese)
            << (c.settings ? c.settings : "(no Setting.ini)") << " ui " << c.japaneseUi;
    }
}

TEST(LanguageChoice, ModuleNameIsTheLibraryPathWithoutExtension)
{
    EXPECT_STREQ(LanguageModulePath(L"D:\\x\\lib.dll", true), L"D:\\x\\libJPN.dll");
    EXPECT_STREQ(LanguageModulePath(L"D:\\x\\lib.dll", false), L"D:\\x\\libENU.dll");
    EXPECT_STREQ(LanguageModulePath(L"D:\\x.y\\lib", true), L"D:\\x.y\\libJPN.dll");
}
