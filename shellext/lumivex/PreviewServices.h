#pragma once
// What the preview handler asks of the library and of the system, as a table
// so that tests can stand in for either: the library's preview window, and
// the thread's DPI awareness switch (which Wine 8 refuses for per-monitor
// version 2, and older Windows lacks).
#include <windows.h>

struct PreviewServices
{
    // The live preview window inside host, or NULL.
    HWND (*showPreview)(const wchar_t* path, const RECT& rect, HWND host);
    // Switches the calling thread's DPI awareness; answers the previous
    // context, or NULL when the switch was refused.
    DPI_AWARENESS_CONTEXT (*setThreadDpiContext)(DPI_AWARENESS_CONTEXT context);
};

// The library's preview window and the system's DPI switch.
const PreviewServices& LibraryPreviewServices();
