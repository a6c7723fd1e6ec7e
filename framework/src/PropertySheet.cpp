// Property sheets run by the common-control property sheet; the sheet and
// its pages are attached to their objects from their first messages.
#include <afxdlgs.h>

#include "WindowCreationHook.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)
IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

namespace
{

// The dialog procedure of every page: attaches the page at WM_INITDIALOG
// (lParam is the sheet's copy of the page's PROPSHEETPAGE) and lets the page
// handle that message; all later messages reach the page through
// AfxWndProc.
INT_PTR CALLBACK PropertyPageDialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    const PROPSHEETPAGE* psp = reinterpret_cast<const PROPSHEETPAGE*>(lParam);
    CPropertyPage* pPage = reinterpret_cast<CPropertyPage*>(psp->lParam);
    // The page's own default handling of WM_INITDIALOG comes back here.
    if (CWnd::FromHandlePermanent(hWnd) == pPage || !pPage->SubclassWindow(hWnd))
        return FALSE;
    return AfxCallWndProc(pPage, hWnd, WM_INITDIALOG, wParam, lParam);
}

// What the sheet is given for a page: its template comes from the resource
// module unless the page names another.
PROPSHEETPAGE PageSheetCopy(const CPropertyPage& page)
{
    PROPSHEETPAGE psp = page.m_psp;
    if (psp.hInstance == NULL)
        psp.hInstance = AfxGetResourceHandle();
    return psp;
}

} // namespace

CPropertyPage::CPropertyPage() : CPropertyPage(0)
{
}

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption, DWORD dwSize)
    : CDialog(nIDTemplate), m_psp(), m_bFirstSetActive(TRUE)
{
    m_psp.dwSize = dwSize;
    m_psp.dwFlags = PSP_DEFAULT;
    m_psp.pszTemplate = MAKEINTRESOURCE(nIDTemplate);
    m_psp.pfnDlgProc = PropertyPageDialogProc;
    m_psp.lParam = reinterpret_cast<LPARAM>(this);
    if (nIDCaption != 0 && m_strCaption.LoadString(nIDCaption))
    {
        m_psp.pszTitle = m_strCaption;
        m_psp.dwFlags |= PSP_USETITLE;
    }
}

BOOL CPropertyPage::OnSetActive()
{
    if (m_bFirstSetActive)
        m_bFirstSetActive = FALSE;
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    return UpdateData(TRUE);
}

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset()
{
    OnCancel();
}

BOOL CPropertyPage::OnQueryCancel()
{
    return TRUE;
}

void CPropertyPage::OnOK()
{
}

void CPropertyPage::OnCancel()
{
}

void CPropertyPage::SetModified(BOOL bChanged)
{
    HWND hWndSheet = ::GetParent(m_hWnd);
    ::SendMessageW(hWndSheet, bChanged ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* pNMHDR = reinterpret_cast<const NMHDR*>(lParam);
    // Results as the sheet reads them: 0 accepts activation, FALSE lets the
    // page go, PSNRET_NOERROR applies, FALSE lets the sheet cancel.
    switch (pNMHDR->code)
    {
    case PSN_SETACTIVE:
        *pResult = OnSetActive() ? 0 : -1;
        return TRUE;
    case PSN_KILLACTIVE:
        *pResult = !OnKillActive();
        return TRUE;
    case PSN_APPLY:
        *pResult = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
        return TRUE;
    case PSN_RESET:
        if (CPropertySheet* pSheet = DYNAMIC_DOWNCAST(CPropertySheet, CWnd::FromHandlePermanent(::GetParent(m_hWnd))))
            pSheet->m_nModalResult = IDCANCEL;
        OnReset();
        return TRUE;
    case PSN_QUERYCANCEL:
        *pResult = !OnQueryCancel();
        return TRUE;
    default:
        return CDialog::OnNotify(wParam, lParam, pResult);
    }
}

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
    ON_MESSAGE(WM_INITDIALOG, &CPropertySheet::HandleInitDialog)
END_MESSAGE_MAP()

CPropertySheet::CPropertySheet()
{
    CommonConstruct(NULL, 0);
}

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CommonConstruct(pParentWnd, iSelectPage);
    m_strCaption.LoadString(nIDCaption);
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CommonConstruct(pParentWnd, iSelectPage);
    m_strCaption = pszCaption;
}

