#include "entities/CDataSolid.h"

#include "stream/ArchiveReading.h"

IMPLEMENT_SERIAL(CDataSolid, CData, VERSIONABLE_SCHEMA | 230)

CDataSolid::CDataSolid()
    : m_x1(0.0), m_y1(0.0), m_x2(0.0), m_y2(0.0), m_x3(0.0), m_y3(0.0), m_x4(0.0), m_y4(0.0), m_color(0)
{
}

CDataSolid::~CDataSolid() = default;

void CDataSolid::Serialize(CArchive& ar)
{
    CData::Serialize(ar);
    ReadFields(ar, m_x1, m_y1, m_x2, m_y2, m_x3, m_y3, m_x4, m_y4);
    if (m_penColor == kOwnColorPen)
        ar >> m_color;
}
