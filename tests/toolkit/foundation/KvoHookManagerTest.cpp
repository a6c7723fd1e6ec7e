#include <gtest/gtest.h>
#include <afxwin.h>
#include <afxstat_.h>
#include <functional>
#include <vector>
#include "foundation/base/KvoHookManager.h"

namespace {
// What the hooked window's own procedure saw.
struct HookedWindowLog {
    std::vector<UINT> messages;
    WNDPROC procedureAtNcDestroy = nullptr;
    LPARAM probeLParam = -1;
};

HookedWindowLog* g_hookTestLog = nullptr;
const UINT kHookProbeMessage = WM_APP + 7;

LRESULT CALLBACK HookTestWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (g_hookTestLog) {
        g_hookTestLog->messages.push_back(message);
        if (message == kHookProbeMessage)
            g_hookTestLog->probeLParam = lParam;
        if (message == WM_NCDESTROY)
            g_hookTestLog->procedureAtNcDestroy = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

// A client that records what it is offered and answers what the test says;
// its action runs inside OnHookMessage.
class RecordingHookClient : public CKvoHookManagerHookAble {
public:
    RecordingHookClient(std::vector<RecordingHookClient*>* order, int answer = 0, bool autoDelete = false,
                    int* deletions = nullptr)
        : m_order(order), m_answer(answer), m_deletions(deletions)
    {
        m_bAutoDelete = autoDelete;
    }
    ~RecordingHookClient() override
    {
        if (m_deletions)
            ++*m_deletions;
        if (deletedLog)
            deletedLog->push_back(this);
    }
    int OnHookMessage(HWND, UINT message, WPARAM&, LPARAM& lParam, LRESULT& result) override
    {
        if (message != kHookProbeMessage)
            return 0;
        if (m_order)
            m_order->push_back(this);
        seenCurrentMessage = AfxGetThreadState()->m_lastSentMsg.message;
        lParam += 1;
        result = 42;
        if (action)
            action();
        return m_answer;
    }
    std::function<void()> action;
    UINT seenCurrentMessage = 0;
    std::vector<RecordingHookClient*>* deletedLog = nullptr;

private:
    std::vector<RecordingHookClient*>* m_order;
    int m_answer;
    int* m_deletions;
};

class HookManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_hookTestLog = &m_log;
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = HookTestWindowProc;
        windowClass.hInstance = ::GetModuleHandleW(NULL);
        windowClass.lpszClassName = L"KvoHookManagerTestWindow";
        AfxRegisterClass(&windowClass);
        m_window = ::CreateWindowExW(0, windowClass.lpszClassName, L"", WS_POPUP, 0, 0, 50, 50, NULL, NULL,
                                     windowClass.hInstance, NULL);
        m_other = ::CreateWindowExW(0, windowClass.lpszClassName, L"", WS_POPUP, 0, 0, 50, 50, NULL, NULL,
                                    windowClass.hInstance, NULL);
        ASSERT_TRUE(m_window && m_other);
    }
    void TearDown() override
    {
        if (::IsWindow(m_window))
            ::DestroyWindow(m_window);
        if (::IsWindow(m_other))
            ::DestroyWindow(m_other);
        g_hookTestLog = nullptr;
    }
    WNDPROC Procedure(HWND hWnd) const { return reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC)); }
    int WindowSaw(UINT message) const
    {
        return static_cast<int>(std::count(m_log.messages.begin(), m_log.messages.end(), message));
    }
    CKvoHookManager* Hooks() { return CKvoHookManager::Instance(); }

    HookedWindowLog m_log;
    HWND m_window = NULL;
    HWND m_other = NULL;
    std::vector<RecordingHookClient*> m_order;
};
}

TEST_F(HookManagerTest, LastAddedClientIsAskedFirstAndCanKeepTheMessage)
{
    RecordingHookClient first(&m_order), keeper(&m_order, 1);
    Hooks()->SetHook(m_window, &first);
    Hooks()->SetHook(m_window, &keeper);
    Hooks()->SetHook(m_window, &keeper); // once only
    EXPECT_EQ(::SendMessageW(m_window, kHookProbeMessage, 0, 0), 42);
    EXPECT_EQ(m_order, std::vector<RecordingHookClient*>({&keeper}));
    EXPECT_EQ(WindowSaw(kHookProbeMessage), 0);
    EXPECT_EQ(keeper.seenCurrentMessage, kHookProbeMessage);
    Hooks()->RemoveAll(&keeper);
    Hooks()->RemoveAll(&first);
}

