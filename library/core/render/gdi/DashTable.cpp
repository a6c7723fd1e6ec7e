#include "render/gdi/DashTable.h"
#include <algorithm>
#include <cmath>

// Rows of types 2 to 8 end with a gap of 0: the last dash of one repetition
// runs on into the first of the next.
const DashPattern g_dashTable[8] = {
    {4, {1, 2, 1, 0}},
    {4, {2, 4, 2, 0}},
    {4, {3, 2, 3, 0}},
    {6, {5, 2, 2, 2, 5, 0}},
    {6, {13, 2, 2, 2, 13, 0}},
    {8, {4, 2, 1, 2, 1, 2, 4, 0}},
    {8, {12, 2, 1, 2, 1, 2, 12, 0}},
    {2, {1, 3}},
};

const DashPattern* BuiltInDashes(uint16_t lineType)
{
    return lineType >= 2 && lineType <= 9 ? &g_dashTable[lineType - 2] : nullptr;
}

int MakePenStyle(const float* lengths, int count, double factor, DWORD entries[kMaxPenStyleEntries])
{
    int n = std::max(0, std::min(count, kMaxPenStyleEntries));
    for (int i = 0; i < n; ++i) {
        double value = lengths[i] * factor;
        entries[i] = value > 0.0 && std::isfinite(value) ? static_cast<DWORD>(std::min(value, 1e6)) : 0;
    }
    return n;
}
