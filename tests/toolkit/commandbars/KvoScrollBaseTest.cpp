#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <deque>
#include <functional>
#include <vector>

#include <vssym32.h>

#include "commandbars/KvoCommandBarThreadState.h"
#include "commandbars/KvoScrollBase.h"
#include "commandbars/KvoScrollBarPaintManager.h"
#include "commandbars/KvoSliderPaintManager.h"
#include "framework/WindowTestSupport.h"
#include "toolkit/commandbars/support/KvoRecordingUxTheme.h"
#include "toolkit/commandbars/support/KvoTestPaintManager.h"
#include "toolkit/foundation/DibCanvas.h"

namespace {
struct ScrollCall {
    int command;
    int position;
};

// A scroll base over a plain rectangle, drawn by a paint manager's slider
// or by a scroll-bar paint manager of its own; it scrolls its own
// SCROLLINFO as an owner would.
class TestScrollBar : public CKvoScrollBase {
public:
    TestScrollBar(CKvoScrollBarPaintManager* paintManager, CRect bar, BOOL vertical, int min, int max, int page,
                  int pos)
        : m_paintManager(paintManager), m_bar(bar)
    {
        m_spi.fVert = vertical;
        m_info = {sizeof(SCROLLINFO), SIF_ALL, min, max, static_cast<UINT>(page), pos};
        UpdateScrollBarInfo();
    }

    BOOL IsScrollBarEnabled() const override { return m_enabled; }
    CWnd* GetScrollBarParent() const override { return m_parent; }
    void GetScrollBarRect(CRect* rect) override { *rect = m_bar; }
    void GetScrollInfo(SCROLLINFO* info) override { *info = m_info; }
    void DoScroll(int command, int position) override
    {
        m_calls.push_back({command, position});
        m_trackingLoops.push_back(CKvoCommandBarTrackingState::ForThisThread()->m_nTrackingLoops);
        m_times.push_back(std::chrono::steady_clock::now());
        m_intervals.push_back(m_nRepeatInterval);
        const int lastTop = m_info.nMax - static_cast<int>(m_info.nPage) + 1;
        switch (command) {
        case SB_LINEUP: m_info.nPos = std::max(m_info.nMin, m_info.nPos - 1); break;
        case SB_LINEDOWN: m_info.nPos = std::min(lastTop, m_info.nPos + 1); break;
        case SB_PAGEUP: m_info.nPos = std::max(m_info.nMin, m_info.nPos - static_cast<int>(m_info.nPage)); break;
        case SB_PAGEDOWN: m_info.nPos = std::min(lastTop, m_info.nPos + static_cast<int>(m_info.nPage)); break;
        default: return; // the thumb drag places the thumb itself
        }
        UpdateScrollBarInfo();
        if (m_onScroll)
            m_onScroll();
    }
    void RedrawScrollBar() override
    {
        m_thumbTops.push_back(m_spi.pxThumbTop);
        if (m_parent && m_parent->GetSafeHwnd())
            m_parent->Invalidate(FALSE);
    }
    CKvoScrollBarPaintManager* GetScrollBarPaintManager() const override { return m_paintManager; }

    void SetTicks(std::initializer_list<double> ticks)
    {
        for (double tick : ticks)
            m_ticks.Add(tick);
    }
    void SetStyle(int style) { m_nScrollBarStyle = style; }
    KvoScrollBarPosInfo& Info() { return m_spi; }
    int Count(int command) const
    {
        int count = 0;
        for (const ScrollCall& call : m_calls)
            count += call.command == command;
        return count;
    }

    CKvoScrollBarPaintManager* m_paintManager;
    CRect m_bar;
    SCROLLINFO m_info;
    BOOL m_enabled = TRUE;
    CWnd* m_parent = nullptr;
    std::vector<ScrollCall> m_calls;
    std::vector<int> m_trackingLoops;
    std::vector<std::chrono::steady_clock::time_point> m_times;
    std::vector<UINT> m_intervals;
    std::vector<int> m_thumbTops;
    std::function<void()> m_onScroll;
};

class KvoScrollBaseTest : public ::testing::Test {
protected:
    KvoScrollBaseTest() : m_paintManager(new CKvoTestPaintManager()) { m_paintManager->RefreshMetrics(); }
    ~KvoScrollBaseTest() override { m_paintManager->InternalRelease(); }

