#pragma once
#include <afxmt.h>
#include <afxtempl.h>
#include <afxwin.h>

class CKvoCommandBar;

// Watches the mouse for the command bars of one UI thread: the stack of
// bars in tracking mode (open menus), the windows that may be clicked
// without closing them, a thread mouse hook that closes the menus on a
// click elsewhere and feeds them mouse moves, and WM_MOUSELEAVE emulated by
// a timer for bar windows. One per thread, made on first use; the hook
// lives as long as the object.
class CKvoMouseManager : public CNoTrackObject {
public:
    typedef CArray<CKvoCommandBar*, CKvoCommandBar*> CTrackArray;
    typedef CArray<HWND, HWND> CTrustedArray;

    CKvoMouseManager();
    ~CKvoMouseManager() override;

    // The calling thread's manager, made on first use.
    static CKvoMouseManager* ForThisThread();
    // The calling thread's manager when one was made, else NULL.
    static CKvoMouseManager* ExistingForThisThread();

    // A bar entering tracking mode: the bar that was hot before loses its
    // hot item when nothing tracked yet.
    void AddTrackingBar(CKvoCommandBar* bar);
    void RemoveTrackingBar(CKvoCommandBar* bar);
    BOOL IsTrackedBar(CKvoCommandBar* bar) const;
    BOOL IsBarOutsideTracking(CKvoCommandBar* bar) const;
    const CTrackArray& GetTrackArray() const { return m_trackedBars; }
    // Every tracked bar loses its tracking, the oldest first.
    void SendTrackLost();
    // When the oldest tracked bar is locked, the unlocked ones lose tracking.
    void CloseUnlockedBars();
    // Raises (or lowers) the lock count of every tracked bar.
    void LockTrackedBars(BOOL lock);

    void LockMouseMove() { ++m_nLock; }
    void UnlockMouseMove() { --m_nLock; }
    BOOL IsMouseLocked() const { return m_nLock > 0; }

    void AddTrustedWindow(HWND window);
    void RemoveTrustedWindow(HWND window);

    // The newest tracked bar whose window holds the screen point, NULL for
    // none.
    CKvoCommandBar* HitTestTrackedBars(POINT point) const;
    // For a modal loop of a tracked popup: whether msg must end it.
    BOOL PreviewTrackMessage(CKvoCommandBar* bar, const MSG* msg) const;

    // Posts WM_MOUSELEAVE to window once the cursor leaves it (checked
    // every 50 ms); the window tracked before gets it at once.
    void TrackMouseLeave(HWND window);
    // Forgets the last mouse point and moves the cursor onto itself, which
    // makes a fresh mouse move for hot tracking.
    void ResetLastPoint();
    void SetHook(BOOL install);

    CKvoCommandBar* GetHotBar() const { return m_pHotBar; }
    void SetHotBar(CKvoCommandBar* bar) { m_pHotBar = bar; }
    BOOL IsExpandAll() const { return m_bExpandAll; }
    void SetExpandAll(BOOL expandAll) { m_bExpandAll = expandAll; }
    // The next left-button release is swallowed (a menu opened by a press).
    void SetSwallowNextButtonUp(BOOL swallow) { m_bSwallowButtonUp = swallow; }

    static const UINT_PTR kMouseLeaveTimer = 113341;

private:
    static LRESULT CALLBACK MouseProc(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK MouseLeaveTimerProc(HWND window, UINT, UINT_PTR, DWORD);
    // TRUE: the hook swallows the message.
    BOOL OnHookMessage(UINT message, POINT point);
    void OnTrackedMouseMessage(UINT message, POINT point);
    BOOL IsTrustedPoint(POINT point) const;

    int m_nLock;
    CTrackArray m_trackedBars;
    HHOOK m_hHook;
    CKvoCommandBar* m_pHotBar;  // not owned
    HWND m_hWndLeaveTracked;
    BOOL m_bExpandAll;
    CTrustedArray m_trustedWindows;
    BOOL m_bSwallowButtonUp;

    // The last point the hook saw, shared by the threads' hooks.
    static POINT s_lastPoint;
};
