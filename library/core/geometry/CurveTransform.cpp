#include "geometry/CurveTransform.h"

#include "geometry/AngleFunctions.h"
#include "geometry/NumTolerance.h"
#include "geometry/TrigTables.h"
#include "geometry/VectorFunctions.h"

#include <cmath>

namespace {

// The shape coefficients of an ellipse about its centre; untilted, q and p
// are the squares of its x and y radii and r is 0.
struct EllipseForm {
    double p = 0.0;
    double q = 0.0;
    double r = 0.0;
};

EllipseForm FormOf(const EllipseGeom& e)
{
    EllipseForm form;
    const double a = e.rx;
    const double b = e.ry;
    if (CompareTol(g_numTol5, a, 0.0) <= 0 || CompareTol(g_numTol5, b, 0.0) <= 0) return form;
    if (CompareTol(g_numTol5, a, b) == 0) {
        form.p = form.q = a * a;
        return form;
    }
    const double c = CosDeg(e.angle);
    const double n = SinDeg(e.angle);
    form.p = a * a * n * n + b * b * c * c;
    form.q = a * a * c * c + b * b * n * n;
    form.r = (a * a - b * b) * n * c;
    return form;
}

// Start and end mapped by m, swapped when m mirrors (d < 0), so that the arc
// keeps running counter-clockwise.
void MapArcEnds(const Point2D& start, const Point2D& end, const Transform2D& m, double d,
                EllipseArcGeom& out)
{
    const Point2D mappedStart = m.Apply(start);
    const Point2D mappedEnd = m.Apply(end);
    out.start = d > 0.0 ? mappedStart : mappedEnd;
    out.end = d > 0.0 ? mappedEnd : mappedStart;
}

} // namespace

void RotateEllipse(const EllipseGeom& src, EllipseGeom& dst, double angle)
{
    EllipseGeom out = src;
    RotatePoint(src.centre, out.centre, angle, nullptr);
    out.angle = NormalizeAngle360(src.angle + angle);
    dst = out;
}

int ScaleEllipse(const EllipseGeom& src, EllipseGeom& dst, double sx, double sy)
{
    if (sx == 1.0 && sy == 1.0) {
        dst = src;
        return 0;
    }
    const EllipseForm form = FormOf(src);
    if (CompareTol(g_numTol6, 0.0, sx) == 0 || CompareTol(g_numTol6, 0.0, sy) == 0) return -1;
    const double q = form.q * sx * sx;
    const double p = form.p * sy * sy;
    const double r = form.r * sx * sy;
    const double t = ArcTanDeg(2.0 * r, q - p) / 2.0;
    const double c = LookupCosDeg(SnapAngle90(t));
    const double n = LookupSinDeg(SnapAngle90(t));
    EllipseGeom out;
    out.centre = Point2D(src.centre.x * sx, src.centre.y * sy);
    out.angle = t;
    out.rx = std::sqrt(c * c * q + n * n * p + 2.0 * r * n * c);
    out.ry = std::sqrt(n * n * q + c * c * p - 2.0 * r * n * c);
    dst = out;
    return 0;
}

int TransformEllipse(const EllipseGeom& src, EllipseGeom& dst, const Transform2D& m)
{
    double angle1 = 0.0, sx = 1.0, sy = 1.0, angle2 = 0.0;
    DecomposeTransform(m, &angle1, &sx, &sy, &angle2);
    EllipseGeom local = src;
    local.centre = Point2D();
    RotateEllipse(local, local, angle1);
    ScaleEllipse(local, local, sx, sy);   // a failed scale keeps the rotated shape
    RotateEllipse(local, local, angle2);
    local.centre = m.LinearDeterminant() == 0.0 ? src.centre : m.Apply(src.centre);
    dst = local;
    return 0;
}

int TransformArc(const CircleArcGeom& src, EllipseArcGeom& dst, const Transform2D& m)
{
    const double d = m.LinearDeterminant();
    if (d == 0.0) return -1;
    double sx = 1.0, sy = 1.0, angle2 = 0.0;
    DecomposeTransform(m, nullptr, &sx, &sy, &angle2);
    EllipseArcGeom out;
    out.centre = m.Apply(src.centre);
    out.rx = std::fabs(src.radius * sx);
    out.ry = std::fabs(src.radius * sy);
    out.angle = angle2;
    MapArcEnds(src.start, src.end, m, d, out);
    dst = out;
    return 0;
}

int TransformEllipseArc(const EllipseArcGeom& src, EllipseArcGeom& dst, const Transform2D& m)
{
    const double d = m.LinearDeterminant();
    if (d == 0.0) return -1;
    EllipseArcGeom out;
    TransformEllipse(src, out, m);
    MapArcEnds(src.start, src.end, m, d, out);
    dst = out;
    return 0;
}

Point2D CirclePointDeg(const Point2D& centre, double radius, double angle)
{
    return Point2D(centre.x + radius * LookupCosDeg(angle), centre.y + radius * LookupSinDeg(angle));
}

Point2D EllipsePointDeg(const EllipseGeom& ellipse, double angle, double tilt)
{
    const double cu = LookupCosDeg(angle), su = LookupSinDeg(angle);
    const double ct = LookupCosDeg(tilt), st = LookupSinDeg(tilt);
    return Point2D(ellipse.centre.x + ellipse.rx * cu * ct - ellipse.ry * su * st,
                   ellipse.centre.y + ellipse.rx * cu * st + ellipse.ry * su * ct);
}

int TangentSegment(const EllipseGeom& circle, const Point2D& p, Segment2D& out)
{
    // p in the circle's own frame.
    Point2D q(p.x - circle.centre.x, p.y - circle.centre.y);
    RotatePoint(q, q, -circle.angle, nullptr);

    const double rr = circle.rx * circle.rx;
    Point2D direction;
    if (CompareTol(g_numTol5, q.y, 0.0) != 0) {
        const double g = q.y > 0.0 ? 1.0 : -1.0;
        direction = Point2D((q.x * q.x - rr) * g, q.x * q.y * g);
    } else {
        direction = Point2D(q.x * q.x - rr, CompareTol(g_numTol5, q.x, 0.0));
    }
    RotatePoint(direction, direction, circle.angle, nullptr);
    const Point2D unit = NormalizeVector(direction);
    out.first = p;
    out.second = Point2D(p.x + 50.0 * unit.x, p.y + 50.0 * unit.y);
    return 0;
}
