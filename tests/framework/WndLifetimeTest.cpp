// CWnd lifetime: the exception boundary of the window procedure, subclassing
// and its undoing, the per-thread handle maps and their temporary objects,
// and objects that delete themselves when their window goes.
#include <afxwin.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <thread>

#include "WindowTestSupport.h"

namespace
{

const UINT WM_TEST_THROW_MFC = WM_APP + 10;
const UINT WM_TEST_THROW_STD = WM_APP + 11;
const UINT WM_TEST_THROW_INT = WM_APP + 12;
const UINT WM_TEST_ANSWER = WM_APP + 13;

class CThrowingWnd : public CWnd
{
public:
    bool m_bThrowOnCreate = false;
    bool m_bThrowOnPaint = false;
    int m_nPaints = 0;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (m_bThrowOnCreate)
            AfxThrowResourceException();
        return CWnd::OnCreate(lpCreateStruct);
    }
    afx_msg void OnPaint()
    {
        ++m_nPaints;
        if (m_bThrowOnPaint)
            throw std::runtime_error("paint failed");
        CWnd::OnPaint();
    }
    afx_msg LRESULT OnThrowMfc(WPARAM, LPARAM)
    {
        AfxThrowMemoryException();
    }
    afx_msg LRESULT OnThrowStd(WPARAM, LPARAM)
    {
        throw std::runtime_error("handler failed");
    }
    afx_msg LRESULT OnThrowInt(WPARAM, LPARAM)
    {
        throw 42;
    }
    afx_msg LRESULT OnAnswer(WPARAM, LPARAM)
    {
        return 99;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CThrowingWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_MESSAGE(WM_TEST_THROW_MFC, &CThrowingWnd::OnThrowMfc)
    ON_MESSAGE(WM_TEST_THROW_STD, &CThrowingWnd::OnThrowStd)
    ON_MESSAGE(WM_TEST_THROW_INT, &CThrowingWnd::OnThrowInt)
    ON_MESSAGE(WM_TEST_ANSWER, &CThrowingWnd::OnAnswer)
END_MESSAGE_MAP()

TEST(WndExceptionBoundary, AThrowingHandlerAnswersZeroAndTheWindowLivesOn)
{
    CThrowingWnd wnd;
    ASSERT_TRUE(CreateTestPopup(wnd));
    const UINT messages[] = {WM_TEST_THROW_MFC, WM_TEST_THROW_STD, WM_TEST_THROW_INT};
    for (UINT message : messages)
    {
        EXPECT_EQ(0, ::SendMessageW(wnd.m_hWnd, message, 0, 0)) << message;
        EXPECT_TRUE(::IsWindow(wnd.m_hWnd));
        EXPECT_EQ(99, ::SendMessageW(wnd.m_hWnd, WM_TEST_ANSWER, 0, 0));
    }
}

TEST(WndExceptionBoundary, AThrowingCreateFailsTheCreationAndLeavesNothingAttached)
{
    CThrowingWnd wnd;
    wnd.m_bThrowOnCreate = true;
    EXPECT_FALSE(CreateTestPopup(wnd));
    EXPECT_EQ(nullptr, wnd.m_hWnd);
}

TEST(WndExceptionBoundary, AThrowingPaintValidatesTheWindowSoItIsNotPaintedForever)
{
    CThrowingWnd wnd;
    ASSERT_TRUE(CreateTestPopup(wnd, true));
    wnd.UpdateWindow();
    wnd.m_nPaints = 0;
    wnd.m_bThrowOnPaint = true;
    wnd.Invalidate();
    wnd.UpdateWindow();
    EXPECT_EQ(1, wnd.m_nPaints);
    RECT update;
    EXPECT_FALSE(::GetUpdateRect(wnd.m_hWnd, &update, FALSE));
}

TEST(WndExceptionBoundary, AThrowingPostedMessageLeavesTheLoopRunning)
{
    CThrowingWnd wnd;
    ASSERT_TRUE(CreateTestPopup(wnd));
    wnd.PostMessage(WM_TEST_THROW_STD);
    EXPECT_TRUE(PumpUntil([&] {
        MSG msg;
        return !::PeekMessageW(&msg, wnd.m_hWnd, WM_TEST_THROW_STD, WM_TEST_THROW_STD, PM_NOREMOVE);
    }));
    EXPECT_EQ(99, ::SendMessageW(wnd.m_hWnd, WM_TEST_ANSWER, 0, 0));
}

TEST(WndSubclass, SubclassRoutesThroughTheObjectAndUnsubclassRestoresTheProcedure)
{
    HWND hWnd = ::CreateWindowExW(0, L"STATIC", L"raw", WS_POPUP, 0, 0, 50, 20, NULL, NULL, NULL, NULL);
    ASSERT_NE(nullptr, hWnd);
    LONG_PTR original = ::GetWindowLongPtrW(hWnd, GWLP_WNDPROC);

    CThrowingWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(hWnd));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(AfxGetAfxWndProc()), ::GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(hWnd));
    EXPECT_EQ(99, ::SendMessageW(hWnd, WM_TEST_ANSWER, 0, 0));
    // The control's own procedure still answers what the map does not.
    wchar_t text[8] = {};
    ::GetWindowTextW(hWnd, text, 8);
    EXPECT_STREQ(L"raw", text);
    // A second object cannot take a window that one already holds.
    CWnd other;
    EXPECT_FALSE(other.SubclassWindow(hWnd));

