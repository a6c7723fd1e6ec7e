#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include "markup/core/KvoMarkupPtr.h"
#include "markup/drawing/KvoMarkupBrush.h"
#include "markup/drawing/KvoMarkupDrawingContext.h"
#include "markup/elements/KvoMarkupFrameworkElement.h"
#include "markup/values/KvoMarkupBool.h"
#include "markup/values/KvoMarkupEnum.h"
#include "markup/values/KvoMarkupThickness.h"
#include "toolkit/foundation/images/KvoImageTestSupport.h"
#include "toolkit/markup/support/MarkupObjectTest.h"
#include "toolkit/markup/support/MarkupTestElement.h"

using KvoMarkupLayoutTest = MarkupObjectTest;
typedef CKvoMarkupFrameworkElement Element;

namespace {
typedef CKvoMarkupPtr<CTestMarkupFrameworkElement> TestElementPtr;

void SetEnum(CKvoMarkupObject* object, const CKvoMarkupDependencyProperty* property, int value)
{
    object->SetValue(property, CKvoMarkupEnum::GetShared(value));
}

void SetMargin(CKvoMarkupObject* object, int left, int top, int right, int bottom)
{
    object->SetValue(Element::s_marginProperty, new CKvoMarkupThickness(left, top, right, bottom));
}

std::string RectText(const RECT& rect)
{
    return std::to_string(rect.left) + "," + std::to_string(rect.top) + "," + std::to_string(rect.right) + "," +
           std::to_string(rect.bottom);
}

// Measures and arranges element as a root in a rectangle of its own.
void LayOut(CKvoMarkupUIElement* element, const RECT& rect)
{
    CKvoMarkupDrawingContext measuring;
    element->Measure(&measuring, rect.right - rect.left, rect.bottom - rect.top);
    element->Arrange(rect);
}

// Draws the tree with root at the canvas's top left.
void Draw(CKvoMarkupUIElement* root, TestCanvas& canvas)
{
    CKvoMarkupDrawingContext dc(canvas.Dc()->GetSafeHdc());
    root->Render(&dc);
}
}

TEST_F(KvoMarkupLayoutTest, MeasureIsCachedUntilInvalidatedOrResized)
{
    TestElementPtr element(NewTestFrameworkElement({40, 20}));
    CKvoMarkupDrawingContext dc;
    element->Measure(&dc, 100, 100);
    element->Measure(&dc, 100, 100);
    EXPECT_EQ(element->measureCoreCalls, 1);
    EXPECT_EQ(element->GetDesiredSize().cx, 40);
    EXPECT_EQ(element->GetDesiredSize().cy, 20);

    element->InvalidateMeasure();
    EXPECT_EQ(element->measureCoreCalls, 2);
    element->Measure(&dc, 100, 100);
    EXPECT_EQ(element->measureCoreCalls, 2);
    element->Measure(&dc, 90, 100);
    EXPECT_EQ(element->measureCoreCalls, 3);

    // Arrange caches the same way; a never-measured element measures first.
    TestElementPtr fresh(NewTestFrameworkElement({10, 10}));
    fresh->Arrange(RECT{0, 0, 50, 50});
    fresh->Arrange(RECT{0, 0, 50, 50});
    EXPECT_EQ(fresh->measureCoreCalls, 1);
    EXPECT_EQ(fresh->arrangeCoreCalls, 1);
    fresh->Arrange(RECT{0, 0, 60, 50});
    EXPECT_EQ(fresh->arrangeCoreCalls, 2);
}

