#pragma once

#include "figures/B_Base.h"

// Grows box by the primitive's geometry and sets the primitive's own bounds
// to the union of its bounds and box. scale (device pixels per world unit)
// decides how finely curves are measured. A code that names no kind changes
// nothing.
void CalcFigBounds(B_Base* fig, Bounds2D& box, double scale);
