// Device contexts of a window, released when the object goes: the paint DC
// of WM_PAINT (BeginPaint/EndPaint), the client area and the whole window.
// Part of <afxwin.h>; include that instead.
#pragma once

class CPaintDC : public CDC
{
    DECLARE_DYNAMIC(CPaintDC)
public:
    // Throws CResourceException when BeginPaint gives no DC.
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps;

protected:
    HWND m_hWnd;
};

class CClientDC : public CDC
{
    DECLARE_DYNAMIC(CClientDC)
public:
    // pWnd NULL: the screen. Throws CResourceException without a DC.
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

protected:
    HWND m_hWnd;
};

class CWindowDC : public CDC
{
    DECLARE_DYNAMIC(CWindowDC)
public:
    explicit CWindowDC(CWnd* pWnd);
    ~CWindowDC() override;

protected:
    HWND m_hWnd;
};
