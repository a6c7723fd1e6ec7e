#pragma once
#include <afxwin.h>
#include "foundation/base/KvoModuleHandle.h"

// Screen and work areas of the monitor at a point, a rectangle, a window or
// the cursor. Without a monitor there (or without the multi-monitor entry
// points of user32) it answers for the primary screen: the whole screen or
// the system's work area.
class CKvoMultiMonitor {
public:
    // The process's helper, made on first use, destroyed at exit.
    static CKvoMultiMonitor* Instance();

    // A helper over the named module's entry points; when any of the five is
    // missing, every answer takes its fallback (tests name a module without
    // them).
    explicit CKvoMultiMonitor(LPCWSTR moduleName = L"User32.dll");

    CKvoMultiMonitor(const CKvoMultiMonitor&) = delete;
    CKvoMultiMonitor& operator=(const CKvoMultiMonitor&) = delete;

    CRect GetScreenAreaFromPoint(POINT point) const;
    CRect GetScreenAreaFromRect(const RECT& rect) const;
    CRect GetWorkAreaFromPoint(POINT point) const;
    CRect GetWorkAreaFromRect(const RECT& rect) const;
    CRect GetWorkArea(HWND window) const;
    CRect GetWorkAreaFromWnd(const CWnd* window) const;
    CRect GetWorkAreaFromCursor() const;

    bool HasMonitorFunctions() const { return m_getMonitorInfo != nullptr; }

private:
    enum class Area { Screen, Work };

    CRect AreaOf(HMONITOR monitor, Area area) const;
    CRect PrimaryScreen() const;
    static CRect SystemWorkArea();

    decltype(&::GetSystemMetrics) m_getSystemMetrics;
    decltype(&::MonitorFromWindow) m_monitorFromWindow;
    decltype(&::MonitorFromRect) m_monitorFromRect;
    decltype(&::MonitorFromPoint) m_monitorFromPoint;
    decltype(&::GetMonitorInfoW) m_getMonitorInfo;
    CKvoModuleHandle m_user32;
};
