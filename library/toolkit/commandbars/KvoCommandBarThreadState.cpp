#include "commandbars/KvoCommandBarThreadState.h"

namespace {
// Each slot frees its thread's objects when the thread ends and the rest at
// process exit.
CThreadLocal<CKvoCommandBarTrackingState> g_trackingState;
CThreadLocal<CKvoCommandBarEnteringState> g_enteringState;
}

CKvoCommandBarTrackingState* CKvoCommandBarTrackingState::ForThisThread()
{
    return g_trackingState.GetData();
}

CKvoCommandBarEnteringState* CKvoCommandBarEnteringState::ForThisThread()
{
    return g_enteringState.GetData();
}

CKvoTrackingLoopCount::CKvoTrackingLoopCount() : m_state(CKvoCommandBarTrackingState::ForThisThread())
{
    m_state->m_nTrackingLoops++;
}

CKvoTrackingLoopCount::~CKvoTrackingLoopCount()
{
    m_state->m_nTrackingLoops--;
}
