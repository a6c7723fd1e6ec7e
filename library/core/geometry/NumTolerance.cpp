#include "geometry/NumTolerance.h"

#include <cmath>

int CompareTolAbs(const NumTolerance& tol, double a, double b)
{
    const double d = a - b;
    if (std::fabs(d) * tol.scale < 1.0) return 0;
    return d < 0.0 ? -1 : 1;
}

int CompareTol(const NumTolerance& tol, double a, double b)
{
    return CompareTolAbs(tol, a, b);
}
