#include "render/gdi/DeviceRotation.h"
#include "render/gdi/DevicePixel.h"

// Device y grows downwards, so a turn that looks counter-clockwise is a
// clockwise one in the transform's terms.
DeviceRotation::DeviceRotation(double centreX, double centreY, double angle)
{
    Point2D centre(centreX, centreY);
    ResetTransform();
    RotateTransform(-angle, &centre);
}

POINT DeviceRotation::operator()(double x, double y) const
{
    Point2D p = Exact(x, y);
    return POINT{ToDevicePixel(p.x), ToDevicePixel(p.y)};
}

Point2D DeviceRotation::Exact(double x, double y) const
{
    Point2D p(x, y);
    TransformPoint(p, p);
    return p;
}
