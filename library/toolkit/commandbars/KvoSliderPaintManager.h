#pragma once
#include "commandbars/KvoScrollBarPaintManager.h"

// Draws a horizontal scroll base as a zoom slider: minus and plus buttons,
// a channel with ticks and a five-sided thumb of fixed size.
class CKvoSliderPaintManager : public CKvoScrollBarPaintManager {
public:
    explicit CKvoSliderPaintManager(CKvoPaintManager* paintManager);

    void DrawScrollBar(CDC* dc, CKvoScrollBase* scrollBar) override;
    // The scroll-bar refresh, then 16-pixel buttons and an 11-pixel thumb.
    void RefreshMetrics() override;

private:
    void DrawChannel(CDC* dc, CKvoScrollBase* slider, int left, int right, int middle) const;
    static void DrawTick(CDC* dc, int x, int middle, COLORREF shadow, COLORREF highlight);
    static void DrawButton(CDC* dc, const CRect& rect, BOOL plus, BOOL hot, BOOL pressed, COLORREF face,
                           COLORREF shadow, COLORREF highlight);
    static void DrawThumb(CDC* dc, const CRect& rect, BOOL hot, BOOL pressed, COLORREF face, COLORREF shadow,
                          COLORREF highlight);
};
