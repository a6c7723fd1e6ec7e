#include "PreViewDlg.h"

void CPreViewDlg::OnPrintButton()
{
    GiveFocusToParent();
}
