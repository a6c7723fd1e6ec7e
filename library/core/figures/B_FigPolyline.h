#pragma once

#include "figures/B_Base.h"

#include <vector>

struct B_FigPolyline : B_Base {
    static constexpr std::uint16_t kCode = FigCode::Polyline;

    std::uint8_t open = 1;    // 1 open polyline, 0 closed outline
    std::vector<Point2D> points;

    B_FigPolyline() : B_Base(kCode) {}
    // An open polyline without points that takes the header of another figure;
    // used to flatten curves.
    explicit B_FigPolyline(const B_Base& attrs) : B_Base(attrs, kCode) {}

    // Frees the point array.
    void ClearPoints() { std::vector<Point2D>().swap(points); }
};
