#include "foundation/controls/KvResizeDialog.h"

IMPLEMENT_DYNCREATE(CKvResizeDialog, CDialog)

BEGIN_MESSAGE_MAP(CKvResizeDialog, CDialog)
    ON_WM_SIZE()
    ON_WM_GETMINMAXINFO()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CKvResizeDialog::CKvResizeDialog() : CKvResizeDialog(0, nullptr, 0)
{
}

CKvResizeDialog::CKvResizeDialog(UINT templateId, CWnd* parent, UINT flags)
    : CDialog(templateId, parent), CKvResize(this, flags), m_nIDTemplate(templateId)
{
}

BOOL CKvResizeDialog::OnInitDialog()
{
    // A frame the user cannot drag needs no grip.
    if (!(GetStyle() & WS_THICKFRAME))
        AddFlags(KvResizeFlag::NoSizeIcon);
    CDialog::OnInitDialog();
    Init();
    return TRUE;
}

void CKvResizeDialog::OnSize(UINT type, int cx, int cy)
{
    CDialog::OnSize(type, cx, cy);
    Size();
}

void CKvResizeDialog::OnGetMinMaxInfo(MINMAXINFO* info)
{
    ApplyTrackLimits(info);
}

void CKvResizeDialog::OnDestroy()
{
    if (!m_strSection.IsEmpty())
        StorePlacement(m_strSection);
    // The window objects made for controls are detached while their handles
    // still name them, so no later window of the same handle finds them.
    ClearItems();
    CDialog::OnDestroy();
}
