#include "entities/CData.h"

#include "jww/JwwVersion.h"
#include "stream/ArchiveReading.h"

IMPLEMENT_SERIAL(CData, CObject, VERSIONABLE_SCHEMA | 230)

namespace {
const unsigned kVersionOwnPenWidth = 351;
}

CData::CData()
    : m_groupNo(0), m_penStyle(1), m_listSlots(0), m_penColor(1), m_penWidth(0), m_layer(0), m_layerGroup(0), m_flags(0)
{
}

CData::~CData() = default;

void CData::Serialize(CArchive& ar)
{
    RequireLoading(ar);
    if (IsJwwVersionAtLeast(kVersionOwnPenWidth))
        ReadFields(ar, m_groupNo, m_penStyle, m_penColor, m_penWidth, m_layer, m_layerGroup, m_flags);
    else
        ReadFields(ar, m_groupNo, m_penStyle, m_penColor, m_layer, m_layerGroup, m_flags);
}
