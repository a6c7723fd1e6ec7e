#include "geometry/CurvePolygonizer.h"

#include "figures/B_FigArc.h"
#include "figures/B_FigCircle.h"
#include "figures/B_FigEllipse.h"
#include "figures/B_FigEllipseArc.h"
#include "figures/B_FigLine.h"
#include "geometry/AngleFunctions.h"
#include "geometry/TrigTables.h"

#include "GeometryTestSupport.h"

#include <cstring>
#include <limits>
#include <vector>

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

B_FigEllipseArc EllipseArc(Point2D centre, double rx, double ry, double tilt, double fromDegrees, double toDegrees)
{
    B_FigEllipseArc arc;
    arc.arc.centre = centre;
    arc.arc.rx = rx;
    arc.arc.ry = ry;
    arc.arc.angle = tilt;
    for (auto [degrees, end] : {std::pair{fromDegrees, &arc.arc.start}, std::pair{toDegrees, &arc.arc.end}}) {
        const double x = rx * CosDeg(degrees), y = ry * SinDeg(degrees);
        *end = Point2D(centre.x + x * CosDeg(tilt) - y * SinDeg(tilt), centre.y + x * SinDeg(tilt) + y * CosDeg(tilt));
    }
    return arc;
}

bool SameBits(const Bounds2D& a, const Bounds2D& b)
{
    return std::memcmp(&a, &b, sizeof(Bounds2D)) == 0;
}

// The box must be the one that flattening into a buffer of the same capacity
// and growing by every point gives, to the bit (signed zeros and NaN points
// included), and so must the answer.
TEST(CurvePointBoundsTest, SameBoxAndAnswerAsFlatteningIntoABuffer)
{
    const B_FigCircle circle = Circle(Point2D(5.0, -3.0), 100.0);
    const B_FigCircle smallest = Circle(Point2D(0.25, 0.5), 2.0);   // 4 segments
    const B_FigCircle tiny = Circle(Point2D(), 1.5);
    const B_FigCircle wide = Circle(Point2D(-7.0, 3.0), 1226.0);   // 121 points
    const B_FigCircle offGrid = Circle(Point2D(1.0, 2.0), 1e8);   // 31416 segments: past the grid
    const B_FigCircle nanRadius = Circle(Point2D(), kNaN);
    const B_FigCircle infRadius = Circle(Point2D(), kInf);
    const B_FigCircle nanCentre = Circle(Point2D(kNaN, 1.0), 100.0);
    const B_FigArc arc = Arc(100.0, 10.0, 100.0);
    const B_FigArc acrossZero = Arc(100.0, 350.0, 10.0);
    const B_FigArc nearlyFull = Arc(300.0, 1.0, 0.5);
    const B_FigArc fullTurn = Arc(300.0, 0.0, 360.0);   // start and end meet on the grid: a run of one point
    const B_FigArc offGridEnds = Arc(300.0, 0.3, 0.7);   // two points, both the arc's ends
    B_FigArc signedZero = Arc(100.0, 180.0, 270.0);
    signedZero.arc.end = Point2D(-0.0, -100.0);
    B_FigArc nanEnd = Arc(100.0, 10.0, 100.0);
    nanEnd.arc.end = Point2D(kNaN, kNaN);
    B_FigEllipse ellipse;
    ellipse.ellipse = EllipseGeom{Point2D(10.0, 20.0), 200.0, 50.0, 30.0};
    B_FigEllipse oddTilt;
    oddTilt.ellipse = EllipseGeom{Point2D(-1e5, 3e4), 700.0, 0.0, 17.3};
    const B_FigEllipseArc ellipseArc = EllipseArc(Point2D(3.0, 4.0), 200.0, 50.0, 90.0, 0.0, 90.0);
    const B_FigEllipseArc turnedArc = EllipseArc(Point2D(-3.0, 8.0), 400.0, 120.0, 37.5, 300.0, 20.0);
    const B_FigLine line;

    struct Case {
        const char* name;
        const B_Base* figure;
        double factor;
        std::uint32_t capacity;
        int expected;
    };
    constexpr std::uint32_t standard = CurvePointBuffer::kStandardCapacity;
    const std::vector<Case> cases = {
        {"circle", &circle, 1.0, standard, 0},
        {"circle, scaled", &circle, 2.5, standard, 0},
        {"circle, no scale", &circle, 0.0, standard, -1},
        {"smallest circle", &smallest, 1.0, standard, 0},
        {"tiny circle", &tiny, 1.0, standard, -1},
        {"wide circle", &wide, 1.0, standard, -1},
        {"wide circle, room for it", &wide, 1.0, CurvePointBuffer::CapacityFor(121), 0},
        {"wide circle, one byte short", &wide, 1.0, CurvePointBuffer::CapacityFor(121) - 1, -1},
        {"circle, buffer below its header", &circle, 1.0, 8, -1},
        {"circle past the grid", &offGrid, 1.0, CurvePointBuffer::CapacityFor(40000), 0},
        {"NaN radius", &nanRadius, 1.0, standard, -1},
        {"infinite radius", &infRadius, 1.0, standard, -1},
        {"NaN centre", &nanCentre, 1.0, standard, 0},
        {"arc", &arc, 1.0, standard, 0},
        {"arc across zero", &acrossZero, 1.0, standard, 0},
        {"arc of nearly a full turn", &nearlyFull, 1.0, standard, 0},
        {"arc of a full turn", &fullTurn, 1.0, standard, 0},
        {"arc within one grid step", &offGridEnds, 1.0, standard, 0},
        {"arc ending on -0", &signedZero, 1.0, standard, 0},
        {"arc with a NaN end", &nanEnd, 1.0, standard, 0},
        {"ellipse", &ellipse, 1.0, standard, 0},
        {"flat ellipse at an odd tilt", &oddTilt, 1.0, standard, 0},
        {"elliptic arc", &ellipseArc, 1.0, standard, 0},
        {"turned elliptic arc across zero", &turnedArc, 0.5, standard, 0},
        {"line", &line, 1.0, standard, -1},
        {"no figure", nullptr, 1.0, standard, -1},
    };
    Bounds2D aroundOrigin;
    aroundOrigin.minX = aroundOrigin.minY = 0.0;
    aroundOrigin.maxX = aroundOrigin.maxY = -0.0;
    for (const Case& c : cases) {
        for (const Bounds2D& start : {Bounds2D(), aroundOrigin}) {
            CurvePointBuffer buffer(c.capacity);
            Bounds2D expected = start;
            const int flattened = PolygonizeCurve(c.figure, buffer, c.factor);
            if (flattened == 0) {
                for (const Point2D& p : buffer.Points()) ExtendBounds(expected, p);
            }
            Bounds2D box = start;
            EXPECT_EQ(c.expected, flattened) << c.name;
            EXPECT_EQ(flattened, CurvePointBounds(c.figure, c.factor, c.capacity, box)) << c.name;
            EXPECT_TRUE(SameBits(expected, box)) << c.name << ": " << box << ", flattened " << expected;
        }
    }
    // The table holds a run of one point and a turn off the grid.
    CurvePointBuffer buffer;
    ASSERT_EQ(0, PolygonizeCurve(&fullTurn, buffer, 1.0));
    EXPECT_EQ(1u, buffer.Points().size());
    CurvePointBuffer large(CurvePointBuffer::CapacityFor(40000));
    ASSERT_EQ(0, PolygonizeCurve(&offGrid, large, 1.0));
    EXPECT_GT(large.Run().segments, 23040u);
}

} // namespace
