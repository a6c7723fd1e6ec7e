#include "reader/BCN_CImpJWW.h"
#include "cache/PaperSize.h"
#include "entities/CDataBlock.h"
#include "figures/B_Base.h"
#include "figures/FigFlags.h"
#include "jww/JwwFileCheck.h"
#include "reader/RandomLineShape.h"
#include "records/DrawData.h"
#include "records/ZumenInfo.h"
#include "stream/CJwwArchive.h"
#include "text/ScaleTerms.h"
#include <algorithm>
#include <cstring>

namespace {
const ULONGLONG kSmallestInfoFile = 12;
const double kSecondsPerDay = 86400.0;
const uint8_t kWriteGroupState = 3;

const uint16_t kLastLayer = 255;
const int kLayerCount = 256;
const DWORD kReferenceOnly = 1;  // layer or group state: shown for reference only
const COLORREF kReferenceColour = 0xC0C0C0;
const uint16_t kAuxiliaryPen = 9;
const COLORREF kAuxiliaryColour = 0x8080C0;
const uint16_t kLastStandardPen = 8;
const uint16_t kFirstExtendedColourPen = 101;
const DWORD kVersionExtendedColours = 420;
const uint16_t kPenFieldPens = 16;
const uint16_t kOwnWidthBit = 0x8000;
const WORD kOwnLayerInBlock = 0x40;

const float kDefaultPenWidth = 2.0f;
const float kThinnestPen = 1.0f;

const uint16_t kFirstUserLineType = 1;
const uint16_t kLastUserLineType = 62;
const int kPatternBits = 32;
const uint16_t kFirstRandomLineType = 11;
const uint16_t kLastRandomLineType = 15;
const float kRandomLineStrokeStart = -32769.0f;
const float kRandomLineHeightFactor = 1.2f;

// The memo up to its first line feed.
CStringW FirstLine(const CStringW& memo)
{
    int end = memo.Find(L'\n');
    return end < 0 ? memo : memo.Left(end);
}

bool IsUnusablePattern(DWORD pattern)
{
    return pattern == 0 || pattern == 0xFFFFFFFF;
}

// Collects the runs of a line pattern as alternating dash and gap lengths.
class DashRuns {
public:
    DashRuns(float unit, float dashes[32]) : m_unit(unit), m_dashes(dashes), m_count(0) {}

    void Add(int bits) { m_dashes[m_count++] = bits * m_unit; }
    int Count() const { return m_count; }

private:
    float m_unit;
    float* m_dashes;
    int m_count;
};

// Collects the points of a patterned line's shape: a run of 1 bits lies at
// the shape's height, a run of 0 bits on the line.
class ShapeRuns {
public:
    ShapeRuns(float unit, float height, RandomLineShape& shape) : m_unit(unit), m_height(height), m_shape(shape)
    {
        m_shape.pointCount = 0;
        Append(kRandomLineStrokeStart, 0.0f);
        m_x = 0.0f;
    }

    void Add(bool raised, int bits)
    {
        float y = raised ? m_height : 0.0f;
        m_x += m_unit;
        Append(m_x, y);
        if (bits > 1) {
            m_x += (bits - 1) * m_unit;
            Append(m_x, y);
        }
    }
    float Length() const { return m_x; }

private:
    void Append(float x, float y)
    {
        if (m_shape.pointCount < RandomLineShape::kMaxPoints)
            m_shape.points[m_shape.pointCount++] = Point2F(x, y);
    }

    float m_unit;
    float m_height;
    float m_x;
    RandomLineShape& m_shape;
};
}

BCN_CImpJWW::BCN_CImpJWW() : m_blockLayer(0)
{
}

// The lists hold nothing outside a load; their objects belonged to its archive.
BCN_CImpJWW::~BCN_CImpJWW()
{
    m_entities.RemoveAll();
    m_blocks.RemoveAll();
}

float BCN_CImpJWW::ToDeviceLength(double length)
{
    return static_cast<float>(length * m_scale);
}

// The whole drawing framed by its paper, or the view the drawing was saved
// with.
void BCN_CImpJWW::SetupView()
{
    SIZE paper = GetPaperSizeMm(static_cast<int>(m_header.m_paper));
    if (m_wholeDrawing) {
        FitExtent(paper.cx, paper.cy);
        return;
    }
    double zoom = m_header.m_viewZoom > 0.0 ? m_header.m_viewZoom : 1.0;
    m_scale = zoom * (m_zoom - 2) / std::max(paper.cx, paper.cy);
    int half = m_zoom / 2;
    m_devOffsetX = half - (m_originX - 128);
    m_devOffsetY = half - (m_originY + 128);
    m_worldRefX = m_header.m_viewCenterX;
    m_worldRefY = m_header.m_viewCenterY;
}