TEST_F(KvoMarkupLayoutTest, CollapsedTakesNoRoomAndHiddenDrawsNothing)
{
    TestCanvas canvas(60, 60);
    TestElementPtr collapsed(NewTestFrameworkElement({40, 20}));
    collapsed->SetValue(CTestMarkupFrameworkElement::s_fillProperty, new CKvoMarkupSolidColorBrush(RGB(255, 0, 0)));
    SetEnum(collapsed.Get(), CKvoMarkupUIElement::s_visibilityProperty, KvoMarkupVisibility::Collapsed);
    LayOut(collapsed.Get(), RECT{0, 0, 60, 60});
    EXPECT_EQ(collapsed->measureCoreCalls, 0);
    EXPECT_EQ(collapsed->arrangeCoreCalls, 0);
    EXPECT_EQ(collapsed->GetDesiredSize().cx, 0);
    EXPECT_EQ(collapsed->GetDesiredSize().cy, 0);
    Draw(collapsed.Get(), canvas);
    EXPECT_EQ(collapsed->renderCalls, 0);
    EXPECT_EQ(collapsed->InputHitTest(5, 5), nullptr);

    TestElementPtr hidden(NewTestFrameworkElement({40, 20}));
    hidden->SetValue(CTestMarkupFrameworkElement::s_fillProperty, new CKvoMarkupSolidColorBrush(RGB(255, 0, 0)));
    SetEnum(hidden.Get(), CKvoMarkupUIElement::s_visibilityProperty, KvoMarkupVisibility::Hidden);
    LayOut(hidden.Get(), RECT{0, 0, 60, 60});
    EXPECT_EQ(hidden->measureCoreCalls, 1);
    EXPECT_EQ(hidden->arrangeCoreCalls, 1);
    EXPECT_EQ(hidden->GetDesiredSize().cx, 40);
    Draw(hidden.Get(), canvas);
    EXPECT_EQ(hidden->renderCalls, 0);
    EXPECT_EQ(hidden->InputHitTest(5, 5), nullptr);
    EXPECT_EQ(canvas.Pixel(5, 5), RGB(255, 255, 255));

    // Shown again: a Collapsed element was left dirty, so it measures anew.
    collapsed->ResetCounters();
    collapsed->SetValue(CKvoMarkupUIElement::s_visibilityProperty, nullptr);
    EXPECT_EQ(collapsed->invalidateMeasureCalls, 1);
    EXPECT_GE(collapsed->measureCoreCalls, 1);
    EXPECT_EQ(collapsed->GetDesiredSize().cx, 40);
}

TEST_F(KvoMarkupLayoutTest, SizeLimitsFollowWidthAndItsBounds)
{
    const int unset = -1, unbounded = KvoMarkupUnbounded;
    struct Row {
        int width, minWidth, maxWidth;
        int expectedMin, expectedMax;
    } rows[] = {
        {unset, unset, unset, 0, unbounded},
        {60, unset, unset, 60, 60},
        {unset, unset, 50, 0, 50},
        {unset, 30, unset, 30, unbounded},
        {100, 80, 50, 80, 80}, // the minimum wins over the maximum
        {20, 30, unset, 30, 30},
        {70, unset, 50, 50, 50},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.width << " " << row.minWidth << " " << row.maxWidth);
        TestElementPtr element(NewTestFrameworkElement({10, 10}));
        if (row.width != unset)
            SetMarkupInt(element.Get(), Element::s_widthProperty, row.width);
        if (row.minWidth != unset)
            SetMarkupInt(element.Get(), Element::s_minWidthProperty, row.minWidth);
        if (row.maxWidth != unset)
            SetMarkupInt(element.Get(), Element::s_maxWidthProperty, row.maxWidth);
        // Heights use the same rule.
        if (row.width != unset)
            SetMarkupInt(element.Get(), Element::s_heightProperty, row.width);
        if (row.minWidth != unset)
            SetMarkupInt(element.Get(), Element::s_minHeightProperty, row.minWidth);
        if (row.maxWidth != unset)
            SetMarkupInt(element.Get(), Element::s_maxHeightProperty, row.maxWidth);
        CKvoMarkupDrawingContext dc;
        element->Measure(&dc, 200, 200);
        EXPECT_EQ(element->GetMinWidth(), row.expectedMin);
        EXPECT_EQ(element->GetMaxWidth(), row.expectedMax);
        EXPECT_EQ(element->GetMinHeight(), row.expectedMin);
        EXPECT_EQ(element->GetMaxHeight(), row.expectedMax);
        // The content is measured within the limits.
        EXPECT_EQ(element->measuredWith.cx, std::max(row.expectedMin, std::min(200, row.expectedMax)));
    }
}

