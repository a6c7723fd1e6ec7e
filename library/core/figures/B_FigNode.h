#pragma once

#include "figures/B_Base.h"
#include "memory/DrawingAllocated.h"

// Holds and owns one figure primitive; the drawing's lists hold nodes, made
// in the drawing's arena like its figures.
class B_FigNode : public DrawingAllocated<ArenaUse::Figures> {
public:
    // Takes over the primitive of holder; holder becomes null.
    explicit B_FigNode(B_Base** holder);
    virtual ~B_FigNode();

    B_FigNode(const B_FigNode&) = delete;
    B_FigNode& operator=(const B_FigNode&) = delete;

    B_Base* fig = nullptr;
};
