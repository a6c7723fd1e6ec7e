// What the toolkit's window tests share: the fixture module of dialog
// templates as the resource module, and reading a child's rectangle in its
// parent's client coordinates.
#pragma once

#include <afxwin.h>
#include <gtest/gtest.h>

#include <string>

#include "framework/WindowTestSupport.h"
#include "toolkit/foundation/DarkModeSeam.h"
#include "support/TestPaths.h"
#include "toolkit/foundation/fixtures/KvoFixtureDialogIds.h"

// The templates of KvoFixtureDialogs.dll are the resource module while a
// test runs; the previous module comes back afterwards.
class KvDialogTemplateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_module = LoadLibraryW(BesideTestProgram(L"KvoFixtureDialogs.dll").c_str());
        ASSERT_NE(nullptr, m_module);
        m_previousResources = AfxGetResourceHandle();
        AfxSetResourceHandle(m_module);
    }
    void TearDown() override
    {
        AfxSetResourceHandle(m_previousResources);
        if (m_module)
            FreeLibrary(m_module);
    }

    HMODULE m_module = nullptr;
    HINSTANCE m_previousResources = nullptr;
};

// A child's window rectangle in its parent's client coordinates.
inline CRect ChildRect(HWND child)
{
    CRect rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

inline CRect ChildRect(const CWnd& parent, int id)
{
    return ChildRect(GetDlgItem(parent.m_hWnd, id));
}

// Dispatches what the thread has queued now.
inline void PumpPending()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Grows or shrinks a window's outer size by (dx, dy) and lets its children
// settle.
inline void GrowWindow(CWnd& window, int dx, int dy)
{
    CRect rect;
    window.GetWindowRect(&rect);
    window.SetWindowPos(nullptr, 0, 0, rect.Width() + dx, rect.Height() + dy,
                        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpPending();
}

inline std::wstring TestPicturePath(const wchar_t* name)
{
    return TestOutputFolder() + L"\\" + name;
}


// Forgets what the fake dark-mode entry points were asked; what ordinal 132
// answers stays.
inline void ClearDarkModeCalls(DarkModeSeam& seam)
{
    const bool darkColors = seam.Calls().darkColors;
    seam.Calls() = FakeDarkModeCalls();
    seam.Calls().darkColors = darkColors;
}