float BCN_CImpJWW::GetPenWidth(int pen)
{
    float width = kDefaultPenWidth;
    if (m_penWidths && pen >= BCN_JWW_HeadData::kFirstPrintPen && pen <= BCN_JWW_HeadData::kLastPrintPen)
        width = static_cast<float>(m_header.m_printWidth[pen] * m_scale);
    return std::max(width, kThinnestPen);
}

void BCN_CImpJWW::DrawOverlay(CD2DrawCore*)
{
}

// Pens the header has no colour for are black.
COLORREF BCN_CImpJWW::GetPenColor(int pen)
{
    return pen >= 0 && pen < BCN_JWW_HeadData::kPens ? m_header.m_penColor[pen] : 0;
}

// The dashes of a line type's bit pattern, from bit 31 down: leading 0 bits
// do not count, and only as many bits as the type uses.
bool BCN_CImpJWW::GetUserLineStyle(uint16_t lineType, float dashes[32], int* count)
{
    if (lineType < kFirstUserLineType || lineType > kLastUserLineType)
        return false;
    DWORD pattern = m_header.m_lineTypePattern[lineType];
    DWORD bits = m_header.m_lineTypeBits[lineType];
    if (IsUnusablePattern(pattern) || bits == 0)
        return false;
    DashRuns runs(static_cast<float>(m_header.m_lineTypePitch[lineType]), dashes);
    int dash = 0, gap = 0;
    DWORD counted = 0;
    for (int bit = kPatternBits - 1; bit >= 0 && counted < bits; --bit) {
        bool on = (pattern >> bit) & 1;
        if (!on && dash == 0 && gap == 0 && runs.Count() == 0)
            continue;
        ++counted;
        if (on && gap > 0) {
            runs.Add(gap);
            gap = 0;
        } else if (!on && dash > 0) {
            runs.Add(dash);
            dash = 0;
        }
        ++(on ? dash : gap);
    }
    if (gap > 0)
        runs.Add(gap);
    if (dash > 0)
        runs.Add(dash);
    if (runs.Count() % 2 != 0)
        runs.Add(0);
    *count = runs.Count();
    return runs.Count() > 0;
}

double BCN_CImpJWW::GetScale()
{
    return m_header.m_groupScale[m_header.GetWriteGroup()];
}

int BCN_CImpJWW::GetFileKind()
{
    return 2;
}

// The shape of a patterned line type: one point where each run of its 32
// bits begins and one where it ends.
bool BCN_CImpJWW::GetRandomLineShape(uint16_t lineType, RandomLineShape* shape)
{
    if (lineType < kFirstRandomLineType || lineType > kLastRandomLineType)
        return false;
    DWORD pattern = m_header.m_lineTypePattern[lineType];
    float height = static_cast<float>(m_header.m_randomLineAmplitude[lineType]) * kRandomLineHeightFactor;
    if (IsUnusablePattern(pattern) || height == 0.0f)
        return false;
    ShapeRuns runs(static_cast<float>(m_header.m_lineTypePitch[lineType]), height, *shape);
    bool raised = (pattern >> (kPatternBits - 1)) & 1;
    int length = 0;
    for (int bit = kPatternBits - 1; bit >= 0; --bit) {
        bool on = (pattern >> bit) & 1;
        if (on != raised) {
            runs.Add(raised, length);
            raised = on;
            length = 0;
        }
        ++length;
    }
    runs.Add(raised, length);
    shape->mode = 1;
    shape->lead = 0.0f;
    shape->length = runs.Length();
    shape->height = height;
    shape->kind = 2;
    return true;
}

uint32_t BCN_CImpJWW::GetHeaderTime()
{
    return static_cast<uint32_t>(m_header.m_timeSpan);
}

CStringW BCN_CImpJWW::GetMemo()
{
    return m_header.m_memo;
}

void BCN_CImpJWW::FitForPreview(DrawData* request)
{
    SIZE paper = GetPaperSizeMm(static_cast<int>(m_header.m_paper));
    FitPreview(*request, m_header.m_viewZoom, paper.cx, paper.cy);
}

bool BCN_CImpJWW::CheckHeader(CFile* file)
{
    return IsJwwFile(*file);
}

void BCN_CImpJWW::ReadHeader(CArchive& ar)
{
    m_header.Serialize(ar);
}

void BCN_CImpJWW::SetFigureAttributes(B_Base& figure, uint16_t layerIndex, uint16_t penColor, uint16_t lineType,
                                      uint16_t penWidth, const CDataBlock* insert)
{
    bool ownLayer = !insert || (insert->m_penStyle & kOwnLayerInBlock);
    figure.layer = ownLayer ? std::min(layerIndex, kLastLayer) : m_blockLayer;
    if (layerIndex < kLayerCount)
        m_usedLayers[layerIndex >> 5] |= 1u << (layerIndex & 31);
    uint16_t penField = penColor < kPenFieldPens ? static_cast<uint16_t>(penColor << 4) : 0;
    figure.flags = static_cast<uint16_t>((figure.flags & ~FigFlag::PenMask) | penField);
    figure.colour = LayerColor(layerIndex, penColor);
    figure.width = FigureWidth(penColor, penWidth);
    figure.lineType = lineType;
    if (lineType == kAuxiliaryLineType)
        figure.flags |= FigFlag::Auxiliary;
}

