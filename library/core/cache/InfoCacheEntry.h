#pragma once
#include <atltime.h>
#include <atomic>
#include <mutex>
#include <cstdint>
#include "records/DrawData.h"

class CInfoCache;
class CJwCADBase;

// One drawing of the info cache: its request record (whose doc it owns once
// the cache has given it a reader), its last use and the file's time at the
// last load.
class CInfoCacheEntry : public DrawData {
public:
    CInfoCacheEntry();

    // The load driver: loads the file path into the entry's reader on a
    // worker thread, created suspended and waited for, so the caller sees
    // the load as synchronous. True whenever the thread ran, even when the
    // load failed; the layer mask then holds the layers read before the
    // failure. False without a reader or a thread.
    bool Reload(const wchar_t* path, HWND progress);
    // Asks the load of this entry to stop, from another thread: a load that
    // runs stops early, one that has not begun yet starts cancelled.
    void CancelLoad();
    // Stops only the load that runs now: the entry stays loadable, and a
    // later request with a progress window loads the unfinished drawing again.
    void StopRunningLoad();

    // Whether the entry holds no view worth remembering: it is marked to
    // show the whole drawing, or its view is the untouched one (scale 256,
    // both origins 0). Such entries are evicted first and never saved.
    bool KeepsNoView() const;

    // Held while the entry's reader draws: a reader keeps its view and its
    // render state in itself, so two threads (a preview and a thumbnail
    // export) must never draw one drawing at once.
    std::mutex& RenderLock() { return m_renderLock; }

    int32_t lastUse;  // seconds since 1970 (UTC)
    CTime fileTime;   // the file's modification time at the last load

private:
    friend class CInfoCache;

    // Clears the reader's cancel flag for a new load unless a cancel was
    // already asked for.
    void StartCancellable();

    // Kept by the cache under its lock: an entry that someone uses (pins) or
    // loads is never deleted; one taken out of the map while in use
    // (detached) goes when its last user lets it go.
    int m_pins = 0;
    bool m_loading = false;
    bool m_detached = false;

    // Set once by CancelLoad; never cleared, as a cancelled entry is never
    // loaded again.
    std::atomic<bool> m_cancelRequested{false};
    // The reader while Reload runs its load, so that CancelLoad reaches it
    // without touching doc, which the loading thread may be setting.
    std::atomic<CJwCADBase*> m_loadingReader{nullptr};
    std::mutex m_renderLock;
};
