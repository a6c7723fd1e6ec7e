#include "FileSupport.h"

IMPLEMENT_DYNAMIC(CFile, CObject)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

namespace
{

DWORD AccessOf(UINT nOpenFlags)
{
    switch (nOpenFlags & 3)
    {
    case CFile::modeRead:
        return GENERIC_READ;
    case CFile::modeWrite:
        return GENERIC_WRITE;
    case CFile::modeReadWrite:
        return GENERIC_READ | GENERIC_WRITE;
    default:
        return 0;
    }
}

DWORD ShareModeOf(UINT nOpenFlags)
{
    switch (nOpenFlags & 0x70)
    {
    case CFile::shareDenyWrite:
        return FILE_SHARE_READ;
    case CFile::shareDenyRead:
        return FILE_SHARE_WRITE;
    case CFile::shareDenyNone:
        return FILE_SHARE_READ | FILE_SHARE_WRITE;
    default: // shareCompat, shareExclusive
        return 0;
    }
}

DWORD CreationOf(UINT nOpenFlags)
{
    if ((nOpenFlags & CFile::modeCreate) == 0)
        return OPEN_EXISTING;
    return (nOpenFlags & CFile::modeNoTruncate) != 0 ? OPEN_ALWAYS : CREATE_ALWAYS;
}

DWORD FlagsOf(UINT nOpenFlags)
{
    DWORD dwFlags = FILE_ATTRIBUTE_NORMAL;
    if (nOpenFlags & CFile::osNoBuffer)
        dwFlags |= FILE_FLAG_NO_BUFFERING;
    if (nOpenFlags & CFile::osWriteThrough)
        dwFlags |= FILE_FLAG_WRITE_THROUGH;
    if (nOpenFlags & CFile::osRandomAccess)
        dwFlags |= FILE_FLAG_RANDOM_ACCESS;
    if (nOpenFlags & CFile::osSequentialScan)
        dwFlags |= FILE_FLAG_SEQUENTIAL_SCAN;
    return dwFlags;
}

void CopyFullName(const CString& strPath, CFileStatus& rStatus)
{
    lstrcpynW(rStatus.m_szFullName, strPath, MAX_PATH);
}

void SetAttributes(LPCWSTR lpszFileName, DWORD dwAttributes)
{
    if (!SetFileAttributesW(lpszFileName, dwAttributes != 0 ? dwAttributes : FILE_ATTRIBUTE_NORMAL))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), lpszFileName);
}

const FILETIME* NonZeroFileTime(const CTime& time, FILETIME& fileTime)
{
    if (time.GetTime() == 0)
        return NULL;
    fileTime = afxfile::FileTimeFromTime(time);
    return &fileTime;
}

}

CFile::CFile() : m_hFile(hFileNull), m_bCloseOnDelete(FALSE)
{
}

CFile::CFile(HANDLE hFile) : m_hFile(hFile), m_bCloseOnDelete(FALSE)
{
}

