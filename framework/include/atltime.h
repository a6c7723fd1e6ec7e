// CTime (seconds since 1970, UTC, held as __time64_t; its fields and Format
// read local time) and CTimeSpan (a signed count of seconds).
#pragma once

#include <windows.h>

#include <time.h>

#include <atlstr.h>
#include <ATLComTime.h>

namespace ATL
{

class CTimeSpan
{
public:
    CTimeSpan() noexcept : m_timeSpan(0)
    {
    }
    CTimeSpan(__time64_t time) noexcept : m_timeSpan(time)
    {
    }
    CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs) noexcept;

    LONGLONG GetDays() const noexcept;
    LONGLONG GetTotalHours() const noexcept;
    LONG GetHours() const noexcept;
    LONGLONG GetTotalMinutes() const noexcept;
    LONG GetMinutes() const noexcept;
    LONGLONG GetTotalSeconds() const noexcept;
    LONG GetSeconds() const noexcept;
    __time64_t GetTimeSpan() const noexcept
    {
        return m_timeSpan;
    }

    CTimeSpan operator+(CTimeSpan span) const noexcept
    {
        return CTimeSpan(m_timeSpan + span.m_timeSpan);
    }
    CTimeSpan operator-(CTimeSpan span) const noexcept
    {
        return CTimeSpan(m_timeSpan - span.m_timeSpan);
    }
    CTimeSpan& operator+=(CTimeSpan span) noexcept
    {
        m_timeSpan += span.m_timeSpan;
        return *this;
    }
    CTimeSpan& operator-=(CTimeSpan span) noexcept
    {
        m_timeSpan -= span.m_timeSpan;
        return *this;
    }
    bool operator==(CTimeSpan span) const noexcept
    {
        return m_timeSpan == span.m_timeSpan;
    }
    bool operator!=(CTimeSpan span) const noexcept
    {
        return m_timeSpan != span.m_timeSpan;
    }
    bool operator<(CTimeSpan span) const noexcept
    {
        return m_timeSpan < span.m_timeSpan;
    }
    bool operator>(CTimeSpan span) const noexcept
    {
        return m_timeSpan > span.m_timeSpan;
    }
    bool operator<=(CTimeSpan span) const noexcept
    {
        return m_timeSpan <= span.m_timeSpan;
    }
    bool operator>=(CTimeSpan span) const noexcept
    {
        return m_timeSpan >= span.m_timeSpan;
    }

    // %D total days, %H hours (00-23), %M minutes, %S seconds, %% a percent
    // sign; other characters are copied.
    CString Format(LPCTSTR pszFormat) const;
    CString Format(UINT nFormatID) const;

private:
    __time64_t m_timeSpan;
};

class CTime
{
public:
    static CTime WINAPI GetCurrentTime() noexcept;
    static BOOL WINAPI IsValidFILETIME(const FILETIME& fileTime) noexcept;

    CTime() noexcept : m_time(0)
    {
    }
    CTime(__time64_t time) noexcept : m_time(time)
    {
    }
    // Local time fields; an impossible time raises AtlThrow(E_INVALIDARG).
    CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1);
    CTime(WORD wDosDate, WORD wDosTime, int nDST = -1);
    // A local SYSTEMTIME; years before 1900 give the time 0.
    CTime(const SYSTEMTIME& st, int nDST = -1);
    // A UTC FILETIME, as file systems keep them; the same instant, whatever
    // the daylight-saving rules (nDST is not needed).
    CTime(const FILETIME& ft, int nDST = -1);

    CTime& operator=(__time64_t time) noexcept
    {
        m_time = time;
        return *this;
    }
    CTime& operator+=(CTimeSpan span) noexcept
    {
        m_time += span.GetTimeSpan();
        return *this;
    }
    CTime& operator-=(CTimeSpan span) noexcept
    {
        m_time -= span.GetTimeSpan();
        return *this;
    }
    CTimeSpan operator-(CTime time) const noexcept
    {
        return CTimeSpan(m_time - time.m_time);
    }
    CTime operator-(CTimeSpan span) const noexcept
    {
        return CTime(m_time - span.GetTimeSpan());
    }
    CTime operator+(CTimeSpan span) const noexcept
    {
        return CTime(m_time + span.GetTimeSpan());
    }
    bool operator==(CTime time) const noexcept
    {
        return m_time == time.m_time;
    }
    bool operator!=(CTime time) const noexcept
    {
        return m_time != time.m_time;
    }
    bool operator<(CTime time) const noexcept
    {
        return m_time < time.m_time;
    }
    bool operator>(CTime time) const noexcept
    {
        return m_time > time.m_time;
    }
    bool operator<=(CTime time) const noexcept
    {
        return m_time <= time.m_time;
    }
    bool operator>=(CTime time) const noexcept
    {
        return m_time >= time.m_time;
    }

    // NULL when the time has no broken-down form.
    struct tm* GetGmtTm(struct tm* ptm) const;
    struct tm* GetLocalTm(struct tm* ptm) const;
    bool GetAsSystemTime(SYSTEMTIME& st) const;

    __time64_t GetTime() const noexcept
    {
        return m_time;
    }
    // Local time fields; 0 when the time has no local form.
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;

    // strftime codes; an empty string when the time has no broken-down form.
    CString Format(LPCTSTR pszFormat) const;
    CString FormatGmt(LPCTSTR pszFormat) const;
    CString Format(UINT nFormatID) const;
    CString FormatGmt(UINT nFormatID) const;

private:
    int LocalField(int tm::*pField, int nOffset) const;
    static CString FormatTm(const struct tm* ptm, LPCTSTR pszFormat);

    __time64_t m_time;
};

} // namespace ATL

#ifndef _ATL_NO_AUTOMATIC_NAMESPACE
using namespace ATL;
#endif
