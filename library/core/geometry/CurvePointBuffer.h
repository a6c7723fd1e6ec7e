#pragma once

#include "geometry/Point2D.h"

#include <cstdint>
#include <vector>

// Where a run of curve points lies on the grid of its turn.
struct CurveRunInfo {
    std::uint32_t segments = 0;    // n, segments of a full turn
    std::uint32_t arc = 0;         // 0 full curve, 1 arc
    std::int32_t firstIndex = 0;   // grid index of the first point
    std::int32_t lastIndex = 0;    // grid index of the last point
};

// The point buffer that curves are flattened into. Its capacity is counted
// in bytes as the callers size it: a 16-byte header, then one run of a
// 24-byte run header and 16 bytes per point (1640 bytes hold 100 points).
class CurvePointBuffer {
public:
    static constexpr std::uint32_t kHeaderBytes = 16;
    static constexpr std::uint32_t kRunHeaderBytes = 24;
    static constexpr std::uint32_t kPointBytes = 16;
    static constexpr std::uint32_t kStandardCapacity = 1640;

    // The capacity of a buffer whose one run holds pointCount points.
    static constexpr std::uint32_t CapacityFor(std::uint32_t pointCount)
    {
        return kHeaderBytes + kRunHeaderBytes + kPointBytes * pointCount;
    }

    // The bytes an empty buffer of that capacity has for its run.
    static constexpr std::uint32_t FreeBytesWhenEmpty(std::uint32_t capacityBytes)
    {
        return capacityBytes > kHeaderBytes ? capacityBytes - kHeaderBytes : 0;
    }

    // Whether a run of pointCount points fits in freeBytes.
    static bool RunFits(std::uint64_t pointCount, std::uint32_t freeBytes);

    explicit CurvePointBuffer(std::uint32_t capacityBytes = kStandardCapacity);

    std::uint32_t Capacity() const { return m_capacity; }
    std::uint32_t FreeBytes() const { return m_free; }
    std::uint32_t RunCount() const { return m_runCount; }
    const CurveRunInfo& Run() const { return m_run; }
    const std::vector<Point2D>& Points() const { return m_points; }

    // Empties the buffer: no run, all bytes after the header free.
    void Clear();
    // Starts the run with room for pointCount points; false (nothing
    // changed) when the run does not fit the bytes left.
    bool StartRun(std::uint64_t pointCount, const CurveRunInfo& info);
    Point2D& PointAt(std::size_t index) { return m_points[index]; }

private:
    std::uint32_t m_capacity;
    std::uint32_t m_free = 0;
    std::uint32_t m_runCount = 0;
    CurveRunInfo m_run;
    std::vector<Point2D> m_points;
};
