// CDialog from a template of the resource module: modeless and modal, the
// data exchange both ways, OnOK refusing a bad value, and a picture of the
// dialog as a user sees it.
#include <afxwin.h>

#include <gtest/gtest.h>

#include <string>

#include "TestModules.h"
#include "WindowTestSupport.h"
#include "dialog_dll/TestDialogIds.h"

namespace
{

const COLORREF kSwatchColour = RGB(30, 90, 200);

class CTestFormDialog : public CDialog
{
public:
    CTestFormDialog() : CDialog(IDD_TEST_FORM), m_swatchBrush(kSwatchColour)
    {
    }

    CString m_name = L"Jw";
    int m_count = 12;
    int m_enabled = 1;
    int m_choice = 1;
    CStatic m_swatch;
    int m_nInitDialogs = 0;
    int m_nNameChanges = 0;
    // Commands posted from OnInitDialog, so a modal loop runs them.
    UINT m_postedCommands[2] = {0, 0};
    CString m_countTextToEnter;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_TEST_SWATCH, m_swatch);
        DDX_Text(pDX, IDC_TEST_NAME, m_name);
        DDX_Text(pDX, IDC_TEST_COUNT, m_count);
        DDX_Check(pDX, IDC_TEST_CHECK, m_enabled);
        DDX_Radio(pDX, IDC_TEST_RADIO_FIRST, m_choice);
    }
    BOOL OnInitDialog() override
    {
        ++m_nInitDialogs;
        CDialog::OnInitDialog();
        if (!m_countTextToEnter.IsEmpty())
            SetDlgItemText(IDC_TEST_COUNT, m_countTextToEnter);
        for (UINT nCommand : m_postedCommands)
        {
            if (nCommand != 0)
                PostMessage(WM_COMMAND, nCommand);
        }
        return TRUE;
    }
    afx_msg void OnNameChange()
    {
        ++m_nNameChanges;
    }
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
    {
        if (pWnd->GetDlgCtrlID() != IDC_TEST_SWATCH)
            return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
        pDC->SetBkColor(kSwatchColour);
        pDC->SetTextColor(RGB(255, 255, 255));
        return m_swatchBrush;
    }
    DECLARE_MESSAGE_MAP()

private:
    CBrush m_swatchBrush;
};

BEGIN_MESSAGE_MAP(CTestFormDialog, CDialog)
    ON_EN_CHANGE(IDC_TEST_NAME, &CTestFormDialog::OnNameChange)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

class DialogTest : public DialogModuleTest
{
protected:
    CString ItemText(CWnd& dialog, int nID)
    {
        CString text;
        dialog.GetDlgItemText(nID, text);
        return text;
    }
};

TEST_F(DialogTest, ModelessDialogLoadsItsMembersIntoTheControls)
{
    CTestFormDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_TEST_FORM));
    EXPECT_EQ(1, dialog.m_nInitDialogs);
    EXPECT_EQ(&dialog, CWnd::FromHandlePermanent(dialog.m_hWnd));
    EXPECT_STREQ(L"Jw", ItemText(dialog, IDC_TEST_NAME));
    EXPECT_STREQ(L"12", ItemText(dialog, IDC_TEST_COUNT));
    EXPECT_EQ(BST_CHECKED, dialog.IsDlgButtonChecked(IDC_TEST_CHECK));
    EXPECT_EQ(BST_UNCHECKED, dialog.IsDlgButtonChecked(IDC_TEST_RADIO_FIRST));
    EXPECT_EQ(BST_CHECKED, dialog.IsDlgButtonChecked(IDC_TEST_RADIO_SECOND));
    EXPECT_EQ(BST_UNCHECKED, dialog.IsDlgButtonChecked(IDC_TEST_RADIO_THIRD));
    EXPECT_EQ(::GetDlgItem(dialog.m_hWnd, IDC_TEST_SWATCH), dialog.m_swatch.m_hWnd);
    EXPECT_EQ(&dialog.m_swatch, CWnd::FromHandlePermanent(dialog.m_swatch.m_hWnd));
}

