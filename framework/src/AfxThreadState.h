// The framework's own use of the thread state (<afxstat_.h>).
#pragma once

#include <afxstat_.h>

void AfxSetCurrentThread(CWinThread* pThread);
// Forgets pThread as the calling thread's CWinThread, if it is.
void AfxForgetCurrentThread(CWinThread* pThread);
