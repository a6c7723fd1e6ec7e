// CKvoCommandBar: the idle-time command update of its controls, the status
// prompt of the hot control and context help.
#include <afxpriv.h>
#include <windowsx.h>
#include "commandbars/KvoCommandBar.h"
#include "commandbars/KvoBarManager.h"
#include "commandbars/KvoControl.h"
#include "commandbars/KvoControlAction.h"
#include "commandbars/KvoControls.h"

namespace {
const UINT kIdleMessageId = 0xE001;     // AFX_IDS_IDLEMESSAGE
const LRESULT kHelpBaseCommand = 0x10000; // HID_BASE_COMMAND
const LRESULT kHelpBaseControl = 0x50000; // HID_BASE_CONTROL
// The visibility an update needs: hidden by wrapping or scrolling still
// counts as there.
const DWORD kUpdateVisibilityMask = KvoHideGeneric | KvoHideScroll | KvoHideExpand;

// The help id of a control: its own when set, else its action's help id or
// command id, else its command id.
UINT HelpIdOf(CKvoControl* control)
{
    if (control->GetHelpId() > 0)
        return control->GetHelpId();
    if (CKvoControlAction* action = control->GetAction())
        return action->GetHelpId() > 0 ? action->GetHelpId() : action->GetID();
    return control->GetID();
}
} // namespace

// ---- the command-UI record ----

CKvoCommandBar::CCommandBarCmdUI::CCommandBarCmdUI() : m_pControl(nullptr), m_bCheckChanged(FALSE) {}

void CKvoCommandBar::CCommandBarCmdUI::Enable(BOOL on)
{
    m_bEnableChanged = TRUE;
    if (m_pControl->GetAction()) {
        m_pControl->SetEnabled(on ? -1 : 0);
        return;
    }
    m_pControl->SetEnabled(on);
    // A command that cannot run shows no check its handler did not set.
    if (!on && !m_bCheckChanged && m_pControl->GetChecked() > 0) {
        m_pControl->SetChecked(FALSE);
        m_pControl->RedrawParent();
    }
}

void CKvoCommandBar::CCommandBarCmdUI::SetCheck(int check)
{
    m_bCheckChanged = TRUE;
    if (m_pControl->GetChecked() == check)
        return;
    m_pControl->SetChecked(check);
    m_pControl->RedrawParent();
}

void CKvoCommandBar::CCommandBarCmdUI::SetText(LPCTSTR text)
{
    m_pControl->SetCaption(text);
}

// ---- idle update ----

void CKvoCommandBar::UpdateDocTemplateControls()
{
    CKvoBarManager* manager = GetBarManager();
    const UINT active = manager ? manager->GetActiveDocTemplate() : 0;
    if (!active)
        return;
    for (int index = 0; index < GetControlCount(); ++index) {
        CKvoControl* control = GetControl(index);
        const DWORD before = control->GetHideFlags();
        DWORD flags = before;
        BOOL listed = FALSE;
        if (!control->GetAssignedDocTemplates().IsEmpty())
            flags = control->GetAssignedDocTemplates().Lookup(active, listed) ? flags & ~KvoHideDocTemplate
                                                                              : flags | KvoHideDocTemplate;
        if (!control->GetExcludedDocTemplates().IsEmpty())
            flags = control->GetExcludedDocTemplates().Lookup(active, listed) ? flags | KvoHideDocTemplate
                                                                              : flags & ~KvoHideDocTemplate;
        if (flags != before) {
            control->SetHideFlags(flags);
            m_dwUpdateFlags |= KVO_BAR_UPDATE_LAYOUT;
        }
    }
}

void CKvoCommandBar::OnUpdateCmdUI()
{
    CWnd* target = GetOwnerSite();
    if (!target)
        return;
    // Disabling commands without a handler is a manager option that no
    // manager offers yet.
    const BOOL disableWithoutHandler = FALSE;
    const BOOL noNotify = GetRootParent()->m_bNoNotify;
    for (int index = 0; index < GetControlCount(); ++index) {
        CKvoControl* control = GetControl(index);
        if (!control->IsVisible(kUpdateVisibilityMask))
            continue;
        control->OnIdleUpdate();
        if (noNotify || (control->GetFlags() & KvoFlagManualUpdate))
            continue;
        UpdateControl(control, target, disableWithoutHandler);
    }
    UpdateDialogControls(target, disableWithoutHandler);
}

