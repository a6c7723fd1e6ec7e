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
}  // namespace
