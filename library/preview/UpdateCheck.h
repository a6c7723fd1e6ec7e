#pragma once
// Finds out which version of the product its download page offers: the
// download page's "v_step" paragraph links to a version page, which names
// the product, its version and a link. The check only reports what it
// found; comparing and showing are the callers'.
#include <afxinet.h>

// Where the check looks. The product asks its own site; tests point it at a
// loopback server with SetUpdateCheckSite.
struct UpdateCheckSite {
    const wchar_t* downloadPageUrl;
    // Put in front of the version page's host-relative link.
    const wchar_t* versionPageScheme;
    // Connect, send and receive bound for each call, in milliseconds: the
    // check runs on the UI thread, so a silent server must not hang it.
    DWORD timeoutMs;
    // A page longer than this many bytes is not read to its end.
    DWORD maxPageBytes;
    // The whole check (both pages) ends by then, in milliseconds from its
    // start: a server that trickles its bytes holds the window no longer.
    DWORD deadlineMs = 15000;
};

// The site in force now.
const UpdateCheckSite& GetUpdateCheckSite();
// Installs site (null: the product's own); returns the one installed before.
const UpdateCheckSite* SetUpdateCheckSite(const UpdateCheckSite* site);

// The release that the version page offers.
struct FoundRelease {
    CStringW name;
    CStringW version;
    CStringW link;
};

class CUpdateCheck {
public:
    // The check's deadline (the site's) counts from here.
    CUpdateCheck();

    // The page text of url (each line followed by "\n"); host receives the
    // URL's host (with its port when that is not the scheme's usual one).
    // A url equal to the last one fetched is not fetched again. Internet
    // failures, and the check's deadline, are thrown as CInternetException.
    bool FetchPage(const CStringW& url, CStringW* host);
    // The absolute URL of the version page that the download page links to.
    bool ParseStepLinks(CStringW downloadPageUrl, CStringW* versionPageUrl);
    // The product name, version and link the version page offers. Out
    // values found before a failure stay set.
    bool CheckVersion(CStringW downloadPageUrl, CStringW* name, CStringW* version, CStringW* link);

    const CStringW& GetPageText() const { return m_pageText; }

private:
    void ReadBody(CHttpFile& file);
    // The time one internet call may take: the per-call bound, or what is
    // left of the deadline when less. Throws a time-out when nothing is left.
    DWORD CallTimeoutMs() const;
    void LimitCallTime(HINTERNET handle) const;

    ULONGLONG m_deadline;

    CStringW m_pageText;
    CStringW m_lastUrl;
    CStringW m_pageHost;
};

// What a button handler gets from a check that may fail in any way.
enum class UpdateCheckOutcome {
    Found,       // release holds what the version page offers
    NotFound,    // a page lacked what the check looks for
    Unreachable, // the internet request failed (no network, refused, time-out)
};

// Runs one check against the site in force, catching every failure: a
// window procedure calls it and nothing unwinds into the message dispatch.
UpdateCheckOutcome RunUpdateCheck(FoundRelease* release);

// The program's own version, four numbers joined by points.
const wchar_t* ProgramVersionString();

// Whether found is newer than own: as many leading characters of own as
// found has are read as a decimal number (up to the first character that
// cannot continue it, so "2.5.10" reads 2.5) and compared with found's.
bool IsNewerVersion(const wchar_t* own, const wchar_t* found);
