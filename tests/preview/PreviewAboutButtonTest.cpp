// The preview's update and about button (1014) through the real dialog: a
// Shift+click opens the about box as a window the host owns and a second
// one closes it; a plain click asks a loopback server of the test's own
// for the current version (plain HTTP through the update check's site seam)
// and shows the answer in a timed notice below the button.
#include <gtest/gtest.h>
#include <afxwin.h>
#include <commctrl.h>
#include <string>
#include <vector>
#include "InProcessPreview.h"
#include "UpdateCheck.h"
#include "framework/LoopbackHttpServer.h"
#include "writer/Drawing.h"
#include "writer/SampleDrawing.h"

namespace {
const char kAboutButtonDownloadPage[] = "<p class=\"v_step\"><a href=\"/ver.html\" x>next</a></p>\n";

std::string AboutButtonVersionPage(const std::string& version)
{
    return "<p><span class=\"fn\">Quillora</span></p>\n<p class=\"version\">" + version +
           "</p>\n<p><a href=\"/files/q.zip\" x>get</a></p>\n";
}

// Points the check at url over plain HTTP while it lives.
class AboutButtonSiteScope {
public:
    explicit AboutButtonSiteScope(std::wstring url)
        : m_url(std::move(url)), m_site{m_url.c_str(), L"http://", 1500, 64 * 1024},
          m_previous(SetUpdateCheckSite(&m_site)) {}
    ~AboutButtonSiteScope() { SetUpdateCheckSite(m_previous); }

private:
    std::wstring m_url;
    UpdateCheckSite m_site;
    const UpdateCheckSite* m_previous;
};

// The visible top-level windows of this thread that owner owns.
std::vector<HWND> OwnedWindows(HWND owner)
{
    std::vector<HWND> found;
    ForEachThreadWindow([&](HWND window) {
        if (IsWindowVisible(window) && GetWindow(window, GW_OWNER) == owner)
            found.push_back(window);
        return true;
    });
    return found;
}

// The about box among them: the dialog with the about box's caption line.
HWND FindAboutBox(HWND owner)
{
    for (HWND window : OwnedWindows(owner))
        if (GetDlgItem(window, IDC_ABOUT_CAPTION))
            return window;
    return nullptr;
}

// The timed notice among them: a top-most tool window.
HWND FindUpdateNotice(HWND owner)
{
    for (HWND window : OwnedWindows(owner)) {
        const LONG_PTR extended = GetWindowLongPtrW(window, GWL_EXSTYLE);
        if ((extended & WS_EX_TOOLWINDOW) && (extended & WS_EX_TOPMOST))
            return window;
    }
    return nullptr;
}

// The size the notice takes for text: as wide as the text on one line in
// its font, three lines high.
SIZE NoticeSizeFor(const CStringW& text)
{
    HDC screen = GetDC(nullptr);
    LOGFONTW font = {};
    font.lfHeight = -MulDiv(12, GetDeviceCaps(screen, LOGPIXELSY), 72);
    wcscpy_s(font.lfFaceName, L"Segoe UI");
    HFONT made = CreateFontIndirectW(&font);
    HGDIOBJ old = SelectObject(screen, made);
    RECT measured = {};
    DrawTextW(screen, text, -1, &measured, DT_CALCRECT);
    SelectObject(screen, old);
    DeleteObject(made);
    ReleaseDC(nullptr, screen);
    return SIZE{measured.right, measured.bottom * 3};
}

class PreviewAboutButtonTest : public InProcessPreviewTest {
protected:
    void SetUp() override
    {
        InProcessPreviewTest::SetUp();
        const std::wstring path = m_scratch.Path() + L"\\about.jww";
        ASSERT_TRUE(jwwrite::SaveFile(path, jwwrite::WriteDrawing(jwwrite::SampleDrawing())));
        m_dialog = Open(path);
        ASSERT_NE(m_dialog, nullptr);
        ASSERT_TRUE(PumpUntil([&] { return Rendered(m_dialog); }, kPatience));
    }

    // Clicks the button with Shift held or not, as the thread's key state says.
    void ClickAboutButton(bool shift)
    {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        const BYTE before = keys[VK_SHIFT];
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
        SendDlgItemMessageW(m_dialog, IDC_PREVIEW_UPDATE, BM_CLICK, 0, 0);
        keys[VK_SHIFT] = before;
        SetKeyboardState(keys);
    }
};

class PreviewInDialogBoxTest : public InProcessPreviewTest {};
}  // namespace

