#include "commandbars/KvoSystemSoundThread.h"
#include <mmsystem.h>

namespace {
// What the worker plays: a scheme alias, synchronously, nothing when the
// scheme has no sound for it.
const DWORD kSoundFlags = SND_ALIAS | SND_NOWAIT | SND_NODEFAULT;
// The worker looks for a request this often.
const DWORD kPollMilliseconds = 5;
// The stop waits this many times this long before it terminates the worker.
const int kStopAttempts = 10;
const DWORD kStopWaitMilliseconds = 100;

LPCWSTR SoundAlias(LONG sound)
{
    switch (sound) {
    case KvoSoundMenuCommand:
        return L"MenuCommand";
    case KvoSoundMenuPopup:
        return L"MenuPopup";
    default:
        return nullptr;
    }
}
}  // namespace

CKvoSystemSoundThread::CKvoSystemSoundThread(PlaySoundFunction playSound)
    : m_nPendingSound(KvoSoundNone), m_bEnabled(TRUE), m_hThread(nullptr), m_bStopRequest(FALSE),
      m_hLoopLeft(nullptr), m_playSound(playSound ? playSound : ::PlaySoundW)
{
}

CKvoSystemSoundThread::~CKvoSystemSoundThread()
{
    StopThread();
}

CKvoSystemSoundThread* CKvoSystemSoundThread::Instance()
{
    static CKvoSystemSoundThread instance;
    return &instance;
}

void CKvoSystemSoundThread::PlaySystemSound(int sound)
{
    if (!m_bEnabled)
        return;
    if (!m_hThread) {
        CSingleLock lock(&m_startLock, TRUE);
        if (!m_hThread)
            StartThread();
    }
    ::InterlockedExchange(&m_nPendingSound, sound);
}

void CKvoSystemSoundThread::StartThread()
{
    m_nPendingSound = KvoSoundNone;
    m_bStopRequest = FALSE;
    m_hLoopLeft = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!m_hLoopLeft)
        return;
    HANDLE thread = ::CreateThread(nullptr, 0, ThreadProc, this, CREATE_SUSPENDED, nullptr);
    if (!thread) {
        CloseEvents();
        return;
    }
    ::SetThreadPriority(thread, THREAD_PRIORITY_BELOW_NORMAL);
    ::InterlockedExchangePointer(&m_hThread, thread);
    ::ResumeThread(thread);
}

void CKvoSystemSoundThread::CloseEvents()
{
    if (m_hLoopLeft)
        ::CloseHandle(m_hLoopLeft);
    m_hLoopLeft = nullptr;
}

DWORD WINAPI CKvoSystemSoundThread::ThreadProc(LPVOID self)
{
    CKvoSystemSoundThread* sounds = static_cast<CKvoSystemSoundThread*>(self);
    sounds->Run();
    // Once the event is set the stopping thread may unload this module:
    // end here, in the system's code, without returning into it.
    ::SetEvent(sounds->m_hLoopLeft);
    ::ExitThread(0);
}

void CKvoSystemSoundThread::Run()
{
    while (!::InterlockedCompareExchange(&m_bStopRequest, 0, 0)) {
        LONG sound = ::InterlockedCompareExchange(&m_nPendingSound, 0, 0);
        if (LPCWSTR alias = SoundAlias(sound)) {
            m_playSound(alias, nullptr, kSoundFlags);
            // A request made while the sound played is dropped.
            ::InterlockedExchange(&m_nPendingSound, KvoSoundNone);
        }
        ::Sleep(kPollMilliseconds);
    }
    m_playSound(nullptr, nullptr, SND_PURGE);
}

BOOL CKvoSystemSoundThread::StopThread()
{
    if (!m_hThread)
        return TRUE;
    ::InterlockedExchange(&m_bStopRequest, TRUE);
    // Either the loop-left event or the thread's end: under the loader lock
    // only the event can come, and at process exit the thread may already
    // be gone without setting it.
    const HANDLE ends[] = {m_hLoopLeft, m_hThread};
    BOOL ended = FALSE;
    for (int attempt = 0; attempt < kStopAttempts && !ended; ++attempt)
        ended = ::WaitForMultipleObjects(2, ends, FALSE, kStopWaitMilliseconds) != WAIT_TIMEOUT;
    if (!ended)
        ::TerminateThread(m_hThread, 0);
    ::CloseHandle(m_hThread);
    m_hThread = nullptr;
    CloseEvents();
    return ended;
}
