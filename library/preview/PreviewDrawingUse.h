#pragma once
// Counts the open previews of each drawing in the process. A drawing keeps
// its Direct2D core (a Direct2D factory, render target, brushes, and the
// WIC and DirectWrite factories) between the renders of its previews; the
// last of them to close releases it, so a closed preview leaves nothing of
// Direct2D behind while another preview of the same file keeps drawing with
// it.
#include <afx.h>

class CPreviewDrawingUse {
public:
    CPreviewDrawingUse() = default;
    ~CPreviewDrawingUse() { End(); }
    CPreviewDrawingUse(const CPreviewDrawingUse&) = delete;
    CPreviewDrawingUse& operator=(const CPreviewDrawingUse&) = delete;

    // Called when the preview starts to load path.
    void Begin(const CStringW& path);
    // Called when the preview closes, once its workers have ended: the last
    // preview of the drawing releases its Direct2D core. Only the first call
    // after Begin counts.
    void End();

private:
    CStringW m_path;
    bool m_begun = false;
};
