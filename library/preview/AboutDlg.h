#pragma once
// The preview window's about box: the product and its version, the maker's
// mail address as a link that copies a prepared mail link to the clipboard,
// and a button that runs the update check.
#include "foundation/base/KvoSelfDeletingWindow.h"
#include "foundation/controls/KvDialog.h"
#include "foundation/controls/KvHyperLink.h"
#include "foundation/controls/KvToolTip.h"
#include "foundation/controls/KvoButton.h"

struct FoundRelease;

// A link whose click opens nothing: the about box handles the click itself.
class CMyHyperLink : public CKvHyperLink {
public:
    bool GotoURL(LPCWSTR url, int showCmd, LPCWSTR params = nullptr, LPCWSTR dir = nullptr) override;
};

class CAboutDlg : public KvDialog, public CKvoSelfDeletingWindow {
public:
    // ownerSlot: where the preview keeps its pointer to the box; cleared
    // when the box goes. May be null.
    explicit CAboutDlg(CAboutDlg** ownerSlot);

    // Makes the box modeless on template 100 with parent as its parent and
    // shows it; null (nothing left behind) when the window cannot be made.
    static CAboutDlg* Open(CWnd* parent, CAboutDlg** ownerSlot);

    // "mailto:" the maker's support address, with the product and its full
    // version as the subject.
    static CStringW MailLinkText();
    // The product name and the major and minor version.
    static CStringW ProductCaption();

    bool IsDark() const { return m_dark; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void PostNcDestroy() override;
    BOOL OnInitDialog() override;

    afx_msg void OnSettingChange(UINT flags, LPCTSTR section);
    afx_msg void OnMailLink();
    afx_msg void OnUpdateCheck();
    afx_msg LRESULT OnThemeChanged();
    DECLARE_MESSAGE_MAP()

    void ApplyTooltipTheme(bool dark);
    void ShowUpdateResult(const FoundRelease& release);

    CAboutDlg** m_ownerSlot;
    CMyHyperLink m_mailLink;
    CKvToolTip m_toolTip;
    CKvoButton m_okButton;
    CKvoButton m_updateButton;
    bool m_dark = false;
    // The update check's message box runs a message loop of its own, in
    // which the preview may destroy this box: the object then stays until
    // the check's handler has returned from the message box.
    bool m_inUpdateCheck = false;
    bool m_windowGone = false;
};
