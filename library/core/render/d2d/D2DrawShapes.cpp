#include "render/d2d/D2DrawCore.h"
#include "render/d2d/D2DPathBuilder.h"
#include "render/gdi/DeviceRotation.h"
#include "render/gdi/DrawBase.h"
#include "figures/FigFlags.h"
#include "figures/FigVisit.h"
#include "geometry/TrigTables.h"
#include <atlbase.h>
#include <d2d1.h>
#include <cmath>
#include <vector>

namespace {
// Turns points about centre by angle with the very turn the GDI renderer
// gives its marks, so that both point an arrow along its line.
void TurnPoints(const D2D1_POINT_2F& centre, double angle, D2D1_POINT_2F* points, int count)
{
    DeviceRotation turn(centre.x, centre.y, angle);
    for (int i = 0; i < count; ++i) {
        Point2D turned = turn.Exact(points[i].x, points[i].y);
        points[i] = D2D1_POINT_2F{static_cast<float>(turned.x), static_cast<float>(turned.y)};
    }
}

// Whether every point after the first lies within a device unit of it.
bool CollapsesToFirst(const std::vector<D2D1_POINT_2F>& points)
{
    for (const D2D1_POINT_2F& point : points)
        if (std::fabs(point.x - points[0].x) > 1.0f || std::fabs(point.y - points[0].y) > 1.0f)
            return false;
    return true;
}
}

void CD2DrawCore::DrawLine(B_FigLine* line)
{
    D2D_POINT_2F from = ToDevice(line->line.first), to = ToDevice(line->line.second);
    if (std::fabs(from.x - to.x) <= 1.0f && std::fabs(from.y - to.y) <= 1.0f) {
        DrawDot(from, line->colour);
        return;
    }
    if (DrawPatternedLine(line))
        return;
    float width = 0;
    ATL::CComPtr<ID2D1SolidColorBrush> brush;
    ATL::CComPtr<ID2D1StrokeStyle> style;
    if (GetStroke(line, &width, &brush, &style))
        m_target->DrawLine(from, to, brush, width, style);
}

// Line types 11 to 15 are drawn as the shape their type lays along the
// figure; false leaves the figure to its plain drawing.
bool CD2DrawCore::DrawPatternedLine(const B_Base* figure)
{
    if (figure->lineType < RandomLineEntry::kFirstType || figure->lineType > RandomLineEntry::kLastType)
        return false;
    std::vector<Point2D> shape;
    RandomLineBuilder& builder = m_reader->m_randomLine;
    bool built = builder.Build(figure, shape, m_reader->m_scale);
    builder.ClearPoints();
    if (!built || shape.size() < 2 || shape.size() > RandomLineBuilder::kMaxOutputPoints)
        return false;
    std::vector<D2D1_POINT_2F> points;
    points.reserve(shape.size());
    for (const Point2D& point : shape)
        points.push_back(ToDevice(point));
    float width = 0;
    ATL::CComPtr<ID2D1SolidColorBrush> brush;
    ATL::CComPtr<ID2D1StrokeStyle> style;
    ATL::CComPtr<ID2D1PathGeometry> path;
    if (!GetStroke(figure, &width, &brush, &style) || !CreatePath(&path) ||
        FAILED(BuildPolyPath(path, points.data(), points.size(), false)))
        return true;
    if (CollapsesToFirst(points))
        DrawDot(points[0], figure->colour);
    else
        m_target->DrawGeometry(path, brush, width, style);
    return true;
}

// A filled polygon gets its outline as well.
void CD2DrawCore::DrawPolyline(B_FigPolyline* polyline)
{
    if (polyline->points.size() < 2 || DrawPatternedLine(polyline))
        return;
    std::vector<D2D1_POINT_2F> points;
    points.reserve(polyline->points.size());
    for (const Point2D& point : polyline->points)
        points.push_back(ToDevice(point));
    bool filled = (polyline->flags & FigFlag::Filled) != 0;
    float width = 0;
    ATL::CComPtr<ID2D1SolidColorBrush> brush;
    ATL::CComPtr<ID2D1StrokeStyle> style;
    ATL::CComPtr<ID2D1PathGeometry> path;
    if (!GetStroke(polyline, &width, &brush, &style) || !CreatePath(&path) ||
        FAILED(BuildPolyPath(path, points.data(), points.size(), filled || polyline->open != 1)))
        return;
    if (CollapsesToFirst(points)) {
        DrawDot(points[0], polyline->colour);
        return;
    }
    if (filled && (polyline->flags & FigFlag::Hatched))
        FillHatched(path, 0.0f);
    else if (filled)
        m_target->FillGeometry(path, brush, nullptr);
    m_target->DrawGeometry(path, brush, width, style);
}

void CD2DrawCore::DrawLines(const D2D_POINT_2F* ends, int count, ID2D1SolidColorBrush* brush)
{
    for (int i = 0; i + 1 < count; i += 2)
        m_target->DrawLine(ends[i], ends[i + 1], brush, 1.0f, nullptr);
}

void CD2DrawCore::DrawPolygon(const D2D_POINT_2F* corners, int count, bool fill, bool outline,
                              ID2D1SolidColorBrush* brush)
{
    ATL::CComPtr<ID2D1PathGeometry> path;
    if (!CreatePath(&path) || FAILED(BuildPolyPath(path, corners, static_cast<size_t>(count), true)))
        return;
    if (fill)
        m_target->FillGeometry(path, brush, nullptr);
    if (outline)
        m_target->DrawGeometry(path, brush, 1.0f, nullptr);
}