// The pen's colour, or grey on layers shown for reference only.
COLORREF BCN_CImpJWW::LayerColor(uint16_t layerIndex, uint16_t penColor) const
{
    if (layerIndex < kLayerCount) {
        int group = layerIndex / BCN_JWW_HeadData::kLayers, layer = layerIndex % BCN_JWW_HeadData::kLayers;
        if (m_header.m_groupState[group] == kReferenceOnly || m_header.m_layerState[group][layer] == kReferenceOnly)
            return kReferenceColour;
    }
    if (penColor == kAuxiliaryPen)
        return kAuxiliaryColour;
    if (penColor <= kLastStandardPen)
        return m_header.m_penColor[penColor];
    bool extended = m_header.m_version >= kVersionExtendedColours && penColor >= kFirstExtendedColourPen &&
                    penColor < BCN_JWW_HeadData::kPens;
    return extended ? m_header.m_penColor[penColor] : 0;
}

// The entity's own width, or its pen's; bit 0x8000 marks a width in the
// drawing's own unit.
uint16_t BCN_CImpJWW::FigureWidth(uint16_t penColor, uint16_t penWidth) const
{
    if (penWidth != 0)
        return penWidth | kOwnWidthBit;
    uint16_t width = penColor < BCN_JWW_HeadData::kPens ? static_cast<uint16_t>(m_header.m_penWidth[penColor]) : 0;
    LONG mode = m_header.m_widthMode;
    DWORD version = m_header.m_version;
    bool ownUnit = (version > 350 && mode == -101) ||
                   (version >= 600 && ((mode >= -300 && mode <= -201) || (mode >= -500 && mode <= -401)));
    return ownUnit ? width | kOwnWidthBit : width;
}

BOOL BCN_CImpJWW::GetInfo(CFile* file, ZumenInfo* info)
{
    if (!ReadFileFacts(file, kSmallestInfoFile, info) || !ReadHeaderOf(file) || !IsHeaderAccepted())
        return FALSE;
    info->version = m_header.m_version;
    info->memo = FirstLine(m_header.m_memo);
    SetScaleTerms(m_header.m_groupScale[m_header.GetWriteGroup()], info);
    info->paper = m_header.m_paper;
    info->timeSpanDays = m_header.m_timeSpan / kSecondsPerDay;
    return TRUE;
}

bool BCN_CImpJWW::IsHeaderAccepted() const
{
    return std::memcmp(m_header.m_magic, "JwwData.", sizeof m_header.m_magic) == 0 &&
           IsAcceptedJwwVersion(m_header.m_version);
}

BOOL BCN_CImpJWW::GetInfoAndLayers(CFile* file, ZumenInfo* info, ZumenLayers* layers)
{
    if (!GetInfo(file, info))
        return FALSE;
    FillLayers(layers, true);
    return TRUE;
}

// A load that ended well read the same header that GetInfo would read
// again; the thumbnail takes its layer table from here.
bool BCN_CImpJWW::GetLoadedLayerStates(ZumenLayers* layers)
{
    if (m_loadState != LoadState::Done || !IsHeaderAccepted())
        return false;
    FillLayers(layers, false);
    return true;
}

// The write group shows as state 3.
void BCN_CImpJWW::FillLayers(ZumenLayers* layers, bool withNames) const
{
    for (int group = 0; group < BCN_JWW_HeadData::kGroups; ++group) {
        layers->groupState[group] = static_cast<uint8_t>(m_header.m_groupState[group]);
        layers->groupScale[group] = static_cast<float>(m_header.m_groupScale[group]);
        if (withNames)
            layers->groupName[group] = m_header.m_groupName[group];
        for (int layer = 0; layer < BCN_JWW_HeadData::kLayers; ++layer) {
            int index = group * BCN_JWW_HeadData::kLayers + layer;
            layers->layerState[index] = static_cast<uint8_t>(m_header.m_layerState[group][layer]);
            if (withNames)
                layers->layerName[index] = m_header.m_layerName[group][layer];
        }
    }
    layers->groupState[m_header.GetWriteGroup()] = kWriteGroupState;
}

bool BCN_CImpJWW::ReadHeaderOf(CFile* file)
{
    try {
        file->SeekToBegin();
        CJwwArchive ar(file);
        ReadHeader(ar);
        ar.Close();
        return true;
    } catch (CException* error) {
        error->Delete();
    } catch (...) {
    }
    return false;
}

void BCN_CImpJWW::SetScaleTerms(double scale, ZumenInfo* info)
{
    ScaleTerms terms = ScaleTermsOf(scale);
    info->scaleNumerator10 = terms.numerator10;
    info->scaleDenominator = terms.denominator;
}
