#include "geometry/CurvePointBuffer.h"

CurvePointBuffer::CurvePointBuffer(std::uint32_t capacityBytes) : m_capacity(capacityBytes)
{
    Clear();
}

void CurvePointBuffer::Clear()
{
    m_free = m_capacity > kHeaderBytes ? m_capacity - kHeaderBytes : 0;
    m_runCount = 0;
    m_run = CurveRunInfo();
    m_points.clear();
}

bool CurvePointBuffer::StartRun(std::uint64_t pointCount, const CurveRunInfo& info)
{
    // 64-bit sizes: a huge count must not wrap into a small one.
    const std::uint64_t maxPoints = (UINT64_MAX - kRunHeaderBytes) / kPointBytes;
    if (m_runCount != 0 || pointCount > maxPoints) return false;
    const std::uint64_t runBytes = kRunHeaderBytes + kPointBytes * pointCount;
    if (runBytes > m_free) return false;
    m_points.resize(static_cast<std::size_t>(pointCount));
    m_run = info;
    m_free -= static_cast<std::uint32_t>(runBytes);
    m_runCount = 1;
    return true;
}
