#include <gtest/gtest.h>
#include <atomic>
#include <thread>
#include <time.h>
#include "CacheFixture.h"
#include "core/jww/JwwTestSupport.h"
#include "reader/JwCADBase.h"
#include "reader/LoadState.h"

using namespace jwwrite;

namespace {
const ULONGLONG kMiB = 1048576;

bool PlentyOfMemory(ULONGLONG* available)
{
    *available = 8192 * kMiB;
    return true;
}

bool JustEnoughMemory(ULONGLONG* available)
{
    *available = 512 * kMiB;
    return true;
}

bool LowMemory(ULONGLONG* available)
{
    *available = 512 * kMiB - 1;
    return true;
}

bool UnreadableMemory(ULONGLONG*)
{
    return false;
}

int32_t Now()
{
    return static_cast<int32_t>(time(nullptr));
}

class InfoCacheTest : public CacheFixture {
protected:
    void SetUp() override { m_cache.SetMemoryProbe(PlentyOfMemory); }

    // A file that the drawing reader takes; whether its load succeeds does
    // not matter to the cache.
    std::wstring Drawing(const std::wstring& name)
    {
        return m_folder.Write(name, std::string("JwwData.") + std::string(40, '\0'));
    }

    // Looks path up and lets it go again at once.
    bool Touch(const std::wstring& path)
    {
        CInfoCacheEntry* entry = nullptr;
        bool found = m_cache.GetEntry(path.c_str(), &entry, nullptr);
        m_cache.ReleaseEntry(entry);
        return found;
    }

    // Looks path up and gives it a view of its own and a last use.
    void Zoom(const std::wstring& path, int32_t lastUse, int32_t scale = 512)
    {
        CInfoCacheEntry* entry = nullptr;
        ASSERT_TRUE(m_cache.GetEntry(path.c_str(), &entry, nullptr));
        entry->flags &= ~DrawFlag::WholeDrawing;
        entry->scale = scale;
        entry->lastUse = lastUse;
        m_cache.ReleaseEntry(entry);
    }

    bool Holds(const std::wstring& path)
    {
        for (const CStringW& key : m_cache.GetPaths()) {
            if (key.CompareNoCase(path.c_str()) == 0)
                return true;
        }
        return false;
    }

    static void SetFileTimeOffset(const std::wstring& path, LONGLONG seconds)
    {
        HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        FILETIME now;
        GetSystemTimeAsFileTime(&now);
        ULARGE_INTEGER value = {{now.dwLowDateTime, now.dwHighDateTime}};
        value.QuadPart += seconds * 10000000LL;
        FILETIME moved = {value.LowPart, value.HighPart};
        SetFileTime(file, nullptr, nullptr, &moved);
        CloseHandle(file);
    }
};
}

TEST_F(InfoCacheTest, PathsThatDifferInCaseShareOneEntry)
{
    std::wstring path = Drawing(L"Plan.jww");
    std::wstring upper = path;
    for (wchar_t& c : upper)
        c = towupper(c);
    CInfoCacheEntry* first = nullptr;
    CInfoCacheEntry* second = nullptr;
    ASSERT_TRUE(m_cache.GetEntry(path.c_str(), &first, nullptr));
    ASSERT_TRUE(m_cache.GetEntry(upper.c_str(), &second, nullptr));
    EXPECT_EQ(first, second);
    EXPECT_EQ(m_cache.GetPaths().size(), 1u);
    m_cache.ReleaseEntry(first);
    m_cache.ReleaseEntry(second);
}

// A file that cannot be read makes no entry, and the out pointer is null.
TEST_F(InfoCacheTest, FailureLeavesNoEntryAndNullPointer)
{
    const std::wstring paths[] = {
        m_folder.At(L"missing.jww"),
        m_folder.Write(L"other.jww", "neither drawing nor symbol, long enough"),
        m_folder.Write(L"short.jww", "JwwData."),
    };
    for (const std::wstring& path : paths) {
        CInfoCacheEntry* entry = reinterpret_cast<CInfoCacheEntry*>(static_cast<INT_PTR>(0x1234));
        EXPECT_FALSE(m_cache.GetEntry(path.c_str(), &entry, nullptr));
        EXPECT_EQ(entry, nullptr);
    }
    EXPECT_TRUE(m_cache.GetPaths().empty());
}

