// The update check against a loopback server of the test's own: the pages
// it follows, what it reads from them, and every way the fetch can fail.
#include <gtest/gtest.h>
#include <afxinet.h>
#include <string>
#include <vector>
#include "UpdateCheck.h"
#include "framework/LoopbackHttpServer.h"

namespace {
using Page = LoopbackHttpServer::Page;
using Behaviour = LoopbackHttpServer::Behaviour;

// Two links in the step paragraph: the last one leads on.
const char kDownloadPage[] =
    "<html><body>\r\n<p>Downloads</p>\r\n"
    "<p class=\"v_step\">Step 1: <a href=\"/old.html\" class=\"x\">old</a> then "
    "<a href=\"/ver.html\" class=\"dl\">the current version</a></p>\r\n</body></html>\r\n";

std::string VersionPage(const std::string& version)
{
    return "<html><body>\n<p>Product: <span class=\"fn\">Quillora</span></p>\n"
           "<p class=\"version\">" + version + "</p>\n<p><a href=\"/files/quillora.zip\" rel=\"x\">get it</a></p>\n";
}

// Points the check at the server (host-relative links over plain HTTP,
// time-outs short enough for a test) while it lives.
class UpdateCheckSiteScope {
public:
    explicit UpdateCheckSiteScope(const std::wstring& downloadPageUrl, DWORD maxPageBytes = 64 * 1024)
        : m_url(downloadPageUrl), m_site{m_url.c_str(), L"http://", 1500, maxPageBytes},
          m_previous(SetUpdateCheckSite(&m_site)) {}
    ~UpdateCheckSiteScope() { SetUpdateCheckSite(m_previous); }

private:
    std::wstring m_url;
    UpdateCheckSite m_site;
    const UpdateCheckSite* m_previous;
};

std::wstring LoopbackHost(const LoopbackHttpServer& server)
{
    return L"127.0.0.1:" + std::to_wstring(server.Port());
}
}  // namespace

TEST(UpdateCheckTest, FollowsTheLastStepLinkAndReadsTheRelease)
{
    LoopbackHttpServer server({{"/download.html", {200, kDownloadPage}}, {"/ver.html", {200, VersionPage("2.6")}}});
    UpdateCheckSiteScope site(server.Url("/download.html"));
    FoundRelease release;
    ASSERT_EQ(RunUpdateCheck(&release), UpdateCheckOutcome::Found);
    EXPECT_EQ(std::wstring(release.name), L"Quillora");
    EXPECT_EQ(std::wstring(release.version), L"2.6");
    EXPECT_EQ(std::wstring(release.link), LoopbackHost(server) + L"/files/quillora.zip");
    EXPECT_EQ(server.RequestedPaths(), (std::vector<std::string>{"/download.html", "/ver.html"}));
}

TEST(UpdateCheckTest, VersionPageAddressTakesTheHostAndTheSchemeInForce)
{
    // A plain HTTP download page still leads to an https version page; a
    // port the download page named is kept so the link leads back to it.
    LoopbackHttpServer server({{"/download.html", {200, kDownloadPage}}});
    CUpdateCheck check;
    CStringW versionPage;
    ASSERT_TRUE(check.ParseStepLinks(server.Url("/download.html").c_str(), &versionPage));
    EXPECT_EQ(std::wstring(versionPage), L"https://" + LoopbackHost(server) + L"/ver.html");
    // Each line of the page ends in "\n" alone.
    EXPECT_EQ(check.GetPageText().Find(L'\r'), -1);
    EXPECT_EQ(check.GetPageText().Left(13), L"<html><body>\n");
}

TEST(UpdateCheckTest, SameAddressIsFetchedOnce)
{
    LoopbackHttpServer server({{"/download.html", {200, kDownloadPage}}});
    CUpdateCheck check;
    CStringW host;
    ASSERT_TRUE(check.FetchPage(server.Url("/download.html").c_str(), nullptr));
    ASSERT_TRUE(check.FetchPage(server.Url("/download.html").c_str(), &host));
    EXPECT_EQ(std::wstring(host), LoopbackHost(server));
    EXPECT_EQ(server.RequestedPaths().size(), 1u);
}

