#include "entities/CDataList.h"

#include "stream/ArchiveReading.h"

IMPLEMENT_SERIAL(CDataList, CData, VERSIONABLE_SCHEMA | 230)

CDataList::CDataList() : m_blockNo(0), m_value2(0)
{
}

CDataList::~CDataList() = default;

void CDataList::Serialize(CArchive& ar)
{
    CData::Serialize(ar);
    ReadFields(ar, m_blockNo, m_value2);
    ar >> m_time >> m_name;
    m_entities.Serialize(ar);
}
