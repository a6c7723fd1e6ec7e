#include "figures/B_FigSolid.h"

#include "figures/FigLifetime.h"

B_FigSolid::B_FigSolid(const B_FigSolid& other)
    : B_Base(other), kind(other.kind), parameter(other.parameter), child(CloneFig(other.child))
{
}

B_FigSolid::~B_FigSolid()
{
    DeleteFig(&child);
}
