// Critical sections of the ATL server classes: CComCriticalSection (set up
// with Init, torn down with Term) and CComCritSecLock (holds one for a
// scope); AtlHresultFromLastError.
#pragma once

#include <windows.h>

namespace ATL
{

// The thread's last error as an HRESULT; E_FAIL when no error was set.
inline HRESULT AtlHresultFromLastError() noexcept
{
    DWORD dwError = ::GetLastError();
    return dwError != ERROR_SUCCESS ? HRESULT_FROM_WIN32(dwError) : E_FAIL;
}

class CComCriticalSection
{
public:
    CComCriticalSection() noexcept
    {
        memset(&m_sec, 0, sizeof(m_sec));
    }
    CComCriticalSection(const CComCriticalSection&) = delete;
    CComCriticalSection& operator=(const CComCriticalSection&) = delete;

    HRESULT Lock() noexcept
    {
        ::EnterCriticalSection(&m_sec);
        return S_OK;
    }
    HRESULT Unlock() noexcept
    {
        ::LeaveCriticalSection(&m_sec);
        return S_OK;
    }
    HRESULT Init() noexcept
    {
        if (!::InitializeCriticalSectionEx(&m_sec, 0, 0))
            return HRESULT_FROM_WIN32(::GetLastError());
        return S_OK;
    }
    HRESULT Term() noexcept
    {
        ::DeleteCriticalSection(&m_sec);
        return S_OK;
    }

    CRITICAL_SECTION m_sec;
};

template <class TLock>
class CComCritSecLock
{
public:
    explicit CComCritSecLock(TLock& cs) noexcept : m_cs(cs)
    {
        m_cs.Lock();
    }
    ~CComCritSecLock()
    {
        m_cs.Unlock();
    }
    CComCritSecLock(const CComCritSecLock&) = delete;
    CComCritSecLock& operator=(const CComCritSecLock&) = delete;

private:
    TLock& m_cs;
};

} // namespace ATL
