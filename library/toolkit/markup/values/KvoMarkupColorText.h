#pragma once
#include <afx.h>

// Colour text of markup: "#RRGGBB", "#AARRGGBB" (alpha ignored) or one of the
// 140 CSS colour names in any letter case. FALSE (color unchanged) for
// anything else, "Transparent" included, which has no colour value here.
BOOL MarkupColorFromText(LPCWSTR text, COLORREF& color);
