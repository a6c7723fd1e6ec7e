// CKvoControl: executing the command and the pressed-button loop.
#include "commandbars/KvoControl.h"
#include "commandbars/KvoModalLoop.h"
#include "commandbars/KvoBarManager.h"
#include "commandbars/KvoCommandBar.h"
#include "commandbars/KvoPopupBar.h"
#include "commandbars/KvoSystemSoundThread.h"
#include <windowsx.h>

namespace {
// Keeps a command target alive for a scope: a command may rebuild the bar
// that holds the control.
class KvoCmdTargetReference {
public:
    explicit KvoCmdTargetReference(CCmdTarget* target) : m_target(target) { m_target->InternalAddRef(); }
    ~KvoCmdTargetReference() { m_target->InternalRelease(); }
    KvoCmdTargetReference(const KvoCmdTargetReference&) = delete;
    KvoCmdTargetReference& operator=(const KvoCmdTargetReference&) = delete;

private:
    CCmdTarget* m_target;
};
}  // namespace

LRESULT CKvoControl::SendNotification(CWnd* site, int code, ControlNotification* record)
{
    record->hdr.hwndFrom = nullptr;
    record->hdr.idFrom = m_nId;
    record->hdr.code = static_cast<UINT>(code);
    record->pControl = this;
    LRESULT result = 0;
    if (site && site->GetSafeHwnd())
        result = site->SendMessage(KVO_SITE_CONTROL_NOTIFY, m_nId, reinterpret_cast<LPARAM>(record));
    if (result == 0 && m_pParent) {
        AFX_NOTIFY notify = {&result, &record->hdr};
        if (!m_pParent->OnCmdMsg(m_nId, MAKELONG(code, WM_NOTIFY), &notify, nullptr))
            result = 0;
    }
    return result;
}

LRESULT CKvoControl::NotifySite(int code)
{
    ControlNotification record = {};
    return NotifySiteEx(code, &record);
}

LRESULT CKvoControl::NotifySiteEx(int code, ControlNotification* record)
{
    if (!m_pParent)
        return 0;
    return SendNotification(m_pParent->GetOwnerSite(), code, record);
}

void CKvoControl::ExecuteCommand()
{
    if (m_nId == 0 || NotifySite(KVO_CONTROL_NOTIFY_EXECUTE) != 0 || !m_pParent)
        return;
    CWnd* site = m_pParent->GetOwnerSite();
    if (site && site->GetSafeHwnd())
        site->SendMessage(WM_COMMAND, m_nId, 0);
}

void CKvoControl::ClosePopups(CKvoCommandBar* root)
{
    if (root && root->m_bRecursePopup)
        root->OnTrackLost();
    else
        CKvoBarManager::ClosePopups(m_pParent ? m_pParent->GetBarManager() : nullptr);
}

void CKvoControl::OnExecute()
{
    CKvoSystemSoundThread::Instance()->PlaySystemSound(KvoSoundMenuCommand);
    m_nPressed = IsOutsidePopupBar() ? 2 : 0;

    CKvoCommandBar* root = m_pParent ? m_pParent->GetRootParent() : nullptr;
    CKvoBarManager* manager = m_pParent ? m_pParent->GetBarManager() : nullptr;
    if (manager && m_nId != 0) {
        manager->OnCommandExecuted(m_nId);
        // The personalised menus also count the menu the command came from.
        CKvoControl* opener = m_pParent->IsKindOf(RUNTIME_CLASS(CKvoPopupBar))
                                  ? static_cast<CKvoPopupBar*>(m_pParent)->GetControlPopup()
                                  : nullptr;
        if (opener)
            manager->OnCommandExecuted(opener->GetID());
    }

    if (root && root->m_pReturnCmd) {
        int* result = root->m_pReturnCmd;
        ClosePopups(root);
        *result = static_cast<int>(m_nId);
        return;
    }

    KvoCmdTargetReference keepAlive(this);
    if (m_bCloseSubMenuOnClick)
        ClosePopups(root);
    ExecuteCommand();
    if ((!m_bCloseSubMenuOnClick || m_nPressed != 0) && m_pParent) {
        m_nPressed = 0;
        m_pParent->OnIdleUpdateCmdUI(FALSE, 0);
        RedrawParent(TRUE);
    }
}

void CKvoControl::TrackPress(CRect rect)
{
    if (!m_pParent || !m_pParent->GetSafeHwnd())
        return;
    if (rect.IsRectEmpty())
        rect = m_rcControl;
    CKvoCommandBar* bar = m_pParent;
    const HWND barWindow = bar->GetSafeHwnd();
    bar->SetOpenPopupControl(-1, FALSE);
    bar->SetSelected(m_nIndex, FALSE);
    m_nPressed = 1;
    RedrawParent(TRUE);
    KvoCmdTargetReference keepAlive(this);

    bar->SetCapture();
    const int interval = m_nExecuteOnPressInterval;
    if (interval > 0) {
        bar->SetTimer(KVO_EXECUTE_ON_PRESS_TIMER, static_cast<UINT>(interval));
        ExecuteCommand();
    }

    BOOL releasedInside = FALSE;
    CPoint lastPoint(0, 0);
    while (::IsWindow(barWindow) && ::GetCapture() == barWindow) {
        MSG msg;
        // A quit ends the press as a release outside.
        if (!KvoGetModalLoopMessage(msg))
            break;
        if (msg.message == WM_LBUTTONUP) {
            if (msg.hwnd == barWindow)
                lastPoint = CPoint(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
            releasedInside = m_nSelected && (lastPoint == CPoint(0, 0) || rect.PtInRect(lastPoint));
            break;
        }
        if (msg.message == WM_TIMER && msg.hwnd == barWindow && msg.wParam == KVO_EXECUTE_ON_PRESS_TIMER) {
            if (m_nSelected)
                ExecuteCommand();
            continue;
        }
        if (msg.message == WM_MOUSEMOVE && msg.hwnd == barWindow) {
            lastPoint = CPoint(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
            if (SetSelected(rect.PtInRect(lastPoint)))
                RedrawParent(TRUE);
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }

    const BOOL barAlive = ::IsWindow(barWindow) && m_pParent == bar;
    if (barAlive && interval > 0)
        bar->KillTimer(KVO_EXECUTE_ON_PRESS_TIMER);
    m_nPressed = (releasedInside && interval <= 0 && IsOutsidePopupBar()) ? 2 : 0;
    if (::GetCapture() == barWindow)
        ::ReleaseCapture();
    if (barAlive && m_nSelected) {
        bar->SetSelected(-1, FALSE);
        bar->SetPromptSuppressionIndex(m_nIndex);
        m_nSelected = 0;
    }
    if (releasedInside && interval <= 0) {
        OnExecute();
        if (m_nPressed == 2)
            m_nPressed = 0;
    }
    RedrawParent(TRUE);
}
