// Regalto64.exe itself, copied beside a "Setting.ini" in a temp folder, handing a
// stand-in server DLL to the real regsvr32.
#include "DebuggedProgram.h"
#include "FixtureMarker.h"
#include "MessageBoxAnswerer.h"
#include "ScratchFolder.h"
#include "TestPaths.h"
#include "ThirtyTwoBitPrograms.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

constexpr DWORD programTimeoutMilliseconds = 60000;
constexpr DWORD ownBits = sizeof(void*) * 8;
constexpr wchar_t fixtureFileName[] = L"regtool_fixture_server.dll";

std::wstring fixtureName(const wchar_t* tag)
{
    // Both widths share the Wine prefix: names must not meet across runs.
    return L"Fixture" + std::to_wstring(GetCurrentProcessId()) + tag + L".dll";
}

std::wstring regsvr32OfThisWidth()
{
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    return std::wstring(windows) + (ownBits == 32 ? L"\\SysWow64\\regsvr32.exe" : L"\\System32\\regsvr32.exe");
}


class Regalto64ProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CopyFileW((std::wstring(JW_BIN_DIR) + L"/Regalto64.exe").c_str(), program().c_str(), FALSE));
    }

    std::wstring program() const { return folder.At(L"Regalto64.exe"); }

    void placeFixture(const std::wstring& binFolder, const std::wstring& relative) const
    {
        ASSERT_TRUE(CopyFileW((binFolder + L"/" + fixtureFileName).c_str(), folder.At(relative).c_str(), FALSE));
    }

    DebuggedProgram::Result runSilently(const std::wstring& arguments) const
    {
        return DebuggedProgram::run(program(), arguments, programTimeoutMilliseconds);
    }

    ScratchFolder folder;
};

TEST_F(Regalto64ProgramTest, RegistersAndUnregistersEveryListedServer)
{
    const std::wstring first = fixtureName(L"A");
    const std::wstring second = fixtureName(L"B");
    const FixtureMarker firstMarker(first);
    const FixtureMarker secondMarker(second);
    placeFixture(JW_BIN_DIR, first);
    placeFixture(JW_BIN_DIR, second);
    folder.Write(L"Setting.ini",
                 "[RegistCOM]\r\nFile1=" + std::string(first.begin(), first.end())
                     + "\r\nFile2=Missing.dll\r\nFile3=" + std::string(second.begin(), second.end()) + "\r\n");

    const auto registered = runSilently(L"/s");
    ASSERT_TRUE(registered.ended);
    EXPECT_EQ(registered.exitCode, 0u);
    EXPECT_EQ(registered.debugLines,
              (std::vector<std::wstring>{regsvr32OfThisWidth() + L" /s \"" + folder.At(first) + L"\"",
                                         regsvr32OfThisWidth() + L" /s \"" + folder.At(second) + L"\""}));
    EXPECT_EQ(firstMarker.waitForBits(), ownBits);
    EXPECT_EQ(secondMarker.waitForBits(), ownBits);

    const auto unregistered = runSilently(L"/u /s");
    ASSERT_TRUE(unregistered.ended);
    EXPECT_EQ(unregistered.exitCode, 0u);
    EXPECT_EQ(unregistered.debugLines,
              (std::vector<std::wstring>{regsvr32OfThisWidth() + L" /u /s \"" + folder.At(first) + L"\"",
                                         regsvr32OfThisWidth() + L" /u /s \"" + folder.At(second) + L"\""}));
    EXPECT_TRUE(firstMarker.waitUntilGone());
    EXPECT_TRUE(secondMarker.waitUntilGone());
}

