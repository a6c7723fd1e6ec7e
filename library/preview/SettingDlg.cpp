#include "SettingDlg.h"
#include "LanguageIds.h"
#include "PreViewDlg.h"
#include "app/TavrenaApp.h"
#include "foundation/base/KvThemeManager.h"
#include "foundation/base/KvoDarkMode.h"
#include "records/SettingFlag.h"

namespace {
// The check boxes in the order of the dialog's states, with the bit of the
// settings word each one stands for.
struct SettingCheckBox {
    int id;
    uint32_t bit;
};
const SettingCheckBox kSettingCheckBoxes[] = {
    {IDC_SETTING_DIRECT2D, SettingFlag::Direct2D},
    {IDC_SETTING_GDIPLUS_IMAGES, SettingFlag::GdiPlusImages},
    {IDC_SETTING_REVERSE_PAN, SettingFlag::ReversePan},
    {IDC_SETTING_USER_BACKGROUND, SettingFlag::UserBackground},
    {IDC_SETTING_PEN_WIDTHS, SettingFlag::PenWidths},
    {IDC_SETTING_PART_REFERENCE, SettingFlag::PartReferenceMark},
    {IDC_SETTING_TEXT_VARIABLES, SettingFlag::ExpandTextVariables},
};

// The bits that change the picture; the panning and wheel directions apply
// from the next input on and need no new render.
const uint32_t kRenderedSettingBits = SettingFlag::Direct2D | SettingFlag::GdiPlusImages |
                                      SettingFlag::UserBackground | SettingFlag::PenWidths |
                                      SettingFlag::PartReferenceMark | SettingFlag::ExpandTextVariables;
const uint32_t kCheckBoxSettingBits = kRenderedSettingBits | SettingFlag::ReversePan;

bool AskLibraryDirect2DProbe()
{
    return theApp.IsDirect2DUsable();
}

SettingDlgDirect2DProbe g_settingDlgDirect2DProbe = AskLibraryDirect2DProbe;
}  // namespace

SettingDlgDirect2DProbe SetSettingDlgDirect2DProbe(SettingDlgDirect2DProbe probe)
{
    const SettingDlgDirect2DProbe previous = g_settingDlgDirect2DProbe;
    g_settingDlgDirect2DProbe = probe ? probe : AskLibraryDirect2DProbe;
    return previous;
}

BEGIN_MESSAGE_MAP(CSettingDlg, KvDialog)
    ON_WM_SETTINGCHANGE()
    ON_CONTROL_RANGE(BN_CLICKED, IDC_SETTING_DIRECT2D, IDC_SETTING_TEXT_VARIABLES, &CSettingDlg::OnCheckBoxClicked)
    ON_WM_THEMECHANGED()
END_MESSAGE_MAP()

CSettingDlg::CSettingDlg() : KvDialog(IDD_PREVIEW_SETTINGS, nullptr), m_backColor(theApp.m_backColor)
{
    for (int i = 0; i < kCheckBoxCount; ++i)
        m_checks[i] = (theApp.m_settings & kSettingCheckBoxes[i].bit) ? BST_CHECKED : BST_UNCHECKED;
}

CSettingDlg* CSettingDlg::Open(CPreViewDlg* owner)
{
    auto* dialog = new CSettingDlg;
    dialog->m_owner = owner;
    if (!CreateOwned(dialog, [&] { return dialog->Create(IDD_PREVIEW_SETTINGS, owner); }))
        return nullptr;
    return dialog;
}

void CSettingDlg::DoDataExchange(CDataExchange* dx)
{
    KvDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_SETTING_BACK_COLOR, m_colorPicker);
    for (int i = 0; i < kCheckBoxCount; ++i)
        DDX_Check(dx, kSettingCheckBoxes[i].id, m_checks[i]);
    for (int i = 0; i < kCheckBoxCount; ++i)
        DDX_Control(dx, kSettingCheckBoxes[i].id, m_buttons[i]);
    DDX_Control(dx, IDOK, m_buttons[kCheckBoxCount]);
    DDX_Control(dx, IDCANCEL, m_buttons[kCheckBoxCount + 1]);
}

void CSettingDlg::PostNcDestroy()
{
    if (m_owner)
        m_owner->ForgetSettingDlg(this);
    delete this;
}

