#include "foundation/controls/KvPropSheet.h"
#include "foundation/base/KvoDarkMode.h"
#include "foundation/controls/KvPropPage.h"
#include "foundation/controls/KvWindowDpi.h"

IMPLEMENT_DYNAMIC(KvPropSheet, CPropertySheet)

BEGIN_MESSAGE_MAP(KvPropSheet, CPropertySheet)
    ON_WM_DESTROY()
    ON_WM_THEMECHANGED()
    ON_WM_CTLCOLOR()
    ON_WM_SETTINGCHANGE()
END_MESSAGE_MAP()

namespace {
// The sheet's own buttons follow the dark style; the pages theme theirs.
bool KvPropSheetThemesChild(int controlId)
{
    return controlId == IDOK || controlId == IDCANCEL || controlId == IDHELP;
}
}

KvPropSheet::KvPropSheet() : m_nDpi(96), m_bInitialized(FALSE)
{
}

KvPropSheet::KvPropSheet(LPCTSTR pszCaption, CWnd* pParentWnd)
    : CPropertySheet(pszCaption, pParentWnd), m_nDpi(96), m_bInitialized(FALSE)
{
}

BOOL KvPropSheet::OnInitDialog()
{
    BOOL result = CPropertySheet::OnInitDialog();
    if (g_darkModeSupported)
        SendMessage(WM_THEMECHANGED);
    m_hDarkBrush.Create();
    m_nDpi = KvGetWindowDpi(m_hWnd);
    m_bInitialized = TRUE;
    return result;
}

LRESULT KvPropSheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DPICHANGED && m_bInitialized) {
        m_nDpi = LOWORD(wParam);
        OnDpiChanged(wParam, lParam);
    }
    return CPropertySheet::WindowProc(message, wParam, lParam);
}

void KvPropSheet::OnDpiChanged(WPARAM wParam, LPARAM lParam)
{
    if (!SendMessage(PSM_GETTABCONTROL))
        return;
    for (int i = 0; i < GetPageCount(); ++i) {
        if (KvPropPage* page = DYNAMIC_DOWNCAST(KvPropPage, GetPage(i)))
            page->OnDpiChanged(wParam, lParam);
    }
}

void KvPropSheet::OnDestroy()
{
    CPropertySheet::OnDestroy();
    m_hDarkBrush.Delete();
}

LRESULT KvPropSheet::OnThemeChanged()
{
    if (g_darkModeSupported)
        KvApplyDarkModeTheme(this, KvPropSheetThemesChild);
    return 0;
}

HBRUSH KvPropSheet::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor)
{
    return KvDarkCtlColor(CPropertySheet::OnCtlColor(dc, wnd, ctlColor), m_hDarkBrush.Get(), dc, ctlColor);
}

void KvPropSheet::OnSettingChange(UINT, LPCTSTR section)
{
    KvFollowDarkModeSetting(this, section);
}
