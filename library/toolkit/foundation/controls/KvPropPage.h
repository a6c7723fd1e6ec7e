#pragma once
#include <afxdlgs.h>
#include "foundation/controls/KvDarkDialog.h"

// A property page that follows the dark-application setting: dark brush
// and white text while dark mode is in force. It learns of DPI changes only
// from its sheet.
class KvPropPage : public CPropertyPage {
    DECLARE_DYNAMIC(KvPropPage)
public:
    explicit KvPropPage(UINT templateId);

    BOOL OnInitDialog() override;
    // Called by the sheet after a DPI change.
    virtual void OnDpiChanged(WPARAM wParam, LPARAM lParam);

    HBRUSH GetDarkBrush() const { return m_hDarkBrush.Get(); }

protected:
    afx_msg void OnDestroy();
    afx_msg LRESULT OnThemeChanged();
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    DECLARE_MESSAGE_MAP()

    CKvDarkBrush m_hDarkBrush;
};
