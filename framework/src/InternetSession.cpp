// The session and the connections made from it.
#include <afxinet.h>
#include <afxwin.h>

IMPLEMENT_DYNAMIC(CInternetSession, CObject)
IMPLEMENT_DYNAMIC(CInternetConnection, CObject)
IMPLEMENT_DYNAMIC(CHttpConnection, CInternetConnection)

namespace
{

void CloseInternetHandle(HINTERNET& hInternet)
{
    if (hInternet != NULL)
        ::InternetCloseHandle(hInternet);
    hInternet = NULL;
}

const LPCWSTR httpVerbNames[] = {L"POST", L"GET", L"HEAD", L"PUT", L"LINK", L"DELETE", L"UNLINK"};

} // namespace

// CInternetSession ----------------------------------------------------------

CInternetSession::CInternetSession(LPCTSTR pstrAgent, DWORD_PTR dwContext, DWORD dwAccessType,
                                   LPCTSTR pstrProxyName, LPCTSTR pstrProxyBypass, DWORD dwFlags)
    : m_dwContext(dwContext),
      m_hSession(::InternetOpenW(pstrAgent != NULL ? pstrAgent : AfxGetAppName(), dwAccessType, pstrProxyName,
                                 pstrProxyBypass, dwFlags))
{
    if (m_hSession == NULL)
        AfxThrowInternetException(m_dwContext);
}

CInternetSession::~CInternetSession()
{
    Close();
}

void CInternetSession::Close()
{
    CloseInternetHandle(m_hSession);
}

CHttpConnection* CInternetSession::GetHttpConnection(LPCTSTR pstrServer, INTERNET_PORT nPort,
                                                     LPCTSTR pstrUserName, LPCTSTR pstrPassword)
{
    return new CHttpConnection(this, pstrServer, nPort, pstrUserName, pstrPassword, m_dwContext);
}

// CInternetConnection -------------------------------------------------------

CInternetConnection::CInternetConnection(CInternetSession* pSession, LPCTSTR pstrServer, INTERNET_PORT nPort,
                                         DWORD_PTR dwContext)
    : m_hConnection(NULL), m_dwContext(dwContext), m_pSession(pSession), m_strServerName(pstrServer), m_nPort(nPort)
{
}

CInternetConnection::~CInternetConnection()
{
    Close();
}

void CInternetConnection::Close()
{
    CloseInternetHandle(m_hConnection);
}

// CHttpConnection -----------------------------------------------------------

CHttpConnection::CHttpConnection(CInternetSession* pSession, LPCTSTR pstrServer, INTERNET_PORT nPort,
                                 LPCTSTR pstrUserName, LPCTSTR pstrPassword, DWORD_PTR dwContext)
    : CInternetConnection(pSession, pstrServer, nPort, dwContext)
{
    m_hConnection = ::InternetConnectW(*pSession, pstrServer, nPort, pstrUserName, pstrPassword,
                                       INTERNET_SERVICE_HTTP, 0, dwContext);
    if (m_hConnection == NULL)
        AfxThrowInternetException(dwContext);
}

CHttpConnection::~CHttpConnection() = default;

CHttpFile* CHttpConnection::OpenRequest(LPCTSTR pstrVerb, LPCTSTR pstrObjectName, LPCTSTR pstrReferer,
                                        DWORD_PTR dwContext, LPCTSTR* ppstrAcceptTypes, LPCTSTR pstrVersion,
                                        DWORD dwFlags)
{
    HINTERNET hRequest = ::HttpOpenRequestW(m_hConnection, pstrVerb, pstrObjectName, pstrVersion, pstrReferer,
                                            ppstrAcceptTypes, dwFlags, dwContext);
    if (hRequest == NULL)
        AfxThrowInternetException(dwContext);
    return new CHttpFile(hRequest, pstrObjectName, this, dwContext);
}

CHttpFile* CHttpConnection::OpenRequest(int nVerb, LPCTSTR pstrObjectName, LPCTSTR pstrReferer,
                                        DWORD_PTR dwContext, LPCTSTR* ppstrAcceptTypes, LPCTSTR pstrVersion,
                                        DWORD dwFlags)
{
    if (nVerb < HTTP_VERB_MIN || nVerb > HTTP_VERB_MAX)
        AfxThrowInvalidArgException();
    return OpenRequest(httpVerbNames[nVerb], pstrObjectName, pstrReferer, dwContext, ppstrAcceptTypes, pstrVersion,
                       dwFlags);
}