TEST_F(KvoMarkupLayoutTest, AlignmentPlacesTheElementInItsRoom)
{
    struct Row {
        int alignment; // -1: unset, reads as Stretch
        int desiredWidth;
        int offsetX, renderWidth;
        BOOL needsClip;
    } rows[] = {
        {KvoMarkupAlignment::Start, 40, 0, 40, FALSE},
        {KvoMarkupAlignment::Center, 40, 30, 40, FALSE},
        {KvoMarkupAlignment::End, 40, 60, 40, FALSE},
        {KvoMarkupAlignment::Stretch, 40, 0, 100, FALSE},
        {-1, 40, 0, 100, FALSE},
        {KvoMarkupAlignment::Center, 41, 29, 41, FALSE}, // 59 / 2 truncates
        // Wider than the room: a stretched element starts at the left, cut.
        {KvoMarkupAlignment::Stretch, 120, 0, 120, TRUE},
        {KvoMarkupAlignment::Center, 120, -10, 120, TRUE},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.alignment << " " << row.desiredWidth);
        TestElementPtr element(NewTestFrameworkElement({row.desiredWidth, 10}));
        if (row.alignment >= 0)
            SetEnum(element.Get(), Element::s_horizontalAlignmentProperty, row.alignment);
        CKvoMarkupDrawingContext dc;
        // Measured unbounded, as a panel that lets its children be as wide
        // as they like, then arranged in a room of 100.
        element->Measure(&dc, KvoMarkupUnbounded, 50);
        element->Arrange(RECT{0, 0, 100, 50});
        EXPECT_EQ(element->GetVisualOffset().x, row.offsetX);
        EXPECT_EQ(element->GetRenderSize().cx, row.renderWidth);
        EXPECT_EQ(element->NeedsClip(), row.needsClip);
        RECT clip;
        EXPECT_EQ(element->GetLayoutClip(&clip), row.needsClip);
        if (row.needsClip) {
            // The room, in the element's own coordinates.
            EXPECT_EQ(clip.left, -row.offsetX);
            EXPECT_EQ(clip.right, 100 - row.offsetX);
        }
    }
}

TEST_F(KvoMarkupLayoutTest, MarginShrinksTheContentAndMovesIt)
{
    TestElementPtr element(NewTestFrameworkElement({0, 0}));
    SetMargin(element.Get(), 10, 10, 10, 10);
    CKvoMarkupDrawingContext dc;
    element->Measure(&dc, 50, 50);
    EXPECT_EQ(element->measuredWith.cx, 30);
    EXPECT_EQ(element->GetDesiredSize().cx, 20); // nothing wanted plus the margins
    element->Arrange(RECT{5, 7, 55, 57});
    EXPECT_EQ(element->arrangedWith.cx, 30);
    EXPECT_EQ(element->arrangedWith.cy, 30);
    EXPECT_EQ(element->GetVisualOffset().x, 15);
    EXPECT_EQ(element->GetVisualOffset().y, 17);
    EXPECT_FALSE(element->NeedsClip());
}

TEST_F(KvoMarkupLayoutTest, UnboundedSizesPassThroughAndAnUnboundedDesireIsCut)
{
    TestElementPtr element(NewTestFrameworkElement({KvoMarkupUnbounded, 30}));
    SetMargin(element.Get(), 5, 5, 5, 5);
    CKvoMarkupDrawingContext dc;
    element->Measure(&dc, 0x40000000, 100);
    EXPECT_EQ(element->measuredWith.cx, KvoMarkupUnbounded);
    EXPECT_EQ(element->measuredWith.cy, 90);
    // The width plus the margin does not fit in 32 bits: it exceeds the
    // available width, so the element is cut to it and clips.
    EXPECT_EQ(element->GetDesiredSize().cx, 0x40000000);
    EXPECT_EQ(element->GetDesiredSize().cy, 40);
    EXPECT_TRUE(element->NeedsClip());

    TestElementPtr unbounded(NewTestFrameworkElement({KvoMarkupUnbounded, 30}));
    SetMargin(unbounded.Get(), 5, 5, 5, 5);
    unbounded->Measure(&dc, KvoMarkupUnbounded, KvoMarkupUnbounded);
    EXPECT_EQ(unbounded->GetDesiredSize().cx, KvoMarkupUnbounded);
    EXPECT_EQ(unbounded->GetDesiredSize().cy, 40);
    EXPECT_TRUE(unbounded->NeedsClip());
}

