#include "geometry/VectorFunctions.h"

#include "geometry/AngleFunctions.h"
#include "geometry/NumTolerance.h"
#include "geometry/TrigTables.h"

#include <cmath>

Point2D NormalizeVector(const Point2D& v)
{
    const double length = std::hypot(v.x, v.y);
    if (CompareTol(g_numTol5, length, 0.0) == 0) return v;
    return Point2D(v.x / length, v.y / length);
}

void RotatePoint(const Point2D& src, Point2D& dst, double angle, const Point2D* centre)
{
    const double s = SnapAngle90(angle);
    const double c = LookupCosDeg(s);
    const double n = LookupSinDeg(s);
    const Point2D pivot = centre ? *centre : Point2D();
    const double dx = src.x - pivot.x;
    const double dy = src.y - pivot.y;
    dst = Point2D(dx * c - dy * n + pivot.x, dy * c + dx * n + pivot.y);
}

int IntersectLines(const Segment2D& a, const Segment2D& b, Point2D& out)
{
    const double d1x = a.second.x - a.first.x;
    const double d1y = a.second.y - a.first.y;
    const double d2x = b.second.x - b.first.x;
    const double d2y = b.second.y - b.first.y;
    const double den = d1x * d2y - d1y * d2x;
    if (den == 0.0) return 0;
    const double t = ((b.first.x - a.first.x) * d2y - (b.first.y - a.first.y) * d2x) / den;
    out = Point2D(a.first.x + t * d1x, a.first.y + t * d1y);
    return 1;
}
