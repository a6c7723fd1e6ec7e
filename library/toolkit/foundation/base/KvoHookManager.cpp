#include "foundation/base/KvoHookManager.h"
#include <afxstat_.h>
#include <algorithm>

CKvoHookManagerHookAble::CKvoHookManagerHookAble() : m_bAutoDelete(FALSE)
{
}

CKvoHookManagerHookAble::~CKvoHookManagerHookAble()
{
}

CKvoHookManager::CHookSink::CHookSink(HWND hWnd, WNDPROC oldProc, BOOL unicode)
    : m_hWnd(hWnd), m_pfnOldWndProc(oldProc), m_bUnicode(unicode), m_bUnhooked(false)
{
}

bool CKvoHookManager::CHookSink::Contains(const CKvoHookManagerHookAble* client) const
{
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [client](const Entry& entry) { return !entry.removed && entry.client == client; });
}

bool CKvoHookManager::CHookSink::HasClients() const
{
    return std::any_of(m_entries.begin(), m_entries.end(), [](const Entry& entry) { return !entry.removed; });
}

namespace {
// Makes the message the thread's current one for framework objects that
// ask for it (CWnd::Default) while a client handles it.
class CurrentMessageScope {
public:
    CurrentMessageScope(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
        : m_state(AfxGetThreadState()), m_previous(m_state->m_lastSentMsg)
    {
        m_state->m_lastSentMsg = {hWnd, message, wParam, lParam, 0, {0, 0}};
    }
    ~CurrentMessageScope() { m_state->m_lastSentMsg = m_previous; }

private:
    AFX_THREAD_STATE* m_state;
    MSG m_previous;
};

// A client that throws counts as not having handled the message: nothing
// leaves a window procedure.
int OfferToClient(CKvoHookManagerHookAble* client, HWND hWnd, UINT message, WPARAM& wParam, LPARAM& lParam,
                  LRESULT& result)
{
    try {
        return client->OnHookMessage(hWnd, message, wParam, lParam, result);
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    return 0;
}
}

CKvoHookManager* CKvoHookManager::Instance()
{
    static CKvoHookManager instance;
    return &instance;
}

CKvoHookManager::CKvoHookManager() : m_dispatchDepth(0)
{
}

CKvoHookManager::~CKvoHookManager()
{
    m_dispatchDepth = 0;
    while (!m_sinks.empty())
        RemoveAll(m_sinks.back()->m_hWnd);
    Settle();
}

CKvoHookManager::CHookSink* CKvoHookManager::FindSink(HWND hWnd) const
{
    for (CHookSink* sink : m_sinks)
        if (sink->m_hWnd == hWnd)
            return sink;
    return nullptr;
}

void CKvoHookManager::SetHook(HWND hWnd, CKvoHookManagerHookAble* client)
{
    if (!client || !hWnd || !::IsWindow(hWnd))
        return;
    CHookSink* sink = FindSink(hWnd);
    if (!sink) {
        const BOOL unicode = ::IsWindowUnicode(hWnd);
        WNDPROC hookProc = &CKvoHookManager::HookWndProc;
        LONG_PTR previous = unicode ? ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hookProc))
                                    : ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hookProc));
        if (!previous)
            return;
        sink = new CHookSink(hWnd, reinterpret_cast<WNDPROC>(previous), unicode);
        m_sinks.push_back(sink);
    }
    if (sink->Contains(client))
        return;
    sink->m_entries.push_back({client, false});
    // A client hooked again is no longer waiting to be deleted.
    m_pendingDeletes.erase(std::remove(m_pendingDeletes.begin(), m_pendingDeletes.end(), client),
                           m_pendingDeletes.end());
}

void CKvoHookManager::MarkRemoved(CHookSink* sink, CKvoHookManagerHookAble* client)
{
    for (CHookSink::Entry& entry : sink->m_entries) {
        if (entry.removed || entry.client != client)
            continue;
        entry.removed = true;
        if (client->m_bAutoDelete &&
            std::find(m_pendingDeletes.begin(), m_pendingDeletes.end(), client) == m_pendingDeletes.end())
            m_pendingDeletes.push_back(client);
    }
}

void CKvoHookManager::RemoveHook(HWND hWnd, CKvoHookManagerHookAble* client)
{
    CHookSink* sink = FindSink(hWnd);
    if (!sink || !client)
        return;
    MarkRemoved(sink, client);
    if (!sink->HasClients())
        Unhook(sink);
    Settle();
}

void CKvoHookManager::RemoveAll(CKvoHookManagerHookAble* client)
{
    if (!client)
        return;
    // The sinks that empty are taken out of the list inside the loop.
    std::vector<CHookSink*> sinks = m_sinks;
    for (CHookSink* sink : sinks) {
        if (!sink->Contains(client))
            continue;
        MarkRemoved(sink, client);
        if (!sink->HasClients())
            Unhook(sink);
    }
    Settle();
}

