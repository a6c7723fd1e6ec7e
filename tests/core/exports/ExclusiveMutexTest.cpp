#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <thread>
#include "exports/TavrenaExports.h"
#include "support/LibraryModule.h"
#include "support/TestPaths.h"
#include "support/ScratchFolder.h"
#include "support/TavrenaLibrary.h"

namespace {
const DWORD kPatience = 20000;  // ms; only a broken lock ever waits this long

std::wstring UniqueName(const wchar_t* role)
{
    return std::wstring(L"jwtest-") + role + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(GetTickCount());
}

// Another process that takes "EXCLUSIVE" (ExclusiveHolder.exe) and signals
// once it holds it.
class MutexHolder {
public:
    explicit MutexHolder(bool abandon)
        : m_readyName(UniqueName(L"ready")), m_releaseName(UniqueName(L"release")),
          m_ready(CreateEventW(nullptr, TRUE, FALSE, m_readyName.c_str())),
          m_release(CreateEventW(nullptr, TRUE, FALSE, m_releaseName.c_str()))
    {
        std::wstring command = L"\"" + BesideTestProgram(L"ExclusiveHolder.exe") + L"\" " +
                               (abandon ? L"abandon " + m_readyName : L"hold " + m_readyName + L" " + m_releaseName);
        STARTUPINFOW startup = {sizeof startup};
        if (CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &m_process))
            CloseHandle(m_process.hThread);
    }
    ~MutexHolder()
    {
        Release();
        if (m_process.hProcess) {
            WaitForSingleObject(m_process.hProcess, kPatience);
            CloseHandle(m_process.hProcess);
        }
        CloseHandle(m_ready);
        CloseHandle(m_release);
    }

    bool WaitUntilHeld() const
    {
        HANDLE both[] = {m_ready, m_process.hProcess};
        return m_process.hProcess && WaitForMultipleObjects(2, both, FALSE, kPatience) == WAIT_OBJECT_0;
    }
    void Release() { SetEvent(m_release); }
    bool WaitForExit() const { return WaitForSingleObject(m_process.hProcess, kPatience) == WAIT_OBJECT_0; }

private:
    std::wstring m_readyName, m_releaseName;
    HANDLE m_ready, m_release;
    PROCESS_INFORMATION m_process = {};
};

// GetZumenInfo on a thread of its own, so the test can watch it wait.
class InfoCall {
public:
    InfoCall(TavrenaLibrary& library, std::wstring path)
        : m_library(library), m_path(std::move(path)), m_thread(CreateThread(nullptr, 0, Run, this, 0, nullptr))
    {
    }
    ~InfoCall()
    {
        WaitForSingleObject(m_thread, kPatience);
        CloseHandle(m_thread);
    }

    bool Finished(DWORD within) const { return WaitForSingleObject(m_thread, within) == WAIT_OBJECT_0; }
    HRESULT Result() const { return m_result; }

private:
    static DWORD WINAPI Run(void* self)
    {
        InfoCall* call = static_cast<InfoCall*>(self);
        ATL::CComBSTR text;
        call->m_result = call->m_library.GetZumenInfo(call->m_path.c_str(), std::addressof(text));
        return 0;
    }

    TavrenaLibrary& m_library;
    std::wstring m_path;
    HRESULT m_result = E_FAIL;
    HANDLE m_thread;
};

class ExclusiveMutexTest : public ::testing::Test {
protected:
    ExclusiveMutexTest() : m_module(L"Tavrena.dll"), m_library(m_module.Handle()) {}
    void SetUp() override { ASSERT_TRUE(m_library.Complete()); }

    LibraryModule m_module;
    TavrenaLibrary m_library;
    ScratchFolder m_folder;
};
}

TEST_F(ExclusiveMutexTest, WaitsWhileAnotherProcessHoldsIt)
{
    MutexHolder holder(false);
    ASSERT_TRUE(holder.WaitUntilHeld());
    InfoCall call(m_library, m_folder.At(L"missing.jww"));
    EXPECT_FALSE(call.Finished(500)) << "the call ran while another process held the mutex";
    holder.Release();
    ASSERT_TRUE(call.Finished(kPatience));
    EXPECT_EQ(call.Result(), S_OK);
}

TEST_F(ExclusiveMutexTest, AnAbandonedMutexCountsAsTaken)
{
    MutexHolder holder(true);
    ASSERT_TRUE(holder.WaitUntilHeld());
    ASSERT_TRUE(holder.WaitForExit());
    InfoCall call(m_library, m_folder.At(L"missing.jww"));
    ASSERT_TRUE(call.Finished(kPatience));
    EXPECT_EQ(call.Result(), S_OK);
    InfoCall next(m_library, m_folder.At(L"missing.jww"));
    ASSERT_TRUE(next.Finished(kPatience)) << "the abandoned mutex was released after use";
    EXPECT_EQ(next.Result(), S_OK);
}

// The call gives the mutex back on its way out: another thread takes it
// at once and normally (not as abandoned) while the caller's thread lives.
TEST_F(ExclusiveMutexTest, ReleasedAfterEveryCall)
{
    ATL::CComBSTR text;
    ASSERT_EQ(m_library.GetZumenInfo(m_folder.At(L"missing.jww").c_str(), std::addressof(text)), S_OK);
    HBITMAP bitmap = nullptr;
    m_library.GetZumenImage(256, m_folder.At(L"missing.jww").c_str(), &bitmap, nullptr);
    DWORD taken = WAIT_FAILED;
    std::thread other([&taken] {
        HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, L"EXCLUSIVE");
        taken = WaitForSingleObject(mutex, kPatience);
        if (taken == WAIT_OBJECT_0 || taken == WAIT_ABANDONED)
            ReleaseMutex(mutex);
        CloseHandle(mutex);
    });
    other.join();
    EXPECT_EQ(taken, WAIT_OBJECT_0);
}

// This test program links the exports without running the library's
// start-up, so nothing here creates "EXCLUSIVE": every export that needs it
// fails at once and touches nothing.
TEST(ExclusiveMutexMissing, ExportsFailWithoutTouchingTheirOutputs)
{
    HANDLE existing = OpenMutexW(SYNCHRONIZE, FALSE, L"EXCLUSIVE");
    if (existing) {
        CloseHandle(existing);
        GTEST_SKIP() << "another process has the library loaded";
    }
    ATL::CComBSTR text(L"untouched");
    EXPECT_EQ(GetZumenInfo(L"missing.jww", std::addressof(text)), E_NOTIMPL);
    EXPECT_STREQ(text.m_str, L"untouched");
    HBITMAP bitmap = reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(0x1234));
    EXPECT_EQ(GetZumenImage(256, L"missing.jww", &bitmap, nullptr), E_NOTIMPL);
    EXPECT_EQ(bitmap, reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(0x1234)));
    EXPECT_EQ(GetImage(256, L"missing.jww"), nullptr);
    EXPECT_FALSE(InfoLoad(nullptr));
    EXPECT_FALSE(InfoSave(nullptr));
    SavePreView();
}
