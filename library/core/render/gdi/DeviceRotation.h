#pragma once
#include <windows.h>
#include "geometry/TransformSaver.h"

// Turns device points about a centre by an angle counter-clockwise on the
// screen, through the thread's global transform, which it puts back when it
// goes.
class DeviceRotation {
public:
    DeviceRotation(double centreX, double centreY, double angle);
    DeviceRotation(const DeviceRotation&) = delete;
    DeviceRotation& operator=(const DeviceRotation&) = delete;

    // The turned point, truncated to pixels.
    POINT operator()(double x, double y) const;
    // The turned point as it falls, for renderers that draw between pixels.
    Point2D Exact(double x, double y) const;

private:
    TransformSaver m_saver;
};
