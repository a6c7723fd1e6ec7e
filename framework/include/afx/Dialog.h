// Dialogs from templates of the resource module, and dialog data exchange.
//
// Create makes a modeless dialog; DoModal runs a modal one with its own
// message loop (PreTranslateMessage sees every message of the dialog), the
// owner disabled meanwhile. OnInitDialog loads the controls from the members
// (UpdateData(FALSE)); OnOK stores them back (UpdateData(TRUE)) and ends the
// dialog with IDOK unless a value fails; OnCancel ends it with IDCANCEL.
// Part of <afxwin.h>; include that instead.
#pragma once

// Thrown by CDataExchange::Fail: a value the user entered is not valid.
class CUserException : public CSimpleException
{
    DECLARE_DYNAMIC(CUserException)
public:
    CUserException() = default;
};
[[noreturn]] void AFXAPI AfxThrowUserException();

class CDataExchange
{
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    // The control nIDC; fails the exchange when the dialog has none.
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Ends the exchange with a CUserException, focus on the last control.
    [[noreturn]] void Fail();

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    HWND m_idLastControl;
    BOOL m_bEditLastControl;
};

// Subclasses control nIDC into rControl the first time.
void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
// A check box's state (0, 1 or 2).
void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// The index of the checked button of the radio group that begins at nIDC
// (-1: none).
void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
// Numbers fail the exchange when the text is not one.
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
// Fails a saving exchange when value lies outside minVal..maxVal (after the
// DDX_ call of the same control).
void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);

class CDialog : public CWnd
{
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL);

    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    virtual BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL);
    virtual BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = NULL);
    // The dialog's result; -1 when the template is missing or the dialog
    // could not be made.
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    BOOL PreTranslateMessage(MSG* pMsg) override;

    void GotoDlgCtrl(CWnd* pWndCtrl);
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void SetDefID(UINT nID);
    DWORD GetDefID() const;

    LPCTSTR m_lpszTemplateName;
    UINT m_nIDHelp;
    CWnd* m_pParentWnd;

protected:
    // Runs the default procedure's start, then OnInitDialog.
    afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    LPCDLGTEMPLATE LoadTemplate(HINSTANCE* phInstance) const;
    void RunModalLoop();

    int m_nModalResult;
};

// The dialog procedure of every CDialog: the dialog's messages go through
// AfxWndProc, so it has nothing of its own to do.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
