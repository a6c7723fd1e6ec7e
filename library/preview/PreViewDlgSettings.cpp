#include "PreViewDlg.h"

void CPreViewDlg::OnSettingsButton()
{
    GiveFocusToParent();
}
