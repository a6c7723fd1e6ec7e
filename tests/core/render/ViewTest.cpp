// The view set-ups of the readers and the preview's zoom.
#include <gtest/gtest.h>
#include <cmath>
#include "records/DrawData.h"
#include "RenderTestReader.h"

namespace {
// A reader whose view is CenterView, whose offsets follow the origin one for
// one.
class CentredReader : public RenderTestReader {
public:
    void SetupView() override { CenterView(); }
};

void AddPoint(RenderTestReader& reader, double x, double y)
{
    B_FigPoint* point = new B_FigPoint;
    point->position = Point2D(x, y);
    reader.Add(point);
}

bool Finite(const CDrawBase& view)
{
    return std::isfinite(view.m_scale) && std::isfinite(view.m_devOffsetX) && std::isfinite(view.m_devOffsetY) &&
           std::isfinite(view.m_worldRefX) && std::isfinite(view.m_worldRefY);
}
}

TEST(DrawView, AnEmptyDrawingGetsTheIdentityMapping)
{
    RenderTestReader reader;
    EXPECT_EQ(reader.FitExtent(0, 0), 256 - 12);
    EXPECT_EQ(reader.m_scale, 1.0);
    EXPECT_EQ(reader.m_devOffsetX, 0.0);
    EXPECT_EQ(reader.m_devOffsetY, 0.0);
    reader.m_scale = 3.0;
    reader.CenterView();
    EXPECT_EQ(reader.m_scale, 1.0);
    EXPECT_EQ(reader.m_worldRefX, 0.0);
    DrawData request;
    request.viewWidth = 300;
    request.viewHeight = 200;
    reader.FitPreview(request, 100.0, 420.0, 297.0);
    EXPECT_TRUE(Finite(reader));
    // The world origin sits in the middle of the 320-pixel preview bitmap.
    EXPECT_EQ(request.originX, -160);
    EXPECT_EQ(request.originY, 160 - request.scale);
}

TEST(DrawView, ASinglePointDividesByOne)
{
    RenderTestReader reader;
    AddPoint(reader, 5, 7);
    reader.FitExtent(0, 0);
    EXPECT_TRUE(Finite(reader));
    EXPECT_EQ(reader.m_scale, 256 - 12);
    CentredReader centred;
    AddPoint(centred, 5, 7);
    centred.CenterView();
    EXPECT_TRUE(Finite(centred));
    EXPECT_EQ(centred.m_worldRefX, 5.0);
    DrawData request;
    request.viewWidth = 200;
    request.viewHeight = 100;
    centred.FitPreview(request, 1.0, 1.0, 1.0);
    EXPECT_TRUE(Finite(centred));
}

TEST(DrawView, ADrawingWiderThanItsPaperIsFramedOnThePaper)
{
    RenderTestReader reader;
    AddPoint(reader, 0, 0);
    AddPoint(reader, 1000, 100);
    reader.FitExtent(400, 300);
    EXPECT_DOUBLE_EQ(reader.m_scale, 244.0 / 400.0);
    // The paper's box is centred on the world origin: x = -200 sits at the
    // left margin.
    reader.MapPoint(-200, 0);
    EXPECT_DOUBLE_EQ(reader.m_devX, 6.0);
}

TEST(DrawView, PreviewBitmapSides)
{
    struct Case {
        int viewWidth, viewHeight, side;
    };
    for (Case c : {Case{300, 200, 320}, Case{200, 100, 256}, Case{256, 10, 256}, Case{257, 10, 288}}) {
        CentredReader reader;
        AddPoint(reader, 0, 0);
        AddPoint(reader, 100, 50);
        DrawData request;
        request.viewWidth = c.viewWidth;
        request.viewHeight = c.viewHeight;
        reader.FitPreview(request, 1.0, 100.0, 50.0);
        EXPECT_EQ(request.scale, reader.m_zoom);
        reader.MapPoint(50, 25);
        EXPECT_EQ(request.originX, static_cast<int>(reader.m_devX - c.side / 2)) << c.viewWidth;
        EXPECT_EQ(request.originY, -static_cast<int>(reader.m_devY - c.side / 2)) << c.viewWidth;
    }
}

TEST(DrawView, ZoomAtKeepsOrCentresThePoint)
{
    CentredReader reader;
    AddPoint(reader, 0, 0);
    AddPoint(reader, 100, 100);
    reader.m_width = reader.m_height = 256;
    reader.m_zoom = 256;
    reader.SetupView();
    SIZE view = {200, 100};
    POINT point = {150, 30};
    POINT shift = {99, 99};
    reader.ZoomAt(256, view, point, shift, false);
    EXPECT_EQ(shift.x, 0);
    EXPECT_EQ(shift.y, 0);
    reader.ZoomAt(256, view, point, shift, true);
    EXPECT_EQ(shift.x, point.x - view.cx / 2);
    EXPECT_EQ(shift.y, -(point.y - view.cy / 2));
    EXPECT_EQ(reader.m_zoom, 256) << "the zoom is the caller's to change";
}
