#pragma once

#include "geometry/Bounds2D.h"
#include "geometry/CurvePointBuffer.h"

#include <cstdint>

struct B_Base;

// Segments of a full turn whose chords stay within tolerance of a curve of
// radius x radiusFactor: a divisor of 23040 that is a multiple of 4 (above
// 23040, the next multiple of 4). -1 when no such count exists: a radius
// below the tolerance, a negative or non-finite one, or so large a count
// that no buffer could hold it.
int CurveSegmentCount(double radius, double tolerance, double radiusFactor);

// Flattens a circle, arc, ellipse or elliptic arc (codes 64, 72, 80, 88) into
// buffer as one run of points in drawing direction: 0, or -1 for another
// figure, a radius without a segment count, or a run that does not fit.
// The chord tolerance is 2 units of radius x radiusFactor.
int PolygonizeCurve(const B_Base* figure, CurvePointBuffer& buffer, double radiusFactor);

// Grows box by the points PolygonizeCurve would write into an empty buffer of
// capacityBytes, in the same order, without the buffer: 0, or -1 (box
// unchanged) where PolygonizeCurve fails.
int CurvePointBounds(const B_Base* figure, double radiusFactor, std::uint32_t capacityBytes, Bounds2D& box);
