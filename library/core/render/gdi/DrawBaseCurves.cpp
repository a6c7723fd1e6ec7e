#include "render/gdi/DrawBase.h"
#include "render/gdi/DrawBasePen.h"
#include "render/gdi/EllipseTilt.h"
#include "figures/FigFlags.h"
#include "figures/FigVisit.h"
#include "geometry/CurvePolygonizer.h"

namespace {
bool IsSmall(const RECT& rect)
{
    return rect.right - rect.left <= 1 || rect.bottom - rect.top <= 1;
}

POINT TopLeft(const RECT& rect)
{
    return POINT{rect.left, rect.top};
}

bool SamePixel(POINT a, POINT b)
{
    return a.x == b.x && a.y == b.y;
}
}

RECT CDrawBase::CurveRect(const Point2D& centre, double rx, double ry)
{
    MapPoint(centre.x - rx, centre.y + ry);
    POINT topLeft = DevicePoint();
    MapPoint(centre.x + rx, centre.y - ry);
    POINT bottomRight = DevicePoint();
    return RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

bool CDrawBase::DrawArcShape(const B_Base& figure, const RECT& rect, POINT start, POINT end)
{
    if (!ShapeFits(rect))
        return SafeBox().Meets(rect) && DrawHugeCurve(figure);
    CMyPen pen(this, &figure);
    if (!(figure.flags & FigFlag::Filled))
        return m_pDC->Arc(&rect, start, end) != FALSE;
    CMyBsh brush(this, figure.colour);
    if (figure.flags & FigFlag::Sector)
        return m_pDC->Pie(&rect, start, end) != FALSE;
    return m_pDC->Chord(&rect, start, end) != FALSE;
}

// A tilted ellipse or ellipse arc as a polygon of at most 100 points; not
// drawn when it would need more.
bool CDrawBase::DrawCurveAsPolyline(const B_Base& curve, bool closed)
{
    CurvePointBuffer buffer(CurvePointBuffer::kStandardCapacity);
    if (PolygonizeCurve(&curve, buffer, 1.0) != 0)
        return false;
    B_FigPolyline polyline(curve);
    polyline.open = closed ? 0 : 1;
    polyline.points = buffer.Points();
    return DrawPolyline(polyline);
}

bool CDrawBase::DrawCircle(const B_FigCircle& circle)
{
    RECT rect = CurveRect(circle.centre, circle.radius, circle.radius);
    if (IsSmall(rect))
        return SetPixelChecked(rect.left, rect.top, circle.colour);
    if (DrawRandomLine(circle))
        return true;
    return DrawArcShape(circle, rect, TopLeft(rect), TopLeft(rect));
}

bool CDrawBase::DrawArc(const B_FigArc& arc)
{
    const CircleArcGeom& g = arc.arc;
    RECT rect = CurveRect(g.centre, g.radius, g.radius);
    if (IsSmall(rect))
        return SetPixelChecked(rect.left, rect.top, arc.colour);
    MapPoint(g.start.x, g.start.y);
    POINT start = DevicePoint();
    MapPoint(g.end.x, g.end.y);
    POINT end = DevicePoint();
    if (SamePixel(start, end))
        return false;
    if (DrawRandomLine(arc))
        return true;
    return DrawArcShape(arc, rect, start, end);
}

bool CDrawBase::DrawEllipse(const B_FigEllipse& ellipse)
{
    const EllipseGeom& g = ellipse.ellipse;
    RECT rect = CurveRect(g.centre, g.rx, g.ry);
    if (IsSmall(rect))
        return SetPixelChecked(rect.left, rect.top, ellipse.colour);
    if (DrawRandomLine(ellipse))
        return true;
    EllipseTilt tilt = ClassifyTilt(g.angle);
    if (tilt == EllipseTilt::Vertical) {
        RECT turned = CurveRect(g.centre, g.ry, g.rx);
        return DrawArcShape(ellipse, turned, TopLeft(turned), TopLeft(turned));
    }
    if (tilt == EllipseTilt::Level || g.rx == g.ry)
        return DrawArcShape(ellipse, rect, TopLeft(rect), TopLeft(rect));
    return DrawCurveAsPolyline(ellipse, true);
}

bool CDrawBase::DrawEllipseArc(const B_FigEllipseArc& arc)
{
    const EllipseArcGeom& g = arc.arc;
    RECT rect = CurveRect(g.centre, g.rx, g.ry);
    if (IsSmall(rect))
        return SetPixelChecked(rect.left, rect.top, arc.colour);
    if (DrawRandomLine(arc))
        return true;
    EllipseTilt tilt = ClassifyTilt(g.angle);
    if (tilt == EllipseTilt::Tilted && g.rx != g.ry)
        return DrawCurveAsPolyline(arc, false);
    if (tilt == EllipseTilt::Vertical)
        rect = CurveRect(g.centre, g.ry, g.rx);
    MapPoint(g.start.x, g.start.y);
    POINT start = DevicePoint();
    MapPoint(g.end.x, g.end.y);
    POINT end = DevicePoint();
    if (SamePixel(start, end))
        return false;
    return DrawArcShape(arc, rect, start, end);
}
