#pragma once
// A splitter: a thin static in a window map between two neighbours. Dragging
// it shows an inverted image of the bar; when the button is released the
// dialog learns the distance through "WM_WINMGR" (code SizerBarMoved) and
// moves the neighbours.
#include <afxwin.h>
#include "WinMgr.h"

class CSizerBar : public CStatic {
    DECLARE_DYNCREATE(CSizerBar)
public:
    CSizerBar() = default;

    // The dialog's layout manager (not owned); set before the bar is made.
    void SetWinMgr(CWinMgr* winMgr) { m_winMgr = winMgr; }
    bool IsDragging() const { return m_dragging; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Draws the drag image; drawing the same rectangle twice restores the
    // screen. rect is in the parent's window coordinates.
    virtual void DrawBar(CDC* dc, const RECT& rect);

protected:
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg UINT OnGetDlgCode();
    DECLARE_MESSAGE_MAP()

private:
    // A horizontal bar (wider than tall) is dragged up and down.
    bool IsHorizontalBar();
    // The mouse positions (client coordinates) that keep both neighbours
    // within their limits, for a drag that starts at start.
    RECT ComputeDragLimits(POINT start);
    POINT ClampToLimits(POINT point) const;
    // The offset on the dragged axis only.
    POINT DragOffset(POINT point);
    void InvertBarImage();
    void EndDrag();

    CWinMgr* m_winMgr = nullptr;
    // -1 until first needed, then 1 for a horizontal bar, 0 for a vertical.
    int m_orientation = -1;
    bool m_dragging = false;
    // In screen coordinates, moved with the drag.
    RECT m_barRect = {};
    POINT m_startOffset = {};
    POINT m_currentOffset = {};
    RECT m_limits = {};
    HWND m_previousFocus = nullptr;
};
