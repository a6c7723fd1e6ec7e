#pragma once

#include "geometry/Bounds2D.h"
#include "memory/DrawingAllocated.h"

#include <cstdint>

// Type codes of the figure primitives. The code names the class of the
// object it heads and never changes after construction.
namespace FigCode {
enum : std::uint16_t {
    Point = 8,
    PointEx = 9,
    Line = 16,
    Polyline = 56,
    Circle = 64,
    Arc = 72,
    Ellipse = 80,
    EllipseArc = 88,
    Text = 112,
    Dim = 273,
    Solid = 288,
    Group = 336,
    Image = 357,
};
} // namespace FigCode

// The header of every figure primitive. Each kind derives from it and is told
// apart by typeCode alone; the operations on primitives dispatch on it.
// A load makes its figures in its drawing's arena, which goes when the
// drawing's figures go (CDrawBase::DeleteFigures).
// This header and the curve kinds stay free of platform headers: the native
// geometry tests build them.
struct B_Base : DrawingAllocated<ArenaUse::Figures> {
    std::uint32_t colour = 0;    // COLORREF 0x00BBGGRR
    std::uint16_t layer = 0;     // group x 16 + layer
    std::uint16_t lineType = 0;
    std::uint16_t width = 0;
    std::uint16_t typeCode = 0;
    std::uint16_t flags = 0;     // FigFlag bits
    Bounds2D bounds;             // empty until CalcFigBounds runs

    explicit B_Base(std::uint16_t code) : typeCode(code) {}
    // The attributes (colour, layer, line type, width, flags) of another
    // primitive with a type code of its own; the bounds start empty.
    B_Base(const B_Base& attrs, std::uint16_t code)
        : colour(attrs.colour), layer(attrs.layer), lineType(attrs.lineType), width(attrs.width),
          typeCode(code), flags(attrs.flags)
    {
    }
    B_Base(const B_Base&) = default;
    B_Base& operator=(const B_Base&) = default;
};

// fig as the kind K, or null when fig is null or of another kind.
template <class K>
K* FigCast(B_Base* fig)
{
    return fig && fig->typeCode == K::kCode ? static_cast<K*>(fig) : nullptr;
}

template <class K>
const K* FigCast(const B_Base* fig)
{
    return fig && fig->typeCode == K::kCode ? static_cast<const K*>(fig) : nullptr;
}
