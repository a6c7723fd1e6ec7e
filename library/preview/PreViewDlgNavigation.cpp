#include "PreViewDlg.h"

// Panning and fitting are the next step of the preview; the buttons only
// hand the focus back for now.
void CPreViewDlg::OnPanButton(UINT)
{
    GiveFocusToParent();
}

void CPreViewDlg::OnFitButton()
{
    GiveFocusToParent();
}
