#pragma once
#include <windows.h>

// The rectangle inside which a dragged scroll-bar thumb follows the mouse:
// the bar widened across by eight bar thicknesses on each side and
// lengthened by twice the system thumb size (SM_CYVTHUMB for a vertical
// bar, SM_CXHTHUMB for a horizontal one) at each end. Outside it the thumb
// snaps back to where the drag began, as the system scroll bar does.
RECT KvoCalcScrollThumbRects(const RECT& bar, BOOL vertical);
