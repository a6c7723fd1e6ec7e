#include "reader/BCN_CImpJWC.h"
#include "figures/B_FigArc.h"
#include "figures/B_FigCircle.h"
#include "figures/B_FigEllipse.h"
#include "figures/B_FigEllipseArc.h"
#include "figures/FigFlags.h"
#include "figures/B_FigImage.h"
#include "figures/B_FigLine.h"
#include "figures/B_FigNode.h"
#include "figures/B_FigPoint.h"
#include "figures/B_FigPointEx.h"
#include "figures/B_FigText.h"
#include "figures/FigFlags.h"
#include "geometry/AngleFunctions.h"
#include "geometry/CurveTransform.h"
#include "jwc/AnsiText.h"
#include "jwc/FigHolder.h"
#include "jwc/HeaderNumber.h"
#include "jwc/JwcBytes.h"
#include "jwc/JwcLoadProgress.h"
#include "jwc/JwcRecords.h"
#include "jwc/JwcSectionLayout.h"
#include "jwc/ReadBlock.h"
#include "reader/RandomLineShape.h"
#include "render/gdi/RandomLineTable.h"
#include "records/ZumenInfo.h"
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>

using namespace jwc;

namespace {
const size_t kFieldBufferSize = 32;
const COLORREF kDisplayOnlyColour = 0xC0C0C0;
const uint16_t kHeaderPointMarker = 2;
const double kMarkerSize = 0.4;
const wchar_t kTextFont[] = L"\xFF2D\xFF33 \x30B4\x30B7\x30C3\x30AF";

// Degrees of a record angle kept in 1/65536 degree.
double RecordAngle(int32_t value)
{
    return value / 65536.0;
}

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

uint32_t HexDigitValue(char c)
{
    return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
}

// The hexadecimal number at *position (before end), which then moves past
// the number and the one separator that follows it.
uint32_t ParseHexNumber(const uint8_t* text, size_t* position, size_t end)
{
    uint32_t value = 0;
    while (*position < end && IsHexDigit(static_cast<char>(text[*position])))
        value = value << 4 | HexDigitValue(static_cast<char>(text[(*position)++]));
    if (*position < end)
        ++*position;
    return value;
}
}

BCN_CImpJWC::BCN_CImpJWC()
    : m_header{}, m_layerBlockPos(0), m_linePos(0), m_curvePos(0), m_textPos(0), m_stringPos(0), m_pointPos(0),
      m_markCount(0), m_pointCount(0), m_lineCount(0), m_curveCount(0), m_textCount(0), m_stringSize(0),
      m_dataOffset(0), m_scale(1.0)
{
}

BCN_CImpJWC::~BCN_CImpJWC() = default;

double BCN_CImpJWC::GetHeaderField(const char* text, int n)
{
    char field[kFieldBufferSize];
    size_t length = 0;
    int separators = 0;
    for (size_t i = 0; i < kHeaderTextSize; ++i) {
        char c = text[i];
        if (c == ',' || c == '\0') {
            if (++separators == n)
                break;
            length = 0;
        } else if (length < kFieldBufferSize) {
            field[length++] = c;
        }
    }
    if (length >= kFieldBufferSize)
        return 0.0;
    field[length] = '\0';
    return std::atof(field);
}

double BCN_CImpJWC::MainField(int n) const
{
    return GetHeaderField(reinterpret_cast<const char*>(m_header + kMainTextOffset), n);
}

void BCN_CImpJWC::SetTextStyle(int style, uint16_t pen, int16_t width, int16_t height, int16_t spacing)
{
    auto put = [this, style](size_t table, uint16_t value) {
        m_header[table + 2 * style] = static_cast<uint8_t>(value);
        m_header[table + 2 * style + 1] = static_cast<uint8_t>(value >> 8);
    };
    put(kStylePenOffset, pen);
    put(kStyleWidthOffset, static_cast<uint16_t>(width));
    put(kStyleHeightOffset, static_cast<uint16_t>(height));
    put(kStyleSpacingOffset, static_cast<uint16_t>(spacing));
}

BOOL BCN_CImpJWC::CheckHeader(CFile& file)
{
    if (file.GetLength() < kHeaderSize)
        return FALSE;
    file.SeekToBegin();
    if (file.Read(m_header, kHeaderSize) != kHeaderSize)
        return FALSE;
    return std::memcmp(m_header, kDrawingSignature, kSignatureSize) == 0;
}

