// Request files: reading the body, and the HTTP exchange.
#include <afxinet.h>

#include <string.h>

IMPLEMENT_DYNAMIC(CInternetFile, CFile)
IMPLEMENT_DYNAMIC(CHttpFile, CInternetFile)

namespace
{

// Bytes asked of WinINet at a time for line reading.
const DWORD internetLineChunk = 4096;

} // namespace

// CInternetFile -------------------------------------------------------------

CInternetFile::CInternetFile(HINTERNET hFile, LPCTSTR pstrFileName, CInternetConnection* pConnection,
                             DWORD_PTR dwContext)
    : m_hInternetFile(hFile), m_dwContext(dwContext), m_pConnection(pConnection), m_nPendingStart(0)
{
    m_strFileName = pstrFileName;
}

CInternetFile::~CInternetFile()
{
    Abort();
}

void CInternetFile::Close()
{
    Abort();
}

void CInternetFile::Abort()
{
    if (m_hInternetFile != NULL)
        ::InternetCloseHandle(m_hInternetFile);
    m_hInternetFile = NULL;
    m_pendingBytes.clear();
    m_nPendingStart = 0;
    CFile::Abort();
}

UINT CInternetFile::Read(void* lpBuf, UINT nCount)
{
    // Bytes that line reading took in go first.
    size_t nPending = m_pendingBytes.size() - m_nPendingStart;
    if (nPending > 0)
    {
        UINT nCopied = nCount < nPending ? nCount : static_cast<UINT>(nPending);
        ::memcpy(lpBuf, m_pendingBytes.data() + m_nPendingStart, nCopied);
        m_nPendingStart += nCopied;
        return nCopied;
    }
    DWORD dwRead = 0;
    if (!::InternetReadFile(m_hInternetFile, lpBuf, nCount, &dwRead))
        AfxThrowInternetException(m_dwContext);
    return dwRead;
}

bool CInternetFile::FillLineBuffer()
{
    m_pendingBytes.erase(0, m_nPendingStart);
    m_nPendingStart = 0;
    size_t nKept = m_pendingBytes.size();
    m_pendingBytes.resize(nKept + internetLineChunk);
    DWORD dwRead = 0;
    BOOL bRead = ::InternetReadFile(m_hInternetFile, &m_pendingBytes[nKept], internetLineChunk, &dwRead);
    m_pendingBytes.resize(nKept + (bRead ? dwRead : 0));
    if (!bRead)
        AfxThrowInternetException(m_dwContext);
    return dwRead > 0;
}

BOOL CInternetFile::ReadString(CString& rString)
{
    rString.Empty();
    size_t nEnd = std::string::npos;
    bool bMore = true;
    while ((nEnd = m_pendingBytes.find('\n', m_nPendingStart)) == std::string::npos && bMore)
        bMore = FillLineBuffer();
    bool bNewline = nEnd != std::string::npos;
    size_t nLineEnd = bNewline ? nEnd : m_pendingBytes.size();
    if (!bNewline && nLineEnd == m_nPendingStart)
        return FALSE;
    size_t nTextEnd = nLineEnd > m_nPendingStart && m_pendingBytes[nLineEnd - 1] == '\r' ? nLineEnd - 1 : nLineEnd;
    for (size_t i = m_nPendingStart; i < nTextEnd; ++i)
        rString.AppendChar(static_cast<wchar_t>(static_cast<BYTE>(m_pendingBytes[i])));
    m_nPendingStart = bNewline ? nLineEnd + 1 : nLineEnd;
    return TRUE;
}

// CHttpFile -----------------------------------------------------------------

CHttpFile::CHttpFile(HINTERNET hFile, LPCTSTR pstrObject, CHttpConnection* pConnection, DWORD_PTR dwContext)
    : CInternetFile(hFile, pstrObject, pConnection, dwContext)
{
}

CHttpFile::~CHttpFile() = default;

BOOL CHttpFile::SendRequest(LPCTSTR pstrHeaders, DWORD dwHeadersLen, LPVOID lpOptional, DWORD dwOptionalLen)
{
    if (!::HttpSendRequestW(m_hInternetFile, pstrHeaders, dwHeadersLen, lpOptional, dwOptionalLen))
        AfxThrowInternetException(m_dwContext);
    return TRUE;
}

BOOL CHttpFile::QueryInfoStatusCode(DWORD& dwStatusCode) const
{
    DWORD cbStatus = sizeof(dwStatusCode);
    return ::HttpQueryInfoW(m_hInternetFile, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &dwStatusCode,
                            &cbStatus, NULL);
}
