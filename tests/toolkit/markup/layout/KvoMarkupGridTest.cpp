#include <gtest/gtest.h>
#include <string>
#include "markup/layout/KvoMarkupDefinitionBase.h"
#include "markup/layout/KvoMarkupGrid.h"
#include "markup/layout/KvoMarkupGridLength.h"
#include "markup/values/KvoMarkupInt.h"
#include "markup/values/KvoMarkupString.h"
#include "toolkit/markup/support/MarkupContextTest.h"
#include "toolkit/markup/support/MarkupLayoutTestSupport.h"

using KvoMarkupGridTest = MarkupContextTest;

namespace {
CKvoMarkupGrid* AsGrid(const ParsedMarkup& parsed)
{
    return static_cast<CKvoMarkupGrid*>(parsed.root.Get());
}

// "size@offset" of every definition in use after arranging.
std::string FinalSizes(const CKvoMarkupDefinitionCollection* definitions)
{
    std::string text;
    for (int index = 0; index < definitions->GetCount(); ++index) {
        const CKvoMarkupDefinitionBase* definition = definitions->GetDefinition(index);
        text += (index ? " " : "") + std::to_string(static_cast<int>(definition->sizeCache)) + "@" +
                std::to_string(definition->finalOffset);
    }
    return text;
}

}

