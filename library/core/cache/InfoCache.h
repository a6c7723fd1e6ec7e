#pragma once
#include <afx.h>
#include <oleauto.h>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <vector>
#include "cache/InfoCacheEntry.h"
#include "cache/PathKeyLess.h"

struct ZumenLayers;

// The drawings the process has opened, by file path (letter case does not
// count), and the info cache file that remembers their views across
// processes. The preview window's threads and the exports share it, so the
// map is guarded by a lock, and an entry handed out is pinned until its user
// releases it: eviction, Clear and Load never delete an entry that is pinned
// or loading.
class CInfoCache {
public:
    // Available physical memory in bytes; false when it cannot be read.
    using MemoryProbe = bool (*)(ULONGLONG* availableBytes);

    CInfoCache();
    ~CInfoCache();
    CInfoCache(const CInfoCache&) = delete;
    CInfoCache& operator=(const CInfoCache&) = delete;

    // The entry of path, loaded and current (reloaded when the file is newer
    // than at the last load); progress receives WM_DRAWPROGRESS. On true
    // *entry is pinned and stays valid until ReleaseEntry; on false it is
    // null and nothing was added.
    bool GetEntry(const wchar_t* path, CInfoCacheEntry** entry, HWND progress);
    // Stops a load of path that runs now, without loading anything; for a
    // window that closes while its drawing loads.
    void StopLoad(const wchar_t* path);
    // The cached drawing of path gives up its Direct2D core, after a draw
    // of it that runs now; nothing is loaded, and a drawing that loads now
    // keeps its core. For the preview, which keeps the core between its
    // renders and lets it go when it closes.
    void ReleaseRenderCore(const wchar_t* path);
    // Lets go of an entry that GetEntry handed out.
    void ReleaseEntry(CInfoCacheEntry* entry);
    // The preview's view becomes the view of entry (pinned by the caller),
    // which the info cache file keeps; the layer mask stays the entry's.
    // Under the cache's lock, so a save takes either the old view or the
    // new one, never a part of each.
    void KeepView(CInfoCacheEntry* entry, const DrawData& view);

    // Info text and layer table of the cached drawing path. *text is freed
    // and nulled first; on true it holds the new text, which the caller frees.
    bool GetInfoText(const wchar_t* path, ZumenLayers* layers, BSTR* text);
    // ORs into mask (256 bits, cleared by the caller) the layers of path that
    // received entities (by the layer mask of entry) and are shown, in a
    // shown group.
    bool GetLayerMask(const wchar_t* path, DrawData* entry, uint32_t mask[8]);
    // ORs into mask the layers that entry marks used and layers shows, in a
    // shown group.
    static void AddShownLayers(const ZumenLayers& layers, const DrawData& entry, uint32_t mask[8]);

    // A size x size thumbnail of the drawing path, a new bitmap the caller
    // owns; false leaves *bitmap untouched.
    bool MakeThumbnail(int size, const wchar_t* path, HBITMAP* bitmap);

    // Takes every entry out of the cache. Loads still running are cancelled
    // and waited for, so no reader of the cache loads once it returns;
    // entries in use go when their users release them. While the process
    // ends, nothing is waited for (see ClearAtExit).
    void Clear();

    // Empties the cache, then reads the info cache file path (the cache
    // folder's "Quillora.dat" when null) and sweeps the cache folder. False
    // when the file cannot be read; a version this library does not know
    // leaves the cache empty and still counts as read.
    bool Load(const wchar_t* path);
    // Writes the views of the cache and the settings to path (the default
    // file when null): into a temporary ".dat" file that then replaces it, so
    // a failed write leaves the previous file whole.
    bool Save(const wchar_t* path);
    // Reads or writes the file's body; the number of entries read (the count
    // field) or written, -1 for a version that cannot be read.
    int Serialize(CArchive& ar);
    // The daily sweep of generated files from the cache folder; true when it
    // swept.
    bool PurgeFolder();

    // The paths of the cache in key order.
    std::vector<CStringW> GetPaths();
    // Replaces the reading of the free memory; null restores the system's.
    void SetMemoryProbe(MemoryProbe probe);

private:
    using EntryMap = std::map<CStringW, CInfoCacheEntry*, PathKeyLess>;
    using Lock = std::unique_lock<std::mutex>;

    CInfoCacheEntry* Claim(Lock& lock, const wchar_t* path, bool* made);
    bool Refresh(CInfoCacheEntry* entry, const wchar_t* path, const CTime& modified, bool made, HWND progress);
    void Unclaim(CInfoCacheEntry* entry, const wchar_t* path, bool made);
    void MakeRoom();
    bool NeedsRoom();
    EntryMap::iterator ChooseVictim();
    void Discard(CInfoCacheEntry* entry);
    void DiscardAll();
    std::vector<CInfoCacheEntry*> CancelLoads();
    void ClearAtExit();
    void Unpin(CInfoCacheEntry* entry);
    static void Delete(CInfoCacheEntry* entry);
    void Put(const CStringW& path, CInfoCacheEntry* entry);

    int Store(CArchive& ar);
    int Read(CArchive& ar);
    CInfoCacheEntry* ReadEntry(CArchive& ar, uint32_t version, CStringW& path);
    void ReadSettings(CArchive& ar, uint32_t version);

    std::mutex m_lock;
    std::condition_variable m_loaded;  // an entry's load has ended
    EntryMap m_entries;
    MemoryProbe m_memoryProbe;
};
