#pragma once

#include "geometry/Point2D.h"

#include <cfloat>

// An axis-aligned box. The empty box has its minimum above its maximum, so
// that growing it by one point gives exactly that point.
struct Bounds2D {
    double minX = DBL_MAX;
    double minY = DBL_MAX;
    double maxX = -DBL_MAX;
    double maxY = -DBL_MAX;

    bool IsEmpty() const { return minX > maxX || minY > maxY; }
};

Bounds2D& ExtendBounds(Bounds2D& box, const Point2D& p);
// Grows box to cover other as well; an empty other changes nothing.
Bounds2D& UniteBounds(Bounds2D& box, const Bounds2D& other);
