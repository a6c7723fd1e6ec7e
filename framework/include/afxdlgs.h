// Property sheets and their pages.
#pragma once

#include <afxwin.h>

#include <vector>

// A page of a property sheet, made from a dialog template of the resource
// module. Its data is exchanged when it becomes active (after the first
// time) and when it is left (a failed exchange keeps it active).
class CPropertyPage : public CDialog
{
    DECLARE_DYNAMIC(CPropertyPage)
public:
    CPropertyPage();
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0, DWORD dwSize = sizeof(PROPSHEETPAGE));

    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();
    // OnOK, then TRUE: the sheet may close.
    virtual BOOL OnApply();
    // OnCancel.
    virtual void OnReset();
    virtual BOOL OnQueryCancel();
    // A page does not end the sheet: these do nothing.
    void OnOK() override;
    void OnCancel() override;
    void SetModified(BOOL bChanged = TRUE);

    PROPSHEETPAGE m_psp;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    CString m_strCaption;
    BOOL m_bFirstSetActive;
};

class CPropertySheet : public CWnd
{
    DECLARE_DYNAMIC(CPropertySheet)
public:
    CPropertySheet();
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);

    // The pages are the caller's; they must outlive the sheet's window.
    void AddPage(CPropertyPage* pPage);
    int GetPageCount() const;
    CPropertyPage* GetPage(int nPage) const;
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    BOOL SetActivePage(int nPage);
    void SetTitle(LPCTSTR lpszText, UINT nStyle = 0);

    // IDOK when the sheet closed with OK, IDCANCEL when cancelled, -1 when
    // it could not be shown.
    virtual INT_PTR DoModal();
    virtual BOOL OnInitDialog();

    PROPSHEETHEADER m_psh;

protected:
    afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void CommonConstruct(CWnd* pParentWnd, UINT iSelectPage);
    friend class CPropertyPage;

    // IDOK until a page is told the sheet was cancelled (PSN_RESET).
    int m_nModalResult;
    std::vector<CPropertyPage*> m_pages;
    CString m_strCaption;
    CWnd* m_pParentWnd;
};
