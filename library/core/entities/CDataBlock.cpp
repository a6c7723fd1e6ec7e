#include "entities/CDataBlock.h"

#include "stream/ArchiveReading.h"

IMPLEMENT_SERIAL(CDataBlock, CData, VERSIONABLE_SCHEMA | 230)

CDataBlock::CDataBlock()
    : m_refX(0.0), m_refY(0.0), m_scaleX(1.0), m_scaleY(1.0), m_rotation(0.0), m_blockNo(0), m_definition(NULL)
{
}

CDataBlock::~CDataBlock() = default;

void CDataBlock::Serialize(CArchive& ar)
{
    CData::Serialize(ar);
    ReadFields(ar, m_refX, m_refY, m_scaleX, m_scaleY, m_rotation, m_blockNo);
}
