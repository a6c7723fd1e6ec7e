#pragma once
#include <afxwin.h>
#include <afxcmn.h>

// A tooltip that follows the Windows dark-application setting: black with
// white text when dark, white with black text otherwise. Its colours are
// fixed when it is created and change only on a colour-set setting change.
class CKvToolTip : public CToolTipCtrl {
    DECLARE_DYNAMIC(CKvToolTip)
public:
    CKvToolTip();
    ~CKvToolTip() override;

    // Decides dark by the registry form of the rule (and stores the answer
    // in g_darkModeActive), creates the window and applies the colours.
    BOOL Create(CWnd* parent, DWORD style = 0) override;
    // A tool identified by its window and subclassed by the tooltip, owned
    // by the control's parent, showing text.
    void AddWindowTool(CWnd* control, LPCWSTR text);
    void ApplyDarkTheme(bool dark);

    bool IsDark() const { return m_bDark; }

protected:
    afx_msg void OnSettingChange(UINT flags, LPCTSTR section);
    DECLARE_MESSAGE_MAP()

    void ApplyTipColors(bool dark);

    bool m_bDark;  // the colours shown now
};
