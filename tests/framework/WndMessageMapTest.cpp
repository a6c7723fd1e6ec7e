// Message maps: real messages sent to a real window reach the handler of
// their entry with MFC's arguments and result; a derived map is searched
// before its base's; commands, ranges, notifications and update handlers.
#include <afxwin.h>

#include <gtest/gtest.h>

#include <string>

#include "WindowTestSupport.h"

namespace
{

const UINT WM_TEST_CUSTOM = WM_APP + 1;
const UINT WM_TEST_UNMAPPED = WM_APP + 50;
const UINT kCommandOne = 100;
const UINT kRangeFirst = 200;
const UINT kRangeLast = 210;
const UINT kNotifier = 300;
const UINT WM_TEST_REGISTERED = ::RegisterWindowMessageW(L"FrameworkTestRegistered");

std::wstring Format(LPCWSTR lpszFormat, long a, long b = 0, long c = 0)
{
    wchar_t text[80];
    ::swprintf(text, 80, lpszFormat, a, b, c);
    return text;
}

class CRecordingWnd : public CWnd
{
public:
    std::wstring m_log;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        m_log += L"create;";
        return CWnd::OnCreate(lpCreateStruct);
    }
    afx_msg void OnSize(UINT nType, int cx, int cy)
    {
        m_log += Format(L"size %ld %ld,%ld;", nType, cx, cy);
    }
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point)
    {
        m_log += Format(L"down %ld %ld,%ld;", nFlags, point.x, point.y);
    }
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
    {
        m_log += Format(L"wheel %ld %ld %ld;", nFlags, zDelta, pt.x);
        return TRUE;
    }
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        m_log += Format(L"key %ld %ld %ld;", nChar, nRepCnt, nFlags);
    }
    afx_msg void OnTimer(UINT_PTR nIDEvent)
    {
        m_log += Format(L"timer %ld;", static_cast<long>(nIDEvent));
    }
    afx_msg LRESULT OnNcHitTest(CPoint point)
    {
        m_log += Format(L"hit %ld,%ld;", point.x, point.y);
        return HTCAPTION;
    }
    afx_msg BOOL OnEraseBkgnd(CDC* pDC)
    {
        m_log += pDC != NULL && pDC->m_hDC != NULL ? L"erase;" : L"erase without DC;";
        return 5;
    }
    afx_msg HBRUSH OnCtlColor(CDC*, CWnd* pWnd, UINT nCtlColor)
    {
        m_log += Format(L"ctlcolor %ld %ld;", static_cast<long>(nCtlColor), pWnd != NULL);
        return static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
    }
    afx_msg LRESULT OnCustom(WPARAM wParam, LPARAM lParam)
    {
        m_log += L"custom;";
        return static_cast<LRESULT>(wParam + lParam);
    }
    afx_msg LRESULT OnRegistered(WPARAM wParam, LPARAM)
    {
        m_log += L"registered;";
        return static_cast<LRESULT>(wParam * 2);
    }
    afx_msg void OnCommandOne()
    {
        m_log += L"one;";
    }
    afx_msg void OnRange(UINT nID)
    {
        m_log += Format(L"range %ld;", nID);
    }
    afx_msg void OnUpdateOne(CCmdUI* pCmdUI)
    {
        m_log += L"update;";
        pCmdUI->Enable(FALSE);
    }
    afx_msg void OnNotifyClick(NMHDR* pNMHDR, LRESULT* pResult)
    {
        m_log += Format(L"notify %ld;", static_cast<long>(pNMHDR->idFrom));
        *pResult = 7;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRecordingWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEWHEEL()
    ON_WM_KEYDOWN()
    ON_WM_TIMER()
    ON_WM_NCHITTEST()
    ON_WM_ERASEBKGND()
    ON_WM_CTLCOLOR()
    ON_MESSAGE(WM_TEST_CUSTOM, &CRecordingWnd::OnCustom)
    ON_REGISTERED_MESSAGE(WM_TEST_REGISTERED, &CRecordingWnd::OnRegistered)
    ON_COMMAND(kCommandOne, &CRecordingWnd::OnCommandOne)
    ON_COMMAND_RANGE(kRangeFirst, kRangeLast, &CRecordingWnd::OnRange)
    ON_UPDATE_COMMAND_UI(kCommandOne, &CRecordingWnd::OnUpdateOne)
    ON_NOTIFY(NM_CLICK, kNotifier, &CRecordingWnd::OnNotifyClick)
END_MESSAGE_MAP()

// Overrides one handler of its base and adds one; the rest comes from the
// base's map.
class CDerivedWnd : public CRecordingWnd
{
protected:
    afx_msg void OnSize(UINT, int cx, int)
    {
        m_log += Format(L"derived size %ld;", cx);
    }
    afx_msg void OnMouseMove(UINT, CPoint point)
    {
        m_log += Format(L"move %ld;", point.x);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWnd, CRecordingWnd)
    ON_WM_SIZE()
    ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

struct MessageCase
{
    const char* name;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    const wchar_t* expectedLog;
    LRESULT expectedResult;
};

class WndMessageMap : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateTestPopup(m_wnd));
        m_wnd.m_log.clear();
    }

    CDerivedWnd m_wnd;
};

