#pragma once
#include <afxwin.h>

// What the toolkit's dark-mode dialog bases share: their dark brush and
// text colour, the WM_CTLCOLOR answer, the re-theming of a window and its
// children, and the answer to a colour-setting change.

// The dark look: the background of dark windows and their text.
const COLORREF kKvDarkBackground = RGB(56, 56, 56);
const COLORREF kKvDarkText = RGB(255, 255, 255);

// The dark brush of one window, from its initialisation to WM_DESTROY.
class CKvDarkBrush {
public:
    CKvDarkBrush() = default;
    ~CKvDarkBrush() { Delete(); }
    void Create();
    void Delete();
    HBRUSH Get() const { return m_brush; }

private:
    CKvDarkBrush(const CKvDarkBrush&) = delete;
    CKvDarkBrush& operator=(const CKvDarkBrush&) = delete;

    HBRUSH m_brush = nullptr;
};

// The WM_CTLCOLOR answer of a dark-mode base: the base answer in light mode,
// the dark brush with white text while dark mode is in force; edits and
// statics draw their text transparently in both.
HBRUSH KvDarkCtlColor(HBRUSH baseAnswer, HBRUSH darkBrush, CDC* dc, UINT ctlColor);

// Which children get the dark or light visual style on WM_THEMECHANGED.
typedef bool (*KvThemedChildTest)(int controlId);

// The WM_THEMECHANGED answer of a dark-mode base while dark mode is
// supported: the window's own dark permission and title bar, the visual
// style of the children themedChild picks (none when null), a
// WM_THEMECHANGED to every direct child, then an update.
void KvApplyDarkModeTheme(CWnd* window, KvThemedChildTest themedChild);

// The WM_SETTINGCHANGE answer of a dark-mode dialog or sheet: on a
// colour-set change the window re-themes itself and every descendant hears
// of the new system colours.
void KvFollowDarkModeSetting(CWnd* window, LPCWSTR section);
