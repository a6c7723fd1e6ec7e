#pragma once
#include <windows.h>
#include <cstdint>
#include "records/DrawFlag.h"

class CJwCADBase;

// Posted (never sent) while a drawing loads or draws: wParam 0 with the total
// item count first, then wParam 1 with the items still to do.
const UINT WM_DRAWPROGRESS = WM_USER + 102;

// One request to show a drawing. A plain record, copied and zeroed freely;
// its constructor is exported so other modules can build it in their storage.
struct DrawData {
    DrawData();

    CJwCADBase* doc;        // not owned: the info cache entry owns the reader
    HWND progressWnd;       // receives WM_DRAWPROGRESS; null for tips and thumbnails
    int32_t width;          // target bitmap size in pixels
    int32_t height;
    int32_t viewWidth;      // visible part of the bitmap
    int32_t viewHeight;
    int32_t originX;        // view offset in pixels
    int32_t originY;
    int32_t scale;          // 256: the drawing fitted to the bitmap
    uint32_t layerMask[8];  // bit n = group * 16 + layer
    bool viewSet;           // the preview placed the view itself
    uint32_t flags;         // DrawFlag bits

    bool IsLayerSet(int layer) const { return (layerMask[layer >> 5] >> (layer & 31)) & 1; }
    void SetLayer(int layer) { layerMask[layer >> 5] |= 1u << (layer & 31); }
};