void BCN_CImpJWC::ReadHeader(CFile&)
{
    bool floatScales = std::memcmp(m_header + kFloatScaleMarkOffset, kFloatScaleMark, kFloatScaleMarkSize) == 0;
    m_dataOffset = floatScales ? kDataOffsetFloatScales : kDataOffsetShortScales;
    m_lineCount = TruncateHeaderNumber<int32_t>(MainField(kFieldLineCount));
    m_curveCount = TruncateHeaderNumber<int32_t>(MainField(kFieldCurveCount));
    m_textCount = TruncateHeaderNumber<int32_t>(MainField(kFieldTextCount));
    m_pointCount = TruncateHeaderNumber<int32_t>(MainField(kFieldPointCount));
    m_markCount = TruncateHeaderNumber<int32_t>(MainField(kFieldMarkCount));
    m_stringSize = ReadStringAreaSize();
}

// The header keeps the area's first and last address as two 32-bit values of
// two hexadecimal halves each: a, b, c, d for (a << 16 | b) and (c << 16 | d).
int64_t BCN_CImpJWC::ReadStringAreaSize() const
{
    size_t position = kStringPointersOffset;
    uint32_t halves[4];
    for (uint32_t& half : halves)
        half = ParseHexNumber(m_header, &position, kStringPointersEnd);
    uint32_t first = halves[0] << 16 | halves[1];
    uint32_t last = halves[2] << 16 | halves[3];
    return static_cast<int64_t>(last) - static_cast<int64_t>(first);
}

double BCN_CImpJWC::GroupScale(int group) const
{
    if (m_dataOffset == kDataOffsetFloatScales)
        return F32At(m_header + kGroupScaleOffset + 4 * group);
    return S16At(m_header + kGroupScaleOffset + 2 * group);
}

// Main field 10, or the scale of group 0 when the field gives none, or 1.
double BCN_CImpJWC::DrawingScale() const
{
    double scale = MainField(kFieldScale);
    if (!IsUsableScale(scale))
        scale = GroupScale(0);
    return IsUsableScale(scale) ? scale : 1.0;
}

uint64_t BCN_CImpJWC::ComputeSections()
{
    m_scale = DrawingScale();
    m_layerBlockPos = m_dataOffset;
    JwcSectionLayout layout(m_dataOffset + kLayerBlockSize);
    m_linePos = layout.Place(m_lineCount, JwcLineRecord::kSize);
    m_curvePos = layout.Place(m_curveCount, JwcCurveRecord::kSize);
    m_textPos = layout.Place(m_textCount, JwcTextRecord::kSize);
    m_stringPos = layout.Place(m_stringSize, 1);
    m_pointPos = layout.Place(m_pointCount, JwcPointRecord::kSize);
    return layout.End();
}

int64_t BCN_CImpJWC::TotalRecords() const
{
    int64_t total = 0;
    for (int32_t count : {m_lineCount, m_curveCount, m_textCount, m_pointCount, m_markCount})
        total += std::max<int32_t>(count, 0);
    return total;
}

// A negative count or string area size describes no records: the header is
// damaged.
bool BCN_CImpJWC::HasNegativeSize() const
{
    for (int32_t count : {m_lineCount, m_curveCount, m_textCount, m_pointCount, m_markCount}) {
        if (count < 0)
            return true;
    }
    return m_stringSize < 0;
}

void BCN_CImpJWC::SetFigAttributes(B_Base& fig, uint16_t layer, uint16_t pen, uint16_t lineType)
{
    fig.layer = layer;
    m_usedLayers[(layer >> 5) & 7] |= 1u << (layer & 31);
    fig.flags = static_cast<uint16_t>((fig.flags & ~FigFlag::PenMask) | (pen & 0xF) << 4);
    fig.colour = m_layerBlock.IsDisplayOnly(layer) ? kDisplayOnlyColour : GetPenColor(pen);
    fig.width = 0;
    fig.lineType = lineType;
    if (lineType == kAuxiliaryLineType)
        fig.flags |= FigFlag::Auxiliary;
}