TEST(UpdateCheckTest, MarkersAreTakenAtTheirFirstOccurrence)
{
    // "fn" in a script before the name: the text after that occurrence's
    // next ">" is taken, whatever it is.
    const std::string page = "<script>var fn = 1;</script><i>x</i>\n<b class=\"version\">3.1</b> <a href=/d.zip >d</a>\n";
    LoopbackHttpServer server({{"/download.html", {200, kDownloadPage}}, {"/ver.html", {200, page}}});
    UpdateCheckSiteScope site(server.Url("/download.html"));
    CUpdateCheck check;
    CStringW name, version, link;
    ASSERT_TRUE(check.CheckVersion(server.Url("/download.html").c_str(), &name, &version, &link));
    EXPECT_EQ(std::wstring(name), L"");
    EXPECT_EQ(std::wstring(version), L"3.1");
    EXPECT_EQ(std::wstring(link), LoopbackHost(server) + L"/d.zip");
}

// A version found against the program's own: the leading characters of the
// own version, as many as the found one has, read as one decimal number.
TEST(UpdateCheckTest, ComparesVersionsAsLeadingDecimalNumbers)
{
    const struct {
        const wchar_t* own;
        const wchar_t* found;
        bool newer;
    } cases[] = {
        {L"2.5.10.1", L"2.5.11", false},  // both read 2.5
        {L"2.5.10.1", L"2.10", false},    // 2.1 against 2.5
        {L"2.5.10.1", L"3.0", true},
        {L"2.5.10.1", L"2.5.10.1", false},
        {L"2.5.10.1", L"1.9", false},
        {L"2.5.10.1", L"%s%n", false},    // no number at all reads 0
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsNewerVersion(c.own, c.found), c.newer) << c.found;
}

TEST(UpdateCheckTest, ReleasesOlderSameAndNewerThanTheProgram)
{
    const struct {
        std::string version;
        bool newer;
    } cases[] = {{"9.0", true}, {"1.0", false}, {"0.9", false}};
    ASSERT_EQ(std::wstring(ProgramVersionString()).substr(0, 3), L"1.0");
    for (const auto& c : cases) {
        LoopbackHttpServer server(
            {{"/download.html", {200, kDownloadPage}}, {"/ver.html", {200, VersionPage(c.version)}}});
        UpdateCheckSiteScope site(server.Url("/download.html"));
        FoundRelease release;
        ASSERT_EQ(RunUpdateCheck(&release), UpdateCheckOutcome::Found) << c.version;
        EXPECT_EQ(IsNewerVersion(ProgramVersionString(), release.version), c.newer) << c.version;
    }
}

// Pages that lack what the check looks for: the check finds nothing.
TEST(UpdateCheckTest, PagesWithoutTheMarkersFindNothing)
{
    const struct {
        const char* what;
        std::string downloadPage;
        std::string versionPage;
    } cases[] = {
        {"no step paragraph", "<p>nothing here</p>\n", VersionPage("2.0")},
        {"step paragraph never closed", "<p class=\"v_step\"><a href=\"/ver.html\" x>\n", VersionPage("2.0")},
        {"link without a blank after it", "<p class=\"v_step\"><a href=\"/ver.html\"></p>\n", VersionPage("2.0")},
        {"link to a missing page", "<p class=\"v_step\"><a href=\"/gone.html\" x>go</a></p>\n", ""},
        {"version page without a version", kDownloadPage, "<b class=\"fn\">Quillora</b>\n"},
        {"version page without a link", kDownloadPage, "<b class=\"fn\">Q</b><i class=\"version\">2.0</i>\n"},
        {"binary garbage", std::string("\0\xff\xfe<\x01>", 6), ""},
    };
    for (const auto& c : cases) {
        LoopbackHttpServer server({{"/download.html", {200, c.downloadPage}}, {"/ver.html", {200, c.versionPage}}});
        UpdateCheckSiteScope site(server.Url("/download.html"));
        FoundRelease release;
        EXPECT_EQ(RunUpdateCheck(&release), UpdateCheckOutcome::NotFound) << c.what;
    }
}