TEST_F(PreviewAboutButtonTest, ShiftClickOpensTheAboutBoxAndTheNextOneClosesIt)
{
    ClickAboutButton(true);
    const HWND box = FindAboutBox(m_host.m_hWnd);
    ASSERT_NE(box, nullptr) << "the box is a top-level window that the host's window owns";
    wchar_t caption[64] = {};
    GetDlgItemTextW(box, IDC_ABOUT_CAPTION, caption, 64);
    EXPECT_STREQ(caption, L"Quillora 1.0");
    UpdateWindow(box);
    EXPECT_TRUE(CWindowPicture(box).SavePng(TestOutputFolder() + L"\\preview-about-box.png"));

    ClickAboutButton(true);
    EXPECT_FALSE(IsWindow(box)) << "a second Shift+click closes the open box";
    EXPECT_EQ(FindAboutBox(m_host.m_hWnd), nullptr);

    // OK only hides the box; the next Shift+click makes it afresh.
    ClickAboutButton(true);
    const HWND hidden = FindAboutBox(m_host.m_hWnd);
    ASSERT_NE(hidden, nullptr);
    SendMessageW(hidden, WM_COMMAND, IDOK, 0);
    EXPECT_FALSE(IsWindowVisible(hidden));
    ClickAboutButton(true);
    EXPECT_FALSE(IsWindow(hidden));
    EXPECT_NE(FindAboutBox(m_host.m_hWnd), nullptr);
}

// The host's window owns the box, so the box would outlive the preview and
// then write into the freed dialog when it goes: the preview takes it along.
TEST_F(PreviewAboutButtonTest, ClosingThePreviewClosesItsAboutBox)
{
    ClickAboutButton(true);
    const HWND box = FindAboutBox(m_host.m_hWnd);
    ASSERT_NE(box, nullptr);
    DestroyWindow(m_dialog);
    m_dialog = nullptr;
    EXPECT_FALSE(IsWindow(box));
}

TEST_F(PreviewAboutButtonTest, ClickShowsWhetherTheSiteOffersANewerVersion)
{
    CString newer;
    AfxFormatString1(newer, IDS_PREVIEW_NEWER_VERSION, L"9.0");
    CString upToDate;
    AfxFormatString1(upToDate, IDS_PREVIEW_UP_TO_DATE, CStringW(L"Quillora Ver.") + ProgramVersionString());
    struct Case {
        const char* offered;
        CStringW message;
        const wchar_t* picture;
    } cases[] = {
        {"9.0", newer, L"preview-update-newer.png"},
        // Read as as many leading characters of the own version: 1.0 is
        // not newer than 1.0.11.30.
        {"1.0", upToDate, L"preview-update-current.png"},
    };
    RECT title = {};
    GetWindowRect(GetDlgItem(m_dialog, IDC_PREVIEW_TITLE), &title);
    RECT button = {};
    GetWindowRect(GetDlgItem(m_dialog, IDC_PREVIEW_UPDATE), &button);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.offered);
        LoopbackHttpServer server({{"/download.html", {200, kAboutButtonDownloadPage}},
                                   {"/ver.html", {200, AboutButtonVersionPage(c.offered)}}});
        AboutButtonSiteScope site(server.Url("/download.html"));
        ClickAboutButton(false);
        EXPECT_EQ(server.RequestedPaths(), (std::vector<std::string>{"/download.html", "/ver.html"}));
        const HWND notice = FindUpdateNotice(m_host.m_hWnd);
        ASSERT_NE(notice, nullptr);
        RECT place = {};
        GetWindowRect(notice, &place);
        EXPECT_EQ(place.left, title.left);
        EXPECT_EQ(place.top, button.bottom + 5);
        const SIZE size = NoticeSizeFor(c.message);
        EXPECT_EQ(place.right - place.left, size.cx) << "the notice is sized for the expected text";
        EXPECT_EQ(place.bottom - place.top, size.cy);
        UpdateWindow(notice);
        CWindowPicture picture(notice);
        EXPECT_TRUE(picture.SavePng(TestOutputFolder() + L"\\" + c.picture));
        DestroyWindow(notice);
    }
}

// Pages without what the check reads, or no server at all: nothing is shown
// and the preview goes on.
TEST_F(PreviewAboutButtonTest, ClickWithoutAnAnswerShowsNothing)
{
    LoopbackHttpServer server({{"/download.html", {200, "<p>no steps here</p>\n"}}});
    const std::wstring closed = L"http://127.0.0.1:" + std::to_wstring(LoopbackHttpServer::ClosedPort()) + L"/d.html";
    for (const std::wstring& url : {server.Url("/download.html"), closed}) {
        SCOPED_TRACE(std::string(url.begin(), url.end()));
        AboutButtonSiteScope site(url);
        ClickAboutButton(false);
        EXPECT_EQ(FindUpdateNotice(m_host.m_hWnd), nullptr);
        EXPECT_TRUE(IsWindowVisible(m_dialog));
    }
}

// A preview whose foreground window is a dialog box (style bit 0x80) offers
// no update button.
TEST_F(PreviewInDialogBoxTest, UpdateButtonIsHidden)
{
    const std::wstring path = m_scratch.Path() + L"\\boxed.jww";
    ASSERT_TRUE(jwwrite::SaveFile(path, jwwrite::WriteDrawing(jwwrite::SampleDrawing())));
    m_host.ModifyStyle(0, DS_MODALFRAME);
    SetForegroundWindow(m_host.m_hWnd);
    ASSERT_EQ(GetForegroundWindow(), m_host.m_hWnd);
    m_dialog = Open(path);
    ASSERT_NE(m_dialog, nullptr);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(m_dialog, IDC_PREVIEW_UPDATE)));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(m_dialog, IDC_PREVIEW_SETTINGS)));
}