TEST_F(InfoCacheTest, SixtyFifthEntryComesWithoutEvictionTheNextEvictsOne)
{
    std::vector<std::wstring> paths;
    for (int i = 0; i < 66; ++i) {
        wchar_t name[16];
        swprintf(name, 16, L"d%02d.jww", i);
        paths.push_back(Drawing(name));
    }
    for (int i = 0; i < 65; ++i)
        ASSERT_TRUE(Touch(paths[i]));
    EXPECT_EQ(m_cache.GetPaths().size(), 65u);
    ASSERT_TRUE(Touch(paths[65]));
    EXPECT_EQ(m_cache.GetPaths().size(), 65u);
    EXPECT_FALSE(Holds(paths[0])) << "all show the whole drawing: the first in key order goes";
    EXPECT_TRUE(Holds(paths[65]));
}

// Below 512 MiB of free memory, or when it cannot be read, every new entry
// first evicts one; at 512 MiB none goes.
TEST_F(InfoCacheTest, LowMemoryEvictsBeforeEachNewEntry)
{
    const struct {
        CInfoCache::MemoryProbe probe;
        size_t entries;
    } cases[] = {
        {JustEnoughMemory, 3},
        {LowMemory, 1},
        {UnreadableMemory, 1},
    };
    for (const auto& c : cases) {
        m_cache.Clear();
        m_cache.SetMemoryProbe(c.probe);
        for (const wchar_t* name : {L"a.jww", L"b.jww", L"c.jww"})
            ASSERT_TRUE(Touch(Drawing(name)));
        EXPECT_EQ(m_cache.GetPaths().size(), c.entries);
    }
}

// An entry at the untouched view goes before any zoomed one, whatever its
// age; among zoomed ones the least recently used; an entry in use never.
TEST_F(InfoCacheTest, EvictionOrder)
{
    std::wstring a = Drawing(L"a.jww"), b = Drawing(L"b.jww"), c = Drawing(L"c.jww"), d = Drawing(L"d.jww");
    Zoom(a, Now() - 10);
    Zoom(b, Now() - 30);
    Zoom(c, Now() - 20);
    Zoom(d, Now() + 100, 256);  // untouched, and the youngest
    CInfoCacheEntry* held = nullptr;
    ASSERT_TRUE(m_cache.GetEntry(b.c_str(), &held, nullptr));
    held->lastUse = 0;
    m_cache.SetMemoryProbe(LowMemory);

    ASSERT_TRUE(Touch(Drawing(L"n1.jww")));
    EXPECT_FALSE(Holds(d));
    Zoom(m_folder.At(L"n1.jww"), Now() + 100);
    ASSERT_TRUE(Touch(Drawing(L"n2.jww")));
    EXPECT_FALSE(Holds(c)) << "b is older but in use";
    EXPECT_TRUE(Holds(b));
    m_cache.ReleaseEntry(held);
    Zoom(m_folder.At(L"n2.jww"), Now() + 100);
    ASSERT_TRUE(Touch(Drawing(L"n3.jww")));
    EXPECT_FALSE(Holds(b));
    EXPECT_TRUE(Holds(a));
}

// When no entry is older than now, the first in key order goes.
TEST_F(InfoCacheTest, NoneOlderThanNowEvictsTheFirstKey)
{
    std::wstring b = Drawing(L"b.jww"), a = Drawing(L"a.jww");
    Zoom(b, Now() + 500);
    Zoom(a, Now() + 1000);
    m_cache.SetMemoryProbe(LowMemory);
    ASSERT_TRUE(Touch(Drawing(L"c.jww")));
    EXPECT_FALSE(Holds(a));
    EXPECT_TRUE(Holds(b));
}

// A deleted file fails and makes its entry the next to be evicted.
TEST_F(InfoCacheTest, MissingFileAgesItsEntry)
{
    std::wstring a = Drawing(L"a.jww"), b = Drawing(L"b.jww");
    Zoom(a, Now() - 100);
    Zoom(b, Now() - 50);
    ASSERT_TRUE(DeleteFileW(b.c_str()));
    EXPECT_FALSE(Touch(b));
    EXPECT_TRUE(Holds(b));
    m_cache.SetMemoryProbe(LowMemory);
    ASSERT_TRUE(Touch(Drawing(L"c.jww")));
    EXPECT_FALSE(Holds(b));
    EXPECT_TRUE(Holds(a));
}

