#include "render/gdi/DrawBase.h"
#include "render/gdi/DevicePixel.h"
#include "render/gdi/DeviceRotation.h"
#include "render/gdi/DrawBasePen.h"
#include "app/TavrenaApp.h"
#include "figures/FigFlags.h"
#include "figures/FigVisit.h"
#include "geometry/AngleFunctions.h"
#include "records/SettingFlag.h"
#include "render/d2d/D2DrawCore.h"

namespace {
const double kHalfDiagonal = 0.7071067811865476;
const uint16_t kDotMarker = 8;

Point2D ToDouble(POINT p)
{
    return Point2D(p.x, p.y);
}
}

bool CDrawBase::DrawMarker(const B_FigPointEx& marker)
{
    MapPoint(marker.position.x, marker.position.y);
    double x = m_devX, y = m_devY;
    POINT p = DevicePoint();
    double size = 2.0;
    if (marker.markerCode != kDotMarker) {
        size = marker.size * m_scale;
        if (size <= 1.0)
            return size >= 0.9 && SetPixelChecked(p.x, p.y, marker.colour);
    }
    CMyPen pen(this, &marker);
    double h = size / 2;
    bool filled = (marker.flags & FigFlag::Filled) != 0;
    DeviceRotation turn(x, y, marker.angle);
    // Lines through the centre to the offsets either side.
    auto cross = [&](const DeviceRotation& rotation, const double (*offsets)[2], int count) {
        bool drawn = false;
        for (int i = 0; i < count; ++i) {
            double dx = offsets[i][0], dy = offsets[i][1];
            drawn |= DrawDeviceSegment(ToDouble(rotation(x - dx, y - dy)), ToDouble(rotation(x + dx, y + dy)));
        }
        return drawn;
    };
    auto outline = [&](POINT* points, size_t corners) {
        points[corners] = points[0];
        if (!filled)
            return DrawDevicePolyline(points, corners + 1);
        CMyBsh brush(this, marker.colour);
        return DrawDevicePolygon(points, corners);
    };
    switch (marker.markerCode) {
    case 1: {
        DeviceRotation none(x, y, 0.0);
        double d = size * kHalfDiagonal;
        const double rays[4][2] = {{size, 0}, {0, size}, {d, d}, {d, -d}};
        return cross(none, rays, 4);
    }
    case 2:
    case kDotMarker: {
        LONG r = ToDevicePixel(size);
        RECT disc = {p.x - r, p.y - r, p.x + r, p.y + r};
        if (!ShapeFits(disc))
            return false;
        if (!filled)
            return m_pDC->Ellipse(&disc) != FALSE;
        CMyBsh brush(this, marker.colour);
        return m_pDC->Ellipse(&disc) != FALSE;
    }
    case 3:
        return SetPixelChecked(p.x, p.y, marker.colour);
    case 4: {
        const double arms[2][2] = {{h, 0}, {0, h}};
        return cross(turn, arms, 2);
    }
    case 5: {
        POINT square[5] = {turn(x - h, y - h), turn(x + h, y - h), turn(x + h, y + h), turn(x - h, y + h)};
        return outline(square, 4);
    }
    case 6: {
        POINT triangle[4] = {turn(x, y - h), turn(x - h, y + h), turn(x + h, y + h)};
        return outline(triangle, 3);
    }
    case 7: {
        double d = h * kHalfDiagonal;
        const double arms[2][2] = {{d, d}, {d, -d}};
        return cross(turn, arms, 2);
    }
    default:
        return false;
    }
}

