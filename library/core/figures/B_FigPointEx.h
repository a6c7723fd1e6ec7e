#pragma once

#include "figures/B_Base.h"

class B_FigNode;

// A point marker: a shape drawn at the position, turned by angle.
struct B_FigPointEx : B_Base {
    static constexpr std::uint16_t kCode = FigCode::PointEx;

    Point2D position;
    double angle = 0.0;               // degrees
    double size = 1.0;                // world units
    std::uint16_t markerCode = 3;     // marker shape

    B_FigPointEx() : B_Base(kCode) {}
    explicit B_FigPointEx(const B_Base& attrs) : B_Base(attrs, kCode) {}
};

// Turns the node's point (code 8) into a marker with the point's header,
// bounds and position; a node holding anything else is left alone.
void MakePointExFig(B_FigNode& node, std::uint16_t markerCode, double angle, double size);
