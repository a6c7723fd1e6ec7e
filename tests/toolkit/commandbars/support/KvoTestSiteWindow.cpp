#include "toolkit/commandbars/support/KvoTestSiteWindow.h"
#include "commandbars/KvoControl.h"

BOOL CKvoTestSiteWindow::CreateSite()
{
    LPCTSTR windowClass = AfxRegisterWndClass(0, NULL, NULL);
    return CreateEx(0, windowClass, L"site", WS_POPUP, 0, 0, 10, 10, NULL, NULL);
}

LRESULT CKvoTestSiteWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        m_messages.push_back(message);
        m_commands.push_back(LOWORD(wParam));
        if (m_onCommand)
            m_onCommand(LOWORD(wParam));
        return 0;
    case KVO_SITE_CONTROL_NOTIFY:
        m_messages.push_back(message);
        m_notifyCodes.push_back(reinterpret_cast<ControlNotification*>(lParam)->hdr.code);
        return m_notifyAnswer;
    case KVO_SITE_MENU_ITEM_CREATING: {
        m_messages.push_back(message);
        MenuItemInfo* item = reinterpret_cast<MenuItemInfo*>(lParam);
        m_creating.push_back(*item);
        return m_onMenuItemCreating ? m_onMenuItemCreating(*item) : 0;
    }
    case KVO_SITE_MENU_ITEM_CREATED: {
        m_messages.push_back(message);
        const MenuItemInfo* item = reinterpret_cast<const MenuItemInfo*>(lParam);
        m_created.push_back({item->nId, item->pControl, item->strCaption, item->nType});
        return 0;
    }
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}
