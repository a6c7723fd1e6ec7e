#include "geometry/AngleFunctions.h"
#include "GeometryTestSupport.h"
#include "geometry/TrigTables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

constexpr double kHalfRoot2 = 0.70710678118654757;   // sqrt(2) / 2 as a double
constexpr double kPi = 3.141592653589793;

TEST(TrigTablesTest, DivisorsOf23040InOrder)
{
    ASSERT_EQ(60u, TrigDivisorCount());
    const std::uint32_t* d = TrigDivisors();
    const std::vector<std::uint32_t> head(d, d + 10);
    EXPECT_EQ((std::vector<std::uint32_t>{1, 2, 3, 4, 5, 6, 8, 9, 10, 12}), head);
    const std::vector<std::uint32_t> tail(d + 57, d + 61);
    EXPECT_EQ((std::vector<std::uint32_t>{7680, 11520, 23040, 0}), tail);
}

struct GridCase {
    double degrees;
    double cos;
    double sin;
};

// Exact values on the 1/64-degree grid, through the folds of every octant.
class GridAngleTest : public testing::TestWithParam<GridCase> {};

TEST_P(GridAngleTest, ExactFoldedValues)
{
    ASSERT_TRUE(InitTrigTables());
    const GridCase& c = GetParam();
    EXPECT_EQ(c.cos, LookupCosDeg(c.degrees)) << c.degrees;
    EXPECT_EQ(c.sin, LookupSinDeg(c.degrees)) << c.degrees;
}

INSTANTIATE_TEST_SUITE_P(Cases, GridAngleTest, testing::Values(
    GridCase{0.0, 1.0, 0.0},
    GridCase{45.0, kHalfRoot2, kHalfRoot2},
    GridCase{90.0, 0.0, 1.0},
    GridCase{135.0, -kHalfRoot2, kHalfRoot2},
    GridCase{180.0, -1.0, 0.0},
    GridCase{225.0, -kHalfRoot2, -kHalfRoot2},
    GridCase{270.0, 0.0, -1.0},
    GridCase{315.0, kHalfRoot2, -kHalfRoot2},
    GridCase{360.0, 1.0, 0.0},
    GridCase{-90.0, 0.0, -1.0},       // folds -5760 to 17280
    GridCase{-180.0, -1.0, 0.0},
    GridCase{810.0, 0.0, 1.0}));

TEST(TrigTablesTest, OffGridAnglesUseRunTimeLibrary)
{
    ASSERT_TRUE(InitTrigTables());
    EXPECT_EQ(std::cos(0.01 * kRadiansPerDegree), LookupCosDeg(0.01));   // 0.64 steps
    EXPECT_EQ(std::sin(0.01 * kRadiansPerDegree), LookupSinDeg(0.01));
}

TEST(TrigTablesTest, FoldsAgreeWithRunTimeLibraryAcrossTheTurn)
{
    ASSERT_TRUE(InitTrigTables());
    for (int step = -23040; step <= 46080; step += 37) {
        const double degrees = step / 64.0;
        EXPECT_NEAR(std::cos(degrees * kRadiansPerDegree), LookupCosDeg(degrees), 1e-14) << degrees;
        EXPECT_NEAR(std::sin(degrees * kRadiansPerDegree), LookupSinDeg(degrees), 1e-14) << degrees;
    }
}

TEST(TrigTablesTest, HugeAndNonFiniteAnglesFallBackSafely)
{
    ASSERT_TRUE(InitTrigTables());
    // Far out, but still whole 1/64 steps: the fold reduces them exactly.
    EXPECT_EQ(LookupCosDeg(40.0), LookupCosDeg(4e13));
    EXPECT_EQ(LookupSinDeg(-40.0), LookupSinDeg(-4e13));
    EXPECT_EQ(LookupCosDeg(-80.0), LookupCosDeg(1.8e15 - 80.0));   // 2^53 / 64 < 1.8e15
    // Past 2^63 grid steps the run-time library answers.
    for (double a : {1e300, -1e300, 2e17}) {
        EXPECT_EQ(std::cos(a * kRadiansPerDegree), LookupCosDeg(a)) << a;
        EXPECT_EQ(std::sin(a * kRadiansPerDegree), LookupSinDeg(a)) << a;
    }
    EXPECT_TRUE(std::isnan(LookupCosDeg(kNaN)));
    EXPECT_TRUE(std::isnan(LookupSinDeg(std::numeric_limits<double>::infinity())));
}

