// The window layout manager over tables of window maps: child windows of a
// real (visible) window are laid out and their rectangles read back.
#include <gtest/gtest.h>
#include <afxwin.h>
#include <map>
#include <vector>
#include "WinMgr.h"
#include "framework/WindowTestSupport.h"

namespace {
struct LayoutSizeAnswer {
    SIZE minimum;
    SIZE maximum;
};

// The window whose children are laid out; it answers the layout manager's
// size queries from a table, as a dialog does.
class CLayoutTestWindow : public CWnd {
public:
    std::map<UINT, LayoutSizeAnswer> m_answers;
    int m_queries = 0;

protected:
    afx_msg LRESULT OnWinMgr(WPARAM wParam, LPARAM lParam)
    {
        auto* notify = reinterpret_cast<WinMgrNotify*>(lParam);
        if (notify->code != static_cast<UINT>(WinMgrCode::SizeQuery))
            return FALSE;
        ++m_queries;
        auto answer = m_answers.find(static_cast<UINT>(wParam));
        if (answer == m_answers.end())
            return FALSE;
        notify->sizeInfo.minimum = answer->second.minimum;
        notify->sizeInfo.maximum = answer->second.maximum;
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLayoutTestWindow, CWnd)
    ON_REGISTERED_MESSAGE(g_winMgrMessage, &CLayoutTestWindow::OnWinMgr)
END_MESSAGE_MAP()

struct LayoutTestChild {
    UINT id;
    RECT initial;
    bool visible = true;
};

struct LayoutExpectedRect {
    UINT id;
    RECT rect;
};

struct LayoutCase {
    const char* name;
    std::vector<WinMapEntry> map;
    std::vector<LayoutTestChild> children;
    SIZE client;
    std::vector<LayoutExpectedRect> expected;
    std::map<UINT, LayoutSizeAnswer> answers;
};

constexpr SIZE kLayoutNoMaximum = {kWinMapUnlimited, kWinMapUnlimited};

// Short names for the tables below.
namespace WinMgrTables {
using K = WinMapKind;
using G = WinMapGroup;

std::vector<LayoutCase> Cases()
{
    return {
        {"fixed, percent and remainder in a column",
         {WinMapGroupBegin(G::Vertical, K::None), WinMapLeaf(K::Fixed, 101, 20), WinMapLeaf(K::Remainder, 102),
          WinMapLeaf(K::Percent, 103, 25), WinMapGroupEnd(), WinMapEnd()},
         {{101, {0, 0, 10, 10}}, {102, {0, 0, 10, 10}}, {103, {0, 0, 10, 10}}},
         {100, 200},
         {{101, {0, 0, 100, 20}}, {102, {0, 20, 100, 150}}, {103, {0, 150, 100, 200}}}},
        {"a row with margins and a spacer without minimum",
         {WinMapGroupBegin(G::Horizontal, K::None, 4, 2), WinMapLeaf(K::Fixed, 101, 30), WinMapSpacer(-10),
          WinMapLeaf(K::Remainder, 102), WinMapLeaf(K::Fixed, 103, 20), WinMapGroupEnd(), WinMapEnd()},
         {{101, {0, 0, 10, 10}}, {102, {0, 0, 5, 10}}, {103, {0, 0, 10, 10}}},
         {200, 50},
         {{101, {4, 2, 34, 48}}, {102, {44, 2, 176, 48}}, {103, {176, 2, 196, 48}}}},
        {"a row above a column: the column is the remainder",
         {WinMapGroupBegin(G::Vertical, K::None, 2, 2), WinMapGroupBegin(G::Horizontal, K::Fixed),
          WinMapLeaf(K::InitialSize, 101), WinMapLeaf(K::Remainder, 102), WinMapGroupEnd(),
          WinMapGroupBegin(G::Vertical, K::Remainder), WinMapLeaf(K::Fixed, 103, 15), WinMapLeaf(K::Remainder, 104),
          WinMapGroupEnd(), WinMapGroupEnd(), WinMapEnd()},
         {{101, {0, 0, 40, 20}}, {102, {0, 0, 10, 10}}, {103, {0, 0, 10, 10}}, {104, {0, 0, 10, 10}}},
         {120, 100},
         {{101, {2, 2, 42, 22}}, {102, {42, 2, 118, 22}}, {103, {2, 22, 118, 37}}, {104, {2, 37, 118, 98}}}},
        {"children that want more than the group has: the last get nothing",
         {WinMapGroupBegin(G::Vertical, K::None), WinMapLeaf(K::Fixed, 101, 30), WinMapLeaf(K::Fixed, 102, 30),
          WinMapLeaf(K::Fixed, 103, 30), WinMapGroupEnd(), WinMapEnd()},
         {{101, {0, 0, 10, 10}}, {102, {0, 0, 10, 10}}, {103, {0, 0, 10, 10}}},
         {100, 50},
         {{101, {0, 0, 100, 30}}, {102, {0, 30, 100, 50}}, {103, {0, 50, 100, 50}}}},
        {"a remainder before others gives way when the group is too small",
         {WinMapGroupBegin(G::Vertical, K::None), WinMapLeaf(K::Remainder, 101), WinMapLeaf(K::Fixed, 102, 40),
          WinMapGroupEnd(), WinMapEnd()},
         {{101, {0, 0, 10, 80}}, {102, {0, 0, 10, 10}}},
         {100, 100},
         {{101, {0, 0, 100, 60}}, {102, {0, 60, 100, 100}}}},
        {"but not below its minimum",
         {WinMapGroupBegin(G::Vertical, K::None), WinMapLeaf(K::Remainder, 101), WinMapLeaf(K::Fixed, 102, 40),
          WinMapGroupEnd(), WinMapEnd()},
         {{101, {0, 0, 10, 80}}, {102, {0, 0, 10, 10}}},
         {100, 100},
         {{101, {0, 0, 100, 70}}, {102, {0, 70, 100, 100}}},
         {{101, {{0, 70}, kLayoutNoMaximum}}}},
        {"margins larger than half the group are cut to half",
         {WinMapGroupBegin(G::Vertical, K::None, 80, 5), WinMapLeaf(K::Remainder, 101), WinMapGroupEnd(), WinMapEnd()},
         {{101, {0, 0, 10, 10}}},
         {100, 40},
         {{101, {50, 5, 50, 35}}}},
        {"a hidden control takes no space",
         {WinMapGroupBegin(G::Vertical, K::None), WinMapLeaf(K::InitialSize, 101), WinMapLeaf(K::InitialSize, 102),
          WinMapGroupEnd(), WinMapEnd()},
         {{101, {0, 0, 10, 30}, false}, {102, {0, 0, 10, 25}}},
         {100, 100},
         {{101, {0, 0, 100, 0}}, {102, {0, 0, 100, 25}}}},
        {"the window's answers bound the controls",
         {WinMapGroupBegin(G::Vertical, K::None), WinMapLeaf(K::InitialSize, 103), WinMapLeaf(K::Percent, 102, 10),
          WinMapLeaf(K::Remainder, 101), WinMapGroupEnd(), WinMapEnd()},
         {{101, {0, 0, 10, 10}}, {102, {0, 0, 10, 10}}, {103, {0, 0, 10, 100}}},
         {100, 200},
         {{103, {0, 0, 100, 30}}, {102, {0, 30, 100, 80}}, {101, {0, 80, 100, 200}}},
         {{102, {{50, 50}, kLayoutNoMaximum}}, {103, {{0, 0}, {kWinMapUnlimited, 30}}}}},
    };
}
}  // namespace WinMgrTables

RECT LaidOutChildRect(CWnd& parent, UINT id)
{
    RECT rect = {};
    if (CWnd* child = parent.GetDlgItem(static_cast<int>(id))) {
        child->GetWindowRect(&rect);
        parent.ScreenToClient(&rect);
    }
    return rect;
}

void MakeLayoutChildren(CWnd& parent, const std::vector<LayoutTestChild>& children)
{
    for (const LayoutTestChild& child : children) {
        const RECT& r = child.initial;
        CreateWindowExW(0, L"STATIC", L"", WS_CHILD | (child.visible ? WS_VISIBLE : 0), r.left, r.top,
                        r.right - r.left, r.bottom - r.top, parent.m_hWnd,
                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(child.id)), nullptr, nullptr);
    }
}
}

