#pragma once

#include <string>

// What a PNG file says of itself (its header) and shows (its pixels).
struct PngFacts {
    bool read = false;
    int width = 0;
    int height = 0;
    int bitDepth = 0;
    int colorType = 0;  // 2: RGB without alpha
    int inkPixels = 0;  // pixels unlike the top-left one
    // Pixels of the central half (in both directions) unlike that region's
    // commonest colour: ink on a picture that fills the middle of a window.
    int centreInkPixels = 0;
};

PngFacts ReadPngFacts(const std::wstring& path);
