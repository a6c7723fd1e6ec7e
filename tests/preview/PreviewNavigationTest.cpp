// Navigating the preview: the wheel, the slider and its keys, the pan
// buttons, double-clicks and rubber bands on the picture, and page fit,
// each given to the real dialog as the window messages that a user's input
// makes. The view that each navigation leaves is read where the library
// keeps it, the file's info cache entry (which every render writes), and
// the drawing's position from the pixels on the screen.
#include <gtest/gtest.h>
#include <afxwin.h>
#include <commctrl.h>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cwchar>
#include <functional>
#include <string>
#include <vector>
#include "PreviewDialogFixture.h"
#include "app/TavrenaApp.h"
#include "cache/InfoCache.h"
#include "cache/InfoCachePin.h"
#include "core/jww/JwwTestSupport.h"
#include "records/SettingFlag.h"
#include "writer/InfoCacheFile.h"

namespace {
using namespace previewtest;

const int kFirstScale = 256;
// Where a mark is found on the screen may differ by a line's width.
const int kMarkSlack = 2;

struct ViewFields {
    int scale = 0;
    int originX = 0;
    int originY = 0;
};

// A horizontal and a vertical line that cross away from the drawing's
// centre: the crossing is a mark that can be found on the screen.
jwwrite::Drawing CrossDrawing()
{
    jwwrite::Drawing drawing = BareDrawing();
    drawing.entities = {LineOf(0, 200, 400, 200), LineOf(100, 0, 100, 300)};
    return drawing;
}

// What the picture shows: the crossing (the row and the column with the
// most ink) and the box around all ink, in the picture's client coordinates.
struct PictureInk {
    POINT crossing = {-1, -1};
    RECT box = {INT_MAX, INT_MAX, INT_MIN, INT_MIN};
};

PictureInk ReadPictureInk(HWND picture)
{
    RedrawWindow(picture, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    CWindowPicture shot(picture);
    RECT frame = {}, client = {};
    GetWindowRect(picture, &frame);
    GetClientRect(picture, &client);
    POINT corner = {0, 0};
    ClientToScreen(picture, &corner);
    const int left = corner.x - frame.left, top = corner.y - frame.top;
    std::vector<int> rows(client.bottom), columns(client.right);
    PictureInk ink;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x) {
            if (shot.Pixel(left + x, top + y) == RGB(255, 255, 255))
                continue;
            ++rows[y];
            ++columns[x];
            ink.box = {std::min<LONG>(ink.box.left, x), std::min<LONG>(ink.box.top, y),
                       std::max<LONG>(ink.box.right, x + 1), std::max<LONG>(ink.box.bottom, y + 1)};
        }
    auto fullest = [](const std::vector<int>& counts) {
        return static_cast<int>(std::max_element(counts.begin(), counts.end()) - counts.begin());
    };
    ink.crossing = {fullest(columns), fullest(rows)};
    return ink;
}

std::string Text(POINT point)
{
    return "(" + std::to_string(point.x) + ", " + std::to_string(point.y) + ")";
}

class PreviewNavigationTest : public PreviewDialogFixture {
protected:
    void SetUp() override
    {
        PreviewDialogFixture::SetUp();
        // The library's cache and settings word go back as they were.
        m_before = m_scratch.Path() + L"\\before.dat";
        ASSERT_TRUE(m_exports.InfoSave(m_before.c_str()));
        m_drawing = m_scratch.Path() + L"\\cross.jww";
        ASSERT_TRUE(jwwrite::SaveFile(m_drawing, jwwrite::WriteDrawing(CrossDrawing())));
    }
    void TearDown() override
    {
        PreviewDialogFixture::TearDown();
        m_exports.InfoLoad(m_before.c_str());
    }

