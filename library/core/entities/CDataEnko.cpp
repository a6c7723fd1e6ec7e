#include "entities/CDataEnko.h"

#include <cstdint>
#include <cstring>

#include "stream/ArchiveReading.h"

IMPLEMENT_SERIAL(CDataEnko, CData, VERSIONABLE_SCHEMA | 230)

namespace {
// Upper half of the bit pattern of positive infinity.
const uint32_t kInfinityHigh = 0x7FF00000;

bool HasInfinityHigh(double value)
{
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return static_cast<uint32_t>(bits >> 32) == kInfinityHigh;
}
}

CDataEnko::CDataEnko()
    : m_cx(0.0), m_cy(0.0), m_radius(0.0), m_startAngle(0.0), m_arcAngle(0.0), m_tiltAngle(0.0),
      m_flatness(0.0), m_fullCircle(0)
{
}

CDataEnko::~CDataEnko() = default;

void CDataEnko::Serialize(CArchive& ar)
{
    CData::Serialize(ar);
    ReadFields(ar, m_cx, m_cy, m_radius, m_startAngle, m_arcAngle, m_tiltAngle, m_flatness, m_fullCircle);
    if (HasInfinityHigh(m_radius))
        m_radius = 0.0;
}