bool BCN_CImpJWC::ConvertLine(const JwcLineRecord& record, B_Base** holder)
{
    B_FigLine line;
    SetFigAttributes(line, record.layer, record.pen, record.lineType);
    line.line.first = Point2D(record.x1, record.y1);
    line.line.second = Point2D(record.x2, record.y2);
    AssignFig(holder, &line);
    return true;
}

bool BCN_CImpJWC::ConvertCurve(const JwcCurveRecord& record, B_Base** holder)
{
    if (record.IsDeleted())
        return false;
    bool closed = record.start == record.end;
    if (record.flatness == JwcCurveRecord::kCircular)
        return closed ? ConvertCircle(record, holder) : ConvertArc(record, holder);
    return closed ? ConvertEllipse(record, holder) : ConvertEllipseArc(record, holder);
}

bool BCN_CImpJWC::ConvertCircle(const JwcCurveRecord& record, B_Base** holder)
{
    B_FigCircle circle;
    SetFigAttributes(circle, record.layer, record.pen, record.lineType);
    circle.centre = Point2D(record.cx, record.cy);
    circle.radius = record.radius;
    AssignFig(holder, &circle);
    return true;
}

bool BCN_CImpJWC::ConvertArc(const JwcCurveRecord& record, B_Base** holder)
{
    B_FigArc arc;
    SetFigAttributes(arc, record.layer, record.pen, record.lineType);
    double r = record.radius;
    double tilt = RecordAngle(record.tilt);
    double start = RecordAngle(record.start) + tilt;
    double end = RecordAngle(record.end) + tilt;
    arc.arc.centre = Point2D(record.cx, record.cy);
    arc.arc.radius = r;
    arc.arc.start = CirclePointDeg(arc.arc.centre, r, start);
    arc.arc.end = CirclePointDeg(arc.arc.centre, r, end);
    AssignFig(holder, &arc);
    return true;
}

namespace {
void SetEllipseGeom(const JwcCurveRecord& record, EllipseGeom& ellipse)
{
    ellipse.centre = Point2D(record.cx, record.cy);
    ellipse.rx = record.radius;
    ellipse.ry = static_cast<double>(record.radius) * record.flatness / 10000.0;
    ellipse.angle = std::fmod(RecordAngle(record.tilt), 360.0);
}
}

bool BCN_CImpJWC::ConvertEllipse(const JwcCurveRecord& record, B_Base** holder)
{
    B_FigEllipse ellipse;
    SetFigAttributes(ellipse, record.layer, record.pen, record.lineType);
    SetEllipseGeom(record, ellipse.ellipse);
    AssignFig(holder, &ellipse);
    return true;
}

bool BCN_CImpJWC::ConvertEllipseArc(const JwcCurveRecord& record, B_Base** holder)
{
    B_FigEllipseArc arc;
    SetFigAttributes(arc, record.layer, record.pen, record.lineType);
    SetEllipseGeom(record, arc.arc);
    double tilt = RecordAngle(record.tilt);
    // The unreduced tilt, as the record gives it.
    arc.arc.start = EllipsePointDeg(arc.arc, RecordAngle(record.start), tilt);
    arc.arc.end = EllipsePointDeg(arc.arc, RecordAngle(record.end), tilt);
    AssignFig(holder, &arc);
    return true;
}

bool BCN_CImpJWC::ConvertText(const JwcTextRecord& record, B_Base** holder)
{
    int style = record.style % kStyleCount;
    B_FigText text;
    SetFigAttributes(text, record.layer, U16At(m_header + kStylePenOffset + 2 * style), 0);
    text.start = Point2D(record.x1, record.y1);
    text.end = Point2D(record.x2, record.y2);
    text.fontName = kTextFont;
    text.textFlags = (record.flags & JwcTextRecord::kVertical) ? TextFlag::Vertical : 0;
    text.width = S16At(m_header + kStyleWidthOffset + 2 * style) / 10.0 * m_scale;
    text.height = S16At(m_header + kStyleHeightOffset + 2 * style) / 10.0 * m_scale;
    text.spacing = S16At(m_header + kStyleSpacingOffset + 2 * style) / 10.0 * m_scale;
    text.angle = std::atan2(text.end.y - text.start.y, text.end.x - text.start.x) * kDegreesPerRadian;
    text.text = m_strings.TextAt(record.stringOffset);
    if (!ConvertImageText(text, holder))
        AssignFig(holder, &text);
    return true;
}

