#include "exports/ExclusiveLock.h"

const wchar_t kExclusiveMutexName[] = L"EXCLUSIVE";

CExclusiveLock::CExclusiveLock()
    : m_mutex(OpenMutexW(SYNCHRONIZE, FALSE, kExclusiveMutexName)),
      m_held(m_mutex && WaitForSingleObject(m_mutex, INFINITE) != WAIT_FAILED)
{
}

CExclusiveLock::~CExclusiveLock()
{
    if (m_held)
        ReleaseMutex(m_mutex);
    if (m_mutex)
        CloseHandle(m_mutex);
}
