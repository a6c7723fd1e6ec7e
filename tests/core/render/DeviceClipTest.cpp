// Clipping of segments and polygons to the device box.
#include <gtest/gtest.h>
#include "render/gdi/DeviceClip.h"

TEST(DeviceClip, SegmentsAreCutToTheBox)
{
    const DeviceBox box = {0, 0, 100, 50};
    Point2D a(-100, 25), b(300, 25);
    ASSERT_TRUE(ClipSegment(box, a, b));
    EXPECT_DOUBLE_EQ(a.x, 0);
    EXPECT_DOUBLE_EQ(b.x, 100);
    EXPECT_DOUBLE_EQ(a.y, 25);
    Point2D c(10, 10), d(20, 20);
    ASSERT_TRUE(ClipSegment(box, c, d)) << "inside: unchanged";
    EXPECT_DOUBLE_EQ(c.x, 10);
    EXPECT_DOUBLE_EQ(d.y, 20);
    Point2D e(-10, -10), f(-1, 200);
    EXPECT_FALSE(ClipSegment(box, e, f)) << "wholly left of the box";
    Point2D g(50, 60), h(50, 60);
    EXPECT_FALSE(ClipSegment(box, g, h)) << "a point below the box";
}

TEST(DeviceClip, PolygonsKeepTheirInsidePart)
{
    const DeviceBox box = {0, 0, 100, 100};
    std::vector<POINT> huge = {{-100000, 40}, {100000, 40}, {100000, 60}, {-100000, 60}};
    std::vector<POINT> clipped = ClipPolygon(box, huge);
    ASSERT_EQ(clipped.size(), 4u);
    for (const POINT& p : clipped) {
        EXPECT_GE(p.x, 0);
        EXPECT_LE(p.x, 100);
        EXPECT_TRUE(p.y == 40 || p.y == 60);
    }
    std::vector<POINT> away = {{200, 200}, {300, 200}, {300, 300}};
    EXPECT_LT(ClipPolygon(box, away).size(), 3u);
    EXPECT_TRUE(AllInside(box, huge.data() + 0, 0));
    EXPECT_FALSE(AllInside(box, huge.data(), huge.size()));
    EXPECT_TRUE(IsHugeShape(RECT{0, 0, 40000, 10}));
    EXPECT_TRUE(IsHugeShape(RECT{40000, 0, 0, 10})) << "either way round";
    EXPECT_FALSE(IsHugeShape(RECT{0, 0, 30000, 30000}));
}
