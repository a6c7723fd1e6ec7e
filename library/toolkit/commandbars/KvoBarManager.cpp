#include "commandbars/KvoBarManager.h"
#include "commandbars/KvoControl.h"
#include "commandbars/KvoControlAction.h"
#include "commandbars/KvoPaintManager.h"
#include "foundation/images/KvoImageManager.h"

CKvoBarManager::CKvoBarManager()
    : m_pSite(nullptr), m_pActions(new CKvoControlActions(this)), m_bEnableActions(FALSE), m_bCustomizeMode(FALSE),
      m_bCustomizeAvail(FALSE), m_pCustomizeSelection(nullptr)
{
}

CKvoBarManager::~CKvoBarManager()
{
    SetCustomizeSelection(nullptr);
    m_pActions->InternalRelease();
}

CKvoPaintManager* CKvoBarManager::GetPaintManager() const
{
    return CKvoPaintManager::SharedInstance();
}

CKvoImageManager* CKvoBarManager::GetImageManager() const
{
    return CKvoImageManager::Instance();
}

CKvoControlAction* CKvoBarManager::FindAction(UINT id) const
{
    return m_pActions->FindAction(id);
}

CKvoControlAction* CKvoBarManager::FindOrAddAction(UINT id)
{
    return m_pActions->FindOrAdd(id);
}

void CKvoBarManager::SetCustomizeMode(BOOL customize)
{
    m_bCustomizeMode = customize;
    SetCustomizeSelection(nullptr);
}

void CKvoBarManager::SetCustomizeSelection(CKvoControl* control)
{
    if (control == m_pCustomizeSelection)
        return;
    CKvoControl* previous = m_pCustomizeSelection;
    m_pCustomizeSelection = control;
    if (previous) {
        previous->RedrawParent(TRUE);
        previous->InternalRelease();
    }
    if (control) {
        control->InternalAddRef();
        control->RedrawParent(TRUE);
    }
}

void CKvoBarManager::OnCommandExecuted(UINT id)
{
    if (IsPersonalizedCommand(id))
        m_mapUsedCommands.SetAt(id, TRUE);
}

BOOL CKvoBarManager::IsCommandUsed(UINT id) const
{
    BOOL used = FALSE;
    return m_mapUsedCommands.Lookup(id, used) && used;
}

void CKvoBarManager::ClosePopups(CKvoBarManager*)
{
    // Bars register with the thread's mouse manager when they track popups;
    // until a bar opens one there is nothing to close.
}
