#include <atlbase.h>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace ATL
{

CAtlBaseModule _AtlBaseModule;

namespace
{

// Shared or exclusive hold of a slim lock for one scope.
class CSrwHold
{
public:
    CSrwHold(SRWLOCK& lock, bool bExclusive) : m_lock(lock), m_bExclusive(bExclusive)
    {
        if (m_bExclusive)
            ::AcquireSRWLockExclusive(&m_lock);
        else
            ::AcquireSRWLockShared(&m_lock);
    }
    ~CSrwHold()
    {
        if (m_bExclusive)
            ::ReleaseSRWLockExclusive(&m_lock);
        else
            ::ReleaseSRWLockShared(&m_lock);
    }
    CSrwHold(const CSrwHold&) = delete;
    CSrwHold& operator=(const CSrwHold&) = delete;

private:
    SRWLOCK& m_lock;
    bool m_bExclusive;
};

} // namespace

HINSTANCE CAtlBaseModule::GetModuleInstance() const noexcept
{
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

HINSTANCE CAtlBaseModule::GetResourceInstance() const noexcept
{
    HINSTANCE hInst = static_cast<HINSTANCE>(
        ::InterlockedCompareExchangePointer(reinterpret_cast<PVOID volatile*>(const_cast<HINSTANCE*>(&m_hInstResource)),
                                            NULL, NULL));
    return hInst != NULL ? hInst : GetModuleInstance();
}

HINSTANCE CAtlBaseModule::SetResourceInstance(HINSTANCE hInst) noexcept
{
    HINSTANCE hOld = static_cast<HINSTANCE>(
        ::InterlockedExchangePointer(reinterpret_cast<PVOID volatile*>(&m_hInstResource), hInst));
    return hOld != NULL ? hOld : GetModuleInstance();
}

bool CAtlBaseModule::AddResourceInstance(HINSTANCE hInst) noexcept
{
    CSrwHold hold(m_lock, true);
    if (hInst == NULL || m_nResourceInstances == nMaxResourceInstances)
        return false;
    m_rgResourceInstance[m_nResourceInstances++] = hInst;
    return true;
}

bool CAtlBaseModule::RemoveResourceInstance(HINSTANCE hInst) noexcept
{
    CSrwHold hold(m_lock, true);
    for (int i = 0; i < m_nResourceInstances; ++i)
    {
        if (m_rgResourceInstance[i] == hInst)
        {
            for (int j = i + 1; j < m_nResourceInstances; ++j)
                m_rgResourceInstance[j - 1] = m_rgResourceInstance[j];
            m_rgResourceInstance[--m_nResourceInstances] = NULL;
            return true;
        }
    }
    return false;
}

HINSTANCE CAtlBaseModule::GetHInstanceAt(int i) noexcept
{
    if (i == 0)
        return GetResourceInstance();
    CSrwHold hold(m_lock, false);
    return i > 0 && i <= m_nResourceInstances ? m_rgResourceInstance[i - 1] : NULL;
}

HINSTANCE AtlFindStringResourceInstance(UINT nID, WORD wLanguage)
{
    for (int i = 0;; ++i)
    {
        HINSTANCE hInst = _AtlBaseModule.GetHInstanceAt(i);
        if (hInst == NULL || AtlGetStringResourceImage(hInst, nID, wLanguage) != NULL)
            return hInst;
    }
}

} // namespace ATL
