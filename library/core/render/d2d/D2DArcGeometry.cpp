#include "render/d2d/D2DArcGeometry.h"
#include "geometry/AngleFunctions.h"
#include <cmath>

namespace {
D2D1_POINT_2F Centre(const D2D1_RECT_F& rect)
{
    return D2D1_POINT_2F{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

D2D1_SIZE_F HalfSize(const D2D1_RECT_F& rect)
{
    return D2D1_SIZE_F{(rect.right - rect.left) / 2, (rect.bottom - rect.top) / 2};
}
}

double ArcPointAngle(const D2D1_RECT_F& rect, const D2D1_POINT_2F& point)
{
    D2D1_POINT_2F centre = Centre(rect);
    double angle = std::fmod(ArcTanDeg(point.y - centre.y, point.x - centre.x), 360.0);
    if (angle < 0.0)
        angle += 360.0;
    else if (angle >= 360.0)
        angle -= 360.0;
    return angle;
}

double ArcSweep(const D2D1_RECT_F& rect, const D2D1_POINT_2F& p, const D2D1_POINT_2F& q)
{
    double from = ArcPointAngle(rect, p), to = ArcPointAngle(rect, q);
    return to < from ? to - from + 360.0 : to - from;
}

D2D1_ARC_SEGMENT ArcSegmentTo(const D2D1_RECT_F& rect, const D2D1_POINT_2F& end, double sweep,
                              D2D1_SWEEP_DIRECTION direction)
{
    return D2D1_ARC_SEGMENT{end, HalfSize(rect), 0.0f, direction,
                            sweep > 180.0 ? D2D1_ARC_SIZE_LARGE : D2D1_ARC_SIZE_SMALL};
}

D2D1_POINT_2F InnerRingPoint(const D2D1_RECT_F& outer, const D2D1_RECT_F& inner, const D2D1_POINT_2F& point)
{
    D2D1_POINT_2F centre = Centre(outer);
    D2D1_SIZE_F outerHalf = HalfSize(outer), innerHalf = HalfSize(inner);
    return D2D1_POINT_2F{centre.x + (point.x - centre.x) * (innerHalf.width / outerHalf.width),
                         centre.y + (point.y - centre.y) * (innerHalf.height / outerHalf.height)};
}

void AddArcOutline(ID2D1GeometrySink* sink, const D2D1_RECT_F& rect, const D2D1_POINT_2F& p,
                   const D2D1_POINT_2F& q)
{
    sink->BeginFigure(p, D2D1_FIGURE_BEGIN_FILLED);
    sink->AddArc(ArcSegmentTo(rect, q, ArcSweep(rect, p, q), D2D1_SWEEP_DIRECTION_CLOCKWISE));
    sink->EndFigure(D2D1_FIGURE_END_OPEN);
}

void AddArcSegment(ID2D1GeometrySink* sink, const D2D1_RECT_F& rect, const D2D1_POINT_2F& p,
                   const D2D1_POINT_2F& q)
{
    sink->SetFillMode(D2D1_FILL_MODE_WINDING);
    sink->BeginFigure(p, D2D1_FIGURE_BEGIN_FILLED);
    sink->AddArc(ArcSegmentTo(rect, q, ArcSweep(rect, p, q), D2D1_SWEEP_DIRECTION_CLOCKWISE));
    sink->EndFigure(D2D1_FIGURE_END_CLOSED);
}

void AddArcSector(ID2D1GeometrySink* sink, const D2D1_RECT_F& rect, const D2D1_POINT_2F& p,
                  const D2D1_POINT_2F& q)
{
    sink->SetFillMode(D2D1_FILL_MODE_WINDING);
    sink->BeginFigure(Centre(rect), D2D1_FIGURE_BEGIN_FILLED);
    sink->AddLine(p);
    sink->AddArc(ArcSegmentTo(rect, q, ArcSweep(rect, p, q), D2D1_SWEEP_DIRECTION_CLOCKWISE));
    sink->EndFigure(D2D1_FIGURE_END_CLOSED);
}

void AddRingSector(ID2D1GeometrySink* sink, const D2D1_RECT_F& outer, const D2D1_RECT_F& inner,
                   const D2D1_POINT_2F& p, const D2D1_POINT_2F& q)
{
    double sweep = ArcSweep(outer, p, q);
    D2D1_POINT_2F innerP = InnerRingPoint(outer, inner, p), innerQ = InnerRingPoint(outer, inner, q);
    sink->SetFillMode(D2D1_FILL_MODE_WINDING);
    sink->BeginFigure(innerP, D2D1_FIGURE_BEGIN_FILLED);
    sink->AddLine(p);
    sink->AddArc(ArcSegmentTo(outer, q, sweep, D2D1_SWEEP_DIRECTION_CLOCKWISE));
    sink->AddLine(innerQ);
    sink->AddArc(ArcSegmentTo(inner, innerP, sweep, D2D1_SWEEP_DIRECTION_COUNTER_CLOCKWISE));
    sink->EndFigure(D2D1_FIGURE_END_CLOSED);
}
