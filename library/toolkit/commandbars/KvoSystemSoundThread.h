#pragma once
#include <windows.h>
#include <afxmt.h>

// The menu sounds of the sound scheme.
enum KvoSystemSound {
    KvoSoundNone = 0,
    KvoSoundMenuCommand = 1,
    KvoSoundMenuPopup = 2,
};

// Plays the menu sounds on one worker thread of below-normal priority, so
// that the UI thread never waits for the sound device. The worker starts on
// the first request and stops with the object (at process exit for the
// process's one object).
class CKvoSystemSoundThread {
public:
    // How a sound is played; PlaySoundW, or a stand-in of the tests.
    typedef BOOL(WINAPI* PlaySoundFunction)(LPCWSTR sound, HMODULE module, DWORD flags);

    explicit CKvoSystemSoundThread(PlaySoundFunction playSound = nullptr);
    ~CKvoSystemSoundThread();
    CKvoSystemSoundThread(const CKvoSystemSoundThread&) = delete;
    CKvoSystemSoundThread& operator=(const CKvoSystemSoundThread&) = delete;

    // The process's one object, made on the first call; it stops its
    // worker at exit.
    static CKvoSystemSoundThread* Instance();

    // Asks for sound; a request the worker has not taken yet is replaced.
    void PlaySystemSound(int sound);
    // Stops the worker. It gets about a second to finish its sound; TRUE
    // when it left its loop within that time (also when none ran), FALSE
    // when it had to be terminated.
    BOOL StopThread();

    BOOL IsRunning() const { return m_hThread != nullptr; }
    BOOL IsEnabled() const { return m_bEnabled; }
    void SetEnabled(BOOL enabled) { m_bEnabled = enabled; }

private:
    static DWORD WINAPI ThreadProc(LPVOID self);
    // The worker's loop: plays requests until asked to stop.
    void Run();
    void StartThread();
    void CloseEvents();

    volatile LONG m_nPendingSound;
    BOOL m_bEnabled;
    HANDLE m_hThread;
    volatile LONG m_bStopRequest;
    // Set by the worker when it has left its loop: a stop made under the
    // loader lock cannot wait for the thread itself to end.
    HANDLE m_hLoopLeft;
    PlaySoundFunction m_playSound;
    CCriticalSection m_startLock; // two threads' first requests start one worker
};
