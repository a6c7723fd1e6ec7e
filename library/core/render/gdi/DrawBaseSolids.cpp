#include "render/gdi/DrawBase.h"
#include "render/gdi/DrawBasePen.h"
#include "render/gdi/EllipseTilt.h"
#include "figures/FigFlags.h"
#include "figures/FigVisit.h"
#include "geometry/AngleFunctions.h"
#include "geometry/CurvePolygonizer.h"
#include <algorithm>
#include <cmath>

namespace {
// Into a buffer of capacity bytes: the standard 100 points at radius factor
// 1, or, at device precision (a factor of the scale), one that holds any
// curve of the device range.
bool Flatten(const B_Base& curve, std::vector<Point2D>& points, double radiusFactor, uint32_t capacity)
{
    CurvePointBuffer buffer(capacity);
    if (PolygonizeCurve(&curve, buffer, radiusFactor) != 0)
        return false;
    points = buffer.Points();
    return true;
}


// The inner radius across the axis: the ring keeps the ellipse's
// proportions, or (constant-width rings) its width.
double InnerMinorRadius(const B_Base& figure, const EllipseGeom& g, double inner)
{
    if (figure.flags & FigFlag::ConstantRing)
        return g.ry - (g.rx - inner);
    return g.rx != 0.0 ? g.ry * (inner / g.rx) : 0.0;
}

// p moved towards the centre in the ellipse's own frame, scaled by sx
// along its axis and by sy across it.
Point2D ScaleInFrame(const Point2D& p, const EllipseGeom& g, double sx, double sy)
{
    double angle = SnapAngle90(g.angle);
    double c = CosDeg(angle), s = SinDeg(angle);
    double dx = p.x - g.centre.x, dy = p.y - g.centre.y;
    double u = (dx * c + dy * s) * sx, v = (-dx * s + dy * c) * sy;
    return Point2D(g.centre.x + u * c - v * s, g.centre.y + u * s + v * c);
}
}

bool CDrawBase::DrawSolid(const B_FigSolid& solid)
{
    const B_Base* child = solid.child;
    if (!child)
        return false;
    const B_FigPolyline* outline = FigCast<B_FigPolyline>(child);
    if (solid.kind <= B_FigSolid::kLastPolygonKind)
        return outline && DrawPolyline(*outline);
    if (B_FigSolid::IsRingKind(solid.kind)) {
        double inner = solid.parameter;
        if (const B_FigCircle* circle = FigCast<B_FigCircle>(child)) {
            RECT outer = CurveRect(circle->centre, circle->radius, circle->radius);
            if (outer.right - outer.left <= 1 || outer.bottom - outer.top <= 1)
                return SetPixelChecked(outer.left, outer.top, circle->colour);
            RECT hole = CurveRect(circle->centre, inner, inner);
            if (!IsHugeShape(outer) && !IsHugeShape(hole))
                return FillRing(circle->colour, outer, hole);
            B_FigCircle innerCircle(*circle);
            innerCircle.radius = inner;
            return FillPolygonRing(circle->colour, *circle, innerCircle, m_scale, HugeCurveCapacity());
        }
        if (const B_FigArc* arc = FigCast<B_FigArc>(child))
            return DrawArcRing(*arc, inner);
        if (const B_FigEllipse* ellipse = FigCast<B_FigEllipse>(child))
            return DrawEllipseRing(*ellipse, inner);
        if (const B_FigEllipseArc* ellipseArc = FigCast<B_FigEllipseArc>(child))
            return DrawEllipseArcRing(*ellipseArc, inner);
        return false;
    }
    if (solid.parameter == B_FigSolid::kNoParameter)
        return outline && DrawPolyline(*outline);
    switch (child->typeCode) {
    case FigCode::Circle:
    case FigCode::Arc:
    case FigCode::Ellipse:
    case FigCode::EllipseArc:
        return DrawFigure(child);
    default:
        return false;
    }
}

bool CDrawBase::FillRing(COLORREF colour, const RECT& outer, const RECT& inner)
{
    if (!SafeBox().Meets(outer))
        return false;
    CRgn outerRgn, innerRgn;
    outerRgn.CreateEllipticRgnIndirect(&outer);
    innerRgn.CreateEllipticRgnIndirect(&inner);
    return FillXor(colour, outerRgn, innerRgn);
}

// What lies in one region and not the other, in a solid colour without an
// outline; nothing when that is empty.
bool CDrawBase::FillXor(COLORREF colour, CRgn& first, CRgn& second)
{
    CRgn band;
    if (!band.CreateRectRgn(0, 0, 0, 0))
        return false;
    int kind = band.CombineRgn(&first, &second, RGN_XOR);
    if (kind == ERROR || kind == NULLREGION)
        return false;
    CBrush own;
    CBrush* brush = m_passBrushes.Get(BrushKey{VisibleColor(colour), false});
    if (!brush) {
        own.CreateSolidBrush(VisibleColor(colour));
        brush = &own;
    }
    return m_pDC->FillRgn(&band, brush) != FALSE;
}

void CDrawBase::DevicePoints(const std::vector<Point2D>& world, std::vector<POINT>& device)
{
    device.clear();
    device.reserve(world.size());
    for (const Point2D& p : world) {
        MapPoint(p.x, p.y);
        device.push_back(DevicePoint());
    }
}

