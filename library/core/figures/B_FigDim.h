#pragma once

#include "figures/B_FigText.h"

#include <cstdint>

// A terminator at one end of a dimension line.
struct B_DimTerminator {
    std::int32_t kind = -1;         // -1: none
    std::uint16_t fillMode = 0;
    double size = 0.0;              // world units
    double halfAngle = 0.0;         // degrees
};

// A dimension: its text, and the lines (code 16) and end points (code 8) it
// owns; any of those may be null.
struct B_FigDim : B_Base {
    static constexpr std::uint16_t kCode = FigCode::Dim;

    B_FigText text;
    B_Base* dimLine = nullptr;
    B_Base* extLine1 = nullptr;
    B_Base* extLine2 = nullptr;
    B_Base* endPoint1 = nullptr;
    B_Base* endPoint2 = nullptr;
    B_DimTerminator terminator1;
    B_DimTerminator terminator2;

    B_FigDim() : B_Base(kCode) {}
    // Copies the text whole and clones the owned parts.
    B_FigDim(const B_FigDim& other);
    B_FigDim& operator=(const B_FigDim&) = delete;
    ~B_FigDim();
};
