#pragma once

#include "figures/FigVisit.h"

#include <functional>
#include <vector>

// Builds one figure of every kind, each with a distinct header and fields
// that differ from a new primitive's, for tests that go over all kinds.
namespace FigureFactory {

void SetHeader(B_Base& fig);
B_FigPoint* Point(Point2D position);
B_FigLine* Line(Point2D first, Point2D second);
B_FigCircle* Circle(Point2D centre, double radius);
B_FigArc* Arc(Point2D centre, double radius, Point2D start, Point2D end);
B_FigText* Text(const wchar_t* text, Point2D start, Point2D end);
B_FigDim* Dim();
B_FigSolid* Solid(std::uint16_t kind, double parameter, B_Base* child);
B_FigPolyline* Polyline(std::vector<Point2D> points);

struct Maker {
    const char* name;
    std::function<B_Base*()> make;
};
// Every kind of the table, the group without children.
const std::vector<Maker>& AllKinds();

// Deletes a figure made here (and its children).
void Free(B_Base* fig);

} // namespace FigureFactory
