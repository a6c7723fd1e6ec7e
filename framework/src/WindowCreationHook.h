// Attaching a window to its CWnd from its very first message.
#pragma once

#include "AfxThreadState.h"

// Attaches the next window the thread creates to pWnd, before its first
// message; the hook goes once the creating call returns.
class CWindowCreationHook
{
public:
    explicit CWindowCreationHook(CWnd* pWnd);
    ~CWindowCreationHook();
    CWindowCreationHook(const CWindowCreationHook&) = delete;
    CWindowCreationHook& operator=(const CWindowCreationHook&) = delete;

private:
    AFX_THREAD_STATE* m_pState;
    // What an enclosing creation (one made inside WM_CREATE) had set.
    HHOOK m_hPreviousHook;
    CWnd* m_pPreviousWndInit;
};
