#pragma once
// The zoom limits of the preview's view, and arithmetic on the view's 32-bit
// fields that never wraps round: a view read back from the info cache file
// may hold any value, and no navigation may turn it into its opposite.
#include <algorithm>
#include <cstdint>

// 256 shows the drawing fitted to the bitmap.
const int kFittedViewScale = 256;
const int kSmallestScale = 64;
const int kLargestScale = 65536;
// Symbols are small: they zoom over a range of their own.
const int kLargestFineScale = 4096;

// value held within lowest and highest (both included).
inline int32_t ClampViewValue(int64_t value, int32_t lowest, int32_t highest)
{
    return static_cast<int32_t>(std::min<int64_t>(std::max<int64_t>(value, lowest), highest));
}

// origin moved by shift, held at the ends of the 32-bit range.
inline int32_t ShiftViewOrigin(int32_t origin, int64_t shift)
{
    return ClampViewValue(int64_t{origin} + shift, INT32_MIN, INT32_MAX);
}
