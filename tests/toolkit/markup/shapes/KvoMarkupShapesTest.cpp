#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "markup/shapes/KvoMarkupPointCollection.h"
#include "markup/shapes/KvoMarkupShapes.h"
#include "markup/values/KvoMarkupString.h"
#include "toolkit/markup/support/MarkupContextTest.h"
#include "toolkit/markup/support/MarkupLayoutTestSupport.h"
#include "toolkit/markup/support/MarkupTextTestSupport.h"

using KvoMarkupShapesTest = MarkupContextTest;

namespace {
const COLORREF kShapeCanvasWhite = RGB(255, 255, 255);
}

TEST_F(KvoMarkupShapesTest, RectangleFillsAndFramesInsideItsBounds)
{
    ParsedMarkup parsed = Parse(L"<Rectangle Width='20' Height='20' Fill='#00FF00' Stroke='#FF0000' StrokeThickness='3'/>");
    ASSERT_TRUE(parsed.root) << parsed.error;
    TestCanvas canvas(30, 30);
    LayOutAndDraw(parsed.root.Get(), canvas, 20, 20);
    EXPECT_EQ(canvas.Pixel(0, 10), RGB(255, 0, 0));
    EXPECT_EQ(canvas.Pixel(2, 10), RGB(255, 0, 0));
    EXPECT_EQ(canvas.Pixel(3, 10), RGB(0, 255, 0));
    EXPECT_EQ(canvas.Pixel(17, 10), RGB(255, 0, 0));
    EXPECT_EQ(canvas.Pixel(16, 10), RGB(0, 255, 0));
    EXPECT_EQ(canvas.Pixel(10, 19), RGB(255, 0, 0));
    EXPECT_EQ(canvas.Pixel(20, 10), kShapeCanvasWhite);

    ParsedMarkup bare = Parse(L"<Rectangle Fill='Black' HorizontalAlignment='Left' VerticalAlignment='Top'/>");
    ASSERT_TRUE(bare.root);
    TestCanvas empty(10, 10);
    LayOutAndDraw(bare.root.Get(), empty, 10, 10);
    EXPECT_EQ(bare.root->GetDesiredSize().cx, 0);
    EXPECT_EQ(CountCanvasColor(empty, RECT{0, 0, 10, 10}, RGB(0, 0, 0)), 0);
}

TEST_F(KvoMarkupShapesTest, EllipseDrawsAndIsHitOnlyInside)
{
    ParsedMarkup parsed = Parse(L"<Ellipse Width='40' Height='20' Fill='#0000FF'/>");
    ASSERT_TRUE(parsed.root) << parsed.error;
    TestCanvas canvas(40, 20);
    LayOutAndDraw(parsed.root.Get(), canvas, 40, 20);
    EXPECT_EQ(canvas.Pixel(20, 10), RGB(0, 0, 255));
    EXPECT_EQ(canvas.Pixel(1, 1), kShapeCanvasWhite);
    EXPECT_EQ(parsed.root->InputHitTest(20, 10), parsed.root.Get());
    EXPECT_EQ(parsed.root->InputHitTest(1, 1), nullptr);

    // A half-axis of 0 is never hit (and never divides by zero).
    ParsedMarkup flat = Parse(L"<Ellipse Width='1' Height='20' Fill='#0000FF'/>");
    ASSERT_TRUE(flat.root);
    LayOutRoot(flat.root.Get(), RECT{0, 0, 1, 20});
    EXPECT_EQ(flat.root->InputHitTest(0, 10), nullptr);
}

