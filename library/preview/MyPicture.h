#pragma once
// The preview's picture: shows the rendered bitmap, or the progress of the
// dialog's worker as a percentage while it works; turns a rubber band and
// double-clicks into zoom requests to the dialog.
#include <afxwin.h>
#include <atomic>

class CMyPicture : public CStatic {
    DECLARE_DYNAMIC(CMyPicture)
public:
    // Set and cleared by the dialog's workers; repaints the picture.
    void SetBusy(bool busy);
    bool IsBusy() const { return m_busy; }
    // The counts of WM_DRAWPROGRESS; repaints the percentage.
    void SetTotal(int total);
    void SetRemaining(int remaining);
    // (1 - remaining / total) x 100, 0 without a total.
    float GetPercent() const;

protected:
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    void PaintProgress(CDC& dc);
    void Repaint();

    std::atomic<bool> m_busy{false};
    int m_total = 0;
    int m_remaining = 0;
};
