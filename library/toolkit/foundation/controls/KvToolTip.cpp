#include "foundation/controls/KvToolTip.h"
#include "foundation/base/KvoDarkMode.h"

IMPLEMENT_DYNAMIC(CKvToolTip, CToolTipCtrl)

BEGIN_MESSAGE_MAP(CKvToolTip, CToolTipCtrl)
    ON_WM_SETTINGCHANGE()
END_MESSAGE_MAP()

CKvToolTip::CKvToolTip() : m_bDark(false)
{
}

CKvToolTip::~CKvToolTip() = default;

BOOL CKvToolTip::Create(CWnd* parent, DWORD style)
{
    m_bDark = DecideDarkModeFromRegistry();
    g_darkModeActive = m_bDark;
    BOOL created = CToolTipCtrl::Create(parent, style);
    ApplyDarkTheme(m_bDark);
    return created;
}

void CKvToolTip::AddWindowTool(CWnd* control, LPCWSTR text)
{
    TOOLINFOW tool = {};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = ::GetParent(control->GetSafeHwnd());
    tool.uId = reinterpret_cast<UINT_PTR>(control->GetSafeHwnd());
    tool.hinst = AfxGetModuleState()->m_hCurrentInstanceHandle;
    tool.lpszText = const_cast<LPWSTR>(text);
    SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void CKvToolTip::ApplyDarkTheme(bool dark)
{
    if (!m_hWnd)
        return;
    SendMessage(CCM_SETWINDOWTHEME, 0, reinterpret_cast<LPARAM>(dark ? L"DarkMode_Explorer" : L"Explorer"));
    ApplyTipColors(dark);
}

void CKvToolTip::ApplyTipColors(bool dark)
{
    SendMessage(TTM_SETTIPBKCOLOR, dark ? RGB(0, 0, 0) : RGB(255, 255, 255));
    SendMessage(TTM_SETTIPTEXTCOLOR, dark ? RGB(255, 255, 255) : RGB(0, 0, 0));
}

void CKvToolTip::OnSettingChange(UINT flags, LPCTSTR section)
{
    // The control's own handling may put the system colours back (Wine's
    // does), so it runs first and the tooltip's colours are set after it.
    CToolTipCtrl::OnSettingChange(flags, section);
    // Unlike the dialogs, the tooltip compares the section name exactly.
    if (TakeColorSetChange(section, m_bDark)) {
        ApplyDarkTheme(m_bDark);
        return;
    }
    ApplyTipColors(m_bDark);
}
