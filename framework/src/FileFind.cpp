#include "FileSupport.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CFileFind, CObject)

namespace
{

// The folder of a pattern: its absolute path without the last part, keeping
// the separator of a drive root ("C:\").
CString RootOf(LPCWSTR lpszPattern)
{
    CString strPath = afxfile::FullPath(lpszPattern);
    LPCWSTR lpszPath = strPath;
    LPCWSTR lpszName = afxfile::FindFileName(lpszPath);
    int nLength = static_cast<int>(lpszName - lpszPath);
    bool bDriveRoot = nLength >= 2 && lpszPath[nLength - 2] == L':';
    if (nLength > 0 && !bDriveRoot && (lpszName[-1] == L'\\' || lpszName[-1] == L'/'))
        --nLength;
    return CString(lpszPath, nLength);
}

}

CFileFind::CFileFind() : m_hContext(NULL), m_found(), m_next(), m_bFound(FALSE), m_bHasNext(FALSE)
{
}

CFileFind::~CFileFind()
{
    Close();
}

BOOL CFileFind::FindFile(LPCWSTR pstrName, DWORD /*dwUnused*/)
{
    Close();
    if (pstrName == NULL)
        pstrName = L"*.*";
    HANDLE hContext = FindFirstFileW(pstrName, &m_next);
    if (hContext == INVALID_HANDLE_VALUE)
        return FALSE;
    m_hContext = hContext;
    m_bHasNext = TRUE;
    m_strRoot = RootOf(pstrName);
    return TRUE;
}

BOOL CFileFind::FindNextFile()
{
    if (m_hContext == NULL || !m_bHasNext)
        return FALSE;
    m_found = m_next;
    m_bFound = TRUE;
    m_bHasNext = ::FindNextFileW(m_hContext, &m_next);
    return m_bHasNext;
}

void CFileFind::Close()
{
    if (m_hContext != NULL)
        FindClose(m_hContext);
    m_hContext = NULL;
    m_bFound = FALSE;
    m_bHasNext = FALSE;
    m_strRoot.Empty();
}

ULONGLONG CFileFind::GetLength() const
{
    return m_bFound ? (static_cast<ULONGLONG>(m_found.nFileSizeHigh) << 32) | m_found.nFileSizeLow : 0;
}

CString CFileFind::GetFileName() const
{
    return m_bFound ? CString(m_found.cFileName) : CString();
}

CString CFileFind::GetFilePath() const
{
    if (!m_bFound)
        return CString();
    CString strPath = m_strRoot;
    int nLength = strPath.GetLength();
    if (nLength > 0 && strPath[nLength - 1] != L'\\' && strPath[nLength - 1] != L'/')
        strPath += L'\\';
    return strPath + m_found.cFileName;
}

CString CFileFind::GetFileTitle() const
{
    return m_bFound ? afxfile::FileTitleOf(m_found.cFileName) : CString();
}

CString CFileFind::GetRoot() const
{
    return m_bFound ? m_strRoot : CString();
}

BOOL CFileFind::GetLastWriteTime(FILETIME* pTimeStamp) const
{
    return GetFoundTime(&WIN32_FIND_DATAW::ftLastWriteTime, pTimeStamp);
}

BOOL CFileFind::GetLastWriteTime(CTime& refTime) const
{
    return GetFoundTime(&WIN32_FIND_DATAW::ftLastWriteTime, refTime);
}

BOOL CFileFind::GetCreationTime(FILETIME* pTimeStamp) const
{
    return GetFoundTime(&WIN32_FIND_DATAW::ftCreationTime, pTimeStamp);
}

BOOL CFileFind::GetCreationTime(CTime& refTime) const
{
    return GetFoundTime(&WIN32_FIND_DATAW::ftCreationTime, refTime);
}

BOOL CFileFind::GetLastAccessTime(FILETIME* pTimeStamp) const
{
    return GetFoundTime(&WIN32_FIND_DATAW::ftLastAccessTime, pTimeStamp);
}

BOOL CFileFind::GetLastAccessTime(CTime& refTime) const
{
    return GetFoundTime(&WIN32_FIND_DATAW::ftLastAccessTime, refTime);
}

BOOL CFileFind::GetFoundTime(FILETIME WIN32_FIND_DATAW::*pMember, FILETIME* pTimeStamp) const
{
    if (!m_bFound)
        return FALSE;
    *pTimeStamp = m_found.*pMember;
    return TRUE;
}

BOOL CFileFind::GetFoundTime(FILETIME WIN32_FIND_DATAW::*pMember, CTime& refTime) const
{
    if (!m_bFound)
        return FALSE;
    refTime = afxfile::TimeFromFileTime(m_found.*pMember);
    return TRUE;
}

BOOL CFileFind::MatchesMask(DWORD dwMask) const
{
    return m_bFound && (m_found.dwFileAttributes & dwMask) != 0;
}

BOOL CFileFind::IsDots() const
{
    return IsDirectory() && (std::wcscmp(m_found.cFileName, L".") == 0 || std::wcscmp(m_found.cFileName, L"..") == 0);
}