TEST_F(KvoMarkupShapesTest, LineIsHitWithinHalfItsStroke)
{
    struct Case {
        const wchar_t* markup;
        POINT point;
        bool hit;
    } cases[] = {
        {L"<Line X2='100' Stroke='Black' StrokeThickness='4'/>", {50, 2}, true},
        {L"<Line X2='100' Stroke='Black' StrokeThickness='4'/>", {50, 3}, false},
        {L"<Line X1='10' X2='10' Y2='50' Stroke='Black' StrokeThickness='6'/>", {13, 20}, true},
        {L"<Line X1='10' X2='10' Y2='50' Stroke='Black' StrokeThickness='6'/>", {7, 20}, true},
        {L"<Line X1='10' X2='10' Y2='50' Stroke='Black' StrokeThickness='6'/>", {14, 20}, false},
        {L"<Line X2='100' Y2='50' Stroke='Black' StrokeThickness='4'/>", {40, 20}, true},
        {L"<Line X2='100' StrokeThickness='4'/>", {50, 0}, false},
        {L"<Line X2='100' Stroke='Black' StrokeThickness='0'/>", {50, 0}, false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(std::wstring(test.markup) + L" " + std::to_wstring(test.point.x) + L"," + std::to_wstring(test.point.y));
        ParsedMarkup parsed = Parse(test.markup);
        ASSERT_TRUE(parsed.root) << parsed.error;
        LayOutRoot(parsed.root.Get(), RECT{0, 0, 120, 120});
        EXPECT_EQ(parsed.root->InputHitTest(test.point.x, test.point.y) != nullptr, test.hit);
    }
}

TEST_F(KvoMarkupShapesTest, PolygonWithAGradientFillIsFilledBlack)
{
    ParsedMarkup parsed = Parse(L"<Polygon Points='0,0 30,0 30,30 0,30'><Polygon.Fill><LinearGradientBrush>"
                                L"<GradientStop Color='#FF0000' Offset='0'/><GradientStop Color='#0000FF' Offset='1'/>"
                                L"</LinearGradientBrush></Polygon.Fill></Polygon>");
    ASSERT_TRUE(parsed.root) << parsed.error;
    TestCanvas canvas(40, 40);
    LayOutAndDraw(parsed.root.Get(), canvas, 40, 40);
    EXPECT_EQ(parsed.root->GetDesiredSize().cx, 30);
    EXPECT_EQ(canvas.Pixel(15, 15), RGB(0, 0, 0));
    EXPECT_EQ(canvas.Pixel(35, 35), kShapeCanvasWhite);
}

TEST_F(KvoMarkupShapesTest, PolylineStretchScalesItsPoints)
{
    for (const wchar_t* stretch : {L"Fill", L"Uniform"}) {
        const std::wstring markup =
            std::wstring(L"<Polyline Points='0,10 10,10' Stroke='#FF0000' Stretch='") + stretch + L"'/>";
        ParsedMarkup parsed = Parse(markup.c_str());
        ASSERT_TRUE(parsed.root) << parsed.error;
        TestCanvas canvas(110, 60);
        LayOutAndDraw(parsed.root.Get(), canvas, 100, 50);
        SCOPED_TRACE(std::wstring(stretch));
        // (10, 10) lands on (100, 50): the horizontal line runs along y = 50, outside the canvas row 49.
        EXPECT_EQ(canvas.Pixel(50, 49), kShapeCanvasWhite);
        EXPECT_EQ(canvas.Pixel(50, 50), RGB(255, 0, 0));
    }
    ParsedMarkup plain = Parse(L"<Polyline Points='0,10 10,10' Stroke='#FF0000' StrokeThickness='2'/>");
    ASSERT_TRUE(plain.root);
    CKvoMarkupDrawingContext measuring;
    plain.root->Measure(&measuring, 100, 100);
    EXPECT_EQ(plain.root->GetDesiredSize().cx, 12);
    EXPECT_EQ(plain.root->GetDesiredSize().cy, 12);
}

TEST_F(KvoMarkupShapesTest, PointListGrammar)
{
    struct Case {
        const wchar_t* text;
        bool parses;
        int count;
        RECT bounds;
    } cases[] = {
        {L"0,0 10,0 10,10", true, 3, {0, 0, 10, 10}},
        {L"  1 2,3\t4  ", true, 2, {0, 0, 3, 4}},
        {L"", true, 0, {0, 0, 0, 0}},
        {L"-5,-7 -1,-2", true, 2, {0, 0, 0, 0}},
        {L"0,0 10", false},
        {L"0,0 1.5,2", false},
        {L"1e2,3", false},
        {L",1 2", false},
        {L"1,,2 3", false},
        {L"1,x", false},
        {L"2147483647,-2147483648", true, 1, {0, 0, 2147483647, 0}},
        {L"2147483648,0", false},
        {L"0,-2147483649", false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(std::wstring(L"'") + test.text + L"'");
        CKvoMarkupPointCollection converter;
        CKvoMarkupPtr<CKvoMarkupString> text(CKvoMarkupString::CreateString(test.text));
        CKvoMarkupPtr<CKvoMarkupObject> value(converter.ConvertFrom(text.Get()));
        ASSERT_EQ(value.Get() != nullptr, test.parses);
        if (!test.parses)
            continue;
        const CKvoMarkupPointCollection* points = static_cast<CKvoMarkupPointCollection*>(value.Get());
        EXPECT_EQ(static_cast<int>(points->GetPoints().size()), test.count);
        EXPECT_EQ(LayoutRectText(points->GetBounds()), LayoutRectText(test.bounds));
    }
    ParsedMarkup bad = Parse(L"<Polygon Points='1,2,3'/>");
    EXPECT_FALSE(bad.root);
}
