// The GDI pass, read back pixel by pixel from the DIB it draws into.
#include "RenderFixture.h"
#include "app/TavrenaApp.h"
#include "records/SettingFlag.h"
#include "render/gdi/RandomLineTable.h"

namespace {
class GdiFigures : public RenderFixture {};
}

TEST_F(GdiFigures, CircleOfDeviceRadiusBelowHalfIsOnePixel)
{
    B_FigCircle* circle = new B_FigCircle;
    circle->centre = At(10.5, 10.5);
    circle->radius = 0.4;
    Add(circle, RGB(255, 0, 0));
    DibPixels pixels = Render();
    ASSERT_TRUE(pixels.Valid());
    EXPECT_EQ(pixels.CountNot(kWhite), 1);
    EXPECT_EQ(pixels.At(10, 10), RGB(255, 0, 0)) << "the top-left corner of its rectangle";
}

TEST_F(GdiFigures, LineWithinOnePixelIsThatPixel)
{
    AddLine(At(20.2, 20.2), At(20.7, 20.9), 1, RGB(0, 0, 255));
    DibPixels pixels = Render();
    EXPECT_EQ(pixels.CountNot(kWhite), 1);
    EXPECT_EQ(pixels.At(20, 20), RGB(0, 0, 255));
}

TEST_F(GdiFigures, RingHasABandAndAClearHole)
{
    for (uint16_t kind : {105, 106}) {
        m_reader.DeleteFigures();
        B_FigCircle* circle = new B_FigCircle;
        circle->centre = At(32, 32);
        circle->radius = 20;
        circle->colour = RGB(0, 0, 200);
        B_FigSolid* ring = new B_FigSolid(kind, 10.0);
        ring->child = circle;
        Add(ring, RGB(0, 0, 200));
        DibPixels pixels = Render();
        EXPECT_EQ(pixels.At(47, 32), RGB(0, 0, 200)) << "band, kind " << kind;
        EXPECT_EQ(pixels.At(32, 17), RGB(0, 0, 200)) << "band, kind " << kind;
        EXPECT_EQ(pixels.At(32, 32), kWhite) << "hole, kind " << kind;
        EXPECT_EQ(pixels.At(36, 32), kWhite) << "hole, kind " << kind;
        EXPECT_EQ(pixels.At(55, 32), kWhite) << "outside, kind " << kind;
    }
}

// A ring far larger than the bitmap is flattened at device precision. A
// hole too small to flatten, or one that lies wholly off the bitmap, is no
// hole: the band still fills what it covers. A hole that shows stays clear.
// (Direct2D fills rings as ellipse geometries, with no such road; Wine's
// Direct2D does not fill geometry groups, so it is not checked here.)
TEST_F(GdiFigures, HugeRingsFillWhatTheirBandCovers)
{
    struct Case {
        const char* hole;
        POINT centre;
        double inner;
        POINT band, clear;
    };
    const Case cases[] = {
        {"of radius 0", {32, 32}, 0.0, {32, 32}, {-1, -1}},
        {"under 2 pixels", {32, 32}, 1.5, {40, 32}, {-1, -1}},
        {"off the bitmap", {-30000, 32}, 20000.0, {32, 32}, {-1, -1}},
        {"that shows", {32, 32}, 10.0, {50, 32}, {32, 32}},
    };
    const COLORREF blue = RGB(0, 0, 200);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hole);
        m_reader.DeleteFigures();
        B_FigCircle* circle = new B_FigCircle;
        circle->centre = At(c.centre.x, c.centre.y);
        circle->radius = 40000;
        circle->colour = blue;
        B_FigSolid* ring = new B_FigSolid(B_FigSolid::kRingKind, c.inner);
        ring->child = circle;
        Add(ring, blue);
        DibPixels pixels = Render();
        EXPECT_EQ(pixels.At(c.band.x, c.band.y), blue) << "band";
        if (c.clear.x >= 0) {
            EXPECT_EQ(pixels.At(c.clear.x, c.clear.y), kWhite) << "hole";
        }
    }
}

