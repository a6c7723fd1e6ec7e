#include "geometry/Bounds2D.h"

#include <gtest/gtest.h>

namespace {

TEST(Bounds2DTest, EmptyBoxGrownByOnePointIsThatPoint)
{
    Bounds2D box;
    EXPECT_TRUE(box.IsEmpty());
    ExtendBounds(box, Point2D(3.0, -2.0));
    EXPECT_FALSE(box.IsEmpty());
    EXPECT_EQ(3.0, box.minX);
    EXPECT_EQ(3.0, box.maxX);
    EXPECT_EQ(-2.0, box.minY);
    EXPECT_EQ(-2.0, box.maxY);
    ExtendBounds(box, Point2D(-1.0, 5.0));
    EXPECT_EQ(-1.0, box.minX);
    EXPECT_EQ(5.0, box.maxY);
}

TEST(Bounds2DTest, UnionKeepsBothAndIgnoresEmpty)
{
    Bounds2D a;
    ExtendBounds(a, Point2D(0.0, 0.0));
    Bounds2D b;
    ExtendBounds(b, Point2D(10.0, -5.0));
    UniteBounds(a, b);
    EXPECT_EQ(0.0, a.minX);
    EXPECT_EQ(-5.0, a.minY);
    EXPECT_EQ(10.0, a.maxX);
    EXPECT_EQ(0.0, a.maxY);
    const Bounds2D before = a;
    UniteBounds(a, Bounds2D());
    EXPECT_EQ(before.minX, a.minX);
    EXPECT_EQ(before.maxY, a.maxY);
}

} // namespace