// A text that names an image ("^@BM" file and sizes) becomes the image's
// frame, placed at the text's first point.
bool BCN_CImpJWC::ConvertImageText(const B_FigText& text, B_Base** holder)
{
    B_ImageParams params;
    if (!ParseImageText(text.text, &params, m_path, 0))
        return false;
    B_FigImage frame;
    frame.colour = text.colour;
    frame.layer = text.layer;
    frame.Layout(params, text.start);
    AssignFig(holder, &frame);
    ConvertImages(&params);
    return true;
}

bool BCN_CImpJWC::ConvertPoint(const JwcPointRecord& record, B_Base** holder)
{
    B_FigPoint point;
    SetFigAttributes(point, record.layer, record.pen, 0);
    point.flags &= ~FigFlag::Auxiliary;
    point.position = Point2D(record.x, record.y);
    AssignFig(holder, &point);
    return true;
}

// headerPoints: the x floats of points 0 to 100, then their y floats, then
// their layer bytes.
bool BCN_CImpJWC::ConvertHeaderPoint(int index, const uint8_t* headerPoints, B_Base** holder)
{
    const size_t yOffset = kHeaderPointYOffset - kHeaderPointXOffset;
    const size_t layerOffset = kHeaderPointLayerOffset - kHeaderPointXOffset;
    B_FigPoint point;
    point.layer = headerPoints[layerOffset + index];
    m_usedLayers[point.layer >> 5] |= 1u << (point.layer & 31);
    point.flags = FigFlag::Auxiliary;
    point.position = Point2D(F32At(headerPoints + 4 * index), F32At(headerPoints + yOffset + 4 * index));
    AssignFig(holder, &point);
    return true;
}

template <class Record>
B_FigNode* BCN_CImpJWC::AddConverted(const Record& record, bool (BCN_CImpJWC::*convert)(const Record&, B_Base**))
{
    FigHolder holder;
    if (!(this->*convert)(record, &holder.fig))
        return nullptr;
    std::unique_ptr<B_FigNode> node(new B_FigNode(&holder.fig));
    AddData(node.get(), false);
    return node.release();
}

void BCN_CImpJWC::AddPointRecord(const uint8_t* bytes)
{
    JwcPointRecord record = JwcPointRecord::Decode(bytes);
    B_FigNode* node = AddConverted(record, &BCN_CImpJWC::ConvertPoint);
    if (node && (record.flags & JwcPointRecord::kMarker))
        MakePointExFig(*node, kHeaderPointMarker, 0.0, kMarkerSize);
}

// The header keeps at most points 1 to 100; a larger count stops there.
void BCN_CImpJWC::ReadHeaderPoints(JwcLoadProgress& progress)
{
    progress.BeginSection(JwcLoadProgress::kPointLimit);
    int last = std::min(m_markCount, kHeaderPointLast);
    for (int i = 1; i <= last && !progress.Cancelled(); ++i) {
        FigHolder holder;
        if (ConvertHeaderPoint(i, m_header + kHeaderPointXOffset, &holder.fig)) {
            std::unique_ptr<B_FigNode> node(new B_FigNode(&holder.fig));
            MakePointExFig(*node, kHeaderPointMarker, 0.0, kMarkerSize);
            AddData(node.get(), false);
            node.release();
        }
        if (!progress.Count())
            break;
    }
}

template <class AddRecord>
void BCN_CImpJWC::ReadSection(CFile& file, const JwcSection& section, int limit, JwcLoadProgress& progress,
                              AddRecord add)
{
    JwcRecordStream records(file, section, file.GetLength());
    progress.BeginSection(limit);
    while (!progress.Cancelled()) {
        const uint8_t* bytes = records.Next();
        if (!bytes)
            break;
        add(bytes);
        if (!progress.Count())
            break;
    }
}

