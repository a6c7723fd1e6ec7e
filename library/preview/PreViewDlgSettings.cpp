#include "PreViewDlg.h"
#include "SettingDlg.h"

// The button opens the settings dialog and closes an open one again. A
// dialog ended with OK or Cancel is only hidden: it goes here and a new one,
// with the settings as they are now, takes its place.
void CPreViewDlg::OnSettingsButton()
{
    GiveFocusToParent();
    if (m_settingDlg) {
        const bool wasVisible = m_settingDlg->IsWindowVisible() != FALSE;
        m_settingDlg->DestroyWindow();
        if (wasVisible)
            return;
    }
    m_settingDlg = CSettingDlg::Open(this);
    if (m_settingDlg)
        m_settingDlg->ShowWindow(SW_SHOW);
}

void CPreViewDlg::ForgetSettingDlg(const CSettingDlg* dialog)
{
    if (m_settingDlg == dialog)
        m_settingDlg = nullptr;
}
