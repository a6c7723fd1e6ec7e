#include "foundation/base/KvoRects.h"

CKvoClientRect::CKvoClientRect(HWND hWnd) : CRect(0, 0, 0, 0)
{
    if (hWnd && ::IsWindow(hWnd))
        ::GetClientRect(hWnd, this);
}

CKvoClientRect::CKvoClientRect(const CWnd* wnd) : CKvoClientRect(wnd ? wnd->GetSafeHwnd() : NULL)
{
}

CKvoWindowRect::CKvoWindowRect(HWND hWnd) : CRect(0, 0, 0, 0)
{
    if (hWnd && ::IsWindow(hWnd))
        ::GetWindowRect(hWnd, this);
}

CKvoWindowRect::CKvoWindowRect(const CWnd* wnd) : CKvoWindowRect(wnd ? wnd->GetSafeHwnd() : NULL)
{
}

CKvoClientCursorPos::CKvoClientCursorPos(const CWnd* wnd) : CPoint(0, 0)
{
    ::GetCursorPos(this);
    if (wnd && wnd->GetSafeHwnd())
        ::ScreenToClient(wnd->GetSafeHwnd(), this);
}
