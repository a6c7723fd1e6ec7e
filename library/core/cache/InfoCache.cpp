#include "cache/InfoCache.h"
#include "app/ProcessEnding.h"
#include "cache/InfoCachePin.h"
#include "cache/InfoText.h"
#include "reader/JwCADBase.h"
#include "reader/ReaderFactory.h"
#include "records/ZumenInfo.h"
#include <atlbase.h>
#include <algorithm>
#include <memory>
#include <time.h>

namespace {
// More entries than this, or less free memory than this, and every new
// entry first evicts one.
const size_t kMostEntries = 64;
const double kLowMemoryMiB = 512.0;
const double kBytesPerMiB = 1048576.0;
const int32_t kFittedScale = 256;
const int kLayersPerGroup = 16;
const int kGroups = 16;
const uint8_t kShownBits = 3;

bool ReadAvailableMemory(ULONGLONG* availableBytes)
{
    MEMORYSTATUSEX status = {};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status))
        return false;
    *availableBytes = status.ullAvailPhys;
    return true;
}

int32_t Now()
{
    return static_cast<int32_t>(time(nullptr));
}

// The view a changed file starts with again.
void ResetView(DrawData* view)
{
    view->scale = kFittedScale;
    view->originX = kFittedScale - view->width / 2;
    view->originY = -view->originX;
}
}

CInfoCache::CInfoCache() : m_memoryProbe(ReadAvailableMemory) {}

CInfoCache::~CInfoCache()
{
    Clear();
}

void CInfoCache::SetMemoryProbe(MemoryProbe probe)
{
    Lock lock(m_lock);
    m_memoryProbe = probe ? probe : ReadAvailableMemory;
}

bool CInfoCache::GetEntry(const wchar_t* path, CInfoCacheEntry** entry, HWND progress)
{
    *entry = nullptr;
    if (!path)
        return false;
    CFileStatus status;
    bool exists = CFile::GetStatus(path, status) != FALSE;
    Lock lock(m_lock);
    if (!exists) {
        // A missing file keeps its entry but makes it the first to go.
        auto found = m_entries.find(path);
        if (found != m_entries.end())
            found->second->lastUse = 0;
        return false;
    }
    bool made = false;
    CInfoCacheEntry* claimed = Claim(lock, path, &made);
    lock.unlock();
    bool loaded = false;
    try {
        loaded = Refresh(claimed, path, status.m_mtime, made, progress);
    } catch (CException* error) {
        // Whatever failed, the entry must not stay marked as loading.
        error->Delete();
    } catch (...) {
    }
    lock.lock();
    claimed->m_loading = false;
    m_loaded.notify_all();
    if (!loaded) {
        Unclaim(claimed, path, made);
        return false;
    }
    claimed->lastUse = Now();
    claimed->fileTime = status.m_mtime;
    *entry = claimed;
    return true;
}

// The entry of path, made (and put into the map) when there is none, pinned
// and marked as loading once no other load of it runs. An entry that left
// the map while this thread waited (its first load failed, or the cache was
// emptied) is let go, and the map is asked again.
CInfoCacheEntry* CInfoCache::Claim(Lock& lock, const wchar_t* path, bool* made)
{
    for (;;) {
        auto found = m_entries.find(path);
        CInfoCacheEntry* entry = nullptr;
        if (found != m_entries.end()) {
            entry = found->second;
        } else {
            MakeRoom();
            entry = new CInfoCacheEntry;
            m_entries.emplace(path, entry);
            *made = true;
        }
        ++entry->m_pins;
        m_loaded.wait(lock, [entry] { return !entry->m_loading; });
        if (!entry->m_detached) {
            entry->m_loading = true;
            return entry;
        }
        Unpin(entry);
    }
}

