#include <afx.h>

#include "ArchiveSpares.h"

#include <algorithm>

namespace
{

// Smallest buffer: room for the largest value read or written at once.
const UINT nBufSizeMin = 128;

const WORD wCountEscape = 0xFFFF;
const DWORD dwCountEscape = 0xFFFFFFFF;

}

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf)
    : m_strFileName(pFile->GetFilePath()),
      m_pFile(pFile),
      m_nMode(nMode),
      m_nBufSize(std::max<UINT>(nBufSize > 0 ? static_cast<UINT>(nBufSize) : 0, nBufSizeMin)),
      m_bUserBuf(lpBuf != NULL && nBufSize >= static_cast<int>(nBufSizeMin)),
      m_nObjectSchema(static_cast<UINT>(-1)),
      m_nDepth(0),
      m_nGrowSize(1024),
      m_bOwnsLoadedObjects(FALSE),
      m_nMapCount(1)
{
    m_lpBufStart = m_bUserBuf ? static_cast<BYTE*>(lpBuf) : CArchiveSpares::TakeBuffer(m_nBufSize);
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = IsLoading() ? m_lpBufStart : m_lpBufStart + m_nBufSize;
}

CArchive::~CArchive()
{
    if (m_pFile != NULL && (m_nMode & bNoFlushOnDelete) == 0)
    {
        try
        {
            Close();
        }
        catch (CException* e)
        {
            e->Delete();
        }
        catch (...)
        {
        }
    }
    Abort();
    DeleteLoadedObjects();
    CArchiveSpares::KeepLoadTable(m_loadTable);
    if (!m_bUserBuf)
        CArchiveSpares::KeepBuffer(m_lpBufStart, m_nBufSize);
}

UINT CArchive::GetObjectSchema()
{
    UINT nSchema = m_nObjectSchema;
    m_nObjectSchema = static_cast<UINT>(-1);
    return nSchema;
}

void CArchive::ThrowArchive(int cause) const
{
    AfxThrowArchiveException(cause, m_strFileName);
}

// Loading ------------------------------------------------------------------

void CArchive::FillBuffer(UINT nAdditionalBytesNeeded)
{
    if (!IsLoading())
        ThrowArchive(CArchiveException::writeOnly);
    if (m_pFile == NULL)
        ThrowArchive(CArchiveException::genericException);
    UINT nAvailable = static_cast<UINT>(m_lpBufMax - m_lpBufCur);
    if (nAdditionalBytesNeeded > m_nBufSize - nAvailable)
        ThrowArchive(CArchiveException::bufferFull);
    UINT nNeeded = nAvailable + nAdditionalBytesNeeded;

    std::memmove(m_lpBufStart, m_lpBufCur, nAvailable);
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = m_lpBufStart + nAvailable;
    while (static_cast<UINT>(m_lpBufMax - m_lpBufCur) < nNeeded)
    {
        UINT nRead = m_pFile->Read(m_lpBufMax, m_nBufSize - static_cast<UINT>(m_lpBufMax - m_lpBufStart));
        if (nRead == 0)
            ThrowArchive(CArchiveException::endOfFile);
        m_lpBufMax += nRead;
    }
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    if (!IsLoading())
        ThrowArchive(CArchiveException::writeOnly);
    BYTE* lpOut = static_cast<BYTE*>(lpBuf);
    UINT nLeft = nMax;
    while (nLeft > 0)
    {
        UINT nAvailable = static_cast<UINT>(m_lpBufMax - m_lpBufCur);
        if (nAvailable > 0)
        {
            UINT nCopy = std::min(nLeft, nAvailable);
            std::memcpy(lpOut, m_lpBufCur, nCopy);
            m_lpBufCur += nCopy;
            lpOut += nCopy;
            nLeft -= nCopy;
            continue;
        }
        if (m_pFile == NULL)
            ThrowArchive(CArchiveException::genericException);
        // Large reads bypass the buffer.
        m_lpBufCur = m_lpBufMax = m_lpBufStart;
        bool bDirect = nLeft >= m_nBufSize;
        UINT nRead = m_pFile->Read(bDirect ? lpOut : m_lpBufStart, bDirect ? nLeft : m_nBufSize);
        if (nRead == 0)
            break;
        if (bDirect)
        {
            lpOut += nRead;
            nLeft -= nRead;
        }
        else
        {
            m_lpBufMax += nRead;
        }
    }
    return nMax - nLeft;
}

