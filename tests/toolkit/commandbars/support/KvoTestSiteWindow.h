// The window a test bar's controls report to: a hidden pop-up that records
// the commands and site messages it gets, in order, and answers them as the
// test says.
#pragma once
#include <functional>
#include <vector>
#include <afxwin.h>
#include "commandbars/KvoControls.h"

class CKvoTestSiteWindow : public CWnd {
public:
    // What a menu item became, as message 10335 reported it.
    struct CreatedItem {
        UINT id;
        CKvoControl* control;
        CString caption;
        int type;
    };

    ~CKvoTestSiteWindow() override
    {
        if (GetSafeHwnd())
            DestroyWindow();
    }
    BOOL CreateSite();

    // Every message the site got of WM_COMMAND and 10334 to 10338, in order.
    std::vector<UINT> m_messages;
    std::vector<UINT> m_commands;
    std::vector<UINT> m_notifyCodes;
    std::vector<MenuItemInfo> m_creating;
    std::vector<CreatedItem> m_created;
    // What 10338 answers.
    LRESULT m_notifyAnswer = 0;
    // Answers 10334 (0 without one); may change the record.
    std::function<LRESULT(MenuItemInfo&)> m_onMenuItemCreating;
    // Runs on each WM_COMMAND.
    std::function<void(UINT)> m_onCommand;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