// Loads a new entry, opens an entry read from the info cache file, or
// reloads one whose file changed or whose last load with a progress window
// did not finish. Runs without the lock: the entry is pinned and loading.
bool CInfoCache::Refresh(CInfoCacheEntry* entry, const wchar_t* path, const CTime& modified, bool made,
                         HWND progress)
{
    if (made)
        return OpenDrawingFile(path, entry, true, progress);
    if (!entry->doc) {
        // A view read from the info cache file survives a change of the file.
        int32_t scale = entry->scale, originX = entry->originX, originY = entry->originY;
        bool opened = OpenDrawingFile(path, entry, true, progress);
        entry->scale = scale;
        entry->originX = originX;
        entry->originY = originY;
        return opened;
    }
    bool unfinished = progress && entry->doc->m_loadState != LoadState::Done;
    if (!unfinished && entry->fileTime >= modified)
        return true;
    if (!entry->Reload(path, progress))
        return false;
    if (entry->fileTime != modified)
        ResetView(entry);
    return true;
}

// After a failed load: a new entry leaves the map (unless Clear or Load took
// it out already) and goes once nobody else waits for it.
void CInfoCache::Unclaim(CInfoCacheEntry* entry, const wchar_t* path, bool made)
{
    if (made && !entry->m_detached) {
        auto found = m_entries.find(path);
        if (found != m_entries.end() && found->second == entry)
            m_entries.erase(found);
        entry->m_detached = true;
    }
    Unpin(entry);
}

void CInfoCache::KeepView(CInfoCacheEntry* entry, const DrawData& view)
{
    const uint32_t viewBits = DrawFlag::WholeDrawing | DrawFlag::ThickLines;
    Lock lock(m_lock);
    entry->width = view.width;
    entry->height = view.height;
    entry->originX = view.originX;
    entry->originY = view.originY;
    entry->scale = view.scale;
    entry->viewSet = view.viewSet;
    entry->flags = (entry->flags & ~viewBits) | (view.flags & viewBits);
}

void CInfoCache::StopLoad(const wchar_t* path)
{
    if (!path)
        return;
    Lock lock(m_lock);
    auto found = m_entries.find(path);
    if (found != m_entries.end() && found->second->m_loading)
        found->second->StopRunningLoad();
}

void CInfoCache::ReleaseRenderCore(const wchar_t* path)
{
    if (!path)
        return;
    Lock lock(m_lock);
    auto found = m_entries.find(path);
    if (found == m_entries.end() || found->second->m_loading || !found->second->doc)
        return;
    CInfoCacheEntry* entry = found->second;
    ++entry->m_pins;
    lock.unlock();
    {
        // Every draw of the reader holds this lock.
        std::lock_guard<std::mutex> drawing(entry->RenderLock());
        entry->doc->ReleaseDirect2DCore();
    }
    ReleaseEntry(entry);
}

void CInfoCache::ReleaseEntry(CInfoCacheEntry* entry)
{
    if (!entry)
        return;
    Lock lock(m_lock);
    Unpin(entry);
}

void CInfoCache::Unpin(CInfoCacheEntry* entry)
{
    if (--entry->m_pins == 0 && entry->m_detached)
        Delete(entry);
}

// Takes an entry that has left the map out of use: at once when nobody
// holds it, otherwise when its last user releases it.
void CInfoCache::Discard(CInfoCacheEntry* entry)
{
    entry->m_detached = true;
    if (entry->m_pins == 0)
        Delete(entry);
}

void CInfoCache::Delete(CInfoCacheEntry* entry)
{
    if (entry->doc) {
        entry->doc->CancelLoad();
        delete entry->doc;
    }
    delete entry;
}

void CInfoCache::MakeRoom()
{
    if (m_entries.empty() || !NeedsRoom())
        return;
    auto victim = ChooseVictim();
    if (victim == m_entries.end())
        return;
    CInfoCacheEntry* entry = victim->second;
    m_entries.erase(victim);
    Discard(entry);
}

bool CInfoCache::NeedsRoom()
{
    ULONGLONG available = 0;
    return m_entries.size() > kMostEntries || !m_memoryProbe(&available) ||
           available / kBytesPerMiB < kLowMemoryMiB;
}

