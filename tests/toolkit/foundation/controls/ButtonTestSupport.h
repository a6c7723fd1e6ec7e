// What the button tests share: a visible parent window that records the
// notifications its buttons send and can answer WM_CTLCOLORBTN, icons of one
// colour, and pixel searches over a window picture.
#pragma once
#include <afxwin.h>

#include <utility>
#include <vector>

#include "framework/WindowTestSupport.h"

class CButtonTestParent : public CWnd
{
public:
    // (control id, notification code) of every WM_COMMAND received.
    std::vector<std::pair<UINT, UINT>> m_commands;
    // Answered to WM_CTLCOLORBTN when set.
    HBRUSH m_hCtlColorBrush = NULL;

    bool Received(UINT nId, UINT nCode) const
    {
        for (const auto& command : m_commands)
            if (command.first == nId && command.second == nCode)
                return true;
        return false;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND)
            m_commands.push_back(std::make_pair(static_cast<UINT>(LOWORD(wParam)), static_cast<UINT>(HIWORD(wParam))));
        if (message == WM_CTLCOLORBTN && m_hCtlColorBrush)
            return reinterpret_cast<LRESULT>(m_hCtlColorBrush);
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// A square icon of one opaque colour; the caller destroys it.
inline HICON CreateSolidIcon(int size, COLORREF color)
{
    HDC screen = ::GetDC(NULL);
    HBITMAP colorBitmap = ::CreateCompatibleBitmap(screen, size, size);
    HDC memory = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(memory, colorBitmap);
    RECT rect = {0, 0, size, size};
    HBRUSH brush = ::CreateSolidBrush(color);
    ::FillRect(memory, &rect, brush);
    ::DeleteObject(brush);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    ::ReleaseDC(NULL, screen);
    std::vector<BYTE> maskBits(static_cast<size_t>((size + 15) / 16 * 2) * size, 0);
    HBITMAP maskBitmap = ::CreateBitmap(size, size, 1, 1, maskBits.data());
    ICONINFO info = {TRUE, 0, 0, maskBitmap, colorBitmap};
    HICON icon = ::CreateIconIndirect(&info);
    ::DeleteObject(maskBitmap);
    ::DeleteObject(colorBitmap);
    return icon;
}

// Moves the mouse away so that no button is hot by accident.
inline void ParkMouse()
{
    ::SetCursorPos(0, 0);
}

// Paints the window now and reads its pixels back.
inline CWindowPicture PaintAndRead(CWnd& wnd)
{
    ::RedrawWindow(wnd.m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    ::GdiFlush();
    return CWindowPicture(wnd.m_hWnd);
}

// How many pixels of the rectangle have exactly that colour.
inline int CountPixels(const CWindowPicture& picture, const RECT& rect, COLORREF color)
{
    int count = 0;
    for (int y = rect.top; y < rect.bottom; y++)
        for (int x = rect.left; x < rect.right; x++)
            if (picture.Pixel(x, y) == color)
                count++;
    return count;
}

// The leftmost column of the rectangle that holds the colour; -1 when none.
inline int FirstColumnWith(const CWindowPicture& picture, const RECT& rect, COLORREF color)
{
    for (int x = rect.left; x < rect.right; x++)
        for (int y = rect.top; y < rect.bottom; y++)
            if (picture.Pixel(x, y) == color)
                return x;
    return -1;
}

inline int FirstRowWith(const CWindowPicture& picture, const RECT& rect, COLORREF color)
{
    for (int y = rect.top; y < rect.bottom; y++)
        for (int x = rect.left; x < rect.right; x++)
            if (picture.Pixel(x, y) == color)
                return y;
    return -1;
}

inline bool IsGrey(COLORREF color)
{
    return GetRValue(color) == GetGValue(color) && GetGValue(color) == GetBValue(color);
}

// The states every button look is drawn in.
enum ButtonTestState
{
    kNormal,
    kHot,
    kPushed,
    kChecked,
    kDisabled,
    kFocused,
    kStateCount
};
const char* const kButtonStateNames[kStateCount] = {"normal", "hot", "pushed", "checked", "disabled", "focused"};

// Brings a button into the state through the messages a user's actions
// send: the mouse over it, held down, checked, disabled, focused.
template <class TButton> void ApplyButtonState(TButton& button, ButtonTestState state)
{
    switch (state)
    {
    case kHot:
    {
        CRect rect;
        button.GetWindowRect(&rect);
        ::SetCursorPos(rect.CenterPoint().x, rect.CenterPoint().y);
        button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        break;
    }
    case kPushed:
        button.SendMessage(BM_SETSTATE, TRUE);
        break;
    case kChecked:
        button.SetChecked(TRUE);
        break;
    case kDisabled:
        button.EnableWindow(FALSE);
        break;
    case kFocused:
        button.SetFocus();
        break;
    default:
        break;
    }
}
