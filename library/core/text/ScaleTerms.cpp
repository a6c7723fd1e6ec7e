#include "text/ScaleTerms.h"
#include <cmath>

namespace {
const double kLargestTerm = 2147483647.0;

uint32_t ClampedTerm(double value)
{
    if (!(value >= 1.0))
        return 1;
    return static_cast<uint32_t>(value >= kLargestTerm ? kLargestTerm : value);
}
}

ScaleTerms ScaleTermsOf(double scale)
{
    if (scale > 0.0 && scale < 1.0)
        return ScaleTerms{ClampedTerm(std::round(10.0 / scale)), 1};
    return ScaleTerms{1, ClampedTerm(scale)};
}
