// The counted list: the object limit without a progress window, progress
// posts with one, and cancellation.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "core/stream/ArchiveOverBytes.h"
#include "core/stream/CountedData.h"
#include "entities/CEntityList.h"
#include "jww/JwwVersion.h"
#include "records/DrawData.h"
#include "writer/EntityWriter.h"

namespace {

// n entities of the smallest record.
std::vector<uint8_t> ListOf(uint32_t n, const char* className = "CData")
{
    jwwrite::ObjectWriter out(230);
    jwwrite::EntityWriter entities(out, 230);
    out.Count(n);
    for (uint32_t i = 0; i < n; ++i)
        entities.WriteBase(jwwrite::Common(), className);
    return out.Bytes();
}

// A message-only window that collects the progress posts.
class ProgressWindow {
public:
    ProgressWindow()
        : m_hwnd(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, NULL, NULL))
    {
    }
    ~ProgressWindow() { DestroyWindow(m_hwnd); }
    HWND Handle() const { return m_hwnd; }

    std::vector<std::pair<WPARAM, LPARAM>> TakePosts()
    {
        std::vector<std::pair<WPARAM, LPARAM>> posts;
        MSG msg;
        while (PeekMessageW(&msg, m_hwnd, WM_DRAWPROGRESS, WM_DRAWPROGRESS, PM_REMOVE))
            posts.emplace_back(msg.wParam, msg.lParam);
        return posts;
    }

private:
    HWND m_hwnd;
};

class ObjectList : public ::testing::Test {
protected:
    void SetUp() override { g_jwwVersion = 230; }
};

struct LimitCase {
    uint32_t count;
    INT_PTR read;
    bool limited;
};

TEST_F(ObjectList, WithoutWindowLongListsStopAfterTheLimit)
{
    const LimitCase cases[] = {{64000, 64000, false}, {64001, 64001, true}, {70000, 64001, true}};
    for (const LimitCase& limit : cases) {
        ArchiveOverBytes reader(ListOf(limit.count));
        CEntityList list;
        list.m_limited = true;
        list.Serialize(reader.Archive());
        EXPECT_EQ(list.GetCount(), limit.read) << limit.count;
        EXPECT_EQ(list.m_limited, limit.limited) << limit.count;
    }
}

TEST_F(ObjectList, LimitAppliesOnlyWhenAsked)
{
    ArchiveOverBytes reader(ListOf(70000));
    CEntityList list;
    list.Serialize(reader.Archive());
    EXPECT_EQ(list.GetCount(), 70000);
    EXPECT_FALSE(list.m_limited);
}

// With a window the limit does not apply; posts come at every multiple of
// count / 360 still to read, or after every object when that step is below 2.
struct ProgressCase {
    uint32_t count;
    LPARAM step;          // between the remaining counts posted
    LPARAM firstPosted;   // remaining count of the first post after the start
    size_t posts;         // the start post included
};

TEST_F(ObjectList, WithWindowEveryObjectIsReadAndProgressPosted)
{
    ProgressWindow window;
    ASSERT_NE(window.Handle(), nullptr);
    const ProgressCase cases[] = {{719, 1, 718, 720}, {720, 2, 718, 361}, {70000, 194, 69840, 362}};
    for (const ProgressCase& expected : cases) {
        ArchiveOverBytes reader(ListOf(expected.count));
        CEntityList list;
        list.m_limited = true;
        list.m_progressWnd = window.Handle();
        list.Serialize(reader.Archive());
        EXPECT_EQ(list.GetCount(), static_cast<INT_PTR>(expected.count));

        std::vector<std::pair<WPARAM, LPARAM>> posts = window.TakePosts();
        ASSERT_EQ(posts.size(), expected.posts) << expected.count;
        EXPECT_EQ(posts[0], std::make_pair(WPARAM(0), LPARAM(expected.count)));
        for (size_t i = 1; i < posts.size(); ++i) {
            LPARAM remaining = expected.firstPosted - static_cast<LPARAM>(i - 1) * expected.step;
            ASSERT_EQ(posts[i], std::make_pair(WPARAM(1), remaining)) << expected.count << " post " << i;
        }
    }
}

TEST_F(ObjectList, CancelledBeforeStartReadsNothing)
{
    std::atomic<bool> cancel(true);
    ArchiveOverBytes reader(ListOf(5));
    CEntityList list;
    list.m_pCancel = &cancel;
    list.Serialize(reader.Archive());
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(reader.Consumed(), 0u);
}

TEST_F(ObjectList, CancelStopsAfterTheObjectBeingRead)
{
    std::atomic<bool> cancel(false);
    jwwrite::ObjectWriter out(230);
    jwwrite::EntityWriter entities(out, 230);
    out.Count(5);
    entities.WriteBase(jwwrite::Common());
    entities.WriteBase(jwwrite::Common(), "CCountedData");
    for (int i = 0; i < 3; ++i)
        entities.WriteBase(jwwrite::Common());
    ArchiveOverBytes reader(out.Bytes());
    CEntityList list;
    list.m_pCancel = &cancel;
    CCountedData::s_cancelWhenRead = &cancel;
    list.Serialize(reader.Archive());
    EXPECT_EQ(list.GetCount(), 2);
}

}  // namespace
