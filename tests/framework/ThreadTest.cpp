// Threads, synchronisation objects and per-thread objects.
#include <afxwin.h>

#include <gtest/gtest.h>

#include <process.h>

namespace
{

struct WorkerData
{
    volatile LONG nRuns = 0;
    CWinThread* pExpectedThread = NULL;
    volatile LONG bSawItself = 0;
};

UINT __cdecl CountingProc(LPVOID pParam)
{
    WorkerData* pData = static_cast<WorkerData*>(pParam);
    InterlockedIncrement(&pData->nRuns);
    pData->bSawItself = AfxGetThread() == pData->pExpectedThread;
    return 42;
}

UINT __cdecl ThrowingProc(LPVOID)
{
    AfxThrowMemoryException();
}

UINT __cdecl EndingProc(LPVOID pParam)
{
    AfxEndThread(5);
    *static_cast<bool*>(pParam) = true;
    return 0;
}

DWORD WaitAndGetExitCode(HANDLE hThread)
{
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(hThread, 10000));
    DWORD dwExitCode = 0;
    GetExitCodeThread(hThread, &dwExitCode);
    return dwExitCode;
}

HANDLE DuplicateThreadHandle(HANDLE hThread)
{
    HANDLE hDuplicate = NULL;
    DuplicateHandle(GetCurrentProcess(), hThread, GetCurrentProcess(), &hDuplicate, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    return hDuplicate;
}

// A user-interface thread that counts its destructions and quits at once
// unless told to run its message loop.
class CProbeThread : public CWinThread
{
    DECLARE_DYNCREATE(CProbeThread)
public:
    ~CProbeThread() override
    {
        InterlockedIncrement(&s_nDestroyed);
    }
    BOOL InitInstance() override
    {
        MSG msg;
        PeekMessageW(&msg, NULL, 0, 0, PM_NOREMOVE); // make the message queue
        SetEvent(s_hReady);
        return s_bRunLoop;
    }
    int ExitInstance() override
    {
        return s_bRunLoop ? CWinThread::ExitInstance() : 3;
    }

    static volatile LONG s_nDestroyed;
    static bool s_bRunLoop;
    static HANDLE s_hReady;
};

IMPLEMENT_DYNCREATE(CProbeThread, CWinThread)

volatile LONG CProbeThread::s_nDestroyed = 0;
bool CProbeThread::s_bRunLoop = false;
HANDLE CProbeThread::s_hReady = NULL;

} // namespace

TEST(AfxBeginThread, SuspendedThreadRunsAfterResume)
{
    WorkerData data;
    CWinThread* pThread = AfxBeginThread(CountingProc, &data, THREAD_PRIORITY_BELOW_NORMAL, 256 * 1024,
                                         CREATE_SUSPENDED);
    ASSERT_NE(nullptr, pThread);
    EXPECT_NE(nullptr, pThread->m_hThread);
    EXPECT_NE(0u, pThread->m_nThreadID);
    EXPECT_EQ(THREAD_PRIORITY_BELOW_NORMAL, pThread->GetThreadPriority());
    pThread->m_bAutoDelete = FALSE;
    data.pExpectedThread = pThread;

    Sleep(50);
    EXPECT_EQ(0, data.nRuns);
    EXPECT_EQ(1u, pThread->SuspendThread());
    EXPECT_EQ(2u, pThread->ResumeThread());
    EXPECT_EQ(1u, pThread->ResumeThread());
    EXPECT_EQ(42u, WaitAndGetExitCode(pThread->m_hThread));
    EXPECT_EQ(1, data.nRuns);
    EXPECT_TRUE(data.bSawItself);
    delete pThread;
}

