#include "AfxThreadState.h"

namespace
{

struct AFX_THREAD_STATE : public CNoTrackObject
{
    CWinThread* m_pCurrentWinThread;
};

THREAD_LOCAL(AFX_THREAD_STATE, _afxThreadState)

} // namespace

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