CFile::CFile(LPCWSTR lpszFileName, UINT nOpenFlags) : m_hFile(hFileNull), m_bCloseOnDelete(FALSE)
{
    CFileException error;
    if (!Open(lpszFileName, nOpenFlags, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CFile::~CFile()
{
    if (m_hFile != hFileNull && m_bCloseOnDelete)
        CFile::Abort();
}

BOOL CFile::Open(LPCWSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    if (m_hFile != hFileNull && m_bCloseOnDelete)
        CFile::Abort();
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    m_strFileName = afxfile::FullPath(lpszFileName);

    SECURITY_ATTRIBUTES sa = {sizeof(sa), NULL, (nOpenFlags & modeNoInherit) == 0};
    HANDLE hFile = CreateFileW(lpszFileName, AccessOf(nOpenFlags), ShareModeOf(nOpenFlags), &sa, CreationOf(nOpenFlags),
                               FlagsOf(nOpenFlags), NULL);
    if (hFile == INVALID_HANDLE_VALUE)
    {
        if (pError != NULL)
        {
            pError->m_lOsError = static_cast<LONG>(GetLastError());
            pError->m_cause = CFileException::OsErrorToException(pError->m_lOsError);
            pError->m_strFileName = lpszFileName;
        }
        m_strFileName.Empty();
        return FALSE;
    }
    m_hFile = hFile;
    m_bCloseOnDelete = TRUE;
    return TRUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return 0;
    DWORD nRead = 0;
    if (!ReadFile(m_hFile, lpBuf, nCount, &nRead, NULL))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
    return nRead;
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    DWORD nWritten = 0;
    if (!WriteFile(m_hFile, lpBuf, nCount, &nWritten, NULL))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
    if (nWritten != nCount)
        AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom)
{
    LARGE_INTEGER distance;
    distance.QuadPart = lOff;
    LARGE_INTEGER position;
    if (!SetFilePointerEx(m_hFile, distance, &position, nFrom))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
    return static_cast<ULONGLONG>(position.QuadPart);
}

ULONGLONG CFile::GetPosition() const
{
    LARGE_INTEGER distance = {};
    LARGE_INTEGER position;
    if (!SetFilePointerEx(m_hFile, distance, &position, FILE_CURRENT))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
    return static_cast<ULONGLONG>(position.QuadPart);
}

ULONGLONG CFile::GetLength() const
{
    LARGE_INTEGER size;
    if (!GetFileSizeEx(m_hFile, &size))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
    return static_cast<ULONGLONG>(size.QuadPart);
}

void CFile::SetLength(ULONGLONG dwNewLen)
{
    Seek(static_cast<LONGLONG>(dwNewLen), begin);
    if (!SetEndOfFile(m_hFile))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
}

void CFile::Flush()
{
    if (m_hFile != hFileNull && !FlushFileBuffers(m_hFile))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
}

void CFile::Close()
{
    BOOL bClosed = TRUE;
    if (m_hFile != hFileNull)
        bClosed = CloseHandle(m_hFile);
    DWORD dwError = GetLastError();
    CString strFileName = m_strFileName;
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
    if (!bClosed)
        CFileException::ThrowOsError(static_cast<LONG>(dwError), strFileName);
}

void CFile::Abort()
{
    if (m_hFile != hFileNull)
        CloseHandle(m_hFile);
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}

BOOL CFile::GetStatus(CFileStatus& rStatus) const
{
    CopyFullName(m_strFileName, rStatus);
    FILETIME creation, access, write;
    LARGE_INTEGER size;
    if (!GetFileTime(m_hFile, &creation, &access, &write) || !GetFileSizeEx(m_hFile, &size))
        return FALSE;
    rStatus.m_ctime = afxfile::TimeFromFileTime(creation);
    rStatus.m_atime = afxfile::TimeFromFileTime(access);
    rStatus.m_mtime = afxfile::TimeFromFileTime(write);
    rStatus.m_size = static_cast<ULONGLONG>(size.QuadPart);
    DWORD dwAttributes = m_strFileName.IsEmpty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(m_strFileName);
    rStatus.m_attribute = dwAttributes == INVALID_FILE_ATTRIBUTES ? 0 : static_cast<BYTE>(dwAttributes & ~FILE_ATTRIBUTE_NORMAL);
    rStatus._m_padding = 0;
    return TRUE;
}

BOOL PASCAL CFile::GetStatus(LPCWSTR lpszFileName, CFileStatus& rStatus)
{
    CopyFullName(afxfile::FullPath(lpszFileName), rStatus);
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(lpszFileName, GetFileExInfoStandard, &data))
        return FALSE;
    rStatus.m_ctime = afxfile::TimeFromFileTime(data.ftCreationTime);
    rStatus.m_atime = afxfile::TimeFromFileTime(data.ftLastAccessTime);
    rStatus.m_mtime = afxfile::TimeFromFileTime(data.ftLastWriteTime);
    rStatus.m_size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    rStatus.m_attribute = static_cast<BYTE>(data.dwFileAttributes & ~FILE_ATTRIBUTE_NORMAL);
    rStatus._m_padding = 0;
    return TRUE;
}

void PASCAL CFile::SetStatus(LPCWSTR lpszFileName, const CFileStatus& status)
{
    DWORD dwAttributes = GetFileAttributesW(lpszFileName);
    if (dwAttributes == INVALID_FILE_ATTRIBUTES)
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), lpszFileName);
    // The status keeps only the low byte; the other bits stay as they are.
    DWORD dwCurrent = dwAttributes & ~FILE_ATTRIBUTE_NORMAL;
    DWORD dwWanted = (dwCurrent & ~0xFFu) | (status.m_attribute & ~FILE_ATTRIBUTE_NORMAL);

    // Attribute-only access: read-only files take new times too.
    if (status.m_mtime.GetTime() != 0)
    {
        HANDLE hFile = CreateFileW(lpszFileName, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   NULL, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, NULL);
        if (hFile == INVALID_HANDLE_VALUE)
            CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), lpszFileName);
        FILETIME creation, access, write = afxfile::FileTimeFromTime(status.m_mtime);
        BOOL bSet = SetFileTime(hFile, NonZeroFileTime(status.m_ctime, creation), NonZeroFileTime(status.m_atime, access), &write);
        DWORD dwError = GetLastError();
        CloseHandle(hFile);
        if (!bSet)
            CFileException::ThrowOsError(static_cast<LONG>(dwError), lpszFileName);
    }

    if (dwWanted != dwCurrent)
        SetAttributes(lpszFileName, dwWanted);
}

void PASCAL CFile::Rename(LPCWSTR lpszOldName, LPCWSTR lpszNewName)
{
    if (!MoveFileW(lpszOldName, lpszNewName))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), lpszOldName);
}

void PASCAL CFile::Remove(LPCWSTR lpszFileName)
{
    if (!DeleteFileW(lpszFileName))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), lpszFileName);
}

CString CFile::GetFileName() const
{
    return CString(afxfile::FindFileName(m_strFileName));
}

CString CFile::GetFileTitle() const
{
    return afxfile::FileTitleOf(m_strFileName);
}

CString CFile::GetFilePath() const
{
    return m_strFileName;
}

void CFile::SetFilePath(LPCWSTR lpszNewName)
{
    m_strFileName = lpszNewName;
}
