// Notifications a control sends its parent are reflected back to the
// control's own _REFLECT entries first; the parent's entry runs only when
// the control does not take them.
#include <afxwin.h>

#include <gtest/gtest.h>

#include <string>

#include "WindowTestSupport.h"

namespace
{

const UINT kButtonId = 500;
const UINT kNotifierId = 501;
const UINT kLabelId = 502;
const COLORREF kLabelColour = RGB(200, 30, 40);

class CParentWnd : public CWnd
{
public:
    std::wstring m_log;

protected:
    afx_msg void OnButtonClicked()
    {
        m_log += L"parent click;";
    }
    afx_msg void OnNotifierClick(NMHDR*, LRESULT* pResult)
    {
        m_log += L"parent notify;";
        *pResult = 1;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CParentWnd, CWnd)
    ON_BN_CLICKED(kButtonId, &CParentWnd::OnButtonClicked)
    ON_NOTIFY(NM_CLICK, kNotifierId, &CParentWnd::OnNotifierClick)
END_MESSAGE_MAP()

class CReflectingButton : public CButton
{
public:
    std::wstring* m_pLog = nullptr;
    BOOL m_bTake = TRUE;

protected:
    afx_msg BOOL OnClicked()
    {
        *m_pLog += L"button click;";
        return m_bTake;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingButton, CButton)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, &CReflectingButton::OnClicked)
END_MESSAGE_MAP()

class CNotifyingCtrl : public CWnd
{
public:
    std::wstring* m_pLog = nullptr;

protected:
    afx_msg void OnClick(NMHDR* pNMHDR, LRESULT* pResult)
    {
        *m_pLog += pNMHDR->idFrom == kNotifierId ? L"control notify;" : L"wrong header;";
        *pResult = 5;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNotifyingCtrl, CWnd)
    ON_NOTIFY_REFLECT(NM_CLICK, &CNotifyingCtrl::OnClick)
END_MESSAGE_MAP()

// A label that paints its own background through the reflected
// WM_CTLCOLORSTATIC.
class CColourLabel : public CStatic
{
public:
    CColourLabel() : m_brush(kLabelColour)
    {
    }

protected:
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor)
    {
        if (nCtlColor != CTLCOLOR_STATIC)
            return NULL;
        pDC->SetBkColor(kLabelColour);
        return m_brush;
    }
    DECLARE_MESSAGE_MAP()

private:
    CBrush m_brush;
};

BEGIN_MESSAGE_MAP(CColourLabel, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

TEST(WndReflection, ACommandTheControlTakesDoesNotReachTheParent)
{
    CParentWnd parent;
    ASSERT_TRUE(CreateTestPopup(parent));
    CReflectingButton button;
    button.m_pLog = &parent.m_log;
    ASSERT_TRUE(button.Create(L"b", WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 40, 20), &parent, kButtonId));

    button.SendMessage(BM_CLICK);
    EXPECT_EQ(L"button click;", parent.m_log);

    parent.m_log.clear();
    button.m_bTake = FALSE;
    button.SendMessage(BM_CLICK);
    EXPECT_EQ(L"button click;parent click;", parent.m_log);
}

TEST(WndReflection, ANotificationGoesToTheControlWithItsResult)
{
    CParentWnd parent;
    ASSERT_TRUE(CreateTestPopup(parent));
    CNotifyingCtrl control;
    control.m_pLog = &parent.m_log;
    ASSERT_TRUE(control.Create(AfxRegisterWndClass(0), NULL, WS_VISIBLE, CRect(0, 0, 20, 20), &parent, kNotifierId));

    NMHDR header = {control.m_hWnd, kNotifierId, static_cast<UINT>(NM_CLICK)};
    EXPECT_EQ(5, parent.SendMessage(WM_NOTIFY, kNotifierId, reinterpret_cast<LPARAM>(&header)));
    EXPECT_EQ(L"control notify;", parent.m_log);

    // A sender no object holds goes to the parent's map.
    parent.m_log.clear();
    HWND hRaw = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 5, 5, parent.m_hWnd, NULL, NULL, NULL);
    NMHDR rawHeader = {hRaw, kNotifierId, static_cast<UINT>(NM_CLICK)};
    EXPECT_EQ(1, parent.SendMessage(WM_NOTIFY, kNotifierId, reinterpret_cast<LPARAM>(&rawHeader)));
    EXPECT_EQ(L"parent notify;", parent.m_log);
}

TEST(WndReflection, AReflectedCtlColorPaintsTheLabelOnScreen)
{
    CParentWnd parent;
    ASSERT_TRUE(CreateTestPopup(parent, true));
    CColourLabel label;
    ASSERT_TRUE(label.Create(L"", WS_VISIBLE | SS_LEFT, CRect(10, 10, 90, 50), &parent, kLabelId));
    parent.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    CWindowPicture picture(parent.m_hWnd);
    EXPECT_EQ(kLabelColour, picture.Pixel(50, 30));
    EXPECT_EQ(RGB(255, 255, 255), picture.Pixel(120, 90));
}

} // namespace
