#include "geometry/CurvePolygonizer.h"

#include "figures/B_FigArc.h"
#include "figures/B_FigCircle.h"
#include "figures/B_FigEllipse.h"
#include "figures/B_FigEllipseArc.h"
#include "figures/B_FigLine.h"
#include "geometry/AngleFunctions.h"
#include "geometry/TrigTables.h"

#include "GeometryTestSupport.h"

#include <limits>

namespace {


struct CountCase {
    double radius;
    double tolerance;
    double factor;
    int expected;
};

class CurveSegmentCountTest : public testing::TestWithParam<CountCase> {};

TEST_P(CurveSegmentCountTest, DivisorOfTheGridOrMinusOne)
{
    const CountCase& c = GetParam();
    EXPECT_EQ(c.expected, CurveSegmentCount(c.radius, c.tolerance, c.factor))
        << c.radius << " " << c.tolerance << " " << c.factor;
}

INSTANTIATE_TEST_SUITE_P(Cases, CurveSegmentCountTest, testing::Values(
    CountCase{100.0, 2.0, 1.0, 32},       // c = 0.98, 31 chords
    CountCase{50.0, 2.0, 2.0, 32},        // the factor scales the radius
    CountCase{820.0, 2.0, 1.0, 96},
    CountCase{1226.0, 2.0, 1.0, 120},
    CountCase{2.0, 2.0, 1.0, 4},
    CountCase{1.5, 2.0, 1.0, -1},         // radius below the tolerance
    CountCase{-100.0, 2.0, 1.0, -1},
    CountCase{100.0, 2.0, 0.0, -1},
    CountCase{100.0, 0.0, 1.0, -1},       // no chord is that close: infinitely many
    CountCase{100.0, -2.0, 1.0, -1},
    CountCase{1e300, 2.0, 1.0, -1},       // 1 - 2/r is 1: infinitely many
    CountCase{1e16, 2.0, 1.0, -1},        // finite, but more than any buffer holds
    CountCase{kInf, 2.0, 1.0, -1},
    CountCase{kNaN, 2.0, 1.0, -1},
    CountCase{100.0, kNaN, 1.0, -1},
    CountCase{100.0, 2.0, kNaN, -1}));

TEST(CurveSegmentCountTest, BeyondTheGridRoundsUpToFour)
{
    const int n = CurveSegmentCount(1e12, 2.0, 1.0);
    EXPECT_GT(n, 23040);
    EXPECT_EQ(0, n % 4);
}

B_FigCircle Circle(Point2D centre, double radius)
{
    B_FigCircle circle;
    circle.centre = centre;
    circle.radius = radius;
    return circle;
}

B_FigArc Arc(double radius, double fromDegrees, double toDegrees)
{
    B_FigArc arc;
    arc.arc.radius = radius;
    arc.arc.start = Point2D(radius * CosDeg(fromDegrees), radius * SinDeg(fromDegrees));
    arc.arc.end = Point2D(radius * CosDeg(toDegrees), radius * SinDeg(toDegrees));
    return arc;
}

TEST(PolygonizeCurveTest, FullCircleOf32SegmentsHasExactAxisPoints)
{
    const B_FigCircle circle = Circle(Point2D(5.0, -3.0), 100.0);
    CurvePointBuffer buffer;
    ASSERT_EQ(0, PolygonizeCurve(&circle, buffer, 1.0));
    const auto& p = buffer.Points();
    ASSERT_EQ(33u, p.size());
    EXPECT_EQ(1u, buffer.RunCount());
    EXPECT_EQ(32u, buffer.Run().segments);
    EXPECT_EQ(0u, buffer.Run().arc);
    EXPECT_EQ(0, buffer.Run().firstIndex);
    EXPECT_EQ(32, buffer.Run().lastIndex);
    EXPECT_EQ(1640u - 16u - 24u - 16u * 33u, buffer.FreeBytes());
    EXPECT_TRUE(SamePoint(Point2D(105.0, -3.0), p[0]));
    EXPECT_TRUE(SamePoint(p[0], p[32]));
    EXPECT_TRUE(SamePoint(Point2D(5.0, 97.0), p[8])) << p[8];
    EXPECT_TRUE(SamePoint(Point2D(-95.0, -3.0), p[16])) << p[16];
    EXPECT_TRUE(SamePoint(Point2D(5.0, -103.0), p[24])) << p[24];
    // Counter-clockwise and mirror-symmetric, point by point.
    EXPECT_GT(p[1].y, -3.0);
    for (int j = 1; j < 8; ++j) {
        EXPECT_NEAR(p[j].x - 5.0, 5.0 - p[16 - j].x, 1e-12);
        EXPECT_EQ(p[j].y, p[16 - j].y);
        EXPECT_NEAR(p[j].y + 3.0, -3.0 - p[32 - j].y, 1e-12);
    }
}

TEST(PolygonizeCurveTest, ArcIsWidenedToGridStepsWithExactEnds)
{
    const B_FigArc arc = Arc(100.0, 10.0, 100.0);
    CurvePointBuffer buffer;
    ASSERT_EQ(0, PolygonizeCurve(&arc, buffer, 1.0));
    EXPECT_EQ(1u, buffer.Run().arc);
    EXPECT_EQ(0, buffer.Run().firstIndex);
    EXPECT_EQ(9, buffer.Run().lastIndex);
    const auto& p = buffer.Points();
    ASSERT_EQ(10u, p.size());
    EXPECT_TRUE(SamePoint(arc.arc.start, p.front()));
    EXPECT_TRUE(SamePoint(arc.arc.end, p.back()));
    EXPECT_TRUE(SamePoint(Point2D(0.0, 100.0), p[8]));
}

TEST(PolygonizeCurveTest, ArcAcrossZeroWrapsTheGrid)
{
    const B_FigArc arc = Arc(100.0, 350.0, 10.0);
    CurvePointBuffer buffer;
    ASSERT_EQ(0, PolygonizeCurve(&arc, buffer, 1.0));
    EXPECT_EQ(31, buffer.Run().firstIndex);   // floor(32 x 350 / 360)
    EXPECT_EQ(33, buffer.Run().lastIndex);    // ceil(32 x 370 / 360)
    const auto& p = buffer.Points();
    ASSERT_EQ(3u, p.size());
    EXPECT_TRUE(SamePoint(Point2D(100.0, 0.0), p[1]));   // index 32 is index 0
}

struct CapacityCase {
    double radius;
    std::uint32_t capacity;
    int expected;
};

class PolygonizeCapacityTest : public testing::TestWithParam<CapacityCase> {};

TEST_P(PolygonizeCapacityTest, RunMustFitTheBytesLeft)
{
    const CapacityCase& c = GetParam();
    const B_FigCircle circle = Circle(Point2D(), c.radius);
    CurvePointBuffer buffer(c.capacity);
    EXPECT_EQ(c.expected, PolygonizeCurve(&circle, buffer, 1.0)) << c.radius << " in " << c.capacity;
    if (c.expected != 0) {
        EXPECT_EQ(0u, buffer.RunCount());
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, PolygonizeCapacityTest, testing::Values(
    CapacityCase{820.0, 1640, 0},     // 96 segments, 97 points
    CapacityCase{1226.0, 1640, -1},   // 120 segments: more than 100 points
    CapacityCase{100.0, 16 + 24 + 16 * 33, 0},
    CapacityCase{100.0, 16 + 24 + 16 * 33 - 1, -1},
    CapacityCase{100.0, 8, -1},       // smaller than the header
    CapacityCase{1e300, 1640, -1}));

TEST(PolygonizeCurveTest, FullEllipseLiesOnTheEllipse)
{
    B_FigEllipse ellipse;
    ellipse.ellipse.centre = Point2D(10.0, 20.0);
    ellipse.ellipse.rx = 200.0;
    ellipse.ellipse.ry = 50.0;
    ellipse.ellipse.angle = 30.0;
    CurvePointBuffer buffer;
    ASSERT_EQ(0, PolygonizeCurve(&ellipse, buffer, 1.0));
    const auto& p = buffer.Points();
    ASSERT_EQ(49u, p.size());   // 200 gives 48 segments
    const double c = CosDeg(30.0), s = SinDeg(30.0);
    for (const Point2D& q : p) {
        const double dx = q.x - 10.0, dy = q.y - 20.0;
        const double u = (dx * c + dy * s) / 200.0, v = (-dx * s + dy * c) / 50.0;
        EXPECT_NEAR(1.0, u * u + v * v, 1e-12);
    }
    EXPECT_TRUE(PointNear(p[0], Point2D(10.0 + 200.0 * c, 20.0 + 200.0 * s), 1e-12));
}

TEST(PolygonizeCurveTest, EllipseArcIsMeasuredInItsOwnFrame)
{
    B_FigEllipseArc arc;
    arc.arc.rx = 200.0;
    arc.arc.ry = 50.0;
    arc.arc.angle = 90.0;
    // Quarter from the end of the rx axis (up) to the end of the ry axis (left).
    arc.arc.start = Point2D(0.0, 200.0);
    arc.arc.end = Point2D(-50.0, 0.0);
    CurvePointBuffer buffer;
    ASSERT_EQ(0, PolygonizeCurve(&arc, buffer, 1.0));
    EXPECT_EQ(0, buffer.Run().firstIndex);
    EXPECT_EQ(12, buffer.Run().lastIndex);
    const auto& p = buffer.Points();
    ASSERT_EQ(13u, p.size());
    EXPECT_TRUE(SamePoint(arc.arc.start, p.front()));
    EXPECT_TRUE(SamePoint(arc.arc.end, p.back()));
    EXPECT_TRUE(PointNear(p[6], Point2D(-50.0 * std::sqrt(0.5), 200.0 * std::sqrt(0.5)), 1e-12));
}

TEST(PolygonizeCurveTest, OtherFiguresAreRefused)
{
    B_FigLine line;
    CurvePointBuffer buffer;
    EXPECT_EQ(-1, PolygonizeCurve(&line, buffer, 1.0));
    EXPECT_EQ(-1, PolygonizeCurve(nullptr, buffer, 1.0));
}

TEST(PolygonizeCurveTest, SamePointsWithoutTrigTables)
{
    const B_FigCircle circle = Circle(Point2D(1.0, 2.0), 820.0);
    CurvePointBuffer withTables;
    ASSERT_TRUE(InitTrigTables());
    ASSERT_EQ(0, PolygonizeCurve(&circle, withTables, 1.0));
    FreeTrigTables();
    CurvePointBuffer without;
    EXPECT_EQ(0, PolygonizeCurve(&circle, without, 1.0));
    ASSERT_TRUE(InitTrigTables());
    ASSERT_EQ(withTables.Points().size(), without.Points().size());
    for (std::size_t i = 0; i < without.Points().size(); ++i) {
        EXPECT_TRUE(SamePoint(withTables.Points()[i], without.Points()[i])) << i;
    }
}

} // namespace