    // A scroll-bar paint manager with 17-pixel arrows, as the Part's example.
    CKvoScrollBarPaintManager* ScrollPaintManager()
    {
        CKvoScrollBarPaintManager* scroll = m_paintManager->GetGalleryPaintManager();
        scroll->m_cyVScroll = 17;
        scroll->m_cxHScroll = 17;
        return scroll;
    }

    CKvoTestPaintManager* m_paintManager;
};
} // namespace

// The geometry of the arrows, track and thumb.
TEST_F(KvoScrollBaseTest, Geometry)
{
    const struct {
        const char* name;
        int length, min, max, page, pos;
        int arrowEnd, secondArrow, thumbSize, trackLength, thumbTop;
    } cases[] = {
        // 100 pixels, range 0-99, page 10: arrows 17, thumb max(8, 7) = 8.
        {"example top", 100, 0, 99, 10, 0, 17, 83, 8, 58, 17},
        {"example end", 100, 0, 99, 10, 90, 17, 83, 8, 58, 17 + 58},
        {"example middle", 100, 0, 99, 10, 45, 17, 83, 8, 58, 17 + 29},
        {"proportional", 200, 0, 99, 50, 0, 17, 183, 83, 83, 17},
        {"no page", 100, 0, 99, 0, 0, 17, 83, 17, 49, 17},
        // Shorter than two arrows: half the bar each.
        {"short", 20, 0, 99, 10, 0, 10, 10, 8, -8, 10},
        // The page covers the range: the thumb one pixel before the track.
        {"range equals page", 100, 0, 9, 10, 0, 17, 83, 66, 0, 16},
        // A page larger than the range counts as the range (it put the
        // thumb before the track).
        {"page above range", 100, 0, 9, 40, 0, 17, 83, 66, 0, 16},
        {"page far above range", 100, 5, 9, 1000, 5, 17, 83, 66, 0, 16},
    };
    for (const auto& c : cases) {
        TestScrollBar bar(ScrollPaintManager(), CRect(0, 0, 17, c.length), TRUE, c.min, c.max, c.page, c.pos);
        const KvoScrollBarPosInfo& spi = bar.GetScrollBarPosInfo();
        EXPECT_EQ(spi.pxUpArrow, c.arrowEnd) << c.name;
        EXPECT_EQ(spi.pxDownArrow, c.secondArrow) << c.name;
        EXPECT_EQ(spi.pxThumbSize, c.thumbSize) << c.name;
        EXPECT_EQ(spi.pxTrackStart, c.arrowEnd) << c.name;
        EXPECT_EQ(spi.pxTrackLength, c.trackLength) << c.name;
        EXPECT_EQ(spi.pxThumbTop, c.thumbTop) << c.name;
        EXPECT_EQ(spi.pxThumbBottom, c.thumbTop + c.thumbSize) << c.name;
        EXPECT_GE(spi.pxThumbTop, spi.pxTrackStart - 1) << c.name;
        EXPECT_EQ(spi.nLimit, 0) << c.name;
    }
}

