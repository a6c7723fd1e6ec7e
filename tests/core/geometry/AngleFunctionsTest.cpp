#include "geometry/AngleFunctions.h"
#include "GeometryTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {


struct AngleCase {
    double input;
    double expected;
};

class SnapAngle90Test : public testing::TestWithParam<AngleCase> {};

TEST_P(SnapAngle90Test, SnapsOnlyNearRightAngles)
{
    EXPECT_EQ(GetParam().expected, SnapAngle90(GetParam().input)) << GetParam().input;
}

INSTANTIATE_TEST_SUITE_P(Cases, SnapAngle90Test, testing::Values(
    AngleCase{89.99995, 90.0},
    AngleCase{-90.00003, -90.0},
    AngleCase{359.99999, 360.0},       // not 0
    AngleCase{89.9998, 89.9998},
    AngleCase{90.00011, 90.00011},
    AngleCase{0.00004, 0.0},
    AngleCase{-0.00004, 0.0},
    AngleCase{45.0, 45.0},
    AngleCase{-719.99996, -720.0},
    // Past an int's range of quarter turns the snap still holds.
    AngleCase{193273528320.0 + 0x1p-15, 193273528320.0},    // 2^31 quarters
    AngleCase{1e300, 1e300}));

TEST(SnapAngle90Test, NonFiniteAnglesPassThrough)
{
    EXPECT_TRUE(std::isnan(SnapAngle90(kNaN)));
    EXPECT_EQ(kInf, SnapAngle90(kInf));
    EXPECT_EQ(-kInf, SnapAngle90(-kInf));
}

TEST(AngleFunctionsTest, SnappedCosineAndSineAreExactTableValues)
{
    EXPECT_EQ(0.0, CosDeg(90.00001));
    EXPECT_EQ(1.0, SinDeg(89.99995));
    EXPECT_EQ(-1.0, CosDeg(180.00009));
    EXPECT_EQ(-1.0, SinDeg(-90.00003));
    EXPECT_DOUBLE_EQ(std::cos(30.0 * kRadiansPerDegree), CosDeg(30.0));
}

TEST(AngleFunctionsTest, TangentIsZeroOnEveryRightAngle)
{
    for (double a : {0.0, 90.0, 180.0, 270.0, 270.00002, -90.0, 89.99999}) {
        EXPECT_EQ(0.0, TanDeg(a)) << a;
    }
    EXPECT_DOUBLE_EQ(std::tan(45.0 * kRadiansPerDegree), TanDeg(45.0));
    EXPECT_DOUBLE_EQ(std::tan(-30.0 * kRadiansPerDegree), TanDeg(-30.0));
}

struct ArcTanCase {
    double y;
    double x;
    double expected;
};

class ArcTanDegTest : public testing::TestWithParam<ArcTanCase> {};

TEST_P(ArcTanDegTest, GivesSnappedDirection)
{
    EXPECT_DOUBLE_EQ(GetParam().expected, ArcTanDeg(GetParam().y, GetParam().x));
}

INSTANTIATE_TEST_SUITE_P(Cases, ArcTanDegTest, testing::Values(
    ArcTanCase{-1.0, 0.0, -90.0},      // not 270
    ArcTanCase{1e-9, 1.0, 0.0},        // snapped
    ArcTanCase{1.0, 1.0, 45.0},
    ArcTanCase{0.0, -1.0, 180.0},
    ArcTanCase{-1.0, -1.0, -135.0},
    ArcTanCase{kNaN, 1.0, 0.0},        // not a number counts as 0
    ArcTanCase{1.0, kNaN, 0.0},
    ArcTanCase{kInf, 1.0, 90.0},
    ArcTanCase{-kInf, -kInf, -135.0}));

struct VectorAngleCase {
    Point2D v;
    double expected;
};

class VectorAngleDegTest : public testing::TestWithParam<VectorAngleCase> {};

TEST_P(VectorAngleDegTest, LiesInFullTurn)
{
    const double a = VectorAngleDeg(GetParam().v);
    EXPECT_DOUBLE_EQ(GetParam().expected, a);
    EXPECT_GE(a, 0.0);
    EXPECT_LT(a, 360.0);
}

INSTANTIATE_TEST_SUITE_P(Cases, VectorAngleDegTest, testing::Values(
    VectorAngleCase{Point2D(0.0, -1.0), 270.0},
    VectorAngleCase{Point2D(-1.0, 0.0), 180.0},
    VectorAngleCase{Point2D(0.0, 0.0), 0.0},
    VectorAngleCase{Point2D(1.0, -1.0), 315.0},
    VectorAngleCase{Point2D(1.0, 1e-9), 5.729577951308232e-08},   // not snapped
    VectorAngleCase{Point2D(kNaN, 1.0), 0.0}));

TEST(AngleFunctionsTest, SegmentAngleRunsFromFirstToSecond)
{
    EXPECT_DOUBLE_EQ(90.0, SegmentAngleDeg(Segment2D{Point2D(2.0, 2.0), Point2D(2.0, 7.0)}));
    EXPECT_DOUBLE_EQ(270.0, SegmentAngleDeg(Segment2D{Point2D(2.0, 7.0), Point2D(2.0, 2.0)}));
}

TEST(AngleFunctionsTest, NormalizeAngle360)
{
    EXPECT_EQ(10.0, NormalizeAngle360(370.0));
    EXPECT_EQ(350.0, NormalizeAngle360(-10.0));
    EXPECT_EQ(0.0, NormalizeAngle360(-720.0));
    EXPECT_TRUE(std::isnan(NormalizeAngle360(kInf)));
}

} // namespace
