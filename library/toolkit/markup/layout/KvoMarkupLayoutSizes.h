#pragma once
#include <algorithm>
#include "markup/elements/KvoMarkupFrameworkElement.h"

// Sums of layout sizes: a child of an unbounded canvas desires
// KvoMarkupUnbounded, and adding to it must stay a whole int32.
inline int KvoMarkupAddSizes(int first, int second)
{
    const long long sum = static_cast<long long>(first) + second;
    return static_cast<int>(std::min<long long>(std::max<long long>(sum, -KvoMarkupUnbounded), KvoMarkupUnbounded));
}
