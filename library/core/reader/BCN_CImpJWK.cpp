#include "reader/BCN_CImpJWK.h"
#include "jwc/HeaderNumber.h"
#include "jwc/ReadBlock.h"
#include "jwc/JwcRecords.h"
#include "jwc/JwcSectionLayout.h"
#include "records/DrawData.h"
#include "records/ZumenInfo.h"
#include <cstring>

using namespace jwc;

namespace {
// Every part-file text has style pen 1 and 2 x 2 mm characters.
const uint16_t kStylePen = 1;
const int16_t kStyleSize = 20;
const uint64_t kMinimumLength = 400;
const uint64_t kMinimumInfoLength = 200;

// Counts and the string size of the header are kept in 16 bits.
int32_t Truncate16(double value)
{
    return static_cast<uint16_t>(TruncateHeaderNumber<int32_t>(value));
}
}

// The text buffer starts zeroed: a short file leaves part of it unread.
BCN_CImpJWK::BCN_CImpJWK() : m_text{}
{
}

double BCN_CImpJWK::TextField(int n) const
{
    return GetHeaderField(m_text, n);
}

BOOL BCN_CImpJWK::CheckHeader(CFile& file)
{
    if (file.GetLength() < kMinimumLength)
        return FALSE;
    char signature[kSignatureSize];
    file.SeekToBegin();
    if (file.Read(signature, kSignatureSize) != kSignatureSize)
        return FALSE;
    return std::memcmp(signature, kSymbolSignature, kSignatureSize) == 0;
}

void BCN_CImpJWK::ReadHeader(CFile& file)
{
    std::memset(m_header, 0, sizeof m_header);
    for (int style = 0; style < kStyleCount; ++style)
        SetTextStyle(style, kStylePen, kStyleSize, kStyleSize, 0);
    ReadBlockAt(file, kSymbolTextOffset, m_text, sizeof m_text);
    m_dataOffset = kSymbolDataOffset;
    m_lineCount = Truncate16(TextField(kSymbolFieldLineCount));
    m_curveCount = Truncate16(TextField(kSymbolFieldCurveCount));
    m_pointCount = Truncate16(TextField(kSymbolFieldPointCount));
    m_textCount = Truncate16(TextField(kSymbolFieldTextCount));
    m_stringSize = Truncate16(TextField(kSymbolFieldStringSize));
    m_markCount = 0;
    m_scale = 1.0;
    CDrawBase::m_scale = 1.0;
}

// Records follow the header in the order lines, curves, points, texts, then
// the string area.
uint64_t BCN_CImpJWK::ComputeSections()
{
    JwcSectionLayout layout(kSymbolDataOffset);
    m_linePos = layout.Place(m_lineCount, JwcLineRecord::kSize);
    m_curvePos = layout.Place(m_curveCount, JwcCurveRecord::kSize);
    m_pointPos = layout.Place(m_pointCount, JwcPointRecord::kSize);
    m_textPos = layout.Place(m_textCount, JwcTextRecord::kSize);
    m_stringPos = layout.Place(m_stringSize, 1);
    return layout.End();
}

// Texts are built at scale 1 while loading; from the first view on, device
// lengths use the part's own scale.
void BCN_CImpJWK::SetupView()
{
    if (m_wholeDrawing)
        FitExtent(0.0, 0.0);
    else
        CenterView();
    double scale = TextField(kSymbolFieldScale10) / 10.0;
    m_scale = IsUsableScale(scale) ? scale : 1.0;
}

// A part is placed by its origin: the reference mark shows where it is.
void BCN_CImpJWK::DrawOverlay(CD2DrawCore* core)
{
    const double origin[2] = {0.0, 0.0};
    DrawReferenceMark(origin, core);
}

void BCN_CImpJWK::FitForPreview(DrawData* request)
{
    double width = 0.0, height = 0.0;
    ExtentSize(&width, &height);
    FitPreview(*request, 1.0, width, height);
}

double BCN_CImpJWK::GetScale()
{
    return 1.0;
}

int BCN_CImpJWK::GetFileKind()
{
    return 1;
}

BOOL BCN_CImpJWK::GetInfo(CFile* file, ZumenInfo* info)
{
    if (!ReadFileFacts(file, kMinimumInfoLength, info))
        return FALSE;
    ReadHeader(*file);
    info->scaleNumerator10 = 1;
    info->scaleDenominator = 1;
    return TRUE;
}

// A part has no layer table of its own: every layer shown, layer 0 of each
// group and group 0 the write layers.
BOOL BCN_CImpJWK::GetInfoAndLayers(CFile* file, ZumenInfo* info, ZumenLayers* layers)
{
    if (!GetInfo(file, info))
        return FALSE;
    for (int group = 0; group < 16; ++group) {
        std::memset(layers->layerState + 16 * group, 1, 16);
        layers->layerState[16 * group] = 3;
        layers->groupScale[group] = 1.0f;
        layers->groupState[group] = 1;
    }
    layers->groupState[0] = 3;
    return TRUE;
}
