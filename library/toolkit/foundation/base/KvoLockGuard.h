#pragma once
#include <windows.h>

// Holds a critical section for a scope: entered on construction, left on
// destruction. Unlock and Lock leave and enter again within the scope; the
// guard remembers whether it holds the section, so an Unlock followed by the
// end of the scope leaves it once, not twice.
class CKvoLockGuard {
public:
    explicit CKvoLockGuard(CRITICAL_SECTION* section);
    ~CKvoLockGuard();
    CKvoLockGuard(const CKvoLockGuard&) = delete;
    CKvoLockGuard& operator=(const CKvoLockGuard&) = delete;

    void Lock();
    void Unlock();

private:
    CRITICAL_SECTION* m_section;  // the owner's: never deleted here
    bool m_held;
};