TEST_F(GdiFigures, BackgroundColouredFiguresTurnVisibleInTheMainPassOnly)
{
    m_reader.m_backColor = RGB(0, 0, 0);
    AddLine(At(2, 10), At(60, 10));
    B_FigPolyline* outline = new B_FigPolyline;
    outline->open = 0;
    outline->flags = FigFlag::Filled;
    outline->points = {At(10, 30), At(50, 30), At(50, 50), At(10, 50)};
    B_FigSolid* solid = new B_FigSolid(1, B_FigSolid::kNoParameter);
    solid->child = outline;
    Add(solid);
    DibPixels pixels = Render();
    EXPECT_EQ(pixels.At(30, 10), kWhite) << "a black line on black is drawn white";
    EXPECT_EQ(pixels.At(30, 40), RGB(0, 0, 0)) << "a solid keeps its own colour";
    EXPECT_EQ(m_reader.m_backColor, RGB(0, 0, 0));
}

TEST_F(GdiFigures, UserBackgroundAndPrintBackground)
{
    COLORREF saved = theApp.m_backColor;
    theApp.m_backColor = RGB(0, 255, 0);
    m_reader.m_backColor = RGB(1, 2, 3);
    EXPECT_EQ(Render(DrawFlag::UserBackground).At(0, 0), RGB(0, 255, 0));
    EXPECT_EQ(Render(DrawFlag::UserBackground | DrawFlag::Print).At(0, 0), kWhite) << "printing wins";
    EXPECT_EQ(Render().At(63, 63), RGB(1, 2, 3)) << "the reader's own background";
    EXPECT_EQ(m_reader.m_backColor, RGB(1, 2, 3)) << "restored after every draw";
    theApp.m_backColor = saved;
}

TEST_F(GdiFigures, LineTypesDashAtWidthOne)
{
    struct Case {
        uint16_t type;
        const char* row;
    };
    const Case cases[] = {
        {1, "################"}, {2, "#..##..##..##..#"}, {9, "#...#...#...#..."}, {10, "################"},
    };
    for (const Case& c : cases) {
        m_reader.DeleteFigures();
        AddLine(At(0, 5), At(16, 5), c.type);
        EXPECT_EQ(Render().Ink(5, 0, 16, kWhite), c.row) << "line type " << c.type;
    }
}

TEST_F(GdiFigures, TheDrawingsOwnPatternWinsAndThickLinesAreThree)
{
    m_reader.SetUserStyle(2, {3, 1});
    AddLine(At(0, 5), At(16, 5), 2);
    DibPixels pixels = Render();
    EXPECT_EQ(pixels.Ink(5, 0, 16, kWhite), "###.###.###.###.");
    m_reader.DeleteFigures();
    AddLine(At(4, 20), At(40, 20));
    pixels = Render(DrawFlag::ThickLines);
    for (int y : {19, 20, 21})
        EXPECT_EQ(pixels.At(20, y), RGB(0, 0, 0)) << "row " << y;
    EXPECT_EQ(pixels.At(20, 23), kWhite);
}

TEST_F(GdiFigures, ImageFrameWithoutImagesIsHatchedWithPeriodEight)
{
    B_FigImage* frame = new B_FigImage;
    frame->corners[0] = At(8, 56);
    frame->corners[1] = At(56, 56);
    frame->corners[2] = At(56, 8);
    frame->corners[3] = At(8, 8);
    Add(frame, RGB(255, 0, 0));
    DibPixels pixels = Render();
    int ink = 0, blank = 0;
    for (int y = 16; y < 40; ++y) {
        for (int x = 16; x < 40; ++x) {
            EXPECT_EQ(pixels.At(x, y), pixels.At(x + 8, y)) << x << "," << y;
            EXPECT_EQ(pixels.At(x, y), pixels.At(x, y + 8)) << x << "," << y;
            (pixels.At(x, y) == kWhite ? blank : ink) += 1;
        }
    }
    EXPECT_GT(ink, 0);
    EXPECT_GT(blank, ink);
    EXPECT_EQ(pixels.At(8, 30), RGB(255, 0, 0)) << "the outline in the frame's colour";
}

