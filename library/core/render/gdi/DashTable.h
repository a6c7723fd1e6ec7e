#pragma once
#include <windows.h>
#include <cstdint>

// A dash pattern: lengths in device pixels alternating dash and gap.
struct DashPattern {
    int count;
    float lengths[8];
};

// The built-in patterns of line types 2 to 9.
extern const DashPattern g_dashTable[8];

// The built-in pattern of lineType, or null for a type without one.
const DashPattern* BuiltInDashes(uint16_t lineType);

// ExtCreatePen takes at most this many style entries.
const int kMaxPenStyleEntries = 16;

// Style entries for ExtCreatePen from count lengths, each times factor and
// truncated; at most kMaxPenStyleEntries, and lengths that are negative or
// not finite count as 0. Returns the number of entries.
int MakePenStyle(const float* lengths, int count, double factor, DWORD entries[kMaxPenStyleEntries]);
