#include <gtest/gtest.h>
#include "markup/layout/KvoMarkupBorder.h"
#include "markup/layout/KvoMarkupStackPanel.h"
#include "markup/layout/KvoMarkupUIElementCollection.h"
#include "markup/layout/KvoMarkupWrapPanel.h"
#include "markup/core/KvoMarkupType.h"
#include "toolkit/markup/support/MarkupContextTest.h"
#include "toolkit/markup/support/MarkupLayoutTestSupport.h"

using KvoMarkupBorderPanelTest = MarkupContextTest;

namespace {
}

TEST_F(KvoMarkupBorderPanelTest, BorderAddsThicknessAndPaddingAroundItsChild)
{
    ParsedMarkup empty = Parse(L"<Border BorderThickness='2' Padding='3'/>");
    ASSERT_TRUE(empty.root) << empty.error;
    CKvoMarkupDrawingContext measuring;
    empty.root->Measure(&measuring, 100, 100);
    EXPECT_EQ(empty.root->GetDesiredSize().cx, 10);
    EXPECT_EQ(empty.root->GetDesiredSize().cy, 10);

    ParsedMarkup framed = Parse(L"<Border BorderThickness='1,2,3,4' Padding='5'>"
                                L"<FrameworkElement Width='20' Height='10'/></Border>");
    ASSERT_TRUE(framed.root) << framed.error;
    LayOutRoot(framed.root.Get(), RECT{0, 0, 60, 50});
    EXPECT_EQ(framed.root->GetDesiredSize().cx, 20 + 4 + 10);
    EXPECT_EQ(framed.root->GetDesiredSize().cy, 10 + 6 + 10);
    // Deflated by the border, then the padding; the child stretches there.
    EXPECT_EQ(FinalRectOf(LayoutChildOf(framed.root.Get(), 0)), "6,7,52,41");

    // A slot smaller than the frame gives the child an empty rectangle, never an inverted one.
    LayOutRoot(framed.root.Get(), RECT{0, 0, 8, 8});
    const RECT& squeezed = LayoutChildOf(framed.root.Get(), 0)->GetFinalRect();
    EXPECT_GE(squeezed.right, squeezed.left);
    EXPECT_GE(squeezed.bottom, squeezed.top);
}

TEST_F(KvoMarkupBorderPanelTest, BorderDrawsOnlyTheSidesItHasAndItsBackgroundInside)
{
    struct Case {
        const wchar_t* markup;
        COLORREF top, left, bottom, inside;
    } cases[] = {
        {L"<Border Width='20' Height='20' BorderThickness='0,0,0,1' BorderBrush='#FF0000'/>", RGB(255, 255, 255),
         RGB(255, 255, 255), RGB(255, 0, 0), RGB(255, 255, 255)},
        // A thickness without a brush draws no frame.
        {L"<Border Width='20' Height='20' BorderThickness='3'/>", RGB(255, 255, 255), RGB(255, 255, 255),
         RGB(255, 255, 255), RGB(255, 255, 255)},
        // The background fills inside the frame, padding included.
        {L"<Border Width='20' Height='20' BorderThickness='2' Padding='4' BorderBrush='#0000FF' Background='#00FF00'/>",
         RGB(0, 0, 255), RGB(0, 0, 255), RGB(0, 0, 255), RGB(0, 255, 0)},
    };
    for (const Case& test : cases) {
        ParsedMarkup parsed = Parse(test.markup);
        ASSERT_TRUE(parsed.root) << parsed.error;
        TestCanvas canvas(20, 20);
        LayOutAndDraw(parsed.root.Get(), canvas, 20, 20);
        SCOPED_TRACE(std::wstring(test.markup));
        EXPECT_EQ(canvas.Pixel(10, 0), test.top);
        EXPECT_EQ(canvas.Pixel(0, 10), test.left);
        EXPECT_EQ(canvas.Pixel(10, 19), test.bottom);
        EXPECT_EQ(canvas.Pixel(3, 3), test.inside);
        EXPECT_EQ(canvas.Pixel(10, 10), test.inside);
    }
}

