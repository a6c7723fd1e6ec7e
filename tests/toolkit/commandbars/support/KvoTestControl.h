// A control for the command-bar tests: it counts its lives, records what
// its bar and its action tell it, and answers the customise questions as a
// test sets them. It can stand in for a popup control by naming a bar.
#pragma once
#include <vector>
#include "commandbars/KvoControl.h"

class CKvoTestControl : public CKvoControl {
    DECLARE_DYNCREATE(CKvoTestControl)
public:
    CKvoTestControl() { LiveCount()++; }
    ~CKvoTestControl() override { LiveCount()--; }

    // Test controls alive now.
    static int& LiveCount()
    {
        static int live = 0;
        return live;
    }
    // The reference count, read by adding and dropping one.
    DWORD ReferenceCount()
    {
        InternalAddRef();
        return InternalRelease();
    }

    CKvoCommandBar* GetCommandBar() override { return m_pPopupBar; }
    void OnCaptionChanged() override { ++m_nCaptionChanges; }
    void OnActionChanging(int property) override { m_actionEvents.push_back(-1 - property); }
    void OnActionChanged(int property) override
    {
        m_actionEvents.push_back(property);
        CKvoControl::OnActionChanged(property);
    }
    void OnClick(BOOL keyboard, CPoint point) override
    {
        m_clicks.push_back(keyboard);
        m_lastClick = point;
    }
    BOOL IsCustomizeResizeAllowed() const override { return m_bResizeAllowed; }
    int GetCustomizeMinWidth() const override { return m_nMinWidth; }

    CKvoCommandBar* m_pPopupBar = nullptr; // not owned
    int m_nCaptionChanges = 0;
    // Action notices in order: property p changing is -1 - p, changed is p.
    std::vector<int> m_actionEvents;
    std::vector<BOOL> m_clicks;
    CPoint m_lastClick;
    BOOL m_bResizeAllowed = FALSE;
    int m_nMinWidth = 0;
};
