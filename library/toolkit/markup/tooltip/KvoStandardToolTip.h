#pragma once
#include <afxcmn.h>

#include "markup/tooltip/KvoToolTipContext.h"

// The standard and balloon looks: a common tooltip control whose window
// under a point skips children that are transparent for tips.
class CKvoToolTipContext::CStandardToolTip : public CToolTipCtrl {
protected:
    afx_msg LRESULT OnWindowFromPoint(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
