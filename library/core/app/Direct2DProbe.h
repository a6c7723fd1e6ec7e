#pragma once
#include <windows.h>

// Whether Direct2D can draw here: on Windows 7 and later, a temporary
// Direct2D core must make its factories. Asked lazily and answered once,
// never while the loader lock is held, and on a thread of its own so the
// answer does not depend on the COM apartment of whoever asks first.
class CDirect2DProbe {
public:
    CDirect2DProbe();
    CDirect2DProbe(const CDirect2DProbe&) = delete;
    CDirect2DProbe& operator=(const CDirect2DProbe&) = delete;

    bool IsUsable();

private:
    static BOOL CALLBACK RunOnce(INIT_ONCE* once, void* probe, void** context);
    static DWORD WINAPI ProbeThread(void* usable);
    static bool Probe();

    INIT_ONCE m_once;
    bool m_usable;
};