TEST_F(KvoMarkupBorderPanelTest, OnlyABackgroundMakesBorderAndPanelHitWhereNoChildIs)
{
    for (const wchar_t* tag : {L"Border", L"StackPanel", L"WrapPanel", L"Panel"}) {
        SCOPED_TRACE(std::wstring(tag));
        const std::wstring bare = std::wstring(L"<") + tag + L" Width='30' Height='30'/>";
        const std::wstring painted = std::wstring(L"<") + tag + L" Width='30' Height='30' Background='Black'/>";
        ParsedMarkup transparent = Parse(bare.c_str());
        ParsedMarkup opaque = Parse(painted.c_str());
        ASSERT_TRUE(transparent.root && opaque.root);
        LayOutRoot(transparent.root.Get(), RECT{0, 0, 30, 30});
        LayOutRoot(opaque.root.Get(), RECT{0, 0, 30, 30});
        EXPECT_EQ(transparent.root->InputHitTest(15, 15), nullptr);
        EXPECT_EQ(opaque.root->InputHitTest(15, 15), opaque.root.Get());
    }
}

TEST_F(KvoMarkupBorderPanelTest, StackPanelStacksVerticallyUnlessHorizontal)
{
    ParsedMarkup vertical = Parse(L"<StackPanel><FrameworkElement Width='150' Height='10'/>"
                                  L"<FrameworkElement Width='40' Height='20'/></StackPanel>");
    ASSERT_TRUE(vertical.root) << vertical.error;
    CKvoMarkupDrawingContext measuring;
    vertical.root->Measure(&measuring, 200, 100);
    EXPECT_EQ(vertical.root->GetDesiredSize().cx, 150);
    EXPECT_EQ(vertical.root->GetDesiredSize().cy, 30);
    // Arranged narrower than it asked, a child wider than the panel keeps its own width.
    vertical.root->Arrange(RECT{0, 0, 100, 100});
    EXPECT_EQ(FinalRectOf(LayoutChildOf(vertical.root.Get(), 0)), "0,0,150,10");
    EXPECT_EQ(FinalRectOf(LayoutChildOf(vertical.root.Get(), 1)), "0,10,150,30");

    ParsedMarkup horizontal = Parse(L"<StackPanel Orientation='Horizontal'><FrameworkElement Width='30' Height='10'/>"
                                    L"<FrameworkElement Width='40' Height='20'/></StackPanel>");
    ASSERT_TRUE(horizontal.root) << horizontal.error;
    LayOutRoot(horizontal.root.Get(), RECT{0, 0, 100, 50});
    EXPECT_EQ(FinalRectOf(LayoutChildOf(horizontal.root.Get(), 0)), "0,0,30,50");
    EXPECT_EQ(FinalRectOf(LayoutChildOf(horizontal.root.Get(), 1)), "30,0,70,50");

    ParsedMarkup empty = Parse(L"<StackPanel HorizontalAlignment='Left' VerticalAlignment='Top'/>");
    ASSERT_TRUE(empty.root);
    LayOutRoot(empty.root.Get(), RECT{0, 0, 100, 50});
    EXPECT_EQ(empty.root->GetDesiredSize().cx, 0);
    EXPECT_EQ(empty.root->GetDesiredSize().cy, 0);
}

