#include "FormatSpecifiers.h"
#include <cwctype>

namespace {
const wchar_t kFlags[] = L"-+ #0";

// Reads one specifier after its '%' at format[at]; at ends after it.
char SpecifierKind(const std::wstring& format, size_t& at)
{
    auto here = [&]() -> wchar_t { return at < format.size() ? format[at] : L'\0'; };
    while (here() && std::wcschr(kFlags, here()))
        ++at;
    while (std::iswdigit(here()))
        ++at;
    if (here() == L'.') {
        ++at;
        while (std::iswdigit(here()))
            ++at;
    }
    if (here() == L'*' || here() == L'$')
        return '!';
    wchar_t prefix = here() == L'l' || here() == L'w' ? here() : L'\0';
    if (prefix)
        ++at;
    wchar_t type = here();
    if (!type)
        return '!';
    ++at;
    if (type == L's')
        return 's';
    if (prefix == L'w')
        return '!';
    if (std::wcschr(L"diuoxX", type))
        return 'd';
    if (std::wcschr(L"fFeEgGaA", type))
        return 'f';
    return '!';
}
}

std::string PrintfArgumentKinds(const std::wstring& format)
{
    std::string kinds;
    for (size_t at = 0; at < format.size();) {
        if (format[at++] != L'%')
            continue;
        if (at < format.size() && format[at] == L'%') {
            ++at;
            continue;
        }
        kinds += SpecifierKind(format, at);
    }
    return kinds;
}

bool IsTimeSpanFormat(const std::wstring& format)
{
    bool anyCode = false;
    for (size_t at = 0; at < format.size(); ++at) {
        if (format[at] != L'%')
            continue;
        wchar_t code = at + 1 < format.size() ? format[++at] : L'\0';
        if (code == L'%')
            continue;
        if (!std::wcschr(L"DHMS", code) || !code)
            return false;
        anyCode = true;
    }
    return anyCode;
}
