// CPreviewHandler as the preview host drives it, in-process, with real
// windows under Xvfb. The library's preview window and the thread's DPI
// switch come through the handler's service table: a stand-in preview (a
// black child window that, like the library's dialog, takes the rectangle's
// size) shows the handler's own behaviour whatever the library answers, and
// a stand-in DPI switch shows what is saved and restored, including Wine 8's
// refusal of per-monitor version 2 (NULL). The real services run too.
#include <gtest/gtest.h>

#include <shobjidl.h>

#include <vector>

#include "PreviewHandler.h"
#include "framework/WindowTestSupport.h"

namespace {

// What the stand-in services saw, and what they answer.
struct StandInState {
    int previewsShown = 0;
    RECT previewRect = {};
    DPI_AWARENESS_CONTEXT previousContext = nullptr;
    std::vector<DPI_AWARENESS_CONTEXT> contextsSet;
};
StandInState g_standIn;

HWND ShowStandInPreview(const wchar_t*, const RECT& rect, HWND host)
{
    ++g_standIn.previewsShown;
    g_standIn.previewRect = rect;
    return CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_BLACKRECT, 0, 0, rect.right - rect.left,
                           rect.bottom - rect.top, host, nullptr, GetModuleHandleW(nullptr), nullptr);
}

DPI_AWARENESS_CONTEXT SetStandInDpiContext(DPI_AWARENESS_CONTEXT context)
{
    g_standIn.contextsSet.push_back(context);
    return g_standIn.previousContext;
}

const PreviewServices kStandInServices = {ShowStandInPreview, SetStandInDpiContext};

BOOL CALLBACK CountOneWindow(HWND, LPARAM counted)
{
    ++*reinterpret_cast<int*>(counted);
    return TRUE;
}

BOOL CALLBACK CountWindowAndChildren(HWND window, LPARAM counted)
{
    CountOneWindow(window, counted);
    EnumChildWindows(window, CountOneWindow, counted);
    return TRUE;
}

int CountThreadWindowsNow()
{
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindowAndChildren, reinterpret_cast<LPARAM>(&count));
    return count;
}

