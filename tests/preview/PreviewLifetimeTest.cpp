// Lifetimes of the preview's self-deleting windows: a creation that fails
// after the window existed deletes the object once (through its window),
// and a preview destroyed inside a loop of its own (the rubber band, the
// about box's message box) is never touched again. A second delete or a
// use of freed memory shows under WINEDEBUG=warn+heap, which poisons freed
// blocks: at once through an overwritten virtual table, or in the check of
// every heap after each test when a write went into a freed block.
#include <gtest/gtest.h>
#include <afxwin.h>
#include <string>
#include <vector>
#include "AboutDlg.h"
#include "InProcessPreview.h"
#include "LanguageIds.h"
#include "TimedPopup.h"
#include "UpdateCheck.h"
#include "WindowCreationFailure.h"
#include "app/TavrenaApp.h"
#include "cache/InfoCache.h"
#include "framework/LoopbackHttpServer.h"
#include "framework/WindowTestSupport.h"
#include "writer/Drawing.h"
#include "writer/SampleDrawing.h"

namespace {
// The top-level dialogs of this thread other than the preview's host.
std::vector<HWND> ThreadDialogs()
{
    std::vector<HWND> dialogs;
    ForEachThreadWindow([&dialogs](HWND window) {
        wchar_t name[32] = {};
        GetClassNameW(window, name, 32);
        if (wcscmp(name, L"#32770") == 0 && IsWindowVisible(window))
            dialogs.push_back(window);
        return true;
    });
    return dialogs;
}

// Whether every heap of the process checks out whole. Under Wine's heap
// checking freed blocks are filled with a pattern, so a write through a
// deleted object shows here even when nothing read it back.
bool EveryHeapIsWhole()
{
    std::vector<HANDLE> heaps(GetProcessHeaps(0, nullptr) + 16);
    heaps.resize(GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
    for (HANDLE heap : heaps) {
        if (!HeapValidate(heap, 0, nullptr))
            return false;
    }
    return true;
}

void SetShift(bool down)
{
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

class PreviewLifetimeTest : public InProcessPreviewTest {
protected:
    void TearDown() override
    {
        SetShift(false);
        InProcessPreviewTest::TearDown();
        theApp.m_infoCache.Clear();
        EXPECT_TRUE(EveryHeapIsWhole());
    }
    // A preview of the sample drawing, loaded and shown.
    void OpenSample()
    {
        const std::wstring path = m_scratch.Path() + L"\\lifetime.jww";
        ASSERT_TRUE(jwwrite::SaveFile(path, jwwrite::WriteDrawing(jwwrite::SampleDrawing())));
        m_dialog = Open(path);
        ASSERT_NE(m_dialog, nullptr);
        ASSERT_TRUE(PumpUntil([&] { return Rendered(m_dialog) && ShownBitmap(m_dialog); }, kPatience));
    }
    void Click(int id)
    {
        SendMessageW(m_dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(m_dialog, id)));
    }
};

// The preview's own template: once because one of its controls cannot be
// made, once because its own WM_CREATE fails. Neither leaves a window, and
// a preview made afterwards works.
TEST_F(PreviewLifetimeTest, PreviewWhoseCreationFailsIsDeletedOnce)
{
    const std::wstring path = m_scratch.Path() + L"\\failing.jww";
    ASSERT_TRUE(jwwrite::SaveFile(path, jwwrite::WriteDrawing(jwwrite::SampleDrawing())));
    for (const wchar_t* failingClass : {L"SysTreeView32", L"#32770"}) {
        SCOPED_TRACE(testing::Message() << "failing class " << CStringA(failingClass).GetString());
        WindowCreationFailure failure(failingClass);
        ASSERT_TRUE(failure.IsHooked());
        EXPECT_EQ(Open(path), nullptr);
        EXPECT_EQ(failure.Failed(), 1);
        EXPECT_EQ(GetWindow(m_host.m_hWnd, GW_CHILD), nullptr);
    }
    m_dialog = Open(path);
    ASSERT_NE(m_dialog, nullptr);
    EXPECT_TRUE(PumpUntil([&] { return Rendered(m_dialog); }, kPatience));
}

// The settings dialog and the about box whose windows fail: the preview
// forgets them (the next press opens one, which only works when the
// preview holds no pointer to the deleted one), and nothing is left open.
TEST_F(PreviewLifetimeTest, SideDialogsWhoseCreationFailsAreForgotten)
{
    OpenSample();
    struct Case {
        const char* name;
        int button;
        bool shift;
    } const cases[] = {
        {"settings", IDC_PREVIEW_SETTINGS, false},
        {"about box", IDC_PREVIEW_UPDATE, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetShift(c.shift);
        {
            WindowCreationFailure failure(L"#32770");
            Click(c.button);
            EXPECT_EQ(failure.Failed(), 1);
        }
        EXPECT_TRUE(ThreadDialogs().empty());
        Click(c.button);
        EXPECT_EQ(ThreadDialogs().size(), 1u) << "the next press opens one";
        Click(c.button);
        EXPECT_TRUE(ThreadDialogs().empty()) << "and the press after closes it";
        SetShift(false);
    }
}

TEST_F(PreviewLifetimeTest, AboutBoxAndTimedPopupWhoseCreationFailsLeaveNothing)
{
    CAboutDlg* slot = nullptr;
    {
        WindowCreationFailure failure(L"#32770");
        EXPECT_EQ(CAboutDlg::Open(&m_host, &slot), nullptr);
        EXPECT_EQ(failure.Failed(), 1);
    }
    EXPECT_EQ(slot, nullptr);
    {
        WindowCreationFailure failure(L"Afx:");
        EXPECT_FALSE(CTimedPopup::Show(&m_host, L"never shown", 10, 10, false));
        EXPECT_EQ(failure.Failed(), 1);
    }
    EXPECT_TRUE(CTimedPopup::Show(&m_host, L"shown", 10, 10, false, 50));
}

// The timers of the tests below run inside the loop under test.
HWND g_doomedPreview = nullptr;
bool g_watchdogFired = false;

void CALLBACK DestroyDoomedPreview(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    if (g_doomedPreview)
        DestroyWindow(g_doomedPreview);
    g_doomedPreview = nullptr;
}

// Ends a drag loop that did not end by itself when its window went.
void CALLBACK EndStuckDrag(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    g_watchdogFired = true;
    PostThreadMessageW(GetCurrentThreadId(), WM_LBUTTONUP, 0, 0);
}

// A message dispatched during the rubber band destroys the preview: the
// drag ends at once, without waiting for another message, and nothing of
// the picture is touched after.
TEST_F(PreviewLifetimeTest, PreviewDestroyedDuringARubberBandEndsTheDrag)
{
    OpenSample();
    HWND picture = GetDlgItem(m_dialog, IDC_PREVIEW_PICTURE);
    g_doomedPreview = m_dialog;
    g_watchdogFired = false;
    const UINT_PTR destroy = SetTimer(nullptr, 0, 10, DestroyDoomedPreview);
    const UINT_PTR watchdog = SetTimer(nullptr, 0, 10000, EndStuckDrag);
    SendMessageW(picture, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 40));
    KillTimer(nullptr, destroy);
    KillTimer(nullptr, watchdog);
    EXPECT_FALSE(g_watchdogFired) << "the drag waited for input after its window had gone";
    EXPECT_FALSE(IsWindow(m_dialog));
    EXPECT_EQ(GetCapture(), nullptr);
    m_dialog = nullptr;
}

// While the about box shows the update check's result, the preview goes
// (a second Shift+click or the host's Unload destroy it, and the about box
// with it); a box still up after that is closed.
void CALLBACK DestroyPreviewUnderTheMessageBox(HWND, UINT, UINT_PTR, DWORD)
{
    HWND box = FindWindowW(L"#32770", L"Quillora");
    if (!box)
        return;
    if (g_doomedPreview) {
        DestroyWindow(g_doomedPreview);
        g_doomedPreview = nullptr;
    } else {
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
}

TEST_F(PreviewLifetimeTest, PreviewDestroyedWhileTheAboutBoxShowsTheUpdateResult)
{
    LoopbackHttpServer server(
        {{"/d.html", {200, "<p class=\"v_step\"><a href=\"/ver.html\" x>next</a></p>\n"}},
         {"/ver.html",
          {200, "<b class=\"fn\">Quillora</b><b class=\"version\">9.0</b><a href=\"/q.zip\" x>q</a>\n"}}});
    const std::wstring url = server.Url("/d.html");
    const UpdateCheckSite site = {url.c_str(), L"http://", 1500, 64 * 1024};
    const UpdateCheckSite* previous = SetUpdateCheckSite(&site);
    OpenSample();
    SetShift(true);
    Click(IDC_PREVIEW_UPDATE);
    SetShift(false);
    const std::vector<HWND> boxes = ThreadDialogs();
    ASSERT_EQ(boxes.size(), 1u);
    HWND about = boxes.front();
    g_doomedPreview = m_dialog;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, DestroyPreviewUnderTheMessageBox);
    SendMessageW(GetDlgItem(about, IDC_ABOUT_UPDATE), BM_CLICK, 0, 0);
    KillTimer(nullptr, timer);
    SetUpdateCheckSite(previous);
    EXPECT_EQ(g_doomedPreview, nullptr) << "the preview was destroyed under the message box";
    EXPECT_FALSE(IsWindow(m_dialog));
    EXPECT_FALSE(IsWindow(about));
    m_dialog = nullptr;
}
}  // namespace
