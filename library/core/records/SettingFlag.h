#pragma once
#include <cstdint>

// Bits of the application's settings word (only bits 24-31 are used). The
// preview's settings dialog writes them and the info cache file stores them.
namespace SettingFlag {
enum : uint32_t {
    ExpandTextVariables = 0x01000000,
    ReverseWheel        = 0x02000000,
    PartReferenceMark   = 0x04000000,  // JWK and JWS draw their reference mark
    PenWidths           = 0x08000000,
    UserBackground      = 0x10000000,
    Direct2D            = 0x20000000,  // preview only; thumbnails never use it
    GdiPlusImages       = 0x40000000,
    ReversePan          = 0x80000000,
};
}
