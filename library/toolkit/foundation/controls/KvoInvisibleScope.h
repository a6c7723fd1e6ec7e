#pragma once
#include <windows.h>

// Takes WS_VISIBLE off a window for the scope's lifetime, so that the
// system's button procedure, which paints its own look directly on some
// messages (BM_SETSTATE, WM_SETTEXT), paints nothing over an owner-painted
// button. The window is not hidden: no show or hide messages are sent.
class CKvoInvisibleScope
{
public:
    explicit CKvoInvisibleScope(HWND hWnd) : m_hWnd(hWnd)
    {
        LONG style = ::GetWindowLongW(m_hWnd, GWL_STYLE);
        m_bWasVisible = (style & WS_VISIBLE) != 0;
        if (m_bWasVisible)
            ::SetWindowLongW(m_hWnd, GWL_STYLE, style & ~WS_VISIBLE);
    }
    ~CKvoInvisibleScope()
    {
        if (m_bWasVisible && ::IsWindow(m_hWnd))
            ::SetWindowLongW(m_hWnd, GWL_STYLE, ::GetWindowLongW(m_hWnd, GWL_STYLE) | WS_VISIBLE);
    }
    CKvoInvisibleScope(const CKvoInvisibleScope&) = delete;
    CKvoInvisibleScope& operator=(const CKvoInvisibleScope&) = delete;

private:
    HWND m_hWnd;
    bool m_bWasVisible;
};