    EXPECT_EQ(hWnd, wnd.UnsubclassWindow());
    EXPECT_EQ(original, ::GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    EXPECT_EQ(0, ::SendMessageW(hWnd, WM_TEST_ANSWER, 0, 0));
    ::DestroyWindow(hWnd);
}

class CSelfDeletingWnd : public CWnd
{
public:
    explicit CSelfDeletingWnd(bool* pDeleted) : m_pDeleted(pDeleted)
    {
    }
    ~CSelfDeletingWnd() override
    {
        *m_pDeleted = true;
    }

protected:
    void PostNcDestroy() override
    {
        delete this;
    }

private:
    bool* m_pDeleted;
};

TEST(WndSubclass, DestroyingTheWindowDetachesAndRunsPostNcDestroy)
{
    bool bDeleted = false;
    CSelfDeletingWnd* pWnd = new CSelfDeletingWnd(&bDeleted);
    ASSERT_TRUE(CreateTestPopup(*pWnd));
    HWND hWnd = pWnd->m_hWnd;
    ::DestroyWindow(hWnd);
    EXPECT_TRUE(bDeleted);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}

TEST(WndSubclass, SubclassDlgItemFindsTheChildById)
{
    CWnd parent;
    ASSERT_TRUE(CreateTestPopup(parent));
    HWND hChild = ::CreateWindowExW(0, L"BUTTON", L"b", WS_CHILD, 0, 0, 20, 20, parent.m_hWnd,
                                    reinterpret_cast<HMENU>(77), NULL, NULL);
    CButton button;
    EXPECT_FALSE(button.SubclassDlgItem(78, &parent));
    ASSERT_TRUE(button.SubclassDlgItem(77, &parent));
    EXPECT_EQ(hChild, button.m_hWnd);
}

TEST(WndHandleMap, PermanentObjectsBelongToTheirThread)
{
    CWnd wnd;
    ASSERT_TRUE(CreateTestPopup(wnd));
    CWnd* pSeenElsewhere = &wnd;
    std::thread([&] { pSeenElsewhere = CWnd::FromHandlePermanent(wnd.m_hWnd); }).join();
    EXPECT_EQ(nullptr, pSeenElsewhere);
    EXPECT_EQ(&wnd, CWnd::FromHandle(wnd.m_hWnd));
}

const UINT WM_TEST_OUTER = WM_APP + 20;
const UINT WM_TEST_INNER = WM_APP + 21;

// Looks up a window no object holds while handling nested messages.
class CTempLookupWnd : public CWnd
{
public:
    HWND m_hOther = NULL;
    CWnd* m_pOuterTemp = nullptr;
    CWnd* m_pInnerTemp = nullptr;
    CWnd* m_pOuterAfterInner = nullptr;

protected:
    afx_msg LRESULT OnOuter(WPARAM, LPARAM)
    {
        m_pOuterTemp = CWnd::FromHandle(m_hOther);
        SendMessage(WM_TEST_INNER);
        m_pOuterAfterInner = CWnd::FromHandle(m_hOther);
        return 0;
    }
    afx_msg LRESULT OnInner(WPARAM, LPARAM)
    {
        m_pInnerTemp = CWnd::FromHandle(m_hOther);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTempLookupWnd, CWnd)
    ON_MESSAGE(WM_TEST_OUTER, &CTempLookupWnd::OnOuter)
    ON_MESSAGE(WM_TEST_INNER, &CTempLookupWnd::OnInner)
END_MESSAGE_MAP()

TEST(WndHandleMap, TemporaryObjectsLastUntilTheOutermostMessageReturns)
{
    HWND hOther = ::CreateWindowExW(0, L"STATIC", L"other", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    CTempLookupWnd wnd;
    ASSERT_TRUE(CreateTestPopup(wnd));
    wnd.m_hOther = hOther;
    wnd.SendMessage(WM_TEST_OUTER);

    ASSERT_NE(nullptr, wnd.m_pOuterTemp);
    EXPECT_EQ(wnd.m_pOuterTemp, wnd.m_pOuterAfterInner);
    EXPECT_EQ(wnd.m_pOuterTemp, wnd.m_pInnerTemp);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hOther));
    // The freed temporary's block goes to the first allocation of its size,
    // so a lookup now makes a different object.
    std::unique_ptr<CWnd> pBlocker(new CWnd);
    CWnd* pAfter = CWnd::FromHandle(hOther);
    EXPECT_NE(wnd.m_pOuterTemp, pAfter);
    EXPECT_EQ(hOther, pAfter->m_hWnd);
    CWnd::DeleteTempMap();
    ::DestroyWindow(hOther);
}

TEST(WndHandleMap, TemporaryObjectsMadeBeforeAMessageOutliveIt)
{
    HWND hOther = ::CreateWindowExW(0, L"STATIC", L"other", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    CWnd* pBefore = CWnd::FromHandle(hOther);
    CTempLookupWnd wnd;
    ASSERT_TRUE(CreateTestPopup(wnd));
    wnd.m_hOther = hOther;
    wnd.SendMessage(WM_TEST_OUTER);

    EXPECT_EQ(pBefore, wnd.m_pOuterTemp);
    EXPECT_EQ(pBefore, CWnd::FromHandle(hOther));
    EXPECT_EQ(hOther, pBefore->m_hWnd);
    CWnd::DeleteTempMap();
    ::DestroyWindow(hOther);
}

TEST(WndHandleMap, DestroyingThroughATemporaryObjectLeavesItDetached)
{
    HWND hWnd = ::CreateWindowExW(0, L"STATIC", L"t", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    CWnd* pTemp = CWnd::FromHandle(hWnd);
    EXPECT_TRUE(pTemp->DestroyWindow());
    EXPECT_EQ(nullptr, pTemp->m_hWnd);
    EXPECT_FALSE(::IsWindow(hWnd));
    CWnd::DeleteTempMap();
}

const UINT WM_TEST_SWALLOWED = WM_APP + 30;

// Takes one message before it is dispatched, and throws on another.
class CFilteringWnd : public CWnd
{
public:
    int m_nOffered = 0;

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        ++m_nOffered;
        if (pMsg->message == WM_TEST_THROW_STD)
            throw std::runtime_error("filter failed");
        return pMsg->message == WM_TEST_SWALLOWED;
    }
};

TEST(WndPreTranslate, TheThreadOffersAChildsMessageToItsAncestors)
{
    CFilteringWnd parent;
    ASSERT_TRUE(CreateTestPopup(parent));
    CStatic child;
    ASSERT_TRUE(child.Create(L"", WS_VISIBLE, CRect(0, 0, 10, 10), &parent));
    CWinThread thread;
    thread.m_pMainWnd = &parent;

    MSG swallowed = {child.m_hWnd, WM_TEST_SWALLOWED, 0, 0, 0, {0, 0}};
    EXPECT_TRUE(thread.PreTranslateMessage(&swallowed));
    MSG passed = {child.m_hWnd, WM_TEST_ANSWER, 0, 0, 0, {0, 0}};
    EXPECT_FALSE(thread.PreTranslateMessage(&passed));
    MSG throwing = {child.m_hWnd, WM_TEST_THROW_STD, 0, 0, 0, {0, 0}};
    EXPECT_FALSE(thread.PreTranslateMessage(&throwing));
    MSG threadMessage = {NULL, WM_TEST_SWALLOWED, 0, 0, 0, {0, 0}};
    EXPECT_FALSE(thread.PreTranslateMessage(&threadMessage));
    EXPECT_EQ(3, parent.m_nOffered);
    thread.m_pMainWnd = nullptr;
}

} // namespace