TEST_F(KvoScrollBaseTest, HorizontalGeometryAndFixedThumb)
{
    TestScrollBar bar(ScrollPaintManager(), CRect(10, 5, 210, 22), FALSE, 0, 99, 10, 0);
    const KvoScrollBarPosInfo& spi = bar.GetScrollBarPosInfo();
    EXPECT_EQ(spi.pxTop, 10);
    EXPECT_EQ(spi.pxBottom, 210);
    EXPECT_EQ(spi.pxLeft, 5);
    EXPECT_EQ(spi.pxRight, 22);
    EXPECT_EQ(spi.pxUpArrow, 27);
    EXPECT_EQ(spi.pxDownArrow, 193);

    // The slider: 16-pixel buttons and an 11-pixel thumb whatever the page.
    TestScrollBar slider(m_paintManager->GetSliderPaintManager(), CRect(0, 0, 200, 16), FALSE, 0, 100, 0, 50);
    const KvoScrollBarPosInfo& sliderInfo = slider.GetScrollBarPosInfo();
    EXPECT_EQ(sliderInfo.pxUpArrow, 16);
    EXPECT_EQ(sliderInfo.pxDownArrow, 184);
    EXPECT_EQ(sliderInfo.pxThumbSize, 11);
    EXPECT_EQ(sliderInfo.pxTrackLength, 200 - 32 - 11);
    EXPECT_EQ(sliderInfo.pxThumbTop, 16 + ::MulDiv(50, 157, 100));
}

TEST_F(KvoScrollBaseTest, HitCodes)
{
    TestScrollBar bar(ScrollPaintManager(), CRect(0, 0, 17, 100), TRUE, 0, 99, 10, 45);
    // Thumb at 46-54.
    const struct {
        int x, y, hit;
    } cases[] = {
        {8, 0, KvoScrollHitFirstArrow},   {8, 16, KvoScrollHitFirstArrow}, {8, 17, KvoScrollHitPageBefore},
        {8, 45, KvoScrollHitPageBefore},  {8, 46, KvoScrollHitThumb},      {8, 53, KvoScrollHitThumb},
        {8, 54, KvoScrollHitPageAfter},   {8, 82, KvoScrollHitPageAfter},  {8, 83, KvoScrollHitSecondArrow},
        {8, 99, KvoScrollHitSecondArrow}, {8, 100, KvoScrollHitNone},      {17, 50, KvoScrollHitNone},
        {-1, 50, KvoScrollHitNone},
    };
    for (const auto& c : cases)
        EXPECT_EQ(bar.HitTest(c.x, c.y), c.hit) << c.x << "," << c.y;

    bar.Info().nLimit = 70;
    EXPECT_EQ(bar.HitTest(8, 71), KvoScrollHitBeyondLimit);
    EXPECT_EQ(bar.HitTest(8, 95), KvoScrollHitBeyondLimit);
    EXPECT_EQ(bar.HitTest(8, 10), KvoScrollHitFirstArrow);
}

TEST_F(KvoScrollBaseTest, StyleFollowsTheTheme)
{
    TestScrollBar bar(ScrollPaintManager(), CRect(0, 0, 17, 100), TRUE, 0, 99, 10, 0);
    const struct {
        int themeId, style;
    } cases[] = {{0, 2}, {1, 3}, {2, 3}, {3, 3}, {4, 3}, {5, 5}, {6, 5}, {7, 3}};
    for (const auto& c : cases) {
        m_paintManager->m_nReportedThemeId = c.themeId;
        EXPECT_EQ(bar.GetScrollBarStyle(), c.style) << "theme " << c.themeId;
    }
    bar.SetStyle(3);
    m_paintManager->m_nReportedThemeId = 0;
    EXPECT_EQ(bar.GetScrollBarStyle(), 3);
}

// ---- drawing ----

namespace {
COLORREF SystemColorOf(int index)
{
    return CKvoColorManager::Instance()->GetColor(index);
}

bool SaveCanvasPicture(DibCanvas& canvas, const wchar_t* name)
{
    CBitmap copy;
    CDC memory;
    memory.CreateCompatibleDC(canvas.DC());
    copy.CreateCompatibleBitmap(canvas.DC(), canvas.Width(), canvas.Height());
    CBitmap* old = memory.SelectObject(&copy);
    memory.BitBlt(0, 0, canvas.Width(), canvas.Height(), canvas.DC(), 0, 0, SRCCOPY);
    memory.SelectObject(old);
    return SaveBitmapAsPng(static_cast<HBITMAP>(copy.GetSafeHandle()), (TestOutputFolder() + L"\\" + name).c_str());
}

int CountCanvasColor(DibCanvas& canvas, const CRect& rect, COLORREF color)
{
    int count = 0;
    for (int y = rect.top; y < rect.bottom; y++)
        for (int x = rect.left; x < rect.right; x++)
            count += canvas.Pixel(x, y) == color;
    return count;
}
} // namespace