TEST_F(DialogTest, UpdateDataStoresWhatTheUserChanged)
{
    CTestFormDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_TEST_FORM));
    int nChangesAtStart = dialog.m_nNameChanges;
    dialog.SetDlgItemText(IDC_TEST_NAME, L"drawing");
    EXPECT_EQ(nChangesAtStart + 1, dialog.m_nNameChanges);
    dialog.SetDlgItemText(IDC_TEST_COUNT, L" -7 ");
    ::SendMessageW(::GetDlgItem(dialog.m_hWnd, IDC_TEST_CHECK), BM_CLICK, 0, 0);
    ::SendMessageW(::GetDlgItem(dialog.m_hWnd, IDC_TEST_RADIO_THIRD), BM_CLICK, 0, 0);

    EXPECT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_STREQ(L"drawing", dialog.m_name);
    EXPECT_EQ(-7, dialog.m_count);
    EXPECT_EQ(0, dialog.m_enabled);
    EXPECT_EQ(2, dialog.m_choice);
}

TEST_F(DialogTest, ABadNumberFailsTheExchangeAndFocusesItsControl)
{
    CTestFormDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_TEST_FORM));
    dialog.ShowWindow(SW_SHOW);
    const wchar_t* badTexts[] = {L"12x", L"", L"99999999999", L"-"};
    for (const wchar_t* text : badTexts)
    {
        ::SetFocus(::GetDlgItem(dialog.m_hWnd, IDC_TEST_NAME));
        dialog.SetDlgItemText(IDC_TEST_COUNT, text);
        EXPECT_FALSE(dialog.UpdateData(TRUE)) << text;
        EXPECT_EQ(12, dialog.m_count) << text;
        EXPECT_EQ(::GetDlgItem(dialog.m_hWnd, IDC_TEST_COUNT), ::GetFocus()) << text;
    }
}

TEST_F(DialogTest, ModalDialogEndsWithTheButtonPressed)
{
    struct ModalCase
    {
        UINT commands[2];
        const wchar_t* countText;
        INT_PTR expectedResult;
        int expectedCount;
    };
    const ModalCase cases[] = {
        {{IDOK, 0}, L"30", IDOK, 30},
        {{IDCANCEL, 0}, L"30", IDCANCEL, 12},
        // OK refuses a bad number; the dialog stays until Cancel.
        {{IDOK, IDCANCEL}, L"3x", IDCANCEL, 12},
    };
    for (const ModalCase& c : cases)
    {
        CTestFormDialog dialog;
        dialog.m_postedCommands[0] = c.commands[0];
        dialog.m_postedCommands[1] = c.commands[1];
        dialog.m_countTextToEnter = c.countText;
        EXPECT_EQ(c.expectedResult, dialog.DoModal()) << c.countText;
        EXPECT_EQ(c.expectedCount, dialog.m_count) << c.countText;
        EXPECT_EQ(nullptr, dialog.m_hWnd);
    }
}

TEST_F(DialogTest, AMissingTemplateMakesNoDialog)
{
    CDialog modal(IDD_TEST_MISSING);
    EXPECT_EQ(-1, modal.DoModal());
    CDialog modeless;
    EXPECT_FALSE(modeless.Create(IDD_TEST_MISSING));
    EXPECT_EQ(nullptr, modeless.m_hWnd);
}

TEST_F(DialogTest, PictureOfTheDialogShowsItsControlsAndColours)
{
    CTestFormDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_TEST_FORM));
    dialog.SetWindowPos(&CWnd::wndTop, 20, 20, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    dialog.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    PumpUntil([] { return false; }, 0.3);

    CWindowPicture picture(dialog.m_hWnd);
    EXPECT_TRUE(picture.SavePng(TestOutputFolder() + L"\\TestFormDialog.png"));

    CRect swatch;
    dialog.m_swatch.GetWindowRect(&swatch);
    CRect window;
    dialog.GetWindowRect(&window);
    EXPECT_EQ(kSwatchColour, picture.Pixel(swatch.right - 3 - window.left, swatch.bottom - 3 - window.top));
}

} // namespace
