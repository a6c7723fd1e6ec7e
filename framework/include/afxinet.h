// The internet classes over WinINet: a session, HTTP connections made from
// it, and the request files they open. Failures of the system calls are
// thrown as CInternetException (by pointer, freed with Delete()). The
// caller deletes the connections and files it is given, before the session.
#pragma once

#include <afx.h>
#include <wininet.h>

#include <string>

#define PRE_CONFIG_INTERNET_ACCESS INTERNET_OPEN_TYPE_PRECONFIG

// Service types of AfxParseURL.
#define AFX_INET_SERVICE_FTP INTERNET_SERVICE_FTP
#define AFX_INET_SERVICE_HTTP INTERNET_SERVICE_HTTP
#define AFX_INET_SERVICE_GOPHER INTERNET_SERVICE_GOPHER
#define AFX_INET_SERVICE_UNK 0x1000
#define AFX_INET_SERVICE_FILE (AFX_INET_SERVICE_UNK + 1)
#define AFX_INET_SERVICE_MAILTO (AFX_INET_SERVICE_UNK + 2)
#define AFX_INET_SERVICE_NEWS (AFX_INET_SERVICE_UNK + 5)
#define AFX_INET_SERVICE_HTTPS (AFX_INET_SERVICE_UNK + 11)

class CHttpConnection;
class CHttpFile;

class CInternetException : public CException
{
    DECLARE_DYNAMIC(CInternetException)
public:
    explicit CInternetException(DWORD dwError);
    virtual ~CInternetException();
    // The system's text for the error (WinINet's own table first).
    BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;

    DWORD_PTR m_dwContext;
    DWORD m_dwError;
};

// dwError 0 takes the calling thread's last error.
[[noreturn]] void AFXAPI AfxThrowInternetException(DWORD_PTR dwContext, DWORD dwError = 0);

// Splits service://server:port/object?extra into its parts; the object
// keeps the extra part and is empty when the URL names no path, and the
// port is the service's default when none is written. FALSE for an empty
// URL or one without a known scheme.
BOOL AFXAPI AfxParseURL(LPCTSTR pstrURL, DWORD& dwServiceType, CString& strServer, CString& strObject,
                        INTERNET_PORT& nPort);

class CInternetSession : public CObject
{
    DECLARE_DYNAMIC(CInternetSession)
public:
    // A NULL agent is the application's name. Throws when WinINet cannot
    // open a session.
    explicit CInternetSession(LPCTSTR pstrAgent = NULL, DWORD_PTR dwContext = 1,
                              DWORD dwAccessType = PRE_CONFIG_INTERNET_ACCESS, LPCTSTR pstrProxyName = NULL,
                              LPCTSTR pstrProxyBypass = NULL, DWORD dwFlags = 0);
    virtual ~CInternetSession();
    CInternetSession(const CInternetSession&) = delete;
    CInternetSession& operator=(const CInternetSession&) = delete;

    virtual void Close();
    // A connection object (nothing is sent yet); the caller deletes it.
    CHttpConnection* GetHttpConnection(LPCTSTR pstrServer, INTERNET_PORT nPort = INTERNET_INVALID_PORT_NUMBER,
                                       LPCTSTR pstrUserName = NULL, LPCTSTR pstrPassword = NULL);

    operator HINTERNET() const
    {
        return m_hSession;
    }
    DWORD_PTR GetContext() const
    {
        return m_dwContext;
    }

protected:
    DWORD_PTR m_dwContext;
    HINTERNET m_hSession;
};

class CInternetConnection : public CObject
{
    DECLARE_DYNAMIC(CInternetConnection)
public:
    CInternetConnection(CInternetSession* pSession, LPCTSTR pstrServer,
                        INTERNET_PORT nPort = INTERNET_INVALID_PORT_NUMBER, DWORD_PTR dwContext = 1);
    virtual ~CInternetConnection();
    CInternetConnection(const CInternetConnection&) = delete;
    CInternetConnection& operator=(const CInternetConnection&) = delete;

