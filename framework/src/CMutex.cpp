#include <afxmt.h>

IMPLEMENT_DYNAMIC(CMutex, CSyncObject)

CMutex::CMutex(BOOL bInitiallyOwn, LPCTSTR lpszName, LPSECURITY_ATTRIBUTES lpsaAttribute) : CSyncObject(lpszName)
{
    m_hObject = ::CreateMutexW(lpsaAttribute, bInitiallyOwn, lpszName);
}

CMutex::~CMutex() = default;

BOOL CMutex::Unlock()
{
    return ::ReleaseMutex(m_hObject);
}
