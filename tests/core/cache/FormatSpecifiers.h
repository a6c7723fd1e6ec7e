#pragma once
#include <string>

// The arguments a wide printf format of the class library takes, as the
// kinds of the library's template lists: 's' a wide string, 'd' a 32-bit
// integer, 'f' a double. Anything else a specifier could ask for (a narrow
// string, a 64-bit or short integer, a long double, a character, a pointer,
// '*' widths, positions, %n, a lone '%' at the end) gives '!', which no
// list holds.
std::string PrintfArgumentKinds(const std::wstring& format);

// Whether format uses only the time-span codes %D, %H, %M, %S and %%, and at
// least one of the first four.
bool IsTimeSpanFormat(const std::wstring& format);
