// Extensions of the window classes: the rectangle tracker and the toolbar.
#pragma once

#include <afxwin.h>

// A rectangle the user drags out with the mouse.
class CRectTracker
{
public:
    enum StyleFlags
    {
        solidLine = 1,
        dottedLine = 2,
        hatchedBorder = 4,
        resizeInside = 8,
        resizeOutside = 16,
        hatchInside = 32
    };

    CRectTracker();
    CRectTracker(LPCRECT lpSrcRect, UINT nStyle);
    virtual ~CRectTracker() = default;

    // Tracks a rubber band in pWnd's client area from point until the left
    // button goes up; Escape or the right button cancel. m_rect keeps the
    // drag direction (start in left/top) when bAllowInvert, else it is
    // normalised. TRUE when the mouse moved and the rectangle is not empty.
    // A message dispatched meanwhile may destroy pWnd: the tracking then
    // ends at once with FALSE and touches pWnd no more.
    BOOL TrackRubberBand(CWnd* pWnd, CPoint point, BOOL bAllowInvert = TRUE);

    CRect m_rect;
    UINT m_nStyle;
    CSize m_sizeMin;

protected:
    // Draws (and, drawn again, erases) the band; lpRect is normalised.
    virtual void DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd);
    virtual void OnChangedRect(const CRect& rectOld);

private:
    enum class TrackEnd
    {
        Released,
        Cancelled,
        WindowGone
    };
    TrackEnd RunTrackLoop(CWnd* pWnd, CDC* pDC);
    void MoveBandTo(CWnd* pWnd, CDC* pDC, LPARAM lParam, bool* pbDrawn);
};

#include "afx/ToolBar.h"
