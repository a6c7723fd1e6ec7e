#pragma once
#include <windows.h>
#include <cstdint>
#include <cstdlib>
#include <vector>
#include "geometry/Point2D.h"

// Device-space clipping. GDI (Wine's especially) walks a dashed line or the
// outline of an ellipse pixel by pixel however far off the bitmap it runs,
// so shapes are cut to a box a little larger than the bitmap before GDI
// sees them; what lies beyond the box can never show.
struct DeviceBox {
    double left, top, right, bottom;

    bool Contains(double x, double y) const { return x >= left && x <= right && y >= top && y <= bottom; }
    bool Meets(const RECT& rect) const
    {
        return !(rect.right < left || rect.left > right || rect.bottom < top || rect.top > bottom);
    }
};

// Cuts the segment a-b to box; false when none of it lies inside.
bool ClipSegment(const DeviceBox& box, Point2D& a, Point2D& b);
// The closed polygon cut to box (fewer than 3 points when nothing is left).
std::vector<POINT> ClipPolygon(const DeviceBox& box, const std::vector<POINT>& polygon);
bool AllInside(const DeviceBox& box, const POINT* points, size_t count);

// Ellipse-based shapes wider or taller than this are flattened instead.
const LONG kMaxShapeSide = 32768;

inline bool IsHugeShape(const RECT& rect)
{
    return labs(rect.right - rect.left) > kMaxShapeSide || labs(rect.bottom - rect.top) > kMaxShapeSide;
}

// Bytes of a curve point buffer that holds any curve of the device range
// flattened at device precision.
uint32_t HugeCurveCapacity();
