#pragma once
// A small top-most notice with rounded corners: one text, shown for a few
// seconds or until it loses the focus, then it destroys and deletes itself.
#include <afxwin.h>
#include "foundation/base/KvoSelfDeletingWindow.h"

// How long a notice stays when nothing else closes it.
inline constexpr UINT kTimedPopupShownMs = 3000;

class CTimedPopup : public CWnd, public CKvoSelfDeletingWindow {
public:
    // Made on the heap; the caller keeps no pointer to it.
    CTimedPopup() = default;
    ~CTimedPopup() override = default;

    // A new popup made with Create, which then owns itself; false when its
    // window could not be made (nothing is left behind).
    static bool Show(CWnd* parent, const wchar_t* text, int x, int y, bool dark, UINT shownMs = kTimedPopupShownMs);

    // Shows text with the popup's top-left corner at the screen point (x, y),
    // light (pale yellow, black text) or dark (dark grey, white text). FALSE:
    // no window was made and the caller deletes the object.
    BOOL Create(CWnd* parent, const wchar_t* text, int x, int y, bool dark, UINT shownMs = kTimedPopupShownMs);

protected:
    void PostNcDestroy() override;

    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnKillFocus(CWnd* newFocus);
    DECLARE_MESSAGE_MAP()

private:
    CStringW m_text;
    bool m_dark = false;
};
