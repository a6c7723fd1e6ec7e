#pragma once

#include "figures/B_Base.h"

struct B_FigLine : B_Base {
    static constexpr std::uint16_t kCode = FigCode::Line;

    Segment2D line;

    B_FigLine() : B_Base(kCode) {}
};