TEST_F(KvoMarkupGridTest, ColumnAndRowSizes)
{
    struct Case {
        const wchar_t* markup;
        RECT slot;
        const char* columns;
        const char* rows;
    } cases[] = {
        // Auto, pixels and stars share 400 pixels.
        {L"<Grid><Grid.ColumnDefinitions><ColumnDefinition Width='Auto'/><ColumnDefinition Width='50'/>"
         L"<ColumnDefinition Width='*'/><ColumnDefinition Width='2*'/></Grid.ColumnDefinitions>"
         L"<FrameworkElement Width='50' Height='10'/></Grid>",
         {0, 0, 400, 100}, "50@0 50@50 100@100 200@200", "100@0"},
        // The row limited to 20 is resolved after the free one: 30 pixels stay empty.
        {L"<Grid><Grid.RowDefinitions><RowDefinition MaxHeight='20'/><RowDefinition/></Grid.RowDefinitions></Grid>",
         {0, 0, 100, 100}, "100@0", "20@0 50@20"},
        // Mended inputs: negative and non-finite star weights count as 0, huge pixels saturate.
        {L"<Grid><Grid.ColumnDefinitions><ColumnDefinition Width='-1*'/><ColumnDefinition Width='nan*'/>"
         L"<ColumnDefinition Width='inf*'/><ColumnDefinition Width='*'/></Grid.ColumnDefinitions></Grid>",
         {0, 0, 100, 10}, "0@0 0@0 0@0 100@0", "10@0"},
        {L"<Grid HorizontalAlignment='Left'><Grid.ColumnDefinitions><ColumnDefinition Width='1e300'/>"
         L"</Grid.ColumnDefinitions></Grid>",
         {0, 0, 100, 10}, "2147483647@0", "10@0"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(std::wstring(test.markup));
        ParsedMarkup parsed = Parse(test.markup);
        ASSERT_TRUE(parsed.root) << parsed.error;
        LayOutRoot(parsed.root.Get(), test.slot);
        EXPECT_EQ(FinalSizes(AsGrid(parsed)->GetColumnsInUse()), test.columns);
        EXPECT_EQ(FinalSizes(AsGrid(parsed)->GetRowsInUse()), test.rows);
    }
}

TEST_F(KvoMarkupGridTest, ArrangedSmallerThanItsColumnsItNeverGoesBelowTheirMinimums)
{
    ParsedMarkup parsed = Parse(L"<Grid><Grid.ColumnDefinitions><ColumnDefinition Width='60' MinWidth='40'/>"
                                L"<ColumnDefinition Width='60' MinWidth='10'/></Grid.ColumnDefinitions>"
                                L"<FrameworkElement/><FrameworkElement Grid.Column='1'/></Grid>");
    ASSERT_TRUE(parsed.root) << parsed.error;
    CKvoMarkupDrawingContext measuring;
    parsed.root->Measure(&measuring, 200, 10);
    static_cast<CKvoMarkupFrameworkElement*>(parsed.root.Get())->ArrangeOverride(70, 10);
    // A pixel width is its column's minimum too: the columns keep it and overflow.
    EXPECT_EQ(FinalSizes(AsGrid(parsed)->GetColumnsInUse()), "60@0 60@60");
    EXPECT_EQ(FinalRectOf(LayoutChildOf(parsed.root.Get(), 1)), "60,0,120,10");
}

TEST_F(KvoMarkupGridTest, StarsMeasuredUnboundedSizeToContent)
{
    ParsedMarkup parsed = Parse(L"<Grid><Grid.ColumnDefinitions><ColumnDefinition/><ColumnDefinition Width='2*'/>"
                                L"</Grid.ColumnDefinitions><FrameworkElement Width='30' Height='5'/>"
                                L"<FrameworkElement Grid.Column='1' Width='20' Height='7'/></Grid>");
    ASSERT_TRUE(parsed.root) << parsed.error;
    CKvoMarkupDrawingContext measuring;
    const SIZE desired =
        static_cast<CKvoMarkupFrameworkElement*>(parsed.root.Get())->MeasureOverride(&measuring, 40000, 100);
    EXPECT_EQ(desired.cx, 50);
    EXPECT_EQ(desired.cy, 7);
}

TEST_F(KvoMarkupGridTest, CellIndicesAreKeptInsideTheDefinitions)
{
    ParsedMarkup parsed = Parse(L"<Grid><Grid.ColumnDefinitions><ColumnDefinition Width='30'/><ColumnDefinition Width='40'/>"
                                L"</Grid.ColumnDefinitions><Grid.RowDefinitions><RowDefinition Height='10'/>"
                                L"<RowDefinition Height='20'/></Grid.RowDefinitions>"
                                L"<FrameworkElement Grid.Column='5' Grid.Row='1'/>"
                                L"<FrameworkElement Grid.Column='-3' Grid.Row='-1'/></Grid>");
    ASSERT_TRUE(parsed.root) << parsed.error;
    LayOutRoot(parsed.root.Get(), RECT{0, 0, 70, 30});
    EXPECT_EQ(FinalRectOf(LayoutChildOf(parsed.root.Get(), 0)), "30,10,70,30");
    EXPECT_EQ(FinalRectOf(LayoutChildOf(parsed.root.Get(), 1)), "0,0,30,10");
}

TEST_F(KvoMarkupGridTest, WithoutDefinitionsChildrenShareTheWholeGrid)
{
    ParsedMarkup parsed = Parse(L"<Grid HorizontalAlignment='Left' VerticalAlignment='Top'>"
                                L"<FrameworkElement Width='30' Height='5'/><FrameworkElement Width='10' Height='20'/></Grid>");
    ASSERT_TRUE(parsed.root) << parsed.error;
    LayOutRoot(parsed.root.Get(), RECT{0, 0, 100, 100});
    EXPECT_EQ(parsed.root->GetDesiredSize().cx, 30);
    EXPECT_EQ(parsed.root->GetDesiredSize().cy, 20);
    EXPECT_EQ(FinalRectOf(LayoutChildOf(parsed.root.Get(), 1)), "0,0,30,20");
}

TEST_F(KvoMarkupGridTest, ChangingARowMovesTheChild)
{
    ParsedMarkup parsed = Parse(L"<Grid><Grid.RowDefinitions><RowDefinition Height='10'/><RowDefinition Height='20'/>"
                                L"</Grid.RowDefinitions><FrameworkElement/></Grid>");
    ASSERT_TRUE(parsed.root) << parsed.error;
    LayOutRoot(parsed.root.Get(), RECT{0, 0, 50, 30});
    CKvoMarkupUIElement* child = LayoutChildOf(parsed.root.Get(), 0);
    EXPECT_EQ(FinalRectOf(child), "0,0,50,10");
    child->SetValue(CKvoMarkupGrid::s_rowProperty, new CKvoMarkupInt(1));
    // The grid's measure was invalidated: arranging in the same slot places the child anew.
    parsed.root->Arrange(RECT{0, 0, 50, 30});
    EXPECT_EQ(FinalRectOf(child), "0,10,50,30");
}

TEST_F(KvoMarkupGridTest, GridLengthTextAndWrongDefinitionCollections)
{
    struct Case {
        const wchar_t* text;
        double value;
        int unit;
    } cases[] = {{L"Auto", 1.0, KvoMarkupGridUnit::Auto}, {L"*", 1.0, KvoMarkupGridUnit::Star},
                 {L"2.5*", 2.5, KvoMarkupGridUnit::Star}, {L"40", 40.0, KvoMarkupGridUnit::Pixel},
                 {L"x", 0.0, KvoMarkupGridUnit::Pixel},   {L"auto", 0.0, KvoMarkupGridUnit::Pixel}};
    CKvoMarkupGridLength converter;
    for (const Case& test : cases) {
        CKvoMarkupPtr<CKvoMarkupString> text(CKvoMarkupString::CreateString(test.text));
        CKvoMarkupPtr<CKvoMarkupObject> length(converter.ConvertFrom(text.Get()));
        ASSERT_TRUE(length) << test.text;
        EXPECT_EQ(static_cast<CKvoMarkupGridLength*>(length.Get())->GetValue(), test.value) << test.text;
        EXPECT_EQ(static_cast<CKvoMarkupGridLength*>(length.Get())->GetUnit(), test.unit) << test.text;
    }
    CKvoMarkupPtr<CKvoMarkupString> empty(CKvoMarkupString::CreateString(L""));
    EXPECT_EQ(converter.ConvertFrom(empty.Get()), nullptr);

    ParsedMarkup wrong = Parse(L"<Grid><Grid.RowDefinitions><ColumnDefinition/></Grid.RowDefinitions></Grid>");
    EXPECT_FALSE(wrong.root);
    EXPECT_NE(wrong.error.find(L"CKvoMarkupRowDefinition"), std::wstring::npos) << wrong.error;
}
