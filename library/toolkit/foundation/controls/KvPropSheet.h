#pragma once
#include <afxdlgs.h>
#include "foundation/controls/KvDarkDialog.h"

// A property sheet that follows the dark-application setting (its OK,
// Cancel and Help buttons take the dark style) and its DPI, which it passes
// on to its pages.
class KvPropSheet : public CPropertySheet {
    DECLARE_DYNAMIC(KvPropSheet)
public:
    KvPropSheet();
    KvPropSheet(LPCTSTR pszCaption, CWnd* pParentWnd);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;
    // Calls OnDpiChanged of every page, in page order.
    virtual void OnDpiChanged(WPARAM wParam, LPARAM lParam);

    UINT GetDpi() const { return m_nDpi; }
    HBRUSH GetDarkBrush() const { return m_hDarkBrush.Get(); }

protected:
    afx_msg void OnDestroy();
    afx_msg LRESULT OnThemeChanged();
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    afx_msg void OnSettingChange(UINT flags, LPCTSTR section);
    DECLARE_MESSAGE_MAP()

    CKvDarkBrush m_hDarkBrush;
    UINT m_nDpi;
    BOOL m_bInitialized;
};