TEST_F(GdiFigures, PointsNeedAPixelPerUnitAndBarePixelsAreNotPrinted)
{
    B_FigPoint* bare = new B_FigPoint;
    bare->position = At(10, 10);
    bare->flags = FigFlag::Auxiliary;
    Add(bare);
    B_FigPoint* round = new B_FigPoint;
    round->position = At(40, 40);
    Add(round);
    DibPixels pixels = Render();
    EXPECT_EQ(pixels.At(10, 10), RGB(0, 0, 0));
    EXPECT_EQ(pixels.At(40, 40), RGB(0, 0, 0)) << "a disc of the pen's radius";
    EXPECT_EQ(Render(DrawFlag::Print).At(10, 10), kWhite);
    m_reader.m_fixedScale = 0.9;
    EXPECT_EQ(Render().CountNot(kWhite), 0) << "below one pixel per unit";
}

TEST_F(GdiFigures, EllipsesStandingUprightAreExchangedTiltedOnesArePolygons)
{
    B_FigEllipse* upright = new B_FigEllipse;
    upright->ellipse.centre = At(32, 32);
    upright->ellipse.rx = 20;
    upright->ellipse.ry = 8;
    upright->ellipse.angle = 90.4;
    Add(upright);
    DibPixels pixels = Render();
    EXPECT_EQ(pixels.Ink(12, 28, 37, kWhite).find('#') != std::string::npos, true) << "top of the upright axis";
    EXPECT_EQ(pixels.At(51, 32), kWhite);

    m_reader.DeleteFigures();
    B_FigEllipse* tilted = new B_FigEllipse;
    tilted->ellipse.centre = At(32, 32);
    tilted->ellipse.rx = 20;
    tilted->ellipse.ry = 8;
    tilted->ellipse.angle = 45;
    Add(tilted);
    pixels = Render();
    int nearEnd = 0;
    for (int y = 16; y <= 20; ++y)
        for (int x = 44; x <= 48; ++x)
            nearEnd += pixels.At(x, y) != kWhite ? 1 : 0;
    EXPECT_GT(nearEnd, 0) << "ink at the end of the tilted axis";

    m_reader.DeleteFigures();
    B_FigEllipse* huge = new B_FigEllipse;
    huge->ellipse.centre = Point2D(3200, 3200);
    huge->ellipse.rx = 5000;
    huge->ellipse.ry = 2000;
    huge->ellipse.angle = 30;
    Add(huge);
    m_reader.m_fixedScale = 0.01;
    EXPECT_EQ(Render().CountNot(kWhite), 0) << "more than 100 points: not drawn";
}

TEST_F(GdiFigures, EllipseArcsRunFromStartToEndOnTheirEllipse)
{
    // Standing upright: the quarter from the top of the axis to the left end
    // of the short one, on the exchanged rectangle.
    B_FigEllipseArc* upright = new B_FigEllipseArc;
    upright->arc.centre = At(32, 32);
    upright->arc.rx = 20;
    upright->arc.ry = 8;
    upright->arc.angle = 90;
    upright->arc.start = At(32, 12);
    upright->arc.end = At(24, 32);
    Add(upright);
    DibPixels pixels = Render();
    EXPECT_NE(pixels.Ink(12, 28, 37, kWhite).find('#'), std::string::npos) << "top of the upright axis";
    EXPECT_NE(pixels.Ink(26, 20, 28, kWhite).find('#'), std::string::npos) << "down the left side";
    EXPECT_EQ(pixels.Ink(32, 37, 45, kWhite).find('#'), std::string::npos) << "right half not drawn";
    EXPECT_EQ(pixels.Ink(52, 28, 37, kWhite).find('#'), std::string::npos) << "bottom not drawn";

    // Tilted: an open polygon, without the chord between its ends.
    m_reader.DeleteFigures();
    B_FigEllipseArc* tilted = new B_FigEllipseArc;
    tilted->arc.centre = At(32, 32);
    tilted->arc.rx = 20;
    tilted->arc.ry = 8;
    tilted->arc.angle = 45;
    tilted->arc.start = At(46.142, 17.858);
    tilted->arc.end = At(26.343, 26.343);
    Add(tilted);
    pixels = Render();
    int nearStart = 0, onChord = 0;
    for (int y = 16; y <= 20; ++y)
        for (int x = 44; x <= 48; ++x)
            nearStart += pixels.At(x, y) != kWhite ? 1 : 0;
    for (int y = 21; y <= 23; ++y)
        for (int x = 35; x <= 37; ++x)
            onChord += pixels.At(x, y) != kWhite ? 1 : 0;
    EXPECT_GT(nearStart, 0) << "ink at the start";
    EXPECT_EQ(onChord, 0) << "the arc is not closed";

    // Ends on one pixel: nothing, rather than the whole ellipse.
    m_reader.DeleteFigures();
    B_FigEllipseArc* point = new B_FigEllipseArc;
    point->arc.centre = At(32, 32);
    point->arc.rx = 20;
    point->arc.ry = 8;
    point->arc.start = At(52, 32);
    point->arc.end = At(52, 32.2);
    Add(point);
    EXPECT_EQ(Render().CountNot(kWhite), 0);
}

