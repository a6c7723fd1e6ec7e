// The info cache file: the views of the previewed drawings and the preview
// settings, kept across processes.
#include "cache/InfoCache.h"
#include "app/TavrenaApp.h"
#include "cache/CacheFolderSweep.h"
#include "cache/ReplacingWrite.h"
#include "records/SettingFlag.h"
#include <algorithm>
#include <iterator>
#include <memory>

namespace {
const wchar_t kCacheFileName[] = L"Quillora.dat";
const int kBufferSize = 4096;

// The versions that can be read; only the last is written.
const uint32_t kVersion20160131 = 20160131;
const uint32_t kVersion20160301 = 20160301;  // adds the width
const uint32_t kVersion20160321 = 20160321;  // adds the height
const uint32_t kVersion20160810 = 20160810;  // adds the file time and the settings word
const uint32_t kVersion20190914 = 20190914;  // adds the background colour
const uint32_t kVersion20191107 = 20191107;  // adds the view-set flag
const uint32_t kReadableVersions[] = {kVersion20160131, kVersion20160301, kVersion20160321,
                                      kVersion20160810, kVersion20190914, kVersion20191107};

// Values a file may not hand to the renderers.
const int32_t kDefaultScale = 256;
const int32_t kDefaultSize = 256;
const int32_t kLargestSize = 32767;

bool IsReadable(uint32_t version)
{
    return std::find(std::begin(kReadableVersions), std::end(kReadableVersions), version) !=
           std::end(kReadableVersions);
}

int32_t ValidSize(int32_t size)
{
    return size >= 1 && size <= kLargestSize ? size : kDefaultSize;
}

// The file path, or the cache folder's file when null; false when there is
// no cache folder to put it in.
bool ResolvePath(const wchar_t* path, CStringW& resolved)
{
    if (path) {
        resolved = path;
        return true;
    }
    if (theApp.m_cacheFolder.IsEmpty())
        return false;
    resolved = theApp.m_cacheFolder + kCacheFileName;
    return true;
}

// What the file keeps of one entry, copied while the cache is locked.
struct StoredView {
    CStringW path;
    int32_t scale;
    int32_t originX;
    int32_t originY;
    int32_t width;
    int32_t height;
    int64_t fileTime;
    bool viewSet;
};

void WriteEntry(CArchive& ar, const StoredView& view)
{
    ar << view.path;
    ar << view.scale << view.originX << view.originY << view.width << view.height;
    ar << view.fileTime;
    ar << static_cast<BYTE>(view.viewSet ? 1 : 0);
}
}

bool CInfoCache::Load(const wchar_t* path)
{
    Clear();
    CStringW file;
    if (!ResolvePath(path, file))
        return false;
    try {
        CFile input;
        if (!input.Open(file, CFile::modeRead | CFile::shareDenyNone))
            return false;
        CArchive ar(&input, CArchive::load, kBufferSize);
        Serialize(ar);
        ar.Close();
        input.Close();
    } catch (CException* error) {
        error->Delete();
        return false;
    } catch (...) {
        return false;
    }
    PurgeFolder();
    return true;
}

bool CInfoCache::Save(const wchar_t* path)
{
    CStringW file;
    if (!ResolvePath(path, file))
        return false;
    return WriteReplacing(file, [this](CFile& output) {
        CArchive ar(&output, CArchive::store, kBufferSize);
        Serialize(ar);
        ar.Close();
    });
}

int CInfoCache::Serialize(CArchive& ar)
{
    Lock lock(m_lock);
    return ar.IsStoring() ? Store(ar) : Read(ar);
}

// The version, the count of the entries worth keeping, those entries in key
// order, the settings word and the background colour.
// The count is that of the entries written: both come from one copy of the
// views, so a reader never takes a view's fields for the settings word.
int CInfoCache::Store(CArchive& ar)
{
    std::vector<StoredView> views;
    for (const auto& [path, entry] : m_entries) {
        if (!entry->KeepsNoView())
            views.push_back({path, entry->scale, entry->originX, entry->originY, entry->width, entry->height,
                             static_cast<int64_t>(entry->fileTime.GetTime()), entry->viewSet});
    }
    const int32_t count = static_cast<int32_t>(views.size());
    ar << kVersion20191107 << count;
    for (const StoredView& view : views)
        WriteEntry(ar, view);
    ar << theApp.m_settings << theApp.m_backColor;
    return count;
}

// Entries come one at a time, so a count larger than the file holds ends in
// an end-of-file error with the entries read so far kept.
int CInfoCache::Read(CArchive& ar)
{
    uint32_t version = 0;
    ar >> version;
    if (!IsReadable(version))
        return -1;
    int32_t count = 0;
    ar >> count;
    for (int32_t i = 0; i < count; ++i) {
        CStringW path;
        CInfoCacheEntry* entry = ReadEntry(ar, version, path);
        Put(path, entry);
    }
    ReadSettings(ar, version);
    return count;
}

CInfoCacheEntry* CInfoCache::ReadEntry(CArchive& ar, uint32_t version, CStringW& path)
{
    auto entry = std::make_unique<CInfoCacheEntry>();
    ar >> path;
    ar >> entry->scale >> entry->originX >> entry->originY;
    if (entry->scale <= 0)
        entry->scale = kDefaultScale;
    if (version >= kVersion20160301) {
        ar >> entry->width;
        entry->width = ValidSize(entry->width);
        entry->height = entry->width;
    }
    if (version >= kVersion20160321) {
        ar >> entry->height;
        entry->height = ValidSize(entry->height);
    }
    if (version >= kVersion20160810) {
        int64_t fileTime = 0;
        ar >> fileTime;
        entry->fileTime = fileTime;
    }
    if (version >= kVersion20191107) {
        BYTE viewSet = 0;
        ar >> viewSet;
        entry->viewSet = viewSet != 0;
    }
    entry->flags &= ~DrawFlag::WholeDrawing;
    return entry.release();
}

// Files older than the settings word show the reference marks of part
// files, as those versions always did. The settings change only once all
// of them were read.
void CInfoCache::ReadSettings(CArchive& ar, uint32_t version)
{
    if (version <= kVersion20160321) {
        theApp.m_settings |= SettingFlag::PartReferenceMark;
        return;
    }
    uint32_t settings = 0;
    COLORREF backColor = theApp.m_backColor;
    ar >> settings;
    if (version > kVersion20160810)
        ar >> backColor;
    if (version < kVersion20191107)
        settings |= SettingFlag::PartReferenceMark;
    theApp.m_settings = settings;
    theApp.m_backColor = backColor;
}

bool CInfoCache::PurgeFolder()
{
    return SweepCacheFolder(theApp.m_cacheFolder, kCacheFileName, theApp.OwnsCacheFolder());
}
