#include "foundation/controls/KvDialog.h"
#include "foundation/base/KvoDarkMode.h"
#include "foundation/controls/KvWindowDpi.h"

IMPLEMENT_DYNAMIC(KvDialog, CKvResizeDialog)

BEGIN_MESSAGE_MAP(KvDialog, CKvResizeDialog)
    ON_WM_DESTROY()
    ON_WM_NCHITTEST()
    ON_WM_THEMECHANGED()
    ON_WM_CTLCOLOR()
    ON_WM_SETTINGCHANGE()
END_MESSAGE_MAP()

namespace {
const UINT kKvDialogInitialDpi = 96;

// The size grip follows the dark style; the dialog's other children theme
// themselves.
bool KvDialogThemesChild(int controlId)
{
    return UINT(controlId) == kKvSizeIconId;
}

// Puts the class library's resource handle back when a modal run ends,
// also by an exception.
class KvResourceHandleSwitch {
public:
    explicit KvResourceHandleSwitch(HINSTANCE module) : m_previous(AfxGetResourceHandle())
    {
        AfxSetResourceHandle(module);
    }
    ~KvResourceHandleSwitch() { AfxSetResourceHandle(m_previous); }

private:
    HINSTANCE m_previous;
};
}

KvDialog::KvDialog(UINT templateId, CWnd* parent, LPCWSTR resourceModule)
    : CKvResizeDialog(templateId, parent, 0), m_strResourceModule(resourceModule ? resourceModule : L""),
      m_bInitialized(false), m_nDpi(kKvDialogInitialDpi)
{
}

KvDialog::~KvDialog() = default;

INT_PTR KvDialog::DoModal()
{
    if (m_strResourceModule.IsEmpty())
        return CKvResizeDialog::DoModal();
    KvResourceHandleSwitch resources(GetModuleHandleW(m_strResourceModule));
    return CKvResizeDialog::DoModal();
}

BOOL KvDialog::OnInitDialog()
{
    // The template decides about clipping.
    AddFlags(KvResizeFlag::KeepClipChildren);
    CKvResizeDialog::OnInitDialog();
    if (g_darkModeSupported)
        SendMessage(WM_THEMECHANGED);
    m_hDarkBrush.Create();
    m_nDpi = KvGetWindowDpi(m_hWnd);
    m_bInitialized = true;
    return TRUE;
}

LRESULT KvDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DPICHANGED && m_bInitialized) {
        m_nDpi = LOWORD(wParam);
        OnDpiChanged(wParam, lParam);
    } else if (message == WM_SETTINGCHANGE) {
        // Lets uxtheme know first; the message map's handler re-themes.
        FollowDarkModeSettingChange(lParam);
    }
    return CKvResizeDialog::WindowProc(message, wParam, lParam);
}

void KvDialog::OnDpiChanged(WPARAM, LPARAM)
{
}

void KvDialog::OnDestroy()
{
    m_hDarkBrush.Delete();
    CKvResizeDialog::OnDestroy();
}

LRESULT KvDialog::OnNcHitTest(CPoint point)
{
    // Any blank spot of the client area drags the dialog.
    LRESULT hit = CKvResizeDialog::OnNcHitTest(point);
    return hit == HTCLIENT ? HTCAPTION : hit;
}

LRESULT KvDialog::OnThemeChanged()
{
    if (g_darkModeSupported)
        KvApplyDarkModeTheme(this, KvDialogThemesChild);
    return 0;
}

HBRUSH KvDialog::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor)
{
    return KvDarkCtlColor(CKvResizeDialog::OnCtlColor(dc, wnd, ctlColor), m_hDarkBrush.Get(), dc, ctlColor);
}

void KvDialog::OnSettingChange(UINT, LPCTSTR section)
{
    KvFollowDarkModeSetting(this, section);
}
