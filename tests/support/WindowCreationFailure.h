#pragma once
// While it lives, the windows made on this thread whose class name starts
// with a given text ("Afx:" for the class library's own classes) fail in
// WM_CREATE (answered -1), after WM_NCCREATE: the window existed and is
// destroyed again by CreateWindowEx, as when a window's own OnCreate fails.
// For a control class named in a dialog template, the dialog's creation
// fails because its control cannot be made.
#include <windows.h>
#include <string>

class WindowCreationFailure {
public:
    explicit WindowCreationFailure(const wchar_t* className) : m_className(className)
    {
        s_active = this;
        m_hook = SetWindowsHookExW(WH_CBT, Filter, nullptr, GetCurrentThreadId());
    }
    ~WindowCreationFailure()
    {
        if (m_hook)
            UnhookWindowsHookEx(m_hook);
        s_active = nullptr;
    }
    WindowCreationFailure(const WindowCreationFailure&) = delete;
    WindowCreationFailure& operator=(const WindowCreationFailure&) = delete;

    bool IsHooked() const { return m_hook != nullptr; }
    // How many windows were made to fail.
    int Failed() const { return m_failed; }

private:
    static constexpr const wchar_t* kOriginalProc = L"WindowCreationFailure.Original";

    // Runs after the class library's own creation hook (installed later, so
    // called first), on top of the procedure it installed.
    static LRESULT CALLBACK Filter(int code, WPARAM wParam, LPARAM lParam)
    {
        WindowCreationFailure* self = s_active;
        if (code == HCBT_CREATEWND && self) {
            HWND window = reinterpret_cast<HWND>(wParam);
            wchar_t name[128] = {};
            GetClassNameW(window, name, 128);
            if (_wcsnicmp(name, self->m_className.c_str(), self->m_className.size()) == 0) {
                const LONG_PTR original =
                    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FailingProc));
                SetPropW(window, kOriginalProc, reinterpret_cast<HANDLE>(original));
            }
        }
        return CallNextHookEx(self ? self->m_hook : nullptr, code, wParam, lParam);
    }

    static LRESULT CALLBACK FailingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto original = reinterpret_cast<WNDPROC>(GetPropW(window, kOriginalProc));
        if (message == WM_CREATE) {
            if (s_active)
                ++s_active->m_failed;
            return -1;
        }
        if (message == WM_NCDESTROY) {
            RemovePropW(window, kOriginalProc);
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        }
        return CallWindowProcW(original, window, message, wParam, lParam);
    }

    static inline WindowCreationFailure* s_active = nullptr;
    std::wstring m_className;
    HHOOK m_hook = nullptr;
    int m_failed = 0;
};
