#include "markup/builder/KvoMarkupConverters.h"
#include <new>
#include "markup/values/KvoMarkupEnum.h"
#include "markup/values/KvoMarkupInt.h"
#include "markup/values/KvoMarkupString.h"

namespace {
struct MarkupWord {
    LPCWSTR text;
    int value;
};

// The value of the word value spells, matched whole ignoring case; FALSE
// when it spells none or is no string.
template <size_t Count>
BOOL FindMarkupWord(const MarkupWord (&words)[Count], CKvoMarkupObject* value, int& found)
{
    const CKvoMarkupString* text =
        static_cast<const CKvoMarkupString*>(MarkupDynamicCast(CKvoMarkupString::s_type, value));
    if (!text)
        return FALSE;
    for (const MarkupWord& word : words) {
        if (text->GetLength() == lstrlenW(word.text) && lstrcmpiW(text->GetString(), word.text) == 0) {
            found = word.value;
            return TRUE;
        }
    }
    return FALSE;
}

template <size_t Count>
CKvoMarkupObject* ConvertEnumWord(const MarkupWord (&words)[Count], CKvoMarkupObject* value)
{
    int found = 0;
    return FindMarkupWord(words, value, found) ? CKvoMarkupEnum::GetShared(found) : nullptr;
}

const MarkupWord kVisibilityWords[] = {{L"Visible", 0}, {L"Hidden", 1}, {L"Collapsed", 2}};
const MarkupWord kHorizontalAlignmentWords[] = {{L"Left", 0}, {L"Center", 1}, {L"Right", 2}, {L"Stretch", 3}};
const MarkupWord kVerticalAlignmentWords[] = {{L"Top", 0}, {L"Center", 1}, {L"Bottom", 2}, {L"Stretch", 3}};
const MarkupWord kBaselineAlignmentWords[] = {{L"Top", 0},      {L"Center", 1},     {L"Bottom", 2},
                                              {L"Baseline", 3}, {L"TextTop", 4},    {L"TextBottom", 5},
                                              {L"Subscript", 6}, {L"Superscript", 7}};
const MarkupWord kFontWeightWords[] = {{L"Thin", 100},      {L"ExtraLight", 200}, {L"Light", 300},
                                       {L"Normal", 400},    {L"Regular", 400},    {L"Medium", 500},
                                       {L"SemiBold", 600},  {L"DemiBold", 600},   {L"Bold", 700},
                                       {L"ExtraBold", 800}, {L"UltraBold", 800},  {L"Black", 900},
                                       {L"Heavy", 900},     {L"ExtraBlack", 950}};
const MarkupWord kFontStyleWords[] = {{L"Normal", 0}, {L"Italic", 1}};
const MarkupWord kTextDecorationsWords[] = {{L"Underline", 1}, {L"Strikethrough", 2}, {L"", 0}};
const MarkupWord kFontQualityWords[] = {{L"ClearType", 5}};
const MarkupWord kOrientationWords[] = {{L"Horizontal", 0}, {L"Vertical", 1}};
const MarkupWord kStretchWords[] = {{L"None", 0}, {L"Fill", 1}, {L"Uniform", 2}, {L"UniformToFill", 3}};
const MarkupWord kTextAlignmentWords[] = {{L"Left", 0}, {L"Right", 1}, {L"Center", 2}};
const MarkupWord kTextTrimmingWords[] = {{L"None", 0}, {L"CharacterEllipsis", 1}, {L"WordEllipsis", 2}};
const MarkupWord kTextWrappingWords[] = {{L"NoWrap", 0}, {L"Wrap", 1}};
const MarkupWord kScrollBarVisibilityWords[] = {{L"Disabled", 0}, {L"Auto", 1}, {L"Visible", 2}};
// A toggle button's state: the empty text is the third, undecided one.
const MarkupWord kCheckStateWords[] = {{L"False", 0}, {L"True", 1}, {L"", 2}};
const MarkupWord kTabNavigationWords[] = {{L"Continue", 0}, {L"Once", 1},      {L"Cycle", 2},
                                          {L"None", 3},     {L"Contained", 4}, {L"Local", 5}};
const MarkupWord kCursorWords[] = {{L"None", 0},         {L"Arrow", 32512},    {L"IBeam", 32513},
                                   {L"Wait", 32514},     {L"Cross", 32515},    {L"UpArrow", 32516},
                                   {L"SizeNWSE", 32642}, {L"SizeNESW", 32643}, {L"SizeWE", 32644},
                                   {L"SizeNS", 32645},   {L"SizeAll", 32646},  {L"No", 32648},
                                   {L"Hand", 32649},     {L"AppStarting", 32650}};
}

