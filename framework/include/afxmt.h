// Synchronisation objects (CCriticalSection, CMutex, CEvent, CSingleLock)
// and per-thread and per-process objects of the class library
// (CNoTrackObject, CThreadLocal, CProcessLocal).
#pragma once

#include <afx.h>

// A kernel object to wait for. A handle that could not be created stays
// NULL, and then Lock fails.
class CSyncObject : public CObject
{
    DECLARE_DYNAMIC(CSyncObject)
public:
    explicit CSyncObject(LPCTSTR pstrName);
    virtual ~CSyncObject();

    operator HANDLE() const
    {
        return m_hObject;
    }

    // TRUE when the object was signalled (an abandoned mutex counts) within
    // the time-out.
    virtual BOOL Lock(DWORD dwTimeout = INFINITE);
    virtual BOOL Unlock() = 0;
    virtual BOOL Unlock(LONG lCount, LPLONG lpPrevCount = NULL);

    HANDLE m_hObject;
};

class CCriticalSection : public CSyncObject
{
    DECLARE_DYNAMIC(CCriticalSection)
public:
    CCriticalSection();
    virtual ~CCriticalSection();

    operator CRITICAL_SECTION*()
    {
        return &m_sect;
    }

    BOOL Lock();
    // A critical section has no time-out: this waits as long as Lock().
    BOOL Lock(DWORD dwTimeout) override;
    BOOL Unlock() override;

    CRITICAL_SECTION m_sect;
};

class CMutex : public CSyncObject
{
    DECLARE_DYNAMIC(CMutex)
public:
    explicit CMutex(BOOL bInitiallyOwn = FALSE, LPCTSTR lpszName = NULL, LPSECURITY_ATTRIBUTES lpsaAttribute = NULL);
    virtual ~CMutex();

    BOOL Unlock() override;
};

class CEvent : public CSyncObject
{
    DECLARE_DYNAMIC(CEvent)
public:
    explicit CEvent(BOOL bInitiallyOwn = FALSE, BOOL bManualReset = FALSE, LPCTSTR lpszName = NULL,
                    LPSECURITY_ATTRIBUTES lpsaAttribute = NULL);
    virtual ~CEvent();

    BOOL SetEvent();
    BOOL PulseEvent();
    BOOL ResetEvent();
    BOOL Unlock() override;
};

// Holds one synchronisation object for a scope: unlocks it when destroyed.
class CSingleLock
{
public:
    explicit CSingleLock(CSyncObject* pObject, BOOL bInitialLock = FALSE);
    ~CSingleLock();
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;

    BOOL Lock(DWORD dwTimeOut = INFINITE);
    BOOL Unlock();
    BOOL Unlock(LONG lCount, LPLONG lPrevCount = NULL);
    BOOL IsLocked() const
    {
        return m_bAcquired;
    }

protected:
    CSyncObject* m_pObject;
    HANDLE m_hObject;
    BOOL m_bAcquired;
};

// Base of the per-thread and per-process objects: allocated zero-filled
// outside the class library's tracked heap.
class CNoTrackObject
{
public:
    void* operator new(size_t nSize);
    void operator delete(void* p);
    virtual ~CNoTrackObject() = default;
};

// One object per thread, made on first use by that thread and deleted when
// the thread ends (or when the CThreadLocal itself goes). Needs no run-time
// construction, so it can be used from static constructors.
class CThreadLocalObject
{
public:
    constexpr CThreadLocalObject() noexcept = default;
    ~CThreadLocalObject();
    CThreadLocalObject(const CThreadLocalObject&) = delete;
    CThreadLocalObject& operator=(const CThreadLocalObject&) = delete;

    CNoTrackObject* GetData(CNoTrackObject*(AFXAPI* pfnCreateObject)());
    // The calling thread's object, or NULL when it has none yet.
    CNoTrackObject* GetDataNA();

private:
    DWORD Slot();

    // Fiber-local slot + 1; 0 before the first use.
    volatile LONG m_nSlot = 0;
};

template <class TYPE>
class CThreadLocal : public CThreadLocalObject
{
public:
    constexpr CThreadLocal() noexcept = default;

    TYPE* GetData()
    {
        return static_cast<TYPE*>(CThreadLocalObject::GetData(&CreateObject));
    }
    TYPE* GetDataNA()
    {
        return static_cast<TYPE*>(CThreadLocalObject::GetDataNA());
    }
    operator TYPE*()
    {
        return GetData();
    }
    TYPE* operator->()
    {
        return GetData();
    }

    static CNoTrackObject* AFXAPI CreateObject()
    {
        return new TYPE;
    }
};

// One object per process, made on first use and deleted with the
// CProcessLocal (at unload or process end).
class CProcessLocalObject
{
public:
    constexpr CProcessLocalObject() noexcept = default;
    ~CProcessLocalObject();
    CProcessLocalObject(const CProcessLocalObject&) = delete;
    CProcessLocalObject& operator=(const CProcessLocalObject&) = delete;

    CNoTrackObject* GetData(CNoTrackObject*(AFXAPI* pfnCreateObject)());
    // The object, or NULL when none was made yet.
    CNoTrackObject* GetDataNA() const;

private:
    CNoTrackObject* volatile m_pObject = nullptr;
};

template <class TYPE>
class CProcessLocal : public CProcessLocalObject
{
public:
    constexpr CProcessLocal() noexcept = default;

    TYPE* GetData()
    {
        return static_cast<TYPE*>(CProcessLocalObject::GetData(&CreateObject));
    }
    TYPE* GetDataNA()
    {
        return static_cast<TYPE*>(CProcessLocalObject::GetDataNA());
    }
    operator TYPE*()
    {
        return GetData();
    }
    TYPE* operator->()
    {
        return GetData();
    }

    static CNoTrackObject* AFXAPI CreateObject()
    {
        return new TYPE;
    }
};

#define THREAD_LOCAL(class_name, ident_name) CThreadLocal<class_name> ident_name;
#define EXTERN_THREAD_LOCAL(class_name, ident_name) extern CThreadLocal<class_name> ident_name;
#define PROCESS_LOCAL(class_name, ident_name) CProcessLocal<class_name> ident_name;
#define EXTERN_PROCESS_LOCAL(class_name, ident_name) extern CProcessLocal<class_name> ident_name;
