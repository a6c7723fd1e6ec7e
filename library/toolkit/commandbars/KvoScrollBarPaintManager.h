#pragma once
#include <afxwin.h>
#include "foundation/base/KvoWinThemeWrapper.h"

class CKvoPaintManager;
class CKvoScrollBase;

// Draws the scroll bar of a CKvoScrollBase in one of three styles: visual
// style (3), flat (2) or classic (any other). Owned by a paint manager or
// by the theme that replaces it.
class CKvoScrollBarPaintManager {
public:
    // paintManager: the owner, never deleted here.
    explicit CKvoScrollBarPaintManager(CKvoPaintManager* paintManager);
    virtual ~CKvoScrollBarPaintManager();

    CKvoScrollBarPaintManager(const CKvoScrollBarPaintManager&) = delete;
    CKvoScrollBarPaintManager& operator=(const CKvoScrollBarPaintManager&) = delete;

    virtual void DrawScrollBar(CDC* dc, CKvoScrollBase* scrollBar);
    // The system's scroll-bar sizes again and the "SCROLLBAR" visual style.
    virtual void RefreshMetrics();

    // The arrow size along the scroll direction.
    int GetArrowSize(BOOL vertical) const { return vertical ? m_cyVScroll : m_cxHScroll; }

    CKvoPaintManager* m_pPaintManager;
    int m_cxHScroll;      // arrow width of horizontal bars
    int m_cyHScroll;      // height of horizontal bars
    int m_cyVScroll;      // arrow height of vertical bars
    int m_cxVScroll;      // width of vertical bars
    int m_nThumbLength;   // fixed thumb length when positive, else proportional
    CKvoWinThemeWrapper m_themeScrollBar;

protected:
    // What a drawing of the bar shows now.
    struct BarParts {
        BOOL enabled;    // something to scroll and the owner allows it
        BOOL showThumb;
        int pressed;     // KvoScrollBarHit held down, else 0
        int hot;         // KvoScrollBarHit under the mouse, else 0
        CRect firstArrow, secondArrow, track, pageBefore, thumb, pageAfter;
    };
    static BarParts GetBarParts(CKvoScrollBase* scrollBar);

private:
    void ReadSystemMetrics();
    void DrawThemed(CDC* dc, const BarParts& parts, BOOL vertical);
    void DrawFlatArrow(CDC* dc, const CRect& rect, int hit, const BarParts& parts, BOOL vertical) const;
    static void DrawClassicArrow(CDC* dc, const CRect& rect, int hit, const BarParts& parts, BOOL vertical);
    static void DrawTrackAndThumb(CDC* dc, CKvoScrollBase* scrollBar, const BarParts& parts, BOOL flat);
};
