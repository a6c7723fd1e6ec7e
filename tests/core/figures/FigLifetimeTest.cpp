#include "figures/FigLifetime.h"

#include "figures/B_FigNode.h"

#include "AllocationCounter.h"
#include "FigureFactory.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using FigureFactory::AllKinds;

std::string NameOf(const testing::TestParamInfo<std::size_t>& info)
{
    std::string name = AllKinds()[info.param].name;
    for (char& c : name) {
        if (c == ' ') c = '_';
    }
    return name;
}

class EveryKindTest : public testing::TestWithParam<std::size_t> {
protected:
    const FigureFactory::Maker& Kind() const { return AllKinds()[GetParam()]; }
};

TEST_P(EveryKindTest, CloneKeepsKindAndHeaderWithEmptyBounds)
{
    B_Base* fig = Kind().make();
    B_Base* copy = CloneFig(fig);
    ASSERT_NE(nullptr, copy);
    EXPECT_NE(fig, copy);
    EXPECT_EQ(fig->typeCode, copy->typeCode);
    EXPECT_EQ(fig->colour, copy->colour);
    EXPECT_EQ(fig->layer, copy->layer);
    EXPECT_EQ(fig->lineType, copy->lineType);
    EXPECT_EQ(fig->width, copy->width);
    EXPECT_EQ(fig->flags, copy->flags);
    EXPECT_TRUE(copy->bounds.IsEmpty());
    EXPECT_FALSE(fig->bounds.IsEmpty());
    DeleteFig(&copy);
    EXPECT_EQ(nullptr, copy);
    DeleteFig(&fig);
}

TEST_P(EveryKindTest, CloneAndDeleteLeaveNoAllocationBehind)
{
    const FigureFactory::Maker& kind = Kind();
    const long long before = LiveAllocations();
    B_Base* fig = kind.make();
    const long long made = LiveAllocations();
    B_Base* copy = CloneFig(fig);
    const long long cloned = LiveAllocations();
    DeleteFig(&copy);
    const long long copyDeleted = LiveAllocations();
    B_FigNode* node = new B_FigNode(&fig);
    delete node;
    const long long after = LiveAllocations();

    EXPECT_GT(cloned, made);
    EXPECT_EQ(made, copyDeleted);
    EXPECT_EQ(before, after);
    EXPECT_EQ(nullptr, fig);
}

INSTANTIATE_TEST_SUITE_P(Kinds, EveryKindTest, testing::Range<std::size_t>(0, AllKinds().size()), NameOf);

TEST(FigLifetimeTest, DimensionCloneOwnsCopiesOfItsParts)
{
    B_FigDim* dim = FigureFactory::Dim();
    B_Base* copy = CloneFig(dim);
    const auto* clone = FigCast<B_FigDim>(copy);
    ASSERT_NE(nullptr, clone);
    for (auto part : {&B_FigDim::dimLine, &B_FigDim::extLine1, &B_FigDim::extLine2, &B_FigDim::endPoint1,
                      &B_FigDim::endPoint2}) {
        ASSERT_NE(nullptr, clone->*part);
        EXPECT_NE(dim->*part, clone->*part);
        EXPECT_EQ((dim->*part)->typeCode, (clone->*part)->typeCode);
        EXPECT_TRUE((clone->*part)->bounds.IsEmpty());
    }
    EXPECT_EQ(100.0, FigCast<B_FigLine>(clone->dimLine)->line.second.x);
    // The text is copied whole, its bounds included.
    EXPECT_STREQ(L"1200", clone->text.text.GetString());
    EXPECT_EQ(40.0, clone->text.bounds.maxX);
    EXPECT_EQ(15.0, clone->terminator1.halfAngle);
    EXPECT_EQ(-1, clone->terminator2.kind);
    DeleteFig(&copy);
    B_Base* original = dim;
    DeleteFig(&original);
}

