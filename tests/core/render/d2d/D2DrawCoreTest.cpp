#include "D2DrawFixture.h"
#include "../KeyedBmp.h"
#include "ScratchFolder.h"
#include "figures/FigFlags.h"
#include "render/d2d/D2DrawRequest.h"

namespace {
B_FigLine* Line(const Point2D& from, const Point2D& to, uint32_t colour = 0)
{
    B_FigLine* line = new B_FigLine();
    line->line = Segment2D{from, to};
    line->colour = colour;
    return line;
}

B_FigPolyline* Polygon(std::vector<Point2D> points, uint16_t flags, uint32_t colour = 0)
{
    B_FigPolyline* polygon = new B_FigPolyline();
    polygon->points = std::move(points);
    polygon->open = 0;
    polygon->flags = flags;
    polygon->colour = colour;
    return polygon;
}
}

// An empty drawing is the background alone, and announces that there is
// nothing to do.
TEST_F(D2DrawFixture, EmptyDrawingFillsTheBackgroundAndPostsZero)
{
    D2DTestDrawing drawing;
    drawing.m_backColor = 0x00FF00;
    PixelCanvas canvas(64, 64);
    EXPECT_TRUE(Draw(drawing, canvas));
    EXPECT_EQ(canvas.Ink(0x00FF00), 0);
    EXPECT_EQ(Progress(), (std::vector<std::pair<WPARAM, LPARAM>>{{0, 0}}));
    EXPECT_EQ(drawing.overlays, 1);
}

// 720 entries make a step of 2: the count first, then every second entry of
// the last pass from 720 down to 2. Fewer than 720 post for every entry.
TEST_F(D2DrawFixture, ProgressCountsDownTheLastPass)
{
    for (int total : {720, 5}) {
        SCOPED_TRACE(total);
        D2DTestDrawing drawing;
        for (int i = 0; i < total; ++i)
            drawing.Add(Line(drawing.World(1, 1), drawing.World(2, 1)));
        PixelCanvas canvas(64, 64);
        ASSERT_TRUE(Draw(drawing, canvas));
        std::vector<std::pair<WPARAM, LPARAM>> expected = {{0, total}};
        if (total >= 720)
            for (int left = total; left >= 2; left -= 2)
                expected.emplace_back(1, left);
        else
            for (int left = total - 1; left >= 0; --left)
                expected.emplace_back(1, left);
        EXPECT_EQ(Progress(), expected);
    }
}

// The hatching tile repeats every 8 pixels from the device origin: its
// diagonal is green, the rest white.
TEST_F(D2DrawFixture, HatchedPolygonShowsTheTile)
{
    D2DTestDrawing drawing;
    drawing.Add(Polygon({drawing.World(-5, -5), drawing.World(40, -5), drawing.World(40, 40), drawing.World(-5, 40)},
                        FigFlag::Filled | FigFlag::Hatched));
    PixelCanvas canvas(64, 64);
    ASSERT_TRUE(Draw(drawing, canvas));
    EXPECT_EQ(canvas.At(3, 3), 0x22B14Cu);
    EXPECT_EQ(canvas.At(4, 3), 0xFFFFFFu);
    EXPECT_EQ(canvas.At(11, 3), 0x22B14Cu);
    EXPECT_EQ(canvas.At(11, 19), 0x22B14Cu);
    EXPECT_EQ(canvas.At(12, 19), 0xFFFFFFu);
    EXPECT_EQ(canvas.At(50, 50), 0xFFFFFFu);
}

// In the all-figures pass a figure in the background colour is drawn
// inverted; a solid fill in that colour keeps it.
TEST_F(D2DrawFixture, BackgroundColouredFiguresAreInvertedButFillsAreNot)
{
    D2DTestDrawing lines;
    lines.Add(Line(lines.World(5, 10.5), lines.World(55, 10.5), 0xFFFFFF));
    PixelCanvas lineCanvas(64, 64);
    ASSERT_TRUE(Draw(lines, lineCanvas));
    EXPECT_EQ(lineCanvas.At(30, 10), 0x000000u);

    D2DTestDrawing fills;
    B_FigSolid* solid = fills.Add(new B_FigSolid(1, B_FigSolid::kNoParameter));
    solid->child = Polygon({fills.World(10, 10), fills.World(50, 10), fills.World(50, 50), fills.World(10, 50)},
                           FigFlag::Filled, 0xFFFFFF);
    PixelCanvas fillCanvas(64, 64);
    ASSERT_TRUE(Draw(fills, fillCanvas));
    EXPECT_EQ(fillCanvas.Ink(0xFFFFFF), 0);
}

// A filled polygon is filled in its colour and outlined.
TEST_F(D2DrawFixture, FilledPolygon)
{
    D2DTestDrawing drawing;
    drawing.Add(Polygon({drawing.World(10, 10), drawing.World(50, 10), drawing.World(50, 50), drawing.World(10, 50)},
                        FigFlag::Filled, 0x0000FF));
    PixelCanvas canvas(64, 64);
    ASSERT_TRUE(Draw(drawing, canvas));
    EXPECT_EQ(canvas.At(30, 30), 0xFF0000u);
    EXPECT_EQ(canvas.At(5, 30), 0xFFFFFFu);
    EXPECT_EQ(canvas.At(55, 30), 0xFFFFFFu);
}