bool CDrawBase::DrawDimension(const B_FigDim& dim)
{
    if (!dim.text.text.IsEmpty())
        DrawTextFigure(&dim.text);
    for (const B_Base* line : {dim.dimLine, dim.extLine1, dim.extLine2}) {
        if (const B_FigLine* l = FigCast<B_FigLine>(line))
            DrawLine(*l);
    }
    const B_FigPoint* first = FigCast<B_FigPoint>(dim.endPoint1);
    const B_FigPoint* second = FigCast<B_FigPoint>(dim.endPoint2);
    if (!first || !second)
        return true;
    Segment2D direction;
    direction.first = first->position;
    direction.second = second->position;
    double angle = SegmentAngleDeg(direction);
    DrawDimensionEnd(first, dim.terminator1, true, angle);
    DrawDimensionEnd(second, dim.terminator2, false, angle);
    return true;
}

// A terminator laid out for a dimension line along +x (the first end's
// shape on the +x side, the second's on the -x side), then turned to the
// line's direction.
bool CDrawBase::DrawDimensionEnd(const B_Base* end, const B_DimTerminator& terminator, bool first, double angle)
{
    const B_FigPoint* point = FigCast<B_FigPoint>(end);
    if (!point)
        return false;
    double size = terminator.size * m_scale;
    MapPoint(point->position.x, point->position.y);
    double x = m_devX, y = m_devY;
    POINT p = DevicePoint();
    if (!(size > 1.0))
        return size >= 0.9 && SetPixelChecked(p.x, p.y, end->colour);
    CMyPen pen(this, end);
    double length = (first ? 1 : -1) * CosDeg(terminator.halfAngle) * size;
    double w = SinDeg(terminator.halfAngle) * size;
    DeviceRotation turn(x, y, angle);
    int mode = terminator.fillMode;
    // A polygon of corners points: its outline (closed) or, filled, the
    // polygon itself; what each fill mode asks for.
    auto shape = [&](POINT* points, size_t corners, bool outlined) {
        points[corners] = points[0];
        if (outlined)
            return DrawDevicePolyline(points, corners + 1);
        if (mode != 2)
            return false;
        CMyBsh brush(this, end->colour);
        return DrawDevicePolygon(points, corners);
    };
    switch (terminator.kind) {
    case 5:
        return DrawDeviceSegment(Point2D(x, y), ToDouble(turn(x + length, y + w))) |
               DrawDeviceSegment(Point2D(x, y), ToDouble(turn(x + length, y - w)));
    case 8: {
        POINT arrow[4] = {p, turn(x + length, y + w), turn(x + length, y - w)};
        return shape(arrow, 3, mode == 0 || mode == 6);
    }
    case 9: {
        double h = size / 2;
        POINT square[5] = {turn(x - h, y - h), turn(x + h, y - h), turn(x + h, y + h), turn(x - h, y + h)};
        return shape(square, 4, mode == 6);
    }
    case 10: {
        LONG r = ToDevicePixel(size);
        RECT circle = {p.x - r, p.y - r, p.x + r, p.y + r};
        POINT corner = {circle.left, circle.top};
        if (!ShapeFits(circle))
            return false;
        if (mode == 0)
            return m_pDC->Arc(&circle, corner, corner) != FALSE;
        if (mode == 6)
            return m_pDC->Ellipse(&circle) != FALSE;
        if (mode != 2)
            return false;
        CMyBsh brush(this, end->colour);
        return m_pDC->Ellipse(&circle) != FALSE;
    }
    case 11:
    case 12: {
        double d = terminator.kind == 11 ? size / 2 : 0.353553 * size;
        return DrawDeviceSegment(ToDouble(turn(x + d, y + d)), ToDouble(turn(x - d, y - d)));
    }
    default:
        return false;
    }
}

void CDrawBase::DrawReferenceMark(const double point[2], CD2DrawCore* core)
{
    if (!(theApp.m_settings & SettingFlag::PartReferenceMark))
        return;
    B_FigPointEx mark;
    mark.position = Point2D(point[0], point[1]);
    mark.colour = 0x0000FF;
    mark.flags = FigFlag::Auxiliary | FigFlag::Filled;
    mark.markerCode = kDotMarker;
    if (core)
        core->DrawMarker(&mark);
    else
        DrawMarker(mark);
}
