#include <gtest/gtest.h>
#include <string>
#include "markup/builder/KvoMarkupBuilder.h"
#include "markup/core/KvoMarkupPtr.h"
#include "markup/drawing/KvoMarkupBrush.h"
#include "markup/elements/KvoMarkupFrameworkElement.h"
#include "markup/elements/KvoMarkupKeyboardNavigation.h"
#include "markup/parser/KvoMarkupParser.h"
#include "markup/values/KvoMarkupColor.h"
#include "markup/values/KvoMarkupEnum.h"
#include "markup/values/KvoMarkupInt.h"
#include "markup/values/KvoMarkupString.h"
#include "toolkit/markup/support/MarkupContextTest.h"
#include "toolkit/markup/support/MarkupObjectTest.h"
#include "toolkit/markup/support/MarkupTestElement.h"
#include "toolkit/markup/support/MarkupTestTypes.h"

using KvoMarkupBuilderTest = MarkupObjectTest;

// The property's converter first, then the value type's own conversion on a
// scratch object; the value passed stays the caller's.
TEST_F(KvoMarkupBuilderTest, ConvertValueTriesConverterThenValueType)
{
    CKvoMarkupBuilder builder(nullptr);
    CKvoMarkupPtr<CKvoMarkupString> on(CKvoMarkupString::CreateString(L"On"));
    CKvoMarkupPtr<CKvoMarkupObject> mode(builder.ConvertValue(CTestMarkupElement::s_modeProperty, on.Get()));
    CKvoMarkupPtr<CKvoMarkupEnum> one(CKvoMarkupEnum::GetShared(1));
    EXPECT_EQ(mode.Get(), one.Get());

    CKvoMarkupPtr<CKvoMarkupString> twelve(CKvoMarkupString::CreateString(L"12"));
    CKvoMarkupPtr<CKvoMarkupObject> size(builder.ConvertValue(CTestMarkupElement::s_sizeProperty, twelve.Get()));
    ASSERT_TRUE(size);
    EXPECT_EQ(size->GetType(), CKvoMarkupInt::s_type);
    EXPECT_EQ(static_cast<CKvoMarkupInt*>(size.Get())->GetValue(), 12);

    // An Enum has no text form of its own: the converter is the only way.
    CKvoMarkupPtr<CKvoMarkupString> off(CKvoMarkupString::CreateString(L"Off"));
    EXPECT_EQ(CatchMarkupBuildError([&] { builder.ConvertValue(CTestMarkupElement::s_modeProperty, off.Get()); }),
              L"Cannot convert string in attribute 'Mode' to object of type 'CKvoMarkupEnum'");
}

namespace {
using KvoMarkupParseTest = MarkupContextTest;

CTestMarkupFrameworkElement* AsTestElement(CKvoMarkupObject* object)
{
    return static_cast<CTestMarkupFrameworkElement*>(MarkupDynamicCast(CTestMarkupFrameworkElement::s_type, object));
}

CTestMarkupFrameworkElement* ChildOf(CKvoMarkupObject* parent, int index)
{
    CTestMarkupFrameworkElement* element = AsTestElement(parent);
    return element && index < element->GetVisualChildrenCount() ? AsTestElement(element->GetVisualChild(index))
                                                                  : nullptr;
}

COLORREF FillColorOf(const CKvoMarkupObject* element)
{
    const CKvoMarkupBrush* brush =
        static_cast<const CKvoMarkupBrush*>(element->GetValue(CTestMarkupFrameworkElement::s_fillProperty));
    return brush ? brush->GetColor() : CLR_NONE;
}

// n elements each inside the one before.
std::wstring NestedMarkup(int depth)
{
    std::wstring text;
    for (int level = 0; level < depth; ++level)
        text += L"<TestFrameworkElement>";
    for (int level = 0; level < depth; ++level)
        text += L"</TestFrameworkElement>";
    return text;
}
}

