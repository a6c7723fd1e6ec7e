#include "ArchiveSpares.h"

#include <utility>

namespace
{

// Larger ones are rare and go back to the heap: a table of a huge drawing
// would otherwise stay in memory for good.
const size_t nSpareTableMaxEntries = 16384;
const UINT nSpareBufferMaxBytes = 256 * 1024;

// One spare of each kind for the archives of every thread. Plain data, so
// that an archive that ends while the process's statics are destroyed still
// finds it: closed and empty by then.
struct CSpares
{
    SRWLOCK lock;
    CArchiveSpares::LoadTable* pTable;
    BYTE* pBuffer;
    UINT nBufferSize;
    bool bClosed;
};
CSpares g_spares = {SRWLOCK_INIT, NULL, NULL, 0, false};

class CSparesLock
{
public:
    CSparesLock() { AcquireSRWLockExclusive(&g_spares.lock); }
    ~CSparesLock() { ReleaseSRWLockExclusive(&g_spares.lock); }
    CSparesLock(const CSparesLock&) = delete;
    CSparesLock& operator=(const CSparesLock&) = delete;
};

// Frees the spares when the module goes, and keeps new ones from coming.
struct CSparesCloser
{
    ~CSparesCloser()
    {
        CArchiveSpares::LoadTable* pTable;
        BYTE* pBuffer;
        {
            CSparesLock lock;
            g_spares.bClosed = true;
            pTable = std::exchange(g_spares.pTable, nullptr);
            pBuffer = std::exchange(g_spares.pBuffer, nullptr);
        }
        delete pTable;
        delete[] pBuffer;
    }
} g_sparesCloser;

}

void CArchiveSpares::TakeLoadTable(LoadTable& table)
{
    LoadTable* pSpare;
    {
        CSparesLock lock;
        pSpare = std::exchange(g_spares.pTable, nullptr);
    }
    if (pSpare == NULL)
        return;
    table.swap(*pSpare);
    delete pSpare;
}

void CArchiveSpares::KeepLoadTable(LoadTable& table) noexcept
{
    table.clear();
    if (table.capacity() == 0 || table.capacity() > nSpareTableMaxEntries)
        return;
    LoadTable* pKept = new (std::nothrow) LoadTable;
    if (pKept == NULL)
        return;
    pKept->swap(table);
    {
        CSparesLock lock;
        if (!g_spares.bClosed && g_spares.pTable == NULL)
            std::swap(g_spares.pTable, pKept);
    }
    delete pKept;
}

BYTE* CArchiveSpares::TakeBuffer(UINT nSize)
{
    {
        CSparesLock lock;
        if (g_spares.pBuffer != NULL && g_spares.nBufferSize == nSize)
            return std::exchange(g_spares.pBuffer, nullptr);
    }
    return new BYTE[nSize];
}

// A larger buffer replaces a smaller spare: the drawings' archives read
// through larger buffers than the small files beside them.
void CArchiveSpares::KeepBuffer(BYTE* pBuffer, UINT nSize) noexcept
{
    if (nSize <= nSpareBufferMaxBytes)
    {
        CSparesLock lock;
        if (!g_spares.bClosed && (g_spares.pBuffer == NULL || g_spares.nBufferSize < nSize))
        {
            std::swap(g_spares.pBuffer, pBuffer);
            g_spares.nBufferSize = nSize;
        }
    }
    delete[] pBuffer;
}
