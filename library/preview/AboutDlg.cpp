#include "AboutDlg.h"
#include <uxtheme.h>
#include "LanguageIds.h"
#include "UpdateCheck.h"
#include "foundation/base/KvoDarkMode.h"
#include "foundation/base/KvoSystemVersion.h"

namespace {
const wchar_t kProductName[] = L"Quillora";
const wchar_t kSupportAddress[] = L"support@norvane.jp";

// The setting decides when it is set; otherwise Windows' own.
bool AboutDarkModeNow()
{
    return g_darkModeSetting != 0 ? g_darkModeSetting == 1 : CKvoSystemVersion::Instance()->IsDarkModeActive();
}

// Puts text on the clipboard as CF_UNICODETEXT; false when no block could
// be made (nothing is put then). The clipboard must be open.
bool PutUnicodeTextOnClipboard(const CStringW& text)
{
    const SIZE_T bytes = (static_cast<SIZE_T>(text.GetLength()) + 1) * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, bytes);
    if (!block)
        return false;
    void* data = GlobalLock(block);
    if (!data) {
        GlobalFree(block);
        return true;
    }
    memcpy(data, static_cast<const wchar_t*>(text), bytes);
    GlobalUnlock(block);
    EmptyClipboard();
    if (!SetClipboardData(CF_UNICODETEXT, block))
        GlobalFree(block);
    return true;
}
}  // namespace

bool CMyHyperLink::GotoURL(LPCWSTR, int, LPCWSTR, LPCWSTR)
{
    return true;
}

BEGIN_MESSAGE_MAP(CAboutDlg, KvDialog)
    ON_WM_SETTINGCHANGE()
    ON_STN_CLICKED(IDC_ABOUT_MAIL, &CAboutDlg::OnMailLink)
    ON_BN_CLICKED(IDC_ABOUT_UPDATE, &CAboutDlg::OnUpdateCheck)
    ON_WM_THEMECHANGED()
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg(CAboutDlg** ownerSlot) : KvDialog(IDD_PREVIEW_ABOUT, nullptr), m_ownerSlot(ownerSlot) {}

CAboutDlg* CAboutDlg::Open(CWnd* parent, CAboutDlg** ownerSlot)
{
    auto* box = new CAboutDlg(ownerSlot);
    if (!CreateOwned(box, [&] { return box->Create(IDD_PREVIEW_ABOUT, parent); }))
        return nullptr;
    if (ownerSlot)
        *ownerSlot = box;
    box->ShowWindow(SW_SHOW);
    return box;
}

CStringW CAboutDlg::MailLinkText()
{
    CStringW text;
    text.Format(L"mailto:%s?subject=%s Ver.%s", kSupportAddress, kProductName, ProgramVersionString());
    return text;
}

CStringW CAboutDlg::ProductCaption()
{
    const CStringW version = ProgramVersionString();
    const int minorEnd = version.Find(L'.', version.Find(L'.') + 1);
    return CStringW(kProductName) + L" " + (minorEnd < 0 ? version : version.Left(minorEnd));
}

void CAboutDlg::DoDataExchange(CDataExchange* dx)
{
    KvDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_ABOUT_MAIL, m_mailLink);
    DDX_Control(dx, IDOK, m_okButton);
    DDX_Control(dx, IDC_ABOUT_UPDATE, m_updateButton);
}

void CAboutDlg::PostNcDestroy()
{
    if (m_ownerSlot && *m_ownerSlot == this)
        *m_ownerSlot = nullptr;
    if (m_inUpdateCheck) {
        m_windowGone = true;
        return;
    }
    delete this;
}

BOOL CAboutDlg::OnInitDialog()
{
    KvDialog::OnInitDialog();
    m_dark = AboutDarkModeNow();
    g_darkModeActive = m_dark;
    if (m_dark)
        SendMessage(WM_THEMECHANGED);
    SetDlgItemText(IDC_ABOUT_CAPTION, ProductCaption());
    m_toolTip.Create(this);
    CStringW tip;
    tip.LoadString(IDS_TIP_MAIL);
    m_toolTip.AddWindowTool(&m_mailLink, tip);
    m_okButton.SetTheme(KvoButtonThemeOfficeXP);
    m_updateButton.SetTheme(KvoButtonThemeOfficeXP);
    ApplyTooltipTheme(m_dark);
    return TRUE;
}

void CAboutDlg::ApplyTooltipTheme(bool dark)
{
    if (!m_toolTip.GetSafeHwnd())
        return;
    SetWindowTheme(m_toolTip.m_hWnd, dark ? L"DarkMode_Explorer" : L"Explorer", nullptr);
    m_toolTip.SendMessage(TTM_SETTIPBKCOLOR, dark ? RGB(0, 0, 0) : RGB(255, 255, 255));
    m_toolTip.SendMessage(TTM_SETTIPTEXTCOLOR, dark ? RGB(255, 255, 255) : RGB(0, 0, 0));
}

void CAboutDlg::OnSettingChange(UINT, LPCTSTR section)
{
    if (!g_darkModeSupported || !section || wcscmp(section, L"ImmersiveColorSet") != 0)
        return;
    const bool dark = AboutDarkModeNow();
    g_darkModeActive = dark;
    if (dark == m_dark)
        return;
    m_dark = dark;
    ApplyTooltipTheme(dark);
    Invalidate(TRUE);
    SendMessage(WM_THEMECHANGED);
    SendMessageToDescendants(WM_SYSCOLORCHANGE, 0, 0);
}

LRESULT CAboutDlg::OnThemeChanged()
{
    if (g_darkModeSupported) {
        g_pfnUxThemeOrdinal133(m_hWnd, m_dark);
        ApplyDarkTitleBar(m_hWnd);
        UpdateWindow();
    }
    return 0;
}

// Copies the mail link (blanks turned into "_", which mail programs keep in
// a link) instead of starting a mail program.
void CAboutDlg::OnMailLink()
{
    if (!OpenClipboard())
        return;
    CStringW body;
    body.LoadString(IDS_MAIL_BODY);
    CStringW text = MailLinkText() + body;
    text.Replace(L' ', L'_');
    const bool allocated = PutUnicodeTextOnClipboard(text);
    CloseClipboard();
    if (allocated)
        EndDialog(IDOK);
}

// Every failure of the check is caught inside RunUpdateCheck: nothing
// unwinds into the window procedure. An unreachable site leaves the box
// open, so the user can try again. A box destroyed while the result was
// shown goes once the message box has returned.
void CAboutDlg::OnUpdateCheck()
{
    FoundRelease release;
    const UpdateCheckOutcome outcome = RunUpdateCheck(&release);
    if (outcome == UpdateCheckOutcome::Unreachable)
        return;
    if (outcome == UpdateCheckOutcome::Found) {
        m_inUpdateCheck = true;
        ShowUpdateResult(release);
        m_inUpdateCheck = false;
        if (m_windowGone) {
            delete this;
            return;
        }
    }
    EndDialog(IDOK);
}

void CAboutDlg::ShowUpdateResult(const FoundRelease& release)
{
    try {
        CString message;
        if (IsNewerVersion(ProgramVersionString(), release.version))
            AfxFormatString1(message, IDS_ABOUT_NEWER_VERSION, release.version);
        else
            AfxFormatString1(message, IDS_ABOUT_UP_TO_DATE, release.name);
        ::MessageBoxW(m_hWnd, message, kProductName, MB_ICONINFORMATION);
    } catch (CException* error) {
        error->Delete();
    }
}
