#include "commandbars/KvoControlAction.h"
#include "commandbars/KvoBarManager.h"
#include "commandbars/KvoControl.h"
#include "commandbars/KvoPrompt.h"
#include "foundation/base/KvoResourceManager.h"

CKvoControlAction::CKvoControlAction(CKvoControlActions* owner)
    : m_pTag(nullptr), m_nId(0), m_nIconId(0), m_nHelpId(0), m_bEnabled(TRUE), m_bChecked(FALSE),
      m_bVisible(TRUE), m_pOwner(owner)
{
}

CKvoControlAction::~CKvoControlAction()
{
    // Controls may outlive the action list: each bound one is unbound as by
    // SetAction(NULL), so that none keeps a pointer to this action.
    while (!m_arrControls.IsEmpty())
        m_arrControls[m_arrControls.GetSize() - 1]->SetAction(nullptr);
    if (m_pTag)
        m_pTag->InternalRelease();
}

CKvoControl* CKvoControlAction::GetControl(int index) const
{
    return index >= 0 && index < GetControlCount() ? m_arrControls[index] : nullptr;
}

template <class Change>
void CKvoControlAction::AnnounceChange(int property, Change change)
{
    NotifyChanging(property);
    change();
    NotifyChanged(property);
    DelayLayoutControls();
}

void CKvoControlAction::SetCaption(LPCWSTR caption)
{
    CString text;
    if (IS_INTRESOURCE(caption))
        text = CKvoResourceManager::Instance()->LoadString(static_cast<UINT>(reinterpret_cast<UINT_PTR>(caption)));
    else
        text = caption;
    int tab = text.Find(L'\t');
    if (tab >= 0)
        text = text.Left(tab);
    if (text != m_strCaption)
        AnnounceChange(KvoActionCaption, [&] { m_strCaption = text; });
}

void CKvoControlAction::SetCaption(UINT stringId)
{
    SetCaption(MAKEINTRESOURCEW(stringId));
}

void CKvoControlAction::SetPrompt(LPCWSTR text)
{
    if (!text || !*text)
        return;
    const CKvoPrompt prompt(text);
    if (prompt.GetPartCount() > 1) {
        m_strTooltip = prompt.GetPart(CKvoPrompt::Tooltip);
        m_strDescription = prompt.GetPart(CKvoPrompt::Description);
    } else {
        m_strTooltip = prompt.GetText();
        m_strDescription = prompt.GetText();
    }
    if (m_strKeyboardTip.IsEmpty())
        m_strKeyboardTip = prompt.GetPart(CKvoPrompt::KeyboardTip);
}

void CKvoControlAction::SetEnabled(BOOL enabled)
{
    if (m_bEnabled != enabled)
        AnnounceChange(KvoActionEnabled, [&] { m_bEnabled = enabled; });
}

void CKvoControlAction::SetChecked(BOOL checked)
{
    if (m_bChecked == checked)
        return;
    m_bChecked = checked;
    for (int i = 0; i < GetControlCount(); ++i)
        m_arrControls[i]->RedrawParent(TRUE);
}

void CKvoControlAction::SetVisible(BOOL visible)
{
    if (m_bVisible != visible)
        AnnounceChange(KvoActionVisible, [&] { m_bVisible = visible; });
}

void CKvoControlAction::SetEditHint(LPCWSTR hint)
{
    CString text(hint);
    if (text != m_strEditHint)
        AnnounceChange(KvoActionEditHint, [&] { m_strEditHint = text; });
}

void CKvoControlAction::SetTag(CCmdTarget* attached)
{
    if (m_pTag)
        m_pTag->InternalRelease();
    m_pTag = attached;
}

BOOL CKvoControlAction::GetEnabled() const
{
    CKvoBarManager* manager = m_pOwner ? m_pOwner->GetBarManager() : nullptr;
    if (manager && manager->IsCustomizeMode())
        return TRUE;
    return m_bEnabled;
}

void CKvoControlAction::AddControl(CKvoControl* control)
{
    for (int i = 0; i < GetControlCount(); ++i)
        if (m_arrControls[i] == control)
            return;
    m_arrControls.Add(control);
    control->m_nEnabled = -1;
    control->m_nChecked = -1;
    control->m_nId = m_nId;
    control->m_strCaption.Empty();
    control->m_strTooltipText.Empty();
    control->m_strDescriptionText.Empty();
    control->m_strCategory.Empty();
    control->m_strShortcutText.Empty();
    control->m_strKeyboardTip.Empty();
}

void CKvoControlAction::RemoveControl(CKvoControl* control)
{
    for (int i = 0; i < GetControlCount(); ++i) {
        if (m_arrControls[i] == control) {
            m_arrControls.RemoveAt(i);
            control->m_nEnabled = 1;
            control->m_nChecked = 0;
            control->m_pAction = nullptr;
            return;
        }
    }
}

void CKvoControlAction::NotifyChanging(int property)
{
    for (int i = 0; i < GetControlCount(); ++i)
        m_arrControls[i]->OnActionChanging(property);
}

void CKvoControlAction::NotifyChanged(int property)
{
    for (int i = 0; i < GetControlCount(); ++i)
        m_arrControls[i]->OnActionChanged(property);
}

void CKvoControlAction::DelayLayoutControls()
{
    for (int i = 0; i < GetControlCount(); ++i)
        m_arrControls[i]->DelayLayout();
}

// The list ---------------------------------------------------------------------

CKvoControlActions::CKvoControlActions(CKvoBarManager* manager) : m_pBarManager(manager) {}

CKvoControlActions::~CKvoControlActions()
{
    RemoveAll();
}

void CKvoControlActions::RemoveAll()
{
    while (!m_arrActions.IsEmpty()) {
        CKvoControlAction* action = m_arrActions[m_arrActions.GetSize() - 1];
        m_arrActions.RemoveAt(m_arrActions.GetSize() - 1);
        action->InternalRelease();
    }
}

CKvoControlAction* CKvoControlActions::GetAt(int index) const
{
    return index >= 0 && index < GetCount() ? m_arrActions[index] : nullptr;
}

CKvoControlAction* CKvoControlActions::FindAction(UINT id) const
{
    if (!IsValidId(id))
        return nullptr;
    int low = 0, high = GetCount() - 1;
    while (low <= high) {
        int middle = (low + high) / 2;
        UINT middleId = m_arrActions[middle]->GetID();
        if (middleId == id)
            return m_arrActions[middle];
        if (middleId < id)
            low = middle + 1;
        else
            high = middle - 1;
    }
    return nullptr;
}

CKvoControlAction* CKvoControlActions::FindOrAdd(UINT id)
{
    CKvoControlAction* action = FindAction(id);
    if (action)
        return action;
    action = new CKvoControlAction(this);
    Add(id, action);
    return action;
}

void CKvoControlActions::Add(UINT id, CKvoControlAction* action)
{
    action->m_nId = id;
    BOOL missing = FALSE;
    CString prompt = CKvoResourceManager::Instance()->LoadString(id, &missing);
    if (!missing)
        action->SetPrompt(prompt);
    int position = 0;
    while (position < GetCount() && m_arrActions[position]->GetID() <= id)
        ++position;
    m_arrActions.InsertAt(position, action);
}
