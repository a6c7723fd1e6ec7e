#pragma once

#include "figures/B_Base.h"

// A new primitive of the same kind copied from fig, with empty bounds; null
// for a null fig or a type code that names no kind. A group copy takes the
// header only.
B_Base* CloneFig(const B_Base* fig);

// Deletes the primitive in holder by its kind and sets holder to null.
void DeleteFig(B_Base** holder);

// Replaces the primitive in holder by a clone of src and returns it; nothing
// happens when holder already holds src.
B_Base* AssignFig(B_Base** holder, const B_Base* src);
