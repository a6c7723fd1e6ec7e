// The info cache may drop or reload a previewed drawing between two renders
// (eviction, low memory, a changed file): the preview's next zoom must use
// the drawing the cache holds then, never the reader it was first handed.
// (A stale reader often still reads as valid memory; run with
// WINEDEBUG=warn+heap, which poisons freed blocks, to see it fault.)
#include <gtest/gtest.h>
#include <afxwin.h>
#include "InProcessPreview.h"
#include "LanguageIds.h"
#include "PreviewMessages.h"
#include "app/TavrenaApp.h"
#include "cache/InfoCache.h"
#include "framework/WindowTestSupport.h"
#include "writer/Drawing.h"
#include "writer/SampleDrawing.h"

namespace {
class PreviewCacheDropTest : public InProcessPreviewTest {
protected:
    void TearDown() override
    {
        InProcessPreviewTest::TearDown();
        theApp.m_infoCache.Clear();
    }
    HBITMAP Shown() const { return ShownBitmap(m_dialog); }
    LRESULT SliderPosition() const { return SendDlgItemMessageW(m_dialog, IDC_PREVIEW_ZOOM, TBM_GETPOS, 0, 0); }
};

TEST_F(PreviewCacheDropTest, ZoomAfterTheCacheDroppedTheDrawingUsesTheReloadedOne)
{
    const std::wstring path = m_scratch.Path() + L"\\dropped.jww";
    ASSERT_TRUE(jwwrite::SaveFile(path, jwwrite::WriteDrawing(jwwrite::SampleDrawing())));
    m_dialog = Open(path);
    ASSERT_NE(m_dialog, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return Rendered(m_dialog) && Shown(); }, kPatience));
    const LRESULT before = SliderPosition();
    const HBITMAP first = Shown();

    theApp.m_infoCache.Clear();  // the preview pins nothing between renders: its reader is gone

    RECT picture = {};
    GetClientRect(GetDlgItem(m_dialog, IDC_PREVIEW_PICTURE), &picture);
    POINT centre = {picture.right / 2, picture.bottom / 2};
    SendMessageW(m_dialog, WM_PREVIEWZOOM, 1, reinterpret_cast<LPARAM>(&centre));
    ASSERT_TRUE(PumpUntil([&] { return Shown() && Shown() != first; }, kPatience));
    EXPECT_GT(SliderPosition(), before);
}

// The dialog's procedure under a test procedure that empties the cache
// when the load's message arrives: between the load and the dialog's use
// of what it loaded, the drawing the load was handed is deleted.
WNDPROC g_dialogProcedure = nullptr;
LRESULT CALLBACK ClearCacheWhenLoaded(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PREVIEWLOADED)
        theApp.m_infoCache.Clear();
    return CallWindowProcW(g_dialogProcedure, window, message, wParam, lParam);
}

// The count row and the first render's file kind come from the load, not
// from the drawing it was handed, which the cache deleted meanwhile.
TEST_F(PreviewCacheDropTest, CountRowAndFirstRenderAfterTheCacheDroppedTheLoadedDrawing)
{
    jwwrite::Drawing drawing;
    for (int i = 0; i < 1200; ++i) {
        jwwrite::Line line;
        line.x1 = -100;
        line.x2 = 100;
        line.y1 = line.y2 = i * 0.1;
        drawing.entities.push_back(line);
    }
    const std::wstring path = m_scratch.Path() + L"\\dropped-at-load.jww";
    ASSERT_TRUE(jwwrite::SaveFile(path, jwwrite::WriteDrawing(drawing)));
    m_dialog = Open(path);
    ASSERT_NE(m_dialog, nullptr);
    // The load starts from a posted message: the procedure is in place first.
    g_dialogProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(m_dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ClearCacheWhenLoaded)));
    ASSERT_TRUE(PumpUntil([&] { return Rendered(m_dialog) && Shown(); }, kPatience));

    HWND list = GetDlgItem(m_dialog, IDC_PREVIEW_INFO);
    const int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    ASSERT_GT(rows, 0);
    CStringW format;
    ASSERT_TRUE(format.LoadString(IDS_INFO_ENTITY_COUNT));
    CStringW expected;
    expected.Format(format, L"1,200");
    expected.TrimLeft(L"\r\n");
    wchar_t text[512] = {};
    LVITEMW item = {};
    item.pszText = text;
    item.cchTextMax = 512;
    SendMessageW(list, LVM_GETITEMTEXTW, rows - 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, expected.GetString());
    DestroyWindow(m_dialog);
    m_dialog = nullptr;
}
}  // namespace