// Internet failures never leave the check as an exception: a refused
// connection and a server that never answers are reported as unreachable.
TEST(UpdateCheckTest, RefusedAndSilentServersAreUnreachable)
{
    {
        UpdateCheckSiteScope site(L"http://127.0.0.1:" + std::to_wstring(LoopbackHttpServer::ClosedPort()) + L"/d.html");
        FoundRelease release;
        EXPECT_EQ(RunUpdateCheck(&release), UpdateCheckOutcome::Unreachable);
    }
    LoopbackHttpServer server({{"/download.html", {200, "", Behaviour::Silent}}});
    UpdateCheckSiteScope site(server.Url("/download.html"));
    FoundRelease release;
    EXPECT_EQ(RunUpdateCheck(&release), UpdateCheckOutcome::Unreachable);
    // The fetch itself throws; only the check's runner catches.
    CUpdateCheck check;
    EXPECT_THROW(
        {
            try {
                check.FetchPage(server.Url("/download.html").c_str(), nullptr);
            } catch (CInternetException* error) {
                error->Delete();
                throw std::runtime_error("internet exception");
            }
        },
        std::runtime_error);
}

// A server that sends a byte a second answers every single read in time:
// only the deadline of the whole check ends it. The product's own deadline
// is 15 s; the test's is shorter.
TEST(UpdateCheckTest, TricklingServerIsCutOffByTheWholeCheckDeadline)
{
    const UpdateCheckSite* previous = SetUpdateCheckSite(nullptr);
    EXPECT_EQ(GetUpdateCheckSite().deadlineMs, 15000u);
    EXPECT_EQ(GetUpdateCheckSite().timeoutMs, 15000u);
    SetUpdateCheckSite(previous);

    LoopbackHttpServer server({{"/download.html", {200, std::string(120, 'x'), Behaviour::Trickle}}});
    const std::wstring url = server.Url("/download.html");
    UpdateCheckSite site = {url.c_str(), L"http://", 1500, 64 * 1024};
    site.deadlineMs = 3000;
    previous = SetUpdateCheckSite(&site);
    FoundRelease release;
    const ULONGLONG start = GetTickCount64();
    const UpdateCheckOutcome outcome = RunUpdateCheck(&release);
    const ULONGLONG elapsed = GetTickCount64() - start;
    SetUpdateCheckSite(previous);
    EXPECT_EQ(outcome, UpdateCheckOutcome::Unreachable);
    // The body would take two minutes; generous against a busy machine.
    EXPECT_LT(elapsed, 30000u) << "the check ran " << elapsed << " ms";
}

TEST(UpdateCheckTest, EndlessBodyIsReadOnlyUpToTheBound)
{
    LoopbackHttpServer server({{"/download.html", {200, "", Behaviour::Endless}}});
    const DWORD bound = 200 * 1024;
    UpdateCheckSiteScope site(server.Url("/download.html"), bound);
    CUpdateCheck check;
    ASSERT_TRUE(check.FetchPage(server.Url("/download.html").c_str(), nullptr));
    // Lines of 64 KiB: the text holds the bound's bytes and their line ends.
    EXPECT_LE(static_cast<DWORD>(check.GetPageText().GetLength()), bound + 4);
    EXPECT_GE(static_cast<DWORD>(check.GetPageText().GetLength()), bound);
    FoundRelease release;
    EXPECT_EQ(RunUpdateCheck(&release), UpdateCheckOutcome::NotFound);
}
