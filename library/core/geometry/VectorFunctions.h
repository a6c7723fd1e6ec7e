#pragma once

#include "geometry/Point2D.h"

// v divided by its length, or v itself when its length counts as 0.
Point2D NormalizeVector(const Point2D& v);

// dst = src turned counter-clockwise by angle degrees about centre (the
// origin when centre is null); src and dst may be the same object.
void RotatePoint(const Point2D& src, Point2D& dst, double angle, const Point2D* centre);

// 1 with out = the crossing of the two infinite lines; 0 (out untouched)
// when they are parallel.
int IntersectLines(const Segment2D& a, const Segment2D& b, Point2D& out);