    // The library's info cache becomes one with these views and this
    // settings word (the word that the settings dialog writes).
    bool UseCache(uint32_t settings, const std::vector<jwwrite::InfoCacheFileEntry>& entries = {})
    {
        jwwrite::InfoCacheFile file;
        file.settings = settings;
        file.entries = entries;
        const std::wstring path = m_scratch.Path() + L"\\given.dat";
        return jwwrite::SaveFile(path, jwwrite::WriteInfoCacheFile(file)) && m_exports.InfoLoad(path.c_str());
    }
    jwwrite::InfoCacheFileEntry CachedCross(int scale, int originX, int originY) const
    {
        jwwrite::InfoCacheFileEntry entry;
        entry.path = std::u16string(m_drawing.begin(), m_drawing.end());
        entry.scale = scale;
        entry.originX = originX;
        entry.originY = originY;
        entry.viewSet = true;
        return entry;
    }

    // Opens the cross and waits until its first render is on the screen.
    void OpenCross()
    {
        ASSERT_NE(Open(m_drawing), nullptr);
        ASSERT_TRUE(PumpUntil([&] { return Loaded() && FirstRenderArrived() && Shown(); }, kPreviewPatience));
        GetClientRect(Picture(), &m_client);
    }

    // The view of the cross as the library's info cache holds it: saved by
    // the library and read back through this process's own cache.
    ViewFields CachedView()
    {
        const std::wstring path = m_scratch.Path() + L"\\view.dat";
        ViewFields view;
        if (!m_exports.InfoSave(path.c_str()))
            return view;
        // Reading a cache file takes its settings; this process keeps its own.
        const uint32_t settings = theApp.m_settings;
        const COLORREF background = theApp.m_backColor;
        {
            CInfoCache cache;
            CInfoCacheEntry* entry = nullptr;
            if (cache.Load(path.c_str()) && cache.GetEntry(m_drawing.c_str(), &entry, nullptr)) {
                CInfoCachePin pin(cache, entry);
                view = {entry->scale, entry->originX, entry->originY};
            }
        }
        theApp.m_settings = settings;
        theApp.m_backColor = background;
        return view;
    }

    HWND Picture() const { return Item(IDC_PREVIEW_PICTURE); }
    HWND Slider() const { return Item(IDC_PREVIEW_ZOOM); }
    POINT Centre() const { return {m_client.right / 2, m_client.bottom / 2}; }
    int SliderPos() const { return static_cast<int>(SendMessageW(Slider(), TBM_GETPOS, 0, 0)); }

