#include "geometry/CurvePointBuffer.h"

CurvePointBuffer::CurvePointBuffer(std::uint32_t capacityBytes) : m_capacity(capacityBytes)
{
    Clear();
}

void CurvePointBuffer::Clear()
{
    m_free = FreeBytesWhenEmpty(m_capacity);
    m_runCount = 0;
    m_run = CurveRunInfo();
    m_points.clear();
}

bool CurvePointBuffer::RunFits(std::uint64_t pointCount, std::uint32_t freeBytes)
{
    // 64-bit sizes: a huge count must not wrap into a small one.
    const std::uint64_t maxPoints = (UINT64_MAX - kRunHeaderBytes) / kPointBytes;
    if (pointCount > maxPoints) return false;
    return kRunHeaderBytes + kPointBytes * pointCount <= freeBytes;
}

bool CurvePointBuffer::StartRun(std::uint64_t pointCount, const CurveRunInfo& info)
{
    if (m_runCount != 0 || !RunFits(pointCount, m_free)) return false;
    const std::uint64_t runBytes = kRunHeaderBytes + kPointBytes * pointCount;
    m_points.resize(static_cast<std::size_t>(pointCount));
    m_run = info;
    m_free -= static_cast<std::uint32_t>(runBytes);
    m_runCount = 1;
    return true;
}
