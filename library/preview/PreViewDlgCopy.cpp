#include "PreViewDlg.h"

void CPreViewDlg::OnCopyButton()
{
    GiveFocusToParent();
}
