#include "geometry/CurvePointBuffer.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(CurvePointBufferTest, StandardBufferHoldsOneHundredPoints)
{
    CurvePointBuffer buffer;
    EXPECT_EQ(1640u, buffer.Capacity());
    EXPECT_EQ(1624u, buffer.FreeBytes());
    EXPECT_FALSE(buffer.StartRun(101, CurveRunInfo()));
    EXPECT_EQ(0u, buffer.RunCount());
    ASSERT_TRUE(buffer.StartRun(100, CurveRunInfo()));
    EXPECT_EQ(0u, buffer.FreeBytes());
    EXPECT_EQ(100u, buffer.Points().size());
    EXPECT_FALSE(buffer.StartRun(0, CurveRunInfo()));   // one run only
    buffer.Clear();
    EXPECT_EQ(0u, buffer.RunCount());
    EXPECT_EQ(1624u, buffer.FreeBytes());
    EXPECT_TRUE(buffer.Points().empty());
}

// A buffer sized for n points holds one run of n and not one more.
TEST(CurvePointBufferTest, CapacityForHoldsExactlyItsPoints)
{
    EXPECT_EQ(CurvePointBuffer::kStandardCapacity, CurvePointBuffer::CapacityFor(100));
    for (std::uint32_t count : {0u, 1u, 147u, 23043u}) {
        CurvePointBuffer buffer(CurvePointBuffer::CapacityFor(count));
        EXPECT_FALSE(buffer.StartRun(count + 1, CurveRunInfo())) << count;
        EXPECT_TRUE(buffer.StartRun(count, CurveRunInfo())) << count;
        EXPECT_EQ(0u, buffer.FreeBytes()) << count;
    }
}

// Counts whose byte size wraps in 32 bits (or even 64) must not look small.
TEST(CurvePointBufferTest, HugeCountsDoNotWrapIntoFitting)
{
    CurvePointBuffer buffer(0xFFFFFFFFu);
    for (std::uint64_t count : {(std::uint64_t{1} << 28) + 1, (std::uint64_t{1} << 60) + 1, UINT64_MAX}) {
        EXPECT_FALSE(buffer.StartRun(count, CurveRunInfo())) << count;
        EXPECT_EQ(0u, buffer.RunCount());
    }
}

TEST(CurvePointBufferTest, CapacityBelowHeaderHasNoRoom)
{
    CurvePointBuffer buffer(8);
    EXPECT_EQ(0u, buffer.FreeBytes());
    EXPECT_FALSE(buffer.StartRun(0, CurveRunInfo()));
}

} // namespace
