#pragma once
#include <gtest/gtest.h>
#include <cfloat>
#include <utility>
#include <vector>
#include "D2DTestDrawing.h"
#include "PixelCanvas.h"
#include "records/DrawData.h"
#include "render/d2d/D2DrawCore.h"

// The whole plane as the visible world rectangle.
inline constexpr double kEverywhere[4] = {-DBL_MAX, -DBL_MAX, DBL_MAX, DBL_MAX};

// A Direct2D core on the test's thread, a drawing, a canvas to draw it into
// and a window that collects the progress messages.
class D2DrawFixture : public testing::Test {
protected:
    void SetUp() override
    {
        m_window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        ASSERT_TRUE(m_core.Init());
    }
    void TearDown() override
    {
        Progress();
        DestroyWindow(m_window);
    }

    // Draws drawing into canvas on the screen path.
    bool Draw(D2DTestDrawing& drawing, PixelCanvas& canvas, const double* worldRect = kEverywhere)
    {
        drawing.m_pDC = canvas.Dc();
        drawing.m_progressWnd = m_window;
        return m_core.Draw(m_window, &drawing, worldRect, nullptr);
    }

    // Draws drawing into canvas with the GDI pass instead, to hold the two
    // renderers to the same picture.
    bool DrawWithGdi(D2DTestDrawing& drawing, PixelCanvas& canvas, const double* worldRect = kEverywhere)
    {
        drawing.m_pDC = canvas.Dc();
        return drawing.DrawGdi(worldRect);
    }

    // The progress messages posted since the last call, as (wParam, lParam).
    std::vector<std::pair<WPARAM, LPARAM>> Progress()
    {
        std::vector<std::pair<WPARAM, LPARAM>> posted;
        MSG message;
        while (PeekMessageW(&message, m_window, WM_DRAWPROGRESS, WM_DRAWPROGRESS, PM_REMOVE))
            posted.emplace_back(message.wParam, message.lParam);
        return posted;
    }

    CD2DrawCore m_core;
    HWND m_window = nullptr;
};
