#pragma once
#include <cstdint>
#include <random>
#include <string>
#include <vector>

// Damages drawing files the way disks, transfers and hostile writers do:
// flipped bits, files cut short, counts and lengths blown up, and the object
// stream's class tags exchanged. The same seed gives the same files.
class DrawingMutator {
public:
    enum class Kind { BitFlips, Truncation, InflatedNumber, SwappedTags, Count };

    explicit DrawingMutator(uint32_t seed) : m_random(seed) {}

    // A damaged copy of bytes, damaged in the way kind names; what was done
    // is described in note.
    std::vector<uint8_t> Mutate(const std::vector<uint8_t>& bytes, Kind kind, std::string& note);

private:
    size_t Offset(size_t size);
    void FlipBits(std::vector<uint8_t>& bytes, std::string& note);
    void Truncate(std::vector<uint8_t>& bytes, std::string& note);
    void InflateNumber(std::vector<uint8_t>& bytes, std::string& note);
    void SwapTags(std::vector<uint8_t>& bytes, std::string& note);

    std::mt19937 m_random;
};
