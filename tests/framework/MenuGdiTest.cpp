// CMenu, CBitmap, the command target's reference count and AfxMessageBox.
#include <afxwin.h>

#include <gtest/gtest.h>

namespace
{

class CCountedTarget : public CCmdTarget
{
public:
    explicit CCountedTarget(int* pDeleted) : m_pDeleted(pDeleted)
    {
    }
    ~CCountedTarget() override
    {
        ++*m_pDeleted;
    }

private:
    int* m_pDeleted;
};

// Answers the message boxes of the thread with IDOK, noting whether one
// showed the text "Question?" and its caption.
class CMessageBoxAnswer
{
public:
    CMessageBoxAnswer()
    {
        s_pThis = this;
        m_hHook = ::SetWindowsHookExW(WH_CBT, &Hook, NULL, ::GetCurrentThreadId());
    }
    ~CMessageBoxAnswer()
    {
        ::UnhookWindowsHookEx(m_hHook);
        s_pThis = NULL;
    }

    bool m_bFoundText = false;
    wchar_t m_szCaption[128] = {};

private:
    static LRESULT CALLBACK Hook(int nCode, WPARAM wParam, LPARAM lParam)
    {
        if (nCode == HCBT_ACTIVATE && s_pThis != NULL)
        {
            HWND hBox = reinterpret_cast<HWND>(wParam);
            ::GetWindowTextW(hBox, s_pThis->m_szCaption, 128);
            s_pThis->m_bFoundText |= ::FindWindowExW(hBox, NULL, L"Static", L"Question?") != NULL;
            ::PostMessageW(hBox, WM_COMMAND, IDOK, 0);
        }
        return ::CallNextHookEx(NULL, nCode, wParam, lParam);
    }

    static CMessageBoxAnswer* s_pThis;
    HHOOK m_hHook;
};

CMessageBoxAnswer* CMessageBoxAnswer::s_pThis = NULL;

} // namespace

TEST(CMenu, AttachDetachAndDestroy)
{
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuW(hMenu, MF_STRING, 5, L"First");
    {
        CMenu menu;
        EXPECT_EQ(menu.GetSafeHmenu(), static_cast<HMENU>(NULL));
        ASSERT_TRUE(menu.Attach(hMenu));
        EXPECT_FALSE(menu.Attach(::CreatePopupMenu())) << "a menu is held already";
        CString strText;
        EXPECT_EQ(menu.GetMenuString(5, strText, MF_BYCOMMAND), 5);
        EXPECT_STREQ(strText, L"First");
        EXPECT_EQ(menu.GetMenuString(6, strText, MF_BYCOMMAND), 0);
        EXPECT_TRUE(strText.IsEmpty());
        EXPECT_EQ(menu.Detach(), hMenu);
    }
    EXPECT_TRUE(::IsMenu(hMenu)) << "a detached menu survives its object";
    {
        CMenu menu;
        menu.Attach(hMenu);
    }
    EXPECT_FALSE(::IsMenu(hMenu)) << "a held menu is destroyed with its object";
}

TEST(CMenu, MissingResourcesLoadNothing)
{
    CMenu menu;
    EXPECT_FALSE(menu.LoadMenu(9601));
    CBitmap bitmap;
    EXPECT_FALSE(bitmap.LoadBitmap(9601));
    EXPECT_EQ(bitmap.GetSafeHandle(), static_cast<HGDIOBJ>(NULL));
}

TEST(CBitmap, HeldBitmapIsDeletedWithItsObject)
{
    HBITMAP hBitmap = ::CreateBitmap(4, 4, 1, 1, NULL);
    {
        CBitmap bitmap;
        ASSERT_TRUE(bitmap.Attach(hBitmap));
        EXPECT_EQ(static_cast<HBITMAP>(bitmap), hBitmap);
    }
    BITMAP info;
    EXPECT_EQ(::GetObjectW(hBitmap, sizeof info, &info), 0) << "deleted";
}

TEST(CCmdTarget, ReferenceCountStartsAtOneAndTheLastReleaseDeletes)
{
    int nDeleted = 0;
    CCountedTarget* pTarget = new CCountedTarget(&nDeleted);
    EXPECT_EQ(pTarget->InternalAddRef(), 2u);
    EXPECT_EQ(pTarget->InternalRelease(), 1u);
    EXPECT_EQ(nDeleted, 0);
    EXPECT_EQ(pTarget->InternalRelease(), 0u);
    EXPECT_EQ(nDeleted, 1);
}

TEST(AfxMessageBox, ShowsTheTextUnderTheApplicationsName)
{
    CMessageBoxAnswer answer;
    EXPECT_EQ(AfxMessageBox(L"Question?", MB_OKCANCEL), IDOK);
    EXPECT_TRUE(answer.m_bFoundText);
    LPCTSTR pszAppName = AfxGetAppName();
    if (pszAppName != NULL)
    {
        EXPECT_STREQ(answer.m_szCaption, pszAppName);
    }
}
