#include "SampleDrawing.h"

#include <cmath>

namespace jwwrite {

namespace {

const double kPi = 3.14159265358979323846;

// The figures below are laid out on a 9000 x 6000 grid; Jw_cad keeps
// coordinates in paper millimetres with the origin at the paper's centre,
// so the grid becomes 300 x 200 mm centred on the origin of an A3 sheet.
double X(double x)
{
    return (x - 4500) / 30;
}
double Y(double y)
{
    return (y - 3000) / 30;
}
double L(double length)
{
    return length / 30;
}

// A line of a block definition, relative to the block's reference point.
Line BlockLine(double x1, double y1, double x2, double y2)
{
    Line line;
    line.x1 = L(x1);
    line.y1 = L(y1);
    line.x2 = L(x2);
    line.y2 = L(y2);
    line.penColor = 1;
    line.layer = 4;
    return line;
}

Line MakeLine(double x1, double y1, double x2, double y2, uint16_t pen, uint16_t layer = 0)
{
    Line line;
    line.x1 = X(x1);
    line.y1 = Y(y1);
    line.x2 = X(x2);
    line.y2 = Y(y2);
    line.penColor = pen;
    line.layer = layer;
    return line;
}

Curve MakeCurve(double cx, double cy, double radius, double start, double arc, double flatness, double tilt)
{
    Curve curve;
    curve.cx = X(cx);
    curve.cy = Y(cy);
    curve.radius = L(radius);
    curve.startAngle = start;
    curve.arcAngle = arc;
    curve.flatness = flatness;
    curve.tiltAngle = tilt;
    curve.fullCircle = std::fabs(arc) >= 2 * kPi ? 1 : 0;
    curve.penColor = 2;
    return curve;
}

Text MakeText(double x, double y, const JwText& text, double size, uint32_t kind)
{
    Text record;
    record.x1 = X(x);
    record.y1 = Y(y);
    record.x2 = X(x + size * 6);
    record.y2 = Y(y);
    record.width = L(size);
    record.height = L(size);
    record.kind = kind;
    record.font = u"\uFF2D\uFF33 \u30B4\u30B7\u30C3\u30AF";
    record.text = text;
    record.penColor = 3;
    record.layer = 2;
    return record;
}

Point MakePoint(double x, double y, uint8_t style)
{
    Point point;
    point.x = X(x);
    point.y = Y(y);
    point.penStyle = style;
    point.penColor = 5;
    point.code = -2;
    point.scale = 1.0;
    return point;
}

Dimension MakeDimension()
{
    Dimension dimension;
    dimension.layer = 3;
    dimension.line = MakeLine(0, -800, 9000, -800, 1, 3);
    dimension.text = MakeText(4200, -750, "9000", 250, 0);
    dimension.sxfMode = 1;
    dimension.extLine1 = MakeLine(0, -100, 0, -900, 1, 3);
    dimension.extLine2 = MakeLine(9000, -100, 9000, -900, 1, 3);
    dimension.point1 = MakePoint(0, -800, 100);
    dimension.point1.code = 1;
    dimension.point2 = MakePoint(9000, -800, 100);
    dimension.point2.code = 1;
    dimension.point2.angle = kPi;
    dimension.point3 = MakePoint(0, -100, 1);
    dimension.point4 = MakePoint(9000, -100, 1);
    return dimension;
}

Solid MakeSolid(double x, double y, double w, double h, uint16_t pen, uint32_t color)
{
    Solid solid;
    solid.x1 = X(x);
    solid.y1 = Y(y);
    solid.x2 = X(x + w);
    solid.y2 = Y(y);
    solid.x3 = X(x + w);
    solid.y3 = Y(y + h);
    solid.x4 = X(x);
    solid.y4 = Y(y + h);
    solid.penColor = pen;
    solid.penStyle = 1;
    solid.color = color;
    solid.layer = 1;
    return solid;
}

BlockInsert MakeInsert(double x, double y, double rotation)
{
    BlockInsert insert;
    insert.refX = X(x);
    insert.refY = Y(y);
    insert.rotation = rotation;
    insert.blockNo = 1;
    insert.layer = 4;
    return insert;
}

Block WindowBlock()
{
    Block window;
    window.definition.blockNo = 1;
    window.definition.name = u"\u7A93";  // "window"
    window.definition.time = 1700000000;
    window.definition.layer = 4;
    window.entities = {BlockLine(-600, 0, 600, 0), BlockLine(-600, 60, 600, 60), BlockLine(-600, -60, 600, -60),
                       BlockLine(-600, -60, -600, 60), BlockLine(600, -60, 600, 60)};
    return window;
}

void FillContents(Contents& contents)
{
    contents.entities = {
        MakeLine(0, 0, 9000, 0, 1),
        MakeLine(9000, 0, 9000, 6000, 1),
        MakeLine(9000, 6000, 0, 6000, 1),
        MakeLine(0, 6000, 0, 0, 1),
        MakeLine(4500, 0, 4500, 3000, 6),
        MakeCurve(4500, 3000, 900, 0, kPi / 2, 1.0, 0),
        MakeCurve(2000, 4500, 300, 0, 2 * kPi, 1.0, 0),
        MakeCurve(7000, 4500, 800, 0, 2 * kPi, 0.5, kPi / 6),
        MakeCurve(7000, 1500, 600, kPi / 4, -kPi, 0.6, 0),
        MakePoint(1000, 1000, 1),
        MakePoint(8000, 1000, 100),
        MakeText(500, 5500, u"\u30B5\u30F3\u30D7\u30EB\u56F3\u9762", 400, 20000),
        MakeText(500, 200, "Sample drawing", 200, 10000),
        MakeDimension(),
        MakeSolid(200, 200, 600, 600, 10, 0x3080C0),
        MakeSolid(8200, 5200, 600, 600, 4, 0),
        MakeInsert(2250, 6000, 0),
        MakeInsert(9000, 3000, kPi / 2),
    };
    contents.blocks = {WindowBlock()};
}

}  // namespace

Drawing SampleDrawing(uint32_t version)
{
    Drawing drawing;
    drawing.header.version = version;
    drawing.header.memo = u"\u30B5\u30F3\u30D7\u30EB\r\nMakeSampleDrawing";
    drawing.header.paper = 3;
    drawing.header.writeGroup = 0;
    drawing.header.groupState[0] = 3;
    drawing.header.layerState[0][0] = 3;
    drawing.header.groupName[0] = u"\u5E73\u9762\u56F3";
    drawing.header.layerName[0][0] = u"\u58C1";
    drawing.header.viewZoom = 1.0;
    drawing.header.viewCenterX = 0;
    drawing.header.viewCenterY = 0;
    const uint32_t colors[] = {0xFFFFFF, 0x000000, 0x0000FF, 0x00A000, 0xFF0000, 0xC000C0, 0x00C0C0, 0x808080, 0x000080, 0x8080C0};
    for (int p = 0; p < 10; ++p) {
        drawing.header.penColor[p] = colors[p];
        drawing.header.penWidth[p] = 1;
        drawing.header.printWidth[p] = 0.1 + 0.05 * p;
    }
    drawing.header.lineTypePattern[2] = 0x99999999;
    drawing.header.lineTypeBits[2] = 4;
    drawing.header.lineTypePitch[2] = 1;
    drawing.header.timeSpan = 3600;
    FillContents(drawing);
    return drawing;
}

Symbol SampleSymbol(uint32_t version)
{
    Symbol symbol;
    symbol.header.version = version;
    symbol.header.refX = 4500;
    symbol.header.refY = 3000;
    FillContents(symbol);
    return symbol;
}

}  // namespace jwwrite