TEST_F(HookManagerTest, StopAskingStillLetsTheWindowSeeIt)
{
    RecordingHookClient skipped(&m_order), stopper(&m_order, 2), passer(&m_order, 0);
    Hooks()->SetHook(m_window, &skipped);
    Hooks()->SetHook(m_window, &stopper);
    Hooks()->SetHook(m_window, &passer);
    ::SendMessageW(m_window, kHookProbeMessage, 0, 0);
    EXPECT_EQ(m_order, std::vector<RecordingHookClient*>({&passer, &stopper}));
    EXPECT_EQ(WindowSaw(kHookProbeMessage), 1);
    Hooks()->RemoveAll(m_window);
    EXPECT_FALSE(Hooks()->IsHooked(m_window));
}

TEST_F(HookManagerTest, LastClientGoneGivesTheProcedureBackAndAnotherHookTakesItAgain)
{
    const WNDPROC original = Procedure(m_window);
    RecordingHookClient a(&m_order), b(&m_order);
    Hooks()->SetHook(m_window, &a);
    Hooks()->SetHook(m_window, &b);
    EXPECT_NE(Procedure(m_window), original);
    Hooks()->RemoveHook(m_window, &a);
    EXPECT_NE(Procedure(m_window), original);
    Hooks()->RemoveHook(m_window, &b);
    EXPECT_EQ(Procedure(m_window), original);
    EXPECT_FALSE(Hooks()->IsHooked(m_window));
    ::SendMessageW(m_window, kHookProbeMessage, 0, 0);
    EXPECT_TRUE(m_order.empty());
    Hooks()->SetHook(m_window, &a);
    EXPECT_NE(Procedure(m_window), original);
    ::SendMessageW(m_window, kHookProbeMessage, 0, 0);
    EXPECT_EQ(m_order, std::vector<RecordingHookClient*>({&a}));
    Hooks()->RemoveHook(m_window, &a);
    EXPECT_EQ(Procedure(m_window), original);
}

// A client that removes itself while the message is offered is deleted (it
// is the manager's) only after the message has been offered, and never
// asked again; the others still are.
TEST_F(HookManagerTest, ClientRemovingItselfDuringDispatch)
{
    int deletions = 0;
    RecordingHookClient* leaver = new RecordingHookClient(&m_order, 0, true, &deletions);
    RecordingHookClient stayer(&m_order);
    Hooks()->SetHook(m_window, &stayer);
    Hooks()->SetHook(m_window, leaver);
    leaver->action = [&] {
        Hooks()->RemoveHook(m_window, leaver);
        EXPECT_EQ(deletions, 0); // still running: not deleted under itself
    };
    ::SendMessageW(m_window, kHookProbeMessage, 0, 0);
    EXPECT_EQ(deletions, 1);
    ASSERT_EQ(m_order.size(), 2u);
    EXPECT_EQ(m_order[1], &stayer);
    m_order.clear();
    ::SendMessageW(m_window, kHookProbeMessage, 0, 0);
    EXPECT_EQ(m_order, std::vector<RecordingHookClient*>({&stayer}));
    Hooks()->RemoveAll(&stayer);
}

TEST_F(HookManagerTest, ClientRemovingTheNextOneOrUnhookingTheWindowDuringDispatch)
{
    const WNDPROC original = Procedure(m_window);
    int deletions = 0;
    RecordingHookClient* later = new RecordingHookClient(&m_order, 0, true, &deletions);
    RecordingHookClient remover(&m_order);
    Hooks()->SetHook(m_window, later);
    Hooks()->SetHook(m_window, &remover);
    remover.action = [&] { Hooks()->RemoveHook(m_window, later); };
    ::SendMessageW(m_window, kHookProbeMessage, 0, 0);
    EXPECT_EQ(m_order, std::vector<RecordingHookClient*>({&remover}));
    EXPECT_EQ(deletions, 1);
    EXPECT_EQ(WindowSaw(kHookProbeMessage), 1);

    // Unhooking the whole window in the middle: the procedure is back at
    // once, the window still gets this message, and no client is asked.
    RecordingHookClient* owned = new RecordingHookClient(&m_order, 0, true, &deletions);
    Hooks()->SetHook(m_window, owned);
    m_order.clear();
    owned->action = [&] {
        Hooks()->RemoveAll(m_window);
        EXPECT_EQ(Procedure(m_window), original);
    };
    ::SendMessageW(m_window, kHookProbeMessage, 0, 0);
    EXPECT_EQ(m_order, std::vector<RecordingHookClient*>({owned}));
    EXPECT_EQ(deletions, 2);
    EXPECT_EQ(WindowSaw(kHookProbeMessage), 2);
    EXPECT_EQ(Procedure(m_window), original);
    EXPECT_FALSE(Hooks()->IsHooked(m_window));
}

