// What the window tests share: a plain window class, pumping messages until
// a condition holds, and reading a window's pixels back from a DIB.
#pragma once

#include <afxwin.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "PngWriter.h"

// A top-level popup window of a framework class at (x, y), hidden unless
// the test reads its pixels.
inline BOOL CreateTestPopup(CWnd& wnd, bool bVisible = false, int x = 40, int y = 40, int cx = 160, int cy = 120)
{
    LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursorW(NULL, IDC_ARROW),
                                            static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    return wnd.CreateEx(0, lpszClass, L"test", WS_POPUP | (bVisible ? WS_VISIBLE : 0), x, y, cx, cy, NULL, NULL);
}

// Calls visit for each top-level window of this thread until it answers
// false. (A lambda cannot be a window-enumeration callback on x86, whose
// callbacks are stdcall.)
inline void ForEachThreadWindow(const std::function<bool(HWND)>& visit)
{
    struct Trampoline {
        static BOOL CALLBACK Visit(HWND window, LPARAM parameter)
        {
            return (*reinterpret_cast<const std::function<bool(HWND)>*>(parameter))(window) ? TRUE : FALSE;
        }
    };
    ::EnumThreadWindows(::GetCurrentThreadId(), &Trampoline::Visit, reinterpret_cast<LPARAM>(&visit));
}

// Dispatches the thread's messages until done() holds (true) or seconds
// pass (false).
// done() is asked whenever the queue is empty, and with askEachMessage
// after every message too: for a moment that a stream of posted messages
// would otherwise hide until the stream ends.
inline bool PumpMessagesUntil(const std::function<bool()>& done, double seconds, bool askEachMessage)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!done())
    {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        MSG msg;
        bool dispatched = false;
        while (!dispatched && ::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
            dispatched = askEachMessage;
        }
        if (!dispatched)
            ::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

inline bool PumpUntil(const std::function<bool()>& done, double seconds = 5.0)
{
    return PumpMessagesUntil(done, seconds, false);
}

inline bool PumpEachUntil(const std::function<bool()>& done, double seconds = 5.0)
{
    return PumpMessagesUntil(done, seconds, true);
}

// The on-screen pixels of a window, copied into a 32-bit top-down DIB.
class CWindowPicture
{
public:
    explicit CWindowPicture(HWND hWnd)
    {
        RECT rc;
        ::GetWindowRect(hWnd, &rc);
        m_width = rc.right - rc.left;
        m_height = rc.bottom - rc.top;
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = m_width;
        info.bmiHeader.biHeight = -m_height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* pBits = nullptr;
        m_bitmap.Attach(::CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &pBits, NULL, 0));
        m_pBits = static_cast<const DWORD*>(pBits);
        CDC memory;
        memory.CreateCompatibleDC(NULL);
        CBitmap* pOld = memory.SelectObject(&m_bitmap);
        HDC hWindowDC = ::GetWindowDC(hWnd);
        ::BitBlt(memory.m_hDC, 0, 0, m_width, m_height, hWindowDC, 0, 0, SRCCOPY);
        ::ReleaseDC(hWnd, hWindowDC);
        memory.SelectObject(pOld);
        ::GdiFlush();
    }

    // (x, y) in window coordinates.
    COLORREF Pixel(int x, int y) const
    {
        DWORD bgrx = m_pBits[y * m_width + x];
        return RGB((bgrx >> 16) & 0xFF, (bgrx >> 8) & 0xFF, bgrx & 0xFF);
    }
    bool SavePng(const std::wstring& path) const
    {
        return SaveBitmapAsPng(static_cast<HBITMAP>(m_bitmap.m_hObject), path.c_str());
    }

private:
    CBitmap m_bitmap;
    const DWORD* m_pBits = nullptr;
    int m_width = 0;
    int m_height = 0;
};

// build/<width>/test-output, made when missing.
inline std::wstring TestOutputFolder()
{
    std::wstring folder = std::wstring(JW_BIN_DIR) + L"\\..\\test-output";
    ::CreateDirectoryW(folder.c_str(), NULL);
    return folder;
}
