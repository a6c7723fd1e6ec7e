// Thumbnails: through the library's export, and in this process for the
// settings that only the application object holds.
#include <gtest/gtest.h>
#include <algorithm>
#include <climits>
#include <psapi.h>
#include <string>
#include "SampleDrawings.h"
#include "app/TavrenaApp.h"
#include "cache/InfoCache.h"
#include "reader/JwCADBase.h"
#include "records/SettingFlag.h"
#include "support/LibraryModule.h"
#include "support/ScratchFolder.h"
#include "support/TavrenaLibrary.h"
#include "writer/JwcWriter.h"
#include "DibPixels.h"

namespace {
const HRESULT kFailed = static_cast<HRESULT>(0x80004001);
const COLORREF kWhite = RGB(255, 255, 255);
// Far less than the DIB of a refused size would commit.
const SIZE_T kNoDibWorthMentioning = 256u << 20;

PROCESS_MEMORY_COUNTERS MemoryCounters()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters;
}

// A JWC drawing: a frame and its diagonals, in red.
jwwrite::JwcDrawing Frame()
{
    jwwrite::JwcDrawing drawing;
    drawing.lines = {{0, 0, 1000, 0, 1, 2, 0},
                     {1000, 0, 1000, 500, 1, 2, 0},
                     {1000, 500, 0, 500, 1, 2, 0},
                     {0, 500, 0, 0, 1, 2, 0},
                     {0, 0, 1000, 500, 1, 2, 0}};
    return drawing;
}

// Pixels inside the square's margins that differ from the corner.
int InkInside(const DibPixels& pixels)
{
    COLORREF background = pixels.At(0, 0);
    int ink = 0;
    for (int y = 5; y < pixels.Height() - 5; ++y)
        for (int x = 5; x < pixels.Width() - 5; ++x)
            ink += pixels.At(x, y) != background ? 1 : 0;
    return ink;
}

class Thumbnail : public ::testing::Test {
protected:
    Thumbnail() : m_module(L"Tavrena.dll"), m_library(m_module.Handle()) {}
    void SetUp() override
    {
        ASSERT_TRUE(m_module.IsLoaded());
        ASSERT_TRUE(m_library.Complete());
        std::vector<uint8_t> bytes = jwwrite::WriteJwc(Frame());
        m_path = m_folder.Write(L"frame.jwc", std::string(bytes.begin(), bytes.end()));
    }

    LibraryModule m_module;
    TavrenaLibrary m_library;
    ScratchFolder m_folder;
    std::wstring m_path;
};
}

TEST_F(Thumbnail, SizesThroughTheExport)
{
    struct Case {
        int size;
        int side;
    };
    for (Case c : {Case{96, 96}, Case{256, 256}, Case{1024, 1024}, Case{-5, 256}}) {
        HBITMAP bitmap = nullptr;
        ASSERT_EQ(m_library.GetZumenImage(c.size, m_path.c_str(), &bitmap, nullptr), S_OK) << c.size;
        DibPixels pixels(bitmap);
        ASSERT_TRUE(pixels.Valid()) << "a 24-bit DIB section, size " << c.size;
        EXPECT_EQ(pixels.Width(), c.side);
        EXPECT_EQ(pixels.Height(), c.side);
        EXPECT_GT(InkInside(pixels), c.side) << c.size;
        DeleteObject(bitmap);
    }
    HBITMAP sentinel = reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(0x77));
    HBITMAP bitmap = sentinel;
    EXPECT_EQ(m_library.GetZumenImage(0, m_path.c_str(), &bitmap, nullptr), kFailed);
    EXPECT_EQ(bitmap, sentinel) << "size 0 leaves the pointer alone";
    HBITMAP image = m_library.GetImage(96, m_path.c_str());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(DibPixels(image).Width(), 96);
    DeleteObject(image);
}

// An automation client may ask for any size: sizes beyond the largest
// thumbnail (4096) fail at once, before a DIB of size x size x 3 bytes is
// asked for, while Explorer's largest thumbnail is still made.
TEST_F(Thumbnail, HugeSizesFailCleanly)
{
    HBITMAP sentinel = reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(0x77));
    for (int size : {4097, 50000, INT_MAX}) {
        PROCESS_MEMORY_COUNTERS before = MemoryCounters();
        HBITMAP bitmap = sentinel;
        EXPECT_EQ(m_library.GetZumenImage(size, m_path.c_str(), &bitmap, nullptr), kFailed) << size;
        EXPECT_EQ(bitmap, sentinel) << size;
        EXPECT_EQ(m_library.GetImage(size, m_path.c_str()), nullptr) << size;
        EXPECT_LT(MemoryCounters().PeakPagefileUsage - before.PeakPagefileUsage, kNoDibWorthMentioning) << size;
    }
    HBITMAP explorersLargest = m_library.GetImage(2560, m_path.c_str());
    ASSERT_NE(explorersLargest, nullptr);
    EXPECT_EQ(DibPixels(explorersLargest).Width(), 2560);
    DeleteObject(explorersLargest);
}