TEST(FigLifetimeTest, SolidAndPolylineClonesAreDeep)
{
    B_FigSolid* solid = FigureFactory::Solid(3, 2.5, FigureFactory::Polyline({Point2D(1.0, 1.0), Point2D(2.0, 2.0)}));
    B_Base* copy = CloneFig(solid);
    auto* clone = FigCast<B_FigSolid>(copy);
    ASSERT_NE(nullptr, clone);
    EXPECT_EQ(3, clone->kind);
    EXPECT_EQ(2.5, clone->parameter);
    auto* outline = FigCast<B_FigPolyline>(clone->child);
    ASSERT_NE(nullptr, outline);
    EXPECT_NE(solid->child, clone->child);
    outline->points[0].x = 99.0;
    EXPECT_EQ(1.0, FigCast<B_FigPolyline>(solid->child)->points[0].x);
    EXPECT_EQ(0, outline->open);
    DeleteFig(&copy);
    B_Base* original = solid;
    DeleteFig(&original);
}

TEST(FigLifetimeTest, GroupCloneTakesHeaderOnly)
{
    B_Base* child = FigureFactory::Point(Point2D());
    B_FigNode node(&child);
    B_CFormGroup group;
    FigureFactory::SetHeader(group);
    group.children.push_back(&node);
    B_Base* copy = CloneFig(&group);
    auto* clone = FigCast<B_CFormGroup>(copy);
    ASSERT_NE(nullptr, clone);
    EXPECT_TRUE(clone->children.empty());
    EXPECT_EQ(17, clone->layer);
    DeleteFig(&copy);
}

TEST(FigLifetimeTest, DeletingGroupLeavesItsChildrenToTheirNodes)
{
    B_Base* child = FigureFactory::Point(Point2D(7.0, 8.0));
    B_FigNode node(&child);
    B_Base* group = new B_CFormGroup();
    static_cast<B_CFormGroup*>(group)->children.push_back(&node);
    DeleteFig(&group);
    ASSERT_NE(nullptr, FigCast<B_FigPoint>(node.fig));
    EXPECT_EQ(7.0, FigCast<B_FigPoint>(node.fig)->position.x);
}

TEST(FigLifetimeTest, UnknownCodeIsNotClonedButFreed)
{
    const long long before = LiveAllocations();
    B_Base* unknown = new B_Base(999);
    B_Base* copy = CloneFig(unknown);
    DeleteFig(&unknown);
    const long long after = LiveAllocations();
    EXPECT_EQ(nullptr, copy);
    EXPECT_EQ(nullptr, unknown);
    EXPECT_EQ(before, after);
    EXPECT_EQ(nullptr, CloneFig(nullptr));
    DeleteFig(nullptr);
    B_Base* empty = nullptr;
    DeleteFig(&empty);
}

TEST(FigLifetimeTest, AssignFigReplacesWithClone)
{
    B_Base* holder = FigureFactory::Point(Point2D());
    B_Base* const self = holder;
    EXPECT_EQ(self, AssignFig(&holder, holder));
    EXPECT_EQ(self, holder);

    B_FigCircle* circle = FigureFactory::Circle(Point2D(1.0, 1.0), 5.0);
    B_Base* assigned = AssignFig(&holder, circle);
    EXPECT_EQ(assigned, holder);
    ASSERT_NE(nullptr, FigCast<B_FigCircle>(holder));
    EXPECT_EQ(5.0, FigCast<B_FigCircle>(holder)->radius);
    EXPECT_NE(static_cast<B_Base*>(circle), holder);

    EXPECT_EQ(nullptr, AssignFig(&holder, nullptr));
    EXPECT_EQ(nullptr, holder);
    B_Base* source = circle;
    DeleteFig(&source);
}

// The source may live inside the primitive that is being replaced.
TEST(FigLifetimeTest, AssignFigFromAPartOfTheHeldFigure)
{
    const long long before = LiveAllocations();
    B_Base* holder = FigureFactory::Solid(5, 1.0, FigureFactory::Circle(Point2D(2.0, 3.0), 4.0));
    AssignFig(&holder, static_cast<B_FigSolid*>(holder)->child);
    const B_FigCircle* circle = FigCast<B_FigCircle>(holder);
    const double radius = circle ? circle->radius : 0.0;
    DeleteFig(&holder);
    const long long after = LiveAllocations();
    EXPECT_EQ(4.0, radius);
    EXPECT_EQ(before, after);
}

