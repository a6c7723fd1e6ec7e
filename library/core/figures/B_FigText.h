#pragma once

#include "figures/B_Base.h"

#include <atlstr.h>

// A text laid from start towards end; width, height and spacing are those of
// one character, angle (degrees) the direction of the baseline.
struct B_FigText : B_Base {
    static constexpr std::uint16_t kCode = FigCode::Text;

    Point2D start;
    Point2D end;
    CStringW text;
    CStringW fontName;
    std::uint16_t textFlags = 0;   // TextFlag bits
    double width = 0.0;
    double height = 0.0;
    double spacing = 0.0;
    double angle = 0.0;

    B_FigText() : B_Base(kCode) {}
};

// The long vowel mark, which a vertical text stands along its column; both
// renderers treat it apart.
constexpr wchar_t kLongVowelMark = 0x30FC;

// A copy of text (header and bounds included) that the caller owns and frees
// with DeleteFig; null when it cannot be allocated.
B_FigText* MakeTextCopy(const B_FigText& text);
