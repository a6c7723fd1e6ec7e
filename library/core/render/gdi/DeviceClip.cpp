#include "render/gdi/DeviceClip.h"
#include "render/gdi/DevicePixel.h"
#include "geometry/CurvePointBuffer.h"

namespace {
// One edge of the box for the polygon clipper: inside when side(p) >= 0.
struct Edge {
    int axis;      // 0 x, 1 y
    double value;
    double sign;   // +1 keeps values above, -1 below

    double Side(const Point2D& p) const { return ((axis == 0 ? p.x : p.y) - value) * sign; }
    Point2D Cross(const Point2D& a, const Point2D& b) const
    {
        double t = Side(a) / (Side(a) - Side(b));
        return Point2D(a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t);
    }
};

std::vector<Point2D> ClipAgainst(const Edge& edge, const std::vector<Point2D>& input)
{
    std::vector<Point2D> output;
    for (size_t i = 0; i < input.size(); ++i) {
        const Point2D& current = input[i];
        const Point2D& previous = input[(i + input.size() - 1) % input.size()];
        bool currentIn = edge.Side(current) >= 0, previousIn = edge.Side(previous) >= 0;
        if (currentIn != previousIn)
            output.push_back(edge.Cross(previous, current));
        if (currentIn)
            output.push_back(current);
    }
    return output;
}
}

// Liang-Barsky.
bool ClipSegment(const DeviceBox& box, Point2D& a, Point2D& b)
{
    double dx = b.x - a.x, dy = b.y - a.y;
    double t0 = 0.0, t1 = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - box.left, box.right - a.x, a.y - box.top, box.bottom - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return false;
            continue;
        }
        double t = q[i] / p[i];
        if (p[i] < 0.0) {
            if (t > t1)
                return false;
            if (t > t0)
                t0 = t;
        } else {
            if (t < t0)
                return false;
            if (t < t1)
                t1 = t;
        }
    }
    Point2D start(a.x + t0 * dx, a.y + t0 * dy);
    b = Point2D(a.x + t1 * dx, a.y + t1 * dy);
    a = start;
    return true;
}

// Sutherland-Hodgman.
std::vector<POINT> ClipPolygon(const DeviceBox& box, const std::vector<POINT>& polygon)
{
    std::vector<Point2D> points;
    points.reserve(polygon.size());
    for (const POINT& p : polygon)
        points.emplace_back(p.x, p.y);
    const Edge edges[4] = {{0, box.left, 1}, {0, box.right, -1}, {1, box.top, 1}, {1, box.bottom, -1}};
    for (const Edge& edge : edges) {
        if (points.empty())
            break;
        points = ClipAgainst(edge, points);
    }
    std::vector<POINT> clipped;
    clipped.reserve(points.size());
    for (const Point2D& p : points)
        clipped.push_back(POINT{ToDevicePixel(p.x), ToDevicePixel(p.y)});
    return clipped;
}

bool AllInside(const DeviceBox& box, const POINT* points, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        if (!box.Contains(points[i].x, points[i].y))
            return false;
    }
    return true;
}

uint32_t HugeCurveCapacity()
{
    const uint32_t points = 32768;
    return CurvePointBuffer::CapacityFor(points);
}
