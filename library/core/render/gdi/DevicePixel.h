#pragma once
#include <windows.h>
#include <algorithm>
#include <cmath>

// A device coordinate as a whole pixel: truncated toward zero and kept
// within the 27 bits GDI takes (anything further out is off the bitmap
// either way); NaN gives 0.
inline LONG ToDevicePixel(double value)
{
    const double limit = 134217727.0;
    return std::isnan(value) ? 0 : static_cast<LONG>(std::max(-limit, std::min(limit, value)));
}
