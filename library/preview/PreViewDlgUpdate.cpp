#include "PreViewDlg.h"

void CPreViewDlg::OnUpdateButton()
{
    GiveFocusToParent();
}
