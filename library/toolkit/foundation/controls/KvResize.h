#pragma once
#include <afxwin.h>
#include <afxtempl.h>
#include "foundation/controls/KvSizeIcon.h"

// Four floats in the order left, top, right, bottom. As an anchor: the share
// of the parent's width change (left, right) and height change (top, bottom)
// by which each edge of a control moves (0 stays, 1 follows the parent's
// right or bottom edge). As a position: the control's edges in the parent's
// client coordinates, kept in floating point so that fractional moves add up
// over many size changes instead of being lost to rounding.
struct CKvResizeAnchor {
    float left;
    float top;
    float right;
    float bottom;

    CKvResizeAnchor(float leftEdge, float topEdge, float rightEdge, float bottomEdge)
        : left(leftEdge), top(topEdge), right(rightEdge), bottom(bottomEdge)
    {
    }
    explicit CKvResizeAnchor(const RECT& rect)
        : left(float(rect.left)), top(float(rect.top)), right(float(rect.right)), bottom(float(rect.bottom))
    {
    }
    CKvResizeAnchor& operator+=(const CKvResizeAnchor& other)
    {
        left += other.left;
        top += other.top;
        right += other.right;
        bottom += other.bottom;
        return *this;
    }
    bool operator==(const CKvResizeAnchor& other) const
    {
        return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
    }
};

// Bits of CKvResize's flags.
namespace KvResizeFlag {
enum : UINT {
    NoSizeIcon = 0x01,        // Init creates no size grip
    LockWidth = 0x02,         // the window cannot be tracked wider than at the last layout
    LockHeight = 0x04,        // nor taller
    NoMinSize = 0x08,         // the size at Init is not the minimum
    KeepClipChildren = 0x10,  // Init leaves the window's style alone
    NoGroupBoxFix = 0x20,     // group boxes are not made transparent
};
}

// The control id of the size grip that CKvResize creates.
const UINT kKvSizeIconId = 0x7FFF;

class CKvResize;

// One control of a layout: its anchor and its edges in floating point.
class CKvResizeItem {
public:
    CKvResizeItem(CWnd* wnd, const CKvResizeAnchor& anchor, const RECT& rect, BOOL ownsWnd);
    virtual ~CKvResizeItem();

    // Makes a plain group box transparent so that the controls inside it
    // stay visible while it moves; called once when the item is added.
    virtual bool PrepareGroupBox(CKvResize* owner);

    bool HasWindow() const;

    BOOL m_bRepaint;  // a group box made transparent: invalidated after every layout
    BOOL m_bOwnsWnd;  // m_pWnd was made for this item and is detached and deleted with it
    BOOL m_bPlaced;   // the item has taken part in a layout
    CWnd* m_pWnd;
    CKvResizeAnchor m_anchor;
    CKvResizeAnchor m_pos;

private:
    CKvResizeItem(const CKvResizeItem&) = delete;
    CKvResizeItem& operator=(const CKvResizeItem&) = delete;
};

// The layout engine of a resizable window, inherited beside the window's
// class-library base: after each size change it moves every anchored child
// by its anchor, keeps the tracking size within limits and owns the size
// grip.
class CKvResize {
public:
    CKvResize(CWnd* wnd, UINT flags);
    virtual ~CKvResize();

    void AddFlags(UINT flags) { m_nFlags |= flags; }

    // Records the sizes and creates the grip; called from WM_INITDIALOG and
    // may run again (the items start over, an existing grip is kept).
    virtual void Init();
    // Adds the child id (or hwnd when given) to the layout, or adds anchor
    // to the anchor of the item that has it already.
    void AnchorControl(UINT id, HWND hwnd, const CKvResizeAnchor& anchor);
    // Lays out every item after a size change of the window.
    virtual void Size();
    // A hook that may change the client size Size lays out for.
    virtual void AdjustClientSize(SIZE& size);
    // Moves one item within the batch; FALSE only when DeferWindowPos failed.
    virtual BOOL Defer(HDWP* batch, CKvResizeItem* item, int dx, int dy);
    // The minimum size and the locks, applied to a WM_GETMINMAXINFO answer.
    void ApplyTrackLimits(MINMAXINFO* info);
    // Writes the window placement to the application's profile.
    BOOL StorePlacement(LPCWSTR section);
    void ClearItems();

    UINT m_nFlags;
    CWnd* m_pWnd;  // the laid-out window: not owned
    CSize m_szLast;
    CSize m_szInitial;
    CSize m_szMin;
    CStringW m_strSection;
    CKvSizeIcon m_sizeIcon;
    CArray<CKvResizeItem*, CKvResizeItem*> m_items;

private:
    void CreateSizeIcon();
    CKvResizeItem* FindItem(UINT id) const;

    CKvResize(const CKvResize&) = delete;
    CKvResize& operator=(const CKvResize&) = delete;
};