TEST_F(KvoMarkupLayoutTest, ClipToBoundsAndMaximaClipTheElement)
{
    TestElementPtr bounded(NewTestFrameworkElement({20, 20}));
    bounded->SetValue(CKvoMarkupUIElement::s_clipToBoundsProperty, CKvoMarkupBool::GetShared(TRUE));
    SetMargin(bounded.Get(), 4, 4, 4, 4);
    LayOut(bounded.Get(), RECT{0, 0, 50, 40});
    RECT clip;
    ASSERT_TRUE(bounded->GetLayoutClip(&clip));
    EXPECT_EQ(RectText(clip), "0,0,42,32");

    // An element whose content is wider than its maximum is cut there.
    TestElementPtr limited(NewTestFrameworkElement({80, 20}));
    SetMarkupInt(limited.Get(), Element::s_maxWidthProperty, 30);
    SetEnum(limited.Get(), Element::s_horizontalAlignmentProperty, KvoMarkupAlignment::Start);
    LayOut(limited.Get(), RECT{0, 0, 100, 40});
    EXPECT_TRUE(limited->NeedsClip());
    ASSERT_TRUE(limited->GetLayoutClip(&clip));
    EXPECT_EQ(clip.left, 0);
    EXPECT_EQ(clip.right, 30);

    // Neither: no clip.
    TestElementPtr free(NewTestFrameworkElement({20, 20}));
    LayOut(free.Get(), RECT{0, 0, 50, 50});
    EXPECT_FALSE(free->GetLayoutClip(&clip));
}

TEST_F(KvoMarkupLayoutTest, BoundsTakeInChildrenThatOverflow)
{
    TestElementPtr parent(NewTestFrameworkElement({50, 50}));
    SetEnum(parent.Get(), Element::s_horizontalAlignmentProperty, KvoMarkupAlignment::Start);
    SetEnum(parent.Get(), Element::s_verticalAlignmentProperty, KvoMarkupAlignment::Start);
    parent->SetValue(CTestMarkupFrameworkElement::s_fillProperty, new CKvoMarkupSolidColorBrush(RGB(0, 0, 255)));
    CTestMarkupFrameworkElement* child = NewTestFrameworkElement({30, 30});
    child->slot = {40, 40, 70, 70};
    child->SetValue(CTestMarkupFrameworkElement::s_fillProperty, new CKvoMarkupSolidColorBrush(RGB(255, 0, 0)));
    parent->AddVisualChild(child);
    LayOut(parent.Get(), RECT{0, 0, 100, 100});

    EXPECT_EQ(parent->GetRenderSize().cx, 50);
    EXPECT_EQ(RectText(parent->GetBounds()), "0,0,70,70");
    TestCanvas canvas(100, 100);
    Draw(parent.Get(), canvas);
    EXPECT_EQ(canvas.Pixel(10, 10), RGB(0, 0, 255));
    EXPECT_EQ(canvas.Pixel(45, 45), RGB(255, 0, 0));
    // Outside the parent's render size, inside its bounds.
    EXPECT_EQ(canvas.Pixel(65, 65), RGB(255, 0, 0));
    EXPECT_EQ(canvas.Pixel(75, 75), RGB(255, 255, 255));
    EXPECT_EQ(parent->InputHitTest(65, 65), child);
}

