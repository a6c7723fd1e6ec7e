#pragma once

#include "figures/B_Base.h"

#include <vector>

struct B_FigNode;

// Maps the primitive in holder through the calling thread's global transform.
// A circle or arc becomes an ellipse or elliptic arc in holder; a singular
// transform leaves every primitive as it was.
void TransformFig(B_Base** holder);

// TransformFig for the primitive of every node, with the transform taken
// apart once for all of them.
void TransformFigs(const std::vector<B_FigNode*>& nodes);
