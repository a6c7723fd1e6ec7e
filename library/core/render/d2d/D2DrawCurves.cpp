#include "render/d2d/D2DrawCore.h"
#include "render/d2d/D2DArcGeometry.h"
#include "render/d2d/D2DMatrix.h"
#include "render/d2d/D2DPathBuilder.h"
#include "render/gdi/DrawBase.h"
#include "figures/FigFlags.h"
#include "figures/FigVisit.h"
#include "geometry/AngleFunctions.h"
#include "geometry/TrigTables.h"
#include <atlbase.h>
#include <d2d1_1.h>

namespace {
// point turned about centre by -tilt, in drawing units: the arc's ends as
// they lie before the render target turns the whole ellipse.
Point2D TurnedBack(const Point2D& point, const Point2D& centre, double tilt)
{
    double angle = SnapAngle90(-tilt), c = LookupCosDeg(angle), s = LookupSinDeg(angle);
    double dx = point.x - centre.x, dy = point.y - centre.y;
    return Point2D(centre.x + dx * c - dy * s, centre.y + dx * s + dy * c);
}

D2D1_RECT_F RectAround(const D2D1_POINT_2F& centre, float halfWidth, float halfHeight)
{
    return D2D1_RECT_F{centre.x - halfWidth, centre.y - halfHeight, centre.x + halfWidth, centre.y + halfHeight};
}

D2D1_ELLIPSE EllipseOf(const D2D1_RECT_F& rect)
{
    return D2D1_ELLIPSE{{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}, (rect.right - rect.left) / 2,
                        (rect.bottom - rect.top) / 2};
}
}

void CD2DrawCore::DrawCircle(B_FigCircle* circle)
{
    DrawCurve(circle, circle->centre, circle->radius, circle->radius, 0.0, nullptr, nullptr);
}

void CD2DrawCore::DrawArc(B_FigArc* arc)
{
    const CircleArcGeom& g = arc->arc;
    DrawCurve(arc, g.centre, g.radius, g.radius, 0.0, &g.start, &g.end);
}

void CD2DrawCore::DrawEllipse(B_FigEllipse* ellipse)
{
    const EllipseGeom& g = ellipse->ellipse;
    DrawCurve(ellipse, g.centre, g.rx, g.ry, g.angle, nullptr, nullptr);
}

void CD2DrawCore::DrawEllipseArc(B_FigEllipseArc* arc)
{
    const EllipseArcGeom& g = arc->arc;
    DrawCurve(arc, g.centre, g.rx, g.ry, g.angle, &g.start, &g.end);
}

// A tilted ellipse is drawn upright under a turned render target, so the
// ends of an arc are turned back first. Arcs run from their end to their
// start clockwise on the screen, which is counter-clockwise from start to
// end in the drawing.
void CD2DrawCore::DrawCurve(const B_Base* figure, const Point2D& centre, double a, double b, double tilt,
                            const Point2D* start, const Point2D* end)
{
    D2D_POINT_2F c = ToDevice(centre);
    D2D1_RECT_F rect = RectAround(c, static_cast<float>(a * m_reader->m_scale),
                                  static_cast<float>(b * m_reader->m_scale));
    if (rect.right - rect.left <= 1.0f || rect.bottom - rect.top <= 1.0f) {
        DrawDot(c, figure->colour);
        return;
    }
    if (DrawPatternedLine(figure))
        return;
    D2D_POINT_2F p = {0.0f, 0.0f}, q = {0.0f, 0.0f};
    if (start && end) {
        p = ToDevice(tilt != 0.0 ? TurnedBack(*end, centre, tilt) : *end);
        q = ToDevice(tilt != 0.0 ? TurnedBack(*start, centre, tilt) : *start);
    }
    if (tilt != 0.0)
        SetTargetTransform(RotationAbout(static_cast<float>(-tilt), c));
    DrawArcShape(figure, rect, p, q);
    if (tilt != 0.0)
        ResetTargetTransform();
}

// Ends that coincide make the whole ellipse; a filled shape has no outline.
void CD2DrawCore::DrawArcShape(const B_Base* figure, const D2D_RECT_F& rect, const D2D_POINT_2F& p,
                               const D2D_POINT_2F& q)
{
    float width = 0;
    ATL::CComPtr<ID2D1SolidColorBrush> brush;
    ATL::CComPtr<ID2D1StrokeStyle> style;
    if (!GetStroke(figure, &width, &brush, &style))
        return;
    bool filled = (figure->flags & FigFlag::Filled) != 0;
    if (p.x == q.x && p.y == q.y) {
        D2D1_ELLIPSE whole = EllipseOf(rect);
        if (filled)
            m_target->FillEllipse(&whole, brush);
        else
            m_target->DrawEllipse(&whole, brush, width, style);
        return;
    }
    auto add = !filled ? AddArcOutline : (figure->flags & FigFlag::Sector) ? AddArcSector : AddArcSegment;
    ATL::CComPtr<ID2D1PathGeometry> path;
    if (!CreatePath(&path) || FAILED(BuildPath(path, [&](ID2D1GeometrySink* sink) { add(sink, rect, p, q); })))
        return;
    if (filled)
        m_target->FillGeometry(path, brush, nullptr);
    else
        m_target->DrawGeometry(path, brush, width, style);
}

