#include <gtest/gtest.h>
#include "markup/MarkupFunctions.h"

// What a button without a markup context relies on: every call with null
// arguments answers "nothing" and changes nothing.
TEST(MarkupFunctions, NullArgumentsGiveNothing)
{
    EXPECT_EQ(MarkupParseText(nullptr, L"<TextBlock>x</TextBlock>"), nullptr);
    LRESULT result = 77;
    EXPECT_FALSE(MarkupRelayMessage(nullptr, WM_PAINT, 0, 0, &result));
    EXPECT_EQ(result, 77);
    SIZE size = MarkupMeasureElement(nullptr, 100, 100);
    EXPECT_EQ(size.cx, 0);
    EXPECT_EQ(size.cy, 0);
    RECT rect = {0, 0, 10, 10};
    MarkupRenderElement(nullptr, nullptr, &rect);
    MarkupSetDefaultFont(nullptr, static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), 0);

    CKvoMarkupContext* context = nullptr;
    MarkupReleaseContext(&context);
    EXPECT_EQ(context, nullptr);
    CKvoMarkupUIElement* element = nullptr;
    MarkupReleaseElement(&element);
    EXPECT_EQ(element, nullptr);
    MarkupReleaseContext(nullptr);
    MarkupReleaseElement(nullptr);
}
