// CPropertySheet run modally with pages from the test resource module: the
// pages are attached, exchange their data when left, and a bad value keeps
// the sheet open.
#include <afxdlgs.h>

#include <gtest/gtest.h>

#include "TestModules.h"
#include "dialog_dll/TestDialogIds.h"

namespace
{

class CValuePage : public CPropertyPage
{
public:
    CValuePage() : CPropertyPage(IDD_TEST_PAGE, IDS_TEST_PAGE_TITLE)
    {
    }

    int m_value = 1;
    int m_nApplies = 0;
    // Typed into the page, then the sheet's buttons pressed, from
    // OnInitDialog so the sheet's own loop runs them.
    const wchar_t* m_typedText = nullptr;
    int m_buttons[2] = {-1, -1};

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_PAGE_VALUE, m_value);
    }
    BOOL OnInitDialog() override
    {
        CPropertyPage::OnInitDialog();
        if (m_typedText != nullptr)
            SetDlgItemText(IDC_PAGE_VALUE, m_typedText);
        for (int nButton : m_buttons)
        {
            if (nButton >= 0)
                ::PostMessageW(::GetParent(m_hWnd), PSM_PRESSBUTTON, nButton, 0);
        }
        return TRUE;
    }
    void OnOK() override
    {
        ++m_nApplies;
    }
};

class PropertySheetTest : public DialogModuleTest {};

TEST_F(PropertySheetTest, OkStoresTheActivePageAndAppliesIt)
{
    CValuePage first, second;
    first.m_typedText = L"7";
    first.m_buttons[0] = PSBTN_OK;
    CPropertySheet sheet(L"Sheet");
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    EXPECT_EQ(2, sheet.GetPageCount());
    EXPECT_EQ(&second, sheet.GetPage(1));

    EXPECT_EQ(IDOK, sheet.DoModal());
    EXPECT_EQ(7, first.m_value);
    EXPECT_EQ(1, first.m_nApplies);
    // A page never shown was never made, so it has nothing to apply.
    EXPECT_EQ(0, second.m_nApplies);
    EXPECT_EQ(nullptr, sheet.m_hWnd);
    EXPECT_EQ(nullptr, first.m_hWnd);
}

TEST_F(PropertySheetTest, ABadValueKeepsTheSheetOpenUntilCancel)
{
    CValuePage page;
    page.m_typedText = L"seven";
    page.m_buttons[0] = PSBTN_OK;
    page.m_buttons[1] = PSBTN_CANCEL;
    CPropertySheet sheet(L"Sheet");
    sheet.AddPage(&page);

    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_EQ(1, page.m_value);
    EXPECT_EQ(0, page.m_nApplies);
}

TEST_F(PropertySheetTest, ASheetWithoutPagesIsNotShown)
{
    CPropertySheet sheet(L"Empty");
    EXPECT_EQ(-1, sheet.DoModal());
}

} // namespace
