#pragma once
#include <afxmt.h>
#include <afxtempl.h>
#include <afxwin.h>

class CKvoHookManagerHookAble;

// Gives the tracking bars of one UI thread the keyboard: while a bar is
// hooked, a thread keyboard hook offers every key press to the hooked bars
// (the newest first) before the focus window sees it, and a
// call-window-procedure hook closes the menus when the application loses
// activation. One per thread, made on first use; the hooks exist only
// while a bar is hooked.
class CKvoKeyboardManager : public CNoTrackObject {
public:
    CKvoKeyboardManager();
    ~CKvoKeyboardManager() override;

    // The calling thread's manager, made on first use.
    static CKvoKeyboardManager* ForThisThread();
    // The calling thread's manager when one was made, else NULL.
    static CKvoKeyboardManager* ExistingForThisThread();

    // Installs the hooks when missing (a failed install is retried on the
    // next call) and appends client unless hooked already.
    void HookBar(CKvoHookManagerHookAble* client);
    // The hooks go with the last client.
    void UnhookBar(CKvoHookManagerHookAble* client);
    BOOL IsHooked(CKvoHookManagerHookAble* client) const { return m_clients.Find(client) != nullptr; }
    int GetHookedCount() const { return static_cast<int>(m_clients.GetCount()); }

    void SetKeyboardHook(BOOL install);
    void SetCallWndProcHook(BOOL install);

private:
    static LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK CallWndProc(int code, WPARAM wParam, LPARAM lParam);
    // TRUE: the key is swallowed.
    BOOL OnKey(WPARAM virtualKey, LPARAM keyData);

    HHOOK m_hKeyboardHook;
    HHOOK m_hCallWndProcHook;
    CList<CKvoHookManagerHookAble*, CKvoHookManagerHookAble*> m_clients;
};