void CKvoHookManager::RemoveAll(HWND hWnd)
{
    CHookSink* sink = FindSink(hWnd);
    if (!sink)
        return;
    // Auto-delete clients go from the last to the first added.
    for (auto entry = sink->m_entries.rbegin(); entry != sink->m_entries.rend(); ++entry)
        if (!entry->removed)
            MarkRemoved(sink, entry->client);
    Unhook(sink);
    Settle();
}

BOOL CKvoHookManager::IsHooked(HWND hWnd, CKvoHookManagerHookAble* client) const
{
    CHookSink* sink = FindSink(hWnd);
    if (!sink)
        return FALSE;
    return client ? sink->Contains(client) : sink->HasClients();
}

void CKvoHookManager::Unhook(CHookSink* sink)
{
    if (sink->m_bUnhooked)
        return;
    sink->m_bUnhooked = true;
    m_sinks.erase(std::remove(m_sinks.begin(), m_sinks.end(), sink), m_sinks.end());
    m_unhooked.push_back(sink);
    if (::IsWindow(sink->m_hWnd)) {
        const LONG_PTR previous = reinterpret_cast<LONG_PTR>(sink->m_pfnOldWndProc);
        if (sink->m_bUnicode)
            ::SetWindowLongPtrW(sink->m_hWnd, GWLP_WNDPROC, previous);
        else
            ::SetWindowLongPtrA(sink->m_hWnd, GWLP_WNDPROC, previous);
    }
}

bool CKvoHookManager::IsHookedAnywhere(const CKvoHookManagerHookAble* client) const
{
    return std::any_of(m_sinks.begin(), m_sinks.end(),
                       [client](const CHookSink* sink) { return sink->Contains(client); });
}

void CKvoHookManager::Settle()
{
    // A message is still being offered: its loop holds sinks and clients.
    if (m_dispatchDepth > 0)
        return;
    for (CHookSink* sink : m_sinks)
        sink->m_entries.erase(std::remove_if(sink->m_entries.begin(), sink->m_entries.end(),
                                             [](const CHookSink::Entry& entry) { return entry.removed; }),
                              sink->m_entries.end());
    std::vector<CHookSink*> unhooked;
    unhooked.swap(m_unhooked);
    for (CHookSink* sink : unhooked)
        delete sink;
    // Clients go in the order they were removed (a window's from the last
    // added to the first). Deleting one may unhook others from its
    // destructor, which adds to the list again.
    while (!m_pendingDeletes.empty()) {
        CKvoHookManagerHookAble* client = m_pendingDeletes.front();
        m_pendingDeletes.erase(m_pendingDeletes.begin());
        if (!IsHookedAnywhere(client))
            delete client;
    }
}

LRESULT CALLBACK CKvoHookManager::HookWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CKvoHookManager* manager = Instance();
    CHookSink* sink = manager->FindSink(hWnd);
    if (!sink)
        return 0;
    CurrentMessageScope current(hWnd, message, wParam, lParam);
    return manager->Dispatch(sink, message, wParam, lParam);
}

LRESULT CKvoHookManager::Dispatch(CHookSink* sink, UINT message, WPARAM wParam, LPARAM lParam)
{
    const WNDPROC previous = sink->m_pfnOldWndProc;
    const HWND hWnd = sink->m_hWnd;
    ++m_dispatchDepth;
    LRESULT result = 0;
    bool handled = false;
    if (message == WM_NCDESTROY) {
        // The window's own procedure must be back in place before it sees
        // its last message; its clients are forgotten.
        for (auto entry = sink->m_entries.rbegin(); entry != sink->m_entries.rend(); ++entry)
            if (!entry->removed)
                MarkRemoved(sink, entry->client);
        Unhook(sink);
    } else {
        // The clients as they are now, the last added first; one removed
        // meanwhile is skipped.
        std::vector<CKvoHookManagerHookAble*> clients;
        for (auto entry = sink->m_entries.rbegin(); entry != sink->m_entries.rend(); ++entry)
            if (!entry->removed)
                clients.push_back(entry->client);
        for (CKvoHookManagerHookAble* client : clients) {
            if (!sink->Contains(client))
                continue;
            const int answer = OfferToClient(client, hWnd, message, wParam, lParam, result);
            if (answer == 1) {
                handled = true;
                break;
            }
            if (answer == 2)
                break;
        }
    }
    if (!handled)
        result = ::IsWindow(hWnd) ? ::CallWindowProcW(previous, hWnd, message, wParam, lParam) : 0;
    --m_dispatchDepth;
    Settle();
    return result;
}
