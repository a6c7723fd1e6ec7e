#pragma once
#include <afx.h>
#include <cstdint>
#include <memory>

// The string area of a .jwc or .jwk file: NUL-terminated texts that the text
// records find by offset. Offsets of 65536 and above count from the first
// such offset met in the load (an address the writer kept), smaller ones
// from the start of the area.
class JwcStringArea {
public:
    // Replaces the area by the size bytes at position, as far as the file
    // holds them (so a header cannot ask for more memory than the file has);
    // false when the area was cut short.
    bool Read(CFile& file, uint64_t position, int64_t size, uint64_t fileLength);
    // Empties the area and forgets the base of the high offsets.
    void Clear();
    // The text at offset: up to the first NUL, the end of the area or 256
    // bytes; empty when the offset lies outside the area.
    CStringW TextAt(uint32_t offset);

private:
    std::unique_ptr<uint8_t[]> m_bytes;
    size_t m_size = 0;
    int64_t m_base = -1;  // first offset of 65536 or more, -1 until met
};
