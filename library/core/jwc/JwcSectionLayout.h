#pragma once
#include <cstddef>
#include <cstdint>

// Lays the sections of a file one after another from a start offset, in 64
// bits so that no count the header declares can wrap the offsets. A section
// without records (or with a negative count) is absent: offset 0, no space.
class JwcSectionLayout {
public:
    explicit JwcSectionLayout(uint64_t start) : m_position(start) {}

    // The offset of a section of count records of recordSize bytes.
    uint64_t Place(int64_t count, size_t recordSize)
    {
        if (count <= 0)
            return 0;
        uint64_t offset = m_position;
        m_position += static_cast<uint64_t>(count) * recordSize;
        return offset;
    }
    // The offset after the last section.
    uint64_t End() const { return m_position; }

private:
    uint64_t m_position;
};
