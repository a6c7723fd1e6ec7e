// CKvoControl: what a control does in customise mode.
#include <algorithm>
#include "commandbars/KvoControl.h"
#include "commandbars/KvoModalLoop.h"
#include "commandbars/KvoBarManager.h"
#include "commandbars/KvoCommandBar.h"
#include "commandbars/KvoPaintManager.h"
#include "foundation/base/KvoResourceManager.h"
#include <windowsx.h>
#include "LanguageIds.h"

namespace {
// A press this close to an edge grabs it.
const int kResizeGrip = 2;
// The width of the frame drawn while resizing.
const int kResizeFrame = 2;

BOOL IsNearHorizontalEdge(const CRect& rect, CPoint point)
{
    return point.x - rect.left <= kResizeGrip || rect.right - point.x <= kResizeGrip;
}

// The desktop window's DC for drawing over every window, updates of the
// desktop locked while it lives.
class KvoDesktopDrawing {
public:
    KvoDesktopDrawing()
    {
        m_locked = ::LockWindowUpdate(::GetDesktopWindow());
        DWORD flags = DCX_WINDOW | DCX_CACHE | (m_locked ? DCX_LOCKWINDOWUPDATE : 0);
        m_dc = ::GetDCEx(::GetDesktopWindow(), nullptr, flags);
    }
    ~KvoDesktopDrawing()
    {
        if (m_locked)
            ::LockWindowUpdate(nullptr);
        if (m_dc)
            ::ReleaseDC(::GetDesktopWindow(), m_dc);
    }
    KvoDesktopDrawing(const KvoDesktopDrawing&) = delete;
    KvoDesktopDrawing& operator=(const KvoDesktopDrawing&) = delete;

    // Inverts a frame of kResizeFrame pixels: drawing it twice erases it.
    void InvertFrame(const CRect& rect) const
    {
        if (!m_dc)
            return;
        const RECT strips[] = {
            {rect.left, rect.top, rect.right, rect.top + kResizeFrame},
            {rect.left, rect.bottom - kResizeFrame, rect.right, rect.bottom},
            {rect.left, rect.top + kResizeFrame, rect.left + kResizeFrame, rect.bottom - kResizeFrame},
            {rect.right - kResizeFrame, rect.top + kResizeFrame, rect.right, rect.bottom - kResizeFrame},
        };
        for (const RECT& strip : strips)
            ::InvertRect(m_dc, &strip);
    }

private:
    BOOL m_locked;
    HDC m_dc;
};
}  // namespace

void CKvoControl::SetCustomizeCursor(CPoint point)
{
    if (IsCustomizeResizeAllowed() && m_rcControl.PtInRect(point) && IsNearHorizontalEdge(m_rcControl, point))
        ::SetCursor(CKvoResourceManager::Instance()->LoadCursor(IDC_KVO_CUSTOMIZE_RESIZE));
}

void CKvoControl::OnCustomizeMouseDown(CPoint point)
{
    CKvoBarManager* manager = m_pParent ? m_pParent->GetBarManager() : nullptr;
    if (!manager)
        return;
    if (manager->GetCustomizeSelection() == this && IsCustomizeResizeAllowed() && TrackCustomizeResize(point))
        return;
    manager->SetCustomizeSelection(this);
}

BOOL CKvoControl::TrackCustomizeResize(CPoint point)
{
    if (!m_rcControl.PtInRect(point) || !IsNearHorizontalEdge(m_rcControl, point))
        return FALSE;
    if (!m_pParent || !m_pParent->GetSafeHwnd())
        return FALSE;
    return RunCustomizeResize(point);
}

BOOL CKvoControl::RunCustomizeResize(CPoint point)
{
    CKvoCommandBar* bar = m_pParent;
    const HWND barWindow = bar->GetSafeHwnd();
    CKvoBarManager* manager = bar->GetBarManager();
    if (manager)
        manager->SetCustomizeSelection(nullptr);
    bar->Redraw(nullptr, TRUE);
    bar->UpdateWindow();

    CRect frame = m_rcControl;
    bar->ClientToScreen(&frame);
    CPoint pressed = point;
    bar->ClientToScreen(&pressed);
    const BOOL movesLeftEdge = point.x - m_rcControl.left < kResizeGrip + 1;
    const int grabOffset = movesLeftEdge ? pressed.x - frame.left : pressed.x - frame.right;
    const int minimumWidth = GetCustomizeMinWidth();
    const int originalWidth = frame.Width();

    bar->SetCapture();
    ::SetCursor(CKvoResourceManager::Instance()->LoadCursor(IDC_KVO_CUSTOMIZE_RESIZE));
    BOOL accepted = FALSE;
    {
        KvoDesktopDrawing desktop;
        desktop.InvertFrame(frame);
        while (::IsWindow(barWindow) && ::GetCapture() == barWindow) {
            MSG msg;
            // A quit applies nothing.
            if (!KvoGetModalLoopMessage(msg))
                break;
            if (msg.message == WM_LBUTTONUP) {
                accepted = TRUE;
                break;
            }
            if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)
                break;
            if (msg.message == WM_MOUSEMOVE) {
                CPoint cursor(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
                ::ClientToScreen(msg.hwnd, &cursor);
                CRect moved = frame;
                if (movesLeftEdge)
                    moved.left = std::min(cursor.x - grabOffset, moved.right - minimumWidth);
                else
                    moved.right = std::max(cursor.x - grabOffset, moved.left + minimumWidth);
                if (moved != frame) {
                    desktop.InvertFrame(frame);
                    frame = moved;
                    desktop.InvertFrame(frame);
                }
                continue;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        desktop.InvertFrame(frame);
    }
    if (::GetCapture() == barWindow)
        ::ReleaseCapture();
    if (!::IsWindow(barWindow) || m_pParent != bar)
        return TRUE;
    if (manager)
        manager->SetCustomizeSelection(this);

    if (accepted && frame.Width() != originalWidth) {
        int width = frame.Width();
        if (bar->GetType() == KvoBarTypePopup)
            width -= GetPaintManager()->GetPopupBarGripperWidth(bar);
        SetWidth(width);
        bar->OnRecalcLayout();
    }
    bar->Redraw(nullptr, TRUE);
    return TRUE;
}
