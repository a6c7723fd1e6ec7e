#include <afxinet.h>

namespace
{

struct SchemeService
{
    INTERNET_SCHEME nScheme;
    DWORD dwServiceType;
};

const SchemeService urlSchemeServices[] = {
    {INTERNET_SCHEME_HTTP, AFX_INET_SERVICE_HTTP},     {INTERNET_SCHEME_HTTPS, AFX_INET_SERVICE_HTTPS},
    {INTERNET_SCHEME_FTP, AFX_INET_SERVICE_FTP},       {INTERNET_SCHEME_GOPHER, AFX_INET_SERVICE_GOPHER},
    {INTERNET_SCHEME_FILE, AFX_INET_SERVICE_FILE},     {INTERNET_SCHEME_MAILTO, AFX_INET_SERVICE_MAILTO},
    {INTERNET_SCHEME_NEWS, AFX_INET_SERVICE_NEWS},
};

bool ServiceOfScheme(INTERNET_SCHEME nScheme, DWORD* pdwServiceType)
{
    for (const SchemeService& entry : urlSchemeServices)
    {
        if (entry.nScheme == nScheme)
        {
            *pdwServiceType = entry.dwServiceType;
            return true;
        }
    }
    return false;
}

// A part InternetCrackUrl found, or empty when the URL has none.
CString UrlPart(LPCWSTR lpszPart, DWORD dwLength)
{
    return lpszPart != NULL ? CString(lpszPart, static_cast<int>(dwLength)) : CString();
}

} // namespace

BOOL AFXAPI AfxParseURL(LPCTSTR pstrURL, DWORD& dwServiceType, CString& strServer, CString& strObject,
                        INTERNET_PORT& nPort)
{
    dwServiceType = AFX_INET_SERVICE_UNK;
    strServer.Empty();
    strObject.Empty();
    nPort = INTERNET_INVALID_PORT_NUMBER;
    if (pstrURL == NULL || *pstrURL == L'\0')
        return FALSE;
    // Non-zero lengths with NULL buffers: the parts come back as pointers
    // into the URL.
    URL_COMPONENTSW parts = {};
    parts.dwStructSize = sizeof(parts);
    parts.dwHostNameLength = 1;
    parts.dwUrlPathLength = 1;
    parts.dwExtraInfoLength = 1;
    parts.dwSchemeLength = 1;
    if (!::InternetCrackUrlW(pstrURL, 0, 0, &parts) || !ServiceOfScheme(parts.nScheme, &dwServiceType))
        return FALSE;
    strServer = UrlPart(parts.lpszHostName, parts.dwHostNameLength);
    strObject = UrlPart(parts.lpszUrlPath, parts.dwUrlPathLength) + UrlPart(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    nPort = parts.nPort;
    return TRUE;
}
