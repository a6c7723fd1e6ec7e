// Which class-library object stands for a handle: the object it is attached
// to (process-wide, or the calling thread's for windows), or else a temporary
// object that the calling thread owns.
#pragma once

#include <afxwin.h>

#include <unordered_map>

class CHandleMap
{
public:
    // Makes the temporary object for a handle; NULL when it cannot.
    typedef CObject* (*PFN_CREATE_TEMP)(HANDLE h);
    // Takes the handle out of a temporary object, then deletes the object.
    typedef void (*PFN_DELETE_TEMP)(CObject* pObject);

    // bPerThread: each thread has its own attached objects.
    CHandleMap(int nKind, PFN_CREATE_TEMP pfnCreate, PFN_DELETE_TEMP pfnDelete, bool bPerThread = false);
    CHandleMap(const CHandleMap&) = delete;
    CHandleMap& operator=(const CHandleMap&) = delete;

    // NULL for a NULL handle.
    CObject* FromHandle(HANDLE h);
    CObject* LookupPermanent(HANDLE h);
    void SetPermanent(HANDLE h, CObject* pObject);
    // Forgets pObject as the object of h, if it is.
    void RemoveHandle(HANDLE h, CObject* pObject);
    // Deletes the calling thread's temporary objects of this kind.
    void DeleteTemp();

    enum
    {
        kGdiObjects,
        kDeviceContexts,
        kWindows,
        kKinds
    };

private:
    int m_nKind;
    bool m_bPerThread;
    PFN_CREATE_TEMP m_pfnCreate;
    PFN_DELETE_TEMP m_pfnDelete;
    SRWLOCK m_lock = SRWLOCK_INIT;
    std::unordered_map<HANDLE, CObject*> m_permanent;
};

CHandleMap* AFXAPI afxMapHGDIOBJ();
CHandleMap* AFXAPI afxMapHDC();
CHandleMap* AFXAPI afxMapHWND();