TEST_F(GdiFigures, DimensionTerminatorsFollowTheirFillMode)
{
    auto addDim = [&](int kind, uint16_t fill) {
        m_reader.DeleteFigures();
        B_FigDim* dim = new B_FigDim;
        B_FigPoint* first = new B_FigPoint;
        first->position = At(16, 32);
        B_FigPoint* second = new B_FigPoint;
        second->position = At(48, 32);
        dim->endPoint1 = first;
        dim->endPoint2 = second;
        dim->terminator1.kind = kind;
        dim->terminator1.fillMode = fill;
        dim->terminator1.size = 6;
        dim->terminator1.halfAngle = 30;
        Add(dim);
    };
    addDim(9, 0);
    EXPECT_EQ(Render().CountNot(kWhite), 0) << "kind 9, fill 0 draws nothing";
    addDim(9, 2);
    EXPECT_EQ(Render().At(16, 32), RGB(0, 0, 0)) << "kind 9, fill 2 is a solid square";
    addDim(8, 2);
    DibPixels arrow = Render();
    EXPECT_EQ(arrow.At(19, 32), RGB(0, 0, 0)) << "a closed arrow on the side of the second end";
    EXPECT_EQ(arrow.At(13, 32), kWhite);
}

TEST_F(GdiFigures, WholeDrawingsStopAfterTheLimit)
{
    for (int i = 0; i < 64010; ++i)
        AddLine(At(1, 1), At(1, 1));
    AddLine(At(30, 30), At(30, 30), 1, RGB(255, 0, 0));
    EXPECT_EQ(Render().At(30, 30), kWhite) << "figure 64011 is past the limit";
}

TEST_F(GdiFigures, OnlyTheVisibleRectangleIsDrawnUnlessPrinting)
{
    AddLine(At(2, 4), At(10, 4), 1, RGB(255, 0, 0));     // outside the view
    AddLine(At(20, 30), At(40, 30), 1, RGB(0, 0, 255));  // inside it
    DrawData request = Request();
    request.flags &= ~DrawFlag::WholeDrawing;
    request.viewWidth = request.viewHeight = 32;  // device 16 to 48, centred
    DibPixels view = Render(request);
    EXPECT_EQ(view.At(5, 4), kWhite);
    EXPECT_EQ(view.At(30, 30), RGB(0, 0, 255));
    request.flags |= DrawFlag::Print;
    EXPECT_EQ(Render(request).At(5, 4), RGB(255, 0, 0)) << "a print shows the whole bitmap";
}

TEST_F(GdiFigures, Direct2DRequestsDrawWithOneRendererOrTheOther)
{
    AddLine(At(4, 20), At(60, 20), 1, RGB(0, 0, 0));
    DibPixels pixels = Render(DrawFlag::Direct2D);
    int ink = 0;
    for (int y = 18; y <= 22; ++y)
        ink += pixels.At(30, y) != kWhite ? 1 : 0;
    EXPECT_GT(ink, 0);
    EXPECT_EQ(m_reader.m_pD2DCore, nullptr) << "a whole-drawing draw keeps no Direct2D core";
}

TEST_F(GdiFigures, MarkersOfEveryShape)
{
    struct Case {
        uint16_t code;
        double size;
        int minInk, maxInk;
    };
    const Case cases[] = {{1, 6, 12, 200}, {2, 6, 12, 200}, {3, 6, 1, 1},    {4, 6, 6, 200}, {5, 6, 8, 200},
                          {6, 6, 6, 200},  {7, 6, 4, 200},  {8, 0.1, 4, 40}, {4, 0.95, 1, 1}, {4, 0.5, 0, 0}};
    for (const Case& c : cases) {
        m_reader.DeleteFigures();
        B_FigPointEx* marker = new B_FigPointEx;
        marker->position = At(32, 32);
        marker->markerCode = c.code;
        marker->size = c.size;
        marker->angle = 30;
        Add(marker);
        int ink = Render().CountNot(kWhite);
        EXPECT_GE(ink, c.minInk) << "code " << c.code << ", size " << c.size;
        EXPECT_LE(ink, c.maxInk) << "code " << c.code << ", size " << c.size;
    }
}

