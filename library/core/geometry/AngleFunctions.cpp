#include "geometry/AngleFunctions.h"

#include "geometry/TrigTables.h"

#include <cfenv>
#include <climits>
#include <cmath>

namespace {

// atan2 in degrees with floating-point traps held off; a result that is not
// finite counts as 0. Finite arguments cannot raise anything worth trapping,
// and saving the floating-point environment is slow (about 14 microseconds a
// call under Wine), so only the others take the guarded road.
double GuardedArcTanDeg(double y, double x)
{
    if (std::isfinite(y) && std::isfinite(x))
        return std::atan2(y, x) * kDegreesPerRadian;
    std::fenv_t saved;
    std::feholdexcept(&saved);
    double radians = std::atan2(y, x);
    std::fesetenv(&saved);
    if (!std::isfinite(radians)) radians = 0.0;
    return radians * kDegreesPerRadian;
}

} // namespace

double SnapAngle90(double angle)
{
    const double t = angle + 45.0;
    const double r = std::fmod(t, 90.0);
    if (!(std::fabs(std::fabs(r) - 45.0) < 0.0001)) return angle;
    const double quarter = std::floor(t / 90.0);
    // The quarter count is whole; convert it only where an int can hold it.
    if (quarter >= INT_MIN && quarter <= INT_MAX) return 90.0 * static_cast<int>(quarter);
    return 90.0 * quarter;
}

double NormalizeAngle360(double angle)
{
    double a = std::fmod(angle, 360.0);
    while (a < 0.0) a += 360.0;
    while (a >= 360.0) a -= 360.0;
    return a;
}

double CosDeg(double angle)
{
    return LookupCosDeg(SnapAngle90(angle));
}

double SinDeg(double angle)
{
    return LookupSinDeg(SnapAngle90(angle));
}

double TanDeg(double angle)
{
    const double s = SnapAngle90(angle);
    if (std::fmod(s, 90.0) == 0.0) return 0.0;
    return std::tan(s * kRadiansPerDegree);
}

double ArcTanDeg(double y, double x)
{
    return SnapAngle90(GuardedArcTanDeg(y, x));
}

double VectorAngleDeg(const Point2D& v)
{
    return NormalizeAngle360(GuardedArcTanDeg(v.y, v.x));
}

double SegmentAngleDeg(const Segment2D& s)
{
    return VectorAngleDeg(Point2D(s.second.x - s.first.x, s.second.y - s.first.y));
}
