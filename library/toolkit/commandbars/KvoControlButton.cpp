#include "commandbars/KvoControlButton.h"
#include "commandbars/KvoCommandBar.h"

// Registered with the command-bar classes in their start-up order, not here.
CObject* PASCAL CKvoControlButton::CreateObject()
{
    return new CKvoControlButton;
}
IMPLEMENT_RUNTIMECLASS(CKvoControlButton, CKvoControl, VERSIONABLE_SCHEMA | 33, CKvoControlButton::CreateObject)

CKvoControlButton::CKvoControlButton()
{
    m_controlType = KvoControlTypeButton;
}

void CKvoControlButton::OnClick(BOOL keyboard, CPoint point)
{
    if (GetEnabled() == 0)
        return;
    if (IsCustomizeMode()) {
        m_pParent->SetOpenPopupControl(-1, FALSE);
        m_pParent->SetSelected(-1, FALSE);
        OnCustomizeMouseDown(point);
        return;
    }
    if (keyboard)
        OnExecute();
    else if (m_pParent && m_pParent->GetType() != KvoBarTypePopup)
        TrackPress();
}

void CKvoControlButton::OnLButtonUp(CPoint)
{
    if (GetEnabled() == 0 || !m_pParent)
        return;
    if (m_pParent->GetType() == KvoBarTypePopup || m_pParent->GetPosition() == KvoBarPopup)
        OnExecute();
}
