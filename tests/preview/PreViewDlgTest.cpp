// The preview dialog through the library's export, as a host program uses
// it: a real host window under Xvfb, the dialog made inside it, the load on
// the dialog's worker, the render, the close. Only window messages and the
// pixels of the shown bitmap are looked at.
#include <gtest/gtest.h>
#include <afxwin.h>
#include <commctrl.h>
#include <cstdlib>
#include <string>
#include <vector>
#include "writer/Drawing.h"
#include "writer/JwcWriter.h"
#include "LanguageIds.h"
#include "writer/SampleDrawing.h"
#include "app/TavrenaApp.h"
#include "cache/InfoCache.h"
#include "cache/InfoCachePin.h"
#include "PreviewDialogFixture.h"
#include "support/SampleDrawings.h"
#include "support/ThreadCensus.h"

namespace {
using namespace previewtest;

// Counts the progress messages that reach the dialogs of one host.
HWND g_progressHost = nullptr;
int g_progressPosts = 0;
LRESULT CALLBACK CountPreviewProgress(int code, WPARAM wParam, LPARAM lParam)
{
    const MSG* message = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && message->message == WM_DRAWPROGRESS &&
        ::GetParent(message->hwnd) == g_progressHost)
        ++g_progressPosts;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class PreViewDlgTest : public previewtest::PreviewDialogFixture {};

TEST_F(PreViewDlgTest, OpensAsChildOfHostWithItsControls)
{
    const std::vector<std::wstring> samples = SampleDrawingFiles({L"*.jww"});
    ASSERT_FALSE(samples.empty());
    ASSERT_NE(Open(samples.front()), nullptr);
    EXPECT_EQ(GetParent(m_dialog), m_host.m_hWnd);
    EXPECT_TRUE(GetWindowLongW(m_dialog, GWL_STYLE) & WS_CHILD);
    EXPECT_TRUE(IsWindowVisible(m_dialog));
    RECT client = {};
    GetClientRect(m_dialog, &client);
    EXPECT_EQ(client.right, kPreviewWidth);
    const int controls[] = {IDC_PREVIEW_ZOOM,      IDC_PREVIEW_TITLE,  IDC_PREVIEW_PICTURE,  IDC_PREVIEW_LAYERS,
                            IDC_PREVIEW_INFO,      IDC_PREVIEW_PAN_UP, IDC_PREVIEW_PAN_DOWN, IDC_PREVIEW_PAN_LEFT,
                            IDC_PREVIEW_PAN_RIGHT, IDC_PREVIEW_FIT,    IDC_PREVIEW_COPY,     IDC_PREVIEW_PRINT,
                            IDC_PREVIEW_SETTINGS,  IDC_PREVIEW_UPDATE, IDC_PREVIEW_SIZER};
    for (int id : controls)
        EXPECT_NE(Item(id), nullptr) << id;
    // Nothing can be used before the drawing is there.
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_PREVIEW_ZOOM)));
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_PREVIEW_FIT)));
    EXPECT_TRUE(GetWindowLongW(Item(IDC_PREVIEW_PICTURE), GWL_STYLE) & WS_BORDER);
    ASSERT_TRUE(PumpUntil([&] { return Loaded() && Shown(); }, kPreviewPatience));
    EXPECT_TRUE(IsWindowEnabled(Item(IDC_PREVIEW_FIT)));
}

// Every sample: progress posted while it loads, the list with the info
// text, the tree with the used layers, a bitmap with ink; the last one is
// saved as a picture of the whole dialog for a person to look at.
TEST_F(PreViewDlgTest, LoadsRendersAndShowsEverySample)
{
    const std::vector<std::wstring> samples = SampleDrawingFiles();
    ASSERT_FALSE(samples.empty());
    CStringW failure;
    failure.LoadString(m_exports.LanguageModule(L"JPN") ? m_exports.LanguageModule(L"JPN")
                                                         : m_exports.LanguageModule(L"ENU"),
                       IDS_ZUMEN_UNREADABLE);
    g_progressHost = m_host.m_hWnd;
    HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, CountPreviewProgress, nullptr, GetCurrentThreadId());
    for (const std::wstring& sample : samples) {
        SCOPED_TRACE(SampleTrace(sample));
        g_progressPosts = 0;
        ASSERT_NE(Open(sample), nullptr);
        ASSERT_TRUE(PumpUntil([&] { return Loaded() && Shown(); }, kPreviewPatience));
        EXPECT_GT(g_progressPosts, 0);
        HWND list = Item(IDC_PREVIEW_INFO);
        EXPECT_GT(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 1);
        EXPECT_NE(ListText(list, 0), std::wstring(failure));
        HWND tree = Item(IDC_PREVIEW_LAYERS);
        EXPECT_GT(SendMessageW(tree, TVM_GETCOUNT, 0, 0), 2) << "root, a group and a layer at least";
        EXPECT_TRUE(BitmapHasInk(Shown()));
        if (&sample == &samples.back())
            EXPECT_TRUE(SavePreviewPicture(m_dialog, TestOutputFolder() + L"\\PreViewDlg.png"));
        if (&sample == &samples.back())
            EXPECT_TRUE(CWindowPicture(m_dialog).SavePng(TestOutputFolder() + L"\\PreViewDlg-screen.png"));
        Close();
    }
    UnhookWindowsHookEx(hook);
}

