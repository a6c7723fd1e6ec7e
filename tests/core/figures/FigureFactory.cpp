#include "figures/FigLifetime.h"
#include "FigureFactory.h"

namespace FigureFactory {

void SetHeader(B_Base& fig)
{
    fig.colour = 0x00123456;
    fig.layer = 17;
    fig.lineType = 2;
    fig.width = 3;
    fig.flags = 0x0130;
    fig.bounds = Bounds2D{-1.0, -2.0, 3.0, 4.0};
}

B_FigPoint* Point(Point2D position)
{
    auto* fig = new B_FigPoint();
    SetHeader(*fig);
    fig->position = position;
    return fig;
}

B_FigLine* Line(Point2D first, Point2D second)
{
    auto* fig = new B_FigLine();
    SetHeader(*fig);
    fig->line = Segment2D{first, second};
    return fig;
}

B_FigCircle* Circle(Point2D centre, double radius)
{
    auto* fig = new B_FigCircle();
    SetHeader(*fig);
    fig->centre = centre;
    fig->radius = radius;
    return fig;
}

B_FigArc* Arc(Point2D centre, double radius, Point2D start, Point2D end)
{
    auto* fig = new B_FigArc();
    SetHeader(*fig);
    fig->arc.centre = centre;
    fig->arc.radius = radius;
    fig->arc.start = start;
    fig->arc.end = end;
    return fig;
}

B_FigText* Text(const wchar_t* text, Point2D start, Point2D end)
{
    auto* fig = new B_FigText();
    SetHeader(*fig);
    fig->start = start;
    fig->end = end;
    fig->text = text;
    fig->fontName = L"MS Gothic";
    fig->textFlags = 0x0600;
    fig->width = 8.0;
    fig->height = 5.0;
    fig->spacing = 2.0;
    return fig;
}

B_FigDim* Dim()
{
    auto* fig = new B_FigDim();
    SetHeader(*fig);
    fig->text.text = L"1200";
    fig->text.start = Point2D(0.0, 1.0);
    fig->text.end = Point2D(40.0, 1.0);
    fig->text.width = 8.0;
    fig->text.height = 5.0;
    fig->text.spacing = 2.0;
    fig->text.bounds = Bounds2D{0.0, 1.0, 40.0, 6.0};
    fig->dimLine = Line(Point2D(0.0, 0.0), Point2D(100.0, 0.0));
    fig->extLine1 = Line(Point2D(0.0, -10.0), Point2D(0.0, 0.0));
    fig->extLine2 = Line(Point2D(100.0, -10.0), Point2D(100.0, 0.0));
    fig->endPoint1 = Point(Point2D(0.0, 0.0));
    fig->endPoint2 = Point(Point2D(100.0, 0.0));
    fig->terminator1 = B_DimTerminator{1, 2, 3.0, 15.0};
    return fig;
}

B_FigSolid* Solid(std::uint16_t kind, double parameter, B_Base* child)
{
    auto* fig = new B_FigSolid(kind, parameter);
    SetHeader(*fig);
    fig->child = child;
    return fig;
}

B_FigPolyline* Polyline(std::vector<Point2D> points)
{
    auto* fig = new B_FigPolyline();
    SetHeader(*fig);
    fig->open = 0;
    fig->points = std::move(points);
    return fig;
}

namespace {

B_Base* MakePointEx()
{
    auto* fig = new B_FigPointEx();
    SetHeader(*fig);
    fig->position = Point2D(1.0, 2.0);
    fig->angle = 30.0;
    fig->size = 4.0;
    fig->markerCode = 7;
    return fig;
}

B_Base* MakeEllipse()
{
    auto* fig = new B_FigEllipse();
    SetHeader(*fig);
    fig->ellipse = EllipseGeom{Point2D(1.0, 2.0), 30.0, 10.0, 20.0};
    return fig;
}

B_Base* MakeEllipseArc()
{
    auto* fig = new B_FigEllipseArc();
    SetHeader(*fig);
    fig->arc.centre = Point2D(1.0, 2.0);
    fig->arc.rx = 30.0;
    fig->arc.ry = 10.0;
    fig->arc.start = Point2D(31.0, 2.0);
    fig->arc.end = Point2D(1.0, 12.0);
    return fig;
}

B_Base* MakeGroup()
{
    auto* fig = new B_CFormGroup();
    SetHeader(*fig);
    return fig;
}

B_Base* MakeImage()
{
    auto* fig = new B_FigImage();
    SetHeader(*fig);
    B_ImageParams params;
    params.path = L"C:\\drawings\\photo.png";
    params.width = 20.0f;
    params.height = 10.0f;
    params.imageNumber = 3;
    fig->Layout(params, Point2D(5.0, 5.0));
    return fig;
}

} // namespace

const std::vector<Maker>& AllKinds()
{
    static const std::vector<Maker> makers = {
        {"point", [] { return static_cast<B_Base*>(Point(Point2D(1.0, 2.0))); }},
        {"marker", MakePointEx},
        {"line", [] { return static_cast<B_Base*>(Line(Point2D(1.0, 2.0), Point2D(3.0, 4.0))); }},
        {"polyline", [] { return static_cast<B_Base*>(Polyline({Point2D(0.0, 0.0), Point2D(1.0, 0.0), Point2D(1.0, 1.0)})); }},
        {"circle", [] { return static_cast<B_Base*>(Circle(Point2D(1.0, 2.0), 10.0)); }},
        {"arc", [] { return static_cast<B_Base*>(Arc(Point2D(), 10.0, Point2D(10.0, 0.0), Point2D(0.0, 10.0))); }},
        {"ellipse", MakeEllipse},
        {"ellipse arc", MakeEllipseArc},
        {"text", [] { return static_cast<B_Base*>(Text(L"abcd", Point2D(), Point2D(40.0, 0.0))); }},
        {"dimension", [] { return static_cast<B_Base*>(Dim()); }},
        {"solid", [] { return static_cast<B_Base*>(Solid(101, -1.0, Polyline({Point2D(), Point2D(1.0, 1.0)}))); }},
        {"group", MakeGroup},
        {"image", MakeImage},
    };
    return makers;
}

void Free(B_Base* fig)
{
    DeleteFig(&fig);
}

} // namespace FigureFactory
