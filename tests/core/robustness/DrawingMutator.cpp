#include "DrawingMutator.h"
#include <algorithm>

namespace {
// Values that make counts and lengths as wrong as they can be.
const uint32_t kHugeValues[] = {0xFFFFFFFFu, 0x7FFFFFFFu, 0x80000000u, 0x0000FFFFu, 0x00010000u, 0x3FFFFFFFu};

void Put(std::vector<uint8_t>& bytes, size_t offset, uint32_t value, size_t width)
{
    for (size_t i = 0; i < width && offset + i < bytes.size(); ++i)
        bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

// Where the object stream has its class tags: 0xFFFF before a new class,
// 0x8000 | index for a class seen before.
std::vector<size_t> TagOffsets(const std::vector<uint8_t>& bytes)
{
    std::vector<size_t> offsets;
    for (size_t i = 0; i + 1 < bytes.size(); ++i) {
        if (bytes[i + 1] == 0xFF && bytes[i] == 0xFF)
            offsets.push_back(i);
        else if (bytes[i + 1] == 0x80 && bytes[i] != 0 && bytes[i] < 0x40)
            offsets.push_back(i);
    }
    return offsets;
}
}

std::vector<uint8_t> DrawingMutator::Mutate(const std::vector<uint8_t>& bytes, Kind kind, std::string& note)
{
    std::vector<uint8_t> damaged = bytes;
    if (damaged.empty())
        return damaged;
    switch (kind) {
    case Kind::BitFlips: FlipBits(damaged, note); break;
    case Kind::Truncation: Truncate(damaged, note); break;
    case Kind::InflatedNumber: InflateNumber(damaged, note); break;
    default: SwapTags(damaged, note); break;
    }
    return damaged;
}

size_t DrawingMutator::Offset(size_t size)
{
    return std::uniform_int_distribution<size_t>(0, size - 1)(m_random);
}

void DrawingMutator::FlipBits(std::vector<uint8_t>& bytes, std::string& note)
{
    int flips = std::uniform_int_distribution<int>(1, 16)(m_random);
    for (int i = 0; i < flips; ++i)
        bytes[Offset(bytes.size())] ^= static_cast<uint8_t>(1u << (m_random() % 8));
    note = "flipped " + std::to_string(flips) + " bits";
}

// Mostly early cuts, where the headers and the first counts lie.
void DrawingMutator::Truncate(std::vector<uint8_t>& bytes, std::string& note)
{
    size_t limit = m_random() % 2 ? std::min<size_t>(bytes.size(), 2048) : bytes.size();
    size_t length = Offset(limit);
    bytes.resize(length);
    note = "cut at " + std::to_string(length);
}

void DrawingMutator::InflateNumber(std::vector<uint8_t>& bytes, std::string& note)
{
    size_t width = m_random() % 2 ? 4 : 2;
    size_t limit = m_random() % 2 ? std::min<size_t>(bytes.size(), 4096) : bytes.size();
    size_t offset = Offset(limit);
    uint32_t value = kHugeValues[m_random() % (sizeof kHugeValues / sizeof kHugeValues[0])];
    Put(bytes, offset, value, width);
    note = "number " + std::to_string(value) + " at " + std::to_string(offset);
}

void DrawingMutator::SwapTags(std::vector<uint8_t>& bytes, std::string& note)
{
    std::vector<size_t> tags = TagOffsets(bytes);
    if (tags.size() < 2) {
        FlipBits(bytes, note);
        return;
    }
    size_t a = tags[Offset(tags.size())], b = tags[Offset(tags.size())];
    std::swap(bytes[a], bytes[b]);
    std::swap(bytes[a + 1], bytes[b + 1]);
    if (m_random() % 3 == 0)
        Put(bytes, a, 0x8000u | (m_random() % 64), 2);
    note = "tags at " + std::to_string(a) + " and " + std::to_string(b);
}
