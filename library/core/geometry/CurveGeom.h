#pragma once

#include "geometry/Point2D.h"

// A circular arc, counter-clockwise from start to end.
struct CircleArcGeom {
    Point2D centre;
    double radius = 0.0;
    Point2D start;
    Point2D end;
};

// An ellipse; angle (degrees) is the direction of the rx axis.
struct EllipseGeom {
    Point2D centre;
    double rx = 0.0;
    double ry = 0.0;
    double angle = 0.0;
};

// An elliptic arc, counter-clockwise from start to end.
struct EllipseArcGeom : EllipseGeom {
    Point2D start;
    Point2D end;
};
