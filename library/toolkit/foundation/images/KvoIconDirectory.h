#pragma once
#include <afxwin.h>

// One image of a group icon: its size (a byte each; 0 stands for 256) and
// the id of its RT_ICON resource.
struct KvoIconDirectoryEntry
{
    int width;
    int height;
    WORD id;
};

// The directory of an RT_GROUP_ICON resource: a 6-byte header whose last
// word is the entry count, then 14-byte entries with the width and height
// bytes first and the 16-bit icon id at offset 12. Only the entries that lie
// wholly inside the resource count.
class KvoIconDirectory
{
public:
    KvoIconDirectory(HMODULE module, LPCTSTR name);

    BOOL IsFound() const { return m_bytes != nullptr; }
    int GetCount() const { return m_count; }
    KvoIconDirectoryEntry GetEntry(int index) const;

private:
    static const DWORD kHeaderSize = 6;
    static const DWORD kEntrySize = 14;

    const BYTE* m_bytes;
    int m_count;
};
