// The frame lays out its bars through WM_SIZEPARENT, runs its delayed
// layout at idle time, and dialog controls take their state from reflected,
// own or routed update handlers.
#include <afxwin.h>
#include <afxpriv.h>

#include <gtest/gtest.h>

#include "WindowTestSupport.h"

namespace
{

const UINT kTopBarId = AFX_IDW_CONTROLBAR_FIRST;
const UINT kBottomBarId = AFX_IDW_CONTROLBAR_FIRST + 1;

// A bar that takes m_nHeight pixels at the top or the bottom of the room
// the frame offers.
class CEdgeBar : public CWnd
{
public:
    CEdgeBar(int nHeight, bool bTop) : m_nHeight(nHeight), m_bTop(bTop) {}
    int m_nSizeParentCalls = 0;

protected:
    afx_msg LRESULT OnSizeParent(WPARAM, LPARAM lParam)
    {
        ++m_nSizeParentCalls;
        auto* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
        CRect rect = pLayout->rect;
        if (m_bTop)
        {
            rect.bottom = rect.top + m_nHeight;
            pLayout->rect.top += m_nHeight;
        }
        else
        {
            rect.top = rect.bottom - m_nHeight;
            pLayout->rect.bottom -= m_nHeight;
        }
        pLayout->sizeTotal.cx = rect.Width();
        pLayout->sizeTotal.cy += m_nHeight;
        if (pLayout->hDWP != NULL)
            AfxRepositionWindow(pLayout, m_hWnd, &rect);
        return 0;
    }
    DECLARE_MESSAGE_MAP()

private:
    int m_nHeight;
    bool m_bTop;
};

BEGIN_MESSAGE_MAP(CEdgeBar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, &CEdgeBar::OnSizeParent)
END_MESSAGE_MAP()

class CCountedFrame : public CFrameWnd
{
public:
    static int& Live()
    {
        static int live = 0;
        return live;
    }
    CCountedFrame() { ++Live(); }
    ~CCountedFrame() override { --Live(); }
};

CRect ChildRect(CWnd& parent, CWnd& child)
{
    CRect rect;
    child.GetWindowRect(&rect);
    parent.ScreenToClient(&rect);
    return rect;
}

class FrameWndTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CCountedFrame;
        ASSERT_TRUE(m_pFrame->Create(NULL, L"frame", WS_POPUP, CRect(30, 30, 330, 230)));
        LPCTSTR lpszClass = AfxRegisterWndClass(0);
        const DWORD childStyle = WS_CHILD | WS_VISIBLE;
        ASSERT_TRUE(m_top.CreateEx(0, lpszClass, L"", childStyle, CRect(0, 0, 1, 1), m_pFrame, kTopBarId));
        ASSERT_TRUE(m_bottom.CreateEx(0, lpszClass, L"", childStyle, CRect(0, 0, 1, 1), m_pFrame, kBottomBarId));
        ASSERT_TRUE(m_pane.CreateEx(0, lpszClass, L"", childStyle, CRect(0, 0, 1, 1), m_pFrame, AFX_IDW_PANE_FIRST));
    }
    void TearDown() override
    {
        if (m_pFrame != NULL && m_pFrame->GetSafeHwnd() != NULL)
            m_pFrame->DestroyWindow();
        EXPECT_EQ(0, CCountedFrame::Live());
    }

    CCountedFrame* m_pFrame = NULL; // deletes itself with its window
    CEdgeBar m_top{24, true};
    CEdgeBar m_bottom{10, false};
    CWnd m_pane;
};

TEST_F(FrameWndTest, RecalcLayoutPlacesBarsAtTheEdgesAndThePaneInBetween)
{
    m_pFrame->RecalcLayout();

    CRect client;
    m_pFrame->GetClientRect(&client);
    EXPECT_EQ(CRect(0, 0, client.right, 24), ChildRect(*m_pFrame, m_top));
    EXPECT_EQ(CRect(0, client.bottom - 10, client.right, client.bottom), ChildRect(*m_pFrame, m_bottom));
    EXPECT_EQ(CRect(0, 24, client.right, client.bottom - 10), ChildRect(*m_pFrame, m_pane));
}

