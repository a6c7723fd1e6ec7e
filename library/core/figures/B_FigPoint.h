#pragma once

#include "figures/B_Base.h"

struct B_FigPoint : B_Base {
    static constexpr std::uint16_t kCode = FigCode::Point;

    Point2D position;

    B_FigPoint() : B_Base(kCode) {}
};