TEST_F(KvoMarkupBorderPanelTest, WrapPanelFlowsHorizontallyAndWrapsFullLines)
{
    struct Case {
        const wchar_t* markup;
        const char* rects[3];
    } cases[] = {
        {L"<WrapPanel Width='100'><FrameworkElement Width='40' Height='10'/><FrameworkElement Width='40' Height='20'/>"
         L"<FrameworkElement Width='40' Height='10'/></WrapPanel>",
         {"0,0,40,20", "40,0,80,20", "0,20,40,30"}},
        {L"<WrapPanel Width='100' ItemWidth='60'><FrameworkElement Width='40' Height='10'/>"
         L"<FrameworkElement Width='40' Height='20'/><FrameworkElement Width='40' Height='10'/></WrapPanel>",
         {"0,0,60,10", "0,10,60,30", "0,30,60,40"}},
        {L"<WrapPanel Height='25' Orientation='Vertical'><FrameworkElement Width='10' Height='10'/>"
         L"<FrameworkElement Width='30' Height='10'/><FrameworkElement Width='10' Height='10'/></WrapPanel>",
         {"0,0,30,10", "0,10,30,20", "30,0,40,10"}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(std::wstring(test.markup));
        ParsedMarkup parsed = Parse(test.markup);
        ASSERT_TRUE(parsed.root) << parsed.error;
        LayOutRoot(parsed.root.Get(), RECT{0, 0, 200, 200});
        for (int index = 0; index < 3; ++index)
            EXPECT_EQ(FinalRectOf(LayoutChildOf(parsed.root.Get(), index)), test.rects[index]) << index;
    }
}

TEST_F(KvoMarkupBorderPanelTest, UnboundedChildrenSaturateTheSums)
{
    // Children of an unbounded width add up to the largest int32, not a negative size.
    ParsedMarkup parsed = Parse(L"<StackPanel Orientation='Horizontal'><FrameworkElement Width='2147483647'/>"
                                L"<FrameworkElement Width='2147483647'/></StackPanel>");
    ASSERT_TRUE(parsed.root) << parsed.error;
    CKvoMarkupUIElement* panel = parsed.root.Get();
    CKvoMarkupDrawingContext measuring;
    static_cast<CKvoMarkupFrameworkElement*>(panel)->MeasureOverride(&measuring, KvoMarkupUnbounded, 50);
    EXPECT_EQ(static_cast<CKvoMarkupFrameworkElement*>(panel)->MeasureOverride(&measuring, KvoMarkupUnbounded, 50).cx,
              KvoMarkupUnbounded);
    static_cast<CKvoMarkupFrameworkElement*>(panel)->ArrangeOverride(100, 50);
    EXPECT_EQ(FinalRectOf(LayoutChildOf(panel, 1)), "2147483647,0,2147483647,50");

    ParsedMarkup wrap = Parse(L"<WrapPanel><FrameworkElement Width='2147483647' Height='5'/>"
                              L"<FrameworkElement Width='2147483647' Height='5'/></WrapPanel>");
    ASSERT_TRUE(wrap.root) << wrap.error;
    const SIZE desired =
        static_cast<CKvoMarkupFrameworkElement*>(wrap.root.Get())->MeasureOverride(&measuring, KvoMarkupUnbounded, 50);
    EXPECT_EQ(desired.cx, KvoMarkupUnbounded);
    EXPECT_EQ(desired.cy, 5);
}

TEST_F(KvoMarkupBorderPanelTest, ContentRulesOfBorderAndPanel)
{
    ParsedMarkup twice = Parse(L"<Border><FrameworkElement/><StackPanel/></Border>");
    EXPECT_FALSE(twice.root);
    EXPECT_NE(twice.error.find(L"'CKvoMarkupBorder' already has a child and cannot add 'CKvoMarkupStackPanel'. "
                               L"'CKvoMarkupBorder' can accept only one child."),
              std::wstring::npos)
        << twice.error;

    ParsedMarkup wrongKind = Parse(L"<Border><SolidColorBrush/></Border>");
    EXPECT_FALSE(wrongKind.root);
    EXPECT_NE(wrongKind.error.find(L"'CKvoMarkupSolidColorBrush' object cannot be added to 'CKvoMarkupBorder'. "
                                   L"Object cannot be converted to type 'CKvoMarkupUIElement'"),
              std::wstring::npos)
        << wrongKind.error;

    ParsedMarkup panel = Parse(L"<StackPanel><Border/><WrapPanel/></StackPanel>");
    ASSERT_TRUE(panel.root) << panel.error;
    EXPECT_EQ(panel.root->GetVisualChildrenCount(), 2);
    EXPECT_EQ(panel.root->GetVisualChild(2), nullptr);
    EXPECT_EQ(LayoutChildOf(panel.root.Get(), 0)->GetLogicalParent()->GetLogicalParent(), panel.root.Get());
    // The children collection reports the plain collection's record.
    EXPECT_EQ(static_cast<CKvoMarkupPanel*>(panel.root.Get())->GetChildren()->GetType(), CKvoMarkupCollection::s_type);
    // A decorator reports the framework element's record.
    CKvoMarkupPtr<CKvoMarkupDecorator> decorator(new CKvoMarkupDecorator);
    EXPECT_EQ(decorator->GetType(), CKvoMarkupFrameworkElement::s_type);
}
