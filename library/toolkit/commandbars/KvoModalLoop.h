#pragma once

#include <windows.h>

// Takes the next message of a bar's or control's own message loop (press,
// resize, scroll tracking). False when the loop must end: on WM_QUIT, which
// is posted again for the thread's own loop, or when the queue fails.
bool KvoGetModalLoopMessage(MSG& msg);
