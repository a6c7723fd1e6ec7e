#include <atltime.h>

#include "AtlTimeSpanFormat.h"

namespace ATL
{

CTimeSpan::CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs) noexcept
    : m_timeSpan(nSecs + 60 * (nMins + 60 * (nHours + 24 * static_cast<LONGLONG>(lDays))))
{
}

LONGLONG CTimeSpan::GetDays() const noexcept
{
    return m_timeSpan / 86400;
}

LONGLONG CTimeSpan::GetTotalHours() const noexcept
{
    return m_timeSpan / 3600;
}

LONG CTimeSpan::GetHours() const noexcept
{
    return AtlSplitSeconds(m_timeSpan).nHours;
}

LONGLONG CTimeSpan::GetTotalMinutes() const noexcept
{
    return m_timeSpan / 60;
}

LONG CTimeSpan::GetMinutes() const noexcept
{
    return AtlSplitSeconds(m_timeSpan).nMinutes;
}

LONGLONG CTimeSpan::GetTotalSeconds() const noexcept
{
    return m_timeSpan;
}

LONG CTimeSpan::GetSeconds() const noexcept
{
    return AtlSplitSeconds(m_timeSpan).nSeconds;
}

CString CTimeSpan::Format(LPCTSTR pszFormat) const
{
    return AtlFormatTimeSpan(pszFormat, AtlSplitSeconds(m_timeSpan));
}

CString CTimeSpan::Format(UINT nFormatID) const
{
    return Format(AtlLoadFormat(nFormatID));
}

} // namespace ATL