TEST_F(WndMessageMap, CreateReachesTheHandlerBeforeCreateReturns)
{
    CRecordingWnd wnd;
    ASSERT_TRUE(CreateTestPopup(wnd));
    EXPECT_EQ(L"create;", wnd.m_log.substr(0, 7));
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(wnd.m_hWnd));
}

TEST_F(WndMessageMap, EachEntryUnpacksItsMessageAndAnswersItsResult)
{
    const MessageCase cases[] = {
        {"size", WM_SIZE, SIZE_RESTORED, MAKELPARAM(120, 80), L"derived size 120;", 0},
        {"negative point", WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-5, 7), L"down 1 -5,7;", 0},
        {"derived only", WM_MOUSEMOVE, 0, MAKELPARAM(33, 1), L"move 33;", 0},
        {"wheel", WM_MOUSEWHEEL, MAKEWPARAM(MK_SHIFT, -120), MAKELPARAM(9, 9), L"wheel 4 -120 9;", TRUE},
        {"key", WM_KEYDOWN, VK_LEFT, MAKELPARAM(3, 0x4B), L"key 37 3 75;", 0},
        {"timer", WM_TIMER, 42, 0, L"timer 42;", 0},
        {"hit test", WM_NCHITTEST, 0, MAKELPARAM(300, 200), L"hit 300,200;", HTCAPTION},
        {"custom", WM_TEST_CUSTOM, 3, 4, L"custom;", 7},
        {"registered", WM_TEST_REGISTERED, 21, 0, L"registered;", 42},
        {"command", WM_COMMAND, MAKEWPARAM(kCommandOne, 0), 0, L"one;", 1},
        {"accelerator", WM_COMMAND, MAKEWPARAM(kCommandOne, 1), 0, L"one;", 1},
        {"range first", WM_COMMAND, MAKEWPARAM(kRangeFirst, 0), 0, L"range 200;", 1},
        {"range last", WM_COMMAND, MAKEWPARAM(kRangeLast, 0), 0, L"range 210;", 1},
        {"outside range", WM_COMMAND, MAKEWPARAM(kRangeLast + 1, 0), 0, L"", 0},
        {"unmapped", WM_TEST_UNMAPPED, 1, 2, L"", 0},
    };
    for (const MessageCase& c : cases)
    {
        m_wnd.m_log.clear();
        LRESULT lResult = ::SendMessageW(m_wnd.m_hWnd, c.message, c.wParam, c.lParam);
        EXPECT_EQ(c.expectedLog, m_wnd.m_log) << c.name;
        EXPECT_EQ(c.expectedResult, lResult) << c.name;
    }
}

TEST_F(WndMessageMap, EraseBackgroundGetsTheDcOfTheMessage)
{
    HDC hDC = ::GetDC(m_wnd.m_hWnd);
    EXPECT_EQ(5, ::SendMessageW(m_wnd.m_hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hDC), 0));
    ::ReleaseDC(m_wnd.m_hWnd, hDC);
    EXPECT_EQ(L"erase;", m_wnd.m_log);
}

