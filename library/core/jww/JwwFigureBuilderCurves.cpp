#include "jww/JwwFigureBuilder.h"

#include <cmath>

#include "entities/CDataEnko.h"
#include "figures/B_FigArc.h"
#include "figures/B_FigCircle.h"
#include "figures/B_FigEllipse.h"
#include "figures/B_FigEllipseArc.h"
#include "figures/FigLifetime.h"
#include "geometry/AngleFunctions.h"
#include "geometry/CurveTransform.h"
#include "reader/BCN_CImpJWW.h"

namespace {
const double kFullTurn = 360.0;

EllipseGeom EllipseOf(const CDataEnko& curve)
{
    EllipseGeom ellipse;
    ellipse.centre = Point2D(curve.m_cx, curve.m_cy);
    ellipse.rx = curve.m_radius;
    ellipse.ry = curve.m_radius * curve.m_flatness;
    ellipse.angle = curve.m_tiltAngle * kDegreesPerRadian;
    return ellipse;
}
}

// A full turn is a circle or an ellipse; anything less an arc that runs
// counter-clockwise from its smaller to its larger angle.
int CJwwFigureBuilder::ConvertCurve(const CDataEnko& curve, B_Base** out, const CDataBlock* insert)
{
    const bool circular = curve.m_flatness == 1.0;
    const double arc = curve.m_arcAngle * kDegreesPerRadian;
    double start = curve.m_startAngle * kDegreesPerRadian;
    double end = (curve.m_startAngle + curve.m_arcAngle) * kDegreesPerRadian;
    if (curve.m_arcAngle < 0.0)
        std::swap(start, end);
    const EllipseGeom ellipse = EllipseOf(curve);

    if (std::fabs(arc) == kFullTurn && circular) {
        B_FigCircle figure;
        figure.centre = ellipse.centre;
        figure.radius = curve.m_radius;
        return AssignAttributed(figure, curve, out, insert);
    }
    if (std::fabs(arc) == kFullTurn) {
        B_FigEllipse figure;
        figure.ellipse = ellipse;
        return AssignAttributed(figure, curve, out, insert);
    }
    if (circular) {
        B_FigArc figure;
        figure.arc.centre = ellipse.centre;
        figure.arc.radius = curve.m_radius;
        figure.arc.start = CirclePointDeg(ellipse.centre, curve.m_radius, ellipse.angle + start);
        figure.arc.end = CirclePointDeg(ellipse.centre, curve.m_radius, ellipse.angle + end);
        return AssignAttributed(figure, curve, out, insert);
    }
    B_FigEllipseArc figure;
    static_cast<EllipseGeom&>(figure.arc) = ellipse;
    figure.arc.start = EllipsePointDeg(ellipse, start, ellipse.angle);
    figure.arc.end = EllipsePointDeg(ellipse, end, ellipse.angle);
    return AssignAttributed(figure, curve, out, insert);
}