// The window's own procedure sees WM_NCDESTROY with itself back in place;
// the manager's clients of that window are deleted once.
TEST_F(HookManagerTest, WindowDestroyedWhileHooked)
{
    const WNDPROC original = Procedure(m_window);
    int deletions = 0;
    RecordingHookClient* owned = new RecordingHookClient(&m_order, 0, true, &deletions);
    RecordingHookClient* alsoOwned = new RecordingHookClient(&m_order, 0, true, &deletions);
    Hooks()->SetHook(m_window, owned);
    Hooks()->SetHook(m_window, alsoOwned);
    RecordingHookClient kept(&m_order);
    Hooks()->SetHook(m_window, &kept);
    ::DestroyWindow(m_window);
    EXPECT_EQ(WindowSaw(WM_NCDESTROY), 1);
    EXPECT_EQ(m_log.procedureAtNcDestroy, original);
    EXPECT_EQ(deletions, 2);
    EXPECT_FALSE(Hooks()->IsHooked(m_window));
    // Its client leaving afterwards finds nothing left to undo.
    Hooks()->RemoveHook(m_window, &kept);
    Hooks()->RemoveAll(&kept);
    EXPECT_FALSE(Hooks()->IsHooked(m_window));
}

// A window's owned clients go from the last added to the first, whether the
// window is destroyed or all its clients are removed at once.
TEST_F(HookManagerTest, OwnedClientsOfAWindowAreDeletedFromTheLastToTheFirst)
{
    for (bool destroy : {false, true}) {
        std::vector<RecordingHookClient*> added, deleted;
        for (int i = 0; i < 3; ++i) {
            added.push_back(new RecordingHookClient(nullptr, 0, true));
            added.back()->deletedLog = &deleted;
            Hooks()->SetHook(m_window, added.back());
        }
        if (destroy)
            ::DestroyWindow(m_window);
        else
            Hooks()->RemoveAll(m_window);
        EXPECT_EQ(deleted, std::vector<RecordingHookClient*>(added.rbegin(), added.rend()))
            << (destroy ? "destroyed" : "all removed");
    }
}

TEST_F(HookManagerTest, WindowDestroyedByAClientDuringDispatch)
{
    int deletions = 0;
    RecordingHookClient* destroyer = new RecordingHookClient(&m_order, 0, true, &deletions);
    RecordingHookClient* other = new RecordingHookClient(&m_order, 0, true, &deletions);
    Hooks()->SetHook(m_window, other);
    Hooks()->SetHook(m_window, destroyer);
    destroyer->action = [&] {
        ::DestroyWindow(m_window);
        EXPECT_EQ(deletions, 0);
    };
    ::SendMessageW(m_window, kHookProbeMessage, 0, 0);
    EXPECT_EQ(m_order, std::vector<RecordingHookClient*>({destroyer}));
    EXPECT_EQ(deletions, 2);
    EXPECT_EQ(WindowSaw(WM_NCDESTROY), 1);
    EXPECT_FALSE(Hooks()->IsHooked(m_window));
}

// An owned client watching two windows is deleted once, after it has left
// both.
TEST_F(HookManagerTest, OwnedClientOnTwoWindowsIsDeletedOnceWhenItLeavesTheLast)
{
    int deletions = 0;
    RecordingHookClient* shared = new RecordingHookClient(&m_order, 0, true, &deletions);
    Hooks()->SetHook(m_window, shared);
    Hooks()->SetHook(m_other, shared);
    Hooks()->RemoveHook(m_window, shared);
    EXPECT_EQ(deletions, 0);
    ::SendMessageW(m_other, kHookProbeMessage, 0, 0);
    EXPECT_EQ(m_order, std::vector<RecordingHookClient*>({shared}));
    Hooks()->RemoveAll(shared);
    EXPECT_EQ(deletions, 1);

    RecordingHookClient* again = new RecordingHookClient(&m_order, 0, true, &deletions);
    Hooks()->SetHook(m_window, again);
    Hooks()->SetHook(m_other, again);
    Hooks()->RemoveAll(again);
    EXPECT_EQ(deletions, 2);
    EXPECT_FALSE(Hooks()->IsHooked(m_window));
    EXPECT_FALSE(Hooks()->IsHooked(m_other));
}

TEST_F(HookManagerTest, ChangedParametersReachTheWindowAndBadCallsAreIgnored)
{
    RecordingHookClient a(&m_order), b(&m_order);
    Hooks()->SetHook(m_window, &a);
    Hooks()->SetHook(m_window, &b);
    Hooks()->SetHook(NULL, &a);
    Hooks()->SetHook(m_window, nullptr);
    Hooks()->RemoveHook(m_other, &a);
    Hooks()->RemoveAll(static_cast<CKvoHookManagerHookAble*>(nullptr));
    ::SendMessageW(m_window, kHookProbeMessage, 0, 0);
    EXPECT_EQ(m_order, std::vector<RecordingHookClient*>({&b, &a}));
    EXPECT_EQ(m_log.probeLParam, 2); // each client added one
    Hooks()->RemoveAll(&a);
    Hooks()->RemoveAll(&b);
}
