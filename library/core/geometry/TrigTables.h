#pragma once

#include <cstdint>

// Cosines and sines on a grid of 1/64 degree (23040 steps per turn). One
// octant is tabulated at start-up and folded for the other seven; the table
// is only a cache: without it the same values are computed on demand.

inline constexpr int kTrigGridSteps = 23040;
inline constexpr int kTrigOctantSteps = kTrigGridSteps / 8;

struct TrigPair {
    double cos;
    double sin;
};

// Builds the octant table; false (and no table) when memory runs out.
bool InitTrigTables();
void FreeTrigTables();
bool TrigTablesReady();

// Every divisor of 23040 in ascending order, followed by a terminating 0.
const std::uint32_t* TrigDivisors();
std::uint32_t TrigDivisorCount();

// Cosine and sine of an angle in degrees: exact table values when the angle is
// a whole multiple of 1/64 degree, the run-time library's otherwise.
double LookupCosDeg(double degrees);
double LookupSinDeg(double degrees);

// Cosine and sine of grid step k of a turn of n segments (k * 360 / n degrees).
double TableCos(int k, int n);
double TableSin(int k, int n);
// Both at once, the same values as TableCos and TableSin.
TrigPair TableCosSin(int k, int n);

// Walks the steps k, k + 1, ... of a turn of n segments, back to 0 after
// n - 1, giving TableCosSin's values without a division per step.
class TrigTurnWalk {
public:
    TrigTurnWalk(int k, int n);
    TrigPair Value() const;
    void Next();

private:
    int m_k;
    int m_n;
    int m_gridStep;    // grid steps per segment; 0 when n does not divide the grid
    int m_gridIndex;
};
