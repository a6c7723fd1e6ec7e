// Per-thread and per-process objects. Per-thread ones live in a fiber-local
// slot whose callback deletes a thread's object when the thread ends; freeing
// the slot deletes the objects of all threads still running.
#include <afxmt.h>

namespace
{

void WINAPI DeleteThreadObject(void* pObject)
{
    delete static_cast<CNoTrackObject*>(pObject);
}

} // namespace

void* CNoTrackObject::operator new(size_t nSize)
{
    void* p = ::LocalAlloc(LMEM_FIXED | LMEM_ZEROINIT, nSize);
    if (p == NULL)
        AfxThrowMemoryException();
    return p;
}

void CNoTrackObject::operator delete(void* p)
{
    if (p != NULL)
        ::LocalFree(p);
}

CThreadLocalObject::~CThreadLocalObject()
{
    LONG nSlot = ::InterlockedExchange(&m_nSlot, 0);
    if (nSlot != 0)
        ::FlsFree(static_cast<DWORD>(nSlot - 1));
}

DWORD CThreadLocalObject::Slot()
{
    LONG nSlot = m_nSlot;
    if (nSlot != 0)
        return static_cast<DWORD>(nSlot - 1);
    DWORD dwNew = ::FlsAlloc(&DeleteThreadObject);
    if (dwNew == FLS_OUT_OF_INDEXES)
        AfxThrowMemoryException();
    // Another thread may have got there first: keep its slot.
    LONG nOld = ::InterlockedCompareExchange(&m_nSlot, static_cast<LONG>(dwNew + 1), 0);
    if (nOld == 0)
        return dwNew;
    ::FlsFree(dwNew);
    return static_cast<DWORD>(nOld - 1);
}

CNoTrackObject* CThreadLocalObject::GetData(CNoTrackObject*(AFXAPI* pfnCreateObject)())
{
    DWORD dwSlot = Slot();
    CNoTrackObject* pObject = static_cast<CNoTrackObject*>(::FlsGetValue(dwSlot));
    if (pObject == NULL)
    {
        pObject = pfnCreateObject();
        if (!::FlsSetValue(dwSlot, pObject))
        {
            delete pObject;
            AfxThrowMemoryException();
        }
    }
    return pObject;
}

CNoTrackObject* CThreadLocalObject::GetDataNA()
{
    LONG nSlot = m_nSlot;
    return nSlot != 0 ? static_cast<CNoTrackObject*>(::FlsGetValue(static_cast<DWORD>(nSlot - 1))) : NULL;
}

CProcessLocalObject::~CProcessLocalObject()
{
    delete m_pObject;
}

CNoTrackObject* CProcessLocalObject::GetData(CNoTrackObject*(AFXAPI* pfnCreateObject)())
{
    CNoTrackObject* pObject = m_pObject;
    if (pObject != NULL)
        return pObject;
    CNoTrackObject* pNew = pfnCreateObject();
    // Another thread may have made one meanwhile: keep the first.
    pObject = static_cast<CNoTrackObject*>(::InterlockedCompareExchangePointer(
        reinterpret_cast<PVOID volatile*>(const_cast<CNoTrackObject**>(&m_pObject)), pNew, NULL));
    if (pObject == NULL)
        return pNew;
    delete pNew;
    return pObject;
}

CNoTrackObject* CProcessLocalObject::GetDataNA() const
{
    return m_pObject;
}