// Emptying the cache, or loading a cache file, takes entries out of the map
// but leaves an entry in use whole until its user lets it go.
TEST_F(InfoCacheTest, EntriesInUseOutliveClearAndLoad)
{
    std::wstring a = Drawing(L"a.jww");
    CInfoCacheEntry* held = nullptr;
    ASSERT_TRUE(m_cache.GetEntry(a.c_str(), &held, nullptr));
    m_cache.Clear();
    EXPECT_TRUE(m_cache.GetPaths().empty());
    ASSERT_NE(held->doc, nullptr);
    EXPECT_EQ(held->doc->GetFileKind(), 2);
    EXPECT_STREQ(held->doc->m_path, a.c_str());

    CInfoCacheEntry* again = nullptr;
    ASSERT_TRUE(m_cache.GetEntry(a.c_str(), &again, nullptr));
    EXPECT_NE(again, held);
    InfoCacheFile file;
    InfoCacheFileEntry entry;
    entry.path = std::u16string(a.begin(), a.end());
    entry.scale = 300;
    file.entries = {entry};
    ASSERT_TRUE(m_cache.Load(WriteCacheFile(file).c_str()));
    EXPECT_STREQ(again->doc->m_path, a.c_str());
    m_cache.ReleaseEntry(held);
    m_cache.ReleaseEntry(again);

    CInfoCacheEntry* fromFile = nullptr;
    ASSERT_TRUE(m_cache.GetEntry(a.c_str(), &fromFile, nullptr));
    EXPECT_EQ(fromFile->scale, 300);
    m_cache.ReleaseEntry(fromFile);
}

// A newer file is read again and its view starts over; an unchanged one is
// handed out as it is.
TEST_F(InfoCacheTest, TouchedFileReloadsAndResetsTheView)
{
    std::wstring a = Drawing(L"a.jww");
    SetFileTimeOffset(a, -60);
    CInfoCacheEntry* entry = nullptr;
    ASSERT_TRUE(m_cache.GetEntry(a.c_str(), &entry, nullptr));
    entry->scale = 512;
    entry->originX = 40;
    entry->originY = 9;
    entry->width = 300;
    entry->doc->m_loadState = LoadState::Done;  // a reload would change it
    m_cache.ReleaseEntry(entry);

    CInfoCacheEntry* same = nullptr;
    ASSERT_TRUE(m_cache.GetEntry(a.c_str(), &same, nullptr));
    EXPECT_EQ(same, entry);
    EXPECT_EQ(same->doc->m_loadState.load(), LoadState::Done);
    EXPECT_EQ(same->scale, 512);
    m_cache.ReleaseEntry(same);

    SetFileTimeOffset(a, 0);
    ASSERT_TRUE(m_cache.GetEntry(a.c_str(), &same, nullptr));
    EXPECT_EQ(same, entry);
    EXPECT_NE(same->doc->m_loadState.load(), LoadState::Done);
    EXPECT_EQ(same->scale, 256);
    EXPECT_EQ(same->originX, 256 - 150);
    EXPECT_EQ(same->originY, -(256 - 150));
    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(a.c_str(), status));
    EXPECT_EQ(same->fileTime, status.m_mtime);
    m_cache.ReleaseEntry(same);
}

// With a progress window, a load that did not finish is read again; the
// file did not change, so the view stays.
TEST_F(InfoCacheTest, ProgressWindowReloadsAnUnfinishedLoadKeepingTheView)
{
    std::wstring a = Drawing(L"a.jww");
    Zoom(a, Now());
    HWND progress = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x4242));
    CInfoCacheEntry* entry = nullptr;
    ASSERT_TRUE(m_cache.GetEntry(a.c_str(), &entry, progress));
    EXPECT_EQ(entry->doc->m_progressWnd, progress);
    EXPECT_EQ(entry->scale, 512);

    entry->doc->m_loadState = LoadState::Done;
    entry->doc->m_progressWnd = nullptr;
    m_cache.ReleaseEntry(entry);
    ASSERT_TRUE(m_cache.GetEntry(a.c_str(), &entry, progress));
    EXPECT_EQ(entry->doc->m_progressWnd, nullptr) << "a finished load is not read again";
    m_cache.ReleaseEntry(entry);
}

