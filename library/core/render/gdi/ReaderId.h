#pragma once
#include <cstdint>

// A reader id that no other reader of the process has had (until 2^32 ids
// have been given out); never 0, which stands for "no id". Ids of different
// processes start from different points.
uint32_t NewReaderId();
