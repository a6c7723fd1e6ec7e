#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

#include <mmsystem.h>

#include "commandbars/KvoSystemSoundThread.h"
#include "support/ThreadCensus.h"

namespace {
// The sounds the worker played, through the seam: alias and flags.
struct PlayedSound {
    std::wstring alias;
    DWORD flags;
};

std::mutex g_playedLock;
std::vector<PlayedSound> g_played;
// Set while a test holds a sound in the middle of its playing.
HANDLE g_soundPlaying = nullptr;
HANDLE g_soundRelease = nullptr;

BOOL WINAPI RecordSound(LPCWSTR alias, HMODULE, DWORD flags)
{
    std::lock_guard<std::mutex> lock(g_playedLock);
    g_played.push_back({alias ? alias : L"", flags});
    return TRUE;
}

// Plays "a long sound": holds until the test releases it (or for ever).
BOOL WINAPI HoldSound(LPCWSTR alias, HMODULE module, DWORD flags)
{
    RecordSound(alias, module, flags);
    if (alias) {
        ::SetEvent(g_soundPlaying);
        ::WaitForSingleObject(g_soundRelease, INFINITE);
    }
    return TRUE;
}

std::vector<PlayedSound> Played()
{
    std::lock_guard<std::mutex> lock(g_playedLock);
    return g_played;
}

// Waits (without a fixed sleep) until the worker has played count sounds.
bool WaitForPlayed(size_t count)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (Played().size() < count) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        ::Sleep(1);
    }
    return true;
}

class KvoSystemSoundThreadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_played.clear();
        g_soundPlaying = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
        g_soundRelease = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    }
    void TearDown() override
    {
        ::SetEvent(g_soundRelease);
        ::CloseHandle(g_soundPlaying);
        ::CloseHandle(g_soundRelease);
    }
};

TEST_F(KvoSystemSoundThreadTest, TheFirstRequestStartsTheWorkerThatPlaysTheMenuSounds)
{
    const std::vector<ThreadCensusRecord> before = TakeThreadCensus();
    {
        CKvoSystemSoundThread sounds(RecordSound);
        EXPECT_FALSE(sounds.IsRunning());
        EXPECT_TRUE(ThreadsAddedSince(before, TakeThreadCensus()).empty()) << "no thread before a request";

        sounds.PlaySystemSound(KvoSoundMenuPopup);
        ASSERT_TRUE(sounds.IsRunning());
        ASSERT_TRUE(WaitForPlayed(1));
        sounds.PlaySystemSound(KvoSoundMenuCommand);
        ASSERT_TRUE(WaitForPlayed(2));
        EXPECT_EQ(1u, ThreadsAddedSince(before, TakeThreadCensus()).size());
        EXPECT_TRUE(sounds.StopThread());
        EXPECT_FALSE(sounds.IsRunning());
    }
    const std::vector<PlayedSound> played = Played();
    ASSERT_EQ(3u, played.size());
    EXPECT_EQ(L"MenuPopup", played[0].alias);
    EXPECT_EQ(L"MenuCommand", played[1].alias);
    EXPECT_EQ(static_cast<DWORD>(SND_ALIAS | SND_NOWAIT | SND_NODEFAULT), played[0].flags);
    EXPECT_EQ(0x12002u, played[1].flags);
    // Leaving, the worker stops what it still plays.
    EXPECT_EQ(L"", played[2].alias);
    EXPECT_EQ(static_cast<DWORD>(SND_PURGE), played[2].flags);
}

TEST_F(KvoSystemSoundThreadTest, ARequestMadeWhileASoundPlaysIsDropped)
{
    CKvoSystemSoundThread sounds(HoldSound);
    sounds.PlaySystemSound(KvoSoundMenuPopup);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(g_soundPlaying, 5000));
    sounds.PlaySystemSound(KvoSoundMenuCommand);
    ::SetEvent(g_soundRelease);
    EXPECT_TRUE(sounds.StopThread());
    const std::vector<PlayedSound> played = Played();
    ASSERT_EQ(2u, played.size());
    EXPECT_EQ(L"MenuPopup", played[0].alias);
    EXPECT_EQ(static_cast<DWORD>(SND_PURGE), played[1].flags);
}

