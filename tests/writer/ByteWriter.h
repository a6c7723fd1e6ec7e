#pragma once

#include <cstdint>
#include <vector>

#include "JwText.h"

namespace jwwrite {

// Little-endian plain values, counts, strings and times, one after another
// without padding.
class ByteWriter {
public:
    void U8(uint8_t value) { m_bytes.push_back(value); }
    void U16(uint16_t value);
    void U32(uint32_t value);
    void I32(int32_t value) { U32(static_cast<uint32_t>(value)); }
    void U64(uint64_t value);
    void F64(double value);
    void Raw(const void* data, size_t size);
    void Fill(uint8_t value, size_t size) { m_bytes.insert(m_bytes.end(), size, value); }

    // WORD, or 0xFFFF and a DWORD.
    void Count(uint32_t count);
    // Length prefix and characters, without terminator.
    void Text(const JwText& text);
    // The 32-bit form, or 0x8000000A and two DWORDs (low, high).
    void Time32(uint32_t seconds) { U32(seconds); }
    void Time64(uint64_t seconds);

    size_t Size() const { return m_bytes.size(); }
    const std::vector<uint8_t>& Bytes() const { return m_bytes; }
    std::vector<uint8_t>& Bytes() { return m_bytes; }

private:
    void TextLength(size_t length, bool utf16);

    std::vector<uint8_t> m_bytes;
};

}  // namespace jwwrite
