#pragma once

#include "figures/B_Base.h"

// Maps the primitive in holder through the calling thread's global transform.
// A circle or arc becomes an ellipse or elliptic arc in holder; a singular
// transform leaves every primitive as it was.
void TransformFig(B_Base** holder);