// The band between two flattened curves, filled as the XOR of their
// polygon regions (cut to the box first: a region is built scanline by
// scanline over all of its height). A hole too small to flatten, or one
// that lies wholly beyond the box, takes nothing out of the band.
bool CDrawBase::FillPolygonRing(COLORREF colour, const B_Base& outer, const B_Base& inner, double radiusFactor,
                                uint32_t capacity)
{
    std::vector<POINT> outerPoints, innerPoints;
    if (!ClippedCurve(outer, radiusFactor, capacity, outerPoints))
        return false;
    CRgn outerRgn, innerRgn;
    outerRgn.CreatePolygonRgn(outerPoints.data(), static_cast<int>(outerPoints.size()), WINDING);
    if (ClippedCurve(inner, radiusFactor, capacity, innerPoints))
        innerRgn.CreatePolygonRgn(innerPoints.data(), static_cast<int>(innerPoints.size()), WINDING);
    else
        innerRgn.CreateRectRgn(0, 0, 0, 0);
    return FillXor(colour, outerRgn, innerRgn);
}

// The curve flattened, mapped and cut to the box; false when it cannot be
// flattened or nothing of it is left to make a polygon.
bool CDrawBase::ClippedCurve(const B_Base& curve, double radiusFactor, uint32_t capacity, std::vector<POINT>& points)
{
    std::vector<Point2D> world;
    if (!Flatten(curve, world, radiusFactor, capacity))
        return false;
    DevicePoints(world, points);
    points = ClipPolygon(SafeBox(), points);
    return points.size() >= 3;
}

// The outer arc forward, the inner one back: one filled polygon in the
// outer arc's colour.
bool CDrawBase::DrawRingPolygon(const B_Base& outer, const B_Base& inner)
{
    std::vector<Point2D> outerPoints, innerPoints;
    const uint32_t capacity = CurvePointBuffer::kStandardCapacity;
    if (!Flatten(outer, outerPoints, 1.0, capacity) || !Flatten(inner, innerPoints, 1.0, capacity))
        return false;
    B_FigPolyline band(outer);
    band.flags |= FigFlag::Filled;
    band.open = 0;
    band.points = std::move(outerPoints);
    band.points.insert(band.points.end(), innerPoints.rbegin(), innerPoints.rend());
    return DrawPolyline(band);
}

bool CDrawBase::DrawArcRing(const B_FigArc& arc, double innerRadius)
{
    const CircleArcGeom& g = arc.arc;
    if (g.radius == 0.0)
        return false;
    double k = innerRadius / g.radius;
    B_FigArc inner;
    inner.arc.centre = g.centre;
    inner.arc.radius = innerRadius;
    inner.arc.start = Point2D(g.centre.x + (g.start.x - g.centre.x) * k, g.centre.y + (g.start.y - g.centre.y) * k);
    inner.arc.end = Point2D(g.centre.x + (g.end.x - g.centre.x) * k, g.centre.y + (g.end.y - g.centre.y) * k);
    return DrawRingPolygon(arc, inner);
}

bool CDrawBase::DrawEllipseRing(const B_FigEllipse& ellipse, double innerRadius)
{
    const EllipseGeom& g = ellipse.ellipse;
    RECT outer = CurveRect(g.centre, g.rx, g.ry);
    if (outer.right - outer.left <= 1 || outer.bottom - outer.top <= 1)
        return SetPixelChecked(outer.left, outer.top, ellipse.colour);
    double innerRy = InnerMinorRadius(ellipse, g, innerRadius);
    B_FigEllipse inner(ellipse);
    inner.ellipse.rx = innerRadius;
    inner.ellipse.ry = innerRy;
    if (IsHugeShape(outer) || IsHugeShape(CurveRect(g.centre, innerRadius, innerRy)))
        return FillPolygonRing(ellipse.colour, ellipse, inner, m_scale, HugeCurveCapacity());
    EllipseTilt tilt = ClassifyTilt(g.angle);
    if (tilt != EllipseTilt::Tilted || g.rx == g.ry) {
        if (tilt == EllipseTilt::Vertical)
            return FillRing(ellipse.colour, CurveRect(g.centre, g.ry, g.rx), CurveRect(g.centre, innerRy, innerRadius));
        return FillRing(ellipse.colour, outer, CurveRect(g.centre, innerRadius, innerRy));
    }
    return FillPolygonRing(ellipse.colour, ellipse, inner, 1.0, CurvePointBuffer::kStandardCapacity);
}

bool CDrawBase::DrawEllipseArcRing(const B_FigEllipseArc& arc, double innerRadius)
{
    const EllipseArcGeom& g = arc.arc;
    if (g.rx == 0.0 || g.ry == 0.0)
        return false;
    B_FigEllipseArc inner(arc);
    inner.arc.rx = innerRadius;
    inner.arc.ry = InnerMinorRadius(arc, g, innerRadius);
    double sx = inner.arc.rx / g.rx, sy = inner.arc.ry / g.ry;
    inner.arc.start = ScaleInFrame(g.start, g, sx, sy);
    inner.arc.end = ScaleInFrame(g.end, g, sx, sy);
    return DrawRingPolygon(arc, inner);
}
