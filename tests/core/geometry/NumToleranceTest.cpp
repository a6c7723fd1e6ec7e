#include "geometry/NumTolerance.h"
#include "GeometryTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

// The tolerances are ready before any static initialiser can read them.
static_assert(g_numTol5.scale == 100000.0 && g_numTol5.mode == 0, "constant-initialised");
static_assert(g_numTol6.scale == 1000000.0 && g_numTol6.unit == 1.0, "constant-initialised");

namespace {


struct CompareCase {
    const NumTolerance* tol;
    double a;
    double b;
    int expected;
};

class CompareTolTest : public testing::TestWithParam<CompareCase> {};

TEST_P(CompareTolTest, GivesOrderWithinTolerance)
{
    const CompareCase& c = GetParam();
    EXPECT_EQ(c.expected, CompareTol(*c.tol, c.a, c.b)) << c.a << " vs " << c.b;
    EXPECT_EQ(c.expected, CompareTolAbs(*c.tol, c.a, c.b));
}

INSTANTIATE_TEST_SUITE_P(Cases, CompareTolTest, testing::Values(
    CompareCase{&g_numTol5, 1.0, 1.000009, 0},
    CompareCase{&g_numTol5, 1.0, 1.00002, -1},
    CompareCase{&g_numTol5, 1.00002, 1.0, 1},
    CompareCase{&g_numTol6, 1.0, 1.000009, -1},
    CompareCase{&g_numTol6, 1.0, 1.0000009, 0},
    CompareCase{&g_numTol5, -3.0, -3.0, 0},
    CompareCase{&g_numTol5, kNaN, 0.0, 1},
    CompareCase{&g_numTol5, 0.0, kNaN, 1},
    CompareCase{&g_numTol5, kNaN, kNaN, 1},
    CompareCase{&g_numTol5, 1e308, -1e308, 1}));

} // namespace
