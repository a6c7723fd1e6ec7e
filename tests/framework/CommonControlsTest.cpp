// The common-control wrappers against the real controls: what a member sets
// is what the control reports, and a slider's scroll notification reaches
// both the parent's handler and the slider's reflected one.
#include <afxcmn.h>

#include <gtest/gtest.h>

#include <string>

#include "WindowTestSupport.h"

namespace
{

class CControlHost : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateTestPopup(m_host, false, 40, 40, 300, 200));
    }

    CWnd m_host;
};

TEST_F(CControlHost, TreeItemsKeepTextDataOrderAndChecks)
{
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_CHECKBOXES | TVS_HASBUTTONS, CRect(0, 0, 200, 150), &m_host, 1));
    HTREEITEM hGroup = tree.InsertItem(L"Group 0");
    HTREEITEM hFirst = tree.InsertItem(L"Layer 0", hGroup);
    HTREEITEM hSecond = tree.InsertItem(L"Layer 1", 0, 0, hGroup);
    ASSERT_NE(nullptr, hSecond);

    EXPECT_EQ(3u, tree.GetCount());
    EXPECT_EQ(hGroup, tree.GetRootItem());
    EXPECT_EQ(hFirst, tree.GetChildItem(hGroup));
    EXPECT_EQ(hSecond, tree.GetNextSiblingItem(hFirst));
    EXPECT_EQ(hGroup, tree.GetParentItem(hSecond));
    EXPECT_STREQ(L"Layer 1", tree.GetItemText(hSecond));

    EXPECT_TRUE(tree.SetItemData(hFirst, 0x1234));
    EXPECT_EQ(0x1234u, tree.GetItemData(hFirst));
    EXPECT_TRUE(tree.SetItemText(hFirst, L"renamed"));
    EXPECT_STREQ(L"renamed", tree.GetItemText(hFirst));

    EXPECT_TRUE(tree.SetCheck(hSecond, TRUE));
    EXPECT_TRUE(tree.GetCheck(hSecond));
    EXPECT_TRUE(tree.SetCheck(hSecond, FALSE));
    EXPECT_FALSE(tree.GetCheck(hSecond));

    EXPECT_TRUE(tree.DeleteAllItems());
    EXPECT_EQ(0u, tree.GetCount());
}

// Combo and list boxes hand back an item's text whole, an empty one empty and
// one past the end as empty.
TEST_F(CControlHost, ComboAndListBoxItemsComeBackWhole)
{
    const CString strLong(L'\x3042', 300);
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | CBS_DROPDOWNLIST, CRect(0, 0, 200, 150), &m_host, 5));
    CListBox box;
    ASSERT_TRUE(box.Create(WS_CHILD, CRect(0, 0, 200, 150), &m_host, 6));
    for (LPCTSTR lpszItem : {L"first", L"", static_cast<LPCTSTR>(strLong)})
    {
        combo.AddString(lpszItem);
        box.AddString(lpszItem);
    }
    CString strCombo, strBox;
    const struct { int nIndex; CString strExpected; } cases[] = {{0, L"first"}, {1, L""}, {2, strLong}, {3, L""}};
    for (const auto& c : cases)
    {
        combo.GetLBText(c.nIndex, strCombo);
        box.GetText(c.nIndex, strBox);
        EXPECT_EQ(c.strExpected, strCombo) << c.nIndex;
        EXPECT_EQ(c.strExpected, strBox) << c.nIndex;
    }
}

TEST_F(CControlHost, ListItemTextOfAnyLengthComesBackWhole)
{
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 280, 150), &m_host, 2));
    EXPECT_EQ(0, list.InsertColumn(0, L"Key", LVCFMT_LEFT, 80));
    EXPECT_EQ(1, list.InsertColumn(1, L"Value", LVCFMT_LEFT, 180));
    EXPECT_EQ(80, list.GetColumnWidth(0));
    const std::wstring longValue(700, L'x');
    const std::wstring exactValue(255, L'y');
    EXPECT_EQ(0, list.InsertItem(0, L"title"));
    EXPECT_EQ(1, list.InsertItem(1, L"memo"));
    EXPECT_TRUE(list.SetItemText(0, 1, longValue.c_str()));
    EXPECT_TRUE(list.SetItemText(1, 1, exactValue.c_str()));
    EXPECT_EQ(2, list.GetItemCount());
    EXPECT_STREQ(L"title", list.GetItemText(0, 0));
    EXPECT_EQ(longValue, std::wstring(list.GetItemText(0, 1)));
    EXPECT_EQ(exactValue, std::wstring(list.GetItemText(1, 1)));

    list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    EXPECT_EQ(static_cast<DWORD>(LVS_EX_FULLROWSELECT), list.GetExtendedStyle() & LVS_EX_FULLROWSELECT);
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(0, list.GetItemCount());
}

