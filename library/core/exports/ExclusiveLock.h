#pragma once
#include <windows.h>

// Name of the mutex that lets one info-tip, thumbnail or cache-file call run
// at a time across the processes of a logon session that load the library.
extern const wchar_t kExclusiveMutexName[];

// Holds "EXCLUSIVE" for its lifetime. The wait has no time-out; a mutex that
// its holder abandoned counts as taken. When the mutex cannot be opened or
// the wait fails the lock is not held and the caller gives up at once.
class CExclusiveLock {
public:
    CExclusiveLock();
    ~CExclusiveLock();
    CExclusiveLock(const CExclusiveLock&) = delete;
    CExclusiveLock& operator=(const CExclusiveLock&) = delete;

    bool IsHeld() const { return m_held; }

private:
    HANDLE m_mutex;
    bool m_held;
};
