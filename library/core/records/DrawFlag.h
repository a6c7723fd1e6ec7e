#pragma once
#include <cstdint>

// Bits of DrawData::flags. Bits 0-6 and 16-31 belong to nobody and are kept
// as they are by DrawData's constructor.
namespace DrawFlag {
enum : uint32_t {
    PenWidths      = 0x0080,  // pen widths of the drawing's pen table
    Print          = 0x0100,  // white background, print dashes, Direct2D print path
    UserBackground = 0x0200,  // draw on the application's background colour
    WholeDrawing   = 0x0400,  // no clipping to the view; never saved, evicted first
    KeepView       = 0x0800,  // the preview's render copies its view back
    ThickLines     = 0x1000,
    Direct2D       = 0x2000,  // Direct2D when the start-up probe succeeded
    Closing        = 0x4000,  // preview window closing: its render posts nothing
    GdiPlusImages  = 0x8000,  // images through GDI+
};
}
