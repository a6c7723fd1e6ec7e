#pragma once
#include <afxwin.h>
#include "foundation/controls/KvDarkDialog.h"
#include "foundation/controls/KvResizeDialog.h"

// The base of the toolkit's dialogs: resizable, aware of its DPI and
// following the Windows dark-application setting (dark brush, white text,
// dark title bar and size grip). Derived dialogs call KvDialog::OnInitDialog
// first from their own.
class KvDialog : public CKvResizeDialog {
    DECLARE_DYNAMIC(KvDialog)
public:
    // resourceModule: the name of a loaded module whose template a modal
    // run shows; null or empty for the usual resource module.
    KvDialog(UINT templateId, CWnd* parent, LPCWSTR resourceModule = nullptr);
    ~KvDialog() override;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    INT_PTR DoModal() override;
    BOOL OnInitDialog() override;
    // Runs after m_nDpi took the new DPI of WM_DPICHANGED.
    virtual void OnDpiChanged(WPARAM wParam, LPARAM lParam);

    UINT GetDpi() const { return m_nDpi; }
    HBRUSH GetDarkBrush() const { return m_hDarkBrush.Get(); }

protected:
    afx_msg void OnDestroy();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg LRESULT OnThemeChanged();
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    afx_msg void OnSettingChange(UINT flags, LPCTSTR section);
    DECLARE_MESSAGE_MAP()

    CStringW m_strResourceModule;
    CKvDarkBrush m_hDarkBrush;
    bool m_bInitialized;
    UINT m_nDpi;
};
