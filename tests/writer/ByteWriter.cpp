#include "ByteWriter.h"

#include <cstring>

namespace jwwrite {

void ByteWriter::U16(uint16_t value)
{
    U8(static_cast<uint8_t>(value));
    U8(static_cast<uint8_t>(value >> 8));
}

void ByteWriter::U32(uint32_t value)
{
    U16(static_cast<uint16_t>(value));
    U16(static_cast<uint16_t>(value >> 16));
}

void ByteWriter::U64(uint64_t value)
{
    U32(static_cast<uint32_t>(value));
    U32(static_cast<uint32_t>(value >> 32));
}

void ByteWriter::F64(double value)
{
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    U64(bits);
}

void ByteWriter::Raw(const void* data, size_t size)
{
    const uint8_t* first = static_cast<const uint8_t*>(data);
    m_bytes.insert(m_bytes.end(), first, first + size);
}

void ByteWriter::Count(uint32_t count)
{
    if (count < 0xFFFF) {
        U16(static_cast<uint16_t>(count));
        return;
    }
    U16(0xFFFF);
    U32(count);
}

void ByteWriter::Text(const JwText& text)
{
    if (text.utf16) {
        U8(0xFF);
        U16(0xFFFE);
    }
    TextLength(text.Length(), text.utf16);
    if (text.utf16) {
        for (char16_t unit : text.units)
            U16(unit);
    } else {
        Raw(text.bytes.data(), text.bytes.size());
    }
}

// A BYTE below 0xFF; else 0xFF and a WORD below 0xFFFF (for 8-bit text also
// not 0xFFFE, which marks UTF-16); else 0xFF, 0xFFFF and a DWORD.
void ByteWriter::TextLength(size_t length, bool utf16)
{
    if (length < 0xFF) {
        U8(static_cast<uint8_t>(length));
        return;
    }
    U8(0xFF);
    size_t wordLimit = utf16 ? 0xFFFF : 0xFFFE;
    if (length < wordLimit) {
        U16(static_cast<uint16_t>(length));
        return;
    }
    U16(0xFFFF);
    U32(static_cast<uint32_t>(length));
}

void ByteWriter::Time64(uint64_t seconds)
{
    U32(0x8000000A);
    U64(seconds);
}

}  // namespace jwwrite
