#include "jww/JwwFigureBuilder.h"

#include <cmath>
#include <vector>

#include "entities/CDataEnko.h"
#include "entities/CDataSolid.h"
#include "figures/B_FigArc.h"
#include "figures/B_FigCircle.h"
#include "figures/B_FigEllipseArc.h"
#include "figures/B_FigPolyline.h"
#include "figures/B_FigSolid.h"
#include "figures/FigFlags.h"
#include "geometry/AngleFunctions.h"
#include "geometry/CurvePolygonizer.h"
#include "geometry/CurveTransform.h"
#include "geometry/TrigTables.h"
#include "geometry/VectorFunctions.h"
#include "jwc/FigHolder.h"
#include "reader/BCN_CImpJWW.h"

namespace {
const BYTE kPlainCurveSolid = 111;

// What a curved arc solid fills, by its parameter.
const double kFillSector = 0.0;
const double kFillSegment = 5.0;
const double kFillToCorner = -1.0;
const double kOutlineCircle = 100.0;

// Arc fills are flattened on the 1/64-degree grid with chords a thousandth
// of the radius off the curve (144 segments a turn, whatever the size).
const double kChordRadiusFactor = 2000.0;
const double kChordTolerance = 2.0;
const uint32_t kSpareGridPoints = 3;

bool IsArcCode(uint16_t code)
{
    return code == FigCode::Arc || code == FigCode::EllipseArc;
}

// The solid's fields read as a curve: centre, radius, flatness, tilt, start
// and arc angle, with the solid's layer and pen, line type 0 and width 0.
void ReadAsCurve(const CDataSolid& solid, CDataEnko& curve)
{
    curve.m_layer = solid.m_layer;
    curve.m_layerGroup = solid.m_layerGroup;
    curve.m_flags = solid.m_flags;
    curve.m_penColor = solid.m_penColor;
    curve.m_penStyle = 0;
    curve.m_penWidth = 0;
    curve.m_cx = solid.m_x1;
    curve.m_cy = solid.m_y1;
    curve.m_radius = solid.m_x2;
    curve.m_flatness = solid.m_y2;
    curve.m_tiltAngle = solid.m_x3;
    curve.m_startAngle = solid.m_y3;
    curve.m_arcAngle = solid.m_x4;
}

// The ellipse of an arc figure (a circular arc has equal radii).
EllipseGeom ArcEllipse(const B_Base& curve)
{
    if (const B_FigArc* arc = FigCast<B_FigArc>(&curve))
        return EllipseGeom{arc->arc.centre, arc->arc.radius, arc->arc.radius, 0.0};
    return FigCast<B_FigEllipseArc>(&curve)->arc;
}

// The points of an arc figure on the grid; false when it cannot be flattened.
bool GridPoints(const B_Base& curve, std::vector<Point2D>& points)
{
    const EllipseGeom ellipse = ArcEllipse(curve);
    const double radius = std::fmax(ellipse.rx, ellipse.ry);
    if (!(radius > 0.0) || !std::isfinite(radius))
        return false;
    const double factor = kChordRadiusFactor / radius;
    const int segments = CurveSegmentCount(radius, kChordTolerance, factor);
    if (segments < 0)
        return false;
    CurvePointBuffer buffer(CurvePointBuffer::CapacityFor(segments + kSpareGridPoints));
    if (PolygonizeCurve(&curve, buffer, factor) != 0)
        return false;
    points = buffer.Points();
    return true;
}
}

// A solid adds itself: the wrapper of the outline it fills. Its own colour
// (pen 10) wins over every other.
int CJwwFigureBuilder::ConvertSolid(const CDataSolid& solid, CDataBlock* insert)
{
    B_Base attributes(FigCode::Solid);
    m_reader.SetFigureAttributes(attributes, solid.GetLayerIndex(), solid.m_penColor, 0, solid.m_penWidth, insert);
    if (solid.m_penColor == CDataSolid::kOwnColorPen)
        attributes.colour = solid.m_color & 0xFFFFFF;
    FigHolder outline;
    outline.fig = SolidOutline(solid, attributes, insert);
    if (!outline.fig)
        return 0;
    FigHolder wrapper;
    wrapper.fig = new B_FigSolid(solid.m_penStyle, solid.m_y4);
    B_FigSolid& figure = *FigCast<B_FigSolid>(wrapper.fig);
    static_cast<B_Base&>(figure) = attributes;
    figure.child = outline.fig;
    outline.fig = nullptr;
    AddOwnFigure(&wrapper.fig, insert);
    return 0;
}