// Channel, ticks, buttons and thumb where they belong.
TEST_F(KvoScrollBaseTest, SliderPixels)
{
    DibCanvas canvas(200, 24, RGB(0xF0, 0xF0, 0xFF));
    TestScrollBar slider(m_paintManager->GetSliderPaintManager(), CRect(0, 4, 200, 20), FALSE, 0, 100, 0, 30);
    slider.SetTicks({0, 50, 100, 150});
    slider.UpdateScrollBarInfo();
    m_paintManager->GetSliderPaintManager()->DrawScrollBar(canvas.DC(), &slider);
    EXPECT_TRUE(SaveCanvasPicture(canvas, L"KvoSlider.png"));

    const COLORREF face = SystemColorOf(COLOR_BTNFACE), shadow = SystemColorOf(COLOR_BTNSHADOW);
    const COLORREF highlight = SystemColorOf(COLOR_BTNHIGHLIGHT);
    const int middle = 12;
    // The channel between the buttons, shadow over highlight.
    EXPECT_EQ(canvas.Pixel(40, middle), shadow);
    EXPECT_EQ(canvas.Pixel(40, middle + 1), highlight);
    EXPECT_EQ(canvas.Pixel(40, middle - 1), RGB(0xF0, 0xF0, 0xFF));
    // Ticks at 0, 50 and 100 over the channel less 6 pixels at each end;
    // 150 lies outside the range.
    const int tickLeft = 16 + 6, tickWidth = 184 - 6 - tickLeft;
    for (int x : {tickLeft, tickLeft + tickWidth / 2, tickLeft + tickWidth}) {
        EXPECT_EQ(canvas.Pixel(x, middle - 3), shadow) << x;
        EXPECT_EQ(canvas.Pixel(x + 1, middle - 3), highlight) << x;
    }
    // The buttons: minus and plus in black on the face colour.
    EXPECT_EQ(canvas.Pixel(8, middle), RGB(0, 0, 0));
    EXPECT_EQ(canvas.Pixel(8, middle - 3), face);
    EXPECT_EQ(canvas.Pixel(192, middle), RGB(0, 0, 0));
    EXPECT_EQ(canvas.Pixel(192, middle - 3), RGB(0, 0, 0));
    // The thumb: a face-coloured pentagon at the position, its point below.
    const int thumbCentre = 16 + ::MulDiv(30, 157, 100) + 5;
    EXPECT_EQ(canvas.Pixel(thumbCentre, middle), face);
    EXPECT_EQ(canvas.Pixel(thumbCentre, middle + 5), face);
    EXPECT_EQ(canvas.Pixel(thumbCentre - 4, middle + 5), RGB(0xF0, 0xF0, 0xFF));
    EXPECT_EQ(canvas.Pixel(thumbCentre, middle + 6), shadow);

    // Without ticks: one mark in the middle of the channel.
    DibCanvas plain(200, 24, RGB(0xF0, 0xF0, 0xFF));
    TestScrollBar untagged(m_paintManager->GetSliderPaintManager(), CRect(0, 4, 200, 20), FALSE, 0, 100, 0, 0);
    m_paintManager->GetSliderPaintManager()->DrawScrollBar(plain.DC(), &untagged);
    EXPECT_EQ(plain.Pixel(100, middle - 3), shadow);
    EXPECT_EQ(plain.Pixel(60, middle - 3), RGB(0xF0, 0xF0, 0xFF));

    // A vertical slider draws nothing.
    DibCanvas vertical(24, 200, RGB(0xF0, 0xF0, 0xFF));
    TestScrollBar upright(m_paintManager->GetSliderPaintManager(), CRect(4, 0, 20, 200), TRUE, 0, 100, 0, 0);
    m_paintManager->GetSliderPaintManager()->DrawScrollBar(vertical.DC(), &upright);
    EXPECT_EQ(CountCanvasColor(vertical, CRect(0, 0, 24, 200), RGB(0xF0, 0xF0, 0xFF)), 24 * 200);
}