// True only when every record the header declares was read: a section cut
// short (by the file's end, a cancel or the limits without a progress
// window) makes the load fail with the figures read so far.
BOOL BCN_CImpJWC::Load(CFile* file)
{
    if (!CheckHeader(*file))
        return FALSE;
    ReadHeader(*file);
    ComputeSections();
    BuildRandomLineTable(this);
    bool sound = !HasNegativeSize();
    if (m_layerBlockPos != 0)
        sound &= ReadBlockAt(*file, m_layerBlockPos, m_layerBlock.Bytes(), kLayerBlockSize);
    sound &= m_strings.Read(*file, m_stringPos, m_stringSize, file->GetLength());

    JwcLoadProgress progress(m_progressWnd, m_cancel, TotalRecords());
    ReadHeaderPoints(progress);
    const int records = JwcLoadProgress::kRecordLimit;
    ReadSection(*file, {m_linePos, m_lineCount, JwcLineRecord::kSize}, records, progress, [this](const uint8_t* bytes) {
        AddConverted(JwcLineRecord::Decode(bytes), &BCN_CImpJWC::ConvertLine);
    });
    ReadSection(*file, {m_curvePos, m_curveCount, JwcCurveRecord::kSize}, records, progress, [this](const uint8_t* bytes) {
        AddConverted(JwcCurveRecord::Decode(bytes), &BCN_CImpJWC::ConvertCurve);
    });
    ReadSection(*file, {m_textPos, m_textCount, JwcTextRecord::kSize}, records, progress, [this](const uint8_t* bytes) {
        AddConverted(JwcTextRecord::Decode(bytes), &BCN_CImpJWC::ConvertText);
    });
    ReadSection(*file, {m_pointPos, m_pointCount, JwcPointRecord::kSize}, JwcLoadProgress::kPointLimit, progress,
                [this](const uint8_t* bytes) { AddPointRecord(bytes); });
    return sound && progress.AllProcessed();
}

double BCN_CImpJWC::ViewTextField(int n) const
{
    return GetHeaderField(reinterpret_cast<const char*>(m_header + kViewTextOffset), n);
}

// The paper size the stored view was made for.
double BCN_CImpJWC::ViewPaperSize() const
{
    double size = MainField(kFieldViewPaperSize);
    return IsUsableScale(size) ? size : kDefaultViewPaperSize;
}

void BCN_CImpJWC::SetupView()
{
    if (m_wholeDrawing) {
        FitExtent(0.0, 0.0);
        return;
    }
    double magnification = ViewTextField(kFieldViewMagnification);
    CDrawBase::m_scale = (m_zoom - 2) / ViewPaperSize() * (magnification > 0.0 ? magnification : 1.0);
    m_devOffsetX = 128 - m_originX;
    m_devOffsetY = m_zoom / 8 - (m_originY + 128);
    m_worldRefX = ViewTextField(kFieldViewX);
    m_worldRefY = ViewTextField(kFieldViewY);
}

void BCN_CImpJWC::FitForPreview(DrawData* request)
{
    double paper = ViewPaperSize();
    FitPreview(*request, ViewTextField(kFieldViewMagnification), paper, paper);
}

float BCN_CImpJWC::ToDeviceLength(double length)
{
    return static_cast<float>(length / m_scale * CDrawBase::m_scale);
}

float BCN_CImpJWC::GetPenWidth(int pen)
{
    if (m_penWidths && pen >= 1 && pen <= 6)
        return static_cast<float>(std::max(1.0, 0.25 * CDrawBase::m_scale));
    return 2.0f;
}

void BCN_CImpJWC::DrawOverlay(CD2DrawCore*)
{
}

COLORREF BCN_CImpJWC::GetPenColor(int pen)
{
    static const COLORREF kPenColours[] = {0xC0C000, 0xFFFFFF, 0x00FF00, 0x00F2FF, 0xC000C0, 0xFF0000};
    return pen >= 1 && pen <= 6 ? kPenColours[pen - 1] : 0xFFFFFF;
}

double BCN_CImpJWC::GetScale()
{
    return DrawingScale();
}

int BCN_CImpJWC::GetFileKind()
{
    return 0;
}

