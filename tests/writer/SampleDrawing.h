#pragma once

#include "Drawing.h"

namespace jwwrite {

// A small drawing with an entity of every class: a room outline with a door
// arc, a column circle, an ellipse, points, texts, a dimension, solid fills
// and a window block inserted twice, on A3 at 1:100.
Drawing SampleDrawing(uint32_t version = 700);

// The same entities as a symbol around its reference point.
Symbol SampleSymbol(uint32_t version = 700);

}  // namespace jwwrite
