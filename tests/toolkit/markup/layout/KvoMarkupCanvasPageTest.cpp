#include <gtest/gtest.h>
#include <string>
#include "framework/WindowTestSupport.h"
#include "markup/layout/KvoMarkupCanvas.h"
#include "markup/layout/KvoMarkupPage.h"
#include "toolkit/foundation/images/KvoImageTestSupport.h"
#include "toolkit/markup/support/MarkupContextTest.h"
#include "toolkit/markup/support/MarkupLayoutTestSupport.h"

using KvoMarkupCanvasPageTest = MarkupContextTest;

TEST_F(KvoMarkupCanvasPageTest, CanvasPlacesChildrenByTheirEdges)
{
    ParsedMarkup parsed = Parse(L"<Canvas>"
                                L"<FrameworkElement Width='20' Height='20' Canvas.Left='10' Canvas.Right='10'/>"
                                L"<FrameworkElement Width='20' Height='20' Canvas.Bottom='5'/>"
                                L"<FrameworkElement Width='20' Height='20' Canvas.Right='5' Canvas.Top='7' Canvas.Bottom='1'/>"
                                L"<FrameworkElement Width='500' Height='20'/></Canvas>");
    ASSERT_TRUE(parsed.root) << parsed.error;
    LayOutRoot(parsed.root.Get(), RECT{0, 0, 200, 100});
    EXPECT_EQ(FinalRectOf(LayoutChildOf(parsed.root.Get(), 0)), "10,0,30,20");
    EXPECT_EQ(FinalRectOf(LayoutChildOf(parsed.root.Get(), 1)), "0,75,20,95");
    EXPECT_EQ(FinalRectOf(LayoutChildOf(parsed.root.Get(), 2)), "175,7,195,27");
    // Children are measured unbounded and keep their size.
    EXPECT_EQ(FinalRectOf(LayoutChildOf(parsed.root.Get(), 3)), "0,0,500,20");

    CKvoMarkupDrawingContext measuring;
    auto* canvas = static_cast<CKvoMarkupFrameworkElement*>(parsed.root.Get());
    EXPECT_EQ(canvas->MeasureOverride(&measuring, 30, 40).cx, 30);
    EXPECT_EQ(canvas->MeasureOverride(&measuring, 30, 40).cy, 40);
    // An unbounded canvas desires that size; a right edge from there saturates.
    EXPECT_EQ(canvas->MeasureOverride(&measuring, KvoMarkupUnbounded, 40).cx, KvoMarkupUnbounded);
}

TEST_F(KvoMarkupCanvasPageTest, PageGivesItsOneChildTheWholeAreaAndIsNeverHit)
{
    ParsedMarkup parsed = Parse(L"<Page><FrameworkElement Width='20' Height='10' HorizontalAlignment='Left'/></Page>");
    ASSERT_TRUE(parsed.root) << parsed.error;
    LayOutRoot(parsed.root.Get(), RECT{0, 0, 80, 60});
    EXPECT_EQ(FinalRectOf(LayoutChildOf(parsed.root.Get(), 0)), "0,0,80,60");
    EXPECT_EQ(parsed.root->InputHitTest(60, 50), nullptr);
    EXPECT_EQ(parsed.root->InputHitTest(5, 30), LayoutChildOf(parsed.root.Get(), 0));

    ParsedMarkup twice = Parse(L"<Page><FrameworkElement/><FrameworkElement/></Page>");
    EXPECT_FALSE(twice.root);
    EXPECT_NE(twice.error.find(L"'CKvoMarkupPage' already has a child and cannot add 'CKvoMarkupFrameworkElement'"),
              std::wstring::npos)
        << twice.error;
}

TEST_F(KvoMarkupCanvasPageTest, PictureOfAComposedLayout)
{
    ParsedMarkup parsed = Parse(
        L"<Grid Background='#F0F0F0'><Grid.ColumnDefinitions><ColumnDefinition Width='Auto'/><ColumnDefinition/>"
        L"</Grid.ColumnDefinitions><Grid.RowDefinitions><RowDefinition Height='60'/><RowDefinition/></Grid.RowDefinitions>"
        L"<Border BorderThickness='2' BorderBrush='#204080' Background='#C0D8F0' Padding='4'>"
        L"<StackPanel><Rectangle Width='40' Height='12' Fill='#E04040'/><Rectangle Width='40' Height='12' Fill='#40A040'"
        L" Stroke='Black' StrokeThickness='1'/><Rectangle Width='40' Height='12' Fill='#4040E0'/></StackPanel></Border>"
        L"<Canvas Grid.Column='1'><Ellipse Canvas.Left='10' Canvas.Top='8' Width='60' Height='40' Fill='#F0C020'"
        L" Stroke='#806000' StrokeThickness='2'/><Line Canvas.Left='80' X1='0' Y1='50' X2='60' Y2='5' Stroke='#C02060'"
        L" StrokeThickness='3'/></Canvas>"
        L"<WrapPanel Grid.Row='1' Grid.Column='1'><Polygon Points='0,30 15,0 30,30' Fill='#20A0A0'/>"
        L"<Polyline Points='0,0 10,20 20,0 30,20' Stroke='#6020C0' StrokeThickness='2'/></WrapPanel></Grid>");
    ASSERT_TRUE(parsed.root) << parsed.error;
    TestCanvas canvas(220, 110);
    LayOutAndDraw(parsed.root.Get(), canvas, 220, 110);
    // The border's column is as wide as its stack: 40 + 2 * (2 + 4).
    EXPECT_EQ(canvas.Pixel(0, 30), RGB(0x20, 0x40, 0x80));
    EXPECT_EQ(canvas.Pixel(51, 30), RGB(0x20, 0x40, 0x80));
    EXPECT_EQ(canvas.Pixel(10, 12), RGB(0xE0, 0x40, 0x40));
    EXPECT_EQ(canvas.Pixel(52 + 40, 8 + 20), RGB(0xF0, 0xC0, 0x20));
    EXPECT_EQ(canvas.Pixel(52 + 15, 60 + 25), RGB(0x20, 0xA0, 0xA0));
    EXPECT_TRUE(SaveBitmapAsPng(canvas.Bitmap(), (TestOutputFolder() + L"\\markup-layout-composed.png").c_str()));
}
