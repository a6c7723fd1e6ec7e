#include "HandleMap.h"

#include <unordered_map>
#include <utility>

namespace
{

struct TempEntry
{
    CObject* pObject;
    CHandleMap::PFN_DELETE_TEMP pfnDelete;
    // Order of making, so an unlock frees only what was made while locked.
    unsigned long long nSerial;
};
typedef std::unordered_map<HANDLE, TempEntry> TempMap;
typedef std::unordered_map<HANDLE, CObject*> PermanentMap;

// Deletes the temporary objects made at or after nFirstSerial.
void DeleteTemps(TempMap& map, unsigned long long nFirstSerial = 0)
{
    TempMap doomed;
    for (auto it = map.begin(); it != map.end();)
    {
        if (it->second.nSerial >= nFirstSerial)
        {
            doomed.insert(*it);
            it = map.erase(it);
        }
        else
        {
            ++it;
        }
    }
    for (auto& entry : doomed)
        entry.second.pfnDelete(entry.second.pObject);
}

// The calling thread's temporary objects, which go with the thread, and its
// attached objects of the per-thread kinds.
struct AFX_TEMP_MAPS : public CNoTrackObject
{
    TempMap m_maps[CHandleMap::kKinds];
    PermanentMap m_permanent[CHandleMap::kKinds];
    int m_nLock = 0;
    unsigned long long m_nNextSerial = 0;
    // The first serial made under the outermost lock.
    unsigned long long m_nLockSerial = 0;

    ~AFX_TEMP_MAPS() override
    {
        for (TempMap& map : m_maps)
            DeleteTemps(map);
    }
};

THREAD_LOCAL(AFX_TEMP_MAPS, _afxTempMaps)

} // namespace

CHandleMap::CHandleMap(int nKind, PFN_CREATE_TEMP pfnCreate, PFN_DELETE_TEMP pfnDelete, bool bPerThread)
    : m_nKind(nKind), m_bPerThread(bPerThread), m_pfnCreate(pfnCreate), m_pfnDelete(pfnDelete)
{
}

CObject* CHandleMap::LookupPermanent(HANDLE h)
{
    if (m_bPerThread)
    {
        AFX_TEMP_MAPS* pMaps = _afxTempMaps.GetDataNA();
        if (pMaps == NULL)
            return NULL;
        auto it = pMaps->m_permanent[m_nKind].find(h);
        return it != pMaps->m_permanent[m_nKind].end() ? it->second : NULL;
    }
    ::AcquireSRWLockShared(&m_lock);
    auto it = m_permanent.find(h);
    CObject* pObject = it != m_permanent.end() ? it->second : NULL;
    ::ReleaseSRWLockShared(&m_lock);
    return pObject;
}

CObject* CHandleMap::FromHandle(HANDLE h)
{
    if (h == NULL)
        return NULL;
    if (CObject* pObject = LookupPermanent(h))
        return pObject;
    AFX_TEMP_MAPS* pMaps = _afxTempMaps.GetData();
    TempMap& temps = pMaps->m_maps[m_nKind];
    auto it = temps.find(h);
    if (it != temps.end())
        return it->second.pObject;
    CObject* pTemp = m_pfnCreate(h);
    if (pTemp != NULL)
        temps.emplace(h, TempEntry{pTemp, m_pfnDelete, pMaps->m_nNextSerial++});
    return pTemp;
}

void CHandleMap::SetPermanent(HANDLE h, CObject* pObject)
{
    if (m_bPerThread)
    {
        _afxTempMaps->m_permanent[m_nKind][h] = pObject;
        return;
    }
    ::AcquireSRWLockExclusive(&m_lock);
    m_permanent[h] = pObject;
    ::ReleaseSRWLockExclusive(&m_lock);
}

void CHandleMap::RemoveHandle(HANDLE h, CObject* pObject)
{
    if (m_bPerThread)
    {
        if (AFX_TEMP_MAPS* pMaps = _afxTempMaps.GetDataNA())
        {
            auto it = pMaps->m_permanent[m_nKind].find(h);
            if (it != pMaps->m_permanent[m_nKind].end() && it->second == pObject)
                pMaps->m_permanent[m_nKind].erase(it);
        }
        return;
    }
    ::AcquireSRWLockExclusive(&m_lock);
    auto it = m_permanent.find(h);
    if (it != m_permanent.end() && it->second == pObject)
        m_permanent.erase(it);
    ::ReleaseSRWLockExclusive(&m_lock);
}

void CHandleMap::DeleteTemp()
{
    if (AFX_TEMP_MAPS* pMaps = _afxTempMaps.GetDataNA())
        DeleteTemps(pMaps->m_maps[m_nKind]);
}

void AFXAPI AfxLockTempMaps()
{
    AFX_TEMP_MAPS* pMaps = _afxTempMaps.GetData();
    if (pMaps->m_nLock++ == 0)
        pMaps->m_nLockSerial = pMaps->m_nNextSerial;
}

BOOL AFXAPI AfxUnlockTempMaps(BOOL bDeleteTemps)
{
    AFX_TEMP_MAPS* pMaps = _afxTempMaps.GetDataNA();
    if (pMaps == NULL || pMaps->m_nLock == 0)
        return FALSE;
    // Objects made before the lock belong to code that may still use them.
    if (--pMaps->m_nLock == 0 && bDeleteTemps)
    {
        for (TempMap& map : pMaps->m_maps)
            DeleteTemps(map, pMaps->m_nLockSerial);
    }
    return pMaps->m_nLock != 0;
}
