#include "foundation/base/KvoMultiMonitor.h"
#include "foundation/base/KvoSystemVersion.h"

CKvoMultiMonitor* CKvoMultiMonitor::Instance()
{
    static CKvoMultiMonitor helper;
    return &helper;
}

CKvoMultiMonitor::CKvoMultiMonitor(LPCWSTR moduleName)
    : m_getSystemMetrics(nullptr), m_monitorFromWindow(nullptr), m_monitorFromRect(nullptr),
      m_monitorFromPoint(nullptr), m_getMonitorInfo(nullptr), m_user32(moduleName)
{
    const bool all =
        m_user32.GetProcAddress(&m_getSystemMetrics, "GetSystemMetrics") &&
        m_user32.GetProcAddress(&m_monitorFromWindow, "MonitorFromWindow") &&
        m_user32.GetProcAddress(&m_monitorFromRect, "MonitorFromRect") &&
        m_user32.GetProcAddress(&m_monitorFromPoint, "MonitorFromPoint") &&
        m_user32.GetProcAddress(&m_getMonitorInfo, CKvoSystemVersion::Instance()->IsNT4OrGreater()
                                                       ? "GetMonitorInfoW"
                                                       : "GetMonitorInfoA");
    if (!all) {
        // Half a set would mix monitor answers with fallbacks: use none.
        m_getSystemMetrics = nullptr;
        m_monitorFromWindow = nullptr;
        m_monitorFromRect = nullptr;
        m_monitorFromPoint = nullptr;
        m_getMonitorInfo = nullptr;
    }
}

CRect CKvoMultiMonitor::PrimaryScreen() const
{
    auto systemMetrics = m_getSystemMetrics ? m_getSystemMetrics : &::GetSystemMetrics;
    return CRect(0, 0, systemMetrics(SM_CXSCREEN), systemMetrics(SM_CYSCREEN));
}

CRect CKvoMultiMonitor::SystemWorkArea()
{
    CRect area(0, 0, 0, 0);
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

CRect CKvoMultiMonitor::AreaOf(HMONITOR monitor, Area area) const
{
    // MONITORINFO is the common head of the A and W records.
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (!monitor || !m_getMonitorInfo || !m_getMonitorInfo(monitor, &info))
        return area == Area::Screen ? PrimaryScreen() : SystemWorkArea();
    return CRect(area == Area::Screen ? info.rcMonitor : info.rcWork);
}

CRect CKvoMultiMonitor::GetScreenAreaFromPoint(POINT point) const
{
    return AreaOf(m_monitorFromPoint ? m_monitorFromPoint(point, MONITOR_DEFAULTTONULL) : nullptr, Area::Screen);
}

CRect CKvoMultiMonitor::GetScreenAreaFromRect(const RECT& rect) const
{
    return AreaOf(m_monitorFromRect ? m_monitorFromRect(&rect, MONITOR_DEFAULTTONULL) : nullptr, Area::Screen);
}

CRect CKvoMultiMonitor::GetWorkAreaFromPoint(POINT point) const
{
    return AreaOf(m_monitorFromPoint ? m_monitorFromPoint(point, MONITOR_DEFAULTTONULL) : nullptr, Area::Work);
}

CRect CKvoMultiMonitor::GetWorkAreaFromRect(const RECT& rect) const
{
    return AreaOf(m_monitorFromRect ? m_monitorFromRect(&rect, MONITOR_DEFAULTTONULL) : nullptr, Area::Work);
}

CRect CKvoMultiMonitor::GetWorkArea(HWND window) const
{
    return AreaOf(m_monitorFromWindow ? m_monitorFromWindow(window, MONITOR_DEFAULTTONULL) : nullptr, Area::Work);
}

CRect CKvoMultiMonitor::GetWorkAreaFromWnd(const CWnd* window) const
{
    return GetWorkArea(window ? window->GetSafeHwnd() : nullptr);
}

CRect CKvoMultiMonitor::GetWorkAreaFromCursor() const
{
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    return GetWorkAreaFromPoint(cursor);
}
