#include "toolkit/commandbars/support/KvoTestFrame.h"
#include <afxpriv.h>
#include "commandbars/KvoControl.h"
#include "commandbars/KvoControls.h"
#include "framework/WindowTestSupport.h"

BOOL CKvoTestFrame::CreateFrame(int x, int y, int cx, int cy, CKvoCommandBar* bar)
{
    m_pBar = bar ? bar : &m_ownBar;
    if (!Create(nullptr, L"frame", WS_POPUP | WS_CAPTION, CRect(x, y, x + cx, y + cy)))
        return FALSE;
    m_pBar->m_barPosition = KvoBarTop;
    return m_pBar->CreateEx(0, CKvoCommandBar::GetWindowClassName(), L"bar", WS_CHILD | WS_VISIBLE, 0, 0, cx,
                            kBarHeight, m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kBarId)));
}

void CKvoTestFrame::Show()
{
    ShowWindow(SW_SHOW);
    ::SetForegroundWindow(m_hWnd);
    ::SetActiveWindow(m_hWnd);
    UpdateWindow();
    m_pBar->UpdateWindow();
    PumpUntil([this] { return ::GetForegroundWindow() == m_hWnd; }, 2.0);
}

CKvoControl* CKvoTestFrame::AddButton(UINT id, LPCWSTR caption, int width)
{
    CKvoControl* control = m_pBar->GetControls()->AddControlOfType(KvoControlTypeButton, id);
    control->SetCaption(caption);
    control->SetStyle(KvoButtonCaption);
    PlaceControls(width);
    return control;
}

void CKvoTestFrame::PlaceControls(int width)
{
    for (int index = 0; index < m_pBar->GetControlCount(); ++index)
        m_pBar->GetControl(index)->SetRect(CRect(index * width + 2, 2, (index + 1) * width, kBarHeight - 2));
    m_pBar->Invalidate(FALSE);
}

CPoint CKvoTestFrame::BarToScreen(CPoint client) const
{
    m_pBar->ClientToScreen(&client);
    return client;
}

LRESULT CKvoTestFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        m_commands.push_back(LOWORD(wParam));
        m_messages.push_back(message);
        break;
    case KVO_SITE_CONTROL_NOTIFY:
    case KVO_SITE_MENUBAR_TRACKING:
        m_messages.push_back(message);
        return 0;
    case KVO_SITE_CONTROL_SELECTED:
        m_messages.push_back(message);
        m_selectedControls.push_back(wParam);
        return 0;
    case WM_SETMESSAGESTRING: {
        CString text;
        if (lParam)
            text = reinterpret_cast<LPCWSTR>(lParam);
        else
            text.Format(L"#%u", static_cast<UINT>(wParam));
        m_prompts.push_back(text);
        return 0;
    }
    case WM_LBUTTONDOWN:
        ++m_nClientClicks;
        break;
    case WM_LBUTTONUP:
        ++m_nClientReleases;
        break;
    default:
        break;
    }
    return CFrameWnd::WindowProc(message, wParam, lParam);
}

void KvoSendMouseInput(DWORD flags, CPoint screen)
{
    const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = (screen.x * 65536 + width - 1) / width;
    input.mi.dy = (screen.y * 65536 + height - 1) / height;
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof(INPUT));
}

void KvoSendKeyInput(WORD virtualKey, BOOL release)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = release ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof(INPUT));
}
