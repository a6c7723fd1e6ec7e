// The window procedure of every CWnd and its exception boundary.
#include <afxwin.h>

#include "AfxThreadState.h"

#include <cwchar>

namespace
{

// What a message answers when its handler threw.
LRESULT FailedMessageResult(HWND hWnd, UINT nMsg)
{
    switch (nMsg)
    {
    case WM_CREATE:
        return -1;
    case WM_PAINT:
        // Otherwise the window is sent WM_PAINT again and again.
        ::ValidateRect(hWnd, NULL);
        return 0;
    default:
        return 0;
    }
}

// A handler of WM_NCDESTROY threw before the object let go of the window:
// the window is gone, so the object must not keep it.
void ReleaseDestroyedWindow(CWnd* pWnd, HWND hWnd)
{
    if (CWnd::FromHandlePermanent(hWnd) == pWnd)
        pWnd->UnsubclassWindow();
}

LRESULT CallWindowProcGuarded(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    try
    {
        return pWnd->WindowProc(nMsg, wParam, lParam);
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    if (nMsg == WM_NCDESTROY)
        ReleaseDestroyedWindow(pWnd, hWnd);
    return FailedMessageResult(hWnd, nMsg);
}

} // namespace

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    MSG previousMsg = pState->m_lastSentMsg;
    pState->m_lastSentMsg = {hWnd, nMsg, wParam, lParam, 0, {0, 0}};
    AfxLockTempMaps();
    LRESULT lResult = CallWindowProcGuarded(pWnd, hWnd, nMsg, wParam, lParam);
    // Temporary objects live until the outermost message returns.
    AfxUnlockTempMaps(TRUE);
    pState->m_lastSentMsg = previousMsg;
    return lResult;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == NULL)
        return ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

WNDPROC AFXAPI AfxGetAfxWndProc()
{
    return &AfxWndProc;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pCtrlSite != NULL)
    {
        m_pCtrlSite->OnHostMessage(message, wParam, lParam);
        if (message == WM_DESTROY)
        {
            m_pCtrlSite->Release();
            m_pCtrlSite = NULL;
        }
    }
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

LRESULT CWnd::DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != NULL)
        return ::CallWindowProcW(m_pfnSuper, m_hWnd, nMsg, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, nMsg, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

BOOL AFXAPI AfxRegisterClass(WNDCLASS* lpWndClass)
{
    if (lpWndClass == NULL || lpWndClass->lpszClassName == NULL)
        return FALSE;
    WNDCLASSW existing = {};
    if (::GetClassInfoW(lpWndClass->hInstance, lpWndClass->lpszClassName, &existing))
        return TRUE;
    return ::RegisterClassW(lpWndClass) != 0;
}

LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    HINSTANCE hInstance = AfxGetInstanceHandle();
    wchar_t* name = AfxGetThreadState()->m_szClassName;
    ::swprintf(name, 96, L"Afx:%p:%x:%p:%p:%p", static_cast<void*>(hInstance), nClassStyle,
               static_cast<void*>(hCursor), static_cast<void*>(hbrBackground), static_cast<void*>(hIcon));
    WNDCLASSW existing = {};
    if (!::GetClassInfoW(hInstance, name, &existing))
    {
        WNDCLASSW wc = {};
        wc.style = nClassStyle;
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = hInstance;
        wc.hIcon = hIcon;
        wc.hCursor = hCursor;
        wc.hbrBackground = hbrBackground;
        wc.lpszClassName = name;
        if (!::RegisterClassW(&wc))
            AfxThrowResourceException();
    }
    return name;
}
