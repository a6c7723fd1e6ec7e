// The DIB canvas that thumbnails and the preview draw into.
#include <afxwin.h>
#include <gtest/gtest.h>
#include "render/gdi/DibCanvas.h"
#include "DibPixels.h"

TEST(DibCanvas, MakesAWhite24BitCanvas)
{
    AfxLockTempMaps();
    CDibCanvas canvas;
    CDC* dc = canvas.Create(16, 8);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(dc->m_hDC, canvas.m_memoryDC);
    DibPixels pixels(canvas.m_bitmap);
    ASSERT_TRUE(pixels.Valid());
    EXPECT_EQ(pixels.Width(), 16);
    EXPECT_EQ(pixels.Height(), 8);
    EXPECT_EQ(pixels.CountNot(RGB(255, 255, 255)), 0);
    dc->SetPixelV(3, 1, RGB(1, 2, 3));
    EXPECT_EQ(DibPixels(canvas.m_bitmap).At(3, 1), RGB(1, 2, 3)) << "top-down coordinates, bottom-up rows";
    AfxUnlockTempMaps();
}

TEST(DibCanvas, AHandedOutBitmapOutlivesTheCanvas)
{
    HBITMAP bitmap = nullptr;
    {
        CDibCanvas canvas;
        ASSERT_NE(canvas.Create(4, 4), nullptr);
        bitmap = canvas.TakeBitmap();
        EXPECT_EQ(canvas.m_bitmap, nullptr);
        EXPECT_EQ(canvas.TakeBitmap(), nullptr);
    }
    ASSERT_NE(bitmap, nullptr);
    EXPECT_TRUE(DibPixels(bitmap).Valid());
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_NE(SelectObject(dc, bitmap), nullptr) << "no longer selected anywhere";
    DeleteDC(dc);
    DeleteObject(bitmap);
}

TEST(DibCanvas, ImpossibleSizesFailWithoutLeaking)
{
    DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 0; i < 50; ++i) {
        CDibCanvas canvas;
        EXPECT_EQ(canvas.Create(-5, -5), nullptr);
        CDibCanvas zero;
        EXPECT_EQ(zero.Create(0, 10), nullptr);
    }
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), before + 2);
}