TEST(AfxBeginThread, RunningThreadAndForeignThreads)
{
    EXPECT_EQ(nullptr, AfxGetThread());
    WorkerData data;
    CWinThread* pThread = AfxBeginThread(CountingProc, &data, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(nullptr, pThread);
    HANDLE hThread = DuplicateThreadHandle(pThread->m_hThread);
    pThread->ResumeThread(); // auto-deleting from here on
    EXPECT_EQ(42u, WaitAndGetExitCode(hThread));
    CloseHandle(hThread);
    EXPECT_EQ(1, data.nRuns);
    EXPECT_EQ(nullptr, AfxBeginThread(static_cast<AFX_THREADPROC>(NULL), NULL));
}

TEST(AfxBeginThread, AutoDeleteRemovesTheObject)
{
    CProbeThread::s_bRunLoop = false;
    CProbeThread::s_hReady = CreateEventW(NULL, TRUE, FALSE, NULL);
    LONG nBefore = CProbeThread::s_nDestroyed;
    CWinThread* pThread = AfxBeginThread(RUNTIME_CLASS(CProbeThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(nullptr, pThread);
    EXPECT_TRUE(pThread->m_bAutoDelete);
    HANDLE hThread = DuplicateThreadHandle(pThread->m_hThread);
    pThread->ResumeThread();
    EXPECT_EQ(3u, WaitAndGetExitCode(hThread));
    CloseHandle(hThread);
    CloseHandle(CProbeThread::s_hReady);
    EXPECT_EQ(nBefore + 1, CProbeThread::s_nDestroyed);
    EXPECT_EQ(nullptr, AfxBeginThread(RUNTIME_CLASS(CObject)));
}

TEST(AfxBeginThread, UserInterfaceThreadRunsItsMessageLoop)
{
    CProbeThread::s_bRunLoop = true;
    CProbeThread::s_hReady = CreateEventW(NULL, TRUE, FALSE, NULL);
    CWinThread* pThread = AfxBeginThread(RUNTIME_CLASS(CProbeThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(nullptr, pThread);
    pThread->m_bAutoDelete = FALSE;
    pThread->ResumeThread();
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(CProbeThread::s_hReady, 10000));
    EXPECT_TRUE(pThread->PostThreadMessage(WM_QUIT, 7, 0));
    EXPECT_EQ(7u, WaitAndGetExitCode(pThread->m_hThread));
    delete pThread;
    CloseHandle(CProbeThread::s_hReady);
}

TEST(AfxBeginThread, ExceptionsAndAfxEndThreadEndOnlyTheThread)
{
    CWinThread* pThrowing = AfxBeginThread(ThrowingProc, NULL, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(nullptr, pThrowing);
    pThrowing->m_bAutoDelete = FALSE;
    pThrowing->ResumeThread();
    EXPECT_EQ(static_cast<DWORD>(-1), WaitAndGetExitCode(pThrowing->m_hThread));
    delete pThrowing;

    bool bRanOn = false;
    CWinThread* pEnding = AfxBeginThread(EndingProc, &bRanOn, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(nullptr, pEnding);
    pEnding->m_bAutoDelete = FALSE;
    pEnding->ResumeThread();
    EXPECT_EQ(5u, WaitAndGetExitCode(pEnding->m_hThread));
    EXPECT_FALSE(bRanOn);
    delete pEnding;
}

namespace
{

struct LockedCounter
{
    CCriticalSection section;
    long nValue = 0;
};

UINT __cdecl IncrementProc(LPVOID pParam)
{
    LockedCounter* pCounter = static_cast<LockedCounter*>(pParam);
    for (int i = 0; i < 20000; ++i)
    {
        CSingleLock lock(&pCounter->section, TRUE);
        long nValue = pCounter->nValue;
        if (i % 1000 == 0)
            Sleep(0);
        pCounter->nValue = nValue + 1;
    }
    return 0;
}

UINT __cdecl TryLockProc(LPVOID pParam)
{
    CSingleLock lock(static_cast<CSyncObject*>(pParam));
    return lock.Lock(0) ? 1 : 0;
}

UINT __cdecl AbandonProc(LPVOID pParam)
{
    static_cast<CSyncObject*>(pParam)->Lock();
    return 0;
}

UINT RunAndWait(AFX_THREADPROC pfn, LPVOID pParam)
{
    CWinThread* pThread = AfxBeginThread(pfn, pParam, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    pThread->m_bAutoDelete = FALSE;
    pThread->ResumeThread();
    UINT nResult = WaitAndGetExitCode(pThread->m_hThread);
    delete pThread;
    return nResult;
}

} // namespace

TEST(CCriticalSection, SerialisesThreads)
{
    LockedCounter counter;
    CWinThread* pThreads[3];
    for (CWinThread*& pThread : pThreads)
    {
        pThread = AfxBeginThread(IncrementProc, &counter, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
        pThread->m_bAutoDelete = FALSE;
    }
    for (CWinThread* pThread : pThreads)
        pThread->ResumeThread();
    for (CWinThread* pThread : pThreads)
    {
        WaitAndGetExitCode(pThread->m_hThread);
        delete pThread;
    }
    EXPECT_EQ(60000, counter.nValue);
}

TEST(CMutex, LockUnlockAndAbandonment)
{
    CMutex mutex(FALSE, NULL);
    ASSERT_NE(nullptr, mutex.m_hObject);
    {
        CSingleLock lock(&mutex, TRUE);
        EXPECT_TRUE(lock.IsLocked());
        EXPECT_EQ(0u, RunAndWait(TryLockProc, &mutex));
    }
    EXPECT_EQ(1u, RunAndWait(TryLockProc, &mutex));

    // A mutex whose owner ended without releasing it is still acquired.
    RunAndWait(AbandonProc, &mutex);
    CSingleLock lock(&mutex);
    EXPECT_TRUE(lock.Lock(0));
    EXPECT_TRUE(lock.Unlock());
    EXPECT_FALSE(lock.IsLocked());
}

TEST(CEvent, AutoAndManualReset)
{
    CEvent autoEvent;
    EXPECT_FALSE(autoEvent.Lock(0));
    autoEvent.SetEvent();
    EXPECT_TRUE(autoEvent.Lock(0));
    EXPECT_FALSE(autoEvent.Lock(0));

    CEvent manualEvent(TRUE, TRUE);
    EXPECT_TRUE(manualEvent.Lock(0));
    EXPECT_TRUE(manualEvent.Lock(0));
    manualEvent.ResetEvent();
    EXPECT_FALSE(manualEvent.Lock(0));
}

namespace
{

struct CCountedState : public CNoTrackObject
{
    ~CCountedState() override
    {
        InterlockedIncrement(&s_nDeleted);
    }
    int m_nValue;
    static volatile LONG s_nDeleted;
};

volatile LONG CCountedState::s_nDeleted = 0;

CThreadLocal<CCountedState> g_threadState;
CProcessLocal<CCountedState> g_processState;

UINT __cdecl UseThreadStateProc(LPVOID pParam)
{
    CCountedState* pState = g_threadState.GetData();
    *static_cast<bool*>(pParam) = pState != g_threadState.GetDataNA() || pState->m_nValue != 0;
    pState->m_nValue = 2;
    return g_processState->m_nValue;
}

} // namespace

TEST(CThreadLocal, OneZeroedObjectPerThreadDeletedWithTheThread)
{
    CCountedState* pMainState = g_threadState.GetData();
    EXPECT_EQ(pMainState, g_threadState.GetDataNA());
    pMainState->m_nValue = 1;
    g_processState->m_nValue = 9;
    LONG nDeletedBefore = CCountedState::s_nDeleted;

    bool bWrong = true;
    EXPECT_EQ(9u, RunAndWait(UseThreadStateProc, &bWrong));
    EXPECT_FALSE(bWrong);
    EXPECT_EQ(nDeletedBefore + 1, CCountedState::s_nDeleted);
    EXPECT_EQ(pMainState, g_threadState.GetData());
    EXPECT_EQ(1, pMainState->m_nValue);
}

TEST(CThreadLocal, ObjectsGoWithTheThreadLocal)
{
    LONG nDeletedBefore = CCountedState::s_nDeleted;
    {
        CThreadLocal<CCountedState> local;
        EXPECT_EQ(0, local->m_nValue);
        CProcessLocal<CCountedState> process;
        EXPECT_EQ(nullptr, process.GetDataNA());
        CCountedState* pMade = process.GetData();
        EXPECT_EQ(pMade, process.GetDataNA());
    }
    EXPECT_EQ(nDeletedBefore + 2, CCountedState::s_nDeleted);
}

namespace
{

// A user-interface thread whose loop counts the messages it pumped, and
// whose PreTranslateMessage takes the messages of one number.
class CPumpCountingThread : public CWinThread
{
    DECLARE_DYNCREATE(CPumpCountingThread)
public:
    BOOL InitInstance() override
    {
        MSG msg;
        PeekMessageW(&msg, NULL, 0, 0, PM_NOREMOVE);
        SetEvent(s_hReady);
        return TRUE;
    }
    BOOL PumpMessage() override
    {
        BOOL bMore = CWinThread::PumpMessage();
        if (bMore)
            InterlockedIncrement(&s_nPumped);
        return bMore;
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_APP + 1)
            InterlockedIncrement(&s_nPreTranslated);
        return pMsg->message == WM_APP + 1;
    }

    static volatile LONG s_nPumped;
    static volatile LONG s_nPreTranslated;
    static HANDLE s_hReady;
};

IMPLEMENT_DYNCREATE(CPumpCountingThread, CWinThread)

volatile LONG CPumpCountingThread::s_nPumped = 0;
volatile LONG CPumpCountingThread::s_nPreTranslated = 0;
HANDLE CPumpCountingThread::s_hReady = NULL;

LRESULT CALLBACK CountingWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP + 2)
        ++*reinterpret_cast<int*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

} // namespace

TEST(PumpMessage, TheThreadLoopPumpsThroughPumpMessage)
{
    CPumpCountingThread::s_hReady = CreateEventW(NULL, TRUE, FALSE, NULL);
    CPumpCountingThread::s_nPumped = 0;
    CPumpCountingThread::s_nPreTranslated = 0;
    CWinThread* pThread = AfxBeginThread(RUNTIME_CLASS(CPumpCountingThread), THREAD_PRIORITY_NORMAL, 0,
                                         CREATE_SUSPENDED);
    ASSERT_NE(nullptr, pThread);
    pThread->m_bAutoDelete = FALSE;
    pThread->ResumeThread();
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(CPumpCountingThread::s_hReady, 10000));
    for (int i = 0; i < 3; ++i)
        pThread->PostThreadMessage(WM_APP + 1, 0, 0);
    pThread->PostThreadMessage(WM_QUIT, 9, 0);
    EXPECT_EQ(9u, WaitAndGetExitCode(pThread->m_hThread));
    EXPECT_EQ(3, CPumpCountingThread::s_nPumped) << "the quit is not counted";
    EXPECT_EQ(3, CPumpCountingThread::s_nPreTranslated);
    delete pThread;
    CloseHandle(CPumpCountingThread::s_hReady);
}

struct PlainPumpResult
{
    BOOL first = FALSE;
    BOOL quit = TRUE;
    int dispatched = 0;
    bool hadThreadObject = true;
};

static unsigned __stdcall PlainPumpThread(void* pParam)
{
    PlainPumpResult* pResult = static_cast<PlainPumpResult*>(pParam);
    pResult->hadThreadObject = AfxGetThread() != NULL;
    int count = 0;
    HWND hWnd = CreateWindowExW(0, L"PumpCountingWindow", L"", WS_POPUP, 0, 0, 10, 10, NULL, NULL,
                                GetModuleHandleW(NULL), NULL);
    SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&count));
    PostMessageW(hWnd, WM_APP + 2, 0, 0);
    pResult->first = AfxPumpMessage();
    PostQuitMessage(0);
    pResult->quit = AfxPumpMessage();
    pResult->dispatched = count;
    DestroyWindow(hWnd);
    return 0;
}

// A thread without a CWinThread pumps plainly: messages are dispatched to
// their windows, and WM_QUIT answers FALSE.
TEST(PumpMessage, AThreadWithoutAThreadObjectPumpsPlainly)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = CountingWndProc;
    wc.hInstance = GetModuleHandleW(NULL);
    wc.lpszClassName = L"PumpCountingWindow";
    RegisterClassW(&wc);
    PlainPumpResult result;
    HANDLE hThread = reinterpret_cast<HANDLE>(_beginthreadex(NULL, 0, &PlainPumpThread, &result, 0, NULL));
    ASSERT_NE(nullptr, hThread);
    EXPECT_EQ(0u, WaitAndGetExitCode(hThread));
    CloseHandle(hThread);
    EXPECT_FALSE(result.hadThreadObject);
    EXPECT_TRUE(result.first);
    EXPECT_FALSE(result.quit);
    EXPECT_EQ(1, result.dispatched);
}
