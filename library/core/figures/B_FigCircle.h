#pragma once

#include "figures/B_Base.h"

struct B_FigCircle : B_Base {
    static constexpr std::uint16_t kCode = FigCode::Circle;

    Point2D centre;
    double radius = 0.0;

    B_FigCircle() : B_Base(kCode) {}
};
