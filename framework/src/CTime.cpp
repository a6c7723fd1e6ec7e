#include <atltime.h>

#include <wchar.h>

#include "AtlTimeSpanFormat.h"

namespace ATL
{

namespace
{

const size_t nMaxFormattedTime = 64 * 1024;

} // namespace

CTime WINAPI CTime::GetCurrentTime() noexcept
{
    return CTime(::_time64(NULL));
}

BOOL WINAPI CTime::IsValidFILETIME(const FILETIME& fileTime) noexcept
{
    FILETIME localTime;
    SYSTEMTIME sysTime;
    return ::FileTimeToLocalFileTime(&fileTime, &localTime) && ::FileTimeToSystemTime(&localTime, &sysTime);
}

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST)
{
    struct tm atm = {};
    atm.tm_sec = nSec;
    atm.tm_min = nMin;
    atm.tm_hour = nHour;
    atm.tm_mday = nDay;
    atm.tm_mon = nMonth - 1;
    atm.tm_year = nYear - 1900;
    atm.tm_isdst = nDST;
    m_time = ::_mktime64(&atm);
    if (m_time == -1)
        AtlThrow(E_INVALIDARG);
}

CTime::CTime(WORD wDosDate, WORD wDosTime, int nDST)
    : CTime((wDosDate >> 9) + 1980, (wDosDate >> 5) & 0x0F, wDosDate & 0x1F, wDosTime >> 11, (wDosTime >> 5) & 0x3F,
            (wDosTime & 0x1F) * 2, nDST)
{
}

CTime::CTime(const SYSTEMTIME& st, int nDST)
    : CTime(st.wYear < 1900 ? CTime() : CTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, nDST))
{
}

CTime::CTime(const FILETIME& ft, int) : m_time(0)
{
    // Straight from UTC ticks: going through local fields would take the
    // daylight-saving bias of today instead of that of the file's date.
    const LONGLONG nTicksPerSecond = 10000000;
    const LONGLONG nTicksTo1970 = 116444736000000000;
    ULARGE_INTEGER ticks;
    ticks.LowPart = ft.dwLowDateTime;
    ticks.HighPart = ft.dwHighDateTime;
    LONGLONG nTicks = static_cast<LONGLONG>(ticks.QuadPart) - nTicksTo1970;
    m_time = nTicks / nTicksPerSecond - (nTicks % nTicksPerSecond < 0 ? 1 : 0);
}

struct tm* CTime::GetGmtTm(struct tm* ptm) const
{
    return ptm != NULL && ::_gmtime64_s(ptm, &m_time) == 0 ? ptm : NULL;
}

struct tm* CTime::GetLocalTm(struct tm* ptm) const
{
    return ptm != NULL && ::_localtime64_s(ptm, &m_time) == 0 ? ptm : NULL;
}

bool CTime::GetAsSystemTime(SYSTEMTIME& st) const
{
    struct tm ttm;
    if (GetLocalTm(&ttm) == NULL)
        return false;
    st.wYear = static_cast<WORD>(1900 + ttm.tm_year);
    st.wMonth = static_cast<WORD>(1 + ttm.tm_mon);
    st.wDayOfWeek = static_cast<WORD>(ttm.tm_wday);
    st.wDay = static_cast<WORD>(ttm.tm_mday);
    st.wHour = static_cast<WORD>(ttm.tm_hour);
    st.wMinute = static_cast<WORD>(ttm.tm_min);
    st.wSecond = static_cast<WORD>(ttm.tm_sec);
    st.wMilliseconds = 0;
    return true;
}

int CTime::LocalField(int tm::*pField, int nOffset) const
{
    struct tm ttm;
    return GetLocalTm(&ttm) != NULL ? ttm.*pField + nOffset : 0;
}

int CTime::GetYear() const
{
    return LocalField(&tm::tm_year, 1900);
}

int CTime::GetMonth() const
{
    return LocalField(&tm::tm_mon, 1);
}

int CTime::GetDay() const
{
    return LocalField(&tm::tm_mday, 0);
}

int CTime::GetHour() const
{
    return LocalField(&tm::tm_hour, 0);
}

int CTime::GetMinute() const
{
    return LocalField(&tm::tm_min, 0);
}

int CTime::GetSecond() const
{
    return LocalField(&tm::tm_sec, 0);
}

int CTime::GetDayOfWeek() const
{
    return LocalField(&tm::tm_wday, 1);
}

CString CTime::FormatTm(const struct tm* ptm, LPCTSTR pszFormat)
{
    CString strResult;
    if (ptm == NULL || pszFormat == NULL || *pszFormat == 0)
        return strResult;
    // wcsftime reports 0 both for a short buffer and for an empty result,
    // so the buffer grows up to a limit.
    for (size_t nSize = 128; nSize <= nMaxFormattedTime; nSize *= 2)
    {
        size_t nLength = ::wcsftime(strResult.GetBuffer(static_cast<int>(nSize)), nSize, pszFormat, ptm);
        strResult.ReleaseBuffer(static_cast<int>(nLength));
        if (nLength > 0)
            break;
    }
    return strResult;
}

CString CTime::Format(LPCTSTR pszFormat) const
{
    struct tm ttm;
    return FormatTm(GetLocalTm(&ttm), pszFormat);
}

CString CTime::FormatGmt(LPCTSTR pszFormat) const
{
    struct tm ttm;
    return FormatTm(GetGmtTm(&ttm), pszFormat);
}

CString CTime::Format(UINT nFormatID) const
{
    return Format(AtlLoadFormat(nFormatID));
}

CString CTime::FormatGmt(UINT nFormatID) const
{
    return FormatGmt(AtlLoadFormat(nFormatID));
}

} // namespace ATL
