#pragma once
// A preview made by the library code linked into this test program (not by
// the Tavrena module it loads), so a test can reach the library's seams and
// state: the update check's site, the settings word, the info cache. The
// dialog's templates, strings and icons come from the English language
// module, made the resource module while the fixture lives.
#include <gtest/gtest.h>
#include <afxwin.h>
#include <string>
#include "LanguageIds.h"
#include "exports/TavrenaExports.h"
#include "framework/WindowTestSupport.h"
#include "support/LibraryModule.h"
#include "support/ScratchFolder.h"

class InProcessPreviewTest : public ::testing::Test {
protected:
    static constexpr int kWidth = 420;
    static constexpr int kHeight = 560;
    // A load and render of a small drawing, with time to spare under Wine.
    static constexpr double kPatience = 30.0;

    void SetUp() override
    {
        ASSERT_TRUE(m_language.IsLoaded());
        m_oldResource = AfxGetResourceHandle();
        AfxSetResourceHandle(m_language.Handle());
        ASSERT_TRUE(CreateTestPopup(m_host, true, 20, 20, kWidth + 20, kHeight + 20));
    }
    void TearDown() override
    {
        for (HWND dialog : {m_dialog, m_second})
            if (dialog && IsWindow(dialog))
                DestroyWindow(dialog);
        m_host.DestroyWindow();
        AfxSetResourceHandle(m_oldResource);
    }

    HWND Open(const std::wstring& path)
    {
        RECT rect = {0, 0, kWidth, kHeight};
        return PreViewDlg(path.c_str(), rect, m_host.m_hWnd);
    }
    // The bitmap the dialog's picture shows now, or null.
    static HBITMAP ShownBitmap(HWND dialog)
    {
        return reinterpret_cast<HBITMAP>(SendDlgItemMessageW(dialog, IDC_PREVIEW_PICTURE, STM_GETIMAGE, IMAGE_BITMAP, 0));
    }
    static bool Rendered(HWND dialog)
    {
        // Every render ends by putting the slider at the view's scale.
        return IsWindowEnabled(GetDlgItem(dialog, IDC_PREVIEW_ZOOM)) &&
               SendDlgItemMessageW(dialog, IDC_PREVIEW_ZOOM, TBM_GETPOS, 0, 0) > 64;
    }

    LibraryModule m_language{L"TavrenaENU.dll"};
    HINSTANCE m_oldResource = nullptr;
    CWnd m_host;
    HWND m_dialog = nullptr;
    HWND m_second = nullptr;
    ScratchFolder m_scratch;
};
