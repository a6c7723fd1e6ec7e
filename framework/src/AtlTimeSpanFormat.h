// Formatting shared by the time classes: the span codes %D %H %M %S %% over
// a span's parts, and format strings loaded by resource id.
#pragma once

#include <atlstr.h>

namespace ATL
{

struct CTimeSpanParts
{
    LONGLONG nDays;
    LONG nHours;
    LONG nMinutes;
    LONG nSeconds;
};

// Splits a signed count of seconds; every part takes the sign of the count.
CTimeSpanParts AtlSplitSeconds(LONGLONG nTotalSeconds);

CString AtlFormatTimeSpan(LPCTSTR pszFormat, const CTimeSpanParts& parts);

// The format string of a resource id, for the Format(UINT) forms.
CString AtlLoadFormat(UINT nFormatID);

} // namespace ATL
