#include "geometry/AngleFunctions.h"
#include "geometry/Transform2D.h"
#include "geometry/TransformSaver.h"

#include "GeometryTestSupport.h"

#include <thread>

namespace {

TEST(Transform2DTest, RotationAboutCentre)
{
    ResetTransform();
    const Point2D centre(1.0, 1.0);
    RotateTransform(90.0, &centre);
    Point2D out;
    ASSERT_EQ(0, TransformPoint(Point2D(2.0, 1.0), out));
    EXPECT_TRUE(SamePoint(Point2D(1.0, 2.0), out)) << out;
    EXPECT_EQ(1.0, GlobalTransform().det);
}

TEST(Transform2DTest, StepsApplyInTheOrderAppended)
{
    ResetTransform();
    TranslateTransform(10.0, 0.0);
    const Point2D pivot(10.0, 0.0);
    ScaleTransform(&pivot, 2.0, 2.0);
    RotateTransform(90.0, nullptr);
    Point2D p(1.0, 1.0);
    ASSERT_EQ(0, TransformPoint(p, p));
    // (1,1) -> (11,1) -> (12,2) about (10,0) -> (-2,12)
    EXPECT_TRUE(SamePoint(Point2D(-2.0, 12.0), p)) << p;
}

TEST(Transform2DTest, SingularScaleRefusesEveryPointOperation)
{
    ResetTransform();
    ScaleTransform(nullptr, 2.0, 3.0);
    EXPECT_EQ(6.0, GlobalTransform().det);
    Point2D p;
    ASSERT_EQ(0, TransformPoint(Point2D(1.0, 1.0), p));
    EXPECT_TRUE(SamePoint(Point2D(2.0, 3.0), p));

    ScaleTransform(nullptr, 0.0, 1.0);
    EXPECT_EQ(0.0, GlobalTransform().det);
    Point2D untouched(-5.0, -5.0);
    EXPECT_EQ(-1, TransformPoint(Point2D(1.0, 1.0), untouched));
    EXPECT_TRUE(SamePoint(Point2D(-5.0, -5.0), untouched));
    Point2F pointF(-5.0f, -5.0f);
    EXPECT_EQ(-1, TransformPointF(Point2F(1.0f, 1.0f), pointF));
    EXPECT_EQ(-5.0f, pointF.x);
    Segment2D segment{Point2D(-5.0, -5.0), Point2D(-6.0, -6.0)};
    EXPECT_EQ(-1, TransformSegment(Segment2D{Point2D(1.0, 1.0), Point2D(2.0, 2.0)}, segment));
    EXPECT_TRUE(SamePoint(Point2D(-6.0, -6.0), segment.second));
}

TEST(Transform2DTest, FloatPointsAndSegmentsInPlace)
{
    ResetTransform();
    ScaleTransform(nullptr, 0.5, -1.0);
    TranslateTransform(1.0, 1.0);
    Point2F f(3.0f, 4.0f);
    ASSERT_EQ(0, TransformPointF(f, f));
    EXPECT_EQ(2.5f, f.x);
    EXPECT_EQ(-3.0f, f.y);
    Segment2D s{Point2D(2.0, 0.0), Point2D(0.0, 2.0)};
    ASSERT_EQ(0, TransformSegment(s, s));
    EXPECT_TRUE(SamePoint(Point2D(2.0, 1.0), s.first));
    EXPECT_TRUE(SamePoint(Point2D(1.0, -1.0), s.second));
}

Transform2D Compose(double angleBefore, double sx, double sy, double angleAfter)
{
    TransformSaver saver;
    ResetTransform();
    RotateTransform(angleBefore, nullptr);
    ScaleTransform(nullptr, sx, sy);
    RotateTransform(angleAfter, nullptr);
    return GlobalTransform();
}

struct DecomposeCase {
    const char* name;
    Transform2D m;
    double angle1;
    double sx;
    double sy;
    double angle2;
};

class DecomposeTransformTest : public testing::TestWithParam<DecomposeCase> {};

TEST_P(DecomposeTransformTest, SplitsIntoRotationScaleRotation)
{
    const DecomposeCase& c = GetParam();
    double angle1 = -1.0, sx = -1.0, sy = -1.0, angle2 = -1.0;
    DecomposeTransform(c.m, &angle1, &sx, &sy, &angle2);
    EXPECT_NEAR(c.sx, sx, 1e-12) << c.name;
    EXPECT_NEAR(c.sy, sy, 1e-12) << c.name;
    EXPECT_NEAR(c.angle1, angle1, 1e-9) << c.name;
    EXPECT_NEAR(c.angle2, angle2, 1e-9) << c.name;
}

Transform2D Mirror()
{
    Transform2D m;
    m.m11 = 1.0;
    m.m22 = -1.0;
    m.m33 = 1.0;
    m.det = -1.0;
    return m;
}

INSTANTIATE_TEST_SUITE_P(Cases, DecomposeTransformTest, testing::Values(
    DecomposeCase{"identity", Compose(0.0, 1.0, 1.0, 0.0), 0.0, 1.0, 1.0, 0.0},
    DecomposeCase{"uniform 2, rotation 30", Compose(0.0, 2.0, 2.0, 30.0), 15.0, 2.0, 2.0, 15.0},
    DecomposeCase{"rotation 30", Compose(30.0, 1.0, 1.0, 0.0), 15.0, 1.0, 1.0, 15.0},
    DecomposeCase{"scale 2,1", Compose(0.0, 2.0, 1.0, 0.0), 0.0, 2.0, 1.0, 0.0},
    DecomposeCase{"mirror", Mirror(), 0.0, 1.0, -1.0, 0.0},
    DecomposeCase{"singular", Compose(0.0, 0.0, 1.0, 0.0), 0.0, 1.0, 1.0, 0.0}));

// Any non-singular map is rebuilt from its parts.
TEST(DecomposeTransformTest, PartsRecomposeTheMap)
{
    for (const Transform2D& m : {Compose(20.0, 3.0, 0.5, 35.0), Compose(-70.0, 0.25, 4.0, 10.0),
                                 Compose(15.0, 2.0, -1.0, 50.0), Compose(0.0, -2.0, 3.0, 0.0)}) {
        double angle1 = 0.0, sx = 0.0, sy = 0.0, angle2 = 0.0;
        DecomposeTransform(m, &angle1, &sx, &sy, &angle2);
        const Transform2D rebuilt = Compose(angle1, sx, sy, angle2);
        EXPECT_NEAR(m.m11, rebuilt.m11, 1e-12);
        EXPECT_NEAR(m.m12, rebuilt.m12, 1e-12);
        EXPECT_NEAR(m.m21, rebuilt.m21, 1e-12);
        EXPECT_NEAR(m.m22, rebuilt.m22, 1e-12);
        EXPECT_NEAR(m.LinearDeterminant(), sx * sy, 1e-12);
    }
}

TEST(DecomposeTransformTest, OutputsMayBeNull)
{
    double sy = 0.0;
    DecomposeTransform(Mirror(), nullptr, nullptr, &sy, nullptr);
    EXPECT_EQ(-1.0, sy);
}

TEST(Transform2DTest, EachThreadHasItsOwnTransform)
{
    ResetTransform();
    ScaleTransform(nullptr, 2.0, 2.0);
    Transform2D seenByWorker;
    Point2D mappedByWorker;
    std::thread worker([&] {
        seenByWorker = GlobalTransform();
        ResetTransform();
        TranslateTransform(100.0, 0.0);
        TransformPoint(Point2D(1.0, 1.0), mappedByWorker);
    });
    worker.join();
    EXPECT_EQ(0.0, seenByWorker.m11);   // a new thread starts from zero
    EXPECT_EQ(0.0, seenByWorker.det);
    EXPECT_TRUE(SamePoint(Point2D(101.0, 1.0), mappedByWorker));
    Point2D p;
    ASSERT_EQ(0, TransformPoint(Point2D(1.0, 1.0), p));
    EXPECT_TRUE(SamePoint(Point2D(2.0, 2.0), p));
}

} // namespace
