// CDialog: modeless and modal dialogs from templates of the resource module.
#include <afxwin.h>

#include "WindowCreationHook.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_MESSAGE(WM_INITDIALOG, &CDialog::HandleInitDialog)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

CDialog::CDialog() : m_lpszTemplateName(NULL), m_nIDHelp(0), m_pParentWnd(NULL), m_nModalResult(-1)
{
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCE(nIDTemplate)), m_nIDHelp(nIDTemplate), m_pParentWnd(pParentWnd),
      m_nModalResult(-1)
{
}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_nIDHelp(0), m_pParentWnd(pParentWnd), m_nModalResult(-1)
{
}

LPCDLGTEMPLATE CDialog::LoadTemplate(HINSTANCE* phInstance) const
{
    *phInstance = AfxFindResourceHandle(m_lpszTemplateName, RT_DIALOG);
    HRSRC hResource = ::FindResourceW(*phInstance, m_lpszTemplateName, RT_DIALOG);
    HGLOBAL hTemplate = hResource != NULL ? ::LoadResource(*phInstance, hResource) : NULL;
    return hTemplate != NULL ? static_cast<LPCDLGTEMPLATE>(::LockResource(hTemplate)) : NULL;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCE(nIDTemplate), pParentWnd);
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName) && m_nIDHelp == 0)
        m_nIDHelp = LOWORD(reinterpret_cast<UINT_PTR>(lpszTemplateName));
    HINSTANCE hInstance;
    LPCDLGTEMPLATE lpTemplate = LoadTemplate(&hInstance);
    return lpTemplate != NULL && CreateIndirect(lpTemplate, pParentWnd);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd)
{
    if (m_hWnd != NULL)
        return FALSE;
    if (pParentWnd != NULL)
        m_pParentWnd = pParentWnd;
    HWND hWnd;
    {
        CWindowCreationHook hook(this);
        hWnd = ::CreateDialogIndirectParamW(AfxGetResourceHandle(), lpDialogTemplate, m_pParentWnd->GetSafeHwnd(),
                                            AfxDlgProc, 0);
    }
    // A dialog destroyed while it was made was detached already.
    return hWnd != NULL && m_hWnd == hWnd;
}

INT_PTR CDialog::DoModal()
{
    HINSTANCE hInstance;
    LPCDLGTEMPLATE lpTemplate = LoadTemplate(&hInstance);
    if (lpTemplate == NULL)
        return -1;
    HWND hWndParent = m_pParentWnd != NULL ? m_pParentWnd->GetSafeHwnd() : ::GetActiveWindow();
    if (hWndParent != NULL)
        hWndParent = ::GetAncestor(hWndParent, GA_ROOT);
    bool bEnableParent = hWndParent != NULL && ::IsWindowEnabled(hWndParent);
    if (bEnableParent)
        ::EnableWindow(hWndParent, FALSE);
    m_nModalResult = -1;
    m_nFlags |= WF_MODALLOOP | WF_CONTINUEMODAL;
    if (CreateIndirect(lpTemplate, CWnd::FromHandle(hWndParent)))
        RunModalLoop();
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    // The owner comes back before the dialog goes, so it takes the activation.
    if (bEnableParent)
        ::EnableWindow(hWndParent, TRUE);
    if (m_hWnd != NULL)
    {
        ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        if (hWndParent != NULL && ::GetActiveWindow() == m_hWnd)
            ::SetActiveWindow(hWndParent);
        DestroyWindow();
    }
    return m_nModalResult;
}

void CDialog::RunModalLoop()
{
    if (m_nFlags & WF_CONTINUEMODAL)
        ShowWindow(SW_SHOWNORMAL);
    MSG msg;
    while ((m_nFlags & WF_CONTINUEMODAL) && m_hWnd != NULL)
    {
        BOOL bGot = ::GetMessageW(&msg, NULL, 0, 0);
        if (bGot <= 0)
        {
            // WM_QUIT belongs to the thread's own loop.
            if (bGot == 0)
                ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!CWnd::WalkPreTranslateTree(m_hWnd, &msg))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

void CDialog::EndDialog(int nResult)
{
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
    {
        m_nModalResult = nResult;
        m_nFlags &= ~WF_CONTINUEMODAL;
        // Wakes the modal loop.
        ::PostMessageW(m_hWnd, WM_NULL, 0, 0);
    }
    else
    {
        ::EndDialog(m_hWnd, nResult);
    }
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM)
{
    Default();
    return OnInitDialog();
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && ::IsDialogMessageW(m_hWnd, pMsg))
        return TRUE;
    return CWnd::PreTranslateMessage(pMsg);
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->GetSafeHwnd()), TRUE);
}

void CDialog::NextDlgCtrl() const
{
    SendMessage(WM_NEXTDLGCTL, 0, 0);
}

void CDialog::PrevDlgCtrl() const
{
    SendMessage(WM_NEXTDLGCTL, 1, 0);
}

void CDialog::SetDefID(UINT nID)
{
    SendMessage(DM_SETDEFID, nID);
}

DWORD CDialog::GetDefID() const
{
    return static_cast<DWORD>(SendMessage(DM_GETDEFID));
}
