#include "figures/FigTransform.h"

#include "figures/B_FigNode.h"
#include "figures/FigBounds.h"
#include "figures/FigLifetime.h"
#include "geometry/TransformSaver.h"

#include "../geometry/GeometryTestSupport.h"
#include "FigureFactory.h"

#include <cstring>
#include <vector>

namespace {

using namespace FigureFactory;

// Each test composes its placement in a scope of its own, as callers do.
class FigTransformTest : public testing::Test {
protected:
    void SetUp() override { ResetTransform(); }

    TransformSaver m_saver;
};

// Runs TransformFig on fig and returns what the holder holds afterwards;
// the caller frees it.
B_Base* Transformed(B_Base* fig)
{
    TransformFig(&fig);
    return fig;
}


struct CircleCase {
    const char* name;
    double angleBefore;
    double sx;
    double sy;
    double rx;
    double ry;
    double tilt;
};

class CircleTransformTest : public testing::TestWithParam<CircleCase> {
protected:
    TransformSaver m_saver;
};

TEST_P(CircleTransformTest, CircleBecomesEllipse)
{
    const CircleCase& c = GetParam();
    ResetTransform();
    RotateTransform(c.angleBefore, nullptr);
    ScaleTransform(nullptr, c.sx, c.sy);
    B_Base* fig = Transformed(Circle(Point2D(1.0, 0.0), 10.0));
    const auto* ellipse = FigCast<B_FigEllipse>(fig);
    ASSERT_NE(nullptr, ellipse) << c.name;
    EXPECT_NEAR(c.rx, ellipse->ellipse.rx, 1e-9) << c.name;
    EXPECT_NEAR(c.ry, ellipse->ellipse.ry, 1e-9) << c.name;
    EXPECT_NEAR(c.tilt, ellipse->ellipse.angle, 1e-9) << c.name;
    EXPECT_TRUE(PointNear(ellipse->ellipse.centre, GlobalTransform().Apply(Point2D(1.0, 0.0))));
    EXPECT_EQ(0x00123456u, ellipse->colour);
    EXPECT_EQ(0x0130, ellipse->flags);
    EXPECT_EQ(17, ellipse->layer);
    Free(fig);
}

INSTANTIATE_TEST_SUITE_P(Cases, CircleTransformTest, testing::Values(
    CircleCase{"scale 2,1", 0.0, 2.0, 1.0, 20.0, 10.0, 0.0},
    CircleCase{"rotation 30", 30.0, 1.0, 1.0, 10.0, 10.0, 15.0},
    CircleCase{"mirror", 0.0, 1.0, -1.0, 10.0, 10.0, 0.0},
    CircleCase{"uniform 3", 0.0, 3.0, 3.0, 30.0, 30.0, 0.0}));

TEST_F(FigTransformTest, SingularTransformLeavesPrimitivesUnchanged)
{
    ScaleTransform(nullptr, 0.0, 1.0);
    for (const Maker& kind : AllKinds()) {
        B_Base* fig = kind.make();
        B_Base* const before = fig;
        const std::uint16_t code = fig->typeCode;
        TransformFig(&fig);
        EXPECT_EQ(before, fig) << kind.name;
        EXPECT_EQ(code, fig->typeCode) << kind.name;
        Free(fig);
    }
    B_FigCircle* circle = Circle(Point2D(1.0, 2.0), 3.0);
    B_Base* fig = Transformed(circle);
    EXPECT_EQ(static_cast<B_Base*>(circle), fig);
    EXPECT_EQ(3.0, circle->radius);
    EXPECT_TRUE(SamePoint(Point2D(1.0, 2.0), circle->centre));
    B_FigLine* line = Line(Point2D(1.0, 2.0), Point2D(3.0, 4.0));
    Transformed(line);
    EXPECT_TRUE(SamePoint(Point2D(3.0, 4.0), line->line.second));
    Free(fig);
    Free(line);
}

TEST_F(FigTransformTest, ArcUnderMirrorSwapsEnds)
{
    ScaleTransform(nullptr, 1.0, -1.0);
    B_Base* fig = Transformed(Arc(Point2D(), 1.0, Point2D(1.0, 0.0), Point2D(0.0, 1.0)));
    const auto* arc = FigCast<B_FigEllipseArc>(fig);
    ASSERT_NE(nullptr, arc);
    EXPECT_TRUE(SamePoint(Point2D(0.0, -1.0), arc->arc.start));
    EXPECT_TRUE(SamePoint(Point2D(1.0, 0.0), arc->arc.end));
    EXPECT_EQ(17, arc->layer);
    Free(fig);
}

TEST_F(FigTransformTest, PointsLinesPolylinesAndImagesAreMapped)
{
    TranslateTransform(10.0, 20.0);
    B_FigPoint* point = Point(Point2D(1.0, 1.0));
    B_FigPolyline* polyline = Polyline({Point2D(0.0, 0.0), Point2D(2.0, 3.0)});
    B_FigLine* line = Line(Point2D(0.0, 0.0), Point2D(1.0, 0.0));
    B_Base* image = AllKinds().back().make();
    for (B_Base* fig : {static_cast<B_Base*>(point), static_cast<B_Base*>(polyline), static_cast<B_Base*>(line), image}) {
        EXPECT_EQ(fig, Transformed(fig));
    }
    EXPECT_TRUE(SamePoint(Point2D(11.0, 21.0), point->position));
    EXPECT_TRUE(SamePoint(Point2D(12.0, 23.0), polyline->points[1]));
    EXPECT_TRUE(SamePoint(Point2D(11.0, 20.0), line->line.second));
    EXPECT_TRUE(SamePoint(Point2D(35.0, 35.0), FigCast<B_FigImage>(image)->corners[2]));
    for (B_Base* fig : {static_cast<B_Base*>(point), static_cast<B_Base*>(polyline), static_cast<B_Base*>(line), image}) {
        Free(fig);
    }
}

TEST_F(FigTransformTest, TextEndsAreMapped)
{
    ScaleTransform(nullptr, 2.0, 3.0);
    B_FigText* text = Text(L"ab", Point2D(1.0, 1.0), Point2D(5.0, 1.0));
    Transformed(text);
    EXPECT_TRUE(SamePoint(Point2D(2.0, 3.0), text->start));
    EXPECT_TRUE(SamePoint(Point2D(10.0, 3.0), text->end));
    Free(text);
}

struct TextTransformCase {
    const char* name;
    double textAngle;
    double sx;
    double sy;
    double rotation;
    double along;    // factor of width and spacing
    double across;   // factor of height
    double angle;    // the text's angle afterwards
};

class TextTransformTest : public testing::TestWithParam<TextTransformCase> {
protected:
    TransformSaver m_saver;
};

// The metrics follow the text's own baseline: a block scaled 2 across and 3
// up makes a horizontal text twice as wide and three times as high.
TEST_P(TextTransformTest, MetricsFollowTheBaseline)
{
    const TextTransformCase& c = GetParam();
    ResetTransform();
    ScaleTransform(nullptr, c.sx, c.sy);
    RotateTransform(c.rotation, nullptr);
    B_FigText* text = Text(L"ab", Point2D(), Point2D(10.0, 0.0));
    text->angle = c.textAngle;
    Transformed(text);
    SCOPED_TRACE(c.name);
    EXPECT_NEAR(8.0 * c.along, text->width, 1e-12);
    EXPECT_NEAR(2.0 * c.along, text->spacing, 1e-12);
    EXPECT_NEAR(5.0 * c.across, text->height, 1e-12);
    EXPECT_NEAR(c.angle, text->angle, 1e-9);
    Free(text);
}

INSTANTIATE_TEST_SUITE_P(Cases, TextTransformTest, testing::Values(
    TextTransformCase{"scale 2,1", 0.0, 2.0, 1.0, 0.0, 2.0, 1.0, 0.0},
    TextTransformCase{"scale 2,3", 0.0, 2.0, 3.0, 0.0, 2.0, 3.0, 0.0},
    TextTransformCase{"scale 2,3 vertical text", 90.0, 2.0, 3.0, 0.0, 3.0, 2.0, 90.0},
    TextTransformCase{"rotation 90", 0.0, 1.0, 1.0, 90.0, 1.0, 1.0, 90.0},
    TextTransformCase{"uniform 2, rotation 30", 10.0, 2.0, 2.0, 30.0, 2.0, 2.0, 40.0},
    TextTransformCase{"mirror", 30.0, 1.0, -1.0, 0.0, 1.0, -1.0, -30.0},
    TextTransformCase{"singular", 30.0, 0.0, 1.0, 0.0, 1.0, 1.0, 30.0}));

TEST_F(FigTransformTest, DimensionMapsLinesTextStartAndEndPoints)
{
    TranslateTransform(5.0, 0.0);
    B_FigDim* dim = Dim();
    Transformed(dim);
    EXPECT_TRUE(SamePoint(Point2D(105.0, 0.0), FigCast<B_FigLine>(dim->dimLine)->line.second));
    EXPECT_TRUE(SamePoint(Point2D(5.0, -10.0), FigCast<B_FigLine>(dim->extLine1)->line.first));
    EXPECT_TRUE(SamePoint(Point2D(105.0, -10.0), FigCast<B_FigLine>(dim->extLine2)->line.first));
    EXPECT_TRUE(SamePoint(Point2D(5.0, 0.0), FigCast<B_FigPoint>(dim->endPoint1)->position));
    EXPECT_TRUE(SamePoint(Point2D(105.0, 0.0), FigCast<B_FigPoint>(dim->endPoint2)->position));
    EXPECT_TRUE(SamePoint(Point2D(5.0, 1.0), dim->text.start));
    EXPECT_TRUE(SamePoint(Point2D(40.0, 1.0), dim->text.end));   // the start only

    dim->text.text = L"";
    Transformed(dim);
    EXPECT_TRUE(SamePoint(Point2D(5.0, 1.0), dim->text.start));
    Free(dim);
}

TEST_F(FigTransformTest, SolidTransformsChildAndScalesParameter)
{
    ScaleTransform(nullptr, 2.0, 1.0);
    B_FigSolid* ring = Solid(105, 4.0, Circle(Point2D(1.0, 1.0), 10.0));
    Transformed(ring);
    EXPECT_EQ(8.0, ring->parameter);
    const auto* outline = FigCast<B_FigEllipse>(ring->child);
    ASSERT_NE(nullptr, outline);
    EXPECT_EQ(20.0, outline->ellipse.rx);

    // -1 marks "no parameter" and must survive a scaled block.
    B_FigSolid* filled = Solid(120, -1.0, Polyline({Point2D(1.0, 0.0), Point2D(0.0, 1.0)}));
    Transformed(filled);
    EXPECT_EQ(-1.0, filled->parameter);
    EXPECT_TRUE(SamePoint(Point2D(2.0, 0.0), FigCast<B_FigPolyline>(filled->child)->points[0]));
    Free(ring);
    Free(filled);
}

TEST_F(FigTransformTest, GroupTransformsEveryChildInItsNode)
{
    B_Base* circle = Circle(Point2D(), 1.0);
    B_Base* point = Point(Point2D(1.0, 1.0));
    B_FigNode circleNode(&circle);
    B_FigNode pointNode(&point);
    B_CFormGroup* group = new B_CFormGroup();
    group->children = {&circleNode, nullptr, &pointNode};
    ScaleTransform(nullptr, 2.0, 1.0);
    B_Base* fig = Transformed(group);
    EXPECT_EQ(static_cast<B_Base*>(group), fig);
    ASSERT_NE(nullptr, FigCast<B_FigEllipse>(circleNode.fig));
    EXPECT_EQ(2.0, FigCast<B_FigEllipse>(circleNode.fig)->ellipse.rx);
    EXPECT_TRUE(SamePoint(Point2D(2.0, 1.0), FigCast<B_FigPoint>(pointNode.fig)->position));
    Free(fig);
}

TEST_F(FigTransformTest, EllipsesAreMappedInPlace)
{
    RotateTransform(90.0, nullptr);
    for (std::size_t i : {6u, 7u}) {   // the ellipse and the elliptic arc of AllKinds
        B_Base* fig = AllKinds()[i].make();
        B_Base* const before = fig;
        TransformFig(&fig);
        EXPECT_EQ(before, fig);
        Free(fig);
    }
    B_Base* ellipse = AllKinds()[6].make();
    Transformed(ellipse);
    EXPECT_NEAR(110.0, static_cast<B_FigEllipse*>(ellipse)->ellipse.angle, 1e-9);
    Free(ellipse);
}

TEST_F(FigTransformTest, UnknownCodeAndEmptyHolderAreIgnored)
{
    TranslateTransform(1.0, 1.0);
    B_Base unknown(999);
    B_Base* fig = &unknown;
    TransformFig(&fig);
    EXPECT_EQ(&unknown, fig);
    B_Base* empty = nullptr;
    TransformFig(&empty);
    TransformFig(nullptr);
}

} // namespace