// The first fault ends the parse with its message, the one-based line and
// the position the parser had reached.
TEST_F(KvoMarkupParseTest, ErrorsNameTheFaultWithLineAndPosition)
{
    const struct {
        const wchar_t* markup;
        const wchar_t* error;
    } cases[] = {
        {L"<TestFrameworkElement/><TestFrameworkElement/>",
         L"There are multiple root elements. Line 1, position 46"},
        {L"<NoSuchTag/>", L"The tag 'NoSuchTag' does not exist in XML namespace. Line 1, position 12"},
        {L"<TestFrameworkElement Nope='1'/>",
         L"The property 'Nope' does not exist in XML namespace. Line 1, position 31"},
        {L"<TestFrameworkElement>\n  <TestFrameworkElement></TestFrame>",
         L"The 'TestFrameworkElement' start tag does not match the end tag of 'TestFrame'. Line 2, position 37"},
        {L"<TestFrameworkElement>\n<TestFrameworkElement>",
         L"Unexpected end of file has occurred. The following elements are not closed: 'TestFrameworkElement'. "
         L"Line 2, position 23"},
        {L"<TestFrameworkElement Fill='#12'/>",
         L"Cannot convert string in attribute 'Fill' to object of type 'CKvoMarkupBrush'. Line 1, position 33"},
        {L"<TestFrameworkElement Visibility='Sideways'/>",
         L"Cannot convert string in attribute 'Visibility' to object of type 'CKvoMarkupEnum'. Line 1, position 44"},
        {L"<TestFrameworkElement Fill='{x:Static SystemColors.NoSuchBrush}'/>",
         L"Cannot find the static member  'SystemColors.NoSuchBrush'. Line 1, position 65"},
        {L"<TestFrameworkElement Fill='{x:Static SystemColors.WindowBrush'/>",
         L"Markup extension expressions must end with '}'. Line 1, position 64"},
        {L"<TestFrameworkElement Fill='{StaticResource Missing}'/>",
         L"Cannot find resource named 'Missing'. Resource names are case sensitive. Line 1, position 54"},
        {L"<TestFrameworkElement Tag='{x:Type Nowhere}'/>", L"Cannot find type 'Nowhere'. Line 1, position 45"},
        {L"<TestFrameworkElement Tag='{Binding Path}'/>",
         L"The tag 'Binding Path' does not exist in XML namespace. Line 1, position 43"},
        {L"<TestFrameworkElement><TestFrameworkElement.Fill></TestFrameworkElement.Fill></TestFrameworkElement>",
         L"'Fill' property does not have a value. Line 1, position 78"},
        {L"<TestFrameworkElement MouseEnter='OnEnter'/>",
         L"'OnEnter' delegate not found. Line 1, position 43"},
        {L"<TestFrameworkElement><Color>Red</Color></TestFrameworkElement>",
         L"Cannot add content to an object of type 'CTestMarkupFrameworkElement'. Line 1, position 41"},
        {L"<TestFrameworkElement/>text", L"Data at the root level is invalid. Line 1, position 28"},
        {L"<TestFrameworkElement>< /TestFrameworkElement>", nullptr},
        {L"text<TestFrameworkElement/>", L"Data at the root level is invalid"},
        {L"", L"Data at the root level is invalid"},
        {L"<Style/>", L"Root element have to be 'CKvoMarkupUIElement' type"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.markup);
        ParsedMarkup parsed = Parse(row.markup);
        EXPECT_FALSE(parsed.root);
        if (row.error)
            EXPECT_EQ(parsed.error, row.error);
        else
            EXPECT_NE(parsed.error.find(L". Line 1, position "), std::wstring::npos) << parsed.error;
    }
}

