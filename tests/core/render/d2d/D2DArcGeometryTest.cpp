#include <gtest/gtest.h>
#include <cmath>
#include "GeometryRecorder.h"
#include "render/d2d/D2DArcGeometry.h"

namespace {
const D2D1_RECT_F kCircle = {30.0f, 30.0f, 70.0f, 70.0f};  // centre (50, 50), radius 20

// The point of kCircle at a screen angle (clockwise from +x, y down).
D2D1_POINT_2F OnCircle(double degrees)
{
    double r = degrees * 3.14159265358979323846 / 180.0;
    return D2D1_POINT_2F{static_cast<float>(50.0 + 20.0 * std::cos(r)), static_cast<float>(50.0 + 20.0 * std::sin(r))};
}
}

TEST(D2DArcGeometry, PointAnglesRunClockwiseOnTheScreenFromPlusX)
{
    EXPECT_DOUBLE_EQ(ArcPointAngle(kCircle, D2D1_POINT_2F{70.0f, 50.0f}), 0.0);
    EXPECT_DOUBLE_EQ(ArcPointAngle(kCircle, D2D1_POINT_2F{50.0f, 70.0f}), 90.0);
    EXPECT_DOUBLE_EQ(ArcPointAngle(kCircle, D2D1_POINT_2F{30.0f, 50.0f}), 180.0);
    EXPECT_DOUBLE_EQ(ArcPointAngle(kCircle, D2D1_POINT_2F{50.0f, 30.0f}), 270.0);
}

// The large-arc flag is set only for sweeps beyond a half turn.
TEST(D2DArcGeometry, SweepAndArcSize)
{
    struct Case {
        double from, to, sweep;
        D2D1_ARC_SIZE size;
    } cases[] = {
        {270, 0, 90, D2D1_ARC_SIZE_SMALL},    {0, 270, 270, D2D1_ARC_SIZE_LARGE},
        {0, 180, 180, D2D1_ARC_SIZE_SMALL},   {180, 0, 180, D2D1_ARC_SIZE_SMALL},
        {10, 191, 181, D2D1_ARC_SIZE_LARGE},  {350, 10, 20, D2D1_ARC_SIZE_SMALL},
        {45, 44, 359, D2D1_ARC_SIZE_LARGE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " -> " << c.to);
        double sweep = ArcSweep(kCircle, OnCircle(c.from), OnCircle(c.to));
        EXPECT_NEAR(sweep, c.sweep, 1e-3);
        EXPECT_EQ(ArcSegmentTo(kCircle, OnCircle(c.to), sweep, D2D1_SWEEP_DIRECTION_CLOCKWISE).arcSize, c.size);
    }
}

// An arc stored from (r, 0) to (0, r) about the centre reaches the renderer
// as p = its end (the top of the circle) and q = its start (the right): the
// quarter runs clockwise on the screen from the top to the right, which is
// the drawing's counter-clockwise quarter between them.
TEST(D2DArcGeometry, ArcOutlineRunsClockwiseFromPToQ)
{
    GeometryRecorder sink;
    AddArcOutline(&sink, kCircle, D2D1_POINT_2F{50.0f, 30.0f}, D2D1_POINT_2F{70.0f, 50.0f});
    EXPECT_EQ(sink.steps, (std::vector<std::string>{"begin 50,30", "arc 70,50 r=20,20 cw small", "end open"}));
    EXPECT_FLOAT_EQ(sink.arcs[0].rotationAngle, 0.0f);
}

TEST(D2DArcGeometry, SegmentIsClosedByItsChordAndSectorByTheCentre)
{
    D2D1_POINT_2F p = {70.0f, 50.0f}, q = {50.0f, 30.0f};
    GeometryRecorder segment, sector;
    AddArcSegment(&segment, kCircle, p, q);
    AddArcSector(&sector, kCircle, p, q);
    EXPECT_EQ(segment.steps,
              (std::vector<std::string>{"fill winding", "begin 70,50", "arc 50,30 r=20,20 cw large", "end closed"}));
    EXPECT_EQ(sector.steps, (std::vector<std::string>{"fill winding", "begin 50,50", "line 70,50",
                                                      "arc 50,30 r=20,20 cw large", "end closed"}));
}

// The band: inner end of p, out to p, round the outside to q, in to the
// inner end of q and back round the inside the other way.
TEST(D2DArcGeometry, RingSectorPoints)
{
    GeometryRecorder sink;
    D2D1_RECT_F inner = {40.0f, 40.0f, 60.0f, 60.0f};
    AddRingSector(&sink, kCircle, inner, D2D1_POINT_2F{50.0f, 30.0f}, D2D1_POINT_2F{70.0f, 50.0f});
    EXPECT_EQ(sink.steps, (std::vector<std::string>{"fill winding", "begin 50,40", "line 50,30",
                                                    "arc 70,50 r=20,20 cw small", "line 60,50",
                                                    "arc 50,40 r=10,10 ccw small", "end closed"}));
}

// An elliptical band scales each axis by its own ratio, and a sweep beyond
// a half turn makes both arcs large.
TEST(D2DArcGeometry, EllipticalRingSectorScalesEachAxis)
{
    GeometryRecorder sink;
    D2D1_RECT_F outer = {0.0f, 0.0f, 80.0f, 40.0f};   // centre (40, 20), half sizes 40 x 20
    D2D1_RECT_F inner = {20.0f, 15.0f, 60.0f, 25.0f};  // half sizes 20 x 5
    AddRingSector(&sink, outer, inner, D2D1_POINT_2F{80.0f, 20.0f}, D2D1_POINT_2F{40.0f, 0.0f});
    EXPECT_EQ(sink.steps, (std::vector<std::string>{"fill winding", "begin 60,20", "line 80,20",
                                                    "arc 40,0 r=40,20 cw large", "line 40,15",
                                                    "arc 60,20 r=20,5 ccw large", "end closed"}));
}
