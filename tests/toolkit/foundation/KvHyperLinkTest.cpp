#include <gtest/gtest.h>
#include <afxwin.h>
#include "KvDialogTestSupport.h"
#include "foundation/base/KvoColorManager.h"
#include "foundation/controls/KvHyperLink.h"

namespace {
// Stands in for the shell: records every open and message box and answers
// a chosen result.
struct FakeShell {
    struct Open {
        std::wstring verb;
        std::wstring file;
        int showCmd;
    };
    static FakeShell& Get()
    {
        static FakeShell shell;
        return shell;
    }
    static HINSTANCE WINAPI Execute(HWND, LPCWSTR verb, LPCWSTR file, LPCWSTR, LPCWSTR, INT showCmd)
    {
        Get().opens.push_back({verb ? verb : L"", file ? file : L"", showCmd});
        return reinterpret_cast<HINSTANCE>(Get().result);
    }
    static int ShowMessage(LPCWSTR text, UINT)
    {
        Get().messages.push_back(text);
        return IDOK;
    }

    INT_PTR result = 42;
    std::vector<Open> opens;
    std::vector<std::wstring> messages;
};

// A link that exposes its state to the tests.
class TestLink : public CKvHyperLink {
public:
    bool Hover() const { return m_bHover; }
    CToolTipCtrl& Tip() { return m_toolTip; }
};

// The fixture's links dialog; counts the clicks its parent part sees.
class LinksDialog : public CDialog {
public:
    LinksDialog() : CDialog(IDD_KV_LINKS) {}
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_link.SubclassDlgItem(IDC_KV_LINK, this);
        m_centred.SubclassDlgItem(IDC_KV_CENTRED_LINK, this);
        return TRUE;
    }

    TestLink m_link;
    TestLink m_centred;
    int m_parentClicks = 0;

protected:
    afx_msg void OnLinkClicked() { ++m_parentClicks; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(LinksDialog, CDialog)
    ON_STN_CLICKED(IDC_KV_LINK, &LinksDialog::OnLinkClicked)
    ON_STN_CLICKED(IDC_KV_CENTRED_LINK, &LinksDialog::OnLinkClicked)
    ON_STN_CLICKED(IDC_KV_NAME, &LinksDialog::OnLinkClicked)
END_MESSAGE_MAP()

// The screen rectangle of a static's text, by its alignment.
CRect TextRect(CWnd& control)
{
    CString text;
    control.GetWindowText(text);
    CClientDC dc(&control);
    HGDIOBJ old = SelectObject(dc.m_hDC, reinterpret_cast<HGDIOBJ>(control.SendMessage(WM_GETFONT)));
    CSize extent;
    GetTextExtentPoint32W(dc.m_hDC, text, text.GetLength(), &extent);
    SelectObject(dc.m_hDC, old);
    CRect rect;
    control.GetWindowRect(&rect);
    if ((control.GetStyle() & 3) == SS_CENTER) {
        const int margin = (rect.Width() - extent.cx) / 2;
        rect.DeflateRect(margin, 0);
    } else {
        rect.right = rect.left + extent.cx;
    }
    return rect;
}

// Counts the pixels of one exact colour in a control.
int CountPixels(HWND window, COLORREF color)
{
    CWindowPicture picture(window);
    CRect rect;
    GetWindowRect(window, &rect);
    int count = 0;
    for (int y = 0; y < rect.Height(); ++y)
        for (int x = 0; x < rect.Width(); ++x)
            count += picture.Pixel(x, y) == color;
    return count;
}

const COLORREF kBlue = RGB(0, 0, 255), kRed = RGB(255, 0, 0), kPurple = RGB(128, 0, 128);

class KvHyperLinkTest : public KvDialogTemplateTest {
protected:
    void SetUp() override
    {
        KvDialogTemplateTest::SetUp();
        FakeShell::Get() = FakeShell();
        m_shell = {&FakeShell::Execute, &FakeShell::ShowMessage};
        m_previousShell = KvSetHyperLinkShell(&m_shell);
        ASSERT_TRUE(m_dialog.Create(IDD_KV_LINKS));
        m_dialog.SetWindowPos(&CWnd::wndTopMost, 80, 80, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        PumpPending();
    }
    void TearDown() override
    {
        m_dialog.DestroyWindow();
        KvSetHyperLinkShell(m_previousShell);
        KvDialogTemplateTest::TearDown();
    }

    // A click as the static reports it: the mouse goes down at the point.
    void ClickAt(CWnd& control, CPoint screen)
    {
        SetCursorPos(screen.x, screen.y);
        CPoint client = screen;
        control.ScreenToClient(&client);
        control.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.x, client.y));
        control.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
    }
    void Repaint(CWnd& control)
    {
        control.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        PumpPending();
    }

    LinksDialog m_dialog;
    KvHyperLinkShell m_shell = {};
    const KvHyperLinkShell* m_previousShell = nullptr;
};
}

