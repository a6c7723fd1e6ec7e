#pragma once
#include <cstdint>

// Run kinds of a text split by its '^' codes, kept in the run's
// TextFlag::RunKindMask bits until the runs are laid out.
namespace TextRunKind {
enum : uint16_t {
    Plain = 0,
    Superscript = 1,  // ^u: smaller, raised
    Subscript = 2,    // ^d: smaller, on the baseline
    HalfHeight = 3,   // ^c: half as high, raised
    SmallOver = 4,    // ^o: small, over the previous character, takes no room
    Pair = 5,         // ^w: two half-width characters in one cell, takes no room
    Kerned = 6,       // ^b: drawn close after the previous character
    KernedTight = 7,  // ^B: closer still
    Overstrike = 8,   // ^n: on the previous character
};
}
