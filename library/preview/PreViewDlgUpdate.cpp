#include "PreViewDlg.h"
#include "AboutDlg.h"
#include "LanguageIds.h"
#include "TimedPopup.h"
#include "UpdateCheck.h"

namespace {
// The notice sits this far below the update button.
const int kUpdateNoticeGap = 5;
}

// Shift+click opens the about box, or closes it when it is open; a plain
// click asks the product's site for its current version and says in a
// short notice whether it is newer than this one.
void CPreViewDlg::OnAboutButton()
{
    GiveFocusToParent();
    if (GetKeyState(VK_SHIFT) < 0)
        ToggleAboutBox();
    else
        ShowUpdateNotice();
}

// An about box that was hidden by its OK button is made afresh, so its
// window is never shown twice.
void CPreViewDlg::ToggleAboutBox()
{
    if (m_aboutBox) {
        const bool wasVisible = m_aboutBox->IsWindowVisible() != FALSE;
        m_aboutBox->DestroyWindow();
        if (wasVisible)
            return;
    }
    CAboutDlg::Open(this, &m_aboutBox);
}

// The check runs here, on the UI thread: the window waits for both pages.
// A site that cannot be reached, or pages without what the check reads,
// show nothing.
void CPreViewDlg::ShowUpdateNotice()
{
    FoundRelease release;
    if (RunUpdateCheck(&release) != UpdateCheckOutcome::Found)
        return;
    CString message;
    if (IsNewerVersion(ProgramVersionString(), release.version)) {
        AfxFormatString1(message, IDS_PREVIEW_NEWER_VERSION, release.version);
    } else {
        CStringW current;
        current.Format(L"%s Ver.%s", static_cast<const wchar_t*>(release.name), ProgramVersionString());
        AfxFormatString1(message, IDS_PREVIEW_UP_TO_DATE, current);
    }
    CRect title;
    GetDlgItem(IDC_PREVIEW_TITLE)->GetWindowRect(&title);
    CRect button;
    GetDlgItem(IDC_PREVIEW_UPDATE)->GetWindowRect(&button);
    CTimedPopup::Show(this, message, title.left, button.bottom + kUpdateNoticeGap, m_dark);
}