TEST_F(GdiFigures, ReferenceMarkFollowsTheSetting)
{
    uint32_t settings = theApp.m_settings;
    const double point[2] = {32, 32};
    m_canvas.reset(new CDibCanvas);
    m_reader.UseDC(m_canvas->Create(64, 64));
    m_reader.m_scale = 1.0;
    m_reader.m_zoom = 64;
    theApp.m_settings = 0;
    m_reader.DrawReferenceMark(point, nullptr);
    EXPECT_EQ(DibPixels(m_canvas->m_bitmap).CountNot(kWhite), 0);
    theApp.m_settings = SettingFlag::PartReferenceMark;
    m_reader.DrawReferenceMark(point, nullptr);
    EXPECT_EQ(DibPixels(m_canvas->m_bitmap).At(32, 32), RGB(255, 0, 0)) << "a red dot";
    theApp.m_settings = settings;
}

// GDI walks dashes and ellipse outlines however far off the bitmap they
// run; such figures are cut to the bitmap's neighbourhood first.
TEST_F(GdiFigures, FiguresReachingFarOffTheBitmapDrawTheirVisiblePart)
{
    AddLine(At(0, 5), Point2D(1e12, m_side - 5.0), 2);
    B_FigCircle* circle = new B_FigCircle;
    circle->centre = At(-1e7, 40);
    circle->radius = 1e7 + 32;
    Add(circle, RGB(0, 0, 255), 2);
    B_FigPolyline* band = new B_FigPolyline;
    band->open = 0;
    band->flags = FigFlag::Filled;
    band->points = {At(-1e9, 50), At(1e9, 50), At(1e9, 60), At(-1e9, 60)};
    Add(band, RGB(0, 160, 0), 3);
    DWORD start = GetTickCount();
    DibPixels pixels = Render();
    EXPECT_LT(GetTickCount() - start, 2000u);
    EXPECT_EQ(pixels.Ink(5, 0, 16, kWhite), "#..##..##..##..#") << "the dashes keep their phase on the bitmap";
    int edge = 0;
    for (int x = 28; x <= 36; ++x)
        edge += pixels.At(x, 40) == RGB(0, 0, 255) ? 1 : 0;
    EXPECT_GT(edge, 0) << "the visible edge of a huge circle";
    EXPECT_EQ(pixels.At(32, 55), RGB(0, 160, 0)) << "a huge filled band";
}

TEST_F(GdiFigures, PatternedLinesDrawTheirShapeOrPlainWhenTooLong)
{
    // A zig-zag of period 8 and amplitude 2 for line type 11.
    m_reader.SetShape(11, 0.0f, 8.0f, {{-32769.0f, 0}, {2, 2}, {6, -2}, {8, 0}});
    BuildRandomLineTable(&m_reader);
    AddLine(At(0, 32), At(64, 32), 11);
    DibPixels zigZag = Render();
    EXPECT_NE(zigZag.Ink(30, 0, 64, kWhite).find('#'), std::string::npos) << "the shape's crests";
    EXPECT_NE(zigZag.Ink(34, 0, 64, kWhite).find('#'), std::string::npos) << "the shape's troughs";
    EXPECT_NE(zigZag.Ink(32, 0, 64, kWhite), std::string(64, '#')) << "not a plain line";

    // 600 periods would need more than 1000 points.
    m_reader.DeleteFigures();
    AddLine(At(-2400, 32), At(2400, 32), 11);
    DibPixels plain = Render();
    EXPECT_EQ(plain.Ink(32, 0, 64, kWhite), std::string(64, '#'));
    EXPECT_EQ(plain.Ink(30, 0, 64, kWhite), std::string(64, '.'));
    ShapeReader none;
    BuildRandomLineTable(&none);
}