TEST_F(Thumbnail, SmallSizesAreShrunkFromTheFullRendering)
{
    HBITMAP big = nullptr, small = nullptr;
    ASSERT_EQ(m_library.GetZumenImage(256, m_path.c_str(), &big, nullptr), S_OK);
    ASSERT_EQ(m_library.GetZumenImage(128, m_path.c_str(), &small, nullptr), S_OK);
    DibPixels full(big), half(small);
    // Every other pixel of the full rendering, as COLORONCOLOR keeps them.
    int same = 0;
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
            same += half.At(x, y) == full.At(2 * x, 2 * y) || half.At(x, y) == full.At(2 * x + 1, 2 * y + 1);
    EXPECT_GT(same, 128 * 128 * 9 / 10);
    DeleteObject(big);
    DeleteObject(small);
}

namespace {
// The drawing's extent on the bitmap of its last draw, one pixel wider all
// round and cut to the bitmap.
RECT DeviceExtent(CJwCADBase& doc, int side)
{
    doc.MapPoint(doc.m_extentMinX, doc.m_extentMinY);
    double x0 = doc.m_devX, y0 = doc.m_devY;
    doc.MapPoint(doc.m_extentMaxX, doc.m_extentMaxY);
    double x1 = doc.m_devX, y1 = doc.m_devY;
    auto cut = [side](double v) { return static_cast<LONG>(std::max(0.0, std::min<double>(v, side))); };
    return RECT{cut(std::min(x0, x1) - 1), cut(std::min(y0, y1) - 1), cut(std::max(x0, x1) + 2),
                cut(std::max(y0, y1) + 2)};
}

int InkWithin(const DibPixels& pixels, const RECT& area)
{
    COLORREF background = pixels.At(0, 0);
    int ink = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            ink += pixels.At(x, y) != background ? 1 : 0;
    return ink;
}
}

// Drawn in this process, so that the ink can be looked for inside the
// drawing's extent as the draw placed it.
TEST(ThumbnailSamples, EverySampleShowsInkInsideItsExtent)
{
    std::vector<std::wstring> samples = SampleDrawingFiles();
    if (samples.empty())
        GTEST_SKIP() << "no sample folder";
    for (const std::wstring& path : samples) {
        HBITMAP bitmap = nullptr;
        ASSERT_TRUE(theApp.m_infoCache.MakeThumbnail(256, path.c_str(), &bitmap)) << path;
        CInfoCacheEntry* entry = nullptr;
        ASSERT_TRUE(theApp.m_infoCache.GetEntry(path.c_str(), &entry, nullptr)) << path;
        ASSERT_NE(entry->doc, nullptr);
        EXPECT_FALSE(entry->doc->m_figures.IsEmpty()) << path;
        RECT extent = DeviceExtent(*entry->doc, 256);
        theApp.m_infoCache.ReleaseEntry(entry);
        DibPixels pixels(bitmap);
        int inside = InkWithin(pixels, extent), all = InkWithin(pixels, RECT{0, 0, 256, 256});
        EXPECT_GT(inside, 100) << path;
        EXPECT_GE(inside * 20, all * 19) << path << ": the ink lies inside the extent";
        DeleteObject(bitmap);
    }
    theApp.m_infoCache.Clear();
}

TEST(ThumbnailSettings, UserBackgroundColoursTheSquare)
{
    ScratchFolder folder;
    std::vector<uint8_t> bytes = jwwrite::WriteJwc(Frame());
    std::wstring path = folder.Write(L"frame.jwc", std::string(bytes.begin(), bytes.end()));
    uint32_t settings = theApp.m_settings;
    COLORREF background = theApp.m_backColor;
    theApp.m_settings = SettingFlag::UserBackground | SettingFlag::Direct2D;
    theApp.m_backColor = 0x00FF00;
    HBITMAP bitmap = nullptr;
    ASSERT_TRUE(theApp.m_infoCache.MakeThumbnail(256, path.c_str(), &bitmap));
    EXPECT_EQ(DibPixels(bitmap).At(0, 0), RGB(0, 255, 0));
    DeleteObject(bitmap);
    theApp.m_settings = 0;
    ASSERT_TRUE(theApp.m_infoCache.MakeThumbnail(256, path.c_str(), &bitmap));
    EXPECT_NE(DibPixels(bitmap).At(0, 0), RGB(0, 255, 0));
    DeleteObject(bitmap);
    theApp.m_settings = settings;
    theApp.m_backColor = background;
    theApp.m_infoCache.Clear();
}

TEST(ThumbnailSettings, HiddenGroupsGiveAnEmptySquare)
{
    ScratchFolder folder;
    // Group 1, hidden; the write group 0 is always shown but holds nothing.
    jwwrite::JwcDrawing drawing = Frame();
    for (jwwrite::JwcLine& line : drawing.lines)
        line.layer = 0x11;
    std::fill(std::begin(drawing.groupState), std::end(drawing.groupState), 0);
    std::vector<uint8_t> bytes = jwwrite::WriteJwc(drawing);
    std::wstring path = folder.Write(L"hidden.jwc", std::string(bytes.begin(), bytes.end()));
    HBITMAP bitmap = nullptr;
    ASSERT_TRUE(theApp.m_infoCache.MakeThumbnail(256, path.c_str(), &bitmap));
    EXPECT_EQ(InkInside(DibPixels(bitmap)), 0);
    DeleteObject(bitmap);
    theApp.m_infoCache.Clear();
}
