#pragma once

#include <cstdint>

#include "JwText.h"

namespace jwwrite {

// What the writer puts into a drawing file's header. Arrays are indexed as in
// the file: pens 0 to 356, line types 0 to 62.
struct JwwHeader {
    JwwHeader();

    uint32_t version = 700;
    JwText memo;
    uint32_t paper = 3;
    uint32_t writeGroup = 0;
    uint32_t groupState[16];
    uint32_t groupWriteLayer[16];
    double groupScale[16];
    uint32_t layerState[16][16];
    int32_t widthMode = 0;
    JwText layerName[16][16];
    JwText groupName[16];
    double viewZoom = 1.0;
    double viewCenterX = 0.0;
    double viewCenterY = 0.0;
    uint32_t penColor[357];
    uint32_t penWidth[357];
    double printWidth[357];
    uint32_t lineTypePattern[63];
    uint32_t lineTypeBits[63];
    uint32_t lineTypePitch[63];
    uint32_t randomAmplitude[16];  // line types 11 to 15
    int32_t timeSpan = 0;
    JwText colorName[257];     // pens 100 to 356
    JwText lineTypeName[33];  // line types 30 to 62

    // Written into every value a reader only passes over, so that a reader
    // out of step shows.
    uint32_t unusedWord = 0;
    double unusedDouble = 0.0;
};

class ByteWriter;

// Writes the header in file order, with the items of its version.
void WriteJwwHeader(ByteWriter& out, const JwwHeader& header);

}  // namespace jwwrite