void CD2DrawCore::DrawRound(const D2D_POINT_2F& centre, float radius, bool fill, bool outline,
                            ID2D1SolidColorBrush* brush)
{
    D2D1_ELLIPSE round = {centre, radius, radius};
    if (fill)
        m_target->FillEllipse(&round, brush);
    if (outline)
        m_target->DrawEllipse(&round, brush, 1.0f, nullptr);
}

// Marks are drawn 1.0 wide and solid whatever the figure's pen; code 8 is the
// reference mark, which keeps its size at every zoom.
void CD2DrawCore::DrawMarker(B_FigPointEx* marker)
{
    D2D_POINT_2F at = ToDevice(marker->position);
    float s = 2.0f;
    if (marker->markerCode != 8) {
        s = static_cast<float>(marker->size * m_reader->m_scale);
        if (s <= 1.0f) {
            if (s >= 0.9f)
                DrawDot(at, marker->colour);
            return;
        }
    }
    float width = 0;
    ATL::CComPtr<ID2D1SolidColorBrush> brush;
    ATL::CComPtr<ID2D1StrokeStyle> style;
    if (!GetStroke(marker, &width, &brush, &style))
        return;
    bool filled = (marker->flags & FigFlag::Filled) != 0;
    float x = at.x, y = at.y, h = s / 2;
    switch (marker->markerCode) {
    case 1: {
        D2D_POINT_2F ends[] = {{x - s, y}, {x + s, y}, {x, y - s}, {x, y + s},
                               {x - s, y - s}, {x + s, y + s}, {x + s, y - s}, {x - s, y + s}};
        DrawLines(ends, 8, brush);
        break;
    }
    case 2:
    case 8: DrawRound(at, s, filled, true, brush); break;
    case 3: DrawDot(at, marker->colour); break;
    case 4: {
        D2D_POINT_2F ends[] = {{x - h, y}, {x + h, y}, {x, y - h}, {x, y + h}};
        TurnPoints(at, marker->angle, ends, 4);
        DrawLines(ends, 4, brush);
        break;
    }
    case 5: {
        D2D_POINT_2F corners[] = {{x - h, y - h}, {x + h, y - h}, {x + h, y + h}, {x - h, y + h}};
        TurnPoints(at, marker->angle, corners, 4);
        DrawPolygon(corners, 4, filled, true, brush);
        break;
    }
    case 6: {
        D2D_POINT_2F corners[] = {{x, y - h}, {x - h, y + h}, {x + h, y + h}};
        TurnPoints(at, marker->angle, corners, 3);
        DrawPolygon(corners, 3, filled, true, brush);
        break;
    }
    case 7: {
        D2D_POINT_2F ends[] = {{x - h, y - h}, {x + h, y + h}, {x + h, y - h}, {x - h, y + h}};
        TurnPoints(at, marker->angle, ends, 4);
        DrawLines(ends, 4, brush);
        break;
    }
    default: break;
    }
}

// The mark at one end of a dimension line, laid out for a line along the
// device x axis (pointing inwards from either end) and turned with it.
void CD2DrawCore::DrawDimensionEnd(const B_Base* end, const B_DimTerminator& terminator, bool first, double angle)
{
    const B_FigPoint* point = FigCast<B_FigPoint>(end);
    if (!point)
        return;
    D2D_POINT_2F at = ToDevice(point->position);
    float s = static_cast<float>(terminator.size * m_reader->m_scale);
    if (s <= 1.0f) {
        if (s >= 0.9f)
            DrawDot(at, point->colour);
        return;
    }
    ATL::CComPtr<ID2D1SolidColorBrush> brush;
    if (!GetBrush(point->colour, &brush))
        return;
    float x = at.x, y = at.y, h = s / 2, side = first ? 1.0f : -1.0f;
    float c = static_cast<float>(s * LookupCosDeg(terminator.halfAngle)) * side;
    float d = static_cast<float>(s * LookupSinDeg(terminator.halfAngle));
    int fill = terminator.fillMode;
    switch (terminator.kind) {
    case 5: {
        D2D_POINT_2F ends[] = {at, {x + c, y + d}, at, {x + c, y - d}};
        TurnPoints(at, angle, ends, 4);
        DrawLines(ends, 4, brush);
        break;
    }
    case 8: {
        D2D_POINT_2F corners[] = {at, {x + c, y + d}, {x + c, y - d}};
        TurnPoints(at, angle, corners, 3);
        DrawPolygon(corners, 3, fill == 2, fill == 0 || fill == 6, brush);
        break;
    }
    case 9: {
        D2D_POINT_2F corners[] = {{x - h, y - h}, {x + h, y - h}, {x + h, y + h}, {x - h, y + h}};
        TurnPoints(at, angle, corners, 4);
        DrawPolygon(corners, 4, fill == 2, fill == 6, brush);
        break;
    }
    case 10: DrawRound(at, s, fill == 0 || fill == 2, fill == 6, brush); break;
    case 11:
    case 12: {
        float t = terminator.kind == 11 ? h : s * 0.353553f;
        D2D_POINT_2F ends[] = {{x + t, y + t}, {x - t, y - t}};
        TurnPoints(at, angle, ends, 2);
        DrawLines(ends, 2, brush);
        break;
    }
    default: break;
    }
}
