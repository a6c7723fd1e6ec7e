#pragma once
#include <afxwin.h>
#include <gtest/gtest.h>
#include <memory>
#include "figures/FigFlags.h"
#include "records/DrawData.h"
#include "render/gdi/DibCanvas.h"
#include "DibPixels.h"
#include "RenderTestReader.h"

// Draws a RenderTestReader whole into a square canvas and reads it back.
// In the fixed view a device point (x, y) is the world point At(x, y).
class RenderFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        AfxLockTempMaps();
        m_reader.m_backColor = kWhite;
    }
    void TearDown() override
    {
        m_canvas.reset();
        AfxUnlockTempMaps();
    }

    DrawData Request(uint32_t extraFlags = 0) const
    {
        DrawData request;
        request.width = request.height = request.scale = m_side;
        request.viewWidth = request.viewHeight = m_side;
        request.flags |= extraFlags;
        for (int layer = 0; layer < 256; ++layer)
            request.SetLayer(layer);
        return request;
    }
    DibPixels Render(DrawData request)
    {
        m_canvas.reset(new CDibCanvas);
        CDC* dc = m_canvas->Create(request.width, request.height);
        EXPECT_NE(dc, nullptr);
        EXPECT_TRUE(m_reader.Draw(&request, dc, nullptr));
        return DibPixels(m_canvas->m_bitmap);
    }
    DibPixels Render(uint32_t extraFlags = 0) { return Render(Request(extraFlags)); }

    Point2D At(double x, double y) const { return Point2D(x, m_side - y); }

    template <class Fig>
    Fig* Add(Fig* fig, COLORREF colour = RGB(0, 0, 0), uint16_t lineType = 1)
    {
        fig->colour = colour;
        fig->lineType = lineType;
        return m_reader.Add(fig);
    }
    B_FigLine* AddLine(Point2D a, Point2D b, uint16_t lineType = 1, COLORREF colour = RGB(0, 0, 0))
    {
        B_FigLine* line = new B_FigLine;
        line->line.first = a;
        line->line.second = b;
        return Add(line, colour, lineType);
    }

    static constexpr COLORREF kWhite = RGB(255, 255, 255);
    int m_side = 64;
    RenderTestReader m_reader;
    std::unique_ptr<CDibCanvas> m_canvas;
};
