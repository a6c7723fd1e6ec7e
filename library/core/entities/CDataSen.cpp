#include "entities/CDataSen.h"

#include "stream/ArchiveReading.h"

IMPLEMENT_SERIAL(CDataSen, CData, VERSIONABLE_SCHEMA | 230)

CDataSen::CDataSen() : m_x1(0.0), m_y1(0.0), m_x2(0.0), m_y2(0.0)
{
}

CDataSen::~CDataSen() = default;

void CDataSen::Serialize(CArchive& ar)
{
    CData::Serialize(ar);
    ReadFields(ar, m_x1, m_y1, m_x2, m_y2);
}