// An entry read from the cache file opens its drawing on first use and keeps
// the view the file gave, although the file's time differs. One whose file
// is no drawing fails and stays.
TEST_F(InfoCacheTest, EntryFromCacheFileKeepsItsView)
{
    std::wstring a = Drawing(L"a.jww");
    std::wstring other = m_folder.Write(L"other.jww", "neither drawing nor symbol, long enough");
    InfoCacheFile file;
    InfoCacheFileEntry entry;
    entry.scale = 700;
    entry.originX = 3;
    entry.originY = 4;
    entry.fileTime = 1;
    entry.path = std::u16string(a.begin(), a.end());
    InfoCacheFileEntry broken = entry;
    broken.path = std::u16string(other.begin(), other.end());
    file.entries = {entry, broken};
    ASSERT_TRUE(m_cache.Load(WriteCacheFile(file).c_str()));

    CInfoCacheEntry* opened = nullptr;
    ASSERT_TRUE(m_cache.GetEntry(a.c_str(), &opened, nullptr));
    ASSERT_NE(opened->doc, nullptr);
    EXPECT_EQ(opened->scale, 700);
    EXPECT_EQ(opened->originX, 3);
    EXPECT_EQ(opened->originY, 4);
    EXPECT_NE(opened->fileTime, CTime(1));
    m_cache.ReleaseEntry(opened);

    EXPECT_FALSE(Touch(other));
    EXPECT_TRUE(Holds(other));
}

// Threads that look drawings up, zoom and let them go while others empty,
// load and save the cache under memory pressure: nothing in use is deleted
// under them.
TEST_F(InfoCacheTest, ConcurrentUsersAndEmptying)
{
    std::vector<std::wstring> paths;
    for (const wchar_t* name : {L"a.jww", L"b.jww", L"c.jww", L"d.jww", L"e.jww"})
        paths.push_back(Drawing(name));
    InfoCacheFile file;
    InfoCacheFileEntry entry;
    entry.path = std::u16string(paths[0].begin(), paths[0].end());
    entry.scale = 300;
    file.entries = {entry};
    std::wstring cacheFile = WriteCacheFile(file);
    std::wstring saved = m_folder.At(L"saved.dat");
    m_cache.SetMemoryProbe(LowMemory);

    std::atomic<int> failures(0);
    auto user = [&](int seed) {
        for (int i = 0; i < 60; ++i) {
            const std::wstring& path = paths[(seed + i * 7) % paths.size()];
            CInfoCacheEntry* used = nullptr;
            if (!m_cache.GetEntry(path.c_str(), &used, nullptr)) {
                ++failures;
                continue;
            }
            used->scale = 256 + i;
            if (!used->doc || used->doc->GetFileKind() != 2 || used->doc->m_path.CompareNoCase(path.c_str()) != 0)
                ++failures;
            m_cache.ReleaseEntry(used);
        }
    };
    auto emptier = [&] {
        for (int i = 0; i < 30; ++i) {
            if (i % 3 == 0)
                m_cache.Clear();
            else if (i % 3 == 1)
                m_cache.Load(cacheFile.c_str());
            else
                m_cache.Save(saved.c_str());
        }
    };
    std::vector<std::thread> threads;
    for (int seed = 0; seed < 4; ++seed)
        threads.emplace_back(user, seed);
    threads.emplace_back(emptier);
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(failures.load(), 0);
}

// Emptying the cache while a drawing loads stops the load and returns only
// once its thread has ended: no progress comes after, the reader ends
// cancelled with part of the drawing, and its user still holds it whole.
TEST_F(InfoCacheTest, ClearCancelsARunningLoadAndWaitsForIt)
{
    const size_t kLines = 150000;
    std::wstring path = m_folder.At(L"large.jww");
    ASSERT_TRUE(SaveFile(path, DrawingBytes(std::vector<Entity>(kLines, LineOf(0, 0, 1, 1)))));
    ProgressSink sink;
    CInfoCacheEntry* loaded = nullptr;
    std::thread loader([&] { m_cache.GetEntry(path.c_str(), &loaded, sink.Window()); });
    bool reading = sink.WaitFor([](WPARAM kind, LPARAM) { return kind == 0; });
    m_cache.Clear();
    sink.Take();
    loader.join();
    ASSERT_TRUE(reading);
    EXPECT_TRUE(sink.Take().empty()) << "the load went on after Clear returned";
    EXPECT_TRUE(m_cache.GetPaths().empty());
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->doc->m_loadState.load(), LoadState::Failed);
    EXPECT_EQ(loaded->doc->m_pReadThread, nullptr);
    EXPECT_LT(loaded->doc->m_figures.GetCount(), static_cast<INT_PTR>(kLines));
    m_cache.ReleaseEntry(loaded);
}