TEST_F(KvHyperLinkTest, TemplateStaticBecomesALink)
{
    TestLink& link = m_dialog.m_link;
    EXPECT_STREQ(L"https://example.com/jw", link.GetURL());
    EXPECT_TRUE(link.GetStyle() & SS_NOTIFY);
    LOGFONTW font = {};
    GetObjectW(reinterpret_cast<HGDIOBJ>(link.SendMessage(WM_GETFONT)), sizeof(font), &font);
    EXPECT_TRUE(font.lfUnderline);
    EXPECT_EQ(1, link.Tip().GetToolCount());
    EXPECT_EQ(HTCLIENT, link.SendMessage(WM_NCHITTEST, 0, 0));

    link.SetUnderline(false);
    GetObjectW(reinterpret_cast<HGDIOBJ>(link.SendMessage(WM_GETFONT)), sizeof(font), &font);
    EXPECT_FALSE(font.lfUnderline);
}

// A click on the text goes to the shell with the exact target; the parent
// hears of it as well.
TEST_F(KvHyperLinkTest, ClickOpensTheExactTarget)
{
    TestLink& link = m_dialog.m_link;
    ClickAt(link, TextRect(link).CenterPoint());
    ASSERT_EQ(1u, FakeShell::Get().opens.size());
    EXPECT_EQ(L"open", FakeShell::Get().opens[0].verb);
    EXPECT_EQ(L"https://example.com/jw", FakeShell::Get().opens[0].file);
    EXPECT_EQ(SW_SHOW, FakeShell::Get().opens[0].showCmd);
    EXPECT_TRUE(link.GetVisited());
    EXPECT_EQ(1, m_dialog.m_parentClicks);

    // Beside the text: nothing opens, the parent still hears the click.
    CRect control;
    link.GetWindowRect(&control);
    ClickAt(link, CPoint(control.right - 3, control.CenterPoint().y));
    EXPECT_EQ(1u, FakeShell::Get().opens.size());
    EXPECT_EQ(2, m_dialog.m_parentClicks);
}

// Only the middle of a centred static, as wide as its text, is the link.
TEST_F(KvHyperLinkTest, CentredLinkIsOnlyItsText)
{
    TestLink& link = m_dialog.m_centred;
    const CRect text = TextRect(link);
    const int y = text.CenterPoint().y;
    struct Case {
        int x;
        bool over;
    };
    const Case cases[] = {{text.left, true}, {text.right - 1, true}, {text.left - 1, false}, {text.right, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x - text.left);
        SetCursorPos(c.x, y);
        EXPECT_EQ(c.over, link.IsMouseOverLink());
    }
}

// Only web and mail addresses reach the shell: any other text (a program,
// a path, another protocol) is never executed.
TEST_F(KvHyperLinkTest, OnlyWebAndMailTargetsAreOpened)
{
    struct Case {
        LPCWSTR url;
        bool opened;
    };
    const Case cases[] = {
        {L"https://example.com/a?b=c", true},
        {L"HTTP://EXAMPLE.COM", true},
        {L"mailto:someone@example.com", true},
        {L"abc", false},
        {L"C:\\Windows\\System32\\calc.exe", false},
        {L"file:///C:/Windows/win.ini", false},
        {L"javascript:alert(1)", false},
        {L"https://", false},
        {L" https://example.com", false},
        {L"", false},
    };
    TestLink& link = m_dialog.m_link;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url);
        FakeShell::Get().opens.clear();
        EXPECT_EQ(c.opened, link.GotoURL(c.url, SW_SHOW));
        ASSERT_EQ(c.opened ? 1u : 0u, FakeShell::Get().opens.size());
        if (c.opened) {
            EXPECT_EQ(c.url, FakeShell::Get().opens[0].file);
        }
    }
    EXPECT_TRUE(FakeShell::Get().messages.empty());

    // A link whose text is not an address is not followed by a click.
    link.SetURL(L"abc");
    FakeShell::Get().opens.clear();
    ClickAt(link, TextRect(link).CenterPoint());
    EXPECT_TRUE(FakeShell::Get().opens.empty());
    EXPECT_FALSE(link.GetVisited());
}

TEST_F(KvHyperLinkTest, FailedOpenIsReported)
{
    struct Case {
        INT_PTR code;
        LPCWSTR message;
    };
    const Case cases[] = {{2, L"The link's file was not found."}, {1, L"The link could not be opened (error 1)."}};
    TestLink& link = m_dialog.m_link;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        FakeShell::Get().result = c.code;
        FakeShell::Get().messages.clear();
        ClickAt(link, TextRect(link).CenterPoint());
        ASSERT_EQ(1u, FakeShell::Get().messages.size());
        EXPECT_EQ(c.message, FakeShell::Get().messages[0]);
        EXPECT_FALSE(link.GetVisited());
    }
    FakeShell::Get().messages.clear();
    link.ReportError(1234);
    ASSERT_EQ(1u, FakeShell::Get().messages.size());
    EXPECT_EQ(L"The link could not be opened (error 1234).", FakeShell::Get().messages[0]);
}