void CPropertySheet::CommonConstruct(CWnd* pParentWnd, UINT iSelectPage)
{
    m_psh = {};
    m_psh.dwSize = sizeof(m_psh);
    m_psh.dwFlags = PSH_PROPSHEETPAGE;
    m_psh.nStartPage = iSelectPage;
    m_pParentWnd = pParentWnd;
    m_nModalResult = IDOK;
}

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    m_pages.push_back(pPage);
    if (m_hWnd != NULL)
    {
        PROPSHEETPAGE psp = PageSheetCopy(*pPage);
        HPROPSHEETPAGE hPage = ::CreatePropertySheetPageW(&psp);
        if (hPage != NULL && !SendMessage(PSM_ADDPAGE, 0, reinterpret_cast<LPARAM>(hPage)))
            ::DestroyPropertySheetPage(hPage);
    }
}

int CPropertySheet::GetPageCount() const
{
    return static_cast<int>(m_pages.size());
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const
{
    return nPage >= 0 && nPage < GetPageCount() ? m_pages[nPage] : NULL;
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    return GetPage(GetActiveIndex());
}

int CPropertySheet::GetActiveIndex() const
{
    if (m_hWnd == NULL)
        return static_cast<int>(m_psh.nStartPage);
    HWND hWndPage = reinterpret_cast<HWND>(SendMessage(PSM_GETCURRENTPAGEHWND));
    for (int i = 0; i < GetPageCount(); ++i)
    {
        if (m_pages[i]->m_hWnd == hWndPage)
            return i;
    }
    return -1;
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (m_hWnd == NULL)
    {
        m_psh.nStartPage = nPage;
        return TRUE;
    }
    return static_cast<BOOL>(SendMessage(PSM_SETCURSEL, nPage));
}

void CPropertySheet::SetTitle(LPCTSTR lpszText, UINT nStyle)
{
    m_strCaption = lpszText;
    m_psh.dwFlags = (m_psh.dwFlags & ~PSH_PROPTITLE) | (nStyle & PSH_PROPTITLE);
    if (m_hWnd != NULL)
        SendMessage(PSM_SETTITLEW, nStyle, reinterpret_cast<LPARAM>(lpszText));
}

INT_PTR CPropertySheet::DoModal()
{
    if (m_hWnd != NULL || m_pages.empty())
        return -1;
    std::vector<PROPSHEETPAGE> pages;
    for (CPropertyPage* pPage : m_pages)
        pages.push_back(PageSheetCopy(*pPage));
    PROPSHEETHEADER psh = m_psh;
    psh.hwndParent = m_pParentWnd != NULL ? m_pParentWnd->GetSafeHwnd() : ::GetActiveWindow();
    psh.hInstance = AfxGetResourceHandle();
    psh.pszCaption = m_strCaption;
    psh.nPages = static_cast<UINT>(pages.size());
    psh.ppsp = pages.data();
    m_nModalResult = IDOK;
    INT_PTR nResult;
    {
        // The sheet's dialog is the first window the call creates.
        CWindowCreationHook hook(this);
        nResult = ::PropertySheetW(&psh);
    }
    // The sheet answers whether pages changed, not which button closed it.
    return nResult < 0 ? -1 : m_nModalResult;
}

LRESULT CPropertySheet::HandleInitDialog(WPARAM, LPARAM)
{
    LRESULT lResult = Default();
    OnInitDialog();
    return lResult;
}

BOOL CPropertySheet::OnInitDialog()
{
    return TRUE;
}
