#include <gtest/gtest.h>
#include <cmath>
#include <functional>
#include "markup/core/KvoMarkupPtr.h"
#include "markup/core/KvoMarkupType.h"
#include "markup/values/KvoMarkupBool.h"
#include "markup/values/KvoMarkupColor.h"
#include "markup/values/KvoMarkupColorText.h"
#include "markup/values/KvoMarkupDouble.h"
#include "markup/values/KvoMarkupEnum.h"
#include "markup/values/KvoMarkupInt.h"
#include "markup/values/KvoMarkupString.h"
#include "markup/values/KvoMarkupThickness.h"
#include "toolkit/markup/support/MarkupObjectTest.h"

using KvoMarkupValuesTest = MarkupObjectTest;

namespace {
// What a value class's conversion made of text, as text ("null" for none).
std::wstring DescribeMarkupValue(const CKvoMarkupObject* value)
{
    CStringW text;
    CKvoMarkupObject* object = const_cast<CKvoMarkupObject*>(value);
    if (!value)
        text = L"null";
    else if (auto* number = static_cast<CKvoMarkupInt*>(MarkupDynamicCast(CKvoMarkupInt::s_type, object)))
        text.Format(L"Int %d", number->GetValue());
    else if (auto* real = static_cast<CKvoMarkupDouble*>(MarkupDynamicCast(CKvoMarkupDouble::s_type, object)))
        text.Format(L"Double %.9g", real->GetValue());
    else if (auto* flag = static_cast<CKvoMarkupBool*>(MarkupDynamicCast(CKvoMarkupBool::s_type, object)))
        text = flag->GetValue() ? L"True" : L"False";
    else if (auto* color = static_cast<CKvoMarkupColor*>(MarkupDynamicCast(CKvoMarkupColor::s_type, object)))
        text.Format(L"Color %06X", color->GetColor());
    else if (auto* sides = static_cast<CKvoMarkupThickness*>(MarkupDynamicCast(CKvoMarkupThickness::s_type, object)))
        text.Format(L"Thickness %d %d %d %d", sides->GetLeft(), sides->GetTop(), sides->GetRight(),
                    sides->GetBottom());
    else
        text = L"other";
    return text.GetString();
}

std::wstring ConvertMarkupText(CKvoMarkupObject& scratch, const wchar_t* text)
{
    CKvoMarkupPtr<CKvoMarkupString> value(CKvoMarkupString::CreateString(text));
    CKvoMarkupPtr<CKvoMarkupObject> converted(scratch.ConvertFrom(value.Get()));
    return DescribeMarkupValue(converted.Get());
}
}

