#pragma once

#include "geometry/Point2D.h"

// Angles are in degrees. Angles within 1e-4 degree of a right angle are
// snapped onto it, so that right angles give exact table values.

inline constexpr double kPi = 3.141592653589793;
inline constexpr double kTwoPi = 6.283185307179586;
inline constexpr double kRadiansPerDegree = 0.017453292519943295;
inline constexpr double kDegreesPerRadian = 57.29577951308232;

double SnapAngle90(double angle);
// The angle brought into [0, 360); NaN and infinities are returned as given.
double NormalizeAngle360(double angle);

double CosDeg(double angle);
double SinDeg(double angle);
double TanDeg(double angle);

// Direction of (x, y), from -180 to 180, snapped.
double ArcTanDeg(double y, double x);
// Direction of v in [0, 360), not snapped.
double VectorAngleDeg(const Point2D& v);
// Direction from the first to the second point, in [0, 360).
double SegmentAngleDeg(const Segment2D& s);
