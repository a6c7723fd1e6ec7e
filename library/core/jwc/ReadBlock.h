#pragma once
#include <afx.h>
#include <cstddef>
#include <cstdint>

// Reads the size bytes at position into buffer as far as the file holds
// them and zeroes the rest; returns whether all of them arrived.
bool ReadBlockAt(CFile& file, uint64_t position, void* buffer, size_t size);