TEST_F(KvoScrollBaseTest, FlatAndClassicPixels)
{
    for (int style : {2, 1}) {
        DibCanvas canvas(17, 100, RGB(0xF0, 0xF0, 0xFF));
        TestScrollBar bar(ScrollPaintManager(), CRect(0, 0, 17, 100), TRUE, 0, 99, 10, 45);
        bar.SetStyle(style);
        ScrollPaintManager()->DrawScrollBar(canvas.DC(), &bar);
        EXPECT_TRUE(SaveCanvasPicture(canvas, style == 2 ? L"KvoScrollBarFlat.png" : L"KvoScrollBarClassic.png"));
        // Arrows and thumb on the face colour, a glyph in black.
        EXPECT_EQ(canvas.Pixel(3, 3), SystemColorOf(COLOR_BTNFACE)) << style;
        EXPECT_GT(CountCanvasColor(canvas, CRect(0, 0, 17, 17), RGB(0, 0, 0)), 4) << style;
        EXPECT_GT(CountCanvasColor(canvas, CRect(0, 83, 17, 100), RGB(0, 0, 0)), 4) << style;
        EXPECT_EQ(canvas.Pixel(8, 50), SystemColorOf(COLOR_BTNFACE)) << style;
        // The track around the thumb is neither the background nor the face.
        EXPECT_NE(canvas.Pixel(8, 30), RGB(0xF0, 0xF0, 0xFF)) << style;
        if (style == 2) {
            EXPECT_EQ(canvas.Pixel(0, 0), SystemColorOf(COLOR_BTNHIGHLIGHT));
            EXPECT_EQ(canvas.Pixel(16, 16), SystemColorOf(COLOR_BTNSHADOW));
            EXPECT_EQ(canvas.Pixel(0, 46), SystemColorOf(COLOR_BTNHIGHLIGHT));
        }
    }
    // Disabled: no thumb, grey glyphs.
    DibCanvas canvas(17, 100, RGB(0xF0, 0xF0, 0xFF));
    TestScrollBar bar(ScrollPaintManager(), CRect(0, 0, 17, 100), TRUE, 0, 99, 10, 45);
    bar.m_enabled = FALSE;
    ScrollPaintManager()->DrawScrollBar(canvas.DC(), &bar);
    EXPECT_EQ(CountCanvasColor(canvas, CRect(0, 0, 17, 17), RGB(0, 0, 0)), 0);
    EXPECT_NE(canvas.Pixel(8, 50), SystemColorOf(COLOR_BTNFACE));
}

