#include "app/Direct2DProbe.h"
#include "foundation/base/KvoSystemVersion.h"
#include "render/d2d/D2DrawCore.h"

CDirect2DProbe::CDirect2DProbe() : m_once(INIT_ONCE_STATIC_INIT), m_usable(false) {}

bool CDirect2DProbe::IsUsable()
{
    InitOnceExecuteOnce(&m_once, RunOnce, this, nullptr);
    return m_usable;
}

BOOL CALLBACK CDirect2DProbe::RunOnce(INIT_ONCE*, void* probe, void**)
{
    static_cast<CDirect2DProbe*>(probe)->m_usable = Probe();
    return TRUE;
}

bool CDirect2DProbe::Probe()
{
    CKvoSystemVersion* version = CKvoSystemVersion::Instance();
    if (!version || !version->IsWin7OrGreater())
        return false;
    bool usable = false;
    HANDLE thread = CreateThread(nullptr, 0, ProbeThread, &usable, 0, nullptr);
    if (!thread)
        return false;
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    return usable;
}

DWORD WINAPI CDirect2DProbe::ProbeThread(void* usable)
{
    CD2DrawCore core;
    *static_cast<bool*>(usable) = core.Init();
    return 0;
}
