#pragma once

#include <cstddef>

// Counts the blocks that operator new has handed out and delete has not yet
// taken back, for the whole test program. A test compares two readings taken
// around the code under test, with no test macro in between.
long long LiveAllocations();

// The largest block operator new was asked for since the last reset.
std::size_t LargestAllocation();
void ResetLargestAllocation();
