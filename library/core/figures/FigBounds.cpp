#include "figures/FigBounds.h"

#include "figures/B_FigNode.h"
#include "figures/FigVisit.h"
#include "geometry/CurvePolygonizer.h"
#include "geometry/VectorFunctions.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace {

bool IsCurveCode(std::uint16_t code)
{
    return code == FigCode::Circle || code == FigCode::Arc || code == FigCode::Ellipse ||
           code == FigCode::EllipseArc;
}

// Each call answers whether the code names a kind; only then do the
// primitive's own bounds take up the box.
class BoundsCollector {
public:
    BoundsCollector(Bounds2D& box, double scale) : m_box(box), m_scale(scale) {}

    bool operator()(B_FigPoint& fig) const { return Add({fig.position}); }
    bool operator()(B_FigPointEx& fig) const { return Add({fig.position}); }
    bool operator()(B_FigLine& fig) const { return Add({fig.line.first, fig.line.second}); }

    bool operator()(B_FigPolyline& fig) const
    {
        for (const Point2D& p : fig.points) ExtendBounds(m_box, p);
        return true;
    }

    bool operator()(B_FigCircle& fig) const
    {
        const Point2D& c = fig.centre;
        const double r = fig.radius;
        return Add({Point2D(c.x - r, c.y - r), Point2D(c.x + r, c.y + r)});
    }

    bool operator()(B_FigArc& fig) const
    {
        return AddCurve(fig) || Add({fig.arc.start, fig.arc.end});
    }

    bool operator()(B_FigEllipse& fig) const
    {
        if (AddCurve(fig)) return true;
        const Point2D& c = fig.ellipse.centre;
        const double half = std::max(fig.ellipse.rx, fig.ellipse.ry);
        return Add({Point2D(c.x - half, c.y - half), Point2D(c.x + half, c.y + half)});
    }

    bool operator()(B_FigEllipseArc& fig) const
    {
        return AddCurve(fig) || Add({fig.arc.start, fig.arc.end});
    }

    bool operator()(B_FigText& fig) const
    {
        const double h = StretchedHeight(fig);
        if (fig.angle == 0.0) return Add({fig.start, Point2D(fig.end.x, fig.end.y + h)});
        ExtendBounds(m_box, fig.start);
        // Box the text in its own frame, then turn the corners back.
        Point2D e;
        RotatePoint(fig.end, e, -fig.angle, &fig.start);
        for (Point2D corner : {Point2D(fig.start.x, e.y + h), Point2D(e.x, e.y + h), e}) {
            RotatePoint(corner, corner, fig.angle, &fig.start);
            ExtendBounds(m_box, corner);
        }
        return true;
    }

    bool operator()(B_FigDim& fig) const
    {
        for (const B_Base* part : {fig.dimLine, fig.extLine1, fig.extLine2}) {
            if (const auto* line = FigCast<B_FigLine>(part)) Add({line->line.first, line->line.second});
        }
        if (!fig.text.text.IsEmpty()) CalcFigBounds(&fig.text, m_box, m_scale);
        for (const B_Base* part : {fig.endPoint1, fig.endPoint2}) {
            if (const auto* point = FigCast<B_FigPoint>(part)) ExtendBounds(m_box, point->position);
        }
        return true;
    }

    bool operator()(B_FigSolid& fig) const
    {
        if (SolidShowsChild(fig)) CalcFigBounds(fig.child, m_box, m_scale);
        return true;
    }

    bool operator()(B_CFormGroup& group) const
    {
        // Children share the box, so each child's bounds also cover those
        // before it.
        for (B_FigNode* child : group.children) {
            if (!child || !child->fig) continue;
            child->fig->bounds = Bounds2D();
            CalcFigBounds(child->fig, m_box, m_scale);
        }
        return true;
    }

    bool operator()(B_FigImage& fig) const
    {
        for (const Point2D& corner : fig.corners) ExtendBounds(m_box, corner);
        return true;
    }

    bool operator()(B_Base&) const { return false; }

private:
    // Adds the points; true, so that a kind can end with it.
    bool Add(std::initializer_list<Point2D> points) const
    {
        for (const Point2D& p : points) ExtendBounds(m_box, p);
        return true;
    }

    bool AddCurve(const B_Base& fig) const
    {
        return CurvePointBounds(&fig, m_scale, CurvePointBuffer::kStandardCapacity, m_box) == 0;
    }

    // The height of the text when its characters are stretched to fill the
    // line from start to end; the plain height when the characters take no
    // room at all.
    static double StretchedHeight(const B_FigText& fig)
    {
        const double length = std::hypot(fig.end.x - fig.start.x, fig.end.y - fig.start.y);
        const int count = fig.text.IsEmpty() ? 1 : fig.text.GetLength();
        const double room = (fig.width + fig.spacing) * count;
        return room != 0.0 ? length * fig.height / room : fig.height;
    }

    static bool SolidShowsChild(const B_FigSolid& fig)
    {
        const std::uint16_t code = fig.child ? fig.child->typeCode : 0;
        if (fig.kind <= B_FigSolid::kLastPolygonKind) return true;
        if (B_FigSolid::IsRingKind(fig.kind)) return IsCurveCode(code);
        return fig.parameter == B_FigSolid::kNoParameter || IsCurveCode(code);
    }

    Bounds2D& m_box;
    double m_scale;
};

} // namespace

void CalcFigBounds(B_Base* fig, Bounds2D& box, double scale)
{
    if (!fig) return;
    if (VisitFig(*fig, BoundsCollector(box, scale))) UniteBounds(fig->bounds, box);
}
