// CRectTracker::TrackRubberBand driven by mouse messages in the queue.
#include <afxext.h>

#include <gtest/gtest.h>

#include "WindowTestSupport.h"

namespace
{

struct RubberBandCase
{
    const char* name;
    CPoint start;
    // Queued before tracking starts: moves, then the ending message.
    UINT endMessage;
    WPARAM endWParam;
    CPoint end;
    BOOL bAllowInvert;
    BOOL expectedResult;
    CRect expectedRect;
};

TEST(RectTracker, RubberBandFollowsTheMouseUntilTheButtonGoesUp)
{
    const RubberBandCase cases[] = {
        {"down-right", CPoint(10, 20), WM_LBUTTONUP, 0, CPoint(60, 70), TRUE, TRUE, CRect(10, 20, 60, 70)},
        {"inverted kept", CPoint(60, 70), WM_LBUTTONUP, 0, CPoint(10, 20), TRUE, TRUE, CRect(60, 70, 10, 20)},
        {"inverted normalised", CPoint(60, 70), WM_LBUTTONUP, 0, CPoint(10, 20), FALSE, TRUE, CRect(10, 20, 60, 70)},
        {"outside the window", CPoint(5, 5), WM_LBUTTONUP, 0, CPoint(-20, 30), TRUE, TRUE, CRect(5, 5, -20, 30)},
        {"no area", CPoint(30, 30), WM_LBUTTONUP, 0, CPoint(30, 80), TRUE, FALSE, CRect(30, 30, 30, 80)},
        {"escape", CPoint(10, 10), WM_KEYDOWN, VK_ESCAPE, CPoint(0, 0), TRUE, FALSE, CRect(10, 10, 50, 50)},
        {"right button", CPoint(10, 10), WM_RBUTTONDOWN, 0, CPoint(0, 0), TRUE, FALSE, CRect(10, 10, 50, 50)},
    };
    CWnd wnd;
    ASSERT_TRUE(CreateTestPopup(wnd));
    for (const RubberBandCase& c : cases)
    {
        wnd.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(50, 50));
        wnd.PostMessage(c.endMessage, c.endWParam, MAKELPARAM(c.end.x, c.end.y));
        CRectTracker tracker;
        EXPECT_EQ(c.expectedResult, tracker.TrackRubberBand(&wnd, c.start, c.bAllowInvert)) << c.name;
        EXPECT_EQ(c.expectedRect, tracker.m_rect) << c.name;
        EXPECT_EQ(nullptr, ::GetCapture()) << c.name;
    }
}

} // namespace