TEST_F(FrameWndTest, QueryingTheLayoutMovesNothing)
{
    m_pFrame->RecalcLayout();
    const CRect paneBefore = ChildRect(*m_pFrame, m_pane);
    CRect client(0, 0, 200, 100);

    CRect remaining;
    m_pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &remaining, &client);
    EXPECT_EQ(CRect(0, 24, 200, 90), remaining);
    CRect total;
    m_pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &total, &client, FALSE);
    EXPECT_EQ(CRect(0, 0, 200, 34), total);

    EXPECT_EQ(paneBefore, ChildRect(*m_pFrame, m_pane));
    CRect topRect = ChildRect(*m_pFrame, m_top);
    EXPECT_NE(200, topRect.Width());
}

TEST_F(FrameWndTest, BarsOutsideTheIdRangeAreNotAsked)
{
    const int topCalls = m_top.m_nSizeParentCalls;
    CRect remaining;
    m_pFrame->RepositionBars(kBottomBarId, kBottomBarId, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &remaining);
    EXPECT_EQ(topCalls, m_top.m_nSizeParentCalls);
    EXPECT_GT(m_bottom.m_nSizeParentCalls, 0);
}

TEST_F(FrameWndTest, ExtraBordersShrinkTheLeftOverPane)
{
    CRect borders(2, 3, 4, 5);
    m_pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposExtra, &borders);
    CRect client;
    m_pFrame->GetClientRect(&client);
    EXPECT_EQ(CRect(2, 27, client.right - 4, client.bottom - 15), ChildRect(*m_pFrame, m_pane));
}

TEST_F(FrameWndTest, DelayedLayoutRunsAtTheIdleUpdateAndClearsTheFlags)
{
    m_pFrame->RecalcLayout();
    m_pFrame->SetWindowPos(NULL, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER);
    m_pane.MoveWindow(0, 0, 5, 5);
    m_pFrame->DelayRecalcLayout();
    EXPECT_EQ(UINT(CFrameWnd::idleLayout | CFrameWnd::idleNotify), m_pFrame->m_nIdleFlags);
    EXPECT_EQ(CRect(0, 0, 5, 5), ChildRect(*m_pFrame, m_pane));

    m_pFrame->SendMessage(WM_IDLEUPDATECMDUI, TRUE);

    EXPECT_EQ(0u, m_pFrame->m_nIdleFlags);
    CRect client;
    m_pFrame->GetClientRect(&client);
    EXPECT_EQ(CRect(0, 24, client.right, client.bottom - 10), ChildRect(*m_pFrame, m_pane));
}

TEST_F(FrameWndTest, ParentFrameIsFoundFromAGrandchild)
{
    CWnd grandchild;
    ASSERT_TRUE(grandchild.CreateEx(0, AfxRegisterWndClass(0), L"", WS_CHILD, CRect(0, 0, 5, 5), &m_pane, 7));
    EXPECT_EQ(m_pFrame, grandchild.GetParentFrame());
    EXPECT_EQ(NULL, m_pFrame->GetParentFrame());
    EXPECT_FALSE(m_pFrame->IsHelpMode());
    m_pFrame->m_bHelpMode = HELP_ACTIVE;
    EXPECT_TRUE(m_pFrame->IsHelpMode());
}

TEST_F(FrameWndTest, EnableToolTipsAnswersThePreviousSetting)
{
    EXPECT_FALSE(m_pane.EnableToolTips(TRUE));
    EXPECT_TRUE(m_pane.EnableToolTips(FALSE));
    EXPECT_FALSE(m_pane.EnableToolTips(TRUE));
}

// --- UpdateDialogControls --------------------------------------------------

const UINT kReflectedId = 601;
const UINT kParentHandledId = 602;
const UINT kRoutedId = 603;
const UINT kUnhandledPushId = 604;
const UINT kUnhandledCheckId = 605;

