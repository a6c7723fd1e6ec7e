#include "UpdateCheck.h"
#include <stdlib.h>
#include <algorithm>
#include <memory>
#include <new>
#include <string>

namespace {
// The product's own download page; its "v_step" paragraph links to the page
// of the current version.
const UpdateCheckSite kProductUpdateSite = {
    L"https://www.norvane.jp/quillora/download.html",
    L"https://",
    15000,
    1024 * 1024,
    15000,
};

const UpdateCheckSite* g_updateCheckSite = &kProductUpdateSite;

const wchar_t kProgramVersion[] = L"1.0.11.30";

// host, or host:port when the URL named a port other than its scheme's own,
// so that host-relative links lead back to the same server.
CStringW UpdateCheckAuthority(const CString& host, DWORD service, INTERNET_PORT port)
{
    const INTERNET_PORT usualPort =
        service == AFX_INET_SERVICE_HTTPS ? INTERNET_DEFAULT_HTTPS_PORT : INTERNET_DEFAULT_HTTP_PORT;
    CStringW authority(host);
    if (port != usualPort)
        authority.AppendFormat(L":%u", static_cast<unsigned>(port));
    return authority;
}

// Links are written with or without double quotes around them.
CStringW TrimQuotes(CStringW text)
{
    text.Trim(L'"');
    return text;
}

// Each line of the body followed by "\n", a "\r" before it dropped.
CStringW UpdateCheckPageLines(const std::string& body)
{
    CStringW text;
    size_t start = 0;
    while (start < body.size()) {
        size_t end = body.find('\n', start);
        if (end == std::string::npos)
            end = body.size();
        size_t lineEnd = end;
        if (lineEnd > start && body[lineEnd - 1] == '\r')
            --lineEnd;
        const int bytes = static_cast<int>(lineEnd - start);
        if (bytes > 0) {
            const int units = MultiByteToWideChar(CP_THREAD_ACP, 0, body.data() + start, bytes, nullptr, 0);
            CStringW line;
            MultiByteToWideChar(CP_THREAD_ACP, 0, body.data() + start, bytes, line.GetBuffer(units), units);
            line.ReleaseBuffer(units);
            text += line;
        }
        text += L"\n";
        start = end + 1;
    }
    return text;
}

}  // namespace

const UpdateCheckSite& GetUpdateCheckSite()
{
    return *g_updateCheckSite;
}

const UpdateCheckSite* SetUpdateCheckSite(const UpdateCheckSite* site)
{
    const UpdateCheckSite* previous = g_updateCheckSite;
    g_updateCheckSite = site ? site : &kProductUpdateSite;
    return previous == &kProductUpdateSite ? nullptr : previous;
}

CUpdateCheck::CUpdateCheck() : m_deadline(GetTickCount64() + GetUpdateCheckSite().deadlineMs) {}

DWORD CUpdateCheck::CallTimeoutMs() const
{
    const ULONGLONG now = GetTickCount64();
    if (now >= m_deadline)
        AfxThrowInternetException(0, ERROR_INTERNET_TIMEOUT);
    return static_cast<DWORD>(std::min<ULONGLONG>(GetUpdateCheckSite().timeoutMs, m_deadline - now));
}

void CUpdateCheck::LimitCallTime(HINTERNET handle) const
{
    DWORD timeoutMs = CallTimeoutMs();
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT})
        InternetSetOptionW(handle, option, &timeoutMs, sizeof(timeoutMs));
}

bool CUpdateCheck::FetchPage(const CStringW& url, CStringW* host)
{
    if (!m_lastUrl.IsEmpty() && url == m_lastUrl) {
        if (host)
            *host = m_pageHost;
        return true;
    }
    m_pageText.Empty();
    m_lastUrl.Empty();
    DWORD service = 0;
    CString server;
    CString object;
    INTERNET_PORT port = 0;
    if (!AfxParseURL(url, service, server, object, port) ||
        (service != AFX_INET_SERVICE_HTTP && service != AFX_INET_SERVICE_HTTPS))
        return false;
    m_pageHost = UpdateCheckAuthority(server, service, port);
    if (host)
        *host = m_pageHost;

    DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE;
    if (url.Find(L"https:") >= 0)
        flags |= INTERNET_FLAG_SECURE;
    CInternetSession session;
    LimitCallTime(session);
    std::unique_ptr<CHttpConnection> connection(session.GetHttpConnection(server, port));
    if (!connection)
        return false;
    LimitCallTime(*connection);
    std::unique_ptr<CHttpFile> file(
        connection->OpenRequest(CHttpConnection::HTTP_VERB_GET, object, nullptr, 1, nullptr, nullptr, flags));
    if (!file)
        return false;
    LimitCallTime(*file);
    file->SendRequest();
    ReadBody(*file);
    file->Close();
    connection->Close();
    session.Close();
    m_lastUrl = url;
    return true;
}