// Outside the visible rectangle nothing is drawn, unless the whole drawing
// is asked for.
TEST_F(D2DrawFixture, OnlyFiguresMeetingTheVisibleRectangleAreDrawn)
{
    D2DTestDrawing drawing;
    drawing.Add(Line(drawing.World(5, 10.5), drawing.World(20, 10.5)));
    drawing.Add(Line(drawing.World(40, 50.5), drawing.World(60, 50.5)));
    const double leftHalf[4] = {0.0, 0.0, 30.0, 64.0};
    drawing.m_wholeDrawing = false;
    PixelCanvas clipped(64, 64);
    ASSERT_TRUE(Draw(drawing, clipped, leftHalf));
    EXPECT_GT(clipped.Ink(0, 0, 32, 64, 0xFFFFFF), 0);
    EXPECT_EQ(clipped.Ink(32, 0, 64, 64, 0xFFFFFF), 0);

    drawing.m_wholeDrawing = true;
    PixelCanvas whole(64, 64);
    ASSERT_TRUE(Draw(drawing, whole, leftHalf));
    EXPECT_GT(whole.Ink(32, 0, 64, 64, 0xFFFFFF), 0);
}

// Circles are Direct2D ellipses: an outline leaves its centre clear, a
// filled one does not; a circle no wider than a unit is a dot.
TEST_F(D2DrawFixture, CirclesAndDots)
{
    D2DTestDrawing drawing;
    B_FigCircle* ring = drawing.Add(new B_FigCircle());
    ring->centre = drawing.World(16, 16);
    ring->radius = 10;
    B_FigCircle* disc = drawing.Add(new B_FigCircle());
    disc->centre = drawing.World(48, 16);
    disc->radius = 10;
    disc->flags = FigFlag::Filled;
    B_FigCircle* speck = drawing.Add(new B_FigCircle());
    speck->centre = drawing.World(32, 48);
    speck->radius = 0.4;
    PixelCanvas canvas(64, 64);
    ASSERT_TRUE(Draw(drawing, canvas));
    EXPECT_GT(canvas.Ink(24, 14, 28, 18, 0xFFFFFF), 0);
    EXPECT_EQ(canvas.At(16, 16), 0xFFFFFFu);
    EXPECT_EQ(canvas.At(48, 16), 0x000000u);
    EXPECT_GT(canvas.Ink(30, 46, 35, 51, 0xFFFFFF), 0);
    EXPECT_EQ(canvas.Ink(0, 30, 28, 64, 0xFFFFFF), 0);
}

// A tilted ellipse is drawn upright under a turned target: a quarter turn
// stands a wide ellipse on end, and the target is upright again after it.
TEST_F(D2DrawFixture, TiltedEllipseIsTurnedWithTheTarget)
{
    D2DTestDrawing drawing;
    B_FigEllipse* ellipse = drawing.Add(new B_FigEllipse());
    ellipse->ellipse.centre = drawing.World(32, 32);
    ellipse->ellipse.rx = 24;
    ellipse->ellipse.ry = 6;
    ellipse->ellipse.angle = 90;
    drawing.Add(Line(drawing.World(2, 60.5), drawing.World(12, 60.5)));
    PixelCanvas canvas(64, 64);
    ASSERT_TRUE(Draw(drawing, canvas));
    EXPECT_GT(canvas.Ink(28, 4, 37, 12, 0xFFFFFF), 0);
    EXPECT_GT(canvas.Ink(28, 52, 37, 60, 0xFFFFFF), 0);
    EXPECT_EQ(canvas.Ink(48, 28, 64, 37, 0xFFFFFF), 0);
    EXPECT_EQ(canvas.Ink(0, 28, 16, 37, 0xFFFFFF), 0);
    EXPECT_GT(canvas.Ink(2, 59, 12, 62, 0xFFFFFF), 0);
}

// Points are gone below life size; an auxiliary point is a screen aid that
// a print leaves out.
TEST_F(D2DrawFixture, PointsByScaleAndPrint)
{
    struct Case {
        double scale;
        bool print, auxiliary, ink;
    } cases[] = {
        {1.0, false, false, true}, {0.5, false, false, false}, {1.0, false, true, true}, {1.0, true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.scale << c.print << c.auxiliary);
        D2DTestDrawing drawing;
        drawing.m_scale = c.scale;
        drawing.m_print = c.print;
        B_FigPoint* point = drawing.Add(new B_FigPoint());
        point->position = Point2D(32 / c.scale, 32 / c.scale);
        point->flags = c.auxiliary ? FigFlag::Auxiliary : 0;
        PixelCanvas canvas(64, 64);
        ASSERT_TRUE(Draw(drawing, canvas));
        EXPECT_EQ(canvas.Ink(0xFFFFFF) > 0, c.ink);
    }
}

