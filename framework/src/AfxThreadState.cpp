#include "AfxThreadState.h"

namespace
{

THREAD_LOCAL(AFX_THREAD_STATE, _afxThreadState)

} // namespace

AFX_THREAD_STATE* AfxGetThreadState()
{
    return _afxThreadState.GetData();
}

void AfxSetCurrentThread(CWinThread* pThread)
{
    _afxThreadState->m_pCurrentWinThread = pThread;
}

void AfxForgetCurrentThread(CWinThread* pThread)
{
    AFX_THREAD_STATE* pState = _afxThreadState.GetDataNA();
    if (pState != NULL && pState->m_pCurrentWinThread == pThread)
        pState->m_pCurrentWinThread = NULL;
}

CWinThread* AFXAPI AfxGetThread()
{
    AFX_THREAD_STATE* pState = _afxThreadState.GetDataNA();
    return pState != NULL ? pState->m_pCurrentWinThread : NULL;
}
