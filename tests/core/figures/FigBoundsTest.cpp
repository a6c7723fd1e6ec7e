#include "figures/FigBounds.h"

#include "figures/B_FigNode.h"
#include "figures/FigLifetime.h"

#include "../geometry/GeometryTestSupport.h"
#include "FigureFactory.h"

namespace {

using namespace FigureFactory;


void ExpectBox(const Bounds2D& box, double minX, double minY, double maxX, double maxY, double tolerance = 1e-9)
{
    EXPECT_NEAR(minX, box.minX, tolerance);
    EXPECT_NEAR(minY, box.minY, tolerance);
    EXPECT_NEAR(maxX, box.maxX, tolerance);
    EXPECT_NEAR(maxY, box.maxY, tolerance);
}

// Measures a fresh figure into an empty box; both must agree.
Bounds2D Measure(B_Base* fig, double scale = 1.0)
{
    fig->bounds = Bounds2D();
    Bounds2D box;
    CalcFigBounds(fig, box, scale);
    EXPECT_EQ(box.minX, fig->bounds.minX);
    EXPECT_EQ(box.maxY, fig->bounds.maxY);
    return box;
}

struct TextCase {
    const char* name;
    const wchar_t* text;
    Point2D end;
    double width;
    double spacing;
    double angle;
    Bounds2D expected;
};

class TextBoundsTest : public testing::TestWithParam<TextCase> {};

TEST_P(TextBoundsTest, HeightStretchedToTheBaseline)
{
    const TextCase& c = GetParam();
    B_FigText* text = Text(c.text, Point2D(), c.end);
    text->width = c.width;
    text->spacing = c.spacing;
    text->height = 5.0;
    text->angle = c.angle;
    const Bounds2D box = Measure(text);
    SCOPED_TRACE(c.name);
    ExpectBox(box, c.expected.minX, c.expected.minY, c.expected.maxX, c.expected.maxY);
    Free(text);
}

INSTANTIATE_TEST_SUITE_P(Cases, TextBoundsTest, testing::Values(
    TextCase{"fits", L"abcd", Point2D(40.0, 0.0), 8.0, 2.0, 0.0, Bounds2D{0.0, 0.0, 40.0, 5.0}},
    TextCase{"wide spacing", L"abcd", Point2D(40.0, 0.0), 10.0, 10.0, 0.0, Bounds2D{0.0, 0.0, 40.0, 2.5}},
    TextCase{"empty counts one", L"", Point2D(40.0, 0.0), 8.0, 2.0, 0.0, Bounds2D{0.0, 0.0, 40.0, 20.0}},
    TextCase{"no room: plain height", L"abcd", Point2D(40.0, 0.0), 0.0, 0.0, 0.0, Bounds2D{0.0, 0.0, 40.0, 5.0}},
    TextCase{"room cancels out", L"abcd", Point2D(40.0, 0.0), 5.0, -5.0, 0.0, Bounds2D{0.0, 0.0, 40.0, 5.0}},
    TextCase{"turned 90", L"abcd", Point2D(0.0, 40.0), 8.0, 2.0, 90.0, Bounds2D{-5.0, 0.0, 0.0, 40.0}}));

TEST(FigBoundsTest, CircleAndArc)
{
    B_FigCircle* circle = Circle(Point2D(1.0, 2.0), 3.0);
    ExpectBox(Measure(circle), -2.0, -1.0, 4.0, 5.0);
    B_FigArc* quarter = Arc(Point2D(), 100.0, Point2D(100.0, 0.0), Point2D(0.0, 100.0));
    ExpectBox(Measure(quarter), 0.0, 0.0, 100.0, 100.0);
    Free(circle);
    Free(quarter);
}

TEST(FigBoundsTest, CurvesThatCannotBeFlattenedFallBack)
{
    B_FigArc* arc = Arc(Point2D(), 100.0, Point2D(100.0, 0.0), Point2D(-100.0, 0.0));
    ExpectBox(Measure(arc, 0.0), -100.0, 0.0, 100.0, 0.0);   // scale 0: ends only
    B_Base* ellipse = AllKinds()[6].make();                  // centre (1, 2), radii 30 and 10
    ExpectBox(Measure(ellipse, 1e300), -29.0, -28.0, 31.0, 32.0);
    B_Base* ellipseArc = AllKinds()[7].make();               // (31, 2) to (1, 12)
    ExpectBox(Measure(ellipseArc, 1e300), 1.0, 2.0, 31.0, 12.0);
    Free(arc);
    Free(ellipse);
    Free(ellipseArc);
}

TEST(FigBoundsTest, OwnBoundsTakeUpEverythingInTheBox)
{
    B_FigPoint* point = Point(Point2D(5.0, 5.0));
    point->bounds = Bounds2D();
    Bounds2D box;
    ExtendBounds(box, Point2D(-1.0, -1.0));
    CalcFigBounds(point, box, 1.0);
    ExpectBox(point->bounds, -1.0, -1.0, 5.0, 5.0);
    Free(point);
}

TEST(FigBoundsTest, GroupChildrenCoverThoseBeforeThem)
{
    B_Base* first = Point(Point2D(0.0, 0.0));
    B_Base* second = Point(Point2D(10.0, 10.0));
    B_FigNode firstNode(&first);
    B_FigNode secondNode(&second);
    B_CFormGroup group;
    group.children = {&firstNode, nullptr, &secondNode};
    ExpectBox(Measure(&group), 0.0, 0.0, 10.0, 10.0);
    ExpectBox(firstNode.fig->bounds, 0.0, 0.0, 0.0, 0.0);     // reset before measuring
    ExpectBox(secondNode.fig->bounds, 0.0, 0.0, 10.0, 10.0);
}

TEST(FigBoundsTest, DimensionMeasuresPartsAndNonEmptyText)
{
    B_FigDim* dim = Dim();
    ExpectBox(Measure(dim), 0.0, -10.0, 100.0, 6.0);
    dim->text.text = L"";
    dim->text.start = Point2D(0.0, 500.0);
    ExpectBox(Measure(dim), 0.0, -10.0, 100.0, 0.0);
    Free(dim);
}

struct SolidCase {
    std::uint16_t kind;
    double parameter;
    bool curveChild;
    bool measured;
};

class SolidBoundsTest : public testing::TestWithParam<SolidCase> {};

TEST_P(SolidBoundsTest, ChildCountsByKindAndParameter)
{
    const SolidCase& c = GetParam();
    B_Base* child = c.curveChild ? static_cast<B_Base*>(Circle(Point2D(), 1.0))
                                 : static_cast<B_Base*>(Polyline({Point2D(), Point2D(2.0, 2.0)}));
    B_FigSolid* solid = Solid(c.kind, c.parameter, child);
    const Bounds2D box = Measure(solid);
    EXPECT_EQ(c.measured, !box.IsEmpty()) << c.kind << " " << c.parameter;
    EXPECT_EQ(c.measured, !solid->bounds.IsEmpty());
    Free(solid);
}

INSTANTIATE_TEST_SUITE_P(Cases, SolidBoundsTest, testing::Values(
    SolidCase{10, 0.0, false, true},
    SolidCase{100, 0.0, true, true},
    SolidCase{105, 3.0, false, false},
    SolidCase{106, 3.0, true, true},
    SolidCase{120, -1.0, false, true},
    SolidCase{120, 0.0, false, false},
    SolidCase{120, 0.0, true, true}));

TEST(FigBoundsTest, ImageCornersAndUnknownCode)
{
    B_Base* image = AllKinds().back().make();   // 20 x 10 at (5, 5)
    ExpectBox(Measure(image), 5.0, 5.0, 25.0, 15.0);
    Free(image);

    B_Base unknown(999);
    Bounds2D box;
    CalcFigBounds(&unknown, box, 1.0);
    CalcFigBounds(nullptr, box, 1.0);
    EXPECT_TRUE(box.IsEmpty());
    EXPECT_TRUE(unknown.bounds.IsEmpty());
}

TEST(B_FigImageTest, LayoutTurnsFrameAboutFirstCorner)
{
    B_FigImage image;
    B_ImageParams params;
    params.width = 20.0f;
    params.height = 10.0f;
    params.angle = 90.0f;
    EXPECT_TRUE(image.Layout(params, Point2D(1.0, 1.0)));
    EXPECT_TRUE(SamePoint(Point2D(1.0, 1.0), image.corners[0]));
    EXPECT_TRUE(SamePoint(Point2D(1.0, 21.0), image.corners[1]));
    EXPECT_TRUE(SamePoint(Point2D(-9.0, 21.0), image.corners[2]));
    EXPECT_TRUE(SamePoint(Point2D(-9.0, 1.0), image.corners[3]));
    EXPECT_EQ(90.0f, image.params.angle);

    params.angle = 0.0000001f;   // counts as 0
    image.Layout(params, Point2D());
    EXPECT_TRUE(SamePoint(Point2D(20.0, 10.0), image.corners[2]));
}

} // namespace
