#pragma once
#include <cstddef>
#include <cstdint>

// The fixed-size records of the .jwc and .jwk sections, decoded from their
// bytes. Positions are from the record start; bytes not listed are reserved.

struct JwcLineRecord {
    static constexpr size_t kSize = 22;
    float x1, y1, x2, y2;
    uint8_t lineType, pen, layer;

    static JwcLineRecord Decode(const uint8_t* bytes);
};

struct JwcCurveRecord {
    static constexpr size_t kSize = 32;
    static constexpr uint32_t kDeletedRadius = 0x7F800000;  // +infinity marks a deleted record
    static constexpr int16_t kCircular = 10000;            // flatness of a circle or arc
    float cx, cy, radius;
    uint32_t radiusBits;
    int16_t flatness;        // y radius / x radius x 10000
    int32_t start, end, tilt;  // 1/65536 degree
    uint8_t lineType, pen, layer;

    static JwcCurveRecord Decode(const uint8_t* bytes);
    bool IsDeleted() const { return radiusBits == kDeletedRadius; }
};

struct JwcTextRecord {
    static constexpr size_t kSize = 24;
    static constexpr uint8_t kVertical = 0x20;
    float x1, y1, x2, y2;   // the text runs from the first point towards the second
    uint32_t stringOffset;  // into the string area
    uint8_t style, layer, flags;

    static JwcTextRecord Decode(const uint8_t* bytes);
};

struct JwcPointRecord {
    static constexpr size_t kSize = 12;
    static constexpr uint8_t kMarker = 0x40;
    float x, y;
    uint8_t layer, pen, flags;

    static JwcPointRecord Decode(const uint8_t* bytes);
};
