#include "AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<long long> g_live{0};
std::atomic<std::size_t> g_largest{0};
// Allocations still allowed before the one that fails; negative when none is to fail.
std::atomic<long long> g_allowedBeforeFailure{-1};
std::atomic<bool> g_failed{false};

bool FailsNow()
{
    if (g_allowedBeforeFailure.load() < 0)
        return false;
    if (g_allowedBeforeFailure.fetch_sub(1) != 0)
        return false;
    g_failed = true;
    return true;
}

void* CountedAllocate(std::size_t size)
{
    if (FailsNow())
        return nullptr;
    std::size_t largest = g_largest.load();
    while (size > largest && !g_largest.compare_exchange_weak(largest, size)) {
    }
    void* block = std::malloc(size ? size : 1);
    if (block) ++g_live;
    return block;
}

void CountedFree(void* block) noexcept
{
    if (!block) return;
    --g_live;
    std::free(block);
}

void* AllocateOrThrow(std::size_t size)
{
    void* block = CountedAllocate(size);
    if (!block) throw std::bad_alloc();
    return block;
}

} // namespace

long long LiveAllocations()
{
    return g_live.load();
}

std::size_t LargestAllocation()
{
    return g_largest.load();
}

void ResetLargestAllocation()
{
    g_largest = 0;
}

FailingAllocation::FailingAllocation(long long allowed)
{
    g_failed = false;
    g_allowedBeforeFailure = allowed;
}

FailingAllocation::~FailingAllocation()
{
    g_allowedBeforeFailure = -1;
}

bool FailingAllocation::Happened() const
{
    return g_failed.load();
}

void* operator new(std::size_t size) { return AllocateOrThrow(size); }
void* operator new[](std::size_t size) { return AllocateOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return CountedAllocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return CountedAllocate(size); }
void operator delete(void* block) noexcept { CountedFree(block); }
void operator delete[](void* block) noexcept { CountedFree(block); }
void operator delete(void* block, std::size_t) noexcept { CountedFree(block); }
void operator delete[](void* block, std::size_t) noexcept { CountedFree(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { CountedFree(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { CountedFree(block); }
