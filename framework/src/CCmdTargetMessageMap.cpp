// The message-map search shared by windows and other command targets.
#include <afxwin.h>

namespace
{

bool EntryMatches(const AFX_MSGMAP_ENTRY& entry, UINT nMessage, UINT nCode, UINT nID)
{
    if (entry.pnRegisteredMessage != nullptr)
        return *entry.pnRegisteredMessage == nMessage && nMessage != 0;
    return entry.nMessage == nMessage && LOWORD(entry.nCode) == LOWORD(nCode) && nID >= entry.nID &&
           nID <= entry.nLastID;
}

} // namespace

const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY _messageEntries[] = {{0, 0, 0, 0, nullptr, nullptr}};
    static const AFX_MSGMAP messageMap = {nullptr, &_messageEntries[0]};
    return &messageMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

BOOL CCmdTarget::DispatchFromMaps(UINT nMessage, UINT nCode, UINT nID, AFX_CALL& call)
{
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != nullptr;
         pMap = pMap->pfnGetBaseMap != nullptr ? pMap->pfnGetBaseMap() : nullptr)
    {
        for (const AFX_MSGMAP_ENTRY* pEntry = pMap->lpEntries; pEntry->pfnDispatch != nullptr; ++pEntry)
        {
            if (EntryMatches(*pEntry, nMessage, nCode, nID) && pEntry->pfnDispatch(this, call))
                return TRUE;
        }
    }
    return FALSE;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO*)
{
    UINT nMessage = WM_COMMAND;
    UINT nNotifyCode = LOWORD(nCode);
    if (static_cast<UINT>(nCode) != CN_UPDATE_COMMAND_UI && HIWORD(nCode) != 0)
        nMessage = HIWORD(nCode);
    AFX_CALL call = {nMessage, 0, 0, nID, pExtra, 0};
    return DispatchFromMaps(nMessage, nNotifyCode, nID, call);
}
