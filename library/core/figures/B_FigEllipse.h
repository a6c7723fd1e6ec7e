#pragma once

#include "figures/B_Base.h"
#include "geometry/CurveGeom.h"

struct B_FigEllipse : B_Base {
    static constexpr std::uint16_t kCode = FigCode::Ellipse;

    EllipseGeom ellipse;

    B_FigEllipse() : B_Base(kCode) {}
    explicit B_FigEllipse(const B_Base& attrs) : B_Base(attrs, kCode) {}
};
