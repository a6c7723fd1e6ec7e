// Saving the cache never leaves a half-written "Quillora.dat": a writer that
// fails, cannot replace the file, or is killed halfway leaves the previous
// file whole.
#include <gtest/gtest.h>
#include <string>
#include "CacheFixture.h"
#include "cache/ReplacingWrite.h"

namespace {
const char kPrevious[] = "previous contents";
// The writer process learns the file and the name of the event it sets once
// it is halfway from these variables.
const wchar_t kTargetVariable[] = L"JW_CACHE_KILL_TARGET";
const wchar_t kEventVariable[] = L"JW_CACHE_KILL_EVENT";

class ReplacingWriteTest : public CacheFixture {
protected:
    void SetUp() override { m_target = m_folder.Write(L"Quillora.dat", kPrevious); }

    void ExpectPreviousFileWhole()
    {
        std::vector<uint8_t> bytes = ReadFileBytes(m_target);
        EXPECT_EQ(std::string(bytes.begin(), bytes.end()), kPrevious);
        EXPECT_EQ(GetFileAttributesW(Temporary().c_str()), INVALID_FILE_ATTRIBUTES);
    }

    std::wstring Temporary() const { return std::wstring(ReplacingWriteTemporary(m_target.c_str())); }

    std::wstring m_target;
};

void WriteHalf(CFile& file)
{
    std::string half(3000, 'x');
    file.Write(half.data(), static_cast<UINT>(half.size()));
}
}

TEST_F(ReplacingWriteTest, TemporaryFileEndsInDat)
{
    std::wstring temporary = Temporary();
    EXPECT_EQ(temporary.substr(0, m_target.size()), m_target);
    EXPECT_EQ(temporary.substr(temporary.size() - 4), L".dat");
}

TEST_F(ReplacingWriteTest, FailingWriterLeavesThePreviousFile)
{
    EXPECT_FALSE(WriteReplacing(m_target.c_str(), [](CFile& file) {
        WriteHalf(file);
        AfxThrowFileException(CFileException::diskFull);
    }));
    ExpectPreviousFileWhole();
}

// A file that another process holds open without delete sharing cannot be
// replaced: the save fails and the file stays as it was.
TEST_F(ReplacingWriteTest, FileThatCannotBeReplacedStays)
{
    HANDLE held = CreateFileW(m_target.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(m_cache.Save(m_target.c_str()));
    CloseHandle(held);
    ExpectPreviousFileWhole();
}

TEST_F(ReplacingWriteTest, SaveReplacesTheFileWhole)
{
    ASSERT_TRUE(m_cache.Save(m_target.c_str()));
    EXPECT_EQ(ReadFileBytes(m_target).size(), 16u);
    EXPECT_EQ(GetFileAttributesW(Temporary().c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(m_cache.Save(m_folder.At(L"no such folder\\Quillora.dat").c_str()));
}

// This test program, started again on the writer below, is killed while it
// is halfway through the temporary file.
TEST_F(ReplacingWriteTest, KilledWriterLeavesThePreviousFile)
{
    std::wstring eventName = L"JwCacheKillTest" + std::to_wstring(GetCurrentProcessId());
    HANDLE halfWritten = CreateEventW(nullptr, TRUE, FALSE, eventName.c_str());
    ASSERT_NE(halfWritten, nullptr);
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring command = std::wstring(L"\"") + program +
                           L"\" --gtest_filter=KilledWriter.DISABLED_WritesHalfAndWaits --gtest_also_run_disabled_tests";
    SetEnvironmentVariableW(kTargetVariable, m_target.c_str());
    SetEnvironmentVariableW(kEventVariable, eventName.c_str());
    // The writer's own test output stays out of this program's.
    STARTUPINFOW startup = {sizeof startup};
    startup.dwFlags = STARTF_USESTDHANDLES;
    PROCESS_INFORMATION child = {};
    BOOL started =
        CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child);
    SetEnvironmentVariableW(kTargetVariable, nullptr);
    SetEnvironmentVariableW(kEventVariable, nullptr);
    ASSERT_TRUE(started);
    DWORD waited = WaitForSingleObject(halfWritten, 60000);
    TerminateProcess(child.hProcess, 1);
    WaitForSingleObject(child.hProcess, INFINITE);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    CloseHandle(halfWritten);
    ASSERT_EQ(waited, WAIT_OBJECT_0);

    std::vector<uint8_t> bytes = ReadFileBytes(m_target);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), kPrevious);
    EXPECT_EQ(ReadFileBytes(Temporary()).size(), 3000u) << "the killed writer's temporary file";
    EXPECT_TRUE(m_cache.Save(m_target.c_str())) << "the next save writes over the leftover";
    EXPECT_EQ(ReadFileBytes(m_target).size(), 16u);
}

// The writer of the test above; runs only when started by it.
TEST(KilledWriter, DISABLED_WritesHalfAndWaits)
{
    wchar_t target[MAX_PATH] = {}, eventName[64] = {};
    if (!GetEnvironmentVariableW(kTargetVariable, target, MAX_PATH) ||
        !GetEnvironmentVariableW(kEventVariable, eventName, 64))
        GTEST_SKIP();
    HANDLE halfWritten = OpenEventW(EVENT_MODIFY_STATE, FALSE, eventName);
    WriteReplacing(target, [halfWritten](CFile& file) {
        WriteHalf(file);
        file.Flush();
        SetEvent(halfWritten);
        Sleep(INFINITE);
    });
}
