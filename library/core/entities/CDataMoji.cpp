#include "entities/CDataMoji.h"

#include "stream/ArchiveReading.h"

IMPLEMENT_SERIAL(CDataMoji, CData, VERSIONABLE_SCHEMA | 230)

namespace {
const DWORD kStyleUnit = 10000;
const WORD kStyles[] = {0, CDataMoji::kItalic, CDataMoji::kBold, CDataMoji::kBold | CDataMoji::kItalic};
const DWORD kLastStyle = 3;
}

CDataMoji::CDataMoji()
    : m_x1(0.0), m_y1(0.0), m_x2(0.0), m_y2(0.0), m_kind(0), m_width(0.0), m_height(0.0), m_spacing(0.0),
      m_angle(0.0), m_style(0)
{
}

CDataMoji::~CDataMoji() = default;

void CDataMoji::Serialize(CArchive& ar)
{
    CData::Serialize(ar);
    ReadFields(ar, m_x1, m_y1, m_x2, m_y2, m_kind, m_width, m_height, m_spacing, m_angle);
    ar >> m_fontName >> m_text;
    SplitKind();
}

// 10000s italic, 20000s bold, 30000 and above both.
void CDataMoji::SplitKind()
{
    DWORD style = m_kind / kStyleUnit;
    m_style = kStyles[style < kLastStyle ? style : kLastStyle];
    m_kind %= kStyleUnit;
}
