#include "jww/BCN_JWS_CHeadData.h"

#include "stream/ArchiveReading.h"

IMPLEMENT_SERIAL(BCN_JWS_CHeadData, CObject, VERSIONABLE_SCHEMA | 230)

BCN_JWS_CHeadData::BCN_JWS_CHeadData() : BCN_JWS_HeadData{}
{
}

BCN_JWS_CHeadData::~BCN_JWS_CHeadData() = default;

void BCN_JWS_CHeadData::Serialize(CArchive& ar)
{
    RequireLoading(ar);
    ReadExact(ar, m_magic, sizeof m_magic);
    ReadExact(ar, m_block, sizeof m_block);
    ar >> m_version >> m_refX >> m_refY;
    ReadValues(ar, m_groupScale);
    ReadValues(ar, m_values);
    ReadValues(ar, m_doubles1);
    ReadValues(ar, m_doubles2);
}