CArchive& CArchive::operator>>(bool& value)
{
    BYTE byte = 0;
    ReadValue(byte);
    value = byte != 0;
    return *this;
}

ULONGLONG CArchive::GetBytesLeft() const
{
    ULONGLONG nBuffered = IsLoading() ? static_cast<ULONGLONG>(m_lpBufMax - m_lpBufCur) : 0;
    if (!IsLoading() || m_pFile == NULL)
        return nBuffered;
    ULONGLONG nLength = m_pFile->GetLength();
    ULONGLONG nPosition = m_pFile->GetPosition();
    return nBuffered + (nLength > nPosition ? nLength - nPosition : 0);
}

void CArchive::EnsureBytesLeft(ULONGLONG nBytes) const
{
    if (IsLoading() && nBytes <= static_cast<ULONGLONG>(m_lpBufMax - m_lpBufCur))
        return;
    if (GetBytesLeft() < nBytes)
        ThrowArchive(CArchiveException::endOfFile);
}

DWORD_PTR CArchive::ReadCount()
{
    WORD wCount = 0;
    *this >> wCount;
    if (wCount != wCountEscape)
        return wCount;
    DWORD dwCount = 0;
    *this >> dwCount;
    if (dwCount != dwCountEscape)
        return dwCount;
    ULONGLONG qwCount = 0;
    *this >> qwCount;
    if (qwCount > static_cast<DWORD_PTR>(-1))
        ThrowArchive(CArchiveException::genericException);
    return static_cast<DWORD_PTR>(qwCount);
}

// Storing ------------------------------------------------------------------

void CArchive::WriteBuffer()
{
    if (m_pFile == NULL)
        ThrowArchive(CArchiveException::genericException);
    if (m_lpBufCur != m_lpBufStart)
        m_pFile->Write(m_lpBufStart, static_cast<UINT>(m_lpBufCur - m_lpBufStart));
    m_lpBufCur = m_lpBufStart;
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    if (!IsStoring())
        ThrowArchive(CArchiveException::readOnly);
    if (nMax > static_cast<UINT>(m_lpBufMax - m_lpBufCur))
    {
        WriteBuffer();
        // Large writes bypass the buffer.
        if (nMax >= m_nBufSize)
        {
            m_pFile->Write(lpBuf, nMax);
            return;
        }
    }
    std::memcpy(m_lpBufCur, lpBuf, nMax);
    m_lpBufCur += nMax;
}

void CArchive::WriteCount(DWORD_PTR dwCount)
{
    if (dwCount < wCountEscape)
    {
        *this << static_cast<WORD>(dwCount);
        return;
    }
    *this << wCountEscape;
    if (dwCount < dwCountEscape)
    {
        *this << static_cast<DWORD>(dwCount);
        return;
    }
    *this << dwCountEscape << static_cast<ULONGLONG>(dwCount);
}

// Both directions ------------------------------------------------------------

void CArchive::Flush()
{
    if (m_pFile == NULL)
        return;
    if (IsStoring())
    {
        WriteBuffer();
        return;
    }
    UINT nUnread = static_cast<UINT>(m_lpBufMax - m_lpBufCur);
    if (nUnread > 0)
        m_pFile->Seek(-static_cast<LONGLONG>(nUnread), CFile::current);
    m_lpBufCur = m_lpBufMax = m_lpBufStart;
}

void CArchive::Close()
{
    Flush();
    m_pFile = NULL;
}

void CArchive::Abort()
{
    m_pFile = NULL;
    if (IsStoring())
        m_lpBufCur = m_lpBufStart;
}
