// The rich-text and markup tooltips through real windows.
#include <gtest/gtest.h>

#include "toolkit/markup/support/ToolTipTestSupport.h"
#include "foundation/base/KvoDrawHelpers.h"
#include "markup/tooltip/KvoRichEditToolTip.h"

namespace {

class KvoToolTipKindsTest : public ToolTipOwnerTest {
protected:
    CSize ShowFirstTool(int style) { return HoverFirstTool(style) ? TipRect().Size() : CSize(0, 0); }
};

} // namespace

// Text that is not markup the tip knows measures and draws as the base
// window's text.
TEST_F(KvoToolTipKindsTest, MarkupTextThatDoesNotParseShowsAsPlainText)
{
    context.tools = {{1, {10, 10, 100, 50}, L"<NoSuchElement>Plain text</NoSuchElement>"}};
    const CSize office = ShowFirstTool(KvoToolTipStyle::Office);
    const CSize markup = ShowFirstTool(KvoToolTipStyle::Markup);
    ASSERT_NE(CSize(0, 0), markup);
    EXPECT_EQ(office, markup);
    CWindowPicture(context.TipWindow()).SavePng(TestOutputFolder() + L"\\tooltip-markup-plain.png");
}

TEST_F(KvoToolTipKindsTest, RichTextTipShowsRtfNarrowAsItsText)
{
    context.tools = {{1, {10, 10, 100, 50}, L"{\\rtf1\\ansi {\\b Bold} then {\\i italic} \\u3042? text}"},
                     {2, {110, 10, 200, 50}, L""}};
    context.SetMaxTipWidth(400);
    const CSize size = ShowFirstTool(KvoToolTipStyle::RichEdit);
    ASSERT_NE(CSize(0, 0), size);
    EXPECT_LT(size.cx, 300) << "the narrowest width that keeps one line";
    EXPECT_GT(size.cy, 6);
    CWindowPicture picture(context.TipWindow());
    picture.SavePng(TestOutputFolder() + L"\\tooltip-richtext.png");
    int dark = 0;
    for (int x = 3; x < size.cx - 3; ++x)
        for (int y = 3; y < size.cy - 3; ++y)
            dark += GetRValue(picture.Pixel(x, y)) < 100;
    EXPECT_GT(dark, 30) << "the text is drawn";

    MoveCursorTo(owner, {120, 20});
    EXPECT_FALSE(PumpUntil([this] { return context.TipVisible(); }, 0.5)) << "an empty text shows nothing";
}
