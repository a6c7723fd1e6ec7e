#include "geometry/CurvePolygonizer.h"

#include "figures/B_FigArc.h"
#include "figures/B_FigCircle.h"
#include "figures/B_FigEllipse.h"
#include "figures/B_FigEllipseArc.h"
#include "geometry/AngleFunctions.h"
#include "geometry/NumTolerance.h"
#include "geometry/TrigTables.h"
#include "geometry/VectorFunctions.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kChordTolerance = 2.0;
// A buffer's size is 32-bit, so it never holds 2^28 points; the cap also
// keeps grid indices of arcs (up to twice the count) within 32 bits.
constexpr double kMaxSegments = 268435456.0;

// A curve figure as an ellipse, with its end points when it is an arc.
struct CurveShape {
    EllipseGeom ellipse;
    bool arc = false;
    bool elliptic = false;
    Point2D start;
    Point2D end;
};

bool ShapeOf(const B_Base& figure, CurveShape& shape)
{
    if (const auto* circle = FigCast<B_FigCircle>(&figure)) {
        shape.ellipse = EllipseGeom{circle->centre, circle->radius, circle->radius, 0.0};
    } else if (const auto* arc = FigCast<B_FigArc>(&figure)) {
        shape.ellipse = EllipseGeom{arc->arc.centre, arc->arc.radius, arc->arc.radius, 0.0};
        shape.arc = true;
        shape.start = arc->arc.start;
        shape.end = arc->arc.end;
    } else if (const auto* ellipse = FigCast<B_FigEllipse>(&figure)) {
        shape.ellipse = ellipse->ellipse;
        shape.elliptic = true;
    } else if (const auto* ellipseArc = FigCast<B_FigEllipseArc>(&figure)) {
        shape.ellipse = ellipseArc->arc;
        shape.elliptic = true;
        shape.arc = true;
        shape.start = ellipseArc->arc.start;
        shape.end = ellipseArc->arc.end;
    } else {
        return false;
    }
    return true;
}

// Direction of p seen from the centre, in degrees; for an ellipse measured in
// its own frame, where it is the unit circle.
double ParameterAngle(const CurveShape& shape, const Point2D& p)
{
    const EllipseGeom& e = shape.ellipse;
    Point2D q(p.x - e.centre.x, p.y - e.centre.y);
    if (shape.elliptic) {
        RotatePoint(q, q, -e.angle, nullptr);
        q = Point2D(q.x / e.rx, q.y / e.ry);
    }
    return VectorAngleDeg(q);
}

CurveRunInfo RunOf(const CurveShape& shape, int n)
{
    CurveRunInfo run;
    run.segments = static_cast<std::uint32_t>(n);
    if (!shape.arc) {
        run.lastIndex = n;
        return run;
    }
    double a1 = ParameterAngle(shape, shape.start);
    double a2 = ParameterAngle(shape, shape.end);
    if (a1 == 360.0) a1 = 0.0;
    if (a1 > a2) a2 += 360.0;
    run.arc = 1;
    run.firstIndex = static_cast<std::int32_t>(std::floor(n * a1 / 360.0));
    run.lastIndex = static_cast<std::int32_t>(std::ceil(n * a2 / 360.0));
    return run;
}

// A curve ready to flatten: its shape and where its run lies on the grid.
struct CurvePlan {
    CurveShape shape;
    CurveRunInfo run;
    std::int64_t pointCount = 0;
};

// False for another figure or a radius without a segment count.
bool PlanCurve(const B_Base* figure, double radiusFactor, CurvePlan& plan)
{
    if (!figure || !ShapeOf(*figure, plan.shape)) return false;
    const double radius = std::max(plan.shape.ellipse.rx, plan.shape.ellipse.ry);
    const int n = CurveSegmentCount(radius, kChordTolerance, radiusFactor);
    if (n < 0) return false;
    plan.run = RunOf(plan.shape, n);
    plan.pointCount = static_cast<std::int64_t>(plan.run.lastIndex) - plan.run.firstIndex + 1;
    return true;
}

// The point of the ellipse at the direction whose cosine and sine are given.
struct EllipseSampler {
    EllipseGeom ellipse;
    double tiltCos;
    double tiltSin;

    Point2D operator()(const TrigPair& t) const
    {
        const EllipseGeom& e = ellipse;
        return Point2D(e.centre.x + e.rx * tiltCos * t.cos - e.ry * tiltSin * t.sin,
                       e.centre.y + e.rx * tiltSin * t.cos + e.ry * tiltCos * t.sin);
    }
};

// Hands the planned run's points to sink, once each, in drawing direction.
template <class Sink>
void EmitPoints(const CurvePlan& plan, Sink&& sink)
{
    const CurveShape& shape = plan.shape;
    const std::size_t count = static_cast<std::size_t>(plan.pointCount);
    if (count == 0) return;
    const int n = static_cast<int>(plan.run.segments);
    const EllipseSampler sample{shape.ellipse, LookupCosDeg(shape.ellipse.angle),
                                LookupSinDeg(shape.ellipse.angle)};
    // The first index is never negative (angles lie in [0, 360)), so the
    // step within the turn can be counted on instead of divided out.
    TrigTurnWalk walk(plan.run.firstIndex % n, n);
    if (!shape.arc) {
        for (std::size_t i = 0; i < count; ++i, walk.Next()) sink(sample(walk.Value()));
        return;
    }
    // The arc is widened to whole grid steps; its ends stay exact (a run of
    // one point is its end).
    if (count > 1) sink(shape.start);
    for (std::size_t i = 1; i + 1 < count; ++i) {
        walk.Next();
        sink(sample(walk.Value()));
    }
    sink(shape.end);
}

} // namespace

int CurveSegmentCount(double radius, double tolerance, double radiusFactor)
{
    const double scaledRadius = radius * radiusFactor;
    if (!(scaledRadius > 0.0)) return -1;
    const double c = 1.0 - tolerance / scaledRadius;
    if (CompareTol(g_numTol5, c, 0.0) < 0 || CompareTol(g_numTol5, 1.0, c) < 0) return -1;
    const double m = std::trunc(kTwoPi / std::acos(c));
    if (!(m <= kMaxSegments)) return -1;   // also infinite and NaN
    const int segments = static_cast<int>(m);
    for (const std::uint32_t* d = TrigDivisors(); *d != 0; ++d) {
        if (static_cast<std::uint32_t>(segments) <= *d && *d % 4 == 0) return static_cast<int>(*d);
    }
    return (segments + 3) / 4 * 4;
}

int PolygonizeCurve(const B_Base* figure, CurvePointBuffer& buffer, double radiusFactor)
{
    CurvePlan plan;
    if (!PlanCurve(figure, radiusFactor, plan)) return -1;
    buffer.Clear();
    if (!buffer.StartRun(static_cast<std::uint64_t>(plan.pointCount), plan.run)) return -1;
    std::size_t next = 0;
    EmitPoints(plan, [&buffer, &next](const Point2D& p) { buffer.PointAt(next++) = p; });
    return 0;
}

int CurvePointBounds(const B_Base* figure, double radiusFactor, std::uint32_t capacityBytes, Bounds2D& box)
{
    CurvePlan plan;
    if (!PlanCurve(figure, radiusFactor, plan)) return -1;
    const std::uint32_t freeBytes = CurvePointBuffer::FreeBytesWhenEmpty(capacityBytes);
    if (!CurvePointBuffer::RunFits(static_cast<std::uint64_t>(plan.pointCount), freeBytes)) return -1;
    EmitPoints(plan, [&box](const Point2D& p) { ExtendBounds(box, p); });
    return 0;
}