    virtual void Close();
    operator HINTERNET() const
    {
        return m_hConnection;
    }
    CString GetServerName() const
    {
        return m_strServerName;
    }
    // The session the connection was made from: not owned.
    CInternetSession* GetSession() const
    {
        return m_pSession;
    }
    DWORD_PTR GetContext() const
    {
        return m_dwContext;
    }

protected:
    HINTERNET m_hConnection;
    DWORD_PTR m_dwContext;
    CInternetSession* m_pSession;
    CString m_strServerName;
    INTERNET_PORT m_nPort;
};

class CHttpConnection : public CInternetConnection
{
    DECLARE_DYNAMIC(CHttpConnection)
public:
    enum
    {
        HTTP_VERB_MIN = 0,
        HTTP_VERB_POST = 0,
        HTTP_VERB_GET = 1,
        HTTP_VERB_HEAD = 2,
        HTTP_VERB_PUT = 3,
        HTTP_VERB_LINK = 4,
        HTTP_VERB_DELETE = 5,
        HTTP_VERB_UNLINK = 6,
        HTTP_VERB_MAX = 6
    };

    // Throws when WinINet refuses the connection handle.
    CHttpConnection(CInternetSession* pSession, LPCTSTR pstrServer, INTERNET_PORT nPort = INTERNET_INVALID_PORT_NUMBER,
                    LPCTSTR pstrUserName = NULL, LPCTSTR pstrPassword = NULL, DWORD_PTR dwContext = 1);
    virtual ~CHttpConnection();

    // A request file, not sent yet; the caller deletes it. Throws when
    // WinINet cannot make the request.
    CHttpFile* OpenRequest(LPCTSTR pstrVerb, LPCTSTR pstrObjectName, LPCTSTR pstrReferer = NULL,
                           DWORD_PTR dwContext = 1, LPCTSTR* ppstrAcceptTypes = NULL, LPCTSTR pstrVersion = NULL,
                           DWORD dwFlags = INTERNET_FLAG_EXISTING_CONNECT);
    CHttpFile* OpenRequest(int nVerb, LPCTSTR pstrObjectName, LPCTSTR pstrReferer = NULL, DWORD_PTR dwContext = 1,
                           LPCTSTR* ppstrAcceptTypes = NULL, LPCTSTR pstrVersion = NULL,
                           DWORD dwFlags = INTERNET_FLAG_EXISTING_CONNECT);
};

// The body of a request, read in order. Only reading is offered; the file
// operations of CFile that need a file handle fail on it.
class CInternetFile : public CFile
{
    DECLARE_DYNAMIC(CInternetFile)
public:
    CInternetFile(HINTERNET hFile, LPCTSTR pstrFileName, CInternetConnection* pConnection, DWORD_PTR dwContext);
    virtual ~CInternetFile();

    operator HINTERNET() const
    {
        return m_hInternetFile;
    }
    // Bytes read; 0 at the end of the data. Throws on a failed read.
    UINT Read(void* lpBuf, UINT nCount) override;
    // The next line without its "\n" (or "\r\n"), one character per byte
    // (0 to 255) as received: no code page is applied, so a caller narrows
    // the characters back to bytes and converts them with the page's own
    // code page. FALSE at the end of the data when nothing was read.
    virtual BOOL ReadString(CString& rString);
    void Close() override;
    void Abort() override;

protected:
    HINTERNET m_hInternetFile;
    DWORD_PTR m_dwContext;
    // The connection the file was opened from: not owned.
    CInternetConnection* m_pConnection;

private:
    // Refills the line buffer; FALSE at the end of the data.
    bool FillLineBuffer();

    // Bytes received but not handed out yet, from m_nPendingStart on.
    std::string m_pendingBytes;
    size_t m_nPendingStart;
};

class CHttpFile : public CInternetFile
{
    DECLARE_DYNAMIC(CHttpFile)
public:
    CHttpFile(HINTERNET hFile, LPCTSTR pstrObject, CHttpConnection* pConnection, DWORD_PTR dwContext);
    virtual ~CHttpFile();

    // Sends the request and receives the response headers. Throws when the
    // server cannot be reached or the exchange fails.
    BOOL SendRequest(LPCTSTR pstrHeaders = NULL, DWORD dwHeadersLen = 0, LPVOID lpOptional = NULL,
                     DWORD dwOptionalLen = 0);
    // The response's status (200, 404...); FALSE before a response came.
    BOOL QueryInfoStatusCode(DWORD& dwStatusCode) const;
};
