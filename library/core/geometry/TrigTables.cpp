#include "geometry/TrigTables.h"

#include "geometry/AngleFunctions.h"

#include <cmath>
#include <memory>
#include <new>

namespace {

constexpr double kGridStepRadians = 0.000272707695624114;   // 2 pi / 23040
// Grid indices are reduced in 64 bits; beyond 2^63 steps the run-time
// library answers.
constexpr double kGridIndexLimit = 9223372036854775808.0;    // 2^63

struct DivisorList {
    std::uint32_t values[61] = {};
    std::uint32_t count = 0;
};

constexpr DivisorList MakeDivisors()
{
    DivisorList list;
    for (std::uint32_t d = 1; d <= kTrigGridSteps; ++d) {
        if (kTrigGridSteps % d == 0) list.values[list.count++] = d;
    }
    return list;
}

// 23040 = 2^9 x 3^2 x 5 has (9+1)(2+1)(1+1) = 60 divisors.
constexpr DivisorList kDivisors = MakeDivisors();
static_assert(kDivisors.count == 60, "23040 has 60 divisors");

std::unique_ptr<TrigPair[]> g_octant;

TrigPair ComputeOctantEntry(int j)
{
    if (j == 0) return {1.0, 0.0};
    if (j == kTrigOctantSteps) return {std::sqrt(2.0) / 2.0, std::sqrt(2.0) / 2.0};
    const double a = j * kGridStepRadians;
    return {std::cos(a), std::sin(a)};
}

TrigPair OctantEntry(int j)
{
    return g_octant ? g_octant[j] : ComputeOctantEntry(j);
}

// cos and sin of grid step i, 0 <= i < 23040, from the first octant.
TrigPair FoldGrid(int i)
{
    TrigPair e;
    if (i <= 2880) return OctantEntry(i);
    if (i <= 5760) { e = OctantEntry(5760 - i); return {e.sin, e.cos}; }
    if (i <= 8640) { e = OctantEntry(i - 5760); return {-e.sin, e.cos}; }
    if (i <= 11520) { e = OctantEntry(11520 - i); return {-e.cos, e.sin}; }
    if (i <= 14400) { e = OctantEntry(i - 11520); return {-e.cos, -e.sin}; }
    if (i <= 17280) { e = OctantEntry(17280 - i); return {-e.sin, -e.cos}; }
    if (i <= 20160) { e = OctantEntry(i - 17280); return {e.sin, -e.cos}; }
    e = OctantEntry(23040 - i);
    return {e.cos, -e.sin};
}

TrigPair FoldGridIndex(std::int64_t index)
{
    std::int64_t i = index % kTrigGridSteps;
    if (i < 0) i += kTrigGridSteps;
    return FoldGrid(static_cast<int>(i));
}

// True with the grid index when degrees is a whole multiple of 1/64 degree.
bool GridIndexOfDegrees(double degrees, std::int64_t& index)
{
    const double v = degrees * 64.0;
    if (!(std::fabs(v) < kGridIndexLimit)) return false;   // also NaN
    index = static_cast<std::int64_t>(v);
    return static_cast<double>(index) == v;
}

bool DividesGrid(int n)
{
    return n > 0 && n <= kTrigGridSteps && kTrigGridSteps % n == 0;
}

// Kept apart so that the compiler never fuses a cosine and a sine of the same
// angle into one sincos call, whose last bit may differ from theirs.
__attribute__((noinline)) double OffGridCos(int k, int n)
{
    return std::cos(k * kTwoPi / n);
}

__attribute__((noinline)) double OffGridSin(int k, int n)
{
    return std::sin(k * kTwoPi / n);
}

} // namespace

bool InitTrigTables()
{
    g_octant.reset();
    std::unique_ptr<TrigPair[]> table(new (std::nothrow) TrigPair[kTrigOctantSteps + 1]);
    if (!table) return false;
    for (int j = 0; j <= kTrigOctantSteps; ++j) table[j] = ComputeOctantEntry(j);
    g_octant = std::move(table);
    return true;
}

void FreeTrigTables()
{
    g_octant.reset();
}

bool TrigTablesReady()
{
    return static_cast<bool>(g_octant);
}

const std::uint32_t* TrigDivisors()
{
    return kDivisors.values;
}

std::uint32_t TrigDivisorCount()
{
    return kDivisors.count;
}

double LookupCosDeg(double degrees)
{
    std::int64_t i = 0;
    if (!GridIndexOfDegrees(degrees, i)) return std::cos(degrees * kRadiansPerDegree);
    return FoldGridIndex(i).cos;
}

double LookupSinDeg(double degrees)
{
    std::int64_t i = 0;
    if (!GridIndexOfDegrees(degrees, i)) return std::sin(degrees * kRadiansPerDegree);
    return FoldGridIndex(i).sin;
}

double TableCos(int k, int n)
{
    if (!DividesGrid(n)) return OffGridCos(k, n);
    return FoldGridIndex(static_cast<std::int64_t>(kTrigGridSteps / n) * k).cos;
}

double TableSin(int k, int n)
{
    if (!DividesGrid(n)) return OffGridSin(k, n);
    return FoldGridIndex(static_cast<std::int64_t>(kTrigGridSteps / n) * k).sin;
}

TrigPair TableCosSin(int k, int n)
{
    if (!DividesGrid(n)) return {OffGridCos(k, n), OffGridSin(k, n)};
    return FoldGridIndex(static_cast<std::int64_t>(kTrigGridSteps / n) * k);
}

TrigTurnWalk::TrigTurnWalk(int k, int n)
    : m_k(k), m_n(n), m_gridStep(DividesGrid(n) ? kTrigGridSteps / n : 0), m_gridIndex(0)
{
    if (m_gridStep != 0 && k >= 0 && k < n) m_gridIndex = m_gridStep * k;
    else m_gridStep = 0;   // outside the turn: TableCosSin answers
}

TrigPair TrigTurnWalk::Value() const
{
    return m_gridStep != 0 ? FoldGrid(m_gridIndex) : TableCosSin(m_k, m_n);
}

void TrigTurnWalk::Next()
{
    if (++m_k == m_n) m_k = 0;
    m_gridIndex = m_gridStep * m_k;
}
