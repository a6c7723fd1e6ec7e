#include "entities/CDataSunpou.h"

#include "jww/JwwVersion.h"

IMPLEMENT_SERIAL(CDataSunpou, CData, VERSIONABLE_SCHEMA | 230)

namespace {
const unsigned kVersionSxfDimensions = 420;
}

CDataSunpou::CDataSunpou() : m_sxfMode(0)
{
}

CDataSunpou::~CDataSunpou() = default;

void CDataSunpou::Serialize(CArchive& ar)
{
    CData::Serialize(ar);
    m_line.Serialize(ar);
    m_text.Serialize(ar);
    if (!IsJwwVersionAtLeast(kVersionSxfDimensions))
        return;
    ar >> m_sxfMode;
    m_extLine1.Serialize(ar);
    m_extLine2.Serialize(ar);
    m_point1.Serialize(ar);
    m_point2.Serialize(ar);
    m_point3.Serialize(ar);
    m_point4.Serialize(ar);
}