void CKvoCommandBar::UpdateControl(CKvoControl* control, CWnd* target, BOOL disableWithoutHandler)
{
    CCommandBarCmdUI state;
    state.m_pControl = control;
    state.m_nID = control->GetID();
    state.m_nIndex = static_cast<UINT>(control->GetIndex());
    state.m_pOther = this;
    // The bar's own reflected handler first, then its own routing.
    if (CWnd::OnCmdMsg(0, MAKELONG(0xFFFF, WM_REFLECT_BASE + WM_COMMAND), &state, nullptr))
        return;
    if (CWnd::OnCmdMsg(state.m_nID, CN_UPDATE_COMMAND_UI, &state, nullptr))
        return;
    if (!IsCustomizeMode())
        state.DoUpdate(target, disableWithoutHandler);
    else if (control->GetEnabledValue() != -1)
        control->SetEnabled(TRUE);
}

// ---- status prompts ----

void CKvoCommandBar::OnControlSelected(BOOL selected, CKvoControl* control)
{
    if (CWnd* site = GetSite())
        site->SendMessage(KVO_SITE_CONTROL_SELECTED, selected ? reinterpret_cast<WPARAM>(control) : 0);
    if (CKvoBarManager* manager = GetBarManager())
        manager->SetHelpContext(selected && control ? HelpIdOf(control) : 0);
    // The press loop cleared the hot item of the control it runs: that is
    // no change of the user's pointing.
    if (control && m_nSuppressedPromptIndex == control->GetIndex()) {
        if (!selected)
            m_nSuppressedPromptIndex = -1;
        return;
    }
    m_nSuppressedPromptIndex = -1;
    ShowStatusPrompt(selected && control ? control->GetDescription() : CString());
}

void CKvoCommandBar::ShowStatusPrompt(const CString& text)
{
    CKvoBarManager* manager = GetBarManager();
    CWnd* target = manager && manager->GetSite() ? manager->GetSite() : GetSite();
    if (!target || !target->GetSafeHwnd())
        return;
    if (!text.IsEmpty())
        target->SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(static_cast<LPCWSTR>(text)));
    else
        target->SendMessage(WM_POPMESSAGESTRING, kIdleMessageId);
}

// ---- context help ----

BOOL CKvoCommandBar::IsHelpMode() const
{
    CWnd* site = GetSite();
    CFrameWnd* frame = site ? DYNAMIC_DOWNCAST(CFrameWnd, site) : nullptr;
    return frame && frame->IsHelpMode();
}

LRESULT CKvoCommandBar::OnNcHitTestMessage(WPARAM wParam, LPARAM lParam)
{
    if (!IsHelpMode())
        return DefWindowProc(WM_NCHITTEST, wParam, lParam);
    CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    ScreenToClient(&point);
    CKvoControl* control = m_pControls->HitTestControl(point);
    const int type = control ? control->GetType() : 0;
    const BOOL opensPopup =
        type == KvoControlTypePopup || type == KvoControlTypeButtonPopup || type == KvoControlTypeSplitButtonPopup;
    return opensPopup && static_cast<int>(control->GetID()) <= 0 ? HTMENU : HTCLIENT;
}

LRESULT CKvoCommandBar::OnNcLButtonDownMessage(WPARAM wParam, LPARAM lParam)
{
    if (!IsHelpMode())
        return DefWindowProc(WM_NCLBUTTONDOWN, wParam, lParam);
    CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    ScreenToClient(&point);
    OnLButtonDown(0, point);
    return 0;
}

LRESULT CKvoCommandBar::OnHelpHitTest(WPARAM, LPARAM lParam)
{
    const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    if (CKvoControl* control = m_pControls->HitTestControl(point))
        return kHelpBaseCommand + HelpIdOf(control);
    const UINT id = LOWORD(GetDlgCtrlID());
    return id ? kHelpBaseControl + id : 0;
}
