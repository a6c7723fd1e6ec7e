// The about box on the English language module: what it shows, the mail
// link that copies instead of starting a program, and the update button
// against a loopback server, whose failures never leave the handler.
#include <gtest/gtest.h>
#include <afxwin.h>
#include <algorithm>
#include <string>
#include <vector>
#include "AboutDlg.h"
#include "LanguageIds.h"
#include "UpdateCheck.h"
#include "framework/LoopbackHttpServer.h"
#include "framework/WindowTestSupport.h"
#include "support/LibraryModule.h"

namespace {
std::vector<std::wstring> g_aboutMessageTexts;

// Runs inside the message box's own loop: notes the box's texts and closes it.
void CALLBACK CloseAboutMessageBox(HWND, UINT, UINT_PTR, DWORD)
{
    HWND box = FindWindowW(L"#32770", L"Quillora");
    if (!box)
        return;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t text[256] = {};
        GetWindowTextW(child, text, 256);
        if (text[0])
            g_aboutMessageTexts.push_back(text);
    }
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

int g_shellOpens = 0;
HINSTANCE WINAPI RecordShellOpen(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT)
{
    ++g_shellOpens;
    return reinterpret_cast<HINSTANCE>(42);
}
int RecordShellMessage(LPCWSTR, UINT)
{
    ++g_shellOpens;
    return IDOK;
}

class AboutDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_module.IsLoaded());
        m_oldResource = AfxGetResourceHandle();
        AfxSetResourceHandle(m_module.Handle());
        ASSERT_TRUE(CreateTestPopup(m_owner, true));
        m_box = CAboutDlg::Open(&m_owner, &m_box);
        ASSERT_NE(m_box, nullptr);
        m_window = m_box->m_hWnd;
        g_aboutMessageTexts.clear();
    }
    void TearDown() override
    {
        m_owner.DestroyWindow();
        EXPECT_EQ(m_box, nullptr) << "the box clears the owner's pointer when it goes";
        AfxSetResourceHandle(m_oldResource);
    }

    // Presses the update button; a message box it shows is read and closed.
    void PressUpdate()
    {
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, CloseAboutMessageBox);
        SendMessageW(GetDlgItem(m_window, IDC_ABOUT_UPDATE), BM_CLICK, 0, 0);
        KillTimer(nullptr, timer);
    }

    LibraryModule m_module{L"TavrenaENU.dll"};
    HINSTANCE m_oldResource = nullptr;
    CWnd m_owner;
    CAboutDlg* m_box = nullptr;
    HWND m_window = nullptr;
};

std::wstring ClipboardText()
{
    std::wstring text;
    if (!OpenClipboard(nullptr))
        return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

// Points the check at the server over plain HTTP while it lives.
class AboutSiteScope {
public:
    explicit AboutSiteScope(std::wstring url)
        : m_url(std::move(url)), m_site{m_url.c_str(), L"http://", 1500, 64 * 1024},
          m_previous(SetUpdateCheckSite(&m_site)) {}
    ~AboutSiteScope() { SetUpdateCheckSite(m_previous); }

private:
    std::wstring m_url;
    UpdateCheckSite m_site;
    const UpdateCheckSite* m_previous;
};

const char kAboutDownloadPage[] = "<p class=\"v_step\"><a href=\"/ver.html\" x>next</a></p>\n";
}  // namespace

TEST_F(AboutDlgTest, ShowsTheVersionAndTheMailLink)
{
    wchar_t caption[64] = {};
    GetDlgItemTextW(m_window, IDC_ABOUT_CAPTION, caption, 64);
    EXPECT_STREQ(caption, L"Quillora 1.0");
    EXPECT_NE(wcsstr(CAboutDlg::MailLinkText(), ProgramVersionString()), nullptr);
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(m_window, IDC_ABOUT_MAIL)));
    UpdateWindow(m_window);
    CWindowPicture picture(m_window);
    picture.SavePng(TestOutputFolder() + L"\\about-box.png");
}

TEST_F(AboutDlgTest, MailLinkCopiesTheLinkAndStartsNothing)
{
    const KvHyperLinkShell recorder = {RecordShellOpen, RecordShellMessage};
    const KvHyperLinkShell* previous = KvSetHyperLinkShell(&recorder);
    g_shellOpens = 0;
    const HWND link = GetDlgItem(m_window, IDC_ABOUT_MAIL);
    // The static's own notification of a click, as its parent receives it.
    SendMessageW(m_window, WM_COMMAND, MAKEWPARAM(IDC_ABOUT_MAIL, STN_CLICKED), reinterpret_cast<LPARAM>(link));
    PumpUntil([&] { return !IsWindowVisible(m_window); }, 5.0);
    KvSetHyperLinkShell(previous);
    EXPECT_EQ(g_shellOpens, 0);
    EXPECT_FALSE(IsWindowVisible(m_window));
    CStringW expected = CAboutDlg::MailLinkText() + L"&body=Your question:";
    expected.Replace(L' ', L'_');
    EXPECT_EQ(ClipboardText(), std::wstring(expected));
}

TEST_F(AboutDlgTest, UpdateButtonReportsANewerVersionAsPlainText)
{
    // A "%" in the version is shown as it stands, never read as a directive.
    LoopbackHttpServer server({{"/d.html", {200, kAboutDownloadPage}},
                               {"/ver.html", {200, "<b class=\"fn\">Quillora</b><b class=\"version\">9.0%1%s</b>"
                                                   "<a href=\"/q.zip\" x>q</a>\n"}}});
    AboutSiteScope site(server.Url("/d.html"));
    PressUpdate();
    EXPECT_NE(std::find(g_aboutMessageTexts.begin(), g_aboutMessageTexts.end(),
                        L"A newer version, 9.0%1%s, is available."),
              g_aboutMessageTexts.end());
    EXPECT_FALSE(IsWindowVisible(m_window));
}

TEST_F(AboutDlgTest, UpdateButtonReportsTheLatestVersion)
{
    LoopbackHttpServer server({{"/d.html", {200, kAboutDownloadPage}},
                               {"/ver.html", {200, "<b class=\"fn\">Quillora</b><b class=\"version\">1.0</b>"
                                                   "<a href=\"/q.zip\" x>q</a>\n"}}});
    AboutSiteScope site(server.Url("/d.html"));
    PressUpdate();
    EXPECT_NE(std::find(g_aboutMessageTexts.begin(), g_aboutMessageTexts.end(), L"Quillora is the latest version."),
              g_aboutMessageTexts.end());
}

TEST_F(AboutDlgTest, UpdateFailuresShowNoMessage)
{
    {
        // A page without the markers: nothing to report, the box ends.
        LoopbackHttpServer server({{"/d.html", {200, "<p>moved</p>\n"}}});
        AboutSiteScope site(server.Url("/d.html"));
        PressUpdate();
        EXPECT_TRUE(g_aboutMessageTexts.empty());
        EXPECT_FALSE(IsWindowVisible(m_window));
    }
    m_box->ShowWindow(SW_SHOW);
    // No server at all: the internet failure is caught in the handler and
    // the box stays open for another try.
    AboutSiteScope site(L"http://127.0.0.1:" + std::to_wstring(LoopbackHttpServer::ClosedPort()) + L"/d.html");
    PressUpdate();
    EXPECT_TRUE(g_aboutMessageTexts.empty());
    EXPECT_TRUE(IsWindowVisible(m_window));
}
