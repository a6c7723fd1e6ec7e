#include "geometry/VectorFunctions.h"

#include "GeometryTestSupport.h"

namespace {

struct NormalizeCase {
    Point2D input;
    Point2D expected;
};

class NormalizeVectorTest : public testing::TestWithParam<NormalizeCase> {};

TEST_P(NormalizeVectorTest, UnitLengthOrUnchanged)
{
    EXPECT_TRUE(PointNear(NormalizeVector(GetParam().input), GetParam().expected, 1e-15));
}

INSTANTIATE_TEST_SUITE_P(Cases, NormalizeVectorTest, testing::Values(
    NormalizeCase{Point2D(0.0, 0.0), Point2D(0.0, 0.0)},
    NormalizeCase{Point2D(0.000001, 0.0), Point2D(0.000001, 0.0)},   // counts as zero length
    NormalizeCase{Point2D(3.0, 4.0), Point2D(0.6, 0.8)},
    NormalizeCase{Point2D(0.0, -2.0), Point2D(0.0, -1.0)}));

TEST(RotatePointTest, NearRightAngleGivesExactPoint)
{
    Point2D out;
    RotatePoint(Point2D(1.0, 0.0), out, 90.00004, nullptr);
    EXPECT_TRUE(SamePoint(Point2D(0.0, 1.0), out)) << out;
}

TEST(RotatePointTest, AboutCentreAndInPlace)
{
    const Point2D centre(1.0, 1.0);
    Point2D p(2.0, 1.0);
    RotatePoint(p, p, 90.0, &centre);
    EXPECT_TRUE(SamePoint(Point2D(1.0, 2.0), p)) << p;
    RotatePoint(p, p, -180.0, &centre);
    EXPECT_TRUE(SamePoint(Point2D(1.0, 0.0), p)) << p;
    RotatePoint(p, p, 30.0, nullptr);
    EXPECT_TRUE(PointNear(p, Point2D(std::sqrt(3.0) / 2.0, 0.5)));
}

TEST(IntersectLinesTest, CrossingOfInfiniteLines)
{
    Point2D out(-7.0, -7.0);
    const Segment2D a{Point2D(0.0, 0.0), Point2D(1.0, 1.0)};
    const Segment2D b{Point2D(4.0, 0.0), Point2D(4.0, 1.0)};
    ASSERT_EQ(1, IntersectLines(a, b, out));
    EXPECT_TRUE(PointNear(out, Point2D(4.0, 4.0)));
}

TEST(IntersectLinesTest, ParallelOrIdenticalLeaveOutUntouched)
{
    const Segment2D a{Point2D(0.0, 0.0), Point2D(1.0, 1.0)};
    for (const Segment2D& b : {Segment2D{Point2D(0.0, 1.0), Point2D(2.0, 3.0)}, a,
                               Segment2D{Point2D(5.0, 5.0), Point2D(5.0, 5.0)}}) {
        Point2D out(-7.0, -7.0);
        EXPECT_EQ(0, IntersectLines(a, b, out));
        EXPECT_TRUE(SamePoint(Point2D(-7.0, -7.0), out));
    }
}

} // namespace
