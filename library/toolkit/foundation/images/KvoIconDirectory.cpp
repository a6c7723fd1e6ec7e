#include "foundation/images/KvoIconDirectory.h"

KvoIconDirectory::KvoIconDirectory(HMODULE module, LPCTSTR name)
    : m_bytes(nullptr), m_count(0)
{
    HRSRC resource = module ? ::FindResourceW(module, name, RT_GROUP_ICON) : nullptr;
    HGLOBAL loaded = resource ? ::LoadResource(module, resource) : nullptr;
    const BYTE* bytes = loaded ? static_cast<const BYTE*>(::LockResource(loaded)) : nullptr;
    DWORD size = resource ? ::SizeofResource(module, resource) : 0;
    if (!bytes)
        return;
    m_bytes = bytes;
    if (size < kHeaderSize)
        return;
    DWORD stated = bytes[4] | (bytes[5] << 8);
    DWORD present = (size - kHeaderSize) / kEntrySize;
    m_count = static_cast<int>(stated < present ? stated : present);
}

KvoIconDirectoryEntry KvoIconDirectory::GetEntry(int index) const
{
    const BYTE* entry = m_bytes + kHeaderSize + static_cast<size_t>(index) * kEntrySize;
    return {entry[0], entry[1], static_cast<WORD>(entry[12] | (entry[13] << 8))};
}