// The visual-style road through stand-in entry points: parts and states.
TEST_F(KvoScrollBaseTest, VisualStyleParts)
{
    KvoRecordingUxTheme uxTheme;
    CKvoTestPaintManager* themed = new CKvoTestPaintManager(uxTheme.Functions(), 3);
    themed->RefreshMetrics();
    CKvoScrollBarPaintManager* scroll = themed->GetGalleryPaintManager();
    DibCanvas canvas(200, 100);
    using Parts = std::vector<std::pair<int, int>>;

    TestScrollBar vertical(scroll, CRect(0, 0, 17, 100), TRUE, 0, 99, 10, 45);
    KvoRecordingUxTheme::Drawn().clear();
    scroll->DrawScrollBar(canvas.DC(), &vertical);
    EXPECT_EQ(KvoRecordingUxTheme::DrawnOf(L"SCROLLBAR"),
              (Parts{{SBP_ARROWBTN, ABS_UPNORMAL}, {SBP_ARROWBTN, ABS_DOWNNORMAL}, {SBP_UPPERTRACKVERT, 1},
                     {SBP_LOWERTRACKVERT, 1}, {SBP_THUMBBTNVERT, 1}}));

    // Hot second arrow; a thumb longer than 13 pixels gets its gripper.
    TestScrollBar horizontal(scroll, CRect(0, 0, 200, 17), FALSE, 0, 99, 50, 0);
    horizontal.Info().ht = KvoScrollHitSecondArrow;
    KvoRecordingUxTheme::Drawn().clear();
    scroll->DrawScrollBar(canvas.DC(), &horizontal);
    EXPECT_EQ(KvoRecordingUxTheme::DrawnOf(L"SCROLLBAR"),
              (Parts{{SBP_ARROWBTN, ABS_LEFTNORMAL}, {SBP_ARROWBTN, ABS_RIGHTHOT}, {SBP_LOWERTRACKHORZ, 1},
                     {SBP_THUMBBTNHORZ, 1}, {SBP_GRIPPERHORZ, 1}}));

    // Disabled: disabled arrows, the whole track, no thumb.
    vertical.m_enabled = FALSE;
    KvoRecordingUxTheme::Drawn().clear();
    scroll->DrawScrollBar(canvas.DC(), &vertical);
    EXPECT_EQ(KvoRecordingUxTheme::DrawnOf(L"SCROLLBAR"),
              (Parts{{SBP_ARROWBTN, ABS_UPDISABLED}, {SBP_ARROWBTN, ABS_DOWNDISABLED}, {SBP_UPPERTRACKVERT, 4}}));

    // The Default theme draws flat whatever the visual styles say.
    themed->m_nReportedThemeId = 0;
    KvoRecordingUxTheme::Drawn().clear();
    scroll->DrawScrollBar(canvas.DC(), &vertical);
    EXPECT_TRUE(KvoRecordingUxTheme::Drawn().empty());
    themed->InternalRelease();
}

// ---- real mouse input ----

namespace {
// A window that shows one scroll base and starts its tracking on a left
// press, as a bar control does. It plays a script of mouse events, one a
// timer tick, so that each is taken before the next goes out (the tracking
// loop dispatches the timer; moves waiting in the queue together would be
// merged).
class ScrollHostWindow : public CWnd {
public:
    static constexpr UINT_PTR kScriptTimer = 7;
    static constexpr DWORD kWait = 0xFFFFFFFF;

    TestScrollBar* m_bar = nullptr;
    std::deque<std::pair<DWORD, CPoint>> m_script;

    void Play(std::initializer_list<std::pair<DWORD, CPoint>> script)
    {
        m_script.assign(script);
        SetTimer(kScriptTimer, 30, NULL);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_LBUTTONDOWN && m_bar) {
            const POINTS at = MAKEPOINTS(lParam);
            m_bar->PerformTrackInit(m_hWnd, at.x, at.y, &m_bar->Info(), FALSE);
            return 0;
        }
        if (message == WM_TIMER && wParam == kScriptTimer) {
            PlayNext();
            return 0;
        }
        if (message == WM_PAINT && m_bar) {
            CPaintDC dc(this);
            CRect client;
            GetClientRect(&client);
            dc.FillSolidRect(&client, RGB(0xFF, 0xFF, 0xFF));
            m_bar->GetScrollBarPaintManager()->DrawScrollBar(&dc, m_bar);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

private:
    void PlayNext();
};

// One real mouse event at a client point of the window.
void SendMouse(CWnd& window, DWORD flags, int x, int y)
{
    CPoint screen(x, y);
    window.ClientToScreen(&screen);
    const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = (screen.x * 65536 + width - 1) / width;
    input.mi.dy = (screen.y * 65536 + height - 1) / height;
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof(INPUT));
}

void ScrollHostWindow::PlayNext()
{
    if (m_script.empty()) {
        KillTimer(kScriptTimer);
        return;
    }
    const std::pair<DWORD, CPoint> event = m_script.front();
    m_script.pop_front();
    if (event.first != kWait)
        SendMouse(*this, event.first, event.second.x, event.second.y);
}

// The double-click time for one test (the repeat delays derive from it).
class DoubleClickTimeScope {
public:
    explicit DoubleClickTimeScope(UINT ms) : m_saved(::GetDoubleClickTime()) { ::SetDoubleClickTime(ms); }
    ~DoubleClickTimeScope() { ::SetDoubleClickTime(m_saved); }

private:
    UINT m_saved;
};

class KvoScrollTrackingTest : public KvoScrollBaseTest {
protected:
    void SetUp() override
    {
        ::SetCursorPos(0, 0);
        ASSERT_TRUE(CreateTestPopup(m_window, true, 100, 100, 300, 150));
    }
    void TearDown() override
    {
        if (::GetCapture() == m_window.m_hWnd)
            ::ReleaseCapture();
        m_window.DestroyWindow();
    }
    void Host(TestScrollBar& bar)
    {
        bar.m_parent = &m_window;
        m_window.m_bar = &bar;
    }
    // Plays the script and waits for the tracking to end.
    void Play(TestScrollBar& bar, std::initializer_list<std::pair<DWORD, CPoint>> script)
    {
        m_window.Play(script);
        ASSERT_TRUE(PumpUntil([&]() {
            return m_window.m_script.empty() && !bar.m_calls.empty() && bar.m_calls.back().command == SB_ENDSCROLL;
        }));
    }