TEST(B_FigNodeTest, TakesOverTheHolder)
{
    B_Base* fig = FigureFactory::Line(Point2D(), Point2D(1.0, 1.0));
    B_Base* const held = fig;
    B_FigNode node(&fig);
    EXPECT_EQ(nullptr, fig);
    EXPECT_EQ(held, node.fig);
    B_FigNode empty(nullptr);
    EXPECT_EQ(nullptr, empty.fig);
}

TEST(B_FigTextTest, MakeTextCopyCopiesEverything)
{
    B_FigText* text = FigureFactory::Text(L"abc", Point2D(1.0, 2.0), Point2D(3.0, 4.0));
    B_FigText* copy = MakeTextCopy(*text);
    ASSERT_NE(nullptr, copy);
    EXPECT_STREQ(L"abc", copy->text.GetString());
    EXPECT_STREQ(L"MS Gothic", copy->fontName.GetString());
    EXPECT_EQ(0x0600, copy->textFlags);
    EXPECT_EQ(4.0, copy->bounds.maxY);   // a copy, bounds included
    B_Base* a = copy;
    B_Base* b = text;
    DeleteFig(&a);
    DeleteFig(&b);
}

TEST(B_FigPointExTest, MakePointExFigTurnsPointIntoMarker)
{
    B_Base* point = FigureFactory::Point(Point2D(4.0, 5.0));
    B_FigNode node(&point);
    MakePointExFig(node, 6, 45.0, 2.5);
    const auto* marker = FigCast<B_FigPointEx>(node.fig);
    ASSERT_NE(nullptr, marker);
    EXPECT_EQ(6, marker->markerCode);
    EXPECT_EQ(45.0, marker->angle);
    EXPECT_EQ(2.5, marker->size);
    EXPECT_EQ(4.0, marker->position.x);
    EXPECT_EQ(0x00123456u, marker->colour);
    EXPECT_EQ(0x0130, marker->flags);
    EXPECT_EQ(3.0, marker->bounds.maxX);   // the point's bounds

    MakePointExFig(node, 1, 0.0, 1.0);     // not a point any more: unchanged
    EXPECT_EQ(marker, node.fig);
    EXPECT_EQ(6, marker->markerCode);
}

TEST(B_FigPolylineTest, HeaderConstructorAndClearPoints)
{
    B_FigCircle* circle = FigureFactory::Circle(Point2D(), 1.0);
    B_FigPolyline outline(*circle);
    EXPECT_EQ(FigCode::Polyline, outline.typeCode);
    EXPECT_EQ(circle->colour, outline.colour);
    EXPECT_EQ(circle->flags, outline.flags);
    EXPECT_EQ(1, outline.open);
    EXPECT_TRUE(outline.bounds.IsEmpty());
    outline.points.assign(50, Point2D());
    outline.ClearPoints();
    EXPECT_TRUE(outline.points.empty());
    EXPECT_EQ(0u, outline.points.capacity());
    B_Base* fig = circle;
    DeleteFig(&fig);
}

TEST(FigureDefaultsTest, NewPrimitivesHaveTheirDefaults)
{
    const B_FigPointEx marker;
    EXPECT_EQ(1.0, marker.size);
    EXPECT_EQ(3, marker.markerCode);
    const B_FigSolid solid(102, 7.0);
    EXPECT_EQ(nullptr, solid.child);
    EXPECT_EQ(102, solid.kind);
    const B_ImageParams params;
    EXPECT_EQ(-1.0f, params.cropX);
    EXPECT_EQ(1.0f, params.cropScale);
    EXPECT_EQ(255, params.keyBlue);
    EXPECT_EQ(0, params.keyGiven);
    const B_FigDim dim;
    EXPECT_EQ(FigCode::Text, dim.text.typeCode);
    EXPECT_EQ(-1, dim.terminator1.kind);
}

} // namespace