TEST_F(WndMessageMap, TheWholeCtlColorFamilyReachesOneHandlerWithItsKind)
{
    CStatic label;
    ASSERT_TRUE(label.Create(L"label", WS_VISIBLE, CRect(0, 0, 50, 20), &m_wnd, 400));
    m_wnd.m_log.clear();
    HDC hDC = ::GetDC(label.m_hWnd);
    const UINT messages[] = {WM_CTLCOLOREDIT, WM_CTLCOLORBTN, WM_CTLCOLORSTATIC};
    for (UINT message : messages)
    {
        LRESULT lResult = ::SendMessageW(m_wnd.m_hWnd, message, reinterpret_cast<WPARAM>(hDC),
                                         reinterpret_cast<LPARAM>(label.m_hWnd));
        EXPECT_EQ(reinterpret_cast<LRESULT>(::GetStockObject(GRAY_BRUSH)), lResult);
    }
    ::ReleaseDC(label.m_hWnd, hDC);
    EXPECT_EQ(L"ctlcolor 1 1;ctlcolor 3 1;ctlcolor 6 1;", m_wnd.m_log);
}

TEST_F(WndMessageMap, NotificationsReachTheirEntryByCodeAndControlId)
{
    NMHDR header = {m_wnd.m_hWnd, kNotifier, static_cast<UINT>(NM_CLICK)};
    EXPECT_EQ(7, ::SendMessageW(m_wnd.m_hWnd, WM_NOTIFY, kNotifier, reinterpret_cast<LPARAM>(&header)));
    EXPECT_EQ(L"notify 300;", m_wnd.m_log);

    m_wnd.m_log.clear();
    NMHDR otherCode = {m_wnd.m_hWnd, kNotifier, static_cast<UINT>(NM_DBLCLK)};
    EXPECT_EQ(0, ::SendMessageW(m_wnd.m_hWnd, WM_NOTIFY, kNotifier, reinterpret_cast<LPARAM>(&otherCode)));
    NMHDR otherId = {m_wnd.m_hWnd, kNotifier + 1, static_cast<UINT>(NM_CLICK)};
    EXPECT_EQ(0, ::SendMessageW(m_wnd.m_hWnd, WM_NOTIFY, kNotifier + 1, reinterpret_cast<LPARAM>(&otherId)));
    EXPECT_EQ(L"", m_wnd.m_log);
}

TEST_F(WndMessageMap, ButtonClickRoutesToItsCommandEntry)
{
    CButton button;
    ASSERT_TRUE(button.Create(L"one", WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 60, 24), &m_wnd, kCommandOne));
    m_wnd.m_log.clear();
    button.SendMessage(BM_CLICK);
    // Painting the button may come first.
    EXPECT_EQ(L"one;", m_wnd.m_log.substr(m_wnd.m_log.size() - 4));
}

TEST_F(WndMessageMap, UpdateHandlersSetTheControlStateAndUnhandledCommandsAreDisabled)
{
    CButton handled, unhandled;
    ASSERT_TRUE(handled.Create(L"one", WS_VISIBLE, CRect(0, 0, 60, 24), &m_wnd, kCommandOne));
    ASSERT_TRUE(unhandled.Create(L"none", WS_VISIBLE, CRect(0, 30, 60, 54), &m_wnd, kRangeLast + 5));

    CCmdUI state;
    state.m_nID = kCommandOne;
    state.m_pOther = &handled;
    EXPECT_TRUE(state.DoUpdate(&m_wnd, TRUE));
    EXPECT_FALSE(handled.IsWindowEnabled());
    EXPECT_EQ(L"update;", m_wnd.m_log.substr(0, 7));

    CCmdUI missing;
    missing.m_nID = kRangeLast + 5;
    missing.m_pOther = &unhandled;
    EXPECT_FALSE(missing.DoUpdate(&m_wnd, TRUE));
    EXPECT_FALSE(unhandled.IsWindowEnabled());
}

TEST_F(WndMessageMap, RealTimerMessagesArriveThroughTheQueue)
{
    m_wnd.SetTimer(9, 10);
    EXPECT_TRUE(PumpUntil([&] { return m_wnd.m_log.find(L"timer 9;") != std::wstring::npos; }));
    m_wnd.KillTimer(9);
}

TEST(WndDowncast, DynamicDowncastChecksTheRuntimeClass)
{
    CButton button;
    CWnd* pWnd = &button;
    EXPECT_EQ(&button, DYNAMIC_DOWNCAST(CButton, pWnd));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CStatic, pWnd));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CButton, static_cast<CWnd*>(nullptr)));
}

} // namespace
