#include "entities/CDataTen.h"

#include "stream/ArchiveReading.h"

#include "jww/JwwVersion.h"

IMPLEMENT_SERIAL(CDataTen, CData, VERSIONABLE_SCHEMA | 230)

namespace {
const unsigned kVersionSpecialPoints = 300;
}

CDataTen::CDataTen() : m_x(0.0), m_y(0.0), m_temporary(0), m_code(0), m_angle(0.0), m_scale(0.0)
{
}

CDataTen::~CDataTen() = default;

void CDataTen::Serialize(CArchive& ar)
{
    CData::Serialize(ar);
    ReadFields(ar, m_x, m_y, m_temporary);
    if (IsJwwVersionAtLeast(kVersionSpecialPoints) && m_penStyle == kSpecialPointStyle)
        ReadFields(ar, m_code, m_angle, m_scale);
}