// In key order: the first entry without a view worth keeping, otherwise the
// least recently used (the first of equals, the first of all when none is
// older than now). Entries in use are passed over.
CInfoCache::EntryMap::iterator CInfoCache::ChooseVictim()
{
    auto chosen = m_entries.end();
    auto firstFree = m_entries.end();
    int32_t oldest = Now();
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
        const CInfoCacheEntry* entry = it->second;
        if (entry->m_pins > 0)
            continue;
        if (entry->KeepsNoView())
            return it;
        if (firstFree == m_entries.end())
            firstFree = it;
        if (entry->lastUse < oldest) {
            oldest = entry->lastUse;
            chosen = it;
        }
    }
    return chosen != m_entries.end() ? chosen : firstFree;
}

void CInfoCache::Clear()
{
    if (IsProcessEnding()) {
        ClearAtExit();
        return;
    }
    Lock lock(m_lock);
    std::vector<CInfoCacheEntry*> loads = CancelLoads();
    DiscardAll();
    m_loaded.wait(lock, [&loads] {
        return std::none_of(loads.begin(), loads.end(), [](const CInfoCacheEntry* entry) { return entry->m_loading; });
    });
    for (CInfoCacheEntry* entry : loads)
        Unpin(entry);
}

// Asks every load of the map to stop and pins its entry, so that it stays to
// be waited for whatever its loader does when the load ends.
std::vector<CInfoCacheEntry*> CInfoCache::CancelLoads()
{
    std::vector<CInfoCacheEntry*> loads;
    for (auto& item : m_entries) {
        CInfoCacheEntry* entry = item.second;
        if (!entry->m_loading)
            continue;
        entry->CancelLoad();
        ++entry->m_pins;
        loads.push_back(entry);
    }
    return loads;
}

void CInfoCache::DiscardAll()
{
    for (auto& item : m_entries)
        Discard(item.second);
    m_entries.clear();
}

// The other threads are gone: one may have died holding the lock, or loading
// or using an entry. Such an entry, or the whole map when the lock is held,
// is left to the end of the process; the rest goes as usual.
void CInfoCache::ClearAtExit()
{
    Lock lock(m_lock, std::try_to_lock);
    if (lock.owns_lock())
        DiscardAll();
}

// Stores entry under path; an entry already there under any spelling of the
// path is replaced and goes.
void CInfoCache::Put(const CStringW& path, CInfoCacheEntry* entry)
{
    auto found = m_entries.find(path);
    if (found == m_entries.end()) {
        m_entries.emplace(path, entry);
        return;
    }
    CInfoCacheEntry* replaced = found->second;
    found->second = entry;
    Discard(replaced);
}

std::vector<CStringW> CInfoCache::GetPaths()
{
    Lock lock(m_lock);
    std::vector<CStringW> paths;
    paths.reserve(m_entries.size());
    for (const auto& item : m_entries)
        paths.push_back(item.first);
    return paths;
}

bool CInfoCache::GetInfoText(const wchar_t* path, ZumenLayers* layers, BSTR* text)
{
    SysFreeString(*text);
    *text = nullptr;
    CInfoCacheEntry* entry = nullptr;
    if (!GetEntry(path, &entry, nullptr))
        return false;
    CInfoCachePin pin(*this, entry);
    ZumenInfo info;
    if (!ReadZumenInfo(entry->doc, path, &info, layers))
        return false;
    return BuildInfoText(entry->doc, &info, text) == 0;
}

bool CInfoCache::GetLayerMask(const wchar_t* path, DrawData* entry, uint32_t mask[8])
{
    ZumenLayers layers{};
    ATL::CComBSTR text;
    if (!GetInfoText(path, &layers, &text))
        return false;
    AddShownLayers(layers, *entry, mask);
    return true;
}

void CInfoCache::AddShownLayers(const ZumenLayers& layers, const DrawData& entry, uint32_t mask[8])
{
    for (int group = 0; group < kGroups; ++group) {
        if (!(layers.groupState[group] & kShownBits))
            continue;
        for (int layer = group * kLayersPerGroup; layer < (group + 1) * kLayersPerGroup; ++layer) {
            if (entry.IsLayerSet(layer) && (layers.layerState[layer] & kShownBits))
                mask[layer >> 5] |= 1u << (layer & 31);
        }
    }
}