    ScrollHostWindow m_window;
};
} // namespace

// An arrow held down scrolls at once, again after 4/5 of the double-click
// time and then every tenth of it; the loop counts in the thread's state.
TEST_F(KvoScrollTrackingTest, ArrowAutoRepeat)
{
    DoubleClickTimeScope doubleClick(200);
    TestScrollBar bar(ScrollPaintManager(), CRect(10, 10, 27, 110), TRUE, 0, 99, 10, 0);
    Host(bar);
    bar.m_onScroll = [&]() {
        if (bar.Count(SB_LINEDOWN) == 4)
            SendMouse(m_window, MOUSEEVENTF_LEFTUP, 18, 100);
    };
    SendMouse(m_window, MOUSEEVENTF_LEFTDOWN, 18, 100);
    ASSERT_TRUE(PumpUntil([&]() { return !bar.m_calls.empty() && bar.m_calls.back().command == SB_ENDSCROLL; }));

    ASSERT_EQ(bar.m_calls.size(), 5u);
    for (int i = 0; i < 4; i++)
        EXPECT_EQ(bar.m_calls[i].command, SB_LINEDOWN);
    EXPECT_EQ(bar.m_intervals[0], 160u);
    EXPECT_EQ(bar.m_intervals[1], 20u);
    EXPECT_EQ(bar.m_intervals[3], 20u);
    EXPECT_GE(std::chrono::duration_cast<std::chrono::milliseconds>(bar.m_times[1] - bar.m_times[0]).count(), 120);
    EXPECT_EQ(bar.m_trackingLoops[0], 1);
    EXPECT_EQ(CKvoCommandBarTrackingState::ForThisThread()->m_nTrackingLoops, 0);
    EXPECT_EQ(bar.GetTrackInfo(), nullptr);
    EXPECT_NE(::GetCapture(), m_window.m_hWnd);
    EXPECT_EQ(bar.m_info.nPos, 4);
}

