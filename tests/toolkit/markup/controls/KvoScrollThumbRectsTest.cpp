#include <gtest/gtest.h>
#include "markup/controls/KvoScrollThumbRects.h"

// Across: eight bar thicknesses each side; along: twice the system thumb
// size at each end, by the bar's direction.
TEST(KvoScrollThumbRects, WidenedAcrossAndLengthenedAlong)
{
    const int vThumb = ::GetSystemMetrics(SM_CYVTHUMB);
    const int hThumb = ::GetSystemMetrics(SM_CXHTHUMB);
    struct Case {
        RECT bar;
        BOOL vertical;
        RECT expected;
    } cases[] = {
        {{100, 50, 117, 150}, TRUE, {100 - 136, 50 - 2 * vThumb, 117 + 136, 150 + 2 * vThumb}},
        {{0, 0, 10, 40}, TRUE, {-80, -2 * vThumb, 90, 40 + 2 * vThumb}},
        {{20, 30, 220, 46}, FALSE, {20 - 2 * hThumb, 30 - 128, 220 + 2 * hThumb, 46 + 128}},
        {{5, 5, 5, 20}, FALSE, {5 - 2 * hThumb, 5 - 120, 5 + 2 * hThumb, 20 + 120}},
        // A bar without thickness is only lengthened.
        {{7, 0, 7, 60}, TRUE, {7, -2 * vThumb, 7, 60 + 2 * vThumb}},
    };
    for (const Case& c : cases) {
        const RECT got = KvoCalcScrollThumbRects(c.bar, c.vertical);
        EXPECT_TRUE(::EqualRect(&got, &c.expected))
            << "bar " << c.bar.left << "," << c.bar.top << " vertical " << c.vertical << ": got " << got.left << ","
            << got.top << "," << got.right << "," << got.bottom;
    }
}
