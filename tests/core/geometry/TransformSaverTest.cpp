#include "geometry/TransformSaver.h"

#include "GeometryTestSupport.h"

namespace {

TEST(TransformSaverTest, NestedScopesRestoreWhatTheyFound)
{
    ResetTransform();
    TranslateTransform(1.0, 2.0);
    {
        TransformSaver outer;
        ResetTransform();
        ScaleTransform(nullptr, 3.0, 3.0);
        {
            TransformSaver inner;
            ResetTransform();
            RotateTransform(90.0, nullptr);
        }
        Point2D p;
        ASSERT_EQ(0, TransformPoint(Point2D(1.0, 1.0), p));
        EXPECT_TRUE(SamePoint(Point2D(3.0, 3.0), p)) << p;
    }
    Point2D p;
    ASSERT_EQ(0, TransformPoint(Point2D(0.0, 0.0), p));
    EXPECT_TRUE(SamePoint(Point2D(1.0, 2.0), p)) << p;
}

// The determinant is restored with the matrix: an inner singular scope must
// not make the outer points fail, and an inner regular scope must not make
// an outer singular map look regular.
TEST(TransformSaverTest, DeterminantTravelsWithTheMatrix)
{
    ResetTransform();
    {
        TransformSaver inner;
        ResetTransform();
        ScaleTransform(nullptr, 0.0, 1.0);
    }
    Point2D p;
    EXPECT_EQ(0, TransformPoint(Point2D(1.0, 1.0), p));

    ScaleTransform(nullptr, 0.0, 1.0);
    {
        TransformSaver inner;
        ResetTransform();
    }
    EXPECT_EQ(-1, TransformPoint(Point2D(1.0, 1.0), p));
}

} // namespace
