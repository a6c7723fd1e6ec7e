#pragma once
#include <afxwin.h>
#include <vector>

// A watcher of another window's messages, registered with CKvoHookManager.
class CKvoHookManagerHookAble {
public:
    CKvoHookManagerHookAble();
    virtual ~CKvoHookManagerHookAble();

    // Offered each message of a hooked window before the window's own
    // procedure: 0 not handled (the next client, then the window, see it),
    // 1 handled (result is the answer; the window does not see it), 2 the
    // other clients are skipped and the window sees it. wParam and lParam
    // may be changed for those that follow. The keyboard code calls it with
    // a NULL window.
    virtual int OnHookMessage(HWND hWnd, UINT message, WPARAM& wParam, LPARAM& lParam, LRESULT& result) = 0;

    // The manager deletes the client once it has left every window.
    BOOL m_bAutoDelete;
};

// Lets any number of clients watch the messages of windows they do not own:
// a window is subclassed once, on its first client, and given back its
// procedure when the last client leaves or it is destroyed. UI thread only.
//
// Clients may add and remove themselves and others, and destroy the window,
// while a message is being offered: a removed client is not called again,
// and removed clients and windows are forgotten (auto-delete clients
// deleted) only when the outermost message has been offered.
class CKvoHookManager {
public:
    static CKvoHookManager* Instance();
    // Gives every window back its procedure.
    ~CKvoHookManager();

    // Adds the client after the window's others, unless it is there.
    void SetHook(HWND hWnd, CKvoHookManagerHookAble* client);
    void RemoveHook(HWND hWnd, CKvoHookManagerHookAble* client);
    // Removes the client from every window it watches.
    void RemoveAll(CKvoHookManagerHookAble* client);
    // Removes every client of the window and gives it its procedure back.
    void RemoveAll(HWND hWnd);

    // Whether the window is subclassed and the client among its watchers.
    BOOL IsHooked(HWND hWnd, CKvoHookManagerHookAble* client = NULL) const;

    // The clients of one subclassed window in the order they were added.
    class CHookSink {
    public:
        CHookSink(HWND hWnd, WNDPROC oldProc, BOOL unicode);

        HWND m_hWnd;
        WNDPROC m_pfnOldWndProc;
        BOOL m_bUnicode;
        // Removed clients stay, marked, until no message is being offered.
        struct Entry {
            CKvoHookManagerHookAble* client;
            bool removed;
        };
        std::vector<Entry> m_entries;
        bool m_bUnhooked; // the procedure was given back

        bool Contains(const CKvoHookManagerHookAble* client) const;
        bool HasClients() const;
    };

private:
    CKvoHookManager();
    CKvoHookManager(const CKvoHookManager&) = delete;
    CKvoHookManager& operator=(const CKvoHookManager&) = delete;

    static LRESULT CALLBACK HookWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(CHookSink* sink, UINT message, WPARAM wParam, LPARAM lParam);
    CHookSink* FindSink(HWND hWnd) const;
    void MarkRemoved(CHookSink* sink, CKvoHookManagerHookAble* client);
    // Gives the window its procedure back (once) and forgets the sink.
    void Unhook(CHookSink* sink);
    // Drops removed entries and sinks and deletes auto-delete clients that
    // watch nothing, when no message is being offered.
    void Settle();
    bool IsHookedAnywhere(const CKvoHookManagerHookAble* client) const;

    std::vector<CHookSink*> m_sinks;     // subclassed windows
    std::vector<CHookSink*> m_unhooked;  // given back, deleted by Settle
    std::vector<CKvoHookManagerHookAble*> m_pendingDeletes;
    int m_dispatchDepth;
};
