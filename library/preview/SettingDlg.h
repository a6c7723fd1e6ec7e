#pragma once
// The preview's settings: check boxes for the bits of the application's
// settings word and the user background colour. The preview dialog that
// opens it owns it; OK and Cancel only hide it, the preview destroys it.
// It changes the values in memory; the info cache file keeps them.
#include <cstdint>
#include "foundation/base/KvoSelfDeletingWindow.h"
#include "foundation/controls/KvColorPicker.h"
#include "foundation/controls/KvDialog.h"
#include "foundation/controls/KvoButton.h"

class CPreViewDlg;

// Whether Direct2D draws here: the library's probe. The two Direct2D check
// boxes can be used only then. Tests put their own answer in; the call
// returns the one it replaces, and null puts the probe back.
typedef bool (*SettingDlgDirect2DProbe)();
SettingDlgDirect2DProbe SetSettingDlgDirect2DProbe(SettingDlgDirect2DProbe probe);

class CSettingDlg : public KvDialog, public CKvoSelfDeletingWindow {
public:
    // The check boxes start from the settings word, the colour from the
    // user background colour, as they are now.
    CSettingDlg();

    // Makes the dialog modeless and hidden on template 400 with owner as
    // its parent; null (nothing left behind) when the window cannot be made.
    // The owner hears of its end through CPreViewDlg::ForgetSettingDlg.
    static CSettingDlg* Open(CPreViewDlg* owner);

    bool IsDark() const { return m_dark; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void PostNcDestroy() override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    afx_msg void OnSettingChange(UINT flags, LPCTSTR section);
    afx_msg void OnCheckBoxClicked(UINT id);
    afx_msg LRESULT OnThemeChanged();
    DECLARE_MESSAGE_MAP()

private:
    static const int kCheckBoxCount = 7;

    bool IsChecked(int id) const;
    // The settings bits the check boxes stand for now.
    uint32_t CheckedSettingBits() const;

    CPreViewDlg* m_owner = nullptr;  // not owned
    CKvColorPicker m_colorPicker;
    // The check boxes 1021 to 1027, then OK and Cancel.
    CKvoButton m_buttons[kCheckBoxCount + 2];
    // The states of the check boxes, in their order (non-zero: checked).
    int m_checks[kCheckBoxCount];
    COLORREF m_backColor;
    bool m_dark = false;
};
