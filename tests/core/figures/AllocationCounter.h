#pragma once

#include <cstddef>

// Counts the blocks that operator new has handed out and delete has not yet
// taken back, for the whole test program. A test compares two readings taken
// around the code under test, with no test macro in between.
long long LiveAllocations();

// The largest block operator new was asked for since the last reset.
std::size_t LargestAllocation();
void ResetLargestAllocation();

// Makes one allocation of operator new fail, the one after `allowed` more
// have succeeded (std::bad_alloc, or null from the nothrow forms), as long
// as the object lives. Only one thread may allocate meanwhile.
class FailingAllocation {
public:
    explicit FailingAllocation(long long allowed);
    ~FailingAllocation();
    FailingAllocation(const FailingAllocation&) = delete;
    FailingAllocation& operator=(const FailingAllocation&) = delete;

    // Whether the allocation has failed yet.
    bool Happened() const;
};
