#pragma once
// The messages between the preview dialog, its picture and its workers.
#include <windows.h>
#include "records/DrawData.h"

// From the picture: wParam 0 a rubber band (lParam RECT*), 1 zoom in and
// 2 zoom out about a point (lParam POINT*).
const UINT WM_PREVIEWZOOM = WM_USER + 100;
// Sent by the load worker when the load ended: wParam the file kind.
const UINT WM_PREVIEWLOADED = WM_USER + 101;
// Posted by the dialog to itself once it is made: starts the load worker.
const UINT WM_PREVIEWSTART = WM_USER + 103;
// Sent by a render worker: wParam the file kind, lParam the HBITMAP or NULL.
const UINT WM_PREVIEWBITMAP = WM_USER + 104;
// Posted by the dialog to itself: a render asked for while another ran.
const UINT WM_PREVIEWREDRAW = WM_USER + 105;
static_assert(WM_DRAWPROGRESS == WM_USER + 102, "the core's progress message sits between the preview's");
