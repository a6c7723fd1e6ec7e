#include "JwcWriter.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "ByteWriter.h"

namespace jwwrite {

namespace {

const size_t kTextFieldSize = 200;

void F32(ByteWriter& out, float value)
{
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    out.U32(bits);
}

void PadTo(ByteWriter& out, size_t offset)
{
    if (out.Size() < offset)
        out.Fill(0, offset - out.Size());
}

// size bytes: the text cut to size, then NULs.
void FixedText(ByteWriter& out, const std::string& text, size_t size)
{
    out.Raw(text.data(), std::min(text.size(), size));
    if (text.size() < size)
        out.Fill(0, size - text.size());
}

// Fields 1 to the highest one given, separated by commas.
std::string FieldText(const JwcFields& fields)
{
    std::string text;
    int last = fields.empty() ? 0 : fields.rbegin()->first;
    for (int n = 1; n <= last; ++n) {
        auto field = fields.find(n);
        if (n > 1)
            text += ',';
        if (field != fields.end())
            text += field->second;
    }
    return text;
}

void Default(JwcFields& fields, int n, size_t value)
{
    fields.emplace(n, std::to_string(value));
}

void Lines(ByteWriter& out, const std::vector<JwcLine>& lines)
{
    for (const JwcLine& line : lines) {
        for (float v : {line.x1, line.y1, line.x2, line.y2})
            F32(out, v);
        out.U8(line.lineType);
        out.U8(line.pen);
        out.U8(line.layer);
        out.Fill(0, 3);
    }
}

void Curves(ByteWriter& out, const std::vector<JwcCurve>& curves)
{
    for (const JwcCurve& curve : curves) {
        for (float v : {curve.cx, curve.cy, curve.radius})
            F32(out, v);
        out.U16(static_cast<uint16_t>(curve.flatness));
        out.I32(curve.start);
        out.I32(curve.end);
        out.I32(curve.tilt);
        out.U8(curve.lineType);
        out.U8(curve.pen);
        out.U8(curve.layer);
        out.Fill(0, 3);
    }
}

void Texts(ByteWriter& out, const std::vector<JwcText>& texts)
{
    for (const JwcText& text : texts) {
        for (float v : {text.x1, text.y1, text.x2, text.y2})
            F32(out, v);
        out.U32(text.stringOffset);
        out.U8(text.style);
        out.U8(text.layer);
        out.U8(text.flags);
        out.U8(0);
    }
}

void Points(ByteWriter& out, const std::vector<JwcPoint>& points)
{
    for (const JwcPoint& point : points) {
        F32(out, point.x);
        F32(out, point.y);
        out.U8(point.layer);
        out.U8(point.pen);
        out.U8(point.flags);
        out.U8(0);
    }
}

// The area's first and last address, each as two hexadecimal halves.
std::string StringPointers(uint32_t first, size_t size)
{
    uint32_t last = first + static_cast<uint32_t>(size);
    char text[64];
    std::snprintf(text, sizeof text, "%x,%x,%x,%x,", first >> 16, first & 0xFFFF, last >> 16, last & 0xFFFF);
    return text;
}

void HeaderPoints(ByteWriter& out, const std::vector<JwcHeaderPoint>& points)
{
    // Point 0 is not used; points 1 to 100 follow it.
    const size_t slots = 101;
    PadTo(out, 800);
    for (size_t i = 0; i < slots; ++i)
        F32(out, i >= 1 && i <= points.size() ? points[i - 1].x : 0.0f);
    for (size_t i = 0; i < slots; ++i)
        F32(out, i >= 1 && i <= points.size() ? points[i - 1].y : 0.0f);
    for (size_t i = 0; i < slots; ++i)
        out.U8(i >= 1 && i <= points.size() ? points[i - 1].layer : 0);
}

void Styles(ByteWriter& out, const JwcTextStyle (&styles)[11])
{
    for (const JwcTextStyle& style : styles)
        out.U16(style.pen);
    for (const JwcTextStyle& style : styles)
        out.U16(static_cast<uint16_t>(style.width));
    for (const JwcTextStyle& style : styles)
        out.U16(static_cast<uint16_t>(style.height));
    for (const JwcTextStyle& style : styles)
        out.U16(static_cast<uint16_t>(style.spacing));
}

void LayerBlock(ByteWriter& out, const JwcDrawing& drawing)
{
    out.Raw(drawing.groupFlag, 16);
    out.Raw(drawing.layerFlag, 256);
    out.Raw(drawing.groupState, 16);
    out.Raw(drawing.layerState, 256);
    out.Raw(drawing.groupWriteLayer, 16);
}

void Names(ByteWriter& out, const JwcDrawing& drawing)
{
    for (const std::string& name : drawing.layerNames)
        FixedText(out, name, 8);
    for (const std::string& name : drawing.groupNames)
        FixedText(out, name, 16);
}

void JwcHeader(ByteWriter& out, const JwcDrawing& drawing)
{
    JwcFields main = drawing.mainFields;
    Default(main, 1, drawing.lines.size());
    Default(main, 2, drawing.curves.size());
    Default(main, 3, drawing.texts.size());
    Default(main, 4, drawing.points.size());
    Default(main, 5, drawing.headerPoints.size());
    out.Raw("jw_cad(c)data.......", 20);
    if (drawing.floatScales)
        out.Raw("a.f.m", 5);
    PadTo(out, 40);
    FixedText(out, drawing.memo, 64);
    PadTo(out, 200);
    FixedText(out, FieldText(main), kTextFieldSize);
    FixedText(out, FieldText(drawing.viewFields), kTextFieldSize);
    std::string pointers = drawing.stringPointers.empty()
                               ? StringPointers(drawing.stringAddress, drawing.strings.size())
                               : drawing.stringPointers;
    FixedText(out, pointers, kTextFieldSize);
    HeaderPoints(out, drawing.headerPoints);
    Styles(out, drawing.styles);
    for (double scale : drawing.groupScale) {
        if (drawing.floatScales)
            F32(out, static_cast<float>(scale));
        else
            out.U16(static_cast<uint16_t>(static_cast<int16_t>(scale)));
    }
}

}  // namespace

JwcDrawing::JwcDrawing()
{
    for (double& scale : groupScale)
        scale = 1.0;
    std::memset(groupFlag, 0, sizeof groupFlag);
    std::memset(layerFlag, 0, sizeof layerFlag);
    std::memset(groupState, 2, sizeof groupState);
    std::memset(layerState, 2, sizeof layerState);
    std::memset(groupWriteLayer, 0, sizeof groupWriteLayer);
}

std::vector<uint8_t> WriteJwc(const JwcDrawing& drawing)
{
    ByteWriter out;
    JwcHeader(out, drawing);
    LayerBlock(out, drawing);
    Lines(out, drawing.lines);
    Curves(out, drawing.curves);
    Texts(out, drawing.texts);
    out.Raw(drawing.strings.data(), drawing.strings.size());
    Points(out, drawing.points);
    if (drawing.withNames)
        Names(out, drawing);
    return out.Bytes();
}

std::vector<uint8_t> WriteJwk(const JwkSymbol& symbol)
{
    JwcFields fields = symbol.fields;
    Default(fields, 1, symbol.lines.size());
    Default(fields, 2, symbol.curves.size());
    Default(fields, 3, symbol.points.size());
    Default(fields, 4, symbol.texts.size());
    Default(fields, 7, 10);
    Default(fields, 8, symbol.strings.size());
    ByteWriter out;
    out.Raw("jw_cad(c)sym........", 20);
    PadTo(out, 200);
    FixedText(out, FieldText(fields), kTextFieldSize);
    Lines(out, symbol.lines);
    Curves(out, symbol.curves);
    Points(out, symbol.points);
    Texts(out, symbol.texts);
    out.Raw(symbol.strings.data(), symbol.strings.size());
    return out.Bytes();
}

}  // namespace jwwrite
