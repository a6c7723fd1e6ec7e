#include "commandbars/KvoKeyboardManager.h"
#include "commandbars/KvoMouseManager.h"
#include "foundation/base/KvoHookManager.h"

namespace {
// Frees each thread's manager (and its hooks) when the thread ends.
CThreadLocal<CKvoKeyboardManager> g_keyboardManager;

const LPARAM kAltDownBit = 1 << 29;
const LPARAM kRepeatBit = 1 << 30;
const LPARAM kReleaseBit = static_cast<LPARAM>(1u << 31);
} // namespace

CKvoKeyboardManager::CKvoKeyboardManager() : m_hKeyboardHook(nullptr), m_hCallWndProcHook(nullptr), m_clients(10) {}

CKvoKeyboardManager::~CKvoKeyboardManager()
{
    SetKeyboardHook(FALSE);
    SetCallWndProcHook(FALSE);
}

CKvoKeyboardManager* CKvoKeyboardManager::ForThisThread()
{
    return g_keyboardManager.GetData();
}

CKvoKeyboardManager* CKvoKeyboardManager::ExistingForThisThread()
{
    return g_keyboardManager.GetDataNA();
}

void CKvoKeyboardManager::SetKeyboardHook(BOOL install)
{
    if (install && !m_hKeyboardHook)
        m_hKeyboardHook = ::SetWindowsHookExW(WH_KEYBOARD, KeyboardProc, AfxGetInstanceHandle(), ::GetCurrentThreadId());
    else if (!install && m_hKeyboardHook) {
        ::UnhookWindowsHookEx(m_hKeyboardHook);
        m_hKeyboardHook = nullptr;
    }
}

void CKvoKeyboardManager::SetCallWndProcHook(BOOL install)
{
    if (install && !m_hCallWndProcHook)
        m_hCallWndProcHook = ::SetWindowsHookExW(WH_CALLWNDPROC, CallWndProc, AfxGetInstanceHandle(),
                                                 ::GetCurrentThreadId());
    else if (!install && m_hCallWndProcHook) {
        ::UnhookWindowsHookEx(m_hCallWndProcHook);
        m_hCallWndProcHook = nullptr;
    }
}

void CKvoKeyboardManager::HookBar(CKvoHookManagerHookAble* client)
{
    SetKeyboardHook(TRUE);
    SetCallWndProcHook(TRUE);
    if (!IsHooked(client))
        m_clients.AddTail(client);
}

void CKvoKeyboardManager::UnhookBar(CKvoHookManagerHookAble* client)
{
    if (POSITION position = m_clients.Find(client))
        m_clients.RemoveAt(position);
    if (m_clients.IsEmpty()) {
        SetKeyboardHook(FALSE);
        SetCallWndProcHook(FALSE);
    }
}

BOOL CKvoKeyboardManager::OnKey(WPARAM virtualKey, LPARAM keyData)
{
    CKvoMouseManager* mouseManager = CKvoMouseManager::ForThisThread();
    // Alt closes the menus, once per press; inside a locked loop (tear-off,
    // resize) it is a key like the others.
    if (virtualKey == VK_MENU && (keyData & kAltDownBit) && !mouseManager->IsMouseLocked()) {
        if (keyData & kRepeatBit)
            return FALSE;
        mouseManager->SendTrackLost();
        return TRUE;
    }
    // Clients may unhook themselves while they handle the key.
    CArray<CKvoHookManagerHookAble*, CKvoHookManagerHookAble*> clients;
    for (POSITION position = m_clients.GetTailPosition(); position;)
        clients.Add(m_clients.GetPrev(position));
    for (INT_PTR index = 0; index < clients.GetSize(); ++index) {
        if (!IsHooked(clients[index]))
            continue;
        WPARAM wParam = virtualKey;
        LPARAM lParam = keyData;
        LRESULT result = 0;
        const int answer = clients[index]->OnHookMessage(nullptr, WM_KEYDOWN, wParam, lParam, result);
        if (answer != 0)
            return answer == 1;
    }
    return TRUE;
}

LRESULT CALLBACK CKvoKeyboardManager::KeyboardProc(int code, WPARAM wParam, LPARAM lParam)
{
    CKvoKeyboardManager* manager = ForThisThread();
    if (code == HC_ACTION && !(lParam & kReleaseBit) && !manager->m_clients.IsEmpty() && manager->OnKey(wParam, lParam))
        return 1;
    return ::CallNextHookEx(manager->m_hKeyboardHook, code, wParam, lParam);
}

LRESULT CALLBACK CKvoKeyboardManager::CallWndProc(int code, WPARAM wParam, LPARAM lParam)
{
    CKvoKeyboardManager* manager = ForThisThread();
    const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_ACTIVATEAPP && !call->wParam)
        CKvoMouseManager::ForThisThread()->SendTrackLost();
    return ::CallNextHookEx(manager->m_hCallWndProcHook, code, wParam, lParam);
}
