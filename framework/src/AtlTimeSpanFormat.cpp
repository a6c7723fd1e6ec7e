#include "AtlTimeSpanFormat.h"

namespace ATL
{

CTimeSpanParts AtlSplitSeconds(LONGLONG nTotalSeconds)
{
    CTimeSpanParts parts;
    parts.nDays = nTotalSeconds / 86400;
    parts.nHours = static_cast<LONG>(nTotalSeconds / 3600 % 24);
    parts.nMinutes = static_cast<LONG>(nTotalSeconds / 60 % 60);
    parts.nSeconds = static_cast<LONG>(nTotalSeconds % 60);
    return parts;
}

CString AtlFormatTimeSpan(LPCTSTR pszFormat, const CTimeSpanParts& parts)
{
    CString strResult;
    if (pszFormat == NULL)
        return strResult;
    for (LPCTSTR p = pszFormat; *p != 0; ++p)
    {
        if (*p != '%' || p[1] == 0)
        {
            strResult.AppendChar(*p);
            continue;
        }
        switch (*++p)
        {
        case 'D':
            strResult.AppendFormat(L"%I64d", parts.nDays);
            break;
        case 'H':
            strResult.AppendFormat(L"%02ld", parts.nHours);
            break;
        case 'M':
            strResult.AppendFormat(L"%02ld", parts.nMinutes);
            break;
        case 'S':
            strResult.AppendFormat(L"%02ld", parts.nSeconds);
            break;
        case '%':
            strResult.AppendChar('%');
            break;
        default:
            // Not a span code: keep it as written.
            strResult.AppendChar('%');
            strResult.AppendChar(*p);
            break;
        }
    }
    return strResult;
}

CString AtlLoadFormat(UINT nFormatID)
{
    CString strFormat;
    strFormat.LoadString(nFormatID);
    return strFormat;
}

} // namespace ATL