// Reads at most the site's page bound: a server that never ends its body
// cannot fill the memory. A longer page is taken as cut at the bound. Only
// the bytes that have arrived are read, so the deadline is looked at
// between them: a read of a full chunk would wait for all of its bytes.
void CUpdateCheck::ReadBody(CHttpFile& file)
{
    const size_t limit = GetUpdateCheckSite().maxPageBytes;
    std::string body;
    char chunk[4096];
    while (body.size() < limit) {
        LimitCallTime(file);
        DWORD arrived = 0;
        if (!InternetQueryDataAvailable(file, &arrived, 0, 0))
            AfxThrowInternetException(0);
        if (arrived == 0)
            break;
        const UINT wanted = static_cast<UINT>(std::min<size_t>({sizeof(chunk), limit - body.size(), arrived}));
        const UINT got = file.Read(chunk, wanted);
        if (got == 0)
            break;
        body.append(chunk, got);
    }
    m_pageText = UpdateCheckPageLines(body);
}

bool CUpdateCheck::ParseStepLinks(CStringW downloadPageUrl, CStringW* versionPageUrl)
{
    CStringW host;
    if (!FetchPage(downloadPageUrl, &host))
        return false;
    const int step = m_pageText.Find(L"v_step");
    if (step < 0)
        return false;
    const int paragraphStart = step + 6;
    const int paragraphEnd = m_pageText.Find(L"</p>", paragraphStart);
    if (paragraphEnd < 0)
        return false;
    const CStringW paragraph = m_pageText.Mid(paragraphStart, paragraphEnd - paragraphStart);
    int linkStart = 0;
    for (int anchor = paragraph.Find(L"<a href="); anchor >= 0; anchor = paragraph.Find(L"<a href=", anchor + 1))
        linkStart = anchor + 8;
    const int linkEnd = paragraph.Find(L' ', linkStart);
    if (linkEnd < 0)
        return false;
    *versionPageUrl = GetUpdateCheckSite().versionPageScheme + host +
                      TrimQuotes(paragraph.Mid(linkStart, linkEnd - linkStart));
    return true;
}

namespace {
// The text after the first ">" that follows the first marker (searched from
// skip characters after it), up to the next "<"; false when any is missing.
// textEnd receives where the text ends.
bool UpdateCheckTaggedText(const CStringW& page, const wchar_t* marker, int skip, CStringW* text, int* textEnd)
{
    const int found = page.Find(marker);
    if (found < 0)
        return false;
    const int close = page.Find(L'>', found + skip);
    if (close < 0)
        return false;
    const int end = page.Find(L'<', close + 1);
    if (end < 0)
        return false;
    *text = page.Mid(close + 1, end - close - 1);
    *textEnd = close + 1;
    return true;
}
}  // namespace

bool CUpdateCheck::CheckVersion(CStringW downloadPageUrl, CStringW* name, CStringW* version, CStringW* link)
{
    CStringW versionPageUrl;
    if (!ParseStepLinks(downloadPageUrl, &versionPageUrl))
        return false;
    CStringW versionHost;
    if (!FetchPage(versionPageUrl, &versionHost))
        return false;
    int end = 0;
    if (!UpdateCheckTaggedText(m_pageText, L"fn", 2, name, &end))
        return false;
    if (!UpdateCheckTaggedText(m_pageText, L"version", 7, version, &end))
        return false;
    const int anchor = m_pageText.Find(L"<a href=", end);
    if (anchor < 0)
        return false;
    const int linkEnd = m_pageText.Find(L' ', anchor + 8);
    if (linkEnd < 0)
        return false;
    *link = versionHost + TrimQuotes(m_pageText.Mid(anchor + 8, linkEnd - anchor - 8));
    return true;
}

UpdateCheckOutcome RunUpdateCheck(FoundRelease* release)
{
    try {
        CUpdateCheck check;
        return check.CheckVersion(GetUpdateCheckSite().downloadPageUrl, &release->name, &release->version,
                                  &release->link)
                   ? UpdateCheckOutcome::Found
                   : UpdateCheckOutcome::NotFound;
    } catch (CException* error) {
        error->Delete();
    } catch (const std::bad_alloc&) {
    }
    return UpdateCheckOutcome::Unreachable;
}

const wchar_t* ProgramVersionString()
{
    return kProgramVersion;
}

bool IsNewerVersion(const wchar_t* own, const wchar_t* found)
{
    const CStringW ownPrefix = CStringW(own).Left(static_cast<int>(wcslen(found)));
    return wcstod(found, nullptr) > wcstod(ownPrefix, nullptr);
}
