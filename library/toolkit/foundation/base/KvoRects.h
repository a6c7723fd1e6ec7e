#pragma once
#include <afxwin.h>

// Rectangle and point shorthands for drawing code.

// The window's client rectangle; empty when there is no window.
class CKvoClientRect : public CRect {
public:
    explicit CKvoClientRect(const CWnd* wnd);
    explicit CKvoClientRect(HWND hWnd);
};

// The window's screen rectangle; empty when it is not a window.
class CKvoWindowRect : public CRect {
public:
    explicit CKvoWindowRect(const CWnd* wnd);
    explicit CKvoWindowRect(HWND hWnd);
};

class CKvoEmptyRect : public CRect {
public:
    CKvoEmptyRect() : CRect(0, 0, 0, 0) {}
};

// The cursor position in the window's client coordinates (screen
// coordinates without a window).
class CKvoClientCursorPos : public CPoint {
public:
    explicit CKvoClientCursorPos(const CWnd* wnd);
};
