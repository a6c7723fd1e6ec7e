#include "ExpectedMessages.h"
#include "RegistrationRunFixture.h"

#include <windows.h>

namespace {

class RegistrationDirectionTest : public RegistrationRunFixture {
protected:
    RegistrationDirectionTest()
    {
        folder.Write(L"Setting.ini", "[RegistCOM]\r\nFile1=First.dll\r\nFile2=Second.dll\r\n");
        folder.Write(L"First.dll");
        folder.Write(L"Second.dll");
        folder.Write(L"x86\\Setting.ini", "[RegistCOM]\r\nFile1=Narrow.dll\r\n");
        folder.Write(L"x86\\Narrow.dll");
    }

    std::vector<std::wstring> bothDlls(const std::wstring& switches) const
    {
        return {switches + L" " + quoted(folder.At(L"First.dll")), switches + L" " + quoted(folder.At(L"Second.dll"))};
    }
};

TEST_F(RegistrationDirectionTest, NoArgumentsAsksAndTheAnswerDecides)
{
    struct Case {
        int answer;
        const wchar_t* switches;  // null: nothing started
        std::vector<regalto::Message> boxes;
        int exitCode;
    };
    const Case cases[] = {
        {IDYES, L"/s", {expected::questionJapanese, expected::registeredJapanese}, 0},
        {IDNO, L"/u /s", {expected::questionJapanese, expected::unregisteredJapanese}, 0},
        {IDCANCEL, nullptr, {expected::questionJapanese}, 1},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.answer);
        launcher = {};
        presenter = {};
        presenter.answer = test.answer;

        EXPECT_EQ(run(L""), test.exitCode);

        expectStarted(systemRegsvr32(), test.switches ? bothDlls(test.switches) : std::vector<std::wstring>{});
        expectBoxes(test.boxes);
    }
}

TEST_F(RegistrationDirectionTest, SwitchesDecideWithoutAsking)
{
    struct Case {
        const wchar_t* commandLine;
        const wchar_t* switches;
        bool x86;
        std::vector<regalto::Message> boxes;
    };
    const Case cases[] = {
        {L"/u /s", L"/u /s", false, {}},
        {L"/S /U", L"/u /s", false, {}},
        {L"/s /u /u /s", L"/u /s", false, {}},
        {L"/s", L"/s", false, {}},
        {L"/u", L"/u /s", false, {expected::unregisteredJapanese}},
        {L"\"/u\"", L"/u /s", false, {expected::unregisteredJapanese}},
        // Unknown tokens are ignored but still count as arguments: no question.
        {L"-u", L"/s", false, {expected::registeredJapanese}},
        {L"u", L"/s", false, {expected::registeredJapanese}},
        {L"/x86", L"/s", true, {expected::registeredJapanese}},
        {L"/X86 /u /s", L"/u /s", true, {}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.commandLine);
        launcher = {};
        presenter = {};

        EXPECT_EQ(run(test.commandLine), 0);

        if (test.x86) {
            expectStarted(systemRegsvr32(), {std::wstring(test.switches) + L" " + quoted(folder.At(L"x86\\Narrow.dll"))});
        } else {
            expectStarted(systemRegsvr32(), bothDlls(test.switches));
        }
        expectBoxes(test.boxes);
    }
}

TEST_F(RegistrationDirectionTest, X86SwitchDoesNotChooseTheRegsvr32)
{
    const std::wstring windows = folder.MakeFolder(L"Windows");
    folder.Write(L"Windows\\System32\\regsvr32.exe");
    folder.Write(L"Windows\\SysWow64\\regsvr32.exe");
    environment.windowsFolder = windows;
    for (const bool wow64 : {false, true}) {
        SCOPED_TRACE(wow64);
        launcher = {};
        environment.wow64 = wow64;

        EXPECT_EQ(run(L"/x86 /s"), 0);

        const std::wstring regsvr32 = windows + (wow64 ? L"\\SysWow64\\regsvr32.exe" : L"\\System32\\regsvr32.exe");
        expectStarted(regsvr32, {L"/s " + quoted(folder.At(L"x86\\Narrow.dll"))});
    }
}

TEST_F(RegistrationDirectionTest, Regsvr32PathWithABlankIsQuoted)
{
    const std::wstring windows = folder.MakeFolder(L"Win Dir");
    folder.Write(L"Win Dir\\System32\\regsvr32.exe");
    environment.windowsFolder = windows;
    environment.wow64 = false;

    EXPECT_EQ(run(L"/u /s"), 0);

    expectStarted(quoted(windows + L"\\System32\\regsvr32.exe"), bothDlls(L"/u /s"));
}

TEST_F(RegistrationDirectionTest, StartFailureEndsTheRunAtThatDll)
{
    folder.Write(L"Setting.ini", "[RegistCOM]\r\nFile1=First.dll\r\nFile2=Second.dll\r\nFile3=Third.dll\r\n");
    folder.Write(L"Third.dll");
    struct Case {
        const wchar_t* commandLine;
        const wchar_t* switches;
        std::vector<regalto::Message> boxes;
    };
    const Case cases[] = {
        {L"-x", L"/s", {expected::registerFailedJapanese}},
        {L"/u", L"/u /s", {expected::unregisterFailedJapanese}},
        {L"/u /s", L"/u /s", {}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.commandLine);
        launcher = {};
        launcher.failingStart = 1;
        presenter = {};

        EXPECT_EQ(run(test.commandLine), 1);

        // The second start was tried and failed; the third never was.
        expectStarted(systemRegsvr32(), bothDlls(test.switches));
        expectBoxes(test.boxes);
    }
}

}  // namespace
