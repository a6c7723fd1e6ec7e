#pragma once
#include <afxwin.h>
#include <cstdint>
#include "render/gdi/PassObjectCache.h"

// What makes two figures' pens one pen within a draw.
struct PenKey {
    COLORREF colour;
    std::uint16_t lineType;
    int width;

    bool operator==(const PenKey& other) const
    {
        return colour == other.colour && lineType == other.lineType && width == other.width;
    }
};

// The figure pens of one draw, by PenKey. A drawing's figures share a few
// pens, and making and deleting a pen for every figure costs more under Wine
// than drawing a short line. The dash pattern of a line type and the print
// switch stay the same through a draw, so the key leaves them out.
class CPassPenCache {
public:
    // The pen of key, made by make(CPen&) on its first use; null when make
    // fails or the cache is full (the caller then makes its own). A pen
    // stays until Clear, so one that is selected is never deleted.
    template <class Make>
    CPen* Get(const PenKey& key, Make make)
    {
        return m_pens.Get(key, make);
    }
    // Deletes every pen; none may be selected into a DC.
    void Clear() { m_pens.Clear(); }

    // Within a GDI pass on dc, a pen of the cache stays selected after its
    // figure: the next figure selects its own only when that is another
    // pen, and EndPass selects the DC's own pen back. Every drawing call
    // that uses the pen runs while a figure's pen object lives, so the
    // pixels are those of a select and a select back around each figure.
    void BeginPass(HDC dc);
    void EndPass();
    // Selects pen, a pen of this cache, for the pass on dc; false outside
    // a pass on that DC (the caller selects and selects back itself).
    bool SelectForPass(HDC dc, CPen* pen);
    // Puts the DC's own pen back before a figure selects a pen of its own
    // (or none) the usual way; false outside a pass on dc.
    bool RestoreForPass(HDC dc);

private:
    bool Select(HGDIOBJ pen);

    // Enough for the colours and line types of one drawing.
    CPassObjectCache<PenKey, CPen, 256> m_pens;
    HDC m_passDC = nullptr;          // the DC of the current pass, not owned
    HGDIOBJ m_passOwnPen = nullptr;  // the pass DC's pen before the pass
    HGDIOBJ m_passSelected = nullptr;  // the pen the pass DC holds now
};