// Text content reaches its element with whitespace collapsed: none before
// the first piece, one space between pieces, none after the last.
TEST_F(KvoMarkupParseTest, WhitespaceBetweenContentCollapsesToOneSpace)
{
    ParsedMarkup parsed =
        Parse(L"<TestFrameworkElement>  Hello   <TestFrameworkElement/> world \n </TestFrameworkElement>");
    ASSERT_TRUE(parsed.root) << parsed.error;
    const std::vector<CStringW> expected = {L"Hello ", L"[TestFrameworkElement]", L" world"};
    EXPECT_EQ(AsTestElement(parsed.root.Get())->contentLog, expected);

    // Whitespace alone between two elements is one space of content.
    parsed =
        Parse(L"<TestFrameworkElement><TestFrameworkElement/>  \n  <TestFrameworkElement/></TestFrameworkElement>");
    ASSERT_TRUE(parsed.root) << parsed.error;
    const std::vector<CStringW> spaced = {L"[TestFrameworkElement]", L" ", L"[TestFrameworkElement]"};
    EXPECT_EQ(AsTestElement(parsed.root.Get())->contentLog, spaced);
}

TEST_F(KvoMarkupParseTest, AttributeValuesAsTextEscapesAndConvertedWords)
{
    ParsedMarkup parsed = Parse(L"<TestFrameworkElement xmlns='urn:any' Tag='{}{literal}' x:Name='plain' "
                                L"Visibility='collapsed' HorizontalAlignment='Center' Cursor='Hand' "
                                L"KeyboardNavigation.TabNavigation='Cycle'/>");
    ASSERT_TRUE(parsed.root) << parsed.error;
    CKvoMarkupObject* root = parsed.root.Get();
    const CKvoMarkupString* tag =
        static_cast<const CKvoMarkupString*>(root->GetValue(CKvoMarkupFrameworkElement::s_tagProperty));
    ASSERT_TRUE(tag && tag->IsKindOf(CKvoMarkupString::s_type));
    EXPECT_STREQ(tag->GetString(), L"{literal}");
    EXPECT_EQ(parsed.root->GetVisibility(), KvoMarkupVisibility::Collapsed);
    const CKvoMarkupObject* alignment = root->GetValue(CKvoMarkupFrameworkElement::s_horizontalAlignmentProperty);
    ASSERT_TRUE(alignment && alignment->IsKindOf(CKvoMarkupEnum::s_type));
    EXPECT_EQ(static_cast<const CKvoMarkupEnum*>(alignment)->GetValue(), 1);
    EXPECT_EQ(MarkupIntValue(root, CKvoMarkupInputElement::s_cursorProperty), 32649);
    const CKvoMarkupObject* navigation = root->GetValue(CKvoMarkupKeyboardNavigation::s_tabNavigationProperty);
    ASSERT_TRUE(navigation && navigation->IsKindOf(CKvoMarkupEnum::s_type));
    EXPECT_EQ(static_cast<const CKvoMarkupEnum*>(navigation)->GetValue(), 2);
}

// Colour text in any of its forms becomes a solid brush; short hash forms
// are refused.
TEST_F(KvoMarkupParseTest, ColourTextBecomesBrushes)
{
    const struct {
        const wchar_t* fill;
        COLORREF color; // CLR_NONE: the parse fails
    } cases[] = {
        {L"#FF0000", RGB(255, 0, 0)},     {L"#80FF0000", RGB(255, 0, 0)}, {L"#00ff80", RGB(0, 255, 128)},
        {L"Red", RGB(255, 0, 0)},         {L"cornflowerBLUE", RGB(100, 149, 237)},
        {L"Black", RGB(0, 0, 0)},         {L"#F00", CLR_NONE},            {L"#GG0000", CLR_NONE},
        {L"Transparent", CLR_NONE},       {L"NotAColour", CLR_NONE},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.fill);
        const std::wstring markup = std::wstring(L"<TestFrameworkElement Fill='") + row.fill + L"'/>";
        ParsedMarkup parsed = Parse(markup.c_str());
        if (row.color == CLR_NONE) {
            EXPECT_FALSE(parsed.root);
            EXPECT_NE(parsed.error.find(L"to object of type 'CKvoMarkupBrush'"), std::wstring::npos) << parsed.error;
            continue;
        }
        ASSERT_TRUE(parsed.root) << parsed.error;
        EXPECT_EQ(FillColorOf(parsed.root.Get()), row.color);
    }
}

