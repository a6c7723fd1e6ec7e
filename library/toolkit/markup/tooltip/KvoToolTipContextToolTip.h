#pragma once
#include <afxwin.h>
#include <afxtempl.h>
#include <commctrl.h>

class CKvoToolTipContext;
class CKvoImageManagerIcon;

// The library's own tooltip window. It answers the tooltip-control messages
// a CKvoToolTipContext sends: keeps its own tools, shows a tip after the
// hover delay (or at once shortly after another), places it below the
// cursor or a given rectangle inside the work area, watches the mouse with
// a thread mouse hook while a tip shows and draws the tip itself. The other
// kinds change only the measuring and the drawing.
class CKvoToolTipContextToolTip : public CWnd {
    DECLARE_DYNAMIC(CKvoToolTipContextToolTip)
public:
    // One registered tool.
    struct TOOLITEM {
        CStringW text;       // empty while it is asked for by callback
        BOOL callback = FALSE;
        UINT flags = 0;      // TOOLINFO.uFlags
        RECT rect = {};      // tool window's client coordinates
        HINSTANCE module = nullptr;
        HWND window = nullptr;
        UINT_PTR id = static_cast<UINT_PTR>(-1);
        RECT placement = {}; // not empty: the tip goes to its bottom edge

        void Reset() { *this = TOOLITEM(); }
        bool IsSameTool(const TOOLITEM& other) const { return window == other.window && id == other.id; }
    };

    // context: fonts, margin, colours, width and style bits; not owned.
    explicit CKvoToolTipContextToolTip(CKvoToolTipContext* context);
    ~CKvoToolTipContextToolTip() override;

    BOOL Create(CWnd* parent, DWORD style);

    // The tool's text, asked of its window once for a callback tool and
    // kept in the item.
    CStringW GetToolText(TOOLITEM& tool);

    // Size of the tip of tool; (0, 0) shows nothing.
    virtual CSize CalcSize(TOOLITEM& tool);
    virtual void DrawContent(CDC* dc, TOOLITEM& tool, RECT rect);
    virtual void DrawBackground(CDC* dc, const TOOLITEM& tool, RECT rect);
    // Called after the tip was shown or hidden.
    virtual void OnVisibleChanged(bool shown);

    // NULL hides.
    void ShowTool(TOOLITEM* tool);
    bool IsActive() const { return m_active; }
    const TOOLITEM& GetShownTool() const { return m_shown; }
    const CStringW& GetTitle() const { return m_title; }
    int GetToolCount() const { return static_cast<int>(m_tools.GetSize()); }

    // Distance from the cursor's hot spot down to the bottom of its visible
    // part; 21 when the cursor cannot be read.
    static int GetCursorHeight();
    // The window at a screen point, skipping a child that answers 1 to
    // WM_TOOLTIPHITTRANSPARENT for its parent.
    static HWND WindowUnderPoint(POINT screenPoint);

protected:
    CKvoToolTipContext* GetContext() const { return m_context; }
    // Margin plus the 3-pixel frame on every side.
    CSize GetSpacing() const;
    // The context's maximum width, -1 resolved to the screen width.
    int GetResolvedMaxWidth() const;
    CRect ContentRect(RECT rect) const;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg int OnMouseActivate(CWnd* desktop, UINT hitTest, UINT message);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnAddTool(WPARAM, LPARAM lParam);
    afx_msg LRESULT OnActivateMessage(WPARAM wParam, LPARAM);
    afx_msg LRESULT OnDelTool(WPARAM, LPARAM lParam);
    afx_msg LRESULT OnRelayEventMessage(WPARAM, LPARAM lParam);
    afx_msg LRESULT OnSetTitle(WPARAM, LPARAM lParam);
    afx_msg LRESULT OnUpdateTipText(WPARAM, LPARAM lParam);
    afx_msg LRESULT OnSetDelayTime(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetToolImage(WPARAM, LPARAM lParam);
    afx_msg LRESULT OnWindowFromPoint(WPARAM, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    friend class CKvoToolTipMouseHook;

    void AddTool(const TOOLINFO* info);
    void DelTool(const TOOLINFO* info);
    void Activate(bool active);
    TOOLITEM* HitTest() const;
    void OnRelayEvent(const MSG* msg);
    void StartPending(const TOOLITEM& tool);
    void StopPending();
    void DeleteTools();
    CRect PlaceTip(const TOOLITEM& tool, CSize size) const;
    void DrawOffice2007Background(CDC* dc, const RECT& rect) const;
    bool IsSmallImage() const;

    static constexpr UINT_PTR kShowTimer = 1;

    CArray<TOOLITEM*, TOOLITEM*> m_tools;
    bool m_active = false;
    CKvoToolTipContext* m_context;
    TOOLITEM m_shown;
    TOOLITEM m_clicked;
    TOOLITEM m_pending;
    UINT_PTR m_showTimer = 0;
    DWORD m_lastChange = 0;
    int m_initialDelay = 500;
    int m_reshowDelay = 200;
    CStringW m_title;
    CKvoImageManagerIcon* m_image = nullptr; // not owned
};