// A press on the track pages until the thumb has passed the mouse.
TEST_F(KvoScrollTrackingTest, PageTrackingStopsAtTheThumb)
{
    DoubleClickTimeScope doubleClick(100);
    TestScrollBar bar(ScrollPaintManager(), CRect(10, 10, 27, 110), TRUE, 0, 99, 10, 0);
    Host(bar);
    // The thumb reaches the mouse within 150 ms; the release comes later.
    std::initializer_list<std::pair<DWORD, CPoint>> script = {
        {MOUSEEVENTF_LEFTDOWN, {18, 85}}, {ScrollHostWindow::kWait, {}}, {ScrollHostWindow::kWait, {}},
        {ScrollHostWindow::kWait, {}},    {ScrollHostWindow::kWait, {}}, {ScrollHostWindow::kWait, {}},
        {ScrollHostWindow::kWait, {}},    {ScrollHostWindow::kWait, {}}, {ScrollHostWindow::kWait, {}},
        {ScrollHostWindow::kWait, {}},    {ScrollHostWindow::kWait, {}}, {ScrollHostWindow::kWait, {}},
        {MOUSEEVENTF_LEFTUP, {18, 85}}};
    Play(bar, script);
    EXPECT_EQ(bar.Count(SB_PAGEDOWN), 8);
    EXPECT_EQ(bar.m_info.nPos, 80);
}

// Dragged far to the side, a scroll bar's thumb goes back where the drag
// began; coming back resumes the drag.
TEST_F(KvoScrollTrackingTest, ThumbSnapsBack)
{
    TestScrollBar bar(ScrollPaintManager(), CRect(10, 10, 27, 110), TRUE, 0, 99, 10, 0);
    Host(bar);
    // The thumb is at 27-35 of the window; the press 3 pixels into it.
    Play(bar, {{MOUSEEVENTF_LEFTDOWN, {18, 30}},
               {0, {18, 50}},
               {0, {18 + 17 * 8 + 20, 50}},
               {0, {18, 60}},
               {MOUSEEVENTF_LEFTUP, {18, 60}}});
    std::vector<int> commands, positions;
    for (const ScrollCall& call : bar.m_calls) {
        commands.push_back(call.command);
        positions.push_back(call.position);
    }
    EXPECT_EQ(commands, (std::vector<int>{SB_THUMBTRACK, SB_THUMBTRACK, SB_THUMBTRACK, SB_THUMBTRACK,
                                          SB_THUMBPOSITION, SB_ENDSCROLL}));
    EXPECT_EQ(positions, (std::vector<int>{0, ::MulDiv(90, 20, 58), 0, ::MulDiv(90, 30, 58), ::MulDiv(90, 30, 58), 0}));
    EXPECT_EQ(bar.m_trackingLoops[0], 1);
}

// A slider's thumb follows the mouse wherever it goes.
TEST_F(KvoScrollTrackingTest, SliderThumbFollows)
{
    TestScrollBar slider(m_paintManager->GetSliderPaintManager(), CRect(10, 10, 210, 26), FALSE, 0, 100, 0, 0);
    Host(slider);
    const int thumbTop = slider.GetScrollBarPosInfo().pxThumbTop; // 26 in the window
    Play(slider, {{MOUSEEVENTF_LEFTDOWN, {thumbTop + 5, 18}},
                  {0, {thumbTop + 5 + 40, 140}},
                  {MOUSEEVENTF_LEFTUP, {thumbTop + 5 + 40, 140}}});
    ASSERT_GE(slider.m_calls.size(), 3u);
    const int expected = ::MulDiv(100, 40, 157);
    EXPECT_EQ(slider.m_calls[slider.m_calls.size() - 2].command, SB_THUMBPOSITION);
    EXPECT_EQ(slider.m_calls[slider.m_calls.size() - 2].position, expected);
    CWindowPicture picture(m_window.m_hWnd);
    EXPECT_TRUE(picture.SavePng(TestOutputFolder() + L"\\KvoSliderTracked.png"));
}

// When the thumb fills the track a press on it starts nothing.
TEST_F(KvoScrollTrackingTest, NoRoomForTheThumb)
{
    TestScrollBar bar(ScrollPaintManager(), CRect(10, 10, 27, 110), TRUE, 0, 9, 10, 0);
    Host(bar);
    bar.PerformTrackInit(m_window.m_hWnd, 18, 50, &bar.Info(), FALSE);
    EXPECT_TRUE(bar.m_calls.empty());
    EXPECT_EQ(bar.GetTrackInfo(), nullptr);
    EXPECT_NE(::GetCapture(), m_window.m_hWnd);
}
