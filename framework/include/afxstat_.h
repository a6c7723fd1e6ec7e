// The calling thread's framework state: which CWinThread it runs, and what
// its window procedures need between calls. A window procedure outside the
// framework that hands messages to framework objects (a subclassing hook)
// sets m_lastSentMsg for the duration of its call, as AfxWndProc does.
#pragma once

#include <afxwin.h>

struct AFX_THREAD_STATE : public CNoTrackObject
{
    CWinThread* m_pCurrentWinThread;
    // The message the thread's innermost window procedure is handling.
    MSG m_lastSentMsg;
    // The window that the next window the thread creates is attached to,
    // and the hook that attaches it.
    CWnd* m_pWndInit;
    HHOOK m_hHookOldCbtFilter;
    // The class name AfxRegisterWndClass returned last.
    wchar_t m_szClassName[96];
};

AFX_THREAD_STATE* AfxGetThreadState();