// x:Static SystemColors: the four forms, names in any letter case and by
// their first letters; the same object for the same colour and form
// throughout one parse.
TEST_F(KvoMarkupParseTest, SystemColoursAndTheirKeys)
{
    ParsedMarkup parsed = Parse(L"<TestFrameworkElement Fill='{x:Static SystemColors.HighlightBrush}' "
                                L"Frame='{x:static systemcolors.highlightBrush}'>"
                                L"<TestFrameworkElement Fill='{x:Static SystemColors.ScrollBarBrush}'/>"
                                L"<TestFrameworkElement Fill='{x:Static SystemColors.GradientInactBrush}'/>"
                                L"<TestFrameworkElement Fill='{StaticResource {x:Static SystemColors.InfoBrushKey}}'/>"
                                L"<TestFrameworkElement Tag='{x:Static SystemColors.WindowColor}'/>"
                                L"</TestFrameworkElement>");
    ASSERT_TRUE(parsed.root) << parsed.error;
    CKvoMarkupObject* root = parsed.root.Get();
    EXPECT_EQ(FillColorOf(root), ::GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(root->GetValue(CTestMarkupFrameworkElement::s_fillProperty),
              root->GetValue(CTestMarkupFrameworkElement::s_frameProperty));
    EXPECT_EQ(FillColorOf(ChildOf(root, 0)), ::GetSysColor(COLOR_SCROLLBAR)) << "index 0 is a colour too";
    EXPECT_EQ(FillColorOf(ChildOf(root, 1)), ::GetSysColor(COLOR_GRADIENTINACTIVECAPTION));
    EXPECT_EQ(FillColorOf(ChildOf(root, 2)), ::GetSysColor(COLOR_INFOBK)) << "a key without a resource";
    const CKvoMarkupObject* color = ChildOf(root, 3)->GetValue(CKvoMarkupFrameworkElement::s_tagProperty);
    ASSERT_TRUE(color && color->IsKindOf(CKvoMarkupColor::s_type));
    EXPECT_EQ(static_cast<const CKvoMarkupColor*>(color)->GetColor(), ::GetSysColor(COLOR_WINDOW));
}

// A resource keyed by a system-colour key wins over the system colour, and
// resources are found in the enclosing open elements.
TEST_F(KvoMarkupParseTest, ResourcesAreFoundInEnclosingElements)
{
    ParsedMarkup parsed = Parse(L"<TestFrameworkElement>\n"
                                L"  <TestFrameworkElement.Resources>\n"
                                L"    <SolidColorBrush x:Key='{x:Static SystemColors.WindowBrushKey}' Color='Lime'/>\n"
                                L"    <SolidColorBrush x:Key='accent' Color='#102030'/>\n"
                                L"  </TestFrameworkElement.Resources>\n"
                                L"  <TestFrameworkElement "
                                L"Fill='{StaticResource {x:Static SystemColors.WindowBrushKey}}'/>\n"
                                L"  <TestFrameworkElement Fill='{DynamicResource accent}'/>\n"
                                L"</TestFrameworkElement>");
    ASSERT_TRUE(parsed.root) << parsed.error;
    EXPECT_EQ(FillColorOf(ChildOf(parsed.root.Get(), 0)), RGB(0, 255, 0));
    EXPECT_EQ(FillColorOf(ChildOf(parsed.root.Get(), 1)), RGB(0x10, 0x20, 0x30));
    EXPECT_EQ(Parse(L"<TestFrameworkElement Fill='{StaticResource Accent}'><TestFrameworkElement.Resources>"
                    L"<SolidColorBrush x:Key='accent' Color='Red'/></TestFrameworkElement.Resources>"
                    L"</TestFrameworkElement>")
                  .error,
              L"Cannot find resource named 'Accent'. Resource names are case sensitive. Line 1, position 53");
}

// A style without a key applies to every element of its target type that
// sees it; the type is named with x:Type.
TEST_F(KvoMarkupParseTest, ImplicitStyleByTypeApplies)
{
    ParsedMarkup parsed = Parse(L"<TestFrameworkElement>"
                                L"<TestFrameworkElement.Resources>"
                                L"<Style TargetType='{x:Type TestFrameworkElement}'>"
                                L"<Setter Property='Fill' Value='Blue'/>"
                                L"</Style>"
                                L"</TestFrameworkElement.Resources>"
                                L"<TestFrameworkElement/>"
                                L"<TestFrameworkElement Fill='Red'/>"
                                L"</TestFrameworkElement>");
    ASSERT_TRUE(parsed.root) << parsed.error;
    EXPECT_EQ(FillColorOf(parsed.root.Get()), RGB(0, 0, 255));
    EXPECT_EQ(FillColorOf(ChildOf(parsed.root.Get(), 0)), RGB(0, 0, 255));
    EXPECT_EQ(FillColorOf(ChildOf(parsed.root.Get(), 1)), RGB(255, 0, 0)) << "a local value stands over the style";
}

// Every pass over a tree recurses per level: more than 256 open elements
// are refused.
TEST_F(KvoMarkupParseTest, NestingDeeperThan256IsRefused)
{
    const std::wstring deepest = NestedMarkup(CKvoMarkupBuilder::kMaxOpenElements);
    ParsedMarkup parsed = Parse(deepest.c_str());
    EXPECT_TRUE(parsed.root) << parsed.error;
    parsed.root.Reset();

    const std::wstring tooDeep = NestedMarkup(CKvoMarkupBuilder::kMaxOpenElements + 1);
    parsed = Parse(tooDeep.c_str());
    EXPECT_FALSE(parsed.root);
    // The parser has read one character past the refused tag's name.
    const int position = CKvoMarkupBuilder::kMaxOpenElements * 22 + 23;
    EXPECT_EQ(parsed.error, L"Markup nesting is too deep. Line 1, position " + std::to_wstring(position));
}

// A failed parse leaves nothing alive: what was built, what was popped or
// converted for the failing call, and the builder's system colours.
TEST_F(KvoMarkupParseTest, FailedParseLeavesNoLiveObject)
{
    const long before = CKvoMarkupObject::GetLiveObjectCount();
    for (const wchar_t* markup : {
             L"<TestFrameworkElement Fill='{x:Static SystemColors.ControlBrush}'><TestFrameworkElement Fill='Red'/>"
             L"<TestFrameworkElement Fill='x'/></TestFrameworkElement>",
             L"<TestFrameworkElement><TestFrameworkElement Fill='Red'/><Color>Red</Color></TestFrameworkElement>",
             L"<TestFrameworkElement><TestFrameworkElement.Fill><SolidColorBrush Color='Red'/>"
             L"</TestFrameworkElement.Fill><TestFrameworkElement.Tag><TestFrameworkElement/>"
             L"</TestFrameworkElement.Frame></TestFrameworkElement>",
             L"<TestFrameworkElement><TestFrameworkElement.Fill><Color>Red</Color></TestFrameworkElement.Fill>"
             L"</TestFrameworkElement>",
         }) {
        SCOPED_TRACE(markup);
        EXPECT_FALSE(Parse(markup).root);
        EXPECT_EQ(CKvoMarkupObject::GetLiveObjectCount(), before);
    }
}

// Byte input declared UTF-8 by its leading instruction is read as UTF-8
// from there on, whatever code page the parser began with.
TEST_F(KvoMarkupParseTest, Utf8DeclarationSwitchesByteInput)
{
    const char markup[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                          "<TestFrameworkElement Tag=\"\xE3\x81\x82\"/>";
    CKvoMarkupParser parser;
    parser.SetBuffer(markup, markup + sizeof(markup) - 1, 932);
    CKvoMarkupBuilder builder(context);
    CKvoMarkupPtr<CKvoMarkupUIElement> root(builder.Parse(&parser));
    ASSERT_TRUE(root) << builder.GetErrorText();
    const CKvoMarkupString* tag =
        static_cast<const CKvoMarkupString*>(root->GetValue(CKvoMarkupFrameworkElement::s_tagProperty));
    ASSERT_TRUE(tag);
    EXPECT_STREQ(tag->GetString(), L"\x3042");
}
