#pragma once
#include <atlstr.h>
#include <atltime.h>
#include <cstdint>

// Header information of one drawing file, read without loading its entities.
struct ZumenInfo {
    uint32_t reserved = 0;
    uint32_t version = 0;           // format version; shown when above 100
    uint32_t paper = 0;             // paper code
    uint32_t entityCount = 0;       // kept by JWC headers only
    double timeSpanDays = 0.0;      // editing time span
    uint32_t scaleNumerator10 = 0;  // "a" of "a:b": 1, or a x 10 (2.5:1 is 25)
    uint32_t scaleDenominator = 0;  // "b" of "a:b"
    CStringW title;                 // file name without folder and extension
    CStringW memo;                  // first line of the memo
    uint64_t fileSize = 0;
    CTime modified;
};

// Layer table of a drawing. The reader fills the numeric fields entirely.
struct ZumenLayers {
    uint8_t groupState[16];   // low two bits non-zero: shown; 3: write group
    float groupScale[16];     // scale denominator of each group
    uint8_t layerState[256];  // index group * 16 + layer
    CStringW groupName[16];
    CStringW layerName[256];
};