CKvoMarkupObject* MarkupConvertVisibility(CKvoMarkupContext*, CKvoMarkupObject* value)
{
    return ConvertEnumWord(kVisibilityWords, value);
}

CKvoMarkupObject* MarkupConvertHorizontalAlignment(CKvoMarkupContext*, CKvoMarkupObject* value)
{
    return ConvertEnumWord(kHorizontalAlignmentWords, value);
}

CKvoMarkupObject* MarkupConvertVerticalAlignment(CKvoMarkupContext*, CKvoMarkupObject* value)
{
    return ConvertEnumWord(kVerticalAlignmentWords, value);
}

CKvoMarkupObject* MarkupConvertBaselineAlignment(CKvoMarkupContext*, CKvoMarkupObject* value)
{
    return ConvertEnumWord(kBaselineAlignmentWords, value);
}

CKvoMarkupObject* MarkupConvertFontWeight(CKvoMarkupContext*, CKvoMarkupObject* value)
{
    return ConvertEnumWord(kFontWeightWords, value);
}

CKvoMarkupObject* MarkupConvertFontStyle(CKvoMarkupContext*, CKvoMarkupObject* value)
{
    return ConvertEnumWord(kFontStyleWords, value);
}

CKvoMarkupObject* MarkupConvertTextDecorations(CKvoMarkupContext*, CKvoMarkupObject* value)
{
    return ConvertEnumWord(kTextDecorationsWords, value);
}

CKvoMarkupObject* MarkupConvertFontQuality(CKvoMarkupContext*, CKvoMarkupObject* value)
{
    return ConvertEnumWord(kFontQualityWords, value);
}

CKvoMarkupObject* MarkupConvertOrientation(CKvoMarkupContext*, CKvoMarkupObject* value)
{
    return ConvertEnumWord(kOrientationWords, value);
}

CKvoMarkupObject* MarkupConvertStretch(CKvoMarkupContext*, CKvoMarkupObject* value)
{
    return ConvertEnumWord(kStretchWords, value);
}

CKvoMarkupObject* MarkupConvertTextAlignment(CKvoMarkupContext*, CKvoMarkupObject* value)
{
    return ConvertEnumWord(kTextAlignmentWords, value);
}

CKvoMarkupObject* MarkupConvertTextTrimming(CKvoMarkupContext*, CKvoMarkupObject* value)
{
    return ConvertEnumWord(kTextTrimmingWords, value);
}

CKvoMarkupObject* MarkupConvertTextWrapping(CKvoMarkupContext*, CKvoMarkupObject* value)
{
    return ConvertEnumWord(kTextWrappingWords, value);
}

CKvoMarkupObject* MarkupConvertScrollBarVisibility(CKvoMarkupContext*, CKvoMarkupObject* value)
{
    return ConvertEnumWord(kScrollBarVisibilityWords, value);
}

CKvoMarkupObject* MarkupConvertCheckState(CKvoMarkupContext*, CKvoMarkupObject* value)
{
    return ConvertEnumWord(kCheckStateWords, value);
}

CKvoMarkupObject* MarkupConvertTabNavigation(CKvoMarkupContext*, CKvoMarkupObject* value)
{
    return ConvertEnumWord(kTabNavigationWords, value);
}

CKvoMarkupObject* MarkupConvertCursor(CKvoMarkupContext*, CKvoMarkupObject* value)
{
    int cursor = 0;
    return FindMarkupWord(kCursorWords, value, cursor) ? new (std::nothrow) CKvoMarkupInt(cursor) : nullptr;
}