// Remembers the scroll codes that reach it through reflection.
class CReflectingSlider : public CSliderCtrl
{
public:
    std::wstring m_log;

protected:
    afx_msg void HScroll(UINT nSBCode, UINT nPos)
    {
        m_log += L"slider " + std::to_wstring(nSBCode) + L" " + std::to_wstring(nPos) + L";";
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingSlider, CSliderCtrl)
    ON_WM_HSCROLL_REFLECT()
END_MESSAGE_MAP()

class CSliderParent : public CWnd
{
public:
    std::wstring m_log;
    CWnd* m_pScrollSource = nullptr;

protected:
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
    {
        m_log += L"parent " + std::to_wstring(nSBCode) + L";";
        m_pScrollSource = pScrollBar;
        CWnd::OnHScroll(nSBCode, nPos, pScrollBar);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSliderParent, CWnd)
    ON_WM_HSCROLL()
END_MESSAGE_MAP()

TEST(CommonControls, SliderScrollReachesTheParentThenTheSlider)
{
    CSliderParent parent;
    ASSERT_TRUE(CreateTestPopup(parent));
    CReflectingSlider slider;
    ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE | TBS_HORZ, CRect(0, 0, 150, 30), &parent, 3));
    slider.SetRange(10, 200);
    slider.SetPos(150);
    EXPECT_EQ(10, slider.GetRangeMin());
    EXPECT_EQ(200, slider.GetRangeMax());
    EXPECT_EQ(150, slider.GetPos());
    slider.SetPos(500);
    EXPECT_EQ(200, slider.GetPos());

    // A key in the trackbar makes it send WM_HSCROLL to its parent: the
    // step on the key going down, the end of tracking on its release.
    slider.SendMessage(WM_KEYDOWN, VK_LEFT, 0);
    slider.SendMessage(WM_KEYUP, VK_LEFT, 0);
    EXPECT_EQ(L"parent 0;parent 8;", parent.m_log);
    EXPECT_EQ(slider.m_hWnd, parent.m_pScrollSource->GetSafeHwnd());
    EXPECT_EQ(L"slider 0 0;slider 8 0;", slider.m_log);
    EXPECT_EQ(199, slider.GetPos());
}

TEST_F(CControlHost, SpinKeepsItsRangeAndPositionAndBuddy)
{
    CEdit buddy;
    ASSERT_TRUE(buddy.Create(WS_CHILD | WS_VISIBLE | ES_NUMBER, CRect(0, 0, 60, 20), &m_host, 4));
    CSpinButtonCtrl spin;
    ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT, CRect(60, 0, 80, 20), &m_host, 5));
    spin.SetBuddy(&buddy);
    spin.SetRange32(0, 255);
    spin.SetPos32(128);
    EXPECT_EQ(128, spin.GetPos32());
    EXPECT_EQ(buddy.m_hWnd, spin.GetBuddy()->GetSafeHwnd());
    CString text;
    buddy.GetWindowText(text);
    EXPECT_STREQ(L"128", text);
}

TEST(CommonControls, ImageListOwnsItsHandleUnlessDetached)
{
    HIMAGELIST hDetached;
    {
        CImageList images;
        ASSERT_TRUE(images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 4, 4));
        EXPECT_FALSE(images.Create(16, 16, ILC_COLOR32, 1, 1));
        HICON hIcon = ::LoadIconW(NULL, IDI_APPLICATION);
        EXPECT_EQ(0, images.Add(hIcon));
        EXPECT_EQ(1, images.Add(hIcon));
        EXPECT_EQ(2, images.GetImageCount());
        EXPECT_TRUE(images.Remove(0));
        EXPECT_EQ(1, images.GetImageCount());
        hDetached = images.Detach();
    }
    EXPECT_EQ(1, ::ImageList_GetImageCount(hDetached));
    ::ImageList_Destroy(hDetached);
}

TEST_F(CControlHost, ToolTipToolsAreAddedUpdatedAndRemoved)
{
    CStatic label;
    ASSERT_TRUE(label.Create(L"tip", WS_CHILD | WS_VISIBLE | SS_NOTIFY, CRect(0, 0, 60, 20), &m_host, 6));
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&m_host));
    EXPECT_TRUE(tip.AddTool(&label, L"first text"));
    EXPECT_EQ(1, tip.GetToolCount());
    tip.UpdateTipText(L"second text", &label);

    wchar_t text[80] = {};
    TOOLINFOW ti = {};
    ti.cbSize = sizeof(ti);
    ti.hwnd = m_host.m_hWnd;
    ti.uFlags = TTF_IDISHWND;
    ti.uId = reinterpret_cast<UINT_PTR>(label.m_hWnd);
    ti.lpszText = text;
    tip.SendMessage(TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&ti));
    EXPECT_STREQ(L"second text", text);

    tip.DelTool(&label);
    EXPECT_EQ(0, tip.GetToolCount());
}

} // namespace
