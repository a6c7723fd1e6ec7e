#include "foundation/base/KvoLockGuard.h"

CKvoLockGuard::CKvoLockGuard(CRITICAL_SECTION* section) : m_section(section), m_held(false)
{
    Lock();
}

CKvoLockGuard::~CKvoLockGuard()
{
    Unlock();
}

void CKvoLockGuard::Lock()
{
    if (m_held)
        return;
    ::EnterCriticalSection(m_section);
    m_held = true;
}

void CKvoLockGuard::Unlock()
{
    if (!m_held)
        return;
    m_held = false;
    ::LeaveCriticalSection(m_section);
}
