// The Direct2D core that a drawing keeps between the renders of its
// previews: it stays while a preview of the drawing is open and goes with
// the last one, and with it the threads that Direct2D started for it (under
// Wine the Direct3D device behind the DC render target runs a command
// thread in wined3d.dll, which stays as long as the core does).
#include <gtest/gtest.h>
#include <afxwin.h>
#include "InProcessPreview.h"
#include "app/TavrenaApp.h"
#include "cache/InfoCache.h"
#include "cache/InfoCachePin.h"
#include "reader/JwCADBase.h"
#include "records/SettingFlag.h"
#include "support/ThreadCensus.h"
#include "writer/Drawing.h"
#include "writer/SampleDrawing.h"

namespace {
class PreviewDirect2DReleaseTest : public InProcessPreviewTest {
protected:
    void SetUp() override
    {
        InProcessPreviewTest::SetUp();
        m_settings = theApp.m_settings;
        theApp.m_settings |= SettingFlag::Direct2D;
    }
    void TearDown() override
    {
        InProcessPreviewTest::TearDown();
        theApp.m_settings = m_settings;
    }

    // Whether the cached drawing of path holds a Direct2D core now.
    static bool HoldsCore(const std::wstring& path)
    {
        CInfoCacheEntry* entry = nullptr;
        if (!theApp.m_infoCache.GetEntry(path.c_str(), &entry, nullptr))
            return false;
        CInfoCachePin pin(theApp.m_infoCache, entry);
        return entry->doc && entry->doc->m_pD2DCore;
    }

    uint32_t m_settings = 0;
};
}  // namespace

TEST_F(PreviewDirect2DReleaseTest, LastPreviewOfADrawingReleasesItsCore)
{
    if (!theApp.IsDirect2DUsable())
        GTEST_SKIP() << "Direct2D cannot draw here";
    const std::wstring path = m_scratch.Path() + L"\\direct2d.jww";
    ASSERT_TRUE(jwwrite::SaveFile(path, jwwrite::WriteDrawing(jwwrite::SampleDrawing())));
    // GoogleTest's watcher of this thread's trace state starts with the
    // first trace; it is no thread of the preview's.
    SCOPED_TRACE("two previews of one drawing");
    const std::vector<ThreadCensusRecord> before = TakeThreadCensus();

    m_dialog = Open(path);
    ASSERT_NE(m_dialog, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return Rendered(m_dialog); }, kPatience));
    m_second = Open(path);
    ASSERT_NE(m_second, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return Rendered(m_second); }, kPatience));
    EXPECT_TRUE(HoldsCore(path)) << "the renders drew with Direct2D and kept the core";

    DestroyWindow(m_dialog);
    m_dialog = nullptr;
    EXPECT_TRUE(HoldsCore(path)) << "the other preview still draws with it";
    DestroyWindow(m_second);
    m_second = nullptr;
    EXPECT_FALSE(HoldsCore(path));

    std::vector<ThreadCensusRecord> added;
    PumpUntil([&] { return (added = ThreadsAddedSince(before, TakeThreadCensus())).empty(); }, 20.0);
    EXPECT_TRUE(added.empty()) << DescribeThreads(added);
}