// Ring solids around arcs and ellipses: ink in the band, none in the hole
// or beyond the arc's ends. Arcs run counter-clockwise in the drawing, so
// from the right end to the top they cover the upper right quarter.
TEST_F(GdiFigures, RingsAroundArcsAndEllipsesKeepTheirHoleClear)
{
    struct Case {
        const char* ring;
        uint16_t code;
        double rx, ry, tilt, inner;
        uint16_t flags;
        POINT band, clear;
    };
    const Case cases[] = {
        {"arc", FigCode::Arc, 20, 20, 0, 10, 0, {42, 21}, {42, 42}},
        {"arc, its hole", FigCode::Arc, 20, 20, 0, 10, 0, {42, 21}, {36, 28}},
        {"level ellipse", FigCode::Ellipse, 24, 12, 0, 12, 0, {32, 23}, {38, 32}},
        {"upright ellipse", FigCode::Ellipse, 24, 12, 90, 12, 0, {32, 14}, {50, 32}},
        {"tilted ellipse", FigCode::Ellipse, 24, 12, 45, 12, 0, {44, 19}, {19, 19}},
        {"tilted ellipse, its hole", FigCode::Ellipse, 24, 12, 45, 12, 0, {44, 19}, {32, 32}},
        {"constant width", FigCode::Ellipse, 24, 12, 0, 20, FigFlag::ConstantRing, {32, 23}, {32, 32}},
        {"ellipse arc", FigCode::EllipseArc, 24, 12, 0, 12, 0, {44, 25}, {44, 38}},
    };
    const COLORREF blue = RGB(0, 0, 200);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ring);
        m_reader.DeleteFigures();
        B_Base* child = nullptr;
        if (c.code == FigCode::Arc) {
            B_FigArc* arc = new B_FigArc;
            arc->arc.centre = At(32, 32);
            arc->arc.radius = c.rx;
            arc->arc.start = At(32 + c.rx, 32);
            arc->arc.end = At(32, 32 - c.rx);
            child = arc;
        } else if (c.code == FigCode::Ellipse) {
            B_FigEllipse* ellipse = new B_FigEllipse;
            ellipse->ellipse = EllipseGeom{At(32, 32), c.rx, c.ry, c.tilt};
            child = ellipse;
        } else {
            B_FigEllipseArc* arc = new B_FigEllipseArc;
            arc->arc.centre = At(32, 32);
            arc->arc.rx = c.rx;
            arc->arc.ry = c.ry;
            arc->arc.angle = c.tilt;
            arc->arc.start = At(32 + c.rx, 32);
            arc->arc.end = At(32, 32 - c.ry);
            child = arc;
        }
        child->colour = blue;
        child->flags = c.flags;
        B_FigSolid* ring = new B_FigSolid(B_FigSolid::kRingKind, c.inner);
        ring->child = child;
        Add(ring, blue);
        DibPixels pixels = Render();
        EXPECT_EQ(pixels.At(c.band.x, c.band.y), blue) << "band";
        EXPECT_EQ(pixels.At(c.clear.x, c.clear.y), kWhite) << "clear";
    }
}

// A filled arc from the right to the top: a pie reaches the centre, a chord
// stops at the line between its ends; neither goes round the rest.
TEST_F(GdiFigures, FilledArcsArePiesOrChords)
{
    struct Case {
        const char* shape;
        uint16_t flags;
        COLORREF nearCentre;
    };
    const Case cases[] = {{"pie", FigFlag::Filled | FigFlag::Sector, RGB(0, 0, 0)}, {"chord", FigFlag::Filled, kWhite}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shape);
        m_reader.DeleteFigures();
        B_FigArc* arc = new B_FigArc;
        arc->arc.centre = At(32, 32);
        arc->arc.radius = 20;
        arc->arc.start = At(52, 32);
        arc->arc.end = At(32, 12);
        arc->flags = c.flags;
        Add(arc);
        DibPixels pixels = Render();
        EXPECT_EQ(pixels.At(46, 18), RGB(0, 0, 0)) << "between the chord and the arc";
        EXPECT_EQ(pixels.At(35, 29), c.nearCentre) << "between the centre and the chord";
        EXPECT_EQ(pixels.At(20, 44), kWhite) << "the rest of the circle";
    }
}
