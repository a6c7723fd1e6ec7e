#pragma once
// The preview dialog made through the library's export inside a real host
// window under Xvfb, as a host program does; what the tests of the dialog
// share: opening, waiting for the load and the renders, closing, and a
// picture of the whole dialog for a person to look at.
#include <gtest/gtest.h>
#include <afxwin.h>
#include <commctrl.h>
#include <cstring>
#include <string>
#include "LanguageIds.h"
#include "framework/WindowTestSupport.h"
#include "support/LibraryModule.h"
#include "support/ScratchFolder.h"
#include "support/TavrenaLibrary.h"

namespace previewtest {

const int kPreviewWidth = 420;
const int kPreviewHeight = 560;
// A load or render of the largest sample takes a few seconds under Wine.
const double kPreviewPatience = 60.0;

// The pixels of a 24-bit or 32-bit DIB section unlike its first pixel.
inline int CountBitmapInk(HBITMAP bitmap)
{
    DIBSECTION section = {};
    if (GetObjectW(bitmap, sizeof section, &section) != sizeof section || !section.dsBm.bmBits)
        return 0;
    GdiFlush();
    const BITMAP& bits = section.dsBm;
    const int bytesPerPixel = bits.bmBitsPixel / 8;
    const auto* row0 = static_cast<const BYTE*>(bits.bmBits);
    int ink = 0;
    for (int y = 0; y < bits.bmHeight; ++y) {
        const BYTE* row = row0 + y * bits.bmWidthBytes;
        for (int x = 0; x < bits.bmWidth; ++x)
            ink += memcmp(row + x * bytesPerPixel, row0, 3) != 0;
    }
    return ink;
}

inline bool BitmapHasInk(HBITMAP bitmap)
{
    return CountBitmapInk(bitmap) > 0;
}

inline std::wstring ListText(HWND list, int row)
{
    wchar_t text[512] = {};
    LVITEMW item = {};
    item.iSubItem = 0;
    item.pszText = text;
    item.cchTextMax = 512;
    SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

// The whole dialog drawn with PrintWindow into a PNG. Wine's PrintWindow
// draws the window itself but none of its children, so each child is
// printed at its place on top (in z-order, bottom first), as Windows would;
// Wine's buttons and list view still print nothing, so tests also save the
// pixels on the screen beside it.
inline bool SavePreviewPicture(HWND dialog, const std::wstring& file)
{
    RECT frame = {};
    GetWindowRect(dialog, &frame);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, picture);
    bool printed = PrintWindow(dialog, memory, 0) != FALSE;
    for (HWND child = GetWindow(GetWindow(dialog, GW_CHILD), GW_HWNDLAST); child; child = GetWindow(child, GW_HWNDPREV)) {
        if (!IsWindowVisible(child))
            continue;
        RECT place = {};
        GetWindowRect(child, &place);
        SetViewportOrgEx(memory, place.left - frame.left, place.top - frame.top, nullptr);
        printed = PrintWindow(child, memory, 0) && printed;
    }
    SetViewportOrgEx(memory, 0, 0, nullptr);
    SelectObject(memory, old);
    DeleteDC(memory);
    const bool saved = printed && SaveBitmapAsPng(picture, file.c_str());
    DeleteObject(picture);
    return saved;
}

class PreviewDialogFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tavrena.IsLoaded());
        ASSERT_TRUE(m_exports.Complete());
        ASSERT_TRUE(CreateTestPopup(m_host, true, 20, 20, kPreviewWidth + 20, kPreviewHeight + 20));
    }
    void TearDown() override
    {
        if (m_dialog && IsWindow(m_dialog))
            DestroyWindow(m_dialog);
        m_host.DestroyWindow();
    }

    HWND Open(const std::wstring& path)
    {
        RECT rect = {0, 0, kPreviewWidth, kPreviewHeight};
        m_dialog = m_exports.PreViewDlg(path.c_str(), rect, m_host.m_hWnd);
        return m_dialog;
    }
    HWND Item(int id) const { return GetDlgItem(m_dialog, id); }
    bool Loaded() const { return IsWindowEnabled(Item(IDC_PREVIEW_ZOOM)) != FALSE; }
    HBITMAP Shown() const
    {
        return reinterpret_cast<HBITMAP>(SendMessageW(Item(IDC_PREVIEW_PICTURE), STM_GETIMAGE, IMAGE_BITMAP, 0));
    }
    // Every render ends by putting the slider at the view's scale; before
    // the first one the slider sits at its minimum.
    bool FirstRenderArrived() const { return SendMessageW(Item(IDC_PREVIEW_ZOOM), TBM_GETPOS, 0, 0) > 64; }
    bool OpenAndWaitForPicture(const std::wstring& path)
    {
        return Open(path) && PumpUntil([&] { return Loaded() && Shown(); }, kPreviewPatience);
    }
    void Close()
    {
        DestroyWindow(m_dialog);
        m_dialog = nullptr;
    }

    LibraryModule m_tavrena{L"Tavrena.dll"};
    TavrenaLibrary m_exports{m_tavrena.Handle()};
    CWnd m_host;
    HWND m_dialog = nullptr;
    ScratchFolder m_scratch;
};

}  // namespace previewtest
