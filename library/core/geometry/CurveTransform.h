#pragma once

#include "geometry/CurveGeom.h"
#include "geometry/Transform2D.h"

// In every operation src and dst may be the same object.

// Rotates the ellipse about the origin.
void RotateEllipse(const EllipseGeom& src, EllipseGeom& dst, double angle);
// Scales the ellipse along the axes about the origin; -1 (dst untouched) when
// a factor is within 1e-6 of 0.
int ScaleEllipse(const EllipseGeom& src, EllipseGeom& dst, double sx, double sy);

// A circular arc through m becomes an elliptic arc; a mirroring m swaps start
// and end so that the arc stays counter-clockwise. -1 (dst untouched) for a
// singular m.
int TransformArc(const CircleArcGeom& src, EllipseArcGeom& dst, const Transform2D& m);
int TransformEllipse(const EllipseGeom& src, EllipseGeom& dst, const Transform2D& m);
int TransformEllipseArc(const EllipseArcGeom& src, EllipseArcGeom& dst, const Transform2D& m);

// The point of the circle at angle degrees from its x axis.
Point2D CirclePointDeg(const Point2D& centre, double radius, double angle);
// The point of the ellipse at the parameter angle (degrees), its axes turned
// by tilt degrees (ellipse.angle, or the same angle not yet reduced to a turn).
Point2D EllipsePointDeg(const EllipseGeom& ellipse, double angle, double tilt);

// The counter-clockwise tangent at p of the circle with the centre, radius
// (rx) and axis angle of circle: out runs from p 50 units along it.
int TangentSegment(const EllipseGeom& circle, const Point2D& p, Segment2D& out);
