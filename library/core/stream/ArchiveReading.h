#pragma once

#include <afx.h>

// Fails with the archive's write-only cause unless the archive is loading:
// the drawing files' objects are read, never written.
void RequireLoading(CArchive& ar);

// Reads exactly count raw bytes; a stream that ends first is an end of file.
void ReadExact(CArchive& ar, void* buffer, UINT count);

// Reads every element of a fixed array of plain values, in index order.
template <class T, size_t N>
void ReadValues(CArchive& ar, T (&values)[N])
{
    for (T& value : values)
        ar >> value;
}
