#pragma once
#include <windows.h>
#include <d2d1.h>

// The paths of arcs and ring sectors on the device, where y grows downward.
// An arc runs clockwise on the screen from p to q round the ellipse that
// fills rect; the functions add one figure to an open sink and leave the
// closing to the caller.

// Direction of point seen from the centre of rect, in [0, 360).
double ArcPointAngle(const D2D1_RECT_F& rect, const D2D1_POINT_2F& point);
// The clockwise sweep from p to q, in [0, 360).
double ArcSweep(const D2D1_RECT_F& rect, const D2D1_POINT_2F& p, const D2D1_POINT_2F& q);
// The arc segment to end on the ellipse of rect after sweep degrees.
D2D1_ARC_SEGMENT ArcSegmentTo(const D2D1_RECT_F& rect, const D2D1_POINT_2F& end, double sweep,
                              D2D1_SWEEP_DIRECTION direction);
// The ends of a ring sector's inner arc: point pulled towards the centre of
// outer in the ratio of inner's half sizes to outer's.
D2D1_POINT_2F InnerRingPoint(const D2D1_RECT_F& outer, const D2D1_RECT_F& inner, const D2D1_POINT_2F& point);

// The open arc from p to q.
void AddArcOutline(ID2D1GeometrySink* sink, const D2D1_RECT_F& rect, const D2D1_POINT_2F& p,
                   const D2D1_POINT_2F& q);
// The arc closed by its chord.
void AddArcSegment(ID2D1GeometrySink* sink, const D2D1_RECT_F& rect, const D2D1_POINT_2F& p,
                   const D2D1_POINT_2F& q);
// The pie slice from the centre through the arc.
void AddArcSector(ID2D1GeometrySink* sink, const D2D1_RECT_F& rect, const D2D1_POINT_2F& p,
                  const D2D1_POINT_2F& q);
// The band between the outer arc from p to q and the matching inner arc.
void AddRingSector(ID2D1GeometrySink* sink, const D2D1_RECT_F& outer, const D2D1_RECT_F& inner,
                   const D2D1_POINT_2F& p, const D2D1_POINT_2F& q);
