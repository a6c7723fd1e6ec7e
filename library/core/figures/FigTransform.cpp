#include "figures/FigTransform.h"

#include "figures/B_FigNode.h"
#include "figures/FigLifetime.h"
#include "figures/FigVisit.h"
#include "geometry/AngleFunctions.h"
#include "geometry/CurveTransform.h"
#include "geometry/Transform2D.h"

#include <cmath>
#include <memory>

namespace {

// How a text's metrics change under the linear part of m: along its
// baseline, across it, and the turn of the baseline. Measured on the
// baseline itself: a rotation-scale-rotation split of m always puts the
// larger factor on its first axis, whatever the text's direction, so a
// block scaled 2 across and 3 up would swap a text's width and height.
struct BaselineScaling {
    double along = 1.0;
    double across = 1.0;
    double turn = 0.0;
};

BaselineScaling ScalingOfBaseline(const Transform2D& m, double angle)
{
    BaselineScaling result;
    const double d = m.LinearDeterminant();
    if (d == 0.0) return result;
    const Point2D u(CosDeg(angle), SinDeg(angle));
    const Point2D mu(u.x * m.m11 + u.y * m.m21, u.x * m.m12 + u.y * m.m22);
    result.along = std::hypot(mu.x, mu.y);
    result.across = d / result.along;
    result.turn = ArcTanDeg(u.x * mu.y - u.y * mu.x, u.x * mu.x + u.y * mu.y);
    return result;
}

// The thread's global transform with the parts a circle needs, taken once
// for all the figures it maps.
struct TransformParts {
    explicit TransformParts(const Transform2D& transform) : m(transform)
    {
        DecomposeTransform(m, nullptr, &sx, &sy, &angle2);
    }

    const Transform2D& m;
    double sx = 1.0;
    double sy = 1.0;
    double angle2 = 0.0;
};

void TransformWith(B_Base** holder, const TransformParts& parts);

class FigTransformer {
public:
    FigTransformer(B_Base** holder, const TransformParts& parts)
        : m_holder(holder), m_parts(parts), m_m(parts.m)
    {
    }

    void operator()(B_FigPoint& fig) const { Map(fig.position); }
    void operator()(B_FigPointEx& fig) const { Map(fig.position); }
    void operator()(B_FigLine& fig) const
    {
        Map(fig.line.first);
        Map(fig.line.second);
    }

    void operator()(B_FigPolyline& fig) const
    {
        for (Point2D& p : fig.points) Map(p);
    }

    void operator()(B_FigCircle& fig) const
    {
        if (Singular()) return;
        auto ellipse = std::make_unique<B_FigEllipse>(fig);
        ellipse->ellipse.centre = m_m.Apply(fig.centre);
        ellipse->ellipse.rx = std::fabs(m_parts.sx * fig.radius);
        ellipse->ellipse.ry = std::fabs(m_parts.sy * fig.radius);
        ellipse->ellipse.angle = m_parts.angle2;
        Replace(ellipse.release());
    }

    void operator()(B_FigArc& fig) const
    {
        if (Singular()) return;
        auto ellipseArc = std::make_unique<B_FigEllipseArc>(fig);
        if (TransformArc(fig.arc, ellipseArc->arc, m_m) != 0) return;
        Replace(ellipseArc.release());
    }

    void operator()(B_FigEllipse& fig) const
    {
        if (!Singular()) TransformEllipse(fig.ellipse, fig.ellipse, m_m);
    }

    void operator()(B_FigEllipseArc& fig) const
    {
        if (!Singular()) TransformEllipseArc(fig.arc, fig.arc, m_m);
    }

    void operator()(B_FigText& fig) const
    {
        Map(fig.start);
        Map(fig.end);
        const BaselineScaling scaling = ScalingOfBaseline(m_m, fig.angle);
        fig.width *= scaling.along;
        fig.spacing *= scaling.along;
        fig.height *= scaling.across;
        fig.angle += scaling.turn;
    }

    void operator()(B_FigDim& fig) const
    {
        for (B_Base* part : {fig.dimLine, fig.extLine1, fig.extLine2}) {
            if (auto* line = FigCast<B_FigLine>(part)) {
                Map(line->line.first);
                Map(line->line.second);
            }
        }
        if (!fig.text.text.IsEmpty()) Map(fig.text.start);
        for (B_Base* part : {fig.endPoint1, fig.endPoint2}) {
            if (auto* point = FigCast<B_FigPoint>(part)) Map(point->position);
        }
    }

    void operator()(B_FigSolid& fig) const
    {
        TransformWith(&fig.child, m_parts);
        // -1 means "no parameter" and selects how the solid is drawn: keep it.
        if (fig.parameter != B_FigSolid::kNoParameter) fig.parameter *= m_parts.sx;
    }

    void operator()(B_CFormGroup& group) const
    {
        for (B_FigNode* child : group.children) {
            if (child) TransformWith(&child->fig, m_parts);
        }
    }

    void operator()(B_FigImage& fig) const
    {
        for (Point2D& corner : fig.corners) Map(corner);
    }

    void operator()(B_Base&) const {}

private:
    bool Singular() const { return m_m.det == 0.0; }
    // A singular transform leaves points where they are.
    void Map(Point2D& p) const
    {
        if (!Singular()) p = m_m.Apply(p);
    }

    // The visited primitive is freed here: its reference must not be used after.
    void Replace(B_Base* replacement) const
    {
        DeleteFig(m_holder);
        *m_holder = replacement;
    }

    B_Base** m_holder;
    const TransformParts& m_parts;
    const Transform2D& m_m;  // m_parts.m
};

void TransformWith(B_Base** holder, const TransformParts& parts)
{
    if (!holder || !*holder) return;
    VisitFig(**holder, FigTransformer(holder, parts));
}

} // namespace

void TransformFig(B_Base** holder)
{
    if (!holder || !*holder) return;
    TransformWith(holder, TransformParts(GlobalTransform()));
}

void TransformFigs(const std::vector<B_FigNode*>& nodes)
{
    const TransformParts parts(GlobalTransform());
    for (B_FigNode* node : nodes) {
        if (node) TransformWith(&node->fig, parts);
    }
}
