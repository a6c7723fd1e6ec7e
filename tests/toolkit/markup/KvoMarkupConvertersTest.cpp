#include <gtest/gtest.h>
#include "markup/builder/KvoMarkupConverters.h"
#include "markup/core/KvoMarkupPtr.h"
#include "markup/values/KvoMarkupEnum.h"
#include "markup/values/KvoMarkupInt.h"
#include "markup/values/KvoMarkupString.h"
#include "toolkit/markup/support/MarkupContextTest.h"

namespace {
using KvoMarkupConvertersTest = MarkupContextTest;

// The number a converter gives for text; -1 for no value.
int Convert(KvoMarkupValueConverter converter, const wchar_t* text)
{
    CKvoMarkupPtr<CKvoMarkupString> value(CKvoMarkupString::CreateString(text));
    CKvoMarkupPtr<CKvoMarkupObject> converted(converter(nullptr, value.Get()));
    if (!converted)
        return -1;
    if (converted->IsKindOf(CKvoMarkupEnum::s_type))
        return static_cast<CKvoMarkupEnum*>(converted.Get())->GetValue();
    if (converted->IsKindOf(CKvoMarkupInt::s_type))
        return static_cast<CKvoMarkupInt*>(converted.Get())->GetValue();
    return -2;
}
}

// Whole words in any letter case; a prefix, a longer text or a word of
// another converter gives nothing.
TEST_F(KvoMarkupConvertersTest, WordsGiveTheirNumbers)
{
    const struct {
        KvoMarkupValueConverter converter;
        const wchar_t* text;
        int value;
    } cases[] = {
        {MarkupConvertVisibility, L"Visible", 0},
        {MarkupConvertVisibility, L"HIDDEN", 1},
        {MarkupConvertVisibility, L"collapsed", 2},
        {MarkupConvertVisibility, L"Collapse", -1},
        {MarkupConvertHorizontalAlignment, L"Stretch", 3},
        {MarkupConvertHorizontalAlignment, L"Top", -1},
        {MarkupConvertVerticalAlignment, L"Bottom", 2},
        {MarkupConvertBaselineAlignment, L"Superscript", 7},
        {MarkupConvertBaselineAlignment, L"TextBottom", 5},
        {MarkupConvertFontWeight, L"Regular", 400},
        {MarkupConvertFontWeight, L"DemiBold", 600},
        {MarkupConvertFontWeight, L"ExtraBlack", 950},
        {MarkupConvertFontWeight, L"Bolder", -1},
        {MarkupConvertFontStyle, L"Italic", 1},
        {MarkupConvertTextDecorations, L"Strikethrough", 2},
        {MarkupConvertTextDecorations, L"", 0},
        {MarkupConvertFontQuality, L"cleartype", 5},
        {MarkupConvertFontQuality, L"Antialiased", -1},
        {MarkupConvertOrientation, L"Vertical", 1},
        {MarkupConvertStretch, L"UniformToFill", 3},
        {MarkupConvertTextAlignment, L"Center", 2},
        {MarkupConvertTextTrimming, L"WordEllipsis", 2},
        {MarkupConvertTextWrapping, L"NoWrap", 0},
        {MarkupConvertScrollBarVisibility, L"Auto", 1},
        {MarkupConvertTabNavigation, L"Local", 5},
        {MarkupConvertCursor, L"None", 0},
        {MarkupConvertCursor, L"Hand", 32649},
        {MarkupConvertCursor, L"sizewe", 32644},
        {MarkupConvertCursor, L"AppStarting", 32650},
        {MarkupConvertCursor, L"Pointer", -1},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(Convert(row.converter, row.text), row.value);
    }
    CKvoMarkupPtr<CKvoMarkupInt> number(new CKvoMarkupInt(1));
    EXPECT_EQ(MarkupConvertVisibility(nullptr, number.Get()), nullptr) << "only text converts";
    EXPECT_EQ(MarkupConvertCursor(nullptr, nullptr), nullptr);
}