// The reference mark (code 8) has radius 2 whatever its size.
TEST_F(D2DrawFixture, ReferenceMarkKeepsItsSize)
{
    for (double size : {0.01, 30.0}) {
        D2DTestDrawing drawing;
        B_FigPointEx* mark = drawing.Add(new B_FigPointEx());
        mark->position = drawing.World(32, 32);
        mark->markerCode = 8;
        mark->size = size;
        PixelCanvas canvas(64, 64);
        ASSERT_TRUE(Draw(drawing, canvas));
        EXPECT_GT(canvas.Ink(29, 29, 36, 36, 0xFFFFFF), 0) << size;
        EXPECT_EQ(canvas.Ink(0xFFFFFF), canvas.Ink(29, 29, 36, 36, 0xFFFFFF)) << size;
    }
}

// Without GDI+ images an image frame is its outline filled with the hatching
// tile turned along its first edge.
TEST_F(D2DrawFixture, ImageFrameWithoutPicturesIsHatched)
{
    D2DTestDrawing drawing;
    B_FigImage* image = drawing.Add(new B_FigImage());
    image->corners[0] = drawing.World(-5, 40);
    image->corners[1] = drawing.World(40, 40);
    image->corners[2] = drawing.World(40, -5);
    image->corners[3] = drawing.World(-5, -5);
    PixelCanvas canvas(64, 64);
    ASSERT_TRUE(Draw(drawing, canvas));
    EXPECT_EQ(canvas.At(3, 3), 0x22B14Cu);
    EXPECT_EQ(canvas.At(4, 3), 0xFFFFFFu);
    EXPECT_EQ(canvas.At(11, 11), 0x22B14Cu);
    EXPECT_GT(canvas.Ink(38, 18, 42, 22, 0xFFFFFF), 0);
}

// With images asked for, the frame shows the picture itself: a 4 x 2
// bitmap, red on the left, black on the right, laid along the first edge.
TEST_F(D2DrawFixture, ImageFrameShowsItsPicture)
{
    ScratchFolder folder;
    CStringW bmp = CStringW(folder.At(L"red.bmp").c_str());
    WriteBmp(bmp, RGB(255, 0, 0));
    D2DTestDrawing drawing;
    drawing.m_gdiplusImages = true;
    B_FigImage* image = drawing.Add(new B_FigImage());
    CStringW text;
    text.Format(L"^@BM%s,32,16,0,0", bmp.GetString());
    ASSERT_EQ(CDrawBase::ParseImageText(text, &image->params, L"C:\\a.jww", 0), 1);
    image->corners[0] = drawing.World(16, 40);
    image->corners[1] = drawing.World(48, 40);
    image->corners[2] = drawing.World(48, 24);
    image->corners[3] = drawing.World(16, 24);
    PixelCanvas canvas(64, 64);
    ASSERT_TRUE(Draw(drawing, canvas));
    EXPECT_EQ(canvas.At(22, 32), 0xFF0000u) << "the left half";
    EXPECT_EQ(canvas.At(38, 32), 0x000000u) << "the right half";
    EXPECT_EQ(canvas.At(8, 8), 0xFFFFFFu);
}

// A device context that cannot be bound leaves the drawing to GDI.
TEST_F(D2DrawFixture, NoDeviceContextIsNoDraw)
{
    D2DTestDrawing drawing;
    drawing.m_pDC = nullptr;
    EXPECT_FALSE(m_core.Draw(m_window, &drawing, kEverywhere, nullptr));
}

// The render entry's step: a core is made on demand, and a whole-drawing
// draw leaves none behind; without Direct2D nothing is drawn here.
TEST(D2DrawRequest, CoreLifeAcrossDraws)
{
    D2DTestDrawing drawing;
    PixelCanvas canvas(32, 32);
    drawing.m_pDC = canvas.Dc();
    CD2DrawCore* core = nullptr;
    const double* everywhere = kEverywhere;
    EXPECT_EQ(DrawWithDirect2D(core, false, nullptr, &drawing, everywhere, nullptr), D2DrawResult::NotDrawn);
    EXPECT_EQ(core, nullptr);

    drawing.m_wholeDrawing = false;
    EXPECT_EQ(DrawWithDirect2D(core, true, nullptr, &drawing, everywhere, nullptr), D2DrawResult::Drawn);
    ASSERT_NE(core, nullptr);
    CD2DrawCore* kept = core;
    EXPECT_EQ(DrawWithDirect2D(core, false, nullptr, &drawing, everywhere, nullptr), D2DrawResult::Drawn);
    EXPECT_EQ(core, kept);

    drawing.m_wholeDrawing = true;
    EXPECT_EQ(DrawWithDirect2D(core, true, nullptr, &drawing, everywhere, nullptr), D2DrawResult::Drawn);
    EXPECT_EQ(core, nullptr);

    drawing.m_pDC = nullptr;
    EXPECT_EQ(DrawWithDirect2D(core, true, nullptr, &drawing, everywhere, nullptr), D2DrawResult::NotDrawn);
    EXPECT_EQ(core, nullptr);
}
