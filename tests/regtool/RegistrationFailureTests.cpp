#include "ExpectedMessages.h"
#include "RegistrationRunFixture.h"

#include <optional>
#include <string>

namespace {

class RegistrationFailureTest : public RegistrationRunFixture {
protected:
    RegistrationFailureTest()
    {
        folder.Write(L"Setting.ini", "[Language]\r\nLanguage=English\r\n[RegistCOM]\r\nFile1=Listed.dll\r\n");
        folder.Write(L"Listed.dll");
    }

    void expectFailure(const std::wstring& commandLine, const std::vector<regalto::Message>& boxes)
    {
        SCOPED_TRACE(commandLine);
        launcher = {};
        presenter = {};
        EXPECT_EQ(run(commandLine), 1);
        expectStarted(systemRegsvr32(), {});
        expectBoxes(boxes);
    }
};

// The switches are not known yet, so even "/s" cannot hide this box.
TEST_F(RegistrationFailureTest, FailedSplitAlwaysShowsItsBox)
{
    environment.splitFails = true;
    expectFailure(L"/s", {expected::argumentSplitFailed});
    expectFailure(L"", {expected::argumentSplitFailed});
}

// The settings are not read yet: these boxes are Japanese whatever they say.
TEST_F(RegistrationFailureTest, ProgramPathFailures)
{
    struct Case {
        std::optional<std::wstring> moduleFile;
        regalto::Message box;
    };
    const Case cases[] = {
        {std::nullopt, expected::modulePathFailed},
        // Nothing left to remove.
        {L"", expected::moduleFolderFailed},
        {L"C:\\", expected::moduleFolderFailed},
    };
    for (const Case& test : cases) {
        environment.moduleFile = test.moduleFile;
        expectFailure(L"/u", {test.box});
        expectFailure(L"/u /s", {});
    }
}

// A missing regsvr32 is reported before an empty list.
TEST_F(RegistrationFailureTest, EnvironmentFailuresComeBeforeTheList)
{
    const std::wstring emptyWindows = folder.MakeFolder(L"Windows");
    folder.Write(L"Setting.ini", "[RegistCOM]\r\nFile1=Missing.dll\r\n");
    struct Case {
        bool windowsFolderFails;
        std::optional<std::wstring> windowsFolder;
    };
    const Case cases[] = {
        {true, std::nullopt},
        {false, emptyWindows},
        {false, folder.At(L"Listed.dll")},
    };
    for (const Case& test : cases) {
        environment.windowsFolderFails = test.windowsFolderFails;
        environment.windowsFolder = test.windowsFolder;
        expectFailure(L"", {expected::environmentJapanese});
        expectFailure(L"/s", {});
    }
}

TEST_F(RegistrationFailureTest, Regsvr32ThatIsNoFileIsAnEnvironmentFailure)
{
    const std::wstring windows = folder.MakeFolder(L"Windows");
    folder.MakeFolder(L"Windows\\System32\\regsvr32.exe");
    environment.windowsFolder = windows;
    environment.wow64 = false;
    expectFailure(L"/u", {expected::environmentEnglish});
}

// A status that cannot be read ends the run in order, without starting anything.
TEST_F(RegistrationFailureTest, UnreadableStatusEndsTheRun)
{
    for (const std::wstring& path : {folder.At(L"Setting.ini"), folder.At(L"Listed.dll")}) {
        SCOPED_TRACE(path);
        environment.unreadablePaths = {path};
        expectFailure(L"/s", {});
    }
    environment.unreadablePaths = {systemRegsvr32()};
    expectFailure(L"/u", {expected::environmentEnglish});
}

}  // namespace
