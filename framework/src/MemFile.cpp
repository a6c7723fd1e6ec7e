#include <afx.h>

#include <cstdlib>
#include <cstring>
#include <limits>

IMPLEMENT_DYNAMIC(CMemFile, CFile)

CMemFile::CMemFile(UINT nGrowBytes)
    : m_nGrowBytes(nGrowBytes), m_nPosition(0), m_nBufferSize(0), m_nFileSize(0), m_lpBuffer(NULL), m_bAutoDelete(TRUE)
{
}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) : CMemFile(nGrowBytes)
{
    Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile()
{
    Release();
}

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
{
    Release();
    m_lpBuffer = lpBuffer;
    m_nBufferSize = nBufferSize;
    m_nGrowBytes = nGrowBytes;
    m_nFileSize = nGrowBytes == 0 ? nBufferSize : 0;
    m_bAutoDelete = FALSE;
}

BYTE* CMemFile::Detach()
{
    BYTE* lpBuffer = m_lpBuffer;
    m_lpBuffer = NULL;
    m_nBufferSize = m_nFileSize = m_nPosition = 0;
    m_bAutoDelete = TRUE;
    return lpBuffer;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount)
{
    if (m_nPosition >= m_nFileSize)
        return 0;
    SIZE_T nRead = m_nFileSize - m_nPosition;
    if (nRead > nCount)
        nRead = nCount;
    std::memcpy(lpBuf, m_lpBuffer + m_nPosition, nRead);
    m_nPosition += nRead;
    return static_cast<UINT>(nRead);
}

void CMemFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    if (nCount > std::numeric_limits<SIZE_T>::max() - m_nPosition)
        AfxThrowFileException(CFileException::diskFull);
    SIZE_T nEnd = m_nPosition + nCount;
    if (nEnd > m_nBufferSize)
        GrowFile(nEnd);
    // A write past the end leaves no stale bytes in the gap.
    if (m_nPosition > m_nFileSize)
        std::memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
    std::memcpy(m_lpBuffer + m_nPosition, lpBuf, nCount);
    m_nPosition = nEnd;
    if (m_nPosition > m_nFileSize)
        m_nFileSize = m_nPosition;
}

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom)
{
    LONGLONG nBase = nFrom == begin ? 0 : static_cast<LONGLONG>(nFrom == current ? m_nPosition : m_nFileSize);
    if (lOff < -nBase)
        AfxThrowFileException(CFileException::badSeek);
    ULONGLONG nNewPosition = static_cast<ULONGLONG>(nBase) + static_cast<ULONGLONG>(lOff);
    if (nNewPosition > std::numeric_limits<SIZE_T>::max())
        AfxThrowFileException(CFileException::badSeek);
    m_nPosition = static_cast<SIZE_T>(nNewPosition);
    return m_nPosition;
}

ULONGLONG CMemFile::GetPosition() const
{
    return m_nPosition;
}

ULONGLONG CMemFile::GetLength() const
{
    return m_nFileSize;
}

void CMemFile::SetLength(ULONGLONG dwNewLen)
{
    if (dwNewLen > std::numeric_limits<SIZE_T>::max())
        AfxThrowMemoryException();
    SIZE_T nNewLength = static_cast<SIZE_T>(dwNewLen);
    if (nNewLength > m_nBufferSize)
        GrowFile(nNewLength);
    if (nNewLength > m_nFileSize)
        std::memset(m_lpBuffer + m_nFileSize, 0, nNewLength - m_nFileSize);
    if (m_nPosition > nNewLength)
        m_nPosition = nNewLength;
    m_nFileSize = nNewLength;
}

void CMemFile::Flush()
{
}

void CMemFile::Close()
{
    Release();
}

void CMemFile::Abort()
{
    Release();
}

BOOL CMemFile::GetStatus(CFileStatus& rStatus) const
{
    rStatus.m_ctime = rStatus.m_mtime = rStatus.m_atime = CTime(static_cast<__time64_t>(0));
    rStatus.m_size = m_nFileSize;
    rStatus.m_attribute = normal;
    rStatus._m_padding = 0;
    rStatus.m_szFullName[0] = L'\0';
    return TRUE;
}

BYTE* CMemFile::Alloc(SIZE_T nBytes)
{
    return static_cast<BYTE*>(std::malloc(nBytes));
}

BYTE* CMemFile::Realloc(BYTE* lpMem, SIZE_T nBytes)
{
    return static_cast<BYTE*>(std::realloc(lpMem, nBytes));
}

void CMemFile::Free(BYTE* lpMem)
{
    std::free(lpMem);
}

// Grows the buffer in steps of the grow size. A buffer the file does not own
// is copied into one of its own instead of being reallocated.
void CMemFile::GrowFile(SIZE_T dwNewLen)
{
    if (dwNewLen <= m_nBufferSize)
        return;
    if (m_nGrowBytes == 0)
        AfxThrowMemoryException();
    SIZE_T nSteps = dwNewLen / m_nGrowBytes + (dwNewLen % m_nGrowBytes != 0 ? 1 : 0);
    if (nSteps > std::numeric_limits<SIZE_T>::max() / m_nGrowBytes)
        AfxThrowMemoryException();
    SIZE_T nNewBufferSize = nSteps * m_nGrowBytes;
    BYTE* lpNew = m_bAutoDelete ? Realloc(m_lpBuffer, nNewBufferSize) : Alloc(nNewBufferSize);
    if (lpNew == NULL)
        AfxThrowMemoryException();
    if (!m_bAutoDelete && m_nFileSize > 0)
        std::memcpy(lpNew, m_lpBuffer, m_nFileSize);
    m_lpBuffer = lpNew;
    m_nBufferSize = nNewBufferSize;
    m_bAutoDelete = TRUE;
}

void CMemFile::Release()
{
    if (m_lpBuffer != NULL && m_bAutoDelete)
        Free(m_lpBuffer);
    m_lpBuffer = NULL;
    m_nBufferSize = m_nFileSize = m_nPosition = 0;
    m_bAutoDelete = TRUE;
}
