#pragma once
#include <cstddef>
#include "writer/Drawing.h"

// A drawing of count figures spread over a 100 m square: lines, arcs,
// texts, solids and insertions of a small block, in fixed proportions.
jwwrite::Drawing SyntheticDrawing(size_t count);
