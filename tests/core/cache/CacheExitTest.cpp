// A process that ends while one of its threads holds the info cache's lock:
// the library, detached from the ending process, must not wait for the lock
// of a thread that is gone.
#include <gtest/gtest.h>
#include <string>
#include "support/TestPaths.h"
#include "support/ScopedHandle.h"
#include "support/ScratchFolder.h"

TEST(CacheExit, EndingProcessDoesNotWaitForALockHeldByADeadThread)
{
    const DWORD kPatience = 60000;  // ms; only a hang waits this long
    ScratchFolder folder;
    const std::string drawing = std::string("JwwData.") + std::string(40, '\0');
    std::wstring first = folder.Write(L"first.jww", drawing), second = folder.Write(L"second.jww", drawing);
    std::wstring command =
        L"\"" + BesideTestProgram(L"CacheExitHolder.exe") + L"\" \"" + first + L"\" \"" + second + L"\"";
    STARTUPINFOW startup = {sizeof startup};
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &process));
    ScopedHandle processHandle(process.hProcess), threadHandle(process.hThread);
    bool ended = WaitForSingleObject(process.hProcess, kPatience) == WAIT_OBJECT_0;
    if (!ended)
        TerminateProcess(process.hProcess, 1);
    ASSERT_TRUE(ended) << "the process hung while the library was detached";
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u) << "2: the cache lock was never held";
}
