#pragma once
#include <afxwin.h>
#include <afxtempl.h>

class CKvoScrollBarPaintManager;

// Parts of a scroll bar, as HitTest answers them and as the highlighted part.
enum KvoScrollBarHit {
    KvoScrollHitNone = 0,
    KvoScrollHitFirstArrow = 60,  // up or left
    KvoScrollHitSecondArrow = 61, // down or right
    KvoScrollHitPageBefore = 62,  // track before the thumb
    KvoScrollHitPageAfter = 63,   // track after the thumb
    KvoScrollHitThumb = 64,
    KvoScrollHitBeyondLimit = 65, // beyond nLimit, when it is set
};

// How a scroll bar is drawn (GetScrollBarStyle); other values draw classic.
enum KvoScrollBarStyle {
    KvoScrollBarStyleFlat = 2,
    KvoScrollBarStyleVisual = 3,
    KvoScrollBarStyleOffice2007 = 5,
};

// The geometry of a scroll bar; "along" is the scroll direction.
struct KvoScrollBarPosInfo {
    int nMin;
    int nMax;
    int nPage;
    int nPos;
    int pxTop;          // start of the bar along the axis
    int pxBottom;       // end of the bar along the axis
    int pxLeft;         // start across
    int pxRight;        // end across
    int pxThumbSize;
    int pxUpArrow;      // end of the first arrow
    int pxDownArrow;    // start of the second arrow
    int pxThumbOrigin;  // the thumb start when a drag began
    int pxThumbBottom;
    int pxThumbTop;
    int nLimit;         // hit code 65 beyond it; 0 = none
    int pxTrackLength;  // room in which the thumb moves
    int pxTrackStart;
    CRect rc;
    int ht;             // highlighted part (KvoScrollBarHit)
    BOOL fVert;
};

// One modal mouse-tracking loop of a scroll base.
struct KvoScrollBarTrackInfo {
    BOOL fHitOld;       // the mouse is inside the active rectangle
    CRect rcTrack;      // the active rectangle
    int cmdSB;          // -1 none, 0 line up, 1 line down, 2 page up, 3 page down, 4 thumb
    UINT_PTR hTimerSB;  // auto-repeat timer, 0 = none
    int dpThumb;        // drag offset: thumb start - press point
    int pxOld;          // thumb start while dragging
    int posOld;         // current position
    int posNew;
    HWND hWndTrack;     // the capture window
    BOOL bTrackThumb;   // dragging the thumb
    KvoScrollBarPosInfo* pSBInfo;
};

// The logic of a scroll bar that a control draws itself (no scroll-bar
// window): geometry, hit test and the modal mouse loop with auto-repeat and
// thumb dragging. The owner class derives from it beside its main base and
// hears of the scrolling through DoScroll. UI thread only.
class CKvoScrollBase {
public:
    // Timers of the capture window.
    static constexpr UINT_PTR kRepeatTimer = 23345;
    static constexpr UINT_PTR kAnimationTimer = 23346;

    CKvoScrollBase();
    virtual ~CKvoScrollBase();

    CKvoScrollBase(const CKvoScrollBase&) = delete;
    CKvoScrollBase& operator=(const CKvoScrollBase&) = delete;

    virtual BOOL IsScrollBarEnabled() const = 0;
    // The window that captures the mouse while tracking.
    virtual CWnd* GetScrollBarParent() const = 0;
    // Timer 23346 while a scroll animation runs.
    virtual void OnScrollAnimationTimer();
    virtual void GetScrollBarRect(CRect* rect) = 0;
    virtual void GetScrollInfo(SCROLLINFO* scrollInfo) = 0;
    // SB_LINEUP 0 ... SB_THUMBPOSITION 4, SB_THUMBTRACK 5, SB_ENDSCROLL 8.
    virtual void DoScroll(int command, int position) = 0;
    virtual void RedrawScrollBar() = 0;
    // The geometry of bar for the scroll info (page clamped to the range).
    virtual void CalcScrollBarInfo(CRect* bar, KvoScrollBarPosInfo* info, SCROLLINFO* scrollInfo);
    virtual CKvoScrollBarPaintManager* GetScrollBarPaintManager() const = 0;

    // GetScrollBarRect, GetScrollInfo, then the geometry into m_spi.
    void UpdateScrollBarInfo();
    // A KvoScrollBarHit code for a point of the capture window's client area.
    int HitTest(int x, int y) const;
    // The own style when set; else by the theme: Default 2 (flat),
    // Office2007 and Ribbon 5, the others 3 (visual style).
    int GetScrollBarStyle() const;
    // The modal tracking after a left-button press at (x, y); direct: a
    // page press drags the thumb, centred on the mouse.
    void PerformTrackInit(HWND owner, int x, int y, KvoScrollBarPosInfo* info, BOOL direct);

    const KvoScrollBarPosInfo& GetScrollBarPosInfo() const { return m_spi; }
    const KvoScrollBarTrackInfo* GetTrackInfo() const { return m_pSBTrack; }
    BOOL IsVertical() const { return m_spi.fVert; }
    // Values on the slider channel to mark; the owner fills it.
    const CArray<double, double>& GetTicks() const { return m_ticks; }

protected:
    KvoScrollBarPosInfo m_spi;
    KvoScrollBarTrackInfo* m_pSBTrack; // owned while tracking, else NULL
    int m_nScrollBarStyle;             // 0: from the theme
    BOOL m_bAnimation;                 // a scroll animation runs
    UINT m_nRepeatInterval;            // milliseconds of the running repeat timer
    CArray<double, double> m_ticks;

private:
    BOOL StartTracking(int x, int y, BOOL direct);
    void BeginThumbDrag(int along, BOOL direct);
    void RunTrackingLoop();
    void PumpWhileAnimating();
    void OnTrackMouse(UINT message, int x, int y);
    void OnRepeatTimer();
    void OnTrackThumb(UINT message, int x, int y);
    void TrackThumb(int pixel);
    int PositionAt(int pixel) const;
    void EndTracking();
    void KillRepeatTimer();
    int Along(int x, int y) const { return m_spi.fVert ? y : x; }
    // The bar's extent across with [start, end) along.
    CRect PartRect(int start, int end) const;
};
