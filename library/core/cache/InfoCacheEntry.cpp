#include "cache/InfoCacheEntry.h"
#include "reader/JwCADBase.h"
#include <afxwin.h>
#include <algorithm>
#include <iterator>
#include <time.h>

CInfoCacheEntry::CInfoCacheEntry() : lastUse(static_cast<int32_t>(time(nullptr))), fileTime(0) {}

bool CInfoCacheEntry::KeepsNoView() const
{
    const int32_t kUntouchedScale = 256;
    return (flags & DrawFlag::WholeDrawing) || (scale == kUntouchedScale && originX == 0 && originY == 0);
}

bool CInfoCacheEntry::Reload(const wchar_t* path, HWND progress)
{
    if (!doc)
        return false;
    doc->WaitForLoad();
    doc->m_path = path;
    doc->m_progressWnd = progress;
    doc->m_loadState = LoadState::Started;
    doc->m_backColor = GetSysColor(COLOR_WINDOW);

    CWinThread* thread =
        AfxBeginThread(ReadThreadProc, doc, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED, nullptr);
    if (!thread)
        return false;
    thread->m_bAutoDelete = FALSE;
    doc->m_pReadThread = thread;
    StartCancellable();
    thread->ResumeThread();
    doc->WaitForLoad();
    m_loadingReader = nullptr;

    std::copy(std::begin(doc->m_usedLayers), std::end(doc->m_usedLayers), layerMask);
    return true;
}

void CInfoCacheEntry::StopRunningLoad()
{
    if (CJwCADBase* reader = m_loadingReader)
        reader->m_cancel = true;
}

// The reader is published before the request is looked at, and CancelLoad
// sets the request before it looks for the reader: whichever comes second
// sees the other, so a cancel is never lost to the reset of the flag.
void CInfoCacheEntry::StartCancellable()
{
    doc->m_cancel = false;
    m_loadingReader = doc;
    if (m_cancelRequested)
        doc->m_cancel = true;
}

void CInfoCacheEntry::CancelLoad()
{
    m_cancelRequested = true;
    if (CJwCADBase* reader = m_loadingReader)
        reader->m_cancel = true;
}
