#include "geometry/Bounds2D.h"

Bounds2D& ExtendBounds(Bounds2D& box, const Point2D& p)
{
    if (box.minX > p.x) box.minX = p.x;
    if (box.minY > p.y) box.minY = p.y;
    if (p.x > box.maxX) box.maxX = p.x;
    if (p.y > box.maxY) box.maxY = p.y;
    return box;
}

Bounds2D& UniteBounds(Bounds2D& box, const Bounds2D& other)
{
    if (box.minX > other.minX) box.minX = other.minX;
    if (box.minY > other.minY) box.minY = other.minY;
    if (other.maxX > box.maxX) box.maxX = other.maxX;
    if (other.maxY > box.maxY) box.maxY = other.maxY;
    return box;
}