class CSelfUpdatingButton : public CButton
{
public:
    int m_nUpdates = 0;

protected:
    afx_msg void OnUpdateSelf(CCmdUI* pCmdUI)
    {
        ++m_nUpdates;
        pCmdUI->Enable(FALSE);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSelfUpdatingButton, CButton)
    ON_UPDATE_COMMAND_UI_REFLECT(&CSelfUpdatingButton::OnUpdateSelf)
END_MESSAGE_MAP()

class CDialogParent : public CWnd
{
public:
    int m_nParentUpdates = 0;

protected:
    afx_msg void OnUpdateParentHandled(CCmdUI* pCmdUI)
    {
        ++m_nParentUpdates;
        pCmdUI->SetCheck(1);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDialogParent, CWnd)
    ON_UPDATE_COMMAND_UI(kParentHandledId, &CDialogParent::OnUpdateParentHandled)
END_MESSAGE_MAP()

class CRoutedTarget : public CCmdTarget
{
public:
    int m_nRoutedUpdates = 0;
    UINT m_nLastId = 0;

protected:
    afx_msg void OnUpdateRouted(CCmdUI* pCmdUI)
    {
        ++m_nRoutedUpdates;
        m_nLastId = pCmdUI->m_nID;
        pCmdUI->Enable(FALSE);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRoutedTarget, CCmdTarget)
    ON_UPDATE_COMMAND_UI(kRoutedId, &CRoutedTarget::OnUpdateRouted)
    // The parent's own handler must win: this one would uncheck.
    ON_UPDATE_COMMAND_UI(kParentHandledId, &CRoutedTarget::OnUpdateRouted)
END_MESSAGE_MAP()

TEST(UpdateDialogControlsTest, ReflectedThenOwnThenRoutedHandlersAndDisablingWithoutOne)
{
    CDialogParent parent;
    ASSERT_TRUE(CreateTestPopup(parent));
    CSelfUpdatingButton reflected;
    CButton parentHandled, routed, unhandledPush, unhandledCheck;
    const DWORD style = WS_CHILD | WS_VISIBLE;
    ASSERT_TRUE(reflected.Create(L"r", style | BS_PUSHBUTTON, CRect(0, 0, 20, 20), &parent, kReflectedId));
    ASSERT_TRUE(parentHandled.Create(L"p", style | BS_CHECKBOX, CRect(0, 20, 20, 40), &parent, kParentHandledId));
    ASSERT_TRUE(routed.Create(L"t", style | BS_PUSHBUTTON, CRect(0, 40, 20, 60), &parent, kRoutedId));
    ASSERT_TRUE(unhandledPush.Create(L"u", style | BS_PUSHBUTTON, CRect(0, 60, 20, 80), &parent, kUnhandledPushId));
    ASSERT_TRUE(
        unhandledCheck.Create(L"c", style | BS_AUTOCHECKBOX, CRect(0, 80, 20, 100), &parent, kUnhandledCheckId));
    CRoutedTarget target;

    parent.UpdateDialogControls(&target, TRUE);

    EXPECT_EQ(1, reflected.m_nUpdates);
    EXPECT_FALSE(reflected.IsWindowEnabled());
    EXPECT_EQ(1, parent.m_nParentUpdates);
    EXPECT_EQ(BST_CHECKED, parentHandled.SendMessage(BM_GETCHECK));
    EXPECT_EQ(1, target.m_nRoutedUpdates);
    EXPECT_EQ(kRoutedId, target.m_nLastId);
    EXPECT_FALSE(routed.IsWindowEnabled());
    EXPECT_FALSE(unhandledPush.IsWindowEnabled());
    EXPECT_TRUE(unhandledCheck.IsWindowEnabled());

    unhandledPush.EnableWindow(TRUE);
    parent.UpdateDialogControls(&target, FALSE);
    EXPECT_TRUE(unhandledPush.IsWindowEnabled());
    parent.DestroyWindow();
}

} // namespace

namespace
{

class CPassingTarget : public CCmdTarget
{
public:
    int m_nCalls = 0;

protected:
    afx_msg void OnUpdatePass(CCmdUI* pCmdUI)
    {
        ++m_nCalls;
        pCmdUI->ContinueRouting();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPassingTarget, CCmdTarget)
    ON_UPDATE_COMMAND_UI(kRoutedId, &CPassingTarget::OnUpdatePass)
END_MESSAGE_MAP()

TEST(UpdateDialogControlsTest, AHandlerThatContinuesRoutingCountsAsNone)
{
    CPassingTarget target;
    CCmdUI state;
    state.m_nID = kRoutedId;
    EXPECT_FALSE(state.DoUpdate(&target, FALSE));
    EXPECT_EQ(1, target.m_nCalls);
}

} // namespace