// The about box's link does not navigate: a click only marks it followed.
TEST_F(KvHyperLinkTest, LinkWithoutNavigationOnlyMarksItself)
{
    TestLink& link = m_dialog.m_link;
    link.m_bNavigate = false;
    ClickAt(link, TextRect(link).CenterPoint());
    EXPECT_TRUE(FakeShell::Get().opens.empty());
    EXPECT_TRUE(link.GetVisited());
}

TEST_F(KvHyperLinkTest, CursorIsTheHandOverTheText)
{
    TestLink& link = m_dialog.m_link;
    SetCursorPos(TextRect(link).CenterPoint().x, TextRect(link).CenterPoint().y);
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    EXPECT_TRUE(link.SendMessage(WM_SETCURSOR, WPARAM(link.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(LoadCursorW(nullptr, IDC_HAND), GetCursor());
    EXPECT_EQ(LoadCursorW(nullptr, IDC_HAND), link.GetLinkCursor());

    CRect control;
    link.GetWindowRect(&control);
    SetCursorPos(control.right - 3, control.CenterPoint().y);
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    link.SendMessage(WM_SETCURSOR, WPARAM(link.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_NE(LoadCursorW(nullptr, IDC_HAND), GetCursor());
}

// Read back from the screen: the link colour, the hover colour while the
// mouse rests on the text and the visited colour once it left.
TEST_F(KvHyperLinkTest, DrawsInItsColours)
{
    TestLink& link = m_dialog.m_link;
    Repaint(link);
    EXPECT_GT(CountPixels(link.m_hWnd, kBlue), 0);
    EXPECT_EQ(0, CountPixels(link.m_hWnd, kPurple));
    CWindowPicture(m_dialog.m_hWnd).SavePng(TestPicturePath(L"KvHyperLink.png"));

    const CPoint middle = TextRect(link).CenterPoint();
    SetCursorPos(middle.x, middle.y);
    CPoint client = middle;
    link.ScreenToClient(&client);
    link.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
    ASSERT_TRUE(PumpUntil([&] { return link.Hover(); }));
    Repaint(link);
    EXPECT_GT(CountPixels(link.m_hWnd, kRed), 0);
    EXPECT_EQ(0, CountPixels(link.m_hWnd, kBlue));

    link.SetVisited(true);
    CRect control;
    link.GetWindowRect(&control);
    SetCursorPos(control.right + 20, control.bottom + 20);
    ASSERT_TRUE(PumpUntil([&] { return !link.Hover(); }));
    Repaint(link);
    EXPECT_GT(CountPixels(link.m_hWnd, kPurple), 0);
    EXPECT_EQ(0, CountPixels(link.m_hWnd, kRed));
}

TEST_F(KvHyperLinkTest, BackColourPaintsBehindTheText)
{
    TestLink& link = m_dialog.m_link;
    link.SetBackColor(RGB(255, 255, 0));
    EXPECT_EQ(RGB(255, 255, 0), link.GetBackColor());
    Repaint(link);
    CRect control;
    link.GetWindowRect(&control);
    EXPECT_EQ(RGB(255, 255, 0), CWindowPicture(link.m_hWnd).Pixel(control.Width() - 2, control.Height() / 2));
    EXPECT_GT(CountPixels(link.m_hWnd, kBlue), 0);

    link.SetBackColor(0xFFFFFFFF);
    EXPECT_EQ(CKvoColorManager::Instance()->GetColor(COLOR_BTNFACE), link.GetBackColor());
}

TEST_F(KvHyperLinkTest, NewTargetChangesTheTip)
{
    TestLink& link = m_dialog.m_link;
    link.SetURL(L"https://example.com/other");
    wchar_t text[80] = {};
    TOOLINFOW tool = {};
    tool.cbSize = sizeof(tool);
    tool.hwnd = m_dialog.m_hWnd;
    tool.uId = reinterpret_cast<UINT_PTR>(link.m_hWnd);
    tool.lpszText = text;
    link.Tip().SendMessage(TTM_GETTEXTW, _countof(text), reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(L"https://example.com/other", text);
}

// An image static made with Create: the whole control is the link and its
// click does not reach the parent.
TEST_F(KvHyperLinkTest, ImageLinkIsWholeAndKeepsItsClick)
{
    TestLink icon;
    ASSERT_TRUE(icon.Create(L"", WS_CHILD | WS_VISIBLE | SS_ICON, CRect(150, 60, 182, 92), &m_dialog, IDC_KV_NAME));
    icon.SetIcon(LoadIconW(nullptr, IDI_APPLICATION));
    EXPECT_TRUE(icon.GetStyle() & SS_NOTIFY) << "set up on WM_CREATE";
    EXPECT_FALSE(icon.IsTextStatic());
    icon.SetURL(L"https://example.com/icon");
    CRect control;
    icon.GetWindowRect(&control);
    ClickAt(icon, CPoint(control.left + 1, control.top + 1));
    ASSERT_EQ(1u, FakeShell::Get().opens.size());
    EXPECT_EQ(L"https://example.com/icon", FakeShell::Get().opens[0].file);
    EXPECT_EQ(0, m_dialog.m_parentClicks);
    icon.DestroyWindow();
}
