#include "figures/B_FigNode.h"

#include "figures/FigLifetime.h"

B_FigNode::B_FigNode(B_Base** holder)
{
    if (!holder) return;
    fig = *holder;
    *holder = nullptr;
}

B_FigNode::~B_FigNode()
{
    DeleteFig(&fig);
}
