#pragma once
#include "commandbars/KvoScrollBarPaintManager.h"

// The gallery's scroll bar and scroll buttons: a scroll-bar paint manager
// with the sizes of the buttons that replace the bar in popups.
class CKvoControlGalleryPaintManager : public CKvoScrollBarPaintManager {
public:
    explicit CKvoControlGalleryPaintManager(CKvoPaintManager* paintManager);

    // The scroll-bar refresh, then the button sizes for the DPI.
    void RefreshMetrics() override;

    int m_cyUpButton;
    int m_cyDownButton;
    int m_cxScrollButton;  // strip width of a gallery in a popup
    int m_nDpi;

private:
    void ScaleButtons();
};
