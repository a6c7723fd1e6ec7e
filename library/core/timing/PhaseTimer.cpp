#include "timing/PhaseTimer.h"
#include <atomic>

namespace {
// Set by the benchmark before it loads and read by the load thread.
std::atomic<PhaseSink> g_phaseSink{nullptr};
}

void SetPhaseSink(PhaseSink sink)
{
    g_phaseSink.store(sink, std::memory_order_release);
}

PhaseSink GetPhaseSink()
{
    return g_phaseSink.load(std::memory_order_acquire);
}
