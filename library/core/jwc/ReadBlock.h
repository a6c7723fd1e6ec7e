#pragma once
#include <afx.h>
#include <cstddef>
#include <cstdint>

// The bytes a file of the length holds from position on; 0 past its end.
inline uint64_t BytesFrom(uint64_t position, uint64_t length)
{
    return position < length ? length - position : 0;
}

// Reads the size bytes at position into buffer as far as the file holds
// them and zeroes the rest; returns whether all of them arrived.
bool ReadBlockAt(CFile& file, uint64_t position, void* buffer, size_t size);
