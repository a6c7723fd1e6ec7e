// Dialog data exchange: moving values between members and controls.
#include <afxwin.h>

#include <cwchar>
#include <cwctype>

IMPLEMENT_DYNAMIC(CUserException, CSimpleException)

void AFXAPI AfxThrowUserException()
{
    throw new CUserException;
}

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_idLastControl(NULL), m_bEditLastControl(FALSE)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    if (hWndCtrl == NULL)
        Fail();
    m_idLastControl = hWndCtrl;
    m_bEditLastControl = FALSE;
    return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWndCtrl;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_idLastControl != NULL)
    {
        ::SetFocus(m_idLastControl);
        if (m_bEditLastControl)
            ::SendMessageW(m_idLastControl, EM_SETSEL, 0, -1);
    }
    AfxThrowUserException();
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try
    {
        DoDataExchange(&dx);
        return TRUE;
    }
    catch (CUserException* e)
    {
        e->Delete();
        return FALSE;
    }
}

void CWnd::DoDataExchange(CDataExchange*)
{
}

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd != NULL)
        return;
    if (!rControl.SubclassWindow(pDX->PrepareCtrl(nIDC)))
        pDX->Fail();
}

void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageW(hWndCtrl, BM_GETCHECK, 0, 0));
    else
        ::SendMessageW(hWndCtrl, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

namespace
{

bool IsRadioButton(HWND hWnd)
{
    if (!(::SendMessageW(hWnd, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON))
        return false;
    DWORD dwType = static_cast<DWORD>(::GetWindowLongPtrW(hWnd, GWL_STYLE)) & BS_TYPEMASK;
    return dwType == BS_RADIOBUTTON || dwType == BS_AUTORADIOBUTTON;
}

} // namespace

void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    // The group runs from nIDC to the next control with WS_GROUP.
    int iButton = 0;
    do
    {
        if (IsRadioButton(hWndCtrl))
        {
            if (pDX->m_bSaveAndValidate)
            {
                if (::SendMessageW(hWndCtrl, BM_GETCHECK, 0, 0) == BST_CHECKED)
                    value = iButton;
            }
            else
            {
                ::SendMessageW(hWndCtrl, BM_SETCHECK, iButton == value ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            ++iButton;
        }
        hWndCtrl = ::GetWindow(hWndCtrl, GW_HWNDNEXT);
    } while (hWndCtrl != NULL && !(::GetWindowLongPtrW(hWndCtrl, GWL_STYLE) & WS_GROUP));
}

namespace
{

CString ControlText(HWND hWndCtrl)
{
    CString text;
    int nLength = ::GetWindowTextLengthW(hWndCtrl);
    ::GetWindowTextW(hWndCtrl, text.GetBufferSetLength(nLength), nLength + 1);
    text.ReleaseBuffer();
    return text;
}

// The whole text as a decimal number, blanks around it allowed.
bool ParseNumber(const CString& text, bool bSigned, long long* pValue)
{
    const wchar_t* pszStart = text.GetString();
    wchar_t* pszEnd = NULL;
    errno = 0;
    long long value = bSigned ? std::wcstoll(pszStart, &pszEnd, 10)
                              : static_cast<long long>(std::wcstoull(pszStart, &pszEnd, 10));
    if (pszEnd == pszStart || errno != 0)
        return false;
    while (std::iswspace(*pszEnd))
        ++pszEnd;
    if (*pszEnd != L'\0' || (!bSigned && std::wcschr(pszStart, L'-') != NULL))
        return false;
    *pValue = value;
    return true;
}

template <typename Number>
void ExchangeNumber(CDataExchange* pDX, int nIDC, Number& value, LPCWSTR lpszFormat)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate)
    {
        CString text;
        text.Format(lpszFormat, value);
        ::SetWindowTextW(hWndCtrl, text);
        return;
    }
    long long parsed = 0;
    const bool bSigned = static_cast<Number>(-1) < 0;
    if (!ParseNumber(ControlText(hWndCtrl), bSigned, &parsed) || static_cast<long long>(static_cast<Number>(parsed)) != parsed)
        pDX->Fail();
    value = static_cast<Number>(parsed);
}

} // namespace

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = ControlText(hWndCtrl);
    else
        ::SetWindowTextW(hWndCtrl, value);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    ExchangeNumber(pDX, nIDC, value, L"%d");
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    ExchangeNumber(pDX, nIDC, value, L"%u");
}

void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
        pDX->Fail();
}
