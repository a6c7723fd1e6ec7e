#include "markup/shapes/KvoMarkupPointCollection.h"
#include <algorithm>
#include <new>
#include "markup/core/KvoMarkupType.h"
#include "markup/values/KvoMarkupString.h"

IMPLEMENT_MARKUP_TYPE(CKvoMarkupPointCollection)

CKvoMarkupPointCollection::CKvoMarkupPointCollection(const std::vector<POINT>& points)
    : m_points(points), m_bounds{0, 0, 0, 0}
{
    for (const POINT& point : m_points) {
        m_bounds.right = std::max(m_bounds.right, point.x);
        m_bounds.bottom = std::max(m_bounds.bottom, point.y);
    }
}

namespace {
bool IsBlank(wchar_t character)
{
    return character == L' ' || character == L'\t' || character == L'\r' || character == L'\n';
}

// One number at text: an optional "-" and digits up to a blank, a comma or
// the end; text moves past it and one separator.
bool ReadNumber(LPCWSTR& text, long* number)
{
    const bool negative = *text == L'-';
    if (negative)
        ++text;
    if (!iswdigit(*text))
        return false;
    long long magnitude = 0;
    for (; iswdigit(*text); ++text) {
        magnitude = magnitude * 10 + (*text - L'0');
        if (magnitude > 2147483648LL)
            return false;
    }
    if (*text && !IsBlank(*text) && *text != L',')
        return false;
    if (*text)
        ++text;
    const long long value = negative ? -magnitude : magnitude;
    if (value > 2147483647LL)
        return false;
    *number = static_cast<long>(value);
    return true;
}
}

BOOL CKvoMarkupPointCollection::ParsePoints(LPCWSTR text, std::vector<POINT>* points)
{
    std::vector<long> numbers;
    for (;;) {
        while (IsBlank(*text))
            ++text;
        if (!*text)
            break;
        long number = 0;
        if (!ReadNumber(text, &number))
            return FALSE;
        numbers.push_back(number);
    }
    if (numbers.size() % 2 != 0)
        return FALSE;
    points->clear();
    for (size_t index = 0; index < numbers.size(); index += 2)
        points->push_back(POINT{numbers[index], numbers[index + 1]});
    return TRUE;
}

CKvoMarkupObject* CKvoMarkupPointCollection::ConvertFrom(CKvoMarkupObject* value)
{
    const CKvoMarkupString* text =
        static_cast<const CKvoMarkupString*>(MarkupDynamicCast(CKvoMarkupString::s_type, value));
    std::vector<POINT> points;
    if (!text || !ParsePoints(text->GetString(), &points))
        return nullptr;
    return new (std::nothrow) CKvoMarkupPointCollection(points);
}
