#pragma once

#include <atlstr.h>

#include <cstdint>

// The image that a "^@BM" text refers to, and how its frame shows it.
struct B_ImageParams {
    CStringW path;                // full path of the image file
    float width = 0.0f;           // frame width in world units (see cropping)
    float height = 0.0f;          // frame height in world units (see cropping)
    float cropX = -1.0f;          // left edge of the shown part; negative: no crop
    float cropY = -1.0f;          // lower edge of the shown part; negative: no crop
    float cropScale = 1.0f;       // divisor of the picture's scale when filling the frame
    float angle = 0.0f;           // degrees, about the frame's first corner
    std::uint8_t keyRed = 255;    // colour the PNG conversion treats specially
    std::uint8_t keyGreen = 255;
    std::uint8_t keyBlue = 255;
    std::uint8_t keyGiven = 0;    // 1 when the key colour came from the text
    std::uint16_t imageNumber = 0;   // names the converted PNG file
};