// A window's rectangle in its parent's client coordinates.
RECT PlaceInParent(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool SamePlace(const RECT& a, const RECT& b)
{
    return EqualRect(&a, &b) != FALSE;
}

// Hidden unless a test looks at its pixels or its focus: under Xvfb without a
// window manager, Wine waits for every shown top-level window to go.
class PreviewPaneWindow {
public:
    explicit PreviewPaneWindow(bool visible = false)
        : window_(CreateWindowExW(0, L"STATIC", L"pane", WS_POPUP | WS_CLIPCHILDREN | (visible ? WS_VISIBLE : 0), 40,
                                  40, 400, 300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr))
    {
    }
    ~PreviewPaneWindow() { DestroyWindow(window_); }
    HWND Handle() const { return window_; }

private:
    HWND window_;
};

class PreviewHandlerContract : public testing::Test {
protected:
    void SetUp() override
    {
        g_standIn = StandInState();
        g_standIn.previousContext = DPI_AWARENESS_CONTEXT_UNAWARE;
        handler_ = new CPreviewHandler(kStandInServices);
        ASSERT_EQ(S_OK, handler_->Initialize(L"C:\\drawings\\plan.jww", STGM_READ));
    }
    void TearDown() override
    {
        if (handler_)
            handler_->Release();
    }
    HWND Host() const { return FindWindowExW(pane_.Handle(), nullptr, L"STATIC", nullptr); }
    HWND Preview() const
    {
        HWND preview = nullptr;
        handler_->GetWindow(&preview);
        return preview;
    }

    PreviewPaneWindow pane_;
    CPreviewHandler* handler_ = nullptr;
    const RECT paneRect_ = {10, 20, 210, 170};
};

TEST_F(PreviewHandlerContract, NeedsWindowAndPreviewInTheirOrder)
{
    EXPECT_EQ(E_FAIL, handler_->SetWindow(nullptr, &paneRect_));
    EXPECT_EQ(E_FAIL, handler_->SetWindow(pane_.Handle(), nullptr));
    EXPECT_EQ(E_FAIL, handler_->DoPreview()) << "no host window to show it in";
    ASSERT_EQ(S_OK, handler_->SetWindow(pane_.Handle(), &paneRect_));
    ASSERT_NE(nullptr, Host());
    EXPECT_TRUE(SamePlace(paneRect_, PlaceInParent(Host())));

    const RECT early = {0, 0, 50, 50};
    EXPECT_EQ(E_FAIL, handler_->SetRect(&early)) << "no preview yet";
    EXPECT_EQ(S_OK, handler_->DoPreview());
    EXPECT_TRUE(SamePlace(paneRect_, g_standIn.previewRect)) << "the early rectangle was not kept";
    HWND first = Preview();
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(Host(), GetParent(first));

    EXPECT_EQ(E_FAIL, handler_->DoPreview());
    EXPECT_EQ(first, Preview()) << "the first preview stays";
    EXPECT_EQ(1, g_standIn.previewsShown);
    EXPECT_EQ(E_FAIL, handler_->SetRect(nullptr));
}

TEST_F(PreviewHandlerContract, SetRectMovesTheHostAndFillsItWithThePreview)
{
    PreviewPaneWindow shownPane(true);
    ASSERT_EQ(S_OK, handler_->SetWindow(shownPane.Handle(), &paneRect_));
    ASSERT_EQ(S_OK, handler_->DoPreview());
    HWND host = FindWindowExW(shownPane.Handle(), nullptr, L"STATIC", nullptr);
    const RECT moved = {30, 40, 330, 240};
    EXPECT_EQ(S_OK, handler_->SetRect(&moved));
    EXPECT_TRUE(SamePlace(moved, PlaceInParent(host)));
    // The preview stands at the host's origin, not offset by the rectangle's.
    const RECT filled = {0, 0, 300, 200};
    EXPECT_TRUE(SamePlace(filled, PlaceInParent(Preview())));

    PumpUntil([] { return false; }, 0.3);
    CWindowPicture picture(shownPane.Handle());
    picture.SavePng(TestOutputFolder() + L"\\lumivex-setrect.png");
    // The stand-in preview is drawn in the frame colour, the pane is not.
    const COLORREF ink = picture.Pixel(moved.left + 2, moved.top + 2);
    const COLORREF paper = picture.Pixel(moved.left - 5, moved.top - 5);
    EXPECT_NE(paper, ink);
    EXPECT_EQ(ink, picture.Pixel(moved.right - 3, moved.bottom - 3)) << "the preview fills the host";
    EXPECT_EQ(paper, picture.Pixel(moved.right + 3, moved.bottom + 3));
}

TEST_F(PreviewHandlerContract, SecondSetWindowMovesTheOneHostAndKeepsTheSavedContext)
{
    PreviewPaneWindow otherPane;
    ASSERT_EQ(S_OK, handler_->SetWindow(pane_.Handle(), &paneRect_));
    ASSERT_EQ(S_OK, handler_->DoPreview());
    HWND host = Host();
    const int windows = CountThreadWindowsNow();

    const RECT otherRect = {0, 0, 120, 90};
    ASSERT_EQ(S_OK, handler_->SetWindow(otherPane.Handle(), &otherRect));
    EXPECT_EQ(windows, CountThreadWindowsNow()) << "no second host window";
    EXPECT_EQ(otherPane.Handle(), GetParent(host));
    EXPECT_EQ(host, GetParent(Preview()));
    EXPECT_TRUE(SamePlace(otherRect, PlaceInParent(Preview())));
    const std::vector<DPI_AWARENESS_CONTEXT> switchedOnce = {DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2};
    EXPECT_EQ(switchedOnce, g_standIn.contextsSet);

    EXPECT_EQ(S_OK, handler_->Unload());
    EXPECT_FALSE(IsWindow(host));
    const std::vector<DPI_AWARENESS_CONTEXT> restoredOnce = {DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2,
                                                             DPI_AWARENESS_CONTEXT_UNAWARE};
    EXPECT_EQ(restoredOnce, g_standIn.contextsSet);
    handler_->Release();
    handler_ = nullptr;
    EXPECT_EQ(restoredOnce, g_standIn.contextsSet) << "the last release restores nothing again";
}

// Wine 8 refuses per-monitor version 2 and answers NULL: there is nothing to
// restore then.
TEST_F(PreviewHandlerContract, RefusedDpiSwitchLeavesNothingToRestore)
{
    g_standIn.previousContext = nullptr;
    ASSERT_EQ(S_OK, handler_->SetWindow(pane_.Handle(), &paneRect_));
    EXPECT_EQ(S_OK, handler_->Unload());
    const std::vector<DPI_AWARENESS_CONTEXT> switchOnly = {DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2};
    EXPECT_EQ(switchOnly, g_standIn.contextsSet);
}

TEST_F(PreviewHandlerContract, UnloadTakesBothWindowsAndTheHandlerShowsAgain)
{
    const int before = CountThreadWindowsNow();
    ASSERT_EQ(S_OK, handler_->SetWindow(pane_.Handle(), &paneRect_));
    ASSERT_EQ(S_OK, handler_->DoPreview());
    HWND preview = Preview();
    EXPECT_EQ(before + 2, CountThreadWindowsNow());

    EXPECT_EQ(S_OK, handler_->Unload());
    EXPECT_EQ(before, CountThreadWindowsNow());
    EXPECT_FALSE(IsWindow(preview));
    EXPECT_EQ(nullptr, Preview());
    EXPECT_EQ(E_FAIL, handler_->SetRect(&paneRect_));

    ASSERT_EQ(S_OK, handler_->SetWindow(pane_.Handle(), &paneRect_));
    EXPECT_EQ(S_OK, handler_->DoPreview());
    EXPECT_EQ(2, g_standIn.previewsShown);
}

TEST_F(PreviewHandlerContract, LastReleaseUnloadsWhatIsStillShown)
{
    const int before = CountThreadWindowsNow();
    ASSERT_EQ(S_OK, handler_->SetWindow(pane_.Handle(), &paneRect_));
    ASSERT_EQ(S_OK, handler_->DoPreview());
    handler_->Release();
    handler_ = nullptr;
    EXPECT_EQ(before, CountThreadWindowsNow());
    EXPECT_EQ(2u, g_standIn.contextsSet.size()) << "switched and restored";
}

// The site: a frame that takes the keys it knows.
class KeyFrame : public IPreviewHandlerFrame {
public:
    IFACEMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_IPreviewHandlerFrame) {
            *ppv = static_cast<IPreviewHandlerFrame*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    IFACEMETHODIMP_(ULONG) AddRef() override { return ++references; }
    IFACEMETHODIMP_(ULONG) Release() override { return --references; }
    IFACEMETHODIMP GetWindowContext(PREVIEWHANDLERFRAMEINFO*) override { return E_NOTIMPL; }
    IFACEMETHODIMP TranslateAccelerator(MSG*) override { return ++keys, S_OK; }

    ULONG references = 1;
    int keys = 0;
};

TEST_F(PreviewHandlerContract, SiteFocusAndVisuals)
{
    MSG key = {};
    key.message = WM_KEYDOWN;
    void* site = reinterpret_cast<void*>(1);
    EXPECT_EQ(E_FAIL, handler_->GetSite(IID_IUnknown, &site));
    EXPECT_EQ(nullptr, site);
    EXPECT_EQ(S_FALSE, handler_->TranslateAccelerator(&key));

    KeyFrame frame;
    EXPECT_EQ(S_OK, handler_->SetSite(&frame));
    EXPECT_EQ(S_OK, handler_->TranslateAccelerator(&key));
    EXPECT_EQ(1, frame.keys);
    ASSERT_EQ(S_OK, handler_->GetSite(IID_IPreviewHandlerFrame, &site));
    static_cast<IUnknown*>(site)->Release();
    EXPECT_EQ(S_OK, handler_->SetSite(nullptr));
    EXPECT_EQ(1u, frame.references) << "every reference to the site was given back";

    EXPECT_EQ(S_FALSE, handler_->SetFocus()) << "no preview to focus";
    EXPECT_EQ(E_INVALIDARG, handler_->QueryFocus(nullptr));
    EXPECT_EQ(E_INVALIDARG, handler_->GetWindow(nullptr));
    EXPECT_EQ(E_NOTIMPL, handler_->ContextSensitiveHelp(TRUE));
    EXPECT_EQ(S_OK, handler_->SetBackgroundColor(RGB(1, 2, 3)));
    EXPECT_EQ(S_OK, handler_->SetTextColor(RGB(1, 2, 3)));
    EXPECT_EQ(S_OK, handler_->SetFont(nullptr));

    PreviewPaneWindow shownPane(true);
    ASSERT_EQ(S_OK, handler_->SetWindow(shownPane.Handle(), &paneRect_));
    ASSERT_EQ(S_OK, handler_->DoPreview());
    EXPECT_EQ(S_OK, handler_->SetFocus());
    HWND focus = nullptr;
    EXPECT_EQ(S_OK, handler_->QueryFocus(&focus));
    EXPECT_EQ(Preview(), focus);
}

TEST_F(PreviewHandlerContract, QueryInterfaceAnswersTheFiveInterfacesOfOneObject)
{
    IUnknown* identity = nullptr;
    ASSERT_EQ(S_OK, handler_->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)));
    for (const IID* iid : {&IID_IPreviewHandler, &IID_IInitializeWithFile, &IID_IPreviewHandlerVisuals,
                           &IID_IOleWindow, &IID_IObjectWithSite}) {
        IUnknown* part = nullptr;
        ASSERT_EQ(S_OK, handler_->QueryInterface(*iid, reinterpret_cast<void**>(&part)));
        IUnknown* partIdentity = nullptr;
        ASSERT_EQ(S_OK, part->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&partIdentity)));
        EXPECT_EQ(identity, partIdentity);
        partIdentity->Release();
        part->Release();
    }
    identity->Release();
    void* other = reinterpret_cast<void*>(1);
    EXPECT_EQ(E_NOINTERFACE, handler_->QueryInterface(IID_IPersistFile, &other));
    EXPECT_EQ(nullptr, other);
}

