#include <gtest/gtest.h>
#include <afxwin.h>
#include <thread>
#include "cache/InfoCacheEntry.h"
#include "figures/B_FigLine.h"
#include "support/ScratchFolder.h"
#include "ScriptedReader.h"

namespace {
// What the load body saw of its reader while it ran.
struct Observed {
    DWORD thread = 0;
    bool ownThreadObject = false;  // m_pReadThread is this very thread, not auto-deleting
    uint32_t state = 0;
    INT_PTR figures = -1;
    bool layersCleared = false;
};

class LoadThreadTest : public ::testing::Test {
protected:
    void SetUp() override { m_path = m_folder.Write(L"drawing.jww", "JwwData. contents do not matter here"); }

    // Hands the reader to an entry for one Reload; takes it back after.
    bool Reload(ScriptedReader& reader, HWND progress = nullptr)
    {
        m_entry.doc = &reader;
        bool result = m_entry.Reload(m_path.c_str(), progress);
        m_entry.doc = nullptr;
        return result;
    }

    static Observed Observe(ScriptedReader& reader)
    {
        Observed seen;
        seen.thread = GetCurrentThreadId();
        CWinThread* thread = reader.m_pReadThread;
        seen.ownThreadObject = thread && thread->m_nThreadID == seen.thread && !thread->m_bAutoDelete;
        seen.state = reader.m_loadState;
        seen.figures = reader.m_figures.GetCount();
        seen.layersCleared = reader.m_usedLayers[0] == 0;
        return seen;
    }

    ScratchFolder m_folder;
    std::wstring m_path;
    CInfoCacheEntry m_entry;
};
}

// The load runs on the reader's own worker, whose object the reader knows
// before the thread runs (it was created suspended), and the caller sees it
// as synchronous.
TEST_F(LoadThreadTest, LoadRunsOnItsOwnWorkerAndEndsDone)
{
    Observed seen;
    ScriptedReader reader(2, [&seen](ScriptedReader& self) {
        seen = Observe(self);
        self.MarkLayer(17);
        return TRUE;
    });
    reader.MarkLayer(3);
    B_Base* line = new B_FigLine;
    reader.AddData(new B_FigNode(&line), false);
    HWND progress = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x4242));

    EXPECT_TRUE(Reload(reader, progress));
    EXPECT_NE(seen.thread, GetCurrentThreadId());
    EXPECT_TRUE(seen.ownThreadObject);
    EXPECT_EQ(seen.state, LoadState::Reading);
    EXPECT_EQ(seen.figures, 0) << "the previous drawing goes when the load starts";
    EXPECT_TRUE(seen.layersCleared);

    EXPECT_EQ(reader.m_loadState.load(), LoadState::Done);
    EXPECT_EQ(reader.m_pReadThread, nullptr);
    EXPECT_STREQ(reader.m_path, m_path.c_str());
    EXPECT_EQ(reader.m_progressWnd, progress);
    EXPECT_EQ(reader.m_backColor, GetSysColor(COLOR_WINDOW));
    EXPECT_TRUE(m_entry.IsLayerSet(17));
    EXPECT_FALSE(m_entry.IsLayerSet(3));
}

// However a load fails, the driver reports that it ran, the reader says
// Failed and the entry's mask holds the layers read before the failure.
TEST_F(LoadThreadTest, FailuresEndInTheFailedState)
{
    const ScriptedReader::LoadScript failures[] = {
        [](ScriptedReader& self) { self.MarkLayer(5); return FALSE; },
        [](ScriptedReader& self) -> BOOL {
            self.MarkLayer(5);
            AfxThrowArchiveException(CArchiveException::endOfFile);
        },
        [](ScriptedReader& self) -> BOOL {
            self.MarkLayer(5);
            throw 42;
        },
    };
    for (const auto& failure : failures) {
        ScriptedReader reader(2, failure);
        EXPECT_TRUE(Reload(reader));
        EXPECT_EQ(reader.m_loadState.load(), LoadState::Failed);
        EXPECT_TRUE(m_entry.IsLayerSet(5));
    }
}

TEST_F(LoadThreadTest, MissingFileFailsTheLoad)
{
    ScriptedReader reader;
    m_path = m_folder.At(L"gone.jww");
    EXPECT_TRUE(Reload(reader));
    EXPECT_EQ(reader.m_loadState.load(), LoadState::Failed);
}

// The preview stops a running load by setting m_cancel; the load then ends
// Failed even though the loader returned success.
TEST_F(LoadThreadTest, CancelledLoadEndsFailed)
{
    HANDLE started = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ScriptedReader reader(2, [started](ScriptedReader& self) {
        SetEvent(started);
        while (!self.m_cancel)
            Sleep(1);
        return TRUE;
    });
    bool result = false;
    std::thread driver([&] { result = Reload(reader); });
    ASSERT_EQ(WaitForSingleObject(started, 20000), WAIT_OBJECT_0);
    EXPECT_EQ(reader.m_loadState.load(), LoadState::Reading);
    reader.m_cancel = true;
    driver.join();
    CloseHandle(started);
    EXPECT_TRUE(result);
    EXPECT_EQ(reader.m_loadState.load(), LoadState::Failed);
}

TEST_F(LoadThreadTest, ReloadStartsAfreshEachTime)
{
    int loads = 0;
    ScriptedReader reader(2, [&loads](ScriptedReader&) { return ++loads == 2; });
    EXPECT_TRUE(Reload(reader));
    EXPECT_EQ(reader.m_loadState.load(), LoadState::Failed);
    reader.m_cancel = true;
    EXPECT_TRUE(Reload(reader));
    EXPECT_EQ(reader.m_loadState.load(), LoadState::Done) << "a new load clears the cancel flag";
    EXPECT_EQ(loads, 2);
}

TEST_F(LoadThreadTest, NoReaderNoLoad)
{
    EXPECT_FALSE(m_entry.Reload(m_path.c_str(), nullptr));
}

TEST(LoadThreadEntry, NullParameterDoesNothing)
{
    EXPECT_EQ(ReadThreadProc(nullptr), 0u);
}