// The built-in square wave of the patterned line types, scaled by 8, 10,
// 12, 14 and 16 for types 11 to 15.
bool BCN_CImpJWC::GetRandomLineShape(uint16_t lineType, RandomLineShape* shape)
{
    static const Point2F kWave[] = {
        {0.4f, 0.2f}, {0.8f, 0.2f}, {1.2f, 0.0f}, {1.6f, 0.0f}, {2.0f, 0.2f},  {2.4f, 0.2f},  {2.8f, 0.0f},
        {3.2f, 0.0f}, {3.5f, 0.2f}, {3.8f, 0.0f}, {4.1f, 0.2f}, {4.5f, 0.2f},  {4.8f, 0.0f},  {5.2f, 0.0f},
        {5.5f, 0.2f}, {5.8f, 0.0f}, {6.1f, 0.2f}, {6.4f, 0.0f}, {6.7f, 0.2f},  {7.1f, 0.2f},  {7.4f, 0.0f},
        {7.8f, 0.0f}, {8.1f, 0.2f}, {8.5f, 0.2f}, {8.8f, 0.0f}, {9.2f, 0.0f},  {9.5f, 0.2f},  {9.8f, 0.0f},
        {10.1f, 0.2f}, {10.4f, 0.0f}, {10.7f, 0.2f}, {11.0f, 0.0f},
    };
    static_assert(1 + sizeof kWave / sizeof kWave[0] == RandomLineShape::kMaxPoints, "stroke start and the wave");
    if (lineType < 11 || lineType > 15)
        return false;
    float factor = 8.0f + 2.0f * (lineType - 11);
    shape->mode = 1;
    shape->lead = 0.0f;
    shape->height = 0.2f * factor;
    shape->kind = 2;
    shape->pointCount = RandomLineShape::kMaxPoints;
    shape->points[0] = Point2F(-32769.0f, 0.0f);
    for (int i = 1; i < RandomLineShape::kMaxPoints; ++i)
        shape->points[i] = Point2F(kWave[i - 1].x * factor, kWave[i - 1].y * factor);
    shape->length = shape->points[RandomLineShape::kMaxPoints - 1].x;
    return true;
}

BOOL BCN_CImpJWC::GetInfo(CFile* file, ZumenInfo* info)
{
    if (!ReadFileFacts(file, kHeaderSize, info) || !CheckHeader(*file))
        return FALSE;
    info->memo = AnsiTextToWide(reinterpret_cast<const char*>(m_header + kMemoOffset), kMemoSize);
    double scale = MainField(kFieldScale);
    if (scale > 0.0 && scale < 1.0) {
        info->scaleNumerator10 = TruncateHeaderNumber<uint32_t>(std::round(10.0 / scale));
        info->scaleDenominator = 1;
    } else {
        info->scaleNumerator10 = 1;
        info->scaleDenominator = scale > 0.0 ? TruncateHeaderNumber<uint32_t>(scale) : 1;
    }
    info->paper = static_cast<uint16_t>(TruncateHeaderNumber<int32_t>(MainField(kFieldPaper)));
    info->entityCount = 0;
    for (int field = kFieldLineCount; field <= kFieldMarkCount; ++field)
        info->entityCount += static_cast<uint16_t>(TruncateHeaderNumber<int32_t>(MainField(field)));
    return TRUE;
}

BOOL BCN_CImpJWC::GetInfoAndLayers(CFile* file, ZumenInfo* info, ZumenLayers* layers)
{
    if (!GetInfo(file, info))
        return FALSE;
    ReadHeader(*file);
    uint8_t names[kNamesBlockSize];
    ReadBlockAt(*file, ComputeSections(), names, sizeof names);
    ReadBlockAt(*file, m_layerBlockPos, m_layerBlock.Bytes(), kLayerBlockSize);
    FillLayerTable(names, layers);
    int writeGroup = (TruncateHeaderNumber<int32_t>(MainField(kFieldWriteLayer)) >> 4) & 0xF;
    layers->groupState[writeGroup] = 3;
    return TRUE;
}

// names: 256 layer names of 8 bytes, then 16 group names of 16 bytes.
void BCN_CImpJWC::FillLayerTable(const uint8_t* names, ZumenLayers* layers) const
{
    const char* text = reinterpret_cast<const char*>(names);
    for (int layer = 0; layer < 256; ++layer)
        layers->layerName[layer] = AnsiTextToWide(text + kLayerNameSize * layer, kLayerNameSize);
    for (int group = 0; group < 16; ++group) {
        layers->groupName[group] = AnsiTextToWide(text + 256 * kLayerNameSize + kGroupNameSize * group, kGroupNameSize);
        layers->groupState[group] = m_layerBlock.TableGroupState(group);
        layers->groupScale[group] = static_cast<float>(GroupScale(group));
        for (int layer = 16 * group; layer < 16 * group + 16; ++layer)
            layers->layerState[layer] = m_layerBlock.TableLayerState(layer);
        layers->layerState[16 * group + m_layerBlock.GroupWriteLayer(group)] = 3;
    }
}
