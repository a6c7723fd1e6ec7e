#pragma once

#include <cstdint>

namespace jwwrite {

// What the writer puts into a symbol file's 452-byte header.
struct JwsHeader {
    JwsHeader();

    uint32_t version = 700;
    double refX = 0.0;  // reference point
    double refY = 0.0;
    double groupScale[16];
    uint8_t blockFill = 0;  // the 192 raw bytes after the magic
    uint32_t unusedWord = 0;
    double unusedDouble = 0.0;
};

class ByteWriter;

void WriteJwsHeader(ByteWriter& out, const JwsHeader& header);

}  // namespace jwwrite
