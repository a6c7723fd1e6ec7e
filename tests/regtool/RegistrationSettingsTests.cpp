#include "ExpectedMessages.h"
#include "RegistrationRunFixture.h"

#include <windows.h>

#include <string>

namespace {

using RegistrationSettingsTest = RegistrationRunFixture;

TEST_F(RegistrationSettingsTest, ListEndsAtFirstMissingKeyAndSkipsWhatIsNoFile)
{
    folder.Write(L"Setting.ini",
                 "[RegistCOM]\r\n"
                 "File1=First.dll\r\n"
                 "File2=Missing.dll\r\n"
                 "File3=Folder.dll\r\n"
                 "File4=lib\\Fourth.dll\r\n"
                 "File6=Sixth.dll\r\n");
    folder.Write(L"First.dll");
    folder.MakeFolder(L"Folder.dll");
    folder.Write(L"lib\\Fourth.dll");
    folder.Write(L"Sixth.dll");

    EXPECT_EQ(run(L"/s"), 0);

    expectStarted(systemRegsvr32(),
                  {L"/s " + quoted(folder.At(L"First.dll")), L"/s " + quoted(folder.At(L"lib\\Fourth.dll"))});
}

TEST_F(RegistrationSettingsTest, EmptyListEndsWithItsBox)
{
    struct Case {
        const char* settings;  // null: no "Setting.ini"
        bool settingsIsFolder;
        const wchar_t* commandLine;
        std::vector<regalto::Message> boxes;
    };
    const Case cases[] = {
        {nullptr, false, L"/u", {expected::emptyJapanese}},
        {nullptr, false, L"", {expected::emptyJapanese}},
        {nullptr, false, L"/u /s", {}},
        {nullptr, true, L"/u", {expected::emptyJapanese}},
        {"[Language]\r\nLanguage=English\r\n", false, L"", {expected::emptyEnglish}},
        // An empty first value ends the list before later keys are read.
        {"[RegistCOM]\r\nFile1=\r\nFile2=Present.dll\r\n", false, L"/u", {expected::emptyJapanese}},
        {"[RegistCOM]\r\nFile1=Missing.dll\r\n", false, L"/s", {}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(std::string(test.settings ? test.settings : "(none)"));
        ScratchFolder own;
        environment.moduleFile = own.At(L"Regalto64.exe");
        own.Write(L"Present.dll");
        if (test.settings) {
            own.Write(L"Setting.ini", test.settings);
        }
        if (test.settingsIsFolder) {
            own.MakeFolder(L"Setting.ini");
        }
        launcher = {};
        presenter = {};

        EXPECT_EQ(run(test.commandLine), 1);

        expectStarted(systemRegsvr32(), {});
        expectBoxes(test.boxes);
    }
}

TEST_F(RegistrationSettingsTest, LanguageChoosesTheTexts)
{
    folder.Write(L"Listed.dll");
    struct Case {
        const char* languageSection;
        bool japanese;
    };
    const Case cases[] = {
        {"", true},
        {"[Language]\r\n", true},
        {"[Language]\r\nLanguage=Japanese\r\n", true},
        {"[Language]\r\nLanguage=JAPANESE\r\n", true},
        {"[Language]\r\nLanguage=japanese\r\n", true},
        {"[Language]\r\nLanguage=english\r\n", false},
        {"[Language]\r\nLanguage=French\r\n", false},
        {"[Language]\r\nLanguage=\r\n", false},
        {"[Language]\r\nLanguage=Japanese2\r\n", false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.languageSection);
        folder.Write(L"Setting.ini", std::string(test.languageSection) + "[RegistCOM]\r\nFile1=Listed.dll\r\n");
        for (const int answer : {IDYES, IDNO}) {
            presenter = {};
            presenter.answer = answer;

            EXPECT_EQ(run(L""), 0);

            const regalto::Message& done = answer == IDYES
                ? (test.japanese ? expected::registeredJapanese : expected::registeredEnglish)
                : (test.japanese ? expected::unregisteredJapanese : expected::unregisteredEnglish);
            expectBoxes({test.japanese ? expected::questionJapanese : expected::questionEnglish, done});
        }
    }
}

TEST_F(RegistrationSettingsTest, EnglishFailureTexts)
{
    folder.Write(L"Setting.ini", "[Language]\r\nLanguage=English\r\n[RegistCOM]\r\nFile1=Listed.dll\r\n");
    folder.Write(L"Listed.dll");
    struct Case {
        const wchar_t* commandLine;
        regalto::Message box;
    };
    const Case cases[] = {
        {L"/x", expected::registerFailedEnglish},
        {L"/u", expected::unregisterFailedEnglish},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.commandLine);
        launcher = {};
        launcher.failingStart = 0;
        presenter = {};

        EXPECT_EQ(run(test.commandLine), 1);

        expectBoxes({test.box});
    }

    environment.windowsFolderFails = true;
    presenter = {};
    EXPECT_EQ(run(L"/u"), 1);
    expectBoxes({expected::environmentEnglish});
}

// A value longer than a path buffer is used whole, never cut into another name.
TEST_F(RegistrationSettingsTest, LongValueIsReadWhole)
{
    std::string value;
    while (value.size() < 600) {
        value += ".\\";
    }
    value += "Long.dll";
    folder.Write(L"Setting.ini", "[RegistCOM]\r\nFile1=" + value + "\r\n");
    folder.Write(L"Long.dll");

    EXPECT_EQ(run(L"/s"), 0);

    expectStarted(systemRegsvr32(), {L"/s " + quoted(folder.Path() + L"\\" + std::wstring(value.begin(), value.end()))});
}

TEST_F(RegistrationSettingsTest, UnicodeSettingsFileNamesJapaneseDll)
{
    const std::wstring text = L"\uFEFF[RegistCOM]\r\nFile1=図面サーバー.dll\r\n";
    folder.Write(L"Setting.ini", std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t)));
    folder.Write(L"図面サーバー.dll");

    EXPECT_EQ(run(L"/s"), 0);

    expectStarted(systemRegsvr32(), {L"/s " + quoted(folder.At(L"図面サーバー.dll"))});
}

}  // namespace
