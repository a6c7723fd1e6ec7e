#pragma once
// A dialog whose controls follow its size through a window map: laid out at
// initialisation and at every resize, never smaller than it was made, with
// an optional size grip and an optional saved window placement.
#include <afxwin.h>
#include "WinMgr.h"
#include "foundation/controls/KvSizeIcon.h"

class CSizeableDlg : public CDialog {
    DECLARE_DYNAMIC(CSizeableDlg)
public:
    // map may be NULL (no layout); the dialog lays out its own copy of it.
    CSizeableDlg(UINT templateId, CWnd* parent, const WinMapEntry* map);
    ~CSizeableDlg() override;

    BOOL OnInitDialog() override;

    CWinMgr& GetWinMgr() { return m_winMgr; }
    SIZE GetMinTrackSize() const { return m_minTrackSize; }
    CWnd& GetSizeGrip() { return m_sizeGrip; }

protected:
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    DECLARE_MESSAGE_MAP()

    CWinMgr m_winMgr;
    // Destroyed with the dialog when set.
    HICON m_icon = nullptr;
    int m_gripWidth = 0;
    int m_gripHeight = 0;
    RECT m_gripRect = {};
    SIZE m_minTrackSize = {0, 0};
    CKvSizeIcon m_sizeGrip;
    bool m_showSizeGrip = true;
    bool m_initialised = false;
    // When not empty, the window placement is saved under this name.
    CStringW m_placementName;

private:
    void LayoutControls(const RECT& client);
    RECT ComputeGripRect();
};
