// COleDateTimeSpan: a span of time in days (a double, as OLE dates keep it).
// Its parts are taken from the span rounded to the nearest second.
#pragma once

#include <windows.h>

#include <atlstr.h>

namespace ATL
{

class COleDateTimeSpan
{
public:
    enum DateTimeSpanStatus
    {
        valid = 0,
        invalid = 1,
        null = 2
    };

    COleDateTimeSpan() noexcept : m_span(0.0), m_status(valid)
    {
    }
    COleDateTimeSpan(double dblSpanSrc) noexcept;
    COleDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs) noexcept;

    void SetStatus(DateTimeSpanStatus status) noexcept
    {
        m_status = status;
    }
    DateTimeSpanStatus GetStatus() const noexcept
    {
        return m_status;
    }
    void SetDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs) noexcept;

    double GetTotalDays() const noexcept;
    double GetTotalHours() const noexcept;
    double GetTotalMinutes() const noexcept;
    double GetTotalSeconds() const noexcept;
    // Parts of a valid span (signed like the span), 0 otherwise.
    LONG GetDays() const noexcept;
    LONG GetHours() const noexcept;
    LONG GetMinutes() const noexcept;
    LONG GetSeconds() const noexcept;

    operator double() const noexcept
    {
        return m_span;
    }
    COleDateTimeSpan& operator=(double dblSpanSrc) noexcept;
    COleDateTimeSpan operator+(const COleDateTimeSpan& dateSpan) const noexcept;
    COleDateTimeSpan operator-(const COleDateTimeSpan& dateSpan) const noexcept;
    COleDateTimeSpan& operator+=(const COleDateTimeSpan& dateSpan) noexcept;
    COleDateTimeSpan& operator-=(const COleDateTimeSpan& dateSpan) noexcept;
    COleDateTimeSpan operator-() const noexcept;
    bool operator==(const COleDateTimeSpan& dateSpan) const noexcept;
    bool operator!=(const COleDateTimeSpan& dateSpan) const noexcept;
    bool operator<(const COleDateTimeSpan& dateSpan) const noexcept;
    bool operator>(const COleDateTimeSpan& dateSpan) const noexcept;
    bool operator<=(const COleDateTimeSpan& dateSpan) const noexcept;
    bool operator>=(const COleDateTimeSpan& dateSpan) const noexcept;

    // %D days, %H hours (00-23), %M minutes, %S seconds, %% a percent sign;
    // other characters are copied. A span that is not valid gives "".
    CString Format(LPCTSTR pszFormat) const;
    CString Format(UINT nFormatID) const;

    double m_span;
    DateTimeSpanStatus m_status;

private:
    // Whole seconds of the span, rounded to the nearest.
    LONGLONG TotalRoundedSeconds() const noexcept;
    void CheckRange() noexcept;
};

} // namespace ATL

#ifndef _ATL_NO_AUTOMATIC_NAMESPACE
using namespace ATL;
#endif
