#include "markup/controls/KvoScrollThumbRects.h"

RECT KvoCalcScrollThumbRects(const RECT& bar, BOOL vertical)
{
    RECT tracking = bar;
    if (vertical) {
        const int across = 8 * (bar.right - bar.left);
        const int along = 2 * ::GetSystemMetrics(SM_CYVTHUMB);
        ::InflateRect(&tracking, across, along);
    } else {
        const int across = 8 * (bar.bottom - bar.top);
        const int along = 2 * ::GetSystemMetrics(SM_CXHTHUMB);
        ::InflateRect(&tracking, along, across);
    }
    return tracking;
}