namespace {
Bounds2D BoxOf(B_Base* fig)
{
    Bounds2D box;
    CalcFigBounds(fig, box, 1.0);
    return box;
}
} // namespace

// A block's members are mapped together, with the transform taken apart once:
// each ends up exactly as when it is mapped alone.
TEST_F(FigTransformTest, NodesTogetherEndAsEachAlone)
{
    const Point2D reference(3.0, -2.0);
    TranslateTransform(40.0, 25.0);
    ScaleTransform(&reference, 2.5, -0.75);
    RotateTransform(33.0, &reference);
    const std::vector<Maker>& kinds = AllKinds();
    std::vector<B_Base*> together;
    std::vector<B_FigNode*> nodes;
    for (const Maker& kind : kinds)
        together.push_back(kind.make());
    for (B_Base*& fig : together)
        nodes.push_back(new B_FigNode(&fig));
    TransformFigs(nodes);
    for (size_t i = 0; i < kinds.size(); ++i) {
        B_Base* alone = Transformed(kinds[i].make());
        B_Base* mapped = nodes[i]->fig;
        SCOPED_TRACE(kinds[i].name);
        ASSERT_NE(nullptr, mapped);
        EXPECT_EQ(alone->typeCode, mapped->typeCode);
        const Bounds2D a = BoxOf(alone);
        const Bounds2D b = BoxOf(mapped);
        EXPECT_EQ(0, std::memcmp(&a, &b, sizeof a));
        Free(alone);
        Free(mapped);
        nodes[i]->fig = nullptr;
        delete nodes[i];
    }
}
