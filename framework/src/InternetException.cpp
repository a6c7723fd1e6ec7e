#include <afxinet.h>

IMPLEMENT_DYNAMIC(CInternetException, CException)

CInternetException::CInternetException(DWORD dwError) : m_dwContext(0), m_dwError(dwError)
{
}

CInternetException::~CInternetException() = default;

BOOL CInternetException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    // WinINet keeps the texts of its own errors (12001 on) in its module.
    HMODULE hWinINet = ::GetModuleHandleW(L"wininet.dll");
    DWORD dwFlags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
                    (hWinINet != NULL ? FORMAT_MESSAGE_FROM_HMODULE : 0);
    WCHAR szText[512];
    if (::FormatMessageW(dwFlags, hWinINet, m_dwError, 0, szText, ARRAYSIZE(szText), NULL) == 0)
        ::wsprintfW(szText, L"Internet error %lu.", m_dwError);
    return CopyMessage(szText, lpszError, nMaxError, pnHelpContext);
}

void AFXAPI AfxThrowInternetException(DWORD_PTR dwContext, DWORD dwError)
{
    CInternetException* pException = new CInternetException(dwError != 0 ? dwError : ::GetLastError());
    pException->m_dwContext = dwContext;
    throw pException;
}
