#pragma once
#include <afxwin.h>
#include <afxtempl.h>
#include "foundation/base/KvoHookManager.h"

// Draws drop shadows to the right of and below popup windows as separate
// layered windows that follow their popup through the hook manager.
// Reference counted: its owner and each shadow window hold a reference.
class CKvoShadowManager : public CCmdTarget {
public:
    class CShadowWnd;
    typedef CList<CShadowWnd*, CShadowWnd*> CShadowList;

    CKvoShadowManager();
    ~CKvoShadowManager() override;

    // Shadows below and to the right of the popup (and a corner pixel when
    // its window region is complex), unless the system's drop-shadow
    // setting or the screen's colours rule them out (flag bit 0 overrides).
    // exclude (screen) is kept free of shadow with flag bit 1.
    void SetShadow(CWnd* popup, const RECT& exclude);
    // A shadow around a popup control's screen rectangle, owned by owner;
    // only with flag bits 0 and 1 both set.
    void SetControlShadow(const RECT& screenRect, CWnd* owner);
    // Destroys the popup's shadow windows.
    void RemoveShadow(CWnd* popup);
    // Follows a popup that grew by dx and dy.
    void OffsetShadow(CWnd* owner, int dx, int dy);

    // The popup's shadow windows (for callers that look at them).
    int GetShadowCount(CWnd* owner = NULL) const;
    const CShadowList& GetShadows() const { return m_shadows; }

    BOOL m_bUseSaveBits;
    // 1: shadows whatever the system setting, 2: cut other popups out of
    // new shadows, 3: shadows for popup controls too.
    int m_nShadowOptions;
    COLORREF m_clrShadow;

    // One shadow window.
    class CShadowWnd : public CWnd, public CKvoHookManagerHookAble {
    public:
        enum Kind { Right = 0, Bottom = 1, Corner = 2 };

        CShadowWnd(CKvoShadowManager* manager, Kind kind, CWnd* owner, BOOL controlShadow);
        ~CShadowWnd() override;

        int OnHookMessage(HWND hWnd, UINT message, WPARAM& wParam, LPARAM& lParam, LRESULT& result) override;

        // Unhooks from the popup, leaves the manager's list, destroys the
        // window and deletes the object.
        void DestroyShadow();
        // Gives region to the window; when the window refuses it, region
        // keeps it (and frees it).
        BOOL SetRegion(CRgn& region);
        // Takes back a region set by SetRegion.
        void ClearRegion();
        // The premultiplied pixels (bottom-up rows) of the layered image of
        // a shadow of this kind and size.
        void FillImage(DWORD* pixels, int cx, int cy) const;

        Kind m_kind;
        BOOL m_bRegionSet;
        CWnd* m_pOwner; // the popup: never destroyed here
        BOOL m_bControlShadow;

    protected:
        afx_msg BOOL OnEraseBkgnd(CDC* pDC);
        afx_msg void OnPaint();
        afx_msg void OnSize(UINT nType, int cx, int cy);
        afx_msg LRESULT OnNcHitTest(CPoint point);
        DECLARE_MESSAGE_MAP()

    private:
        friend class CKvoShadowManager;
        void UpdateLayeredImage(int cx, int cy);
        CKvoShadowManager* m_pManager; // counted reference
    };

private:
    friend class CShadowWnd;
    CShadowWnd* CreateShadow(CShadowWnd::Kind kind, const CRect& ownerRect, const CRect& exclude, CWnd* owner,
                             BOOL controlShadow);
    BOOL CreateShadowWindow(CShadowWnd* shadow, CWnd* owner);
    int ShadowSize() const { return m_bAlphaShadow ? 4 : 2; }
    void FitToNeighbours(CShadowWnd* shadow, CRect& rect) const;
    void CutOut(CShadowWnd* shadow, const CRect& screenRect) const;
    void Forget(CShadowWnd* shadow);

    CShadowList m_shadows; // owned
    BOOL m_bAlphaShadow;
};
