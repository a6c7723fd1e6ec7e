#pragma once

#include <cstdint>

// Bits of B_Base::flags.
namespace FigFlag {
enum : std::uint16_t {
    PenMask = 0x00F0,         // pen number 0 to 15
    Filled = 0x0100,          // a closed outline is filled with the figure's colour
    Hatched = 0x0200,         // a filled outline uses the hatch brush
    Sector = 0x0400,          // a filled arc is a sector (pie), else a segment
    ConstantRing = 0x0800,    // outline of a ring solid of kind 106
    Auxiliary = 0x8000,       // auxiliary figure; such a point is a bare pixel
};
} // namespace FigFlag

// Line type 9 of every drawing format draws auxiliary figures.
constexpr std::uint16_t kAuxiliaryLineType = 9;

// Bits of B_FigText::textFlags.
namespace TextFlag {
enum : std::uint16_t {
    RunKindMask = 0x01FF,     // run kind while a text is split into runs; 0 elsewhere
    Vertical = 0x0200,
    Bold = 0x0400,
    Italic = 0x0800,
    Underline = 0x1000,
    StrikeOut = 0x2000,
    NudgeFullWidth = 0x4000,  // full-width characters of the run are nudged
    HalfShiftFirst = 0x8000,  // vertical run: first character shifted half a width
};
} // namespace TextFlag
