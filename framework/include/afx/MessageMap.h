// Message maps: the static tables through which a command target finds the
// handler of a message, a command or a notification. Each entry holds a small
// dispatcher made for its handler's signature, so a handler of the wrong
// signature does not compile. A class's map chains to its base class's map.
// Part of <afxwin.h>; include that instead.
#pragma once

class CCmdTarget;

// One message, command or notification on its way to a handler.
struct AFX_CALL
{
    UINT nMessage;
    WPARAM wParam;
    LPARAM lParam;
    // Command and notification routing: the control or command id, and the
    // CCmdUI or AFX_NOTIFY the handler receives.
    UINT nID;
    void* pExtra;
    LRESULT lResult;
};

// Calls the handler; FALSE when the handler declined (the _EX entries), so
// the search goes on.
typedef BOOL (*AFX_PMSGDISPATCH)(CCmdTarget* pTarget, AFX_CALL& call);

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;
    // Notification code of WM_COMMAND and WM_NOTIFY entries (low word kept).
    UINT nCode;
    UINT nID;
    UINT nLastID;
    AFX_PMSGDISPATCH pfnDispatch;
    // The variable that holds the message of an ON_REGISTERED_MESSAGE entry.
    const UINT* pnRegisteredMessage;
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP*(PASCAL* pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Routing data of an ON_NOTIFY handler.
struct AFX_NOTIFY
{
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

#define afx_msg
#define AFX_MSG_CALL

// Command routing codes: OnCmdMsg's nCode carries the notification code in
// its low word and the message (0 for WM_COMMAND) in its high word.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((UINT)(-1))

// Messages reflected back to the child control that sent them.
#define WM_REFLECT_BASE 0xBC00
// The one map message of the WM_CTLCOLOR family (WM_CTLCOLORMSGBOX...).
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif

#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* PASCAL GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const \
    { \
        return GetThisMessageMap(); \
    } \
    const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap() \
    { \
        using ThisClass [[maybe_unused]] = theClass; \
        using TheBaseClass = baseClass; \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP() \
    {0, 0, 0, 0, nullptr, nullptr}}; \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
    return &messageMap; \
    }
