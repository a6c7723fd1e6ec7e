#include "render/gdi/EllipseTilt.h"
#include <cmath>

EllipseTilt ClassifyTilt(double tilt)
{
    double a = std::fabs(tilt);
    if ((a >= 89.5 && a <= 90.5) || (a >= 269.5 && a <= 270.5))
        return EllipseTilt::Vertical;
    if (a <= 0.5 || (a >= 179.5 && a <= 180.5))
        return EllipseTilt::Level;
    return EllipseTilt::Tilted;
}