TEST(TrigTablesTest, ValuesWithoutTablesMatchTheTables)
{
    ASSERT_TRUE(InitTrigTables());
    std::vector<double> withTables;
    for (int step = 0; step < 23040; step += 7) {
        withTables.push_back(LookupCosDeg(step / 64.0));
        withTables.push_back(LookupSinDeg(step / 64.0));
        withTables.push_back(TableCos(step, 23040));
    }
    FreeTrigTables();
    EXPECT_FALSE(TrigTablesReady());
    std::size_t i = 0;
    for (int step = 0; step < 23040; step += 7) {
        EXPECT_EQ(withTables[i++], LookupCosDeg(step / 64.0)) << step;
        EXPECT_EQ(withTables[i++], LookupSinDeg(step / 64.0)) << step;
        EXPECT_EQ(withTables[i++], TableCos(step, 23040)) << step;
    }
    EXPECT_EQ(0.0, LookupCosDeg(90.0));
    ASSERT_TRUE(InitTrigTables());
    EXPECT_TRUE(TrigTablesReady());
}

struct TableCase {
    int k;
    int n;
    double cos;
    double sin;
};

class TableCosSinTest : public testing::TestWithParam<TableCase> {};

TEST_P(TableCosSinTest, GridStepOfTurn)
{
    const TableCase& c = GetParam();
    EXPECT_DOUBLE_EQ(c.cos, TableCos(c.k, c.n)) << c.k << "/" << c.n;
    EXPECT_DOUBLE_EQ(c.sin, TableSin(c.k, c.n)) << c.k << "/" << c.n;
    const TrigPair both = TableCosSin(c.k, c.n);
    EXPECT_EQ(TableCos(c.k, c.n), both.cos) << c.k << "/" << c.n;
    EXPECT_EQ(TableSin(c.k, c.n), both.sin) << c.k << "/" << c.n;
}

INSTANTIATE_TEST_SUITE_P(Cases, TableCosSinTest, testing::Values(
    TableCase{8, 32, 0.0, 1.0},
    TableCase{16, 32, -1.0, 0.0},
    TableCase{24, 32, 0.0, -1.0},
    TableCase{40, 32, 0.0, 1.0},                     // wraps round the turn
    TableCase{-8, 32, 0.0, -1.0},
    TableCase{1, 6, 0.5, 0.8660254037844386},
    TableCase{1, 46080, std::cos(kPi / 23040.0), std::sin(kPi / 23040.0)},   // past the grid
    TableCase{1, 7, std::cos(2.0 * kPi / 7.0), std::sin(2.0 * kPi / 7.0)})); // not a divisor

// Twice round the turn from several starts: the same bits as TableCosSin at
// each step, back to step 0 after n - 1.
TEST(TrigTurnWalkTest, StepsGiveTheValuesOfTableCosSin)
{
    for (int n : {4, 7, 32, 60, 23040, 23044}) {
        for (int k : {0, 1, n / 3, n - 1}) {
            TrigTurnWalk walk(k, n);
            int step = k;
            for (int i = 0; i < 2 * n + 2; ++i, walk.Next(), step = (step + 1) % n) {
                const TrigPair expected = TableCosSin(step, n);
                const TrigPair value = walk.Value();
                ASSERT_EQ(expected.cos, value.cos) << k << "+" << i << "/" << n;
                ASSERT_EQ(expected.sin, value.sin) << k << "+" << i << "/" << n;
            }
        }
    }
}

} // namespace
