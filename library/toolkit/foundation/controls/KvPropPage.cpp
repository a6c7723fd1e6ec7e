#include "foundation/controls/KvPropPage.h"
#include "foundation/base/KvoDarkMode.h"

IMPLEMENT_DYNAMIC(KvPropPage, CPropertyPage)

BEGIN_MESSAGE_MAP(KvPropPage, CPropertyPage)
    ON_WM_DESTROY()
    ON_WM_THEMECHANGED()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

KvPropPage::KvPropPage(UINT templateId) : CPropertyPage(templateId, 0)
{
}

BOOL KvPropPage::OnInitDialog()
{
    BOOL result = CPropertyPage::OnInitDialog();
    m_hDarkBrush.Create();
    return result;
}

void KvPropPage::OnDpiChanged(WPARAM, LPARAM)
{
}

void KvPropPage::OnDestroy()
{
    CPropertyPage::OnDestroy();
    m_hDarkBrush.Delete();
}

LRESULT KvPropPage::OnThemeChanged()
{
    // A page themes none of its children; its sheet styles the buttons.
    if (g_darkModeSupported)
        KvApplyDarkModeTheme(this, nullptr);
    return 0;
}

HBRUSH KvPropPage::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor)
{
    return KvDarkCtlColor(CPropertyPage::OnCtlColor(dc, wnd, ctlColor), m_hDarkBrush.Get(), dc, ctlColor);
}
