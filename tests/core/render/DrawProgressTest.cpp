// WM_DRAWPROGRESS while the GDI pass draws.
#include "RenderFixture.h"
#include <utility>
#include <vector>

namespace {
typedef std::vector<std::pair<WPARAM, LPARAM>> Posts;

class DrawProgress : public RenderFixture {
protected:
    void SetUp() override
    {
        RenderFixture::SetUp();
        m_window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        ASSERT_NE(m_window, nullptr);
    }
    void TearDown() override
    {
        DestroyWindow(m_window);
        RenderFixture::TearDown();
    }
    Posts Draw()
    {
        DrawData request = Request();
        request.progressWnd = m_window;
        Render(request);
        Posts posts;
        MSG msg;
        while (PeekMessageW(&msg, m_window, WM_DRAWPROGRESS, WM_DRAWPROGRESS, PM_REMOVE))
            posts.emplace_back(msg.wParam, msg.lParam);
        return posts;
    }

    HWND m_window = nullptr;
};
}

TEST_F(DrawProgress, EmptyDrawingPostsOnlyTheTotal)
{
    EXPECT_EQ(Draw(), (Posts{{0, 0}}));
}

TEST_F(DrawProgress, EveryStepOfThreeHundredAndSixty)
{
    for (int i = 0; i < 720; ++i)
        AddLine(At(1, 1), At(5, 5));
    Posts expected = {{0, 720}};
    for (LPARAM remaining = 720; remaining >= 2; remaining -= 2)
        expected.emplace_back(1, remaining);
    EXPECT_EQ(Draw(), expected);
}

TEST_F(DrawProgress, SmallDrawingsPostEveryFigureButNotSolids)
{
    AddLine(At(1, 1), At(5, 5));
    B_FigPolyline* outline = new B_FigPolyline;
    outline->points = {At(1, 1), At(9, 1), At(9, 9)};
    B_FigSolid* solid = new B_FigSolid(1, B_FigSolid::kNoParameter);
    solid->child = outline;
    Add(solid);
    // Three nodes in all (the solid is also a figure); the solid pass counts
    // down without posting.
    EXPECT_EQ(Draw(), (Posts{{0, 3}, {1, 1}, {1, 0}}));
}

TEST_F(DrawProgress, AGoneWindowOnlyStopsTheMessages)
{
    AddLine(At(1, 1), At(5, 5), 1, RGB(255, 0, 0));
    DestroyWindow(m_window);
    DrawData request = Request();
    request.progressWnd = m_window;
    EXPECT_EQ(Render(request).At(2, 2), RGB(255, 0, 0));
    m_window = nullptr;
}
