#include "HandleMap.h"

#include <unordered_map>
#include <utility>

namespace
{

typedef std::unordered_map<HANDLE, std::pair<CObject*, CHandleMap::PFN_DELETE_TEMP>> TempMap;
typedef std::unordered_map<HANDLE, CObject*> PermanentMap;

void DeleteTemps(TempMap& map)
{
    TempMap temps;
    temps.swap(map);
    for (auto& entry : temps)
        entry.second.second(entry.second.first);
}

// The calling thread's temporary objects, which go with the thread, and its
// attached objects of the per-thread kinds.
struct AFX_TEMP_MAPS : public CNoTrackObject
{
    TempMap m_maps[CHandleMap::kKinds];
    PermanentMap m_permanent[CHandleMap::kKinds];
    int m_nLock = 0;

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
    TempMap& temps = _afxTempMaps->m_maps[m_nKind];
    auto it = temps.find(h);
    if (it != temps.end())
        return it->second.first;
    CObject* pTemp = m_pfnCreate(h);
    if (pTemp != NULL)
        temps.emplace(h, std::make_pair(pTemp, m_pfnDelete));
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
    ++_afxTempMaps->m_nLock;
}

BOOL AFXAPI AfxUnlockTempMaps(BOOL bDeleteTemps)
{
    AFX_TEMP_MAPS* pMaps = _afxTempMaps.GetDataNA();
    if (pMaps == NULL || pMaps->m_nLock == 0)
        return FALSE;
    if (--pMaps->m_nLock == 0 && bDeleteTemps)
    {
        for (TempMap& map : pMaps->m_maps)
            DeleteTemps(map);
    }
    return pMaps->m_nLock != 0;
}