TEST_F(KvoMarkupValuesTest, TextConvertersOfTheValueClasses)
{
    CKvoMarkupInt intType;
    CKvoMarkupDouble doubleType;
    CKvoMarkupBool boolType;
    CKvoMarkupColor colorType;
    CKvoMarkupThickness thicknessType;
    CKvoMarkupEnum enumType;
    struct Case {
        CKvoMarkupObject& scratch;
        const wchar_t* text;
        const wchar_t* expected;
    } const cases[] = {
        {intType, L"42", L"Int 42"},
        {intType, L"-7", L"Int -7"},
        {intType, L"+8", L"Int 8"},
        {intType, L" 12px", L"Int 12"},
        {intType, L"abc", L"Int 0"},
        {intType, L"", L"Int 0"},
        {doubleType, L"1.5", L"Double 1.5"},
        {doubleType, L"-2", L"Double -2"},
        // Through single precision: not the double 0.1.
        {doubleType, L"0.1", L"Double 0.100000001"},
        {doubleType, L"x1", L"null"},
        {doubleType, L"", L"null"},
        {boolType, L"True", L"True"},
        {boolType, L"true", L"True"},
        {boolType, L"TRUE", L"True"},
        {boolType, L"fAlSe", L"False"},
        {boolType, L"yes", L"null"},
        {boolType, L"True ", L"null"},
        {boolType, L"1", L"null"},
        {thicknessType, L"5", L"Thickness 5 5 5 5"},
        {thicknessType, L"1, 2, 3, 4", L"Thickness 1 2 3 4"},
        {thicknessType, L"1,2,3,4", L"Thickness 1 2 3 4"},
        {thicknessType, L"-1, 0, 10, 0x10", L"Thickness -1 0 10 16"},
        {thicknessType, L"1, 2, 3", L"null"},
        {thicknessType, L"1, 2, x, 4", L"null"},
        {thicknessType, L",", L"null"},
        {thicknessType, L"wide", L"Thickness 0 0 0 0"},
        {colorType, L"#FF0000", L"Color 0000FF"},
        {colorType, L"#00ff80", L"Color 80FF00"},
        {colorType, L"#80FF0000", L"Color 0000FF"},
        {colorType, L"#F00", L"null"},
        {colorType, L"#FF00000", L"null"},
        {colorType, L"#GG0000", L"null"},
        {colorType, L"#", L"null"},
        {colorType, L"Red", L"Color 0000FF"},
        {colorType, L"cornflowerblue", L"Color ED9564"},
        {colorType, L"LIGHTGOLDENRODYELLOW", L"Color D2FAFA"},
        {colorType, L"Black", L"Color 000000"},
        {colorType, L"Aqua", L"Color FFFF00"},
        {colorType, L"Cyan", L"Color FFFF00"},
        {colorType, L"Fuchsia", L"Color FF00FF"},
        {colorType, L"Magenta", L"Color FF00FF"},
        {colorType, L"YellowGreen", L"Color 32CD9A"},
        {colorType, L"Transparent", L"null"},
        {colorType, L"Reddish", L"null"},
        {colorType, L"1Red", L"null"},
        {colorType, L"Re", L"null"},
        {enumType, L"0", L"null"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ConvertMarkupText(c.scratch, c.text), c.expected) << DescribeMarkupValue(&c.scratch) << " from \"" << c.text << "\"";
}

TEST_F(KvoMarkupValuesTest, OnlyTextConverts)
{
    CKvoMarkupInt number(3);
    CKvoMarkupObject* scratches[] = {new CKvoMarkupInt, new CKvoMarkupDouble, new CKvoMarkupBool,
                                     new CKvoMarkupColor, new CKvoMarkupThickness};
    for (CKvoMarkupObject* scratch : scratches) {
        EXPECT_EQ(scratch->ConvertFrom(&number), nullptr);
        EXPECT_EQ(scratch->ConvertFrom(nullptr), nullptr);
        scratch->Release();
    }
}

TEST_F(KvoMarkupValuesTest, SharedValues)
{
    CKvoMarkupPtr<CKvoMarkupEnum> three(CKvoMarkupEnum::GetShared(3));
    CKvoMarkupPtr<CKvoMarkupEnum> threeAgain(CKvoMarkupEnum::GetShared(3));
    EXPECT_EQ(three.Get(), threeAgain.Get());
    EXPECT_EQ(three->GetValue(), 3);
    for (int value = 0; value < 8; ++value) {
        CKvoMarkupPtr<CKvoMarkupEnum> shared(CKvoMarkupEnum::GetShared(value));
        CKvoMarkupPtr<CKvoMarkupEnum> again(CKvoMarkupEnum::GetShared(value));
        EXPECT_EQ(shared.Get(), again.Get()) << value;
        EXPECT_EQ(shared->GetValue(), value);
    }
    CKvoMarkupPtr<CKvoMarkupEnum> nine(CKvoMarkupEnum::GetShared(9));
    CKvoMarkupPtr<CKvoMarkupEnum> nineAgain(CKvoMarkupEnum::GetShared(9));
    EXPECT_NE(nine.Get(), nineAgain.Get());
    EXPECT_TRUE(nine->IsEqual(nineAgain.Get()));
    EXPECT_EQ(nine->GetValue(), 9);
    CKvoMarkupPtr<CKvoMarkupEnum> minusOne(CKvoMarkupEnum::GetShared(-1));
    EXPECT_EQ(minusOne->GetValue(), -1);

    CKvoMarkupPtr<CKvoMarkupBool> yes(CKvoMarkupBool::GetShared(TRUE));
    CKvoMarkupPtr<CKvoMarkupBool> no(CKvoMarkupBool::GetShared(FALSE));
    CKvoMarkupPtr<CKvoMarkupBool> yesAgain(CKvoMarkupBool::GetShared(5));
    EXPECT_EQ(yes.Get(), yesAgain.Get());
    EXPECT_TRUE(yes->GetValue());
    EXPECT_FALSE(no->GetValue());
    EXPECT_EQ(yes->GetHashCode(), 1u);
    CKvoMarkupBool text;
    CKvoMarkupPtr<CKvoMarkupString> word(CKvoMarkupString::CreateString(L"true"));
    CKvoMarkupPtr<CKvoMarkupObject> converted(text.ConvertFrom(word.Get()));
    EXPECT_EQ(converted.Get(), yes.Get());

    CKvoMarkupPtr<CKvoMarkupThickness> zero(CKvoMarkupThickness::GetZero());
    CKvoMarkupPtr<CKvoMarkupThickness> zeroAgain(CKvoMarkupThickness::GetZero());
    EXPECT_EQ(zero.Get(), zeroAgain.Get());
    EXPECT_EQ(zero->GetLeft() | zero->GetTop() | zero->GetRight() | zero->GetBottom(), 0);
}

TEST_F(KvoMarkupValuesTest, StringsShareTheCommonTexts)
{
    CKvoMarkupPtr<CKvoMarkupString> empty(CKvoMarkupString::CreateString(L""));
    const wchar_t space[] = L" ";
    const wchar_t spaces[] = L"  ";
    const wchar_t newLine[] = L"\n";
    struct Case {
        const wchar_t* text;
        int length;
        const wchar_t* expected;
        bool sharedWithSame;
    } const cases[] = {
        {nullptr, 5, L"", true},  {L"", -1, L"", true},       {L"abc", 0, L"", true},
        {space, -1, L" ", true},  {spaces, 1, L" ", true},     {spaces, -1, L"  ", false},
        {newLine, 1, L"\n", true}, {L"abc", 2, L"ab", false},   {L"x", -1, L"x", false},
    };
    for (const Case& c : cases) {
        CKvoMarkupPtr<CKvoMarkupString> first(CKvoMarkupString::CreateString(c.text, c.length));
        CKvoMarkupPtr<CKvoMarkupString> second(CKvoMarkupString::CreateString(c.text, c.length));
        EXPECT_STREQ(first->GetString(), c.expected);
        EXPECT_EQ(first->GetLength(), static_cast<int>(wcslen(c.expected)));
        EXPECT_EQ(first.Get() == second.Get(), c.sharedWithSame) << c.expected;
        EXPECT_TRUE(first->IsEqual(second.Get()));
    }
    CKvoMarkupPtr<CKvoMarkupString> none(CKvoMarkupString::CreateString(nullptr, 5));
    EXPECT_EQ(none.Get(), empty.Get());
}

TEST_F(KvoMarkupValuesTest, EqualityIsByTypeAndValue)
{
    CKvoMarkupPtr<CKvoMarkupString> ab(CKvoMarkupString::CreateString(L"ab"));
    CKvoMarkupPtr<CKvoMarkupString> ab2(CKvoMarkupString::CreateString(L"abc", 2));
    CKvoMarkupPtr<CKvoMarkupString> abc(CKvoMarkupString::CreateString(L"abc"));
    CKvoMarkupPtr<CKvoMarkupString> empty(CKvoMarkupString::CreateString(L""));
    EXPECT_TRUE(ab->IsEqual(ab2.Get()));
    EXPECT_FALSE(ab->IsEqual(abc.Get()));
    EXPECT_EQ(ab->GetHashCode(), 97u * 33 + 98);
    EXPECT_EQ(ab->GetHashCode(), ab2->GetHashCode());
    EXPECT_EQ(empty->GetHashCode(), 0u);

    CKvoMarkupInt one(1), otherOne(1), two(2);
    CKvoMarkupEnum enumOne(1);
    EXPECT_TRUE(one.IsEqual(&otherOne));
    EXPECT_EQ(one.GetHashCode(), otherOne.GetHashCode());
    EXPECT_FALSE(one.IsEqual(&two));
    EXPECT_FALSE(one.IsEqual(&enumOne)) << "another type with the same number";
    EXPECT_FALSE(enumOne.IsEqual(&one));
    EXPECT_FALSE(one.IsEqual(nullptr));

    CKvoMarkupDouble half(0.5), halfAgain(0.5), nan(std::nan(""));
    EXPECT_TRUE(half.IsEqual(&halfAgain));
    EXPECT_EQ(half.GetHashCode(), halfAgain.GetHashCode());
    EXPECT_FALSE(nan.IsEqual(&nan));

    CKvoMarkupColor red(RGB(255, 0, 0)), redAgain(RGB(255, 0, 0)), blue(RGB(0, 0, 255));
    EXPECT_TRUE(red.IsEqual(&redAgain));
    EXPECT_FALSE(red.IsEqual(&blue));

    CKvoMarkupThickness sides(1, 2, 3, 4), sidesAgain(1, 2, 3, 4), turned(4, 3, 2, 1);
    EXPECT_TRUE(sides.IsEqual(&sidesAgain));
    EXPECT_EQ(sides.GetHashCode(), sidesAgain.GetHashCode());
    EXPECT_FALSE(sides.IsEqual(&turned));
}

TEST_F(KvoMarkupValuesTest, ColorElementTakesTextContent)
{
    CKvoMarkupPtr<CKvoMarkupObject> color(CKvoMarkupColor::s_type->CreateObject());
    color->SetContentObject(nullptr, CKvoMarkupString::CreateString(L"Navy"));
    EXPECT_EQ(static_cast<CKvoMarkupColor*>(color.Get())->GetColor(), RGB(0, 0, 0x80));

    EXPECT_EQ(CatchMarkupBuildError([&] { color->SetContentObject(nullptr, CKvoMarkupString::CreateString(L"Nope")); }),
              L"Cannot convert the string 'Nope' into a 'CKvoMarkupColor' object");
    EXPECT_EQ(CatchMarkupBuildError([&] { color->SetContentObject(nullptr, new CKvoMarkupInt(1)); }),
              L"Cannot add content to an object of type 'CKvoMarkupColor'");
    EXPECT_EQ(static_cast<CKvoMarkupColor*>(color.Get())->GetColor(), RGB(0, 0, 0x80));
}

TEST_F(KvoMarkupValuesTest, ColorTextLeavesTheColourAloneOnFailure)
{
    COLORREF color = 0x123456;
    EXPECT_FALSE(MarkupColorFromText(L"Transparent", color));
    EXPECT_FALSE(MarkupColorFromText(L"transparent", color));
    EXPECT_FALSE(MarkupColorFromText(nullptr, color));
    EXPECT_FALSE(MarkupColorFromText(L"", color));
    EXPECT_FALSE(MarkupColorFromText(L"AVeryLongColourNameXYZ", color));
    EXPECT_EQ(color, 0x123456u);
    EXPECT_TRUE(MarkupColorFromText(L"Tan", color));
    EXPECT_EQ(color, RGB(0xD2, 0xB4, 0x8C));
}

TEST_F(KvoMarkupValuesTest, DeflateRectNeverGoesNegative)
{
    CKvoMarkupThickness sides(1, 2, 3, 4);
    EXPECT_EQ(CKvoMarkupThickness::DeflateRect(CRect(10, 20, 110, 70), &sides), CRect(11, 22, 107, 66));
    EXPECT_EQ(CKvoMarkupThickness::DeflateRect(CRect(10, 20, 13, 25), &sides), CRect(11, 22, 11, 22));
    EXPECT_EQ(CKvoMarkupThickness::DeflateRect(CRect(10, 20, 110, 70), nullptr), CRect(10, 20, 110, 70));
}
