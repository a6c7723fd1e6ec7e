#include "figures/B_FigPointEx.h"

#include "figures/B_FigNode.h"
#include "figures/B_FigPoint.h"
#include "figures/FigLifetime.h"

void MakePointExFig(B_FigNode& node, std::uint16_t markerCode, double angle, double size)
{
    const B_FigPoint* point = FigCast<B_FigPoint>(node.fig);
    if (!point) return;
    auto* marker = new B_FigPointEx(*point);
    marker->bounds = point->bounds;
    marker->position = point->position;
    marker->markerCode = markerCode;
    marker->angle = angle;
    marker->size = size;
    DeleteFig(&node.fig);
    node.fig = marker;
}
