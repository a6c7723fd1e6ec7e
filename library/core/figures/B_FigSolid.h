#pragma once

#include "figures/B_Base.h"

// A filled shape: the child is the outline that is filled. Kinds up to 100
// fill a polygon; the kinds above are curve solids, 105 and 106 rings whose
// parameter is the inner radius.
struct B_FigSolid : B_Base {
    static constexpr std::uint16_t kCode = FigCode::Solid;
    static constexpr double kNoParameter = -1.0;
    static constexpr std::uint16_t kLastPolygonKind = 100;
    static constexpr std::uint16_t kRingKind = 105;
    static constexpr std::uint16_t kConstantRingKind = 106;

    static bool IsRingKind(std::uint16_t solidKind)
    {
        return solidKind == kRingKind || solidKind == kConstantRingKind;
    }

    std::uint16_t kind = 0;
    double parameter = kNoParameter;
    B_Base* child = nullptr;   // owned

    B_FigSolid(std::uint16_t solidKind, double solidParameter)
        : B_Base(kCode), kind(solidKind), parameter(solidParameter)
    {
    }
    // Clones the child.
    B_FigSolid(const B_FigSolid& other);
    B_FigSolid& operator=(const B_FigSolid&) = delete;
    ~B_FigSolid();
};
