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
    POINT start, end;
    if (!ArcEnds(g.start, g.end, start, end))
        return false;
    if (DrawRandomLine(arc))
        return true;
    return DrawArcShape(arc, rect, start, end);
}

bool CDrawBase::DrawEllipse(const B_FigEllipse& ellipse)
{
    return DrawEllipseCurve(ellipse, ellipse.ellipse, nullptr, nullptr);
}

bool CDrawBase::DrawEllipseArc(const B_FigEllipseArc& arc)
{
    const EllipseArcGeom& g = arc.arc;
    return DrawEllipseCurve(arc, g, &g.start, &g.end);
}

// The ends of an arc on the device; false when they fall on one pixel.
bool CDrawBase::ArcEnds(const Point2D& first, const Point2D& second, POINT& start, POINT& end)
{
    MapPoint(first.x, first.y);
    start = DevicePoint();
    MapPoint(second.x, second.y);
    end = DevicePoint();
    return !SamePixel(start, end);
}

// A whole ellipse (no ends) or an elliptic arc. GDI draws it on its
// rectangle when it lies level or stands upright (radii exchanged), else
// it becomes a polygon.
bool CDrawBase::DrawEllipseCurve(const B_Base& curve, const EllipseGeom& g, const Point2D* first,
                                 const Point2D* second)
{
    RECT rect = CurveRect(g.centre, g.rx, g.ry);
    if (IsSmall(rect))
        return SetPixelChecked(rect.left, rect.top, curve.colour);
    if (DrawRandomLine(curve))
        return true;
    EllipseTilt tilt = ClassifyTilt(g.angle);
    if (tilt == EllipseTilt::Tilted && g.rx != g.ry)
        return DrawCurveAsPolyline(curve, first == nullptr);
    if (tilt == EllipseTilt::Vertical)
        rect = CurveRect(g.centre, g.ry, g.rx);
    POINT start = TopLeft(rect), end = start;
    if (first && !ArcEnds(*first, *second, start, end))
        return false;
    return DrawArcShape(curve, rect, start, end);
}