// Symbols zoom in small steps over a small range, drawings over the whole.
TEST_F(PreViewDlgTest, SliderRangeFollowsFileKind)
{
    jwwrite::JwcDrawing jwc;
    jwwrite::JwkSymbol jwk;
    for (int i = 0; i < 10; ++i) {
        jwc.lines.push_back({0, static_cast<float>(i), 100, static_cast<float>(i), 1, 1, 0});
        jwk.lines.push_back({0, static_cast<float>(i), 10, static_cast<float>(i), 1, 1, 0});
    }
    struct Case {
        const wchar_t* name;
        std::vector<uint8_t> bytes;
        int largest;
        int tick;
    } cases[] = {
        {L"drawing.jww", jwwrite::WriteDrawing(jwwrite::SampleDrawing()), 65536, 6547},
        {L"drawing.jwc", jwwrite::WriteJwc(jwc), 65536, 6547},
        {L"symbol.jws", jwwrite::WriteSymbol(jwwrite::SampleSymbol()), 4096, 403},
        {L"symbol.jwk", jwwrite::WriteJwk(jwk), 4096, 403},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(SampleTrace(c.name));
        const std::wstring path = m_scratch.Path() + L"\\" + c.name;
        ASSERT_TRUE(jwwrite::SaveFile(path, c.bytes));
        ASSERT_NE(Open(path), nullptr);
        ASSERT_TRUE(PumpUntil([&] { return Loaded() && FirstRenderArrived(); }, kPreviewPatience));
        HWND slider = Item(IDC_PREVIEW_ZOOM);
        EXPECT_EQ(SendMessageW(slider, TBM_GETRANGEMIN, 0, 0), 64);
        EXPECT_EQ(SendMessageW(slider, TBM_GETRANGEMAX, 0, 0), c.largest);
        // Ticks at every tick frequency from the minimum: the first one
        // between the ends tells the frequency.
        EXPECT_EQ(SendMessageW(slider, TBM_GETTIC, 0, 0), 64 + c.tick);
        Close();
    }
}

TEST_F(PreViewDlgTest, MissingFileShowsFailureTextAndNoBitmap)
{
    ASSERT_NE(Open(m_scratch.Path() + L"\\missing.jww"), nullptr);
    ASSERT_TRUE(PumpUntil([&] { return Loaded() && FirstRenderArrived(); }, kPreviewPatience));
    EXPECT_EQ(ListText(Item(IDC_PREVIEW_INFO), 0), m_exports.LanguageString(IDS_ZUMEN_UNREADABLE));
    EXPECT_EQ(SendMessageW(Item(IDC_PREVIEW_LAYERS), TVM_GETCOUNT, 0, 0), 1) << "the root alone";
    EXPECT_EQ(Shown(), nullptr);
}

// A drawing large enough that its load, and then its first render, still
// run when the window goes: the close stops the load and waits for the
// workers, which may be sending to the closing window; a render that ends
// after that is dropped with its bitmap. No GDI object and no thread stays
// behind.
TEST_F(PreViewDlgTest, ClosingWhileWorkersRunEndsCleanly)
{
    // GoogleTest starts a thread of its own the first time a thread makes a
    // trace (it watches that thread to free its trace state when it ends):
    // the trace comes first here, so that thread is in the census before.
    // It was the one thread that Wine listed after these closes; no thread
    // of the preview's remained.
    SCOPED_TRACE("a large drawing");
    const std::wstring path = m_scratch.Path() + L"\\large.jww";
    {
        // The writer holds every entity in memory, several hundred bytes
        // each: a 32-bit process has room for fewer, and they go before the
        // previews load the file.
        const size_t entities = sizeof(void*) == 4 ? 400000 : 1000000;
        jwwrite::Drawing big = jwwrite::SampleDrawing();
        const std::vector<jwwrite::Entity> one = big.entities;
        big.entities.reserve(entities + one.size());
        while (big.entities.size() < entities)
            big.entities.insert(big.entities.end(), one.begin(), one.end());
        ASSERT_TRUE(jwwrite::SaveFile(path, jwwrite::WriteDrawing(big)));
    }

    // A first preview makes what the window system keeps once per thread.
    const std::wstring small = m_scratch.Path() + L"\\small.jww";
    ASSERT_TRUE(jwwrite::SaveFile(small, jwwrite::WriteDrawing(jwwrite::SampleDrawing())));
    ASSERT_NE(Open(small), nullptr);
    ASSERT_TRUE(PumpUntil([&] { return Loaded() && Shown(); }, kPreviewPatience));
    Close();
    const std::vector<ThreadCensusRecord> threadsBefore = TakeThreadCensus();
    const DWORD gdiObjects = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);

    g_progressHost = m_host.m_hWnd;
    {
        SCOPED_TRACE("closed while loading");
        g_progressPosts = 0;
        HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, CountPreviewProgress, nullptr, GetCurrentThreadId());
        ASSERT_NE(Open(path), nullptr);
        // The load posts its progress faster than the window takes it in.
        const bool loading = PumpEachUntil([&] { return g_progressPosts > 0; }, kPreviewPatience);
        UnhookWindowsHookEx(hook);
        ASSERT_TRUE(loading);
        EXPECT_FALSE(Loaded()) << "the load ended before the window closed: make the drawing larger";
        Close();
    }
    {
        SCOPED_TRACE("closed while the first render runs");
        ASSERT_NE(Open(path), nullptr);
        ASSERT_TRUE(PumpUntil([&] { return Loaded(); }, kPreviewPatience));
        EXPECT_EQ(Shown(), nullptr) << "the render ended before the window closed";
        Close();
    }
    // Both workers were waited for before the window went; a thread that
    // the system ends a little later is given time.
    std::vector<ThreadCensusRecord> added;
    PumpUntil([&] { return (added = ThreadsAddedSince(threadsBefore, TakeThreadCensus())).empty(); }, 20.0);
    EXPECT_TRUE(added.empty()) << DescribeThreads(added);
    // Wine counts no GDI objects here (0 both times); Windows does.
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdiObjects);
}

