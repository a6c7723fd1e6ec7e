#include "render/gdi/DrawBase.h"
#include "render/gdi/DrawBasePen.h"
#include "render/gdi/DevicePixel.h"
#include "figures/FigFlags.h"
#include "figures/FigVisit.h"
#include "geometry/CurvePolygonizer.h"
#include <afxwin.h>

namespace {
// Beyond the bitmap by this much, nothing can show, not even a thick pen.
const double kMargin = 1024.0;

POINT ToPoint(const Point2D& p)
{
    return POINT{ToDevicePixel(p.x), ToDevicePixel(p.y)};
}
}

DeviceBox CDrawBase::SafeBox() const
{
    return DeviceBox{-kMargin, -kMargin, m_width + kMargin, m_height + kMargin};
}

// A two-point polyline: the pixels of a move and a line to, in one GDI
// call instead of two (the current position is not used by the renderer).
bool CDrawBase::DrawDeviceSegment(Point2D a, Point2D b)
{
    if (!ClipSegment(SafeBox(), a, b))
        return false;
    const POINT ends[2] = {ToPoint(a), ToPoint(b)};
    return m_pDC->Polyline(ends, 2) != FALSE;
}

// In one call while it lies near the bitmap (dashes run on across its
// corners), else segment by segment.
bool CDrawBase::DrawDevicePolyline(const POINT* points, size_t count)
{
    if (count < 2)
        return false;
    if (AllInside(SafeBox(), points, count) && count <= INT_MAX)
        return m_pDC->Polyline(points, static_cast<int>(count)) != FALSE;
    bool drawn = false;
    for (size_t i = 1; i < count; ++i) {
        Point2D a(points[i - 1].x, points[i - 1].y), b(points[i].x, points[i].y);
        drawn |= DrawDeviceSegment(a, b);
    }
    return drawn;
}

bool CDrawBase::DrawDevicePolygon(const POINT* points, size_t count)
{
    if (count < 2)
        return false;
    if (AllInside(SafeBox(), points, count) && count <= INT_MAX)
        return m_pDC->Polygon(points, static_cast<int>(count)) != FALSE;
    std::vector<POINT> clipped = ClipPolygon(SafeBox(), std::vector<POINT>(points, points + count));
    return clipped.size() >= 3 && m_pDC->Polygon(clipped.data(), static_cast<int>(clipped.size())) != FALSE;
}

bool CDrawBase::ShapeFits(const RECT& rect) const
{
    return SafeBox().Meets(rect) && !IsHugeShape(rect);
}

bool CDrawBase::DrawHugeCurve(const B_Base& curve)
{
    CurvePointBuffer buffer(HugeCurveCapacity());
    if (PolygonizeCurve(&curve, buffer, m_scale) != 0)
        return false;
    std::vector<POINT> points;
    DevicePoints(buffer.Points(), points);
    CMyPen pen(this, &curve);
    if (!(curve.flags & FigFlag::Filled))
        return DrawDevicePolyline(points.data(), points.size());
    if (curve.flags & FigFlag::Sector) {
        const B_FigArc* arc = FigCast<B_FigArc>(&curve);
        const B_FigEllipseArc* ellipseArc = FigCast<B_FigEllipseArc>(&curve);
        if (arc || ellipseArc) {
            const Point2D& centre = arc ? arc->arc.centre : ellipseArc->arc.centre;
            MapPoint(centre.x, centre.y);
            points.push_back(DevicePoint());
        }
    }
    CMyBsh brush(this, curve.colour);
    return DrawDevicePolygon(points.data(), points.size());
}
