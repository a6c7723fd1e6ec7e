// The preview window's exports. The preview dialog itself is still to come:
// until then no preview window is made.
#include "exports/TavrenaExports.h"
#include "app/TavrenaApp.h"
#include "exports/ExclusiveLock.h"

HWND PreViewDlg(const wchar_t*, const RECT&, HWND)
{
    return nullptr;
}

// Keeps the views of the previewed drawings in the info cache file.
void SavePreView()
{
    CExclusiveLock lock;
    if (lock.IsHeld())
        theApp.m_infoCache.Save(nullptr);
}