TEST(WinMgrTest, LaysOutTablesOfWindowMaps)
{
    // One visible window for all cases: showing a window under Xvfb takes
    // a while.
    CLayoutTestWindow window;
    ASSERT_TRUE(CreateTestPopup(window, true));
    for (const LayoutCase& layout : WinMgrTables::Cases()) {
        SCOPED_TRACE(layout.name);
        window.SetWindowPos(nullptr, 0, 0, layout.client.cx, layout.client.cy, SWP_NOMOVE | SWP_NOZORDER);
        window.m_answers = layout.answers;
        MakeLayoutChildren(window, layout.children);
        CWinMgr manager(layout.map.data());
        manager.ReadControlRects(&window);
        manager.GetMap()->rect = {0, 0, layout.client.cx, layout.client.cy};
        manager.LayoutGroup(manager.GetMap(), &window);
        manager.ApplyControlRects(&window);
        for (const LayoutExpectedRect& expected : layout.expected) {
            const RECT actual = LaidOutChildRect(window, expected.id);
            EXPECT_TRUE(EqualRect(&actual, &expected.rect))
                << "control " << expected.id << ": " << actual.left << "," << actual.top << "," << actual.right
                << "," << actual.bottom;
        }
        while (HWND child = ::GetWindow(window.m_hWnd, GW_CHILD))
            ::DestroyWindow(child);
    }
    window.DestroyWindow();
}

