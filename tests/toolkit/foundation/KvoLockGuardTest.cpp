#include <gtest/gtest.h>
#include <windows.h>
#include "foundation/base/KvoLockGuard.h"

namespace {
struct LockGuardProbe {
    CRITICAL_SECTION* section;
    bool entered;
};

DWORD WINAPI TryTheSectionFromAnotherThread(void* parameter)
{
    auto* probe = static_cast<LockGuardProbe*>(parameter);
    probe->entered = TryEnterCriticalSection(probe->section) != FALSE;
    if (probe->entered)
        LeaveCriticalSection(probe->section);
    return 0;
}

// Whether another thread can take the section right now.
bool FreeForOtherThreads(CRITICAL_SECTION* section)
{
    LockGuardProbe probe = {section, false};
    HANDLE thread = CreateThread(nullptr, 0, TryTheSectionFromAnotherThread, &probe, 0, nullptr);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    return probe.entered;
}

class KvoLockGuardFixture : public ::testing::Test {
protected:
    void SetUp() override { InitializeCriticalSection(&m_section); }
    void TearDown() override { DeleteCriticalSection(&m_section); }
    CRITICAL_SECTION m_section;
};
}

TEST_F(KvoLockGuardFixture, HeldForTheScope)
{
    {
        CKvoLockGuard guard(&m_section);
        EXPECT_FALSE(FreeForOtherThreads(&m_section));
    }
    EXPECT_TRUE(FreeForOtherThreads(&m_section));
}

TEST_F(KvoLockGuardFixture, UnlockAndLockWithinTheScopeLeaveOnceAtTheEnd)
{
    {
        CKvoLockGuard guard(&m_section);
        guard.Unlock();
        EXPECT_TRUE(FreeForOtherThreads(&m_section));
        guard.Unlock();  // already left: nothing more
        guard.Lock();
        guard.Lock();    // already held: not entered twice
        EXPECT_FALSE(FreeForOtherThreads(&m_section));
    }
    EXPECT_TRUE(FreeForOtherThreads(&m_section)) << "left exactly as often as entered";
    {
        CKvoLockGuard guard(&m_section);
        guard.Unlock();
    }
    EXPECT_TRUE(FreeForOtherThreads(&m_section));
    EXPECT_EQ(m_section.RecursionCount, 0) << "an unlocked guard does not leave again at its end";
}