    // The input, as the system hands it to the dialog's windows.
    void Wheel(short delta, POINT at) const
    {
        // The wheel goes to the window under the cursor, which passes it on
        // to its parent; the position is on the screen.
        ClientToScreen(Picture(), &at);
        SendMessageW(Picture(), WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(at.x, at.y));
    }
    void SliderKey(UINT key) const
    {
        SendMessageW(Slider(), WM_KEYDOWN, key, 1);
        SendMessageW(Slider(), WM_KEYUP, key, 0xC0000001);
    }
    void DragThumb(int position) const
    {
        SendMessageW(Slider(), TBM_SETPOS, TRUE, position);
        SendMessageW(m_dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, position), reinterpret_cast<LPARAM>(Slider()));
        SendMessageW(m_dialog, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(Slider()));
    }
    void Click(int button) const { SendMessageW(Item(button), BM_CLICK, 0, 0); }
    void DoubleClick(POINT at, bool shift) const
    {
        SendMessageW(Picture(), WM_LBUTTONDBLCLK, MK_LBUTTON | (shift ? MK_SHIFT : 0), MAKELPARAM(at.x, at.y));
    }
    // A rubber band dragged from one point to another: the moves and the
    // release wait in the queue for the tracking loop that the press starts.
    void Band(POINT from, POINT to) const
    {
        PostMessageW(Picture(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
        PostMessageW(Picture(), WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
        SendMessageW(Picture(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    }

    // The slider's tooltip, which names the zoom factor of the shown view.
    // Tooltips are owned by the top-level window; the one that knows the
    // slider as a tool answers.
    std::wstring SliderLabel() const
    {
        TOOLINFOW tool = {};
        wchar_t text[256] = {};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND;
        tool.hwnd = m_dialog;
        tool.uId = reinterpret_cast<UINT_PTR>(Slider());
        tool.lpszText = text;
        const HWND owner = m_host.m_hWnd;
        ForEachThreadWindow([&](HWND window) {
            wchar_t name[64] = {};
            GetClassNameW(window, name, 64);
            if (GetWindow(window, GW_OWNER) == owner && wcscmp(name, TOOLTIPS_CLASSW) == 0)
                SendMessageW(window, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
            return text[0] == 0;
        });
        return text;
    }
    std::wstring ExpectedLabel(int scale) const
    {
        wchar_t text[256] = {};
        swprintf(text, 256, m_exports.LanguageString(IDS_PREVIEW_ZOOM_FACTOR).c_str(), scale / 256.0);
        return text;
    }

    std::wstring m_before;
    std::wstring m_drawing;
    RECT m_client = {};
};

// Where the crossing is expected after a navigation.
enum class MarkAfter {
    StaysPut,  // under the point the zoom was about
    AtCentre,  // in the middle of the picture
    AboutCentre,  // scaled about the middle of the picture, which stays
    Moved,     // moved by the change of the origin (dx right, dy down)
};

struct NavigationCase {
    const char* name;
    uint32_t settings;
    std::function<void(POINT mark)> input;
    int scale;  // -1: the box's factor times 256
    // The origin's change: pan steps (an eighth of the picture) and pixels.
    POINT steps;
    POINT pixels;
    MarkAfter mark;
    // A picture of the dialog afterwards, for a person to look at.
    const wchar_t* pictureName = nullptr;
};

// Each case from a freshly placed view at scale 256: the scale and origin
// that the cache entry holds afterwards, where the drawing went on the
// screen, and the slider's label for the new scale.
TEST_F(PreviewNavigationTest, EachInputLeavesTheExpectedView)
{
    const uint32_t kReversedWheel = SettingFlag::ReverseWheel, kReversedPan = SettingFlag::ReversePan;
    // Filled once the picture's size is known.
    int w = 0, h = 0;
    auto boxFactor = [&] { return h < w ? w / 100 : h / 60; };
    const NavigationCase cases[] = {
        {"wheel toward the user zooms in a quarter step", 0, [&](POINT at) { Wheel(-WHEEL_DELTA, at); }, 448, {0, 0}, {0, 0},
         MarkAfter::StaysPut},
        {"wheel away zooms out a quarter step", 0, [&](POINT at) { Wheel(WHEEL_DELTA, at); }, 64, {0, 0}, {0, 0},
         MarkAfter::StaysPut},
        {"reversed wheel away zooms in", kReversedWheel, [&](POINT at) { Wheel(WHEEL_DELTA, at); }, 448, {0, 0}, {0, 0},
         MarkAfter::StaysPut},
        {"reversed wheel toward the user zooms out", kReversedWheel, [&](POINT at) { Wheel(-WHEEL_DELTA, at); }, 64,
         {0, 0}, {0, 0}, MarkAfter::StaysPut},
        {"double-click zooms in a whole step", 0, [&](POINT at) { DoubleClick(at, false); }, 1024, {0, 0}, {0, 0},
         MarkAfter::StaysPut, L"PreviewNavigation-zoomed"},
        {"shift double-click zooms out to the smallest scale", 0, [&](POINT at) { DoubleClick(at, true); }, 64, {0, 0}, {0, 0},
         MarkAfter::StaysPut},
        {"up key in the slider pans", 0, [&](POINT) { SliderKey(VK_UP); }, 256, {0, -1}, {0, 0}, MarkAfter::Moved},
        {"down key in the slider pans", 0, [&](POINT) { SliderKey(VK_DOWN); }, 256, {0, 1}, {0, 0}, MarkAfter::Moved},
        {"left key in the slider pans", 0, [&](POINT) { SliderKey(VK_LEFT); }, 256, {1, 0}, {0, 0}, MarkAfter::Moved},
        {"right key in the slider pans", 0, [&](POINT) { SliderKey(VK_RIGHT); }, 256, {-1, 0}, {0, 0}, MarkAfter::Moved},
        {"reversed up key", kReversedPan, [&](POINT) { SliderKey(VK_UP); }, 256, {0, 1}, {0, 0}, MarkAfter::Moved},
        {"reversed left key", kReversedPan, [&](POINT) { SliderKey(VK_LEFT); }, 256, {-1, 0}, {0, 0}, MarkAfter::Moved},
        {"up button pans", 0, [&](POINT) { Click(IDC_PREVIEW_PAN_UP); }, 256, {0, -1}, {0, 0}, MarkAfter::Moved},
        {"right button pans", 0, [&](POINT) { Click(IDC_PREVIEW_PAN_RIGHT); }, 256, {-1, 0}, {0, 0}, MarkAfter::Moved},
        {"reversed down button", kReversedPan, [&](POINT) { Click(IDC_PREVIEW_PAN_DOWN); }, 256, {0, -1}, {0, 0},
         MarkAfter::Moved},
        {"page up in the slider zooms in a step", 0, [&](POINT) { SliderKey(VK_PRIOR); }, 1024, {0, 0}, {0, 0},
         MarkAfter::AboutCentre},
        {"page down in the slider zooms out", 0, [&](POINT) { SliderKey(VK_NEXT); }, 64, {0, 0}, {0, 0}, MarkAfter::AboutCentre},
        {"end key zooms to the largest scale", 0, [&](POINT) { SliderKey(VK_END); }, 65536, {0, 0}, {0, 0},
         MarkAfter::AboutCentre},
        {"thumb dragged to three quarters", 0, [&](POINT) { DragThumb(192); }, 192, {0, 0}, {0, 0}, MarkAfter::AboutCentre},
        {"9 by 9 rubber band does nothing", 0, [&](POINT at) { Band(at, {at.x + 9, at.y + 9}); }, 256, {0, 0}, {0, 0},
         MarkAfter::Moved},
        {"flat 100 by 20 band pans across", 0, [&](POINT at) { Band({at.x - 50, at.y}, {at.x + 50, at.y + 20}); },
         256, {0, 0}, {-100, 0}, MarkAfter::Moved},
        {"steep 20 by 100 band pans down", 0, [&](POINT at) { Band({at.x, at.y - 50}, {at.x - 20, at.y + 50}); }, 256,
         {0, 0}, {0, 100}, MarkAfter::Moved},
        {"100 by 60 box zooms into its centre", 0,
         [&](POINT at) { Band({at.x + 50, at.y + 30}, {at.x - 50, at.y - 30}); }, -1, {0, 0}, {0, 0}, MarkAfter::AtCentre},
    };
    for (const NavigationCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(UseCache(c.settings));
        OpenCross();
        w = m_client.right;
        h = m_client.bottom;
        const ViewFields before = CachedView();
        const int side = std::max(256, (std::max(w, h) + 31) / 32 * 32);
        ASSERT_EQ(before.scale, kFirstScale);
        ASSERT_EQ(before.originX, kFirstScale - side / 2) << "the first render places the view";
        ASSERT_EQ(before.originY, -before.originX);
        const POINT mark = ReadPictureInk(Picture()).crossing;
        // The crossing shows, away from the middle, where zooming about it
        // and bringing it to the middle differ.
        ASSERT_TRUE(mark.x > 0 && mark.x < w && mark.y > 0 && mark.y < h) << Text(mark);
        ASSERT_GT(std::abs(mark.x - w / 2) + std::abs(mark.y - h / 2), 40) << Text(mark);

        c.input(mark);

        const int scale = c.scale > 0 ? c.scale : kFirstScale * boxFactor();
        const ViewFields after = CachedView();
        EXPECT_EQ(after.scale, scale);
        EXPECT_EQ(SliderPos(), scale);
        EXPECT_EQ(SliderLabel(), ExpectedLabel(scale));
        const POINT shown = ReadPictureInk(Picture()).crossing;
        const double factor = scale / static_cast<double>(kFirstScale);
        const POINT centre = Centre();
        POINT expected = mark;
        switch (c.mark) {
        case MarkAfter::StaysPut:
            break;
        case MarkAfter::AtCentre:
            expected = centre;
            break;
        case MarkAfter::AboutCentre:
            expected = {centre.x + std::lround((mark.x - centre.x) * factor),
                        centre.y + std::lround((mark.y - centre.y) * factor)};
            break;
        case MarkAfter::Moved: {
            const int dx = c.steps.x * (w / 8) + c.pixels.x;
            const int dy = c.steps.y * (h / 8) + c.pixels.y;
            EXPECT_EQ(after.originX - before.originX, dx);
            EXPECT_EQ(after.originY - before.originY, dy);
            expected = {mark.x - dx, mark.y + dy};
            break;
        }
        }
        // Where the mark leaves the picture, nothing can be seen of it.
        if (expected.x >= 0 && expected.y >= 0 && expected.x < w && expected.y < h) {
            // The mark is found to a pixel, which a zoom enlarges.
            const double slack = kMarkSlack * std::max(1.0, factor);
            EXPECT_LE(std::abs(shown.x - expected.x), slack) << Text(shown) << " expected " << Text(expected);
            EXPECT_LE(std::abs(shown.y - expected.y), slack) << Text(shown) << " expected " << Text(expected);
        }
        if (c.pictureName) {
            EXPECT_TRUE(SavePreviewPicture(m_dialog, TestOutputFolder() + L"\\" + c.pictureName + L".png"));
            EXPECT_TRUE(CWindowPicture(m_dialog).SavePng(TestOutputFolder() + L"\\" + c.pictureName + L"-screen.png"));
        }
        Close();
    }
}

// Page fit shows the whole drawing; switched off it brings back the view
// from before (the first one, at 256). Any other navigation switches fit
// off without bringing anything back, so the next press fits again.
TEST_F(PreviewNavigationTest, FitShowsTheWholeDrawingAndRestoresTheViewBefore)
{
    ASSERT_TRUE(UseCache(0));
    OpenCross();
    const ViewFields first = CachedView();
    ASSERT_EQ(first.scale, kFirstScale);

    Click(IDC_PREVIEW_FIT);
    const ViewFields fitted = CachedView();
    EXPECT_NE(fitted.scale, kFirstScale);
    EXPECT_EQ(SliderPos(), fitted.scale);
    const RECT ink = ReadPictureInk(Picture()).box;
    const int inkWidth = ink.right - ink.left, inkHeight = ink.bottom - ink.top;
    EXPECT_TRUE(ink.left >= 0 && ink.top >= 0 && ink.right <= m_client.right && ink.bottom <= m_client.bottom)
        << ink.left << "," << ink.top << "," << ink.right << "," << ink.bottom;
    EXPECT_TRUE(inkWidth >= m_client.right * 9 / 10 || inkHeight >= m_client.bottom * 9 / 10)
        << "the drawing fills the picture one way: " << inkWidth << " by " << inkHeight;

    Click(IDC_PREVIEW_FIT);
    const ViewFields restored = CachedView();
    EXPECT_EQ(restored.scale, kFirstScale);
    EXPECT_EQ(restored.originX, first.originX);
    EXPECT_EQ(restored.originY, first.originY);
    EXPECT_EQ(SliderLabel(), ExpectedLabel(kFirstScale));

    Click(IDC_PREVIEW_FIT);
    Wheel(-WHEEL_DELTA, Centre());
    EXPECT_EQ(CachedView().scale, fitted.scale + 192);
    Click(IDC_PREVIEW_FIT);
    const ViewFields fittedAgain = CachedView();
    EXPECT_EQ(fittedAgain.scale, fitted.scale);
    EXPECT_EQ(fittedAgain.originX, fitted.originX);
    EXPECT_EQ(fittedAgain.originY, fitted.originY);
}

// A box so small that its zoom would leave the scale's range keeps the
// scale, but its centre still comes to the middle of the picture: the
// render is not skipped because scale and origin did not change before
// the centring.
TEST_F(PreviewNavigationTest, BoxBeyondTheLargestScaleStillCentres)
{
    ASSERT_TRUE(UseCache(0));
    OpenCross();
    POINT mark = ReadPictureInk(Picture()).crossing;
    DoubleClick(mark, false);
    ASSERT_EQ(CachedView().scale, 1024);
    mark = ReadPictureInk(Picture()).crossing;
    // 4 by 10 pixels: a box, not a flat drag, whose factor is far above 64.
    Band({mark.x - 2, mark.y - 5}, {mark.x + 2, mark.y + 5});
    EXPECT_EQ(CachedView().scale, 1024);
    const POINT shown = ReadPictureInk(Picture()).crossing;
    const POINT centre = Centre();
    EXPECT_LE(std::abs(shown.x - centre.x), 4 * kMarkSlack) << Text(shown) << " centre " << Text(centre);
    EXPECT_LE(std::abs(shown.y - centre.y), 4 * kMarkSlack) << Text(shown) << " centre " << Text(centre);
}

// A view read back from the info cache file may hold any value. Zooming
// and panning from the ends of the 32-bit range hold the scale within the
// slider's range and the origin at the range's end, where the plain sums
// would wrap round to the other sign (or a wrapped product would land
// inside the range and be taken).
TEST_F(PreviewNavigationTest, ZoomAndPanNeverWrapTheViewRound)
{
    // The bitmap's side, so that the first render does not move the
    // cached origin.
    ASSERT_TRUE(UseCache(0));
    OpenCross();
    const int w = m_client.right, h = m_client.bottom;
    const int side = std::max(256, (std::max(w, h) + 31) / 32 * 32);
    Close();
    const int factor = h < w ? w / 100 : h / 60;
    // factor times this is 4096 past 2^32: wrapped, a scale in the range.
    const int wrapsIntoRange = static_cast<int>(((int64_t{1} << 32) + 4096) / factor);
    struct OverflowCase {
        const char* name;
        ViewFields cached;
        std::function<void()> input;
        ViewFields expected;
    } cases[] = {
        {"wheel zooms in from the top of the range", {INT_MAX - 100, 0, 0}, [&] { Wheel(-WHEEL_DELTA, Centre()); },
         {65536, 0, 0}},
        {"double-click zooms out from the top of the range", {INT_MAX - 100, 0, 0},
         [&] { DoubleClick(Centre(), true); }, {65536, 0, 0}},
        {"page up in the slider from the top of the range", {INT_MAX - 100, 0, 0}, [&] { SliderKey(VK_PRIOR); },
         {65536, 0, 0}},
        {"a box whose product wraps into the range", {wrapsIntoRange, 0, 0},
         [&] {
             const POINT c = Centre();
             Band({c.x - 50, c.y - 30}, {c.x + 50, c.y + 30});
         },
         {wrapsIntoRange, 0, 0}},
        {"left button at the right end", {256, INT_MAX - 1, 0}, [&] { Click(IDC_PREVIEW_PAN_LEFT); },
         {256, INT_MAX, 0}},
        {"up button at the bottom end", {256, 0, INT_MIN + 1}, [&] { Click(IDC_PREVIEW_PAN_UP); }, {256, 0, INT_MIN}},
        {"flat band dragged right at the left end", {256, INT_MIN + 1, 0},
         [&] {
             const POINT c = Centre();
             // The tracker drops a band without height: a flat one is a little slanted.
             Band({c.x - 50, c.y}, {c.x + 50, c.y + 5});
         },
         {256, INT_MIN, 0}},
        {"steep band dragged down at the top end", {256, 0, INT_MAX - 1},
         [&] {
             const POINT c = Centre();
             Band({c.x, c.y - 50}, {c.x + 5, c.y + 50});
         },
         {256, 0, INT_MAX}},
    };
    for (const OverflowCase& c : cases) {
        SCOPED_TRACE(c.name);
        jwwrite::InfoCacheFileEntry entry = CachedCross(c.cached.scale, c.cached.originX, c.cached.originY);
        entry.width = entry.height = side;
        ASSERT_TRUE(UseCache(0, {entry}));
        OpenCross();
        const ViewFields before = CachedView();
        ASSERT_EQ(before.scale, c.cached.scale);
        ASSERT_EQ(before.originX, c.cached.originX);
        ASSERT_EQ(before.originY, c.cached.originY);
        c.input();
        const ViewFields after = CachedView();
        EXPECT_EQ(after.scale, c.expected.scale);
        // A zoom about a point moves the origin; only its sign is held.
        if (c.expected.scale == c.cached.scale) {
            EXPECT_EQ(after.originX, c.expected.originX);
            EXPECT_EQ(after.originY, c.expected.originY);
        }
        Close();
    }
}
}  // namespace
