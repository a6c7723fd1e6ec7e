#pragma once
#include <atlstr.h>
#include <cstddef>
#include <cstdint>
#include <type_traits>
#include "LanguageIds.h"

// A template of the info text in the language module, with the arguments the
// code passes it, in order: 's' a wide string, 'd' a 32-bit signed integer,
// 'f' a double. "T" marks a template of time-span codes, which takes no
// printf arguments; "" plain text. The language modules' tests hold every
// template against this list, the compiler every call.
struct InfoTemplate {
    UINT id;
    const char* arguments;
};

inline constexpr InfoTemplate kUnreadableText{IDS_ZUMEN_UNREADABLE, ""};
inline constexpr InfoTemplate kDrawingInfoTemplate{IDS_INFO_DRAWING, "sssssssd"};
inline constexpr InfoTemplate kPartInfoTemplate{IDS_INFO_PART, "sssssd"};
inline constexpr InfoTemplate kEditTimeTemplate{IDS_INFO_EDIT_TIME, "T"};
inline constexpr InfoTemplate kEntityCountTemplate{IDS_INFO_ENTITY_COUNT, "s"};
inline constexpr InfoTemplate kVersionTemplate{IDS_INFO_VERSION, "f"};

inline constexpr const InfoTemplate* kInfoTemplates[] = {
    &kUnreadableText,     &kDrawingInfoTemplate, &kPartInfoTemplate,
    &kEditTimeTemplate,   &kEntityCountTemplate, &kVersionTemplate,
};

template <class T>
constexpr char InfoArgumentKind()
{
    if constexpr (std::is_same_v<T, const wchar_t*>)
        return 's';
    else if constexpr (std::is_same_v<T, int32_t>)
        return 'd';
    else if constexpr (std::is_same_v<T, double>)
        return 'f';
    else
        return '?';
}

template <class... Args>
constexpr bool InfoArgumentsMatch(const char* kinds)
{
    constexpr char passed[] = {InfoArgumentKind<Args>()..., '\0'};
    size_t i = 0;
    while (passed[i] != '\0' && passed[i] == kinds[i])
        ++i;
    return passed[i] == kinds[i];
}

// The template loaded from the language module and filled with args, whose
// types must be the template's argument list.
template <const InfoTemplate& Template, class... Args>
CStringW FormatInfoTemplate(Args... args)
{
    static_assert(InfoArgumentsMatch<Args...>(Template.arguments), "the arguments differ from the template's list");
    CStringW format;
    format.LoadString(Template.id);
    CStringW text;
    text.Format(format, args...);
    return text;
}