void CD2DrawCore::DrawCircleRing(B_FigCircle* circle, double inner)
{
    double v = inner * m_reader->m_scale;
    DrawRing(circle, circle->centre, circle->radius, circle->radius, v, v, 0.0, nullptr, nullptr);
}

void CD2DrawCore::DrawArcRing(B_FigArc* arc, double inner)
{
    const CircleArcGeom& g = arc->arc;
    double v = inner * m_reader->m_scale;
    DrawRing(arc, g.centre, g.radius, g.radius, v, v, 0.0, &g.start, &g.end);
}

namespace {
// The inner half height of an elliptical ring: the band keeps its width all
// round with ConstantRing, else the hole has the ellipse's shape.
double InnerHalfHeight(const B_Base* figure, double a, double b, double innerA)
{
    if (figure->flags & FigFlag::ConstantRing)
        return b - (a - innerA);
    return a != 0.0 ? b * innerA / a : 0.0;
}
}

void CD2DrawCore::DrawEllipseRing(B_FigEllipse* ellipse, double inner)
{
    const EllipseGeom& g = ellipse->ellipse;
    double scale = m_reader->m_scale, v = inner * scale;
    DrawRing(ellipse, g.centre, g.rx, g.ry, v, InnerHalfHeight(ellipse, g.rx * scale, g.ry * scale, v), g.angle,
             nullptr, nullptr);
}

void CD2DrawCore::DrawEllipseArcRing(B_FigEllipseArc* arc, double inner)
{
    const EllipseArcGeom& g = arc->arc;
    double scale = m_reader->m_scale, v = inner * scale;
    DrawRing(arc, g.centre, g.rx, g.ry, v, InnerHalfHeight(arc, g.rx * scale, g.ry * scale, v), g.angle, &g.start,
             &g.end);
}

// a and b are the outer half axes in drawing units, innerA and innerB the
// hole's in device units. Rings have no outline.
void CD2DrawCore::DrawRing(const B_Base* figure, const Point2D& centre, double a, double b, double innerA,
                           double innerB, double tilt, const Point2D* start, const Point2D* end)
{
    D2D_POINT_2F c = ToDevice(centre);
    D2D1_RECT_F outer = RectAround(c, static_cast<float>(a * m_reader->m_scale),
                                   static_cast<float>(b * m_reader->m_scale));
    if (!(outer.right - outer.left > 1.0f && outer.bottom - outer.top > 1.0f)) {
        DrawDot(c, figure->colour);
        return;
    }
    D2D1_RECT_F inner = RectAround(c, static_cast<float>(innerA), static_cast<float>(innerB));
    if (tilt != 0.0)
        SetTargetTransform(RotationAbout(static_cast<float>(-tilt), c));
    if (start && end) {
        D2D_POINT_2F p = ToDevice(tilt != 0.0 ? TurnedBack(*end, centre, tilt) : *end);
        D2D_POINT_2F q = ToDevice(tilt != 0.0 ? TurnedBack(*start, centre, tilt) : *start);
        FillRingSector(figure->colour, outer, inner, p, q);
    } else {
        FillRing(figure->colour, outer, inner);
    }
    if (tilt != 0.0)
        ResetTargetTransform();
}

void CD2DrawCore::FillRing(COLORREF colour, const D2D_RECT_F& outer, const D2D_RECT_F& inner)
{
    ATL::CComPtr<ID2D1SolidColorBrush> brush;
    ATL::CComPtr<ID2D1EllipseGeometry> outside, hole;
    D2D1_ELLIPSE outerEllipse = EllipseOf(outer), innerEllipse = EllipseOf(inner);
    if (!GetBrush(colour, &brush) || FAILED(m_factory->CreateEllipseGeometry(&outerEllipse, &outside)) ||
        FAILED(m_factory->CreateEllipseGeometry(&innerEllipse, &hole)))
        return;
    ID2D1Geometry* parts[] = {outside, hole};
    ATL::CComPtr<ID2D1GeometryGroup> band;
    if (SUCCEEDED(m_factory->CreateGeometryGroup(D2D1_FILL_MODE_ALTERNATE, parts, 2, &band)))
        m_target->FillGeometry(band, brush, nullptr);
}

void CD2DrawCore::FillRingSector(COLORREF colour, const D2D_RECT_F& outer, const D2D_RECT_F& inner,
                                 const D2D_POINT_2F& p, const D2D_POINT_2F& q)
{
    ATL::CComPtr<ID2D1SolidColorBrush> brush;
    ATL::CComPtr<ID2D1PathGeometry> path;
    if (GetBrush(colour, &brush) && CreatePath(&path) && SUCCEEDED(BuildRingSector(path, outer, inner, p, q)))
        m_target->FillGeometry(path, brush, nullptr);
}

HRESULT CD2DrawCore::BuildRingSector(ID2D1PathGeometry* path, const D2D_RECT_F& outer, const D2D_RECT_F& inner,
                                     const D2D_POINT_2F& p, const D2D_POINT_2F& q)
{
    return BuildPath(path, [&](ID2D1GeometrySink* sink) { AddRingSector(sink, outer, inner, p, q); });
}
