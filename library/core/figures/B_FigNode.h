#pragma once

#include "figures/B_Base.h"

// Holds and owns one figure primitive; the drawing's lists hold nodes.
class B_FigNode {
public:
    // Takes over the primitive of holder; holder becomes null.
    explicit B_FigNode(B_Base** holder);
    virtual ~B_FigNode();

    B_FigNode(const B_FigNode&) = delete;
    B_FigNode& operator=(const B_FigNode&) = delete;

    B_Base* fig = nullptr;
};
