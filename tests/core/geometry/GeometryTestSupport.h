#pragma once

#include "geometry/Bounds2D.h"
#include "geometry/Point2D.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

inline constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
inline constexpr double kInf = std::numeric_limits<double>::infinity();

inline std::ostream& operator<<(std::ostream& out, const Point2D& p)
{
    return out << '(' << p.x << ", " << p.y << ')';
}

inline std::ostream& operator<<(std::ostream& out, const Bounds2D& box)
{
    return out << '[' << box.minX << ", " << box.minY << " .. " << box.maxX << ", " << box.maxY << ']';
}

inline bool SamePoint(const Point2D& a, const Point2D& b)
{
    return a.x == b.x && a.y == b.y;
}

inline testing::AssertionResult PointNear(const Point2D& actual, const Point2D& expected, double tolerance = 1e-9)
{
    if (std::abs(actual.x - expected.x) <= tolerance && std::abs(actual.y - expected.y) <= tolerance) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << actual << " is not within " << tolerance << " of " << expected;
}
