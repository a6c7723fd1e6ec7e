#include "foundation/controls/KvDarkDialog.h"
#include "foundation/base/KvoDarkMode.h"
#include <uxtheme.h>

void CKvDarkBrush::Create()
{
    Delete();
    m_brush = CreateSolidBrush(kKvDarkBackground);
}

void CKvDarkBrush::Delete()
{
    if (m_brush)
        DeleteObject(m_brush);
    m_brush = nullptr;
}

HBRUSH KvDarkCtlColor(HBRUSH baseAnswer, HBRUSH darkBrush, CDC* dc, UINT ctlColor)
{
    HBRUSH answer = baseAnswer;
    if (g_darkModeActive) {
        answer = darkBrush;
        dc->SetTextColor(kKvDarkText);
    }
    if (ctlColor == CTLCOLOR_EDIT || ctlColor == CTLCOLOR_STATIC)
        dc->SetBkMode(TRANSPARENT);
    return answer;
}

void KvApplyDarkModeTheme(CWnd* window, KvThemedChildTest themedChild)
{
    HWND own = window->GetSafeHwnd();
    g_pfnUxThemeOrdinal133(own, g_darkModeActive);
    ApplyDarkTitleBar(own);
    const LPCWSTR style = g_darkModeActive ? L"DarkMode_Explorer" : L"Explorer";
    for (HWND child = GetWindow(own, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (themedChild && themedChild(GetDlgCtrlID(child)))
            SetWindowTheme(child, style, nullptr);
        SendMessageW(child, WM_THEMECHANGED, 0, 0);
    }
    UpdateWindow(own);
}

void KvFollowDarkModeSetting(CWnd* window, LPCWSTR section)
{
    if (!FollowDarkModeSettingChange(reinterpret_cast<LPARAM>(section)))
        return;
    window->SendMessage(WM_THEMECHANGED);
    window->SendMessageToDescendants(WM_SYSCOLORCHANGE, 0, 0, TRUE, FALSE);
}
