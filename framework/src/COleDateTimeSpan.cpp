#include <ATLComTime.h>

#include <math.h>

#include "AtlTimeSpanFormat.h"

namespace ATL
{

namespace
{

// The widest span an OLE date can express, in days.
const double dblMaxDaysInSpan = 3615897.0;

} // namespace

COleDateTimeSpan::COleDateTimeSpan(double dblSpanSrc) noexcept : m_span(dblSpanSrc), m_status(valid)
{
    CheckRange();
}

COleDateTimeSpan::COleDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs) noexcept
    : m_span(0.0), m_status(valid)
{
    SetDateTimeSpan(lDays, nHours, nMins, nSecs);
}

void COleDateTimeSpan::SetDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs) noexcept
{
    m_span = lDays + nHours / 24.0 + nMins / 1440.0 + nSecs / 86400.0;
    m_status = valid;
    CheckRange();
}

void COleDateTimeSpan::CheckRange() noexcept
{
    if (!(fabs(m_span) <= dblMaxDaysInSpan))
        m_status = invalid;
}

LONGLONG COleDateTimeSpan::TotalRoundedSeconds() const noexcept
{
    return m_status == valid ? llround(m_span * 86400.0) : 0;
}

double COleDateTimeSpan::GetTotalDays() const noexcept
{
    return static_cast<double>(TotalRoundedSeconds() / 86400);
}

double COleDateTimeSpan::GetTotalHours() const noexcept
{
    return static_cast<double>(TotalRoundedSeconds() / 3600);
}

double COleDateTimeSpan::GetTotalMinutes() const noexcept
{
    return static_cast<double>(TotalRoundedSeconds() / 60);
}

double COleDateTimeSpan::GetTotalSeconds() const noexcept
{
    return static_cast<double>(TotalRoundedSeconds());
}

LONG COleDateTimeSpan::GetDays() const noexcept
{
    return static_cast<LONG>(AtlSplitSeconds(TotalRoundedSeconds()).nDays);
}

LONG COleDateTimeSpan::GetHours() const noexcept
{
    return AtlSplitSeconds(TotalRoundedSeconds()).nHours;
}

LONG COleDateTimeSpan::GetMinutes() const noexcept
{
    return AtlSplitSeconds(TotalRoundedSeconds()).nMinutes;
}

LONG COleDateTimeSpan::GetSeconds() const noexcept
{
    return AtlSplitSeconds(TotalRoundedSeconds()).nSeconds;
}

COleDateTimeSpan& COleDateTimeSpan::operator=(double dblSpanSrc) noexcept
{
    m_span = dblSpanSrc;
    m_status = valid;
    CheckRange();
    return *this;
}

COleDateTimeSpan COleDateTimeSpan::operator+(const COleDateTimeSpan& dateSpan) const noexcept
{
    COleDateTimeSpan result(*this);
    result += dateSpan;
    return result;
}

COleDateTimeSpan COleDateTimeSpan::operator-(const COleDateTimeSpan& dateSpan) const noexcept
{
    COleDateTimeSpan result(*this);
    result -= dateSpan;
    return result;
}

COleDateTimeSpan& COleDateTimeSpan::operator+=(const COleDateTimeSpan& dateSpan) noexcept
{
    // A null operand makes the result null, else an invalid one invalid.
    if (m_status == null || dateSpan.m_status == null)
        m_status = null;
    else if (m_status == invalid || dateSpan.m_status == invalid)
        m_status = invalid;
    else
    {
        m_span += dateSpan.m_span;
        CheckRange();
    }
    return *this;
}

COleDateTimeSpan& COleDateTimeSpan::operator-=(const COleDateTimeSpan& dateSpan) noexcept
{
    return *this += -dateSpan;
}

COleDateTimeSpan COleDateTimeSpan::operator-() const noexcept
{
    COleDateTimeSpan result(*this);
    result.m_span = -m_span;
    return result;
}

bool COleDateTimeSpan::operator==(const COleDateTimeSpan& dateSpan) const noexcept
{
    if (m_status != dateSpan.m_status)
        return false;
    return m_status == valid ? m_span == dateSpan.m_span : m_status == null;
}

bool COleDateTimeSpan::operator!=(const COleDateTimeSpan& dateSpan) const noexcept
{
    return !(*this == dateSpan);
}

bool COleDateTimeSpan::operator<(const COleDateTimeSpan& dateSpan) const noexcept
{
    return m_span < dateSpan.m_span;
}

bool COleDateTimeSpan::operator>(const COleDateTimeSpan& dateSpan) const noexcept
{
    return m_span > dateSpan.m_span;
}

bool COleDateTimeSpan::operator<=(const COleDateTimeSpan& dateSpan) const noexcept
{
    return m_span <= dateSpan.m_span;
}

bool COleDateTimeSpan::operator>=(const COleDateTimeSpan& dateSpan) const noexcept
{
    return m_span >= dateSpan.m_span;
}

CString COleDateTimeSpan::Format(LPCTSTR pszFormat) const
{
    if (m_status != valid)
        return CString();
    return AtlFormatTimeSpan(pszFormat, AtlSplitSeconds(TotalRoundedSeconds()));
}

CString COleDateTimeSpan::Format(UINT nFormatID) const
{
    return Format(AtlLoadFormat(nFormatID));
}

} // namespace ATL