B_Base* CJwwFigureBuilder::SolidOutline(const CDataSolid& solid, const B_Base& attributes, const CDataBlock* insert)
{
    if (solid.m_penStyle > B_FigSolid::kLastPolygonKind)
        return CurvedSolidOutline(solid, attributes, insert);
    B_FigPolyline* outline = new B_FigPolyline(attributes);
    outline->open = 0;
    outline->flags |= FigFlag::Filled;
    outline->points = {Point2D(solid.m_x1, solid.m_y1), Point2D(solid.m_x2, solid.m_y2),
                       Point2D(solid.m_x3, solid.m_y3), Point2D(solid.m_x4, solid.m_y4)};
    return outline;
}

B_Base* CJwwFigureBuilder::CurvedSolidOutline(const CDataSolid& solid, const B_Base& attributes,
                                              const CDataBlock* insert)
{
    CDataEnko reading;
    ReadAsCurve(solid, reading);
    FigHolder curve;
    ConvertCurve(reading, &curve.fig, insert);
    curve.fig->colour = attributes.colour;
    const BYTE kind = solid.m_penStyle;
    const uint16_t code = curve.fig->typeCode;
    if (kind == kPlainCurveSolid || B_FigSolid::IsRingKind(kind)) {
        if (kind == B_FigSolid::kConstantRingKind && (code == FigCode::EllipseArc || code == FigCode::Ellipse))
            curve.fig->flags |= FigFlag::ConstantRing;
    } else if (IsArcCode(code)) {
        return ArcSolidOutline(&curve.fig, solid);
    } else {
        curve.fig->flags |= FigFlag::Filled;
    }
    B_Base* outline = curve.fig;
    curve.fig = nullptr;
    return outline;
}

// An arc solid fills a sector, a segment, or the area up to the corner where
// its end tangents meet, or outlines its whole circle.
B_Base* CJwwFigureBuilder::ArcSolidOutline(B_Base** curve, const CDataSolid& solid)
{
    const double parameter = solid.m_y4;
    B_Base* outline = nullptr;
    if (parameter == kFillSector || parameter == kFillSegment) {
        (*curve)->flags |= parameter == kFillSector ? FigFlag::Filled | FigFlag::Sector : FigFlag::Filled;
        std::swap(outline, *curve);
    } else if (parameter == kFillToCorner) {
        outline = ArcWithCornerOutline(**curve, solid.m_x4 * kDegreesPerRadian);
    } else if (parameter == kOutlineCircle) {
        B_FigCircle* circle = new B_FigCircle;
        static_cast<B_Base&>(*circle) = B_Base(**curve, FigCode::Circle);
        const EllipseGeom ellipse = ArcEllipse(**curve);
        circle->centre = ellipse.centre;
        circle->radius = ellipse.rx;
        outline = circle;
    }
    return outline;
}

B_Base* CJwwFigureBuilder::ArcWithCornerOutline(const B_Base& curve, double arcDegrees)
{
    Point2D corner;
    if (!CornerOfArc(curve, arcDegrees, corner))
        return nullptr;
    std::vector<Point2D> points;
    if (!GridPoints(curve, points))
        return nullptr;
    points.push_back(corner);
    B_FigPolyline* outline = new B_FigPolyline(curve);
    outline->open = 0;
    outline->flags |= FigFlag::Filled;
    outline->points.swap(points);
    return outline;
}

// Where the tangents at the arc's two ends meet.
bool CJwwFigureBuilder::CornerOfArc(const B_Base& curve, double arcDegrees, Point2D& corner)
{
    if (const B_FigArc* arc = FigCast<B_FigArc>(&curve)) {
        double half = LookupCosDeg(arcDegrees / 2.0);
        if (half == 0.0)
            return false;
        const CircleArcGeom& g = arc->arc;
        Point2D direction = NormalizeVector(
            Point2D(g.start.x + g.end.x - 2.0 * g.centre.x, g.start.y + g.end.y - 2.0 * g.centre.y));
        double distance = g.radius / half;
        corner = Point2D(g.centre.x + distance * direction.x, g.centre.y + distance * direction.y);
        return true;
    }
    const EllipseArcGeom& g = FigCast<B_FigEllipseArc>(&curve)->arc;
    Segment2D atStart, atEnd;
    if (TangentSegment(g, g.start, atStart) != 0 || TangentSegment(g, g.end, atEnd) != 0)
        return false;
    return IntersectLines(atStart, atEnd, corner) != 0;
}
