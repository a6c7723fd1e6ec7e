#include "jww/BCN_JWW_CHeadData.h"

#include <iterator>

#include "jww/JwwVersion.h"
#include "stream/ArchiveReading.h"

IMPLEMENT_SERIAL(BCN_JWW_CHeadData, CObject, VERSIONABLE_SCHEMA | 230)

namespace {
// Versions from which the header carries more.
const DWORD kVersion300 = 300;
const DWORD kVersion420 = 420;

const int kStandardPens = 10;
const int kFirstLineType = 2;
const int kLastDashedLineType = 9;
const int kFirstRandomLineType = 11;
const int kLastRandomLineType = 15;
const int kLastFixedLineType = 19;
const int kTimeSpanIndex = 11;  // among the thirteen DWORDs of counters
const int kCounterCount = 13;
}

BCN_JWW_CHeadData::BCN_JWW_CHeadData() : BCN_JWW_HeadData{}
{
}

BCN_JWW_CHeadData::~BCN_JWW_CHeadData() = default;

void BCN_JWW_CHeadData::Serialize(CArchive& ar)
{
    RequireLoading(ar);
    ReadExact(ar, m_magic, sizeof m_magic);
    ar >> m_version;
    g_jwwVersion = static_cast<int>(m_version);
    ReadMemo(ar);
    ar >> m_paper >> m_writeGroup;
    ReadLayerGroups(ar);
    ReadSettings(ar);
    ReadNames(ar);
    ReadView(ar);
    ReadZoomMarks(ar);
    ReadPens(ar);
    ReadLineTypes(ar);
    ReadCounters(ar);
    if (m_version >= kVersion420) {
        ReadExtendedPens(ar);
        ReadExtendedLineTypes(ar);
    }
    ReadTail(ar);
}

void BCN_JWW_CHeadData::ReadMemo(CArchive& ar)
{
    ar >> m_memo;
    m_memo.Replace(L"\r\n", L"\n");
    m_memo.Trim();
}

void BCN_JWW_CHeadData::ReadLayerGroups(CArchive& ar)
{
    for (int g = 0; g < kGroups; ++g) {
        ar >> m_groupState[g] >> m_groupWriteLayer[g] >> m_groupScale[g] >> m_groupExtra[g];
        for (int l = 0; l < kLayers; ++l)
            ar >> m_layerState[g][l] >> m_layerExtra[g][l];
    }
}

void BCN_JWW_CHeadData::ReadSettings(CArchive& ar)
{
    ReadValues(ar, m_settings1);
    ReadValues(ar, m_settings2);
    ar >> m_widthMode;
    ReadValues(ar, m_settings3);
    ReadValues(ar, m_settings4);
    ReadValues(ar, m_settings5);
}

void BCN_JWW_CHeadData::ReadNames(CArchive& ar)
{
    for (auto& groupLayers : m_layerName)
        ReadValues(ar, groupLayers);
    ReadValues(ar, m_groupName);
}

void BCN_JWW_CHeadData::ReadView(CArchive& ar)
{
    ReadValues(ar, m_grid1);
    ar >> m_grid2 >> m_grid3;
    if (m_version >= kVersion300)
        ReadValues(ar, m_grid4);
    ar >> m_grid5;
    ar >> m_viewZoom >> m_viewCenterX >> m_viewCenterY;
    ReadValues(ar, m_view2);
}

void BCN_JWW_CHeadData::ReadZoomMarks(CArchive& ar)
{
    if (m_version >= kVersion300) {
        for (size_t i = 0; i < std::size(m_marks2); ++i) {
            ReadValues(ar, m_marks1[i]);
            ar >> m_marks2[i];
        }
        // The text drawing state, 56 bytes.
        ReadValues(ar, m_textState1);
        ar >> m_textState2;
        ReadValues(ar, m_textState3);
        ar >> m_textState4;
    } else {
        for (auto& mark : m_marksOld)
            ReadValues(ar, mark);
    }
    ReadValues(ar, m_sizes1);
    ar >> m_sizes2;
}

void BCN_JWW_CHeadData::ReadPens(CArchive& ar)
{
    for (int p = 0; p < kStandardPens; ++p)
        ar >> m_penColor[p] >> m_penColorB[p];
    for (int p = 0; p < kStandardPens; ++p)
        ar >> m_penValueC[p] >> m_penWidth[p] >> m_printWidth[p];
}

void BCN_JWW_CHeadData::ReadLineTypes(CArchive& ar)
{
    for (int t = kFirstLineType; t <= kLastDashedLineType; ++t)
        ar >> m_lineTypePattern[t] >> m_lineTypeBits[t] >> m_lineTypePitch[t] >> m_lineTypeValueD[t];
    for (int t = kFirstRandomLineType; t <= kLastRandomLineType; ++t) {
        ar >> m_lineTypePattern[t] >> m_randomLineAmplitude[t] >> m_lineTypePitch[t] >> m_randomLineValueE[t] >>
            m_lineTypeValueD[t];
    }
    for (int t = kLastRandomLineType + 1; t <= kLastFixedLineType; ++t)
        ar >> m_lineTypePattern[t] >> m_lineTypeBits[t] >> m_lineTypePitch[t] >> m_lineTypeValueD[t];
}

void BCN_JWW_CHeadData::ReadCounters(CArchive& ar)
{
    DWORD* counter = m_counters;
    for (int i = 0; i < kCounterCount; ++i) {
        if (i == kTimeSpanIndex)
            ar >> m_timeSpan;
        else
            ar >> *counter++;
    }
    for (double& value : m_hundredths) {
        DWORD raw = 0;
        ar >> raw;
        value = raw / 100.0;
    }
    ReadValues(ar, m_tail1);
    ReadValues(ar, m_tail2);
}

void BCN_JWW_CHeadData::ReadExtendedPens(CArchive& ar)
{
    for (int p = kFirstExtendedPen; p < kPens; ++p)
        ar >> m_penColor[p] >> m_penColorB[p];
    for (int p = kFirstExtendedPen; p < kPens; ++p)
        ar >> m_colorName[p - kFirstExtendedPen] >> m_penValueC[p] >> m_penWidth[p] >> m_printWidth[p];
}

void BCN_JWW_CHeadData::ReadExtendedLineTypes(CArchive& ar)
{
    for (int t = kFirstExtendedLineType; t < kLineTypes; ++t)
        ar >> m_lineTypePattern[t] >> m_lineTypeBits[t] >> m_lineTypePitch[t] >> m_lineTypeValueD[t];
    for (int i = 0; i < kExtendedLineTypes; ++i) {
        ar >> m_lineTypeName[i] >> m_extLineTypeValue[i];
        for (int k = 1; k < kLineTypeParams; ++k)
            ar >> m_extLineTypeParams[i][k];
    }
}

void BCN_JWW_CHeadData::ReadTail(CArchive& ar)
{
    for (size_t i = 0; i < std::size(m_tail4); ++i) {
        ReadValues(ar, m_tail3[i]);
        ar >> m_tail4[i];
    }
    ReadValues(ar, m_tail5);
    ReadValues(ar, m_tail6);
    ReadValues(ar, m_tail7);
    ar >> m_tail8;
    ReadValues(ar, m_tail9);
}
