#pragma once
#include <afxwin.h>
#include "foundation/controls/KvResize.h"

// A dialog whose children follow its size by their anchors, with a minimum
// tracking size and, when the frame is thick, a size grip.
class CKvResizeDialog : public CDialog, public CKvResize {
    DECLARE_DYNCREATE(CKvResizeDialog)
public:
    CKvResizeDialog();
    CKvResizeDialog(UINT templateId, CWnd* parent, UINT flags);

    BOOL OnInitDialog() override;

protected:
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* info);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    UINT m_nIDTemplate;
};
