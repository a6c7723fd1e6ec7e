#include "render/d2d/D2DStrokeDashes.h"
#include "render/gdi/DrawBase.h"
#include <cmath>

bool StrokeDashes(CDrawBase& reader, uint16_t lineType, float dashes[kMaxStrokeDashes], int* count)
{
    int n = 0;
    reader.LineDashes(lineType, dashes, &n);
    float factor = reader.m_print ? 2.0f : 1.0f, total = 0.0f;
    for (int i = 0; i < n; ++i) {
        float length = dashes[i] * factor;
        dashes[i] = length > 0.0f && std::isfinite(length) ? length : 0.0f;
        total += dashes[i];
    }
    if (!(total > 0.0f) || !std::isfinite(total))
        return false;
    *count = n;
    return true;
}