// A group's limits: along its direction the children's add up (a Fixed -4
// adds no minimum, a Fixed 4 does), across it the largest minimum and the
// smallest maximum count; the margins come on top.
TEST(WinMgrTest, GroupLimitsCombineTheChildrensRecords)
{
    CLayoutTestWindow window;
    ASSERT_TRUE(CreateTestPopup(window, true));
    MakeLayoutChildren(window, {{101, {0, 0, 10, 10}}, {102, {0, 0, 50, 40}}, {103, {0, 0, 10, 10}}});
    window.m_answers = {{102, {{30, 20}, {200, 100}}}};
    const std::vector<WinMapEntry> map = {WinMapGroupBegin(WinMapGroup::Vertical, WinMapKind::None, 3, 5),
                                          WinMapLeaf(WinMapKind::Fixed, 101, 4),
                                          WinMapSpacer(-4),
                                          WinMapLeaf(WinMapKind::InitialSize, 102),
                                          WinMapLeaf(WinMapKind::InitialSize, 103),
                                          WinMapGroupEnd(),
                                          WinMapEnd()};
    CWinMgr manager(map.data());
    manager.ReadControlRects(&window);
    WinSizeInfo info;
    manager.QuerySizeInfo(info, manager.GetMap(), &window);
    EXPECT_EQ(info.minimum.cx, 30 + 6);
    EXPECT_EQ(info.minimum.cy, 4 + 0 + 20 + 0 + 2 * 5);
    EXPECT_EQ(info.maximum.cx, 200);
    EXPECT_EQ(info.maximum.cy, kWinMapUnlimited) << "capped";
    EXPECT_EQ(info.desired.cy, 4 + 4 + 40 + 10 + 10);
    EXPECT_EQ(window.m_queries, 3) << "one query per control; none for the spacer and the group";

    // The leaf records alone.
    WinMapEntry* fixed = manager.FindEntry(101);
    manager.QuerySizeInfo(info, fixed, &window);
    EXPECT_EQ(info.minimum.cy, 4);
    EXPECT_EQ(info.maximum.cy, 4);
    manager.QuerySizeInfo(info, fixed->next, &window);
    EXPECT_EQ(info.minimum.cy, 0) << "a negative Fixed has no minimum";
    EXPECT_EQ(info.desired.cy, 4);
    window.DestroyWindow();
}

// Links follow the nesting, and a map that ends before its groups close is
// linked as far as it goes without reading past its end.
TEST(WinMgrTest, LinksSiblingsAndSurvivesAnUnclosedMap)
{
    const std::vector<WinMapEntry> map = {
        WinMapGroupBegin(WinMapGroup::Vertical, WinMapKind::None),
        WinMapLeaf(WinMapKind::Fixed, 101, 1),
        WinMapGroupBegin(WinMapGroup::Horizontal, WinMapKind::None),
        WinMapLeaf(WinMapKind::Fixed, 102, 1),
        WinMapGroupEnd(),
        WinMapLeaf(WinMapKind::Fixed, 103, 1),
        WinMapGroupEnd(),
        WinMapEnd(),
    };
    CWinMgr manager(map.data());
    WinMapEntry* first = manager.FindEntry(101);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->prev, nullptr);
    EXPECT_EQ(first->next, first + 1) << "the row";
    EXPECT_EQ(first->next->next, manager.FindEntry(103)) << "after the row's end";
    EXPECT_EQ(manager.FindEntry(102)->next, nullptr);
    EXPECT_EQ(manager.GetMap()->next, nullptr);

    const std::vector<WinMapEntry> unclosed = {
        WinMapGroupBegin(WinMapGroup::Vertical, WinMapKind::None),
        WinMapLeaf(WinMapKind::Fixed, 101, 1),
        WinMapGroupBegin(WinMapGroup::Horizontal, WinMapKind::None),
        WinMapEnd(),
    };
    CWinMgr broken(unclosed.data());
    EXPECT_NE(broken.FindEntry(101), nullptr);
    CWinMgr empty(nullptr);
    EXPECT_EQ(empty.GetMap(), nullptr);
    empty.ApplyControlRects(nullptr);
}
