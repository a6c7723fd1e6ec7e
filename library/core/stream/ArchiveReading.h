#pragma once

#include <afx.h>

#include <cstring>
#include <type_traits>

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

// Takes count bytes from the archive's buffer, filling it first if fewer are
// buffered; a stream that ends first is an end of file. The bytes stay valid
// until the next read.
const BYTE* TakeBytes(CArchive& ar, UINT count);

// Reads plain values stored one after another, with one check of the bytes
// left for all of them instead of one per value: the fixed fields of a record
// are read together. Fails as reading them one by one would, with nothing
// read when the stream ends within them.
template <class... Values>
void ReadFields(CArchive& ar, Values&... values)
{
    static_assert((std::is_arithmetic<Values>::value && ...), "only plain values are read in a block");
    const BYTE* next = TakeBytes(ar, static_cast<UINT>((sizeof(Values) + ...)));
    ((std::memcpy(&values, next, sizeof(Values)), next += sizeof(Values)), ...);
}
