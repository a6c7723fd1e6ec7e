#pragma once
#include <cstdint>

// A drawing scale written as "a:b" (or "a/b"): 1:100 for a scale of 100,
// 2.5:1 for an enlargement of 0.4.
struct ScaleTerms {
    uint32_t numerator10;  // 1, or a x 10 for enlargements (2.5:1 is 25)
    uint32_t denominator;
};

// The terms of the scale s (the denominator of the drawing): below 1 an
// enlargement 10 / s rounded (halves away from zero) over 1, else 1 over s
// truncated. Tiny, huge and non-finite scales give terms within the signed
// 32-bit range the texts show; no scale gives 0.
ScaleTerms ScaleTermsOf(double scale);