// The library's own GetImageView export is the preview.
TEST_F(PreViewDlgTest, GetImageViewOpensThePreview)
{
    const std::wstring path = m_scratch.Path() + L"\\view.jww";
    ASSERT_TRUE(jwwrite::SaveFile(path, jwwrite::WriteDrawing(jwwrite::SampleDrawing())));
    RECT rect = {0, 0, kPreviewWidth, kPreviewHeight};
    m_dialog = m_exports.GetImageView(path.c_str(), rect, m_host.m_hWnd);
    ASSERT_NE(m_dialog, nullptr);
    EXPECT_EQ(GetParent(m_dialog), m_host.m_hWnd);
    EXPECT_TRUE(PumpUntil([&] { return Loaded() && Shown(); }, kPreviewPatience));
}

// SavePreView writes the view of the last render into the info cache file;
// a process started afresh reads it back from there.
TEST_F(PreViewDlgTest, SavePreViewStoresTheViewForANewProcess)
{
    const std::wstring path = m_scratch.Path() + L"\\saved.jww";
    ASSERT_TRUE(jwwrite::SaveFile(path, jwwrite::WriteDrawing(jwwrite::SampleDrawing())));
    ASSERT_NE(Open(path), nullptr);
    ASSERT_TRUE(PumpUntil([&] { return Loaded() && Shown(); }, kPreviewPatience));
    RECT picture = {};
    GetClientRect(Item(IDC_PREVIEW_PICTURE), &picture);
    const int largest = std::max(picture.right, picture.bottom);
    const int side = largest <= 256 ? 256 : (largest + 31) / 32 * 32;
    BITMAP shown = {};
    GetObjectW(Shown(), sizeof shown, &shown);
    EXPECT_EQ(shown.bmWidth, side);
    EXPECT_EQ(shown.bmHeight, side);
    m_exports.SavePreView();
    Close();

    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring command = std::wstring(L"\"") + program +
                           L"\" --gtest_filter=PreviewSavedView.ReadBackInThisProcess --gtest_also_run_disabled_tests";
    SetEnvironmentVariableW(L"JW_PREVIEW_SAVED_PATH", path.c_str());
    SetEnvironmentVariableW(L"JW_PREVIEW_SAVED_SIDE", std::to_wstring(side).c_str());
    STARTUPINFOW startup = {sizeof startup};
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 120000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    SetEnvironmentVariableW(L"JW_PREVIEW_SAVED_PATH", nullptr);
    EXPECT_EQ(exitCode, 0u) << "the new process did not read the view back";
}

// The second half of the test above, run in its own process: the info
// cache file holds the preview's view (placed, fitted scale, origin centred
// for the square bitmap).
TEST(PreviewSavedView, ReadBackInThisProcess)
{
    wchar_t path[MAX_PATH] = {};
    wchar_t side[32] = {};
    if (!GetEnvironmentVariableW(L"JW_PREVIEW_SAVED_PATH", path, MAX_PATH) ||
        !GetEnvironmentVariableW(L"JW_PREVIEW_SAVED_SIDE", side, 32))
        GTEST_SKIP() << "runs as the new process of SavePreViewStoresTheViewForANewProcess";
    const int expectedSide = _wtoi(side);
    CInfoCache cache;
    ASSERT_TRUE(cache.Load(nullptr));
    CInfoCacheEntry* entry = nullptr;
    ASSERT_TRUE(cache.GetEntry(path, &entry, nullptr));
    CInfoCachePin pin(cache, entry);
    EXPECT_TRUE(entry->viewSet);
    EXPECT_EQ(entry->scale, 256);
    EXPECT_EQ(entry->width, expectedSide);
    EXPECT_EQ(entry->originX, 256 - expectedSide / 2);
    EXPECT_EQ(entry->originY, -(256 - expectedSide / 2));
}
}  // namespace
