// A command bar for the control tests: a visible pop-up window that shows
// its controls in flat colours of the test paint manager (bar, hot,
// pressed, checked), or a bar without a window. It records what its
// controls tell it and can play a parent bar, a ribbon and a popup bar.
#pragma once
#include <vector>
#include "commandbars/KvoCommandBar.h"

class CKvoTestCommandBar : public CKvoCommandBar {
public:
    CKvoTestCommandBar() { LiveCount()++; }
    ~CKvoTestCommandBar() override
    {
        if (GetSafeHwnd())
            DestroyWindow();
        LiveCount()--;
    }

    static int& LiveCount()
    {
        static int live = 0;
        return live;
    }

    // A visible pop-up window at (x, y) in screen coordinates, owned by
    // owner when given.
    BOOL CreateBar(int x, int y, int cx, int cy, CWnd* owner = nullptr);
    // Places the controls side by side from the left, each width wide and
    // the bar's height high.
    void PlaceControls(int width);

    // Forgets the layout and redraw requests made so far.
    void ClearUpdateFlags() { m_dwUpdateFlags = 0; }

    BOOL IsVisible() const override { return TRUE; }
    CKvoCommandBar* GetParentCommandBar() const override { return m_pParentBar; }
    BOOL IsRibbonBar() const override { return m_bRibbon; }
    BOOL IsOnGlassCaption(const CRect& rect) const override
    {
        CRect common;
        return common.IntersectRect(&rect, &m_rcGlassCaption);
    }
    void OnRecalcLayout() override { ++m_nLayouts; }
    void OnControlSelected(BOOL selected, CKvoControl*) override { m_selections.push_back(selected); }
    void OnIdleUpdateCmdUI(BOOL force, int reserved) override
    {
        ++m_nIdleUpdates;
        CKvoCommandBar::OnIdleUpdateCmdUI(force, reserved);
    }

    CKvoCommandBar* m_pParentBar = nullptr; // not owned
    BOOL m_bRibbon = FALSE;
    CRect m_rcGlassCaption;
    int m_nLayouts = 0;
    int m_nIdleUpdates = 0;
    std::vector<BOOL> m_selections;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();
};
