// The memory a finished archive leaves for the next one: its load table and
// its buffer. A thumbnail load reads one archive after another, and a load
// table of a few thousand objects, grown step by step, or a fresh buffer
// costs more in heap requests and page faults than reading the objects.
#pragma once

#include <afx.h>

#include <vector>

class CArchiveSpares
{
public:
    typedef std::vector<CArchive::LoadEntry> LoadTable;

    // Gives the empty table the capacity of the spare one, if there is one.
    static void TakeLoadTable(LoadTable& table);
    // Clears the table; its capacity becomes the spare unless one is kept.
    static void KeepLoadTable(LoadTable& table) noexcept;
    // A buffer of nSize bytes: the spare one if it has that size, else new.
    static BYTE* TakeBuffer(UINT nSize);
    // Keeps pBuffer (from TakeBuffer) as the spare or frees it.
    static void KeepBuffer(BYTE* pBuffer, UINT nSize) noexcept;
};
