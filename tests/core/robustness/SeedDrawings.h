#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A drawing to damage: its bytes and the file name (whose extension picks
// the reader).
struct SeedDrawing {
    std::wstring name;
    std::vector<uint8_t> bytes;
};

// The fixture drawings of all four kinds, written by the test writer, and
// the shared sample drawings when their folder exists.
std::vector<SeedDrawing> SeedDrawings();
