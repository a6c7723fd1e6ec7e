#pragma once
#include <cstdint>
#include "geometry/Point2D.h"

// The unit shape of one patterned line type (11 to 15), as a reader gives it
// through CJwCADBase::GetRandomLineShape.
struct RandomLineShape {
    static const int kMaxPoints = 33;

    uint16_t mode;        // 1: the shape follows the figure's direction
    float lead;           // the period is lead + length
    float length;
    float height;         // amplitude; kept, not used for building
    uint16_t kind;        // kept, not used for building
    uint16_t pointCount;
    // x along the line from 0 to the period, y across it; a negative x
    // starts a new stroke at -x (at 0 for -32769 and below).
    Point2F points[kMaxPoints];
};