TEST_F(KvoMarkupLayoutTest, TopmostChildWinsTheHitTest)
{
    TestElementPtr parent(NewTestFrameworkElement({100, 100}));
    CTestMarkupFrameworkElement* lower = NewTestFrameworkElement({40, 40});
    lower->slot = {10, 10, 50, 50};
    CTestMarkupFrameworkElement* upper = NewTestFrameworkElement({40, 40});
    upper->slot = {30, 30, 70, 70};
    parent->AddVisualChild(lower);
    parent->AddVisualChild(upper);
    LayOut(parent.Get(), RECT{0, 0, 100, 100});

    EXPECT_EQ(parent->InputHitTest(40, 40), upper);
    EXPECT_EQ(parent->InputHitTest(20, 20), lower);
    EXPECT_EQ(parent->InputHitTest(60, 60), upper);
    EXPECT_EQ(parent->InputHitTest(90, 10), parent.Get());
    EXPECT_EQ(parent->InputHitTest(100, 10), nullptr);
    EXPECT_EQ(parent->InputHitTest(-1, 10), nullptr);
}

TEST_F(KvoMarkupLayoutTest, InvalidateMeasureRearrangesOnlyWhatChanged)
{
    TestElementPtr parent(NewTestFrameworkElement({100, 100}));
    CTestMarkupFrameworkElement* first = NewTestFrameworkElement({40, 40});
    CTestMarkupFrameworkElement* second = NewTestFrameworkElement({40, 40});
    parent->AddVisualChild(first);
    parent->AddVisualChild(second);
    LayOut(parent.Get(), RECT{0, 0, 100, 100});
    parent->ResetCounters();
    first->ResetCounters();
    second->ResetCounters();

    // Same desired size: the element alone is measured, arranged and
    // redrawn.
    first->InvalidateMeasure();
    EXPECT_EQ(first->measureCoreCalls, 1);
    EXPECT_EQ(first->arrangeCoreCalls, 1);
    EXPECT_EQ(first->invalidateVisualCalls, 1);
    EXPECT_EQ(parent->measureCoreCalls, 0);
    EXPECT_EQ(parent->arrangeCoreCalls, 0);
    EXPECT_EQ(parent->invalidateVisualCalls, 0);
    EXPECT_EQ(second->measureCoreCalls + second->arrangeCoreCalls + second->invalidateVisualCalls, 0);

    // A new desired size goes up to the parent, which measures again.
    first->contentSize = {60, 40};
    first->InvalidateMeasure();
    // Measured by itself, then again by the parent it asked.
    EXPECT_EQ(first->measureCoreCalls, 3);
    EXPECT_EQ(parent->measureCoreCalls, 1);
    EXPECT_EQ(first->GetDesiredSize().cx, 60);
}

TEST_F(KvoMarkupLayoutTest, PropertyFlagsChooseTheInvalidation)
{
    TestElementPtr element(NewTestFrameworkElement({40, 40}));
    LayOut(element.Get(), RECT{0, 0, 100, 100});
    element->ResetCounters();
    SetMargin(element.Get(), 1, 1, 1, 1);
    EXPECT_EQ(element->invalidateMeasureCalls, 1);
    EXPECT_EQ(element->invalidateArrangeCalls, 0);

    element->ResetCounters();
    SetEnum(element.Get(), Element::s_horizontalAlignmentProperty, KvoMarkupAlignment::Center);
    EXPECT_EQ(element->invalidateMeasureCalls, 0);
    EXPECT_EQ(element->invalidateArrangeCalls, 1);
    EXPECT_EQ(element->arrangeCoreCalls, 1);
    EXPECT_EQ(element->GetVisualOffset().x, 30);

    element->ResetCounters();
    element->SetValue(CTestMarkupFrameworkElement::s_fillProperty, new CKvoMarkupSolidColorBrush(RGB(1, 2, 3)));
    EXPECT_EQ(element->invalidateMeasureCalls + element->invalidateArrangeCalls, 0);
    EXPECT_EQ(element->invalidateVisualCalls, 1);
}
