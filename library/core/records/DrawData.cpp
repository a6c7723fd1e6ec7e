#include "records/DrawData.h"

namespace {
// The constructor owns bits 7 to 15 of the flag word and leaves the rest alone.
const uint32_t kOwnedFlagBits = 0x0000FF80;
}

DrawData::DrawData()
    : doc(nullptr), progressWnd(nullptr), width(256), height(256), viewWidth(0), viewHeight(0),
      originX(0), originY(0), scale(256), layerMask{}, viewSet(false)
{
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wuninitialized"
    flags = (flags & ~kOwnedFlagBits) | DrawFlag::WholeDrawing | DrawFlag::KeepView;
#pragma GCC diagnostic pop
}
