#include <afxwin.h>

#include <process.h>

#include "AfxThreadState.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)
IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

CCmdTarget::CCmdTarget() = default;

CCmdTarget::~CCmdTarget() = default;

CWinThread::CWinThread() : CWinThread(NULL, NULL)
{
}

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_pMainWnd(NULL), m_pActiveWnd(NULL), m_bAutoDelete(TRUE), m_hThread(NULL), m_nThreadID(0), m_msgCur(),
      m_pThreadParams(pParam), m_pfnThreadProc(pfnThreadProc)
{
}

CWinThread::~CWinThread()
{
    if (m_hThread != NULL)
        ::CloseHandle(m_hThread);
    AfxForgetCurrentThread(this);
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (m_hThread != NULL)
        return FALSE;
    // Always start suspended, so the handle and id are stored before the
    // thread runs (and perhaps deletes this object).
    unsigned int nThreadID = 0;
    m_hThread = reinterpret_cast<HANDLE>(::_beginthreadex(lpSecurityAttrs, nStackSize, &ThreadEntry, this,
                                                          dwCreateFlags | CREATE_SUSPENDED, &nThreadID));
    if (m_hThread == NULL)
        return FALSE;
    m_nThreadID = nThreadID;
    if ((dwCreateFlags & CREATE_SUSPENDED) == 0)
        ::ResumeThread(m_hThread);
    return TRUE;
}

unsigned __stdcall CWinThread::ThreadEntry(void* pThread)
{
    CWinThread* pWinThread = static_cast<CWinThread*>(pThread);
    UINT nResult;
    // An exception must not end the host process: the thread ends with -1.
    try
    {
        nResult = pWinThread->RunThread();
    }
    catch (CException* e)
    {
        e->Delete();
        nResult = static_cast<UINT>(-1);
    }
    catch (...)
    {
        nResult = static_cast<UINT>(-1);
    }
    AfxForgetCurrentThread(pWinThread);
    pWinThread->Delete();
    return nResult;
}

UINT CWinThread::RunThread()
{
    AfxSetCurrentThread(this);
    if (m_pfnThreadProc != NULL)
        return m_pfnThreadProc(m_pThreadParams);
    if (!InitInstance())
        return ExitInstance();
    return Run();
}

int CWinThread::GetThreadPriority()
{
    return ::GetThreadPriority(m_hThread);
}

BOOL CWinThread::SetThreadPriority(int nPriority)
{
    return ::SetThreadPriority(m_hThread, nPriority);
}

DWORD CWinThread::SuspendThread()
{
    return ::SuspendThread(m_hThread);
}

DWORD CWinThread::ResumeThread()
{
    return ::ResumeThread(m_hThread);
}

BOOL CWinThread::PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::PostThreadMessageW(m_nThreadID, message, wParam, lParam);
}

BOOL CWinThread::InitInstance()
{
    return FALSE;
}

int CWinThread::Run()
{
    while (PumpMessage())
    {
    }
    return ExitInstance();
}

BOOL CWinThread::PumpMessage()
{
    // GetMessage answers -1 for a bad call: treated as the end, as WM_QUIT.
    if (::GetMessageW(&m_msgCur, NULL, 0, 0) <= 0)
        return FALSE;
    if (!PreTranslateMessage(&m_msgCur))
    {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageW(&m_msgCur);
    }
    return TRUE;
}

BOOL AFXAPI AfxPumpMessage()
{
    if (CWinThread* pThread = AfxGetThread())
        return pThread->PumpMessage();
    MSG msg;
    if (::GetMessageW(&msg, NULL, 0, 0) <= 0)
        return FALSE;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
    return TRUE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    // A thread message has no window to offer it to.
    if (pMsg->hwnd == NULL)
        return FALSE;
    return CWnd::WalkPreTranslateTree(m_pMainWnd->GetSafeHwnd(), pMsg);
}

int CWinThread::ExitInstance()
{
    // The exit code that came with WM_QUIT.
    return static_cast<int>(m_msgCur.wParam);
}

CWnd* CWinThread::GetMainWnd()
{
    return m_pMainWnd;
}

void CWinThread::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

namespace
{

CWinThread* StartThread(CWinThread* pThread, int nPriority, UINT nStackSize, DWORD dwCreateFlags,
                        LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs))
    {
        delete pThread;
        return NULL;
    }
    pThread->SetThreadPriority(nPriority);
    if ((dwCreateFlags & CREATE_SUSPENDED) == 0)
        pThread->ResumeThread();
    return pThread;
}

} // namespace

CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT nStackSize,
                                  DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (pfnThreadProc == NULL)
        return NULL;
    return StartThread(new CWinThread(pfnThreadProc, pParam), nPriority, nStackSize, dwCreateFlags, lpSecurityAttrs);
}

CWinThread* AFXAPI AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority, UINT nStackSize, DWORD dwCreateFlags,
                                  LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (pThreadClass == NULL || !pThreadClass->IsDerivedFrom(RUNTIME_CLASS(CWinThread)))
        return NULL;
    CObject* pObject = pThreadClass->CreateObject();
    if (pObject == NULL)
        return NULL;
    return StartThread(static_cast<CWinThread*>(pObject), nPriority, nStackSize, dwCreateFlags, lpSecurityAttrs);
}

void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete)
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL)
    {
        AfxForgetCurrentThread(pThread);
        if (bDelete)
            pThread->Delete();
    }
    ::_endthreadex(nExitCode);
}
