#pragma once

#include "figures/B_Base.h"
#include "geometry/CurveGeom.h"

struct B_FigArc : B_Base {
    static constexpr std::uint16_t kCode = FigCode::Arc;

    CircleArcGeom arc;

    B_FigArc() : B_Base(kCode) {}
};