BOOL CSettingDlg::OnInitDialog()
{
    KvDialog::OnInitDialog();
    m_dark = DecideDarkModeFromRegistry();
    g_darkModeActive = m_dark;
    if (m_dark)
        SendMessage(WM_THEMECHANGED);
    m_colorPicker.ModifyPickerStyle(0, KvColorSelStyle::ShowHex);
    m_colorPicker.SetColor(m_backColor);
    m_colorPicker.SetDefaultColor(GetSysColor(COLOR_WINDOW));
    m_colorPicker.EnableWindow(IsChecked(IDC_SETTING_USER_BACKGROUND));
    const BOOL direct2D = g_settingDlgDirect2DProbe() ? TRUE : FALSE;
    GetDlgItem(IDC_SETTING_DIRECT2D)->EnableWindow(direct2D);
    GetDlgItem(IDC_SETTING_GDIPLUS_IMAGES)->EnableWindow(direct2D);
    for (CKvoButton& button : m_buttons)
        button.SetTheme(KvoButtonThemeOfficeXP);
    CKvThemeManager::Instance()->RefreshMetrics();
    return TRUE;
}

bool CSettingDlg::IsChecked(int id) const
{
    return IsDlgButtonChecked(id) != BST_UNCHECKED;
}

uint32_t CSettingDlg::CheckedSettingBits() const
{
    uint32_t bits = 0;
    for (int i = 0; i < kCheckBoxCount; ++i)
        if (m_checks[i] != 0)
            bits |= kSettingCheckBoxes[i].bit;
    // Images through GDI+ are part of the Direct2D road.
    if (bits & SettingFlag::GdiPlusImages)
        bits |= SettingFlag::Direct2D;
    return bits;
}

// Direct2D and GDI+ images hang together: GDI+ images go when Direct2D is
// switched off, and Direct2D comes when GDI+ images are switched on.
void CSettingDlg::OnCheckBoxClicked(UINT id)
{
    if (!m_owner)
        return;
    UpdateData(TRUE);
    if (id == IDC_SETTING_DIRECT2D && !IsChecked(IDC_SETTING_DIRECT2D) && IsChecked(IDC_SETTING_GDIPLUS_IMAGES))
        CheckDlgButton(IDC_SETTING_GDIPLUS_IMAGES, BST_UNCHECKED);
    else if (id == IDC_SETTING_GDIPLUS_IMAGES && IsChecked(IDC_SETTING_GDIPLUS_IMAGES) &&
             !IsChecked(IDC_SETTING_DIRECT2D))
        CheckDlgButton(IDC_SETTING_DIRECT2D, BST_CHECKED);
    m_colorPicker.EnableWindow(IsChecked(IDC_SETTING_USER_BACKGROUND));
}

// Shift with OK turns the wheel direction round. Only a change that shows
// in the picture makes the preview render again.
void CSettingDlg::OnOK()
{
    if (!m_owner || !UpdateData(TRUE))
        return;
    if (IsChecked(IDC_SETTING_USER_BACKGROUND))
        m_backColor = m_colorPicker.GetColor();
    if (GetKeyState(VK_SHIFT) < 0)
        theApp.m_settings ^= SettingFlag::ReverseWheel;
    const uint32_t renderedBefore = theApp.m_settings & kRenderedSettingBits;
    theApp.m_settings = (theApp.m_settings & ~kCheckBoxSettingBits) | CheckedSettingBits();
    const bool pictureChanges =
        (theApp.m_settings & kRenderedSettingBits) != renderedBefore || m_backColor != theApp.m_backColor;
    if (pictureChanges) {
        theApp.m_backColor = m_backColor;
        m_owner->Redraw(true, false, false, POINT{0, 0});
    }
    EndDialog(IDOK);
}

void CSettingDlg::OnSettingChange(UINT, LPCTSTR section)
{
    if (!TakeColorSetChange(section, m_dark))
        return;
    CKvThemeManager::Instance()->RefreshMetrics();
    Invalidate(TRUE);
    SendMessage(WM_THEMECHANGED);
    SendMessageToDescendants(WM_SYSCOLORCHANGE, 0, 0);
}

LRESULT CSettingDlg::OnThemeChanged()
{
    if (g_darkModeSupported) {
        g_pfnUxThemeOrdinal133(m_hWnd, m_dark);
        ApplyDarkTitleBar(m_hWnd);
        UpdateWindow();
    }
    return 0;
}
