#include "stream/ArchiveReading.h"

void RequireLoading(CArchive& ar)
{
    if (!ar.IsLoading())
        AfxThrowArchiveException(CArchiveException::writeOnly, ar.m_strFileName);
}

void ReadExact(CArchive& ar, void* buffer, UINT count)
{
    if (ar.Read(buffer, count) != count)
        AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
}

const BYTE* TakeBytes(CArchive& ar, UINT count)
{
    RequireLoading(ar);
    UINT buffered = static_cast<UINT>(ar.m_lpBufMax - ar.m_lpBufCur);
    if (buffered < count)
        ar.FillBuffer(count - buffered);
    const BYTE* bytes = ar.m_lpBufCur;
    ar.m_lpBufCur += count;
    return bytes;
}