TEST_F(KvoSystemSoundThreadTest, DisabledSoundsStartNothing)
{
    CKvoSystemSoundThread sounds(RecordSound);
    sounds.SetEnabled(FALSE);
    sounds.PlaySystemSound(KvoSoundMenuCommand);
    EXPECT_FALSE(sounds.IsRunning());
    EXPECT_TRUE(Played().empty());
}

TEST_F(KvoSystemSoundThreadTest, AWorkerStuckInItsSoundIsTerminatedAfterTheBudget)
{
    CKvoSystemSoundThread sounds(HoldSound);
    sounds.PlaySystemSound(KvoSoundMenuCommand);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(g_soundPlaying, 5000));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(sounds.StopThread());
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("[ figures  ] a stuck worker stopped after %.2f s\n", seconds);
    EXPECT_FALSE(sounds.IsRunning());
}

// At library unload the stop runs under the loader lock, where a thread
// cannot end: the worker says it has left its loop, and the stop takes that
// instead of terminating it.
TEST_F(KvoSystemSoundThreadTest, AStopUnderTheLoaderLockLetsTheWorkerLeave)
{
    using LockFunction = LONG(NTAPI*)(ULONG, ULONG*, ULONG_PTR*);
    using UnlockFunction = LONG(NTAPI*)(ULONG, ULONG_PTR);
    HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    auto lockLoader = reinterpret_cast<LockFunction>(
        reinterpret_cast<void*>(::GetProcAddress(ntdll, "LdrLockLoaderLock")));
    auto unlockLoader = reinterpret_cast<UnlockFunction>(
        reinterpret_cast<void*>(::GetProcAddress(ntdll, "LdrUnlockLoaderLock")));
    ASSERT_TRUE(lockLoader && unlockLoader);

    CKvoSystemSoundThread sounds(RecordSound);
    sounds.PlaySystemSound(KvoSoundMenuCommand);
    ASSERT_TRUE(WaitForPlayed(1));
    ULONG_PTR cookie = 0;
    ASSERT_EQ(0, lockLoader(0, nullptr, &cookie));
    const auto start = std::chrono::steady_clock::now();
    const BOOL leftOnItsOwn = sounds.StopThread();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    unlockLoader(0, cookie);
    std::printf("[ figures  ] stop under the loader lock took %.3f s\n", seconds);
    EXPECT_TRUE(leftOnItsOwn);
    EXPECT_EQ(2u, Played().size()) << "the worker purged and left";
}

TEST_F(KvoSystemSoundThreadTest, TwoThreadsFirstRequestsStartOneWorker)
{
    for (int round = 0; round < 20; ++round) {
        const std::vector<ThreadCensusRecord> before = TakeThreadCensus();
        CKvoSystemSoundThread sounds(RecordSound);
        struct Requester {
            static DWORD WINAPI Run(LPVOID parameter)
            {
                static_cast<CKvoSystemSoundThread*>(parameter)->PlaySystemSound(KvoSoundMenuPopup);
                return 0;
            }
        };
        HANDLE other = ::CreateThread(nullptr, 0, Requester::Run, &sounds, 0, nullptr);
        ASSERT_NE(nullptr, other);
        sounds.PlaySystemSound(KvoSoundMenuCommand);
        ::WaitForSingleObject(other, INFINITE);
        ::CloseHandle(other);
        const std::vector<ThreadCensusRecord> added = ThreadsAddedSince(before, TakeThreadCensus());
        EXPECT_EQ(1u, added.size()) << "round " << round << "\n" << DescribeThreads(added);
        EXPECT_TRUE(sounds.StopThread());
    }
}

TEST_F(KvoSystemSoundThreadTest, TheProcessWideWorkerPlaysTheRealSchemeSounds)
{
    CKvoSystemSoundThread* sounds = CKvoSystemSoundThread::Instance();
    EXPECT_EQ(sounds, CKvoSystemSoundThread::Instance());
    // Wine may have no sound scheme or device: the call must simply return.
    sounds->PlaySystemSound(KvoSoundMenuPopup);
    EXPECT_TRUE(sounds->IsRunning());
    CKvoSystemSoundThread ownWorker;
    ownWorker.PlaySystemSound(KvoSoundMenuCommand);
    EXPECT_TRUE(ownWorker.StopThread());
}
}  // namespace
