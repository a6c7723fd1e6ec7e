#pragma once
#include <cstdint>

class CDrawBase;

// The dash array of a Direct2D stroke holds at most this many lengths.
const int kMaxStrokeDashes = 32;

// The dash lengths (in stroke widths) of lineType on reader: the drawing's
// own pattern, else the built-in row of line types 2 to 9; doubled when the
// drawing prints. Lengths that are negative or not finite count as 0.
// False, with count untouched, for a solid line: no pattern, or one with
// nothing to draw.
bool StrokeDashes(CDrawBase& reader, uint16_t lineType, float dashes[kMaxStrokeDashes], int* count);
