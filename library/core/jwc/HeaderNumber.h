#pragma once
#include <cmath>
#include <cstdint>
#include <limits>

// Header numbers are decimal texts, so any double can arrive; these turn
// them into integers without undefined conversions (NaN gives 0, values
// beyond the range give its bound).
template <class Int>
Int TruncateHeaderNumber(double value)
{
    if (std::isnan(value))
        return 0;
    if (value <= static_cast<double>(std::numeric_limits<Int>::min()))
        return std::numeric_limits<Int>::min();
    if (value >= static_cast<double>(std::numeric_limits<Int>::max()))
        return std::numeric_limits<Int>::max();
    return static_cast<Int>(value);
}

// A scale that can divide: positive and finite.
inline bool IsUsableScale(double scale)
{
    return scale > 0.0 && std::isfinite(scale);
}
