#include "commandbars/KvoPopupBar.h"
#include "commandbars/KvoControl.h"

// Registered with the command-bar classes in their start-up order, not here.
CObject* PASCAL CKvoPopupBar::CreateObject()
{
    return new CKvoPopupBar;
}
IMPLEMENT_RUNTIMECLASS(CKvoPopupBar, CKvoCommandBar, VERSIONABLE_SCHEMA | 33, CKvoPopupBar::CreateObject)

CKvoPopupBar::CKvoPopupBar() : m_pControlPopup(nullptr)
{
    m_barType = KvoBarTypePopup;
    m_barPosition = KvoBarPopup;
}

CKvoCommandBar* CKvoPopupBar::GetParentCommandBar() const
{
    return m_pControlPopup ? m_pControlPopup->GetParent() : nullptr;
}
