// The calling thread's framework state: which CWinThread it runs.
#pragma once

#include <afxwin.h>

void AfxSetCurrentThread(CWinThread* pThread);
// Forgets pThread as the calling thread's CWinThread, if it is.
void AfxForgetCurrentThread(CWinThread* pThread);