// The x86 builds in the "x86" subfolder end up registered by a 32-bit process,
// whichever width the program itself has.
TEST_F(Regalto64ProgramTest, X86SwitchRegistersTheX86Builds)
{
    if (!CanRun32BitPrograms()) {
        GTEST_SKIP() << kNo32BitProgramsReason;
    }
    const std::wstring x86Bin = REGTOOL_X86_BIN_DIR;
    if (!FileExists(x86Bin + L"/" + fixtureFileName)) {
        GTEST_SKIP() << "the x86 build is not there";
    }
    const std::wstring narrow = fixtureName(L"X86");
    const FixtureMarker marker(narrow);
    folder.MakeFolder(L"x86");
    placeFixture(x86Bin, L"x86\\" + narrow);
    folder.Write(L"x86\\Setting.ini", "[RegistCOM]\r\nFile1=" + std::string(narrow.begin(), narrow.end()) + "\r\n");

    const auto registered = runSilently(L"/x86 /s");
    ASSERT_TRUE(registered.ended);
    EXPECT_EQ(registered.exitCode, 0u);
    EXPECT_EQ(registered.debugLines,
              std::vector<std::wstring>{regsvr32OfThisWidth() + L" /s \"" + folder.At(L"x86\\" + narrow) + L"\""});
    EXPECT_EQ(marker.waitForBits(), 32u);

    const auto unregistered = runSilently(L"/u /s /x86");
    ASSERT_TRUE(unregistered.ended);
    EXPECT_EQ(unregistered.exitCode, 0u);
    EXPECT_TRUE(marker.waitUntilGone());
}

// A box would block the run until the timeout; a silent run ends by itself.
TEST_F(Regalto64ProgramTest, SilentRunWithoutSettingsEndsWithoutBox)
{
    for (const wchar_t* arguments : {L"/s", L"/u /s", L"/x86 /s"}) {
        SCOPED_TRACE(arguments);
        const auto result = runSilently(arguments);
        ASSERT_TRUE(result.ended);
        EXPECT_EQ(result.exitCode, 1u);
        EXPECT_TRUE(result.debugLines.empty());
    }
}

// The boxes as the user meets them: real windows, answered by pressing their buttons.
TEST_F(Regalto64ProgramTest, BoxesAskAndReport)
{
    const std::wstring server = fixtureName(L"Box");
    const FixtureMarker marker(server);
    placeFixture(JW_BIN_DIR, server);
    folder.Write(L"Setting.ini", "[RegistCOM]\r\nFile1=" + std::string(server.begin(), server.end()) + "\r\n");
    struct Case {
        std::vector<int> buttons;
        std::vector<std::wstring> texts;
        DWORD exitCode;
        bool registered;
    };
    const Case cases[] = {
        {{IDYES, IDOK}, {L"モジュールの登録は[はい]、解除は[いいえ]", L"COM登録に成功しました。"}, 0, true},
        {{IDNO, IDOK}, {L"モジュールの登録は[はい]、解除は[いいえ]", L"COM解除に成功しました。"}, 0, false},
        {{IDCANCEL}, {L"モジュールの登録は[はい]、解除は[いいえ]"}, 1, false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.buttons.front());
        MessageBoxAnswerer answerer(test.buttons);
        const auto result = DebuggedProgram::run(program(), L"", programTimeoutMilliseconds,
                                                 [&answerer](DWORD processId) { answerer.answerBoxesOf(processId); });
        ASSERT_TRUE(result.ended);
        EXPECT_EQ(result.exitCode, test.exitCode);
        ASSERT_EQ(answerer.boxes.size(), test.texts.size());
        for (std::size_t index = 0; index < test.texts.size(); ++index) {
            EXPECT_EQ(answerer.boxes[index].caption, L"Regist");
            EXPECT_EQ(answerer.boxes[index].text, test.texts[index]);
        }
        if (test.registered) {
            EXPECT_EQ(marker.waitForBits(), ownBits);
        } else {
            EXPECT_TRUE(marker.waitUntilGone());
        }
    }

    MessageBoxAnswerer answerer({IDOK});
    DeleteFileW(folder.At(L"Setting.ini").c_str());
    const auto empty = DebuggedProgram::run(program(), L"/u", programTimeoutMilliseconds,
                                            [&answerer](DWORD processId) { answerer.answerBoxesOf(processId); });
    ASSERT_TRUE(empty.ended);
    EXPECT_EQ(empty.exitCode, 1u);
    ASSERT_EQ(answerer.boxes.size(), 1u);
    EXPECT_EQ(answerer.boxes[0].caption, L"Error");
    EXPECT_EQ(answerer.boxes[0].text, L"パラメータが空です。");
}

}  // namespace
