#pragma once

#include "figures/B_Base.h"
#include "geometry/CurveGeom.h"

struct B_FigEllipseArc : B_Base {
    static constexpr std::uint16_t kCode = FigCode::EllipseArc;

    EllipseArcGeom arc;

    B_FigEllipseArc() : B_Base(kCode) {}
    explicit B_FigEllipseArc(const B_Base& attrs) : B_Base(attrs, kCode) {}
};
