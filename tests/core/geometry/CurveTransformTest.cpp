#include "geometry/CurveTransform.h"

#include "geometry/AngleFunctions.h"
#include "geometry/TransformSaver.h"

#include "GeometryTestSupport.h"

#include <vector>

namespace {

EllipseGeom Ellipse(Point2D centre, double rx, double ry, double angle)
{
    EllipseGeom e;
    e.centre = centre;
    e.rx = rx;
    e.ry = ry;
    e.angle = angle;
    return e;
}

struct ScaleCase {
    const char* name;
    EllipseGeom src;
    double sx;
    double sy;
    double rx;
    double ry;
    double angle;
};

class ScaleEllipseTest : public testing::TestWithParam<ScaleCase> {};

TEST_P(ScaleEllipseTest, GivesScaledAxes)
{
    const ScaleCase& c = GetParam();
    EllipseGeom dst;
    ASSERT_EQ(0, ScaleEllipse(c.src, dst, c.sx, c.sy)) << c.name;
    EXPECT_NEAR(c.rx, dst.rx, 1e-12) << c.name;
    EXPECT_NEAR(c.ry, dst.ry, 1e-12) << c.name;
    EXPECT_NEAR(c.angle, dst.angle, 1e-9) << c.name;
    EXPECT_TRUE(PointNear(dst.centre, Point2D(c.src.centre.x * c.sx, c.src.centre.y * c.sy)));
}

INSTANTIATE_TEST_SUITE_P(Cases, ScaleEllipseTest, testing::Values(
    ScaleCase{"circle by 2,1", Ellipse(Point2D(), 1.0, 1.0, 0.0), 2.0, 1.0, 2.0, 1.0, 0.0},
    ScaleCase{"wide ellipse made tall", Ellipse(Point2D(1.0, 1.0), 2.0, 1.0, 0.0), 1.0, 3.0, 3.0, 2.0, 90.0},
    ScaleCase{"tall ellipse made wide", Ellipse(Point2D(), 2.0, 1.0, 90.0), 3.0, 1.0, 3.0, 2.0, 0.0},
    ScaleCase{"unit factors copy", Ellipse(Point2D(4.0, 5.0), 2.0, 1.0, 33.0), 1.0, 1.0, 2.0, 1.0, 33.0}));

TEST(ScaleEllipseTest, NearZeroFactorRefusedAndDstUntouched)
{
    const EllipseGeom circle = Ellipse(Point2D(), 1.0, 1.0, 0.0);
    for (auto factors : {std::pair<double, double>(1.0, 0.0000005), {0.0, 1.0}, {-0.0000009, 2.0}}) {
        EllipseGeom dst = Ellipse(Point2D(9.0, 9.0), 9.0, 9.0, 9.0);
        EXPECT_EQ(-1, ScaleEllipse(circle, dst, factors.first, factors.second));
        EXPECT_EQ(9.0, dst.rx);
        EXPECT_TRUE(SamePoint(Point2D(9.0, 9.0), dst.centre));
    }
}

TEST(RotateEllipseTest, TurnsCentreAboutOriginAndKeepsAngleInTurn)
{
    EllipseGeom e = Ellipse(Point2D(1.0, 0.0), 3.0, 2.0, 300.0);
    RotateEllipse(e, e, 90.0);
    EXPECT_TRUE(SamePoint(Point2D(0.0, 1.0), e.centre)) << e.centre;
    EXPECT_EQ(30.0, e.angle);
    EXPECT_EQ(3.0, e.rx);
    EXPECT_EQ(2.0, e.ry);
}

Transform2D Placement(double angleBefore, double sx, double sy, double angleAfter, Point2D shift)
{
    TransformSaver saver;
    ResetTransform();
    RotateTransform(angleBefore, nullptr);
    ScaleTransform(nullptr, sx, sy);
    RotateTransform(angleAfter, nullptr);
    TranslateTransform(shift.x, shift.y);
    return GlobalTransform();
}

Point2D PointOn(const EllipseGeom& e, double t)
{
    const double c = CosDeg(e.angle), s = SinDeg(e.angle);
    const double u = e.rx * CosDeg(t), v = e.ry * SinDeg(t);
    return Point2D(e.centre.x + u * c - v * s, e.centre.y + u * s + v * c);
}

// (x/rx)^2 + (y/ry)^2 in the ellipse's own frame: 1 on the curve.
double EllipseLevel(const EllipseGeom& e, const Point2D& p)
{
    const double dx = p.x - e.centre.x, dy = p.y - e.centre.y;
    const double c = CosDeg(e.angle), s = SinDeg(e.angle);
    const double u = dx * c + dy * s, v = -dx * s + dy * c;
    return (u / e.rx) * (u / e.rx) + (v / e.ry) * (v / e.ry);
}

// The mapped ellipse passes through the mapped points of the source.
TEST(TransformEllipseTest, ResultHoldsEveryMappedPoint)
{
    const EllipseGeom src = Ellipse(Point2D(1.0, 2.0), 3.0, 1.0, 20.0);
    const std::vector<Transform2D> maps = {
        Placement(30.0, 2.0, 1.0, 0.0, Point2D(5.0, -1.0)),
        Placement(0.0, 2.0, 1.0, 30.0, Point2D()),
        Placement(10.0, 1.0, -1.0, 40.0, Point2D(2.0, 2.0)),
        Placement(-25.0, 0.5, 3.0, 65.0, Point2D(-3.0, 0.0)),
    };
    for (const Transform2D& m : maps) {
        EllipseGeom dst;
        ASSERT_EQ(0, TransformEllipse(src, dst, m));
        EXPECT_TRUE(PointNear(dst.centre, m.Apply(src.centre)));
        for (double t = 0.0; t < 360.0; t += 22.5) {
            EXPECT_NEAR(1.0, EllipseLevel(dst, m.Apply(PointOn(src, t))), 1e-9) << "t = " << t;
        }
    }
}

TEST(CurvePointTest, CircleAndEllipsePointsAtAnAngle)
{
    EXPECT_TRUE(PointNear(CirclePointDeg(Point2D(1.0, 2.0), 3.0, 90.0), Point2D(1.0, 5.0)));
    EXPECT_TRUE(PointNear(CirclePointDeg(Point2D(1.0, 2.0), 3.0, 180.0), Point2D(-2.0, 2.0)));
    const EllipseGeom e = Ellipse(Point2D(1.0, 2.0), 3.0, 1.0, 20.0);
    for (double t = 0.0; t < 360.0; t += 22.5) {
        EXPECT_TRUE(PointNear(EllipsePointDeg(e, t, e.angle), PointOn(e, t))) << "t = " << t;
        // A tilt a turn beyond the ellipse's own gives the same point.
        EXPECT_TRUE(PointNear(EllipsePointDeg(e, t, e.angle + 360.0), PointOn(e, t))) << "t = " << t;
    }
}

TEST(TransformArcTest, MirrorSwapsStartAndEnd)
{
    CircleArcGeom quarter;
    quarter.radius = 1.0;
    quarter.start = Point2D(1.0, 0.0);
    quarter.end = Point2D(0.0, 1.0);
    Transform2D mirror = Placement(0.0, 1.0, -1.0, 0.0, Point2D());
    EllipseArcGeom dst;
    ASSERT_EQ(0, TransformArc(quarter, dst, mirror));
    EXPECT_TRUE(SamePoint(Point2D(0.0, -1.0), dst.start)) << dst.start;
    EXPECT_TRUE(SamePoint(Point2D(1.0, 0.0), dst.end)) << dst.end;
    EXPECT_EQ(1.0, dst.rx);
    EXPECT_EQ(1.0, dst.ry);
}

TEST(TransformArcTest, ScaleKeepsOrderAndStretchesRadii)
{
    CircleArcGeom arc;
    arc.centre = Point2D(1.0, 1.0);
    arc.radius = 2.0;
    arc.start = Point2D(3.0, 1.0);
    arc.end = Point2D(1.0, 3.0);
    EllipseArcGeom dst;
    ASSERT_EQ(0, TransformArc(arc, dst, Placement(0.0, 2.0, 1.0, 0.0, Point2D())));
    EXPECT_TRUE(SamePoint(Point2D(2.0, 1.0), dst.centre));
    EXPECT_TRUE(SamePoint(Point2D(6.0, 1.0), dst.start));
    EXPECT_TRUE(SamePoint(Point2D(2.0, 3.0), dst.end));
    EXPECT_EQ(4.0, dst.rx);
    EXPECT_EQ(2.0, dst.ry);
}

TEST(TransformArcTest, SingularMapLeavesDstUntouched)
{
    const Transform2D flat = Placement(0.0, 0.0, 1.0, 0.0, Point2D());
    CircleArcGeom arc;
    arc.radius = 1.0;
    EllipseArcGeom dst;
    dst.rx = 7.0;
    EXPECT_EQ(-1, TransformArc(arc, dst, flat));
    EXPECT_EQ(-1, TransformEllipseArc(dst, dst, flat));
    EXPECT_EQ(7.0, dst.rx);
}

TEST(TransformEllipseArcTest, MirrorSwapsEnds)
{
    EllipseArcGeom arc;
    arc.rx = 2.0;
    arc.ry = 1.0;
    arc.start = Point2D(2.0, 0.0);
    arc.end = Point2D(0.0, 1.0);
    ASSERT_EQ(0, TransformEllipseArc(arc, arc, Placement(0.0, 1.0, -1.0, 0.0, Point2D())));
    EXPECT_TRUE(SamePoint(Point2D(0.0, -1.0), arc.start)) << arc.start;
    EXPECT_TRUE(SamePoint(Point2D(2.0, 0.0), arc.end)) << arc.end;
}

struct TangentCase {
    EllipseGeom circle;
    Point2D p;
    Point2D second;
};

class TangentSegmentTest : public testing::TestWithParam<TangentCase> {};

TEST_P(TangentSegmentTest, RunsCounterClockwiseFiftyUnits)
{
    const TangentCase& c = GetParam();
    Segment2D out;
    ASSERT_EQ(0, TangentSegment(c.circle, c.p, out));
    EXPECT_TRUE(SamePoint(c.p, out.first));
    EXPECT_TRUE(PointNear(out.second, c.second, 1e-12));
}

INSTANTIATE_TEST_SUITE_P(Cases, TangentSegmentTest, testing::Values(
    TangentCase{Ellipse(Point2D(), 1.0, 1.0, 0.0), Point2D(1.0, 0.0), Point2D(1.0, 50.0)},
    TangentCase{Ellipse(Point2D(), 1.0, 1.0, 0.0), Point2D(-1.0, 0.0), Point2D(-1.0, -50.0)},
    TangentCase{Ellipse(Point2D(), 1.0, 1.0, 0.0), Point2D(0.0, 1.0), Point2D(-50.0, 1.0)},
    TangentCase{Ellipse(Point2D(), 1.0, 1.0, 0.0), Point2D(0.0, -1.0), Point2D(50.0, -1.0)},
    TangentCase{Ellipse(Point2D(5.0, 5.0), 2.0, 2.0, 90.0), Point2D(7.0, 5.0), Point2D(7.0, 55.0)},
    TangentCase{Ellipse(Point2D(), 2.0, 2.0, 0.0), Point2D(std::sqrt(2.0), std::sqrt(2.0)),
                Point2D(std::sqrt(2.0) - 50.0 / std::sqrt(2.0), std::sqrt(2.0) + 50.0 / std::sqrt(2.0))}));

} // namespace
