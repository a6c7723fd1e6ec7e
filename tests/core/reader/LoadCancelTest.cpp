// A load stopped by the cancel flag, in the middle of reading the file and
// in the middle of making figures: the reader ends it early, fails it, and
// keeps or frees what it had without leaking.
#include <gtest/gtest.h>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "core/figures/AllocationCounter.h"
#include "core/jww/JwwTestSupport.h"
#include "figures/B_FigLine.h"
#include "figures/B_FigPoint.h"
#include "reader/BCN_CImpJWW.h"
#include "reader/LoadState.h"

namespace {

// An in-memory file that raises a cancel flag once a read has gone past a
// mark, as another thread would while the loader reads there.
class TripwireFile : public CMemFile {
public:
    TripwireFile(std::vector<uint8_t>& bytes, ULONGLONG mark, std::atomic<bool>& flag)
        : CMemFile(bytes.data(), static_cast<UINT>(bytes.size())), m_mark(mark), m_flag(flag)
    {
    }

    UINT Read(void* buffer, UINT count) override
    {
        UINT read = CMemFile::Read(buffer, count);
        if (GetPosition() > m_mark)
            m_flag = true;
        return read;
    }

private:
    ULONGLONG m_mark;
    std::atomic<bool>& m_flag;
};

struct MidReadCase {
    const char* name;
    std::function<CJwCADBase*()> makeReader;
    std::vector<uint8_t> bytes;
    size_t records;
    bool keepsFigures;  // JWC makes figures as it reads; JWW only after the stream
};

size_t CountOf(CJwCADBase& reader)
{
    return static_cast<size_t>(reader.m_figures.GetCount());
}

// The file is cut in the middle of the entity list (JWW) or of the line
// section (JWC): both dominate their file. The sections after the cut end at
// once, so no point is read.
TEST(LoadCancel, MidReadStopsAndFails)
{
    const size_t kRecords = 8000;
    const MidReadCase cases[] = {
        {"jww", [] { return new BCN_CImpJWW; },
         DrawingBytes(std::vector<jwwrite::Entity>(kRecords, LineOf(0, 0, 1, 1))), kRecords, false},
        {"jwc", [] { return new BCN_CImpJWC; }, jwwrite::WriteJwc(ManyRecords(kRecords, 100)), kRecords + 100,
         true},
    };
    for (const MidReadCase& c : cases) {
        std::vector<uint8_t> bytes = c.bytes;
        {
            // A whole load first, so that what a first load sets up once is
            // not counted below.
            std::unique_ptr<CJwCADBase> whole(c.makeReader());
            MemoryDrawing file(bytes);
            ASSERT_TRUE(whole->Load(file.File())) << c.name;
            ASSERT_EQ(CountOf(*whole), c.records) << c.name;
        }
        const long long before = LiveAllocations();
        CJwCADBase* reader = c.makeReader();
        TripwireFile file(bytes, bytes.size() / 2, reader->m_cancel);
        BOOL loaded = reader->Load(&file);
        size_t figures = CountOf(*reader);
        size_t points = 0;
        for (POSITION at = reader->m_figures.GetHeadPosition(); at;)
            points += FigCast<B_FigPoint>(reader->m_figures.GetNext(at)->fig) != nullptr;
        delete reader;
        const long long after = LiveAllocations();

        EXPECT_FALSE(loaded) << c.name;
        EXPECT_EQ(points, 0u) << c.name;
        if (c.keepsFigures) {
            EXPECT_GT(figures, 0u) << c.name;
            EXPECT_LT(figures, kRecords) << c.name;
        } else {
            EXPECT_EQ(figures, 0u) << c.name;
        }
        EXPECT_EQ(after, before) << c.name;
    }
}

// Cancelled once the reader turns entities into figures (the second count
// it posts): the load thread ends Failed with part of the figures.
TEST(LoadCancel, MidConversionStopsAndFails)
{
    const size_t kLines = 150000;
    ScratchFolder folder;
    std::wstring path = folder.At(L"large.jww");
    ASSERT_TRUE(jwwrite::SaveFile(path, DrawingBytes(std::vector<jwwrite::Entity>(kLines, LineOf(0, 0, 1, 1)))));
    ProgressSink sink;
    BCN_CImpJWW reader;
    CInfoCacheEntry entry;
    entry.doc = &reader;
    std::thread loader([&] { entry.Reload(path.c_str(), sink.Window()); });
    bool converting = sink.WaitFor(
        [kLines](WPARAM kind, LPARAM count) { return kind == 0 && count == static_cast<LPARAM>(kLines); }, 2);
    reader.m_cancel = true;
    loader.join();
    entry.doc = nullptr;
    ASSERT_TRUE(converting);
    EXPECT_EQ(reader.m_loadState.load(), LoadState::Failed);
    EXPECT_LT(CountOf(reader), kLines);
}

// A cancel the cache asks for before the load began is not lost when the
// load driver clears the reader's flag.
TEST(LoadCancel, EntryCancelReachesTheLoad)
{
    ScratchFolder folder;
    std::wstring path = folder.At(L"drawing.jww");
    ASSERT_TRUE(jwwrite::SaveFile(path, DrawingBytes({LineOf(0, 0, 1, 1)})));
    BCN_CImpJWW reader;
    CInfoCacheEntry entry;
    entry.doc = &reader;
    entry.CancelLoad();
    EXPECT_TRUE(entry.Reload(path.c_str(), nullptr));
    EXPECT_EQ(reader.m_loadState.load(), LoadState::Failed);
    EXPECT_EQ(CountOf(reader), 0u);
    entry.doc = nullptr;
}

}  // namespace
