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
