#pragma once
#include <atlstr.h>

// Order of the info cache's keys: file paths compared without regard to
// letter case under the library's locale, so two spellings of one path are
// one key.
struct PathKeyLess {
    bool operator()(const CStringW& left, const CStringW& right) const;
};
