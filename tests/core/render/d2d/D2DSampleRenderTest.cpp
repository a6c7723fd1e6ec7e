// The real road: sample drawings loaded by their readers and drawn for the
// preview through the render entry, once with GDI and once with Direct2D.
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>
#include "PixelCanvas.h"
#include "SampleDrawings.h"
#include "core/jwc/JwcTestSupport.h"
#include "reader/LoadState.h"
#include "writer/JwcWriter.h"
#include "cache/InfoCacheEntry.h"
#include "reader/JwCADBase.h"
#include "reader/ReaderFactory.h"

namespace {
const int kSide = 416;  // the bitmap of a 400 x 300 preview
const int kCell = 16;

// Which kCell x kCell cells of the canvas hold anything but white.
std::vector<bool> InkedCells(const PixelCanvas& canvas)
{
    std::vector<bool> cells;
    for (int top = 0; top < kSide; top += kCell)
        for (int left = 0; left < kSide; left += kCell)
            cells.push_back(canvas.Ink(left, top, left + kCell, top + kCell, 0xFFFFFF) > 0);
    return cells;
}

bool SamePixels(const PixelCanvas& a, const PixelCanvas& b)
{
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x)
            if (a.At(x, y) != b.At(x, y))
                return false;
    return true;
}

// Renders reader for a 400 x 300 preview (or, with DrawFlag::WholeDrawing,
// the whole drawing) once with GDI and once through Direct2D, and checks
// that Direct2D drew (its pixels are not GDI's) and inked the cells GDI
// inks, and hardly any others. (Wine's Direct2D draws arcs as chords and
// dashes solid, so pixels differ and a few cells may.)
void ExpectDirect2DInksLikeGdi(CJwCADBase& reader, const DrawData& loaded, uint32_t flags)
{
    DrawData request = loaded;
    request.doc = &reader;
    request.viewWidth = 400;
    request.viewHeight = 300;
    reader.FitForPreview(&request);
    request.width = request.height = kSide;
    reader.m_backColor = 0xFFFFFF;

    PixelCanvas gdi(kSide, kSide), direct(kSide, kSide);
    request.flags = flags;
    reader.Draw(&request, gdi.Dc(), nullptr);
    request.flags = flags | DrawFlag::Direct2D;
    reader.Draw(&request, direct.Dc(), nullptr);
    EXPECT_EQ(reader.m_pD2DCore != nullptr, !(flags & DrawFlag::WholeDrawing));
    EXPECT_FALSE(SamePixels(gdi, direct));

    std::vector<bool> byGdi = InkedCells(gdi), byDirect = InkedCells(direct);
    int gdiCells = 0, directCells = 0, both = 0;
    for (size_t i = 0; i < byGdi.size(); ++i) {
        gdiCells += byGdi[i];
        directCells += byDirect[i];
        both += byGdi[i] && byDirect[i];
    }
    EXPECT_GT(gdiCells, 0);
    EXPECT_GE(both, gdiCells * 9 / 10) << gdiCells << " cells inked by GDI, " << both << " of them by Direct2D";
    EXPECT_GE(both, directCells * 9 / 10) << directCells << " cells inked by Direct2D, " << both << " of them by GDI";
}
}

TEST(D2DSampleRender, SampleDrawingsThroughDirect2DInkWhereGdiDoes)
{
    std::vector<std::wstring> files = SampleDrawingFiles();
    if (files.empty())
        GTEST_SKIP() << "no sample drawings";
    for (const std::wstring& path : files) {
        SCOPED_TRACE(testing::Message() << "sample " << &path - files.data());
        CInfoCacheEntry entry;
        ASSERT_TRUE(OpenDrawingFile(path.c_str(), &entry, true, nullptr));
        std::unique_ptr<CJwCADBase> reader(entry.doc);
        ASSERT_EQ(reader->m_loadState, LoadState::Done) << "the reader did not load the drawing";
        ExpectDirect2DInksLikeGdi(*reader, entry, 0);
    }
}

// The same for the whole of a drawing of the older format with lines,
// circles, arcs and an ellipse.
TEST(D2DSampleRender, OlderDrawingThroughDirect2DInksWhereGdiDoes)
{
    jwwrite::JwcDrawing drawing;
    drawing.lines = {{0, 0, 200, 0, 1, 1, 0}, {0, 0, 0, 150, 1, 1, 0}, {200, 0, 200, 150, 1, 3, 0},
                     {0, 150, 200, 150, 3, 1, 0}, {20, 20, 180, 130, 1, 1, 0}};
    jwwrite::JwcCurve circle, arc, ellipse;
    circle.cx = 60, circle.cy = 90, circle.radius = 30;
    arc.cx = 150, arc.cy = 40, arc.radius = 25, arc.start = 0, arc.end = 90 * 65536;
    ellipse.cx = 140, ellipse.cy = 110, ellipse.radius = 40, ellipse.flatness = 5000, ellipse.tilt = 30 * 65536;
    drawing.curves = {circle, arc, ellipse};
    LoadedDrawing loaded(jwwrite::WriteJwc(drawing), L"shapes.jwc");
    ASSERT_TRUE(loaded.Complete());
    CInfoCacheEntry entry;
    for (int layer = 0; layer < 256; ++layer)
        entry.SetLayer(layer);
    ExpectDirect2DInksLikeGdi(*loaded.Reader(), entry, DrawFlag::WholeDrawing);
}

// A print the bench cannot make (it has no such printer) is reported as
// failed when there is no DC to make it up on, and drawn with GDI when there
// is one; the printer choice is given back either way.
TEST(D2DSampleRender, FailedPrintThroughTheRenderEntry)
{
    jwwrite::JwcDrawing drawing;
    drawing.lines = {{0, 0, 200, 0, 1, 1, 0}, {0, 0, 200, 150, 1, 1, 0}};
    LoadedDrawing loaded(jwwrite::WriteJwc(drawing), L"print.jwc");
    ASSERT_TRUE(loaded.Complete());
    CJwCADBase& reader = *loaded.Reader();
    DrawData request;
    request.doc = &reader;
    request.width = request.height = request.viewWidth = request.viewHeight = request.scale = 64;
    request.flags = DrawFlag::Direct2D | DrawFlag::Print | DrawFlag::WholeDrawing;
    std::fill(std::begin(request.layerMask), std::end(request.layerMask), 0xFFFFFFFFu);

    for (bool withDc : {false, true}) {
        SCOPED_TRACE(withDc ? "with a DC" : "without a DC");
        HGLOBAL mode = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVMODEW));
        HGLOBAL names = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVNAMES) + 64);
        PRINTDLGEXW choice = {};
        choice.lStructSize = sizeof choice;
        choice.hDevMode = mode;
        choice.hDevNames = names;
        PixelCanvas canvas(64, 64);
        EXPECT_EQ(reader.Draw(&request, withDc ? canvas.Dc() : nullptr, &choice), withDc ? TRUE : FALSE);
        EXPECT_EQ(choice.hDevMode, nullptr);
        EXPECT_EQ(choice.hDevNames, nullptr);
        EXPECT_EQ(GlobalSize(mode), 0u);
        EXPECT_EQ(GlobalSize(names), 0u);
        if (withDc) {
            EXPECT_GT(canvas.Ink(0, 0, 64, 64, 0xFFFFFF), 0);
        }
    }
}