// The system's own DPI switch: whatever Wine or Windows answers, the thread
// ends with the context it had.
TEST(PreviewHandlerRealServices, ThreadDpiContextComesBackAfterUnload)
{
    using GetContext = DPI_AWARENESS_CONTEXT(WINAPI*)();
    using SameContexts = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT, DPI_AWARENESS_CONTEXT);
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    auto getContext = reinterpret_cast<GetContext>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetThreadDpiAwarenessContext")));
    auto sameContexts = reinterpret_cast<SameContexts>(
        reinterpret_cast<void*>(GetProcAddress(user32, "AreDpiAwarenessContextsEqual")));
    if (!getContext || !sameContexts)
        GTEST_SKIP() << "this system has no thread DPI contexts";

    // Wine 8 refuses per-monitor version 2 outright.
    DPI_AWARENESS_CONTEXT refused =
        LibraryPreviewServices().setThreadDpiContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    if (refused)
        LibraryPreviewServices().setThreadDpiContext(refused);
    if (GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version"))
        EXPECT_EQ(nullptr, refused) << "this Wine accepts per-monitor version 2";

    PreviewPaneWindow pane;
    DPI_AWARENESS_CONTEXT before = getContext();
    CPreviewHandler* handler = new CPreviewHandler();
    const RECT rect = {0, 0, 200, 150};
    EXPECT_EQ(S_OK, handler->SetWindow(pane.Handle(), &rect));
    EXPECT_EQ(S_OK, handler->Unload());
    EXPECT_TRUE(sameContexts(before, getContext()));
    handler->Release();
    EXPECT_TRUE(sameContexts(before, getContext()));
}

}  // namespace
