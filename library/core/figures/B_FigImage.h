#pragma once

#include "figures/B_Base.h"
#include "figures/B_ImageParams.h"

// The frame of an image: corners counter-clockwise from the origin corner.
struct B_FigImage : B_Base {
    static constexpr std::uint16_t kCode = FigCode::Image;

    B_ImageParams params;
    Point2D corners[4];

    B_FigImage() : B_Base(kCode) {}

    // Takes params and lays the frame out from origin, turned by the image's
    // angle about its first corner. Always true.
    bool Layout(const B_ImageParams& imageParams, const Point2D& origin);
};
