#pragma once
#include <afxwin.h>
#include "render/gdi/PassObjectCache.h"

// What makes two figures' brushes one brush within a draw.
struct BrushKey {
    COLORREF colour;
    bool hatched;  // the forward-diagonal hatch, else solid

    bool operator==(const BrushKey& other) const { return colour == other.colour && hatched == other.hatched; }
};

// The fill brushes of one draw, by BrushKey: filled figures of a drawing
// share a few colours, and making and deleting a brush for each costs two
// GDI calls. Each figure still selects its brush and the DC's own back, as
// outlines drawn without a brush fill with the DC's own.
class CPassBrushCache {
public:
    // The brush of key, made on its first use; null when it cannot be made
    // or the cache is full (the caller then makes its own). A brush stays
    // until Clear.
    CBrush* Get(const BrushKey& key);
    // Deletes every brush; none may be selected into a DC.
    void Clear() { m_brushes.Clear(); }

private:
    // Enough for the fill colours of one drawing.
    CPassObjectCache<BrushKey, CBrush, 256> m_brushes;
};
