// The figures a .jwc drawing gives: one per record, with the pen colours,
// layers and attributes of the file.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/geometry/GeometryTestSupport.h"
#include "JwcTestSupport.h"
#include "figures/B_FigArc.h"
#include "figures/B_FigCircle.h"
#include "figures/B_FigEllipse.h"
#include "figures/B_FigEllipseArc.h"
#include "figures/B_FigImage.h"
#include "figures/B_FigLine.h"
#include "figures/B_FigPoint.h"
#include "figures/B_FigPointEx.h"
#include "figures/B_FigText.h"
#include "figures/FigFlags.h"
#include "writer/JwcWriter.h"

using namespace jwwrite;

namespace {

const int32_t kDegree = 65536;

JwcCurve Curve(float radius, int16_t flatness, int32_t start, int32_t end, int32_t tilt)
{
    JwcCurve curve;
    curve.cx = 10;
    curve.cy = 20;
    curve.radius = radius;
    curve.flatness = flatness;
    curve.start = start;
    curve.end = end;
    curve.tilt = tilt;
    return curve;
}

TEST(JwcFigures, EveryKindOfRecordInFileOrder)
{
    JwcDrawing drawing;
    drawing.headerPoints = {{1, 2, 0x21}, {3, 4, 0x22}};
    drawing.lines = {{0, 0, 100, 50, 1, 2, 0x13}};
    drawing.curves = {Curve(5, 10000, 0, 0, 0)};
    drawing.curves[0].layer = 0x17;
    drawing.texts = {JwcText{}};
    drawing.texts[0].layer = 0x16;
    drawing.strings = std::string("ab\0", 3);
    drawing.points = {{7, 8, 0x14, 3, 0}, {9, 10, 0x15, 4, 0x40}};
    LoadedDrawing loaded(WriteJwc(drawing), L"kinds.jwc");
    ASSERT_TRUE(loaded.Complete());

    std::vector<B_Base*> figures = loaded.Figures();
    ASSERT_EQ(figures.size(), 7u);
    const uint16_t codes[] = {FigCode::PointEx, FigCode::PointEx, FigCode::Line, FigCode::Circle,
                              FigCode::Text,    FigCode::Point,   FigCode::PointEx};
    for (size_t i = 0; i < figures.size(); ++i)
        EXPECT_EQ(figures[i]->typeCode, codes[i]) << i;

    // Header points: black auxiliary markers of code 2 and size 0.4.
    auto* mark = FigCast<B_FigPointEx>(figures[1]);
    EXPECT_EQ(mark->colour, 0u);
    EXPECT_EQ(mark->layer, 0x22);
    EXPECT_EQ(mark->flags, FigFlag::Auxiliary);
    EXPECT_EQ(mark->markerCode, 2);
    EXPECT_EQ(mark->size, 0.4);
    EXPECT_TRUE(PointNear(mark->position, Point2D(3, 4)));

    auto* line = FigCast<B_FigLine>(figures[2]);
    EXPECT_EQ(line->layer, 0x13);
    EXPECT_EQ(line->colour, 0xFFFFFFu);
    EXPECT_EQ(line->flags & FigFlag::PenMask, 2 << 4);
    EXPECT_EQ(line->lineType, 1);
    EXPECT_TRUE(PointNear(line->line.second, Point2D(100, 50)));

    // A point record with flag 0x40 becomes a marker at its position.
    auto* plain = FigCast<B_FigPoint>(figures[5]);
    EXPECT_EQ(plain->colour, 0x00FF00u);
    EXPECT_TRUE(PointNear(plain->position, Point2D(7, 8)));
    auto* marker = FigCast<B_FigPointEx>(figures[6]);
    EXPECT_EQ(marker->markerCode, 2);
    EXPECT_EQ(marker->size, 0.4);
    EXPECT_EQ(marker->colour, 0x00F2FFu);
    EXPECT_TRUE(PointNear(marker->position, Point2D(9, 10)));

    for (int layer : {0x13, 0x14, 0x15, 0x16, 0x17, 0x21, 0x22})
        EXPECT_TRUE(loaded.IsLayerUsed(layer)) << layer;
    EXPECT_FALSE(loaded.IsLayerUsed(0));
}

TEST(JwcFigures, PenColoursAndAuxiliaryLines)
{
    const COLORREF colours[] = {0xFFFFFF, 0xC0C000, 0xFFFFFF, 0x00FF00, 0x00F2FF, 0xC000C0, 0xFF0000, 0xFFFFFF};
    JwcDrawing drawing;
    for (uint8_t pen = 0; pen < 8; ++pen)
        drawing.lines.push_back({0, 0, 1, 1, static_cast<uint8_t>(pen == 7 ? 9 : 1), pen, 0});
    LoadedDrawing loaded(WriteJwc(drawing), L"pens.jwc");
    std::vector<B_FigLine*> lines = loaded.FiguresOf<B_FigLine>();
    ASSERT_EQ(lines.size(), 8u);
    for (size_t pen = 0; pen < 8; ++pen) {
        EXPECT_EQ(lines[pen]->colour, colours[pen]) << pen;
        EXPECT_EQ(lines[pen]->width, 0);
        EXPECT_EQ((lines[pen]->flags & FigFlag::Auxiliary) != 0, pen == 7) << pen;
    }
}

TEST(JwcFigures, DisplayOnlyLayersAndGroupsAreGrey)
{
    JwcDrawing drawing;
    drawing.layerState[0x01] = 1;  // display-only layer
    drawing.layerState[0x02] = 1;  // state 1 with its flag: a normal layer
    drawing.layerFlag[0x02] = 1;
    drawing.groupState[3] = 1;     // display-only group
    for (uint8_t layer : {0x00, 0x01, 0x02, 0x35})
        drawing.lines.push_back({0, 0, 1, 1, 1, 6, layer});
    LoadedDrawing loaded(WriteJwc(drawing), L"grey.jwc");
    std::vector<B_FigLine*> lines = loaded.FiguresOf<B_FigLine>();
    ASSERT_EQ(lines.size(), 4u);
    const COLORREF expected[] = {0xFF0000, 0xC0C0C0, 0xFF0000, 0xC0C0C0};
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(lines[i]->colour, expected[i]) << i;
}

TEST(JwcFigures, CurvesByFlatnessAndAngles)
{
    JwcDrawing drawing;
    drawing.curves = {
        Curve(5, 10000, 0, 0, 0),                                 // circle
        Curve(2, 10000, 0, 90 * kDegree, 45 * kDegree),           // arc from 45 to 135 degrees
        Curve(8, 5000, 0, 0, 400 * kDegree),                      // ellipse, tilt reduced to 40
        Curve(8, 5000, 0, 90 * kDegree, 30 * kDegree),            // elliptic arc
    };
    drawing.curves.push_back(Curve(std::numeric_limits<float>::infinity(), 10000, 0, 0, 0));  // deleted
    LoadedDrawing loaded(WriteJwc(drawing), L"curves.jwc");
    ASSERT_TRUE(loaded.Complete());
    ASSERT_EQ(loaded.Figures().size(), 4u);

    auto* circle = FigCast<B_FigCircle>(loaded.Figures()[0]);
    ASSERT_NE(circle, nullptr);
    EXPECT_EQ(circle->radius, 5);
    EXPECT_TRUE(PointNear(circle->centre, Point2D(10, 20)));

    auto* arc = FigCast<B_FigArc>(loaded.Figures()[1]);
    ASSERT_NE(arc, nullptr);
    const double h = std::sqrt(2.0);
    EXPECT_TRUE(PointNear(arc->arc.start, Point2D(10 + h, 20 + h)));
    EXPECT_TRUE(PointNear(arc->arc.end, Point2D(10 - h, 20 + h)));

    auto* ellipse = FigCast<B_FigEllipse>(loaded.Figures()[2]);
    ASSERT_NE(ellipse, nullptr);
    EXPECT_EQ(ellipse->ellipse.rx, 8);
    EXPECT_EQ(ellipse->ellipse.ry, 4);
    EXPECT_DOUBLE_EQ(ellipse->ellipse.angle, 40);

    // Start at parameter 0 lies on the x axis of the ellipse, end at 90 on
    // its y axis, both turned by the tilt.
    auto* ellipseArc = FigCast<B_FigEllipseArc>(loaded.Figures()[3]);
    ASSERT_NE(ellipseArc, nullptr);
    EXPECT_TRUE(PointNear(ellipseArc->arc.start, Point2D(10 + 8 * std::cos(M_PI / 6), 20 + 8 * 0.5)));
    EXPECT_TRUE(PointNear(ellipseArc->arc.end, Point2D(10 - 4 * 0.5, 20 + 4 * std::cos(M_PI / 6))));
}

TEST(JwcFigures, TextsTakeStyleScaleAndShiftJis)
{
    JwcDrawing drawing;
    drawing.mainFields[10] = "50";
    drawing.styles[2] = {5, 30, 40, 6};
    JwcText text;
    text.x2 = 0;
    text.y2 = 10;
    text.style = 13;  // styles wrap at 11
    text.flags = 0x20;
    text.layer = 0x47;
    drawing.texts = {text};
    drawing.strings = std::string("\x82\xA0z\0", 4);
    LoadedDrawing loaded(WriteJwc(drawing), L"text.jwc");
    std::vector<B_FigText*> texts = loaded.FiguresOf<B_FigText>();
    ASSERT_EQ(texts.size(), 1u);
    const B_FigText& fig = *texts[0];
    EXPECT_EQ(fig.text, CStringW(L"\x3042z"));
    EXPECT_EQ(fig.fontName, CStringW(L"\xFF2D\xFF33 \x30B4\x30B7\x30C3\x30AF"));
    EXPECT_EQ(fig.colour, 0xC000C0u);
    EXPECT_EQ(fig.layer, 0x47);
    EXPECT_EQ(fig.textFlags, TextFlag::Vertical);
    EXPECT_DOUBLE_EQ(fig.width, 150);
    EXPECT_DOUBLE_EQ(fig.height, 200);
    EXPECT_DOUBLE_EQ(fig.spacing, 30);
    EXPECT_DOUBLE_EQ(fig.angle, 90);
}

// The header keeps the string area's address: offsets from 65536 up count
// from the first such offset met; offsets that point outside the area give
// empty texts.
TEST(JwcFigures, TextOffsets)
{
    JwcDrawing drawing;
    drawing.stringAddress = 65552;
    drawing.strings = std::string("first\0", 6) + std::string(10, '.') + std::string("second\0", 7);
    for (uint32_t offset : {65552u, 65568u, 0u, 16u, 23u, 1000u, 0xFFFFFFFFu, 65000u}) {
        JwcText text;
        text.stringOffset = offset;
        drawing.texts.push_back(text);
    }
    LoadedDrawing loaded(WriteJwc(drawing), L"offsets.jwc");
    std::vector<B_FigText*> texts = loaded.FiguresOf<B_FigText>();
    ASSERT_EQ(texts.size(), 8u);
    const wchar_t* expected[] = {L"first", L"second", L"first", L"second", L"", L"", L"", L""};
    for (size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(texts[i]->text, CStringW(expected[i])) << i;
}

// A reload reads the file afresh: neither the old string area nor the old
// base of the high offsets carries over.
TEST(JwcFigures, ReloadStartsAFreshStringArea)
{
    auto drawingWith = [](uint32_t offset, const std::string& strings) {
        JwcDrawing drawing;
        JwcText text;
        text.stringOffset = offset;
        drawing.texts = {text};
        drawing.strings = strings;
        return WriteJwc(drawing);
    };
    JwcProbe reader;
    MemoryDrawing first(drawingWith(65552, std::string("old\0", 4)));
    ASSERT_TRUE(reader.Load(first.File()));
    reader.DeleteFigures();
    MemoryDrawing second(drawingWith(65536, std::string("new\0", 4)));
    ASSERT_TRUE(reader.Load(second.File()));
    ASSERT_EQ(reader.m_figures.GetCount(), 1);
    EXPECT_EQ(FigCast<B_FigText>(reader.m_figures.GetHead()->fig)->text, CStringW(L"new"));

    reader.DeleteFigures();
    MemoryDrawing third(drawingWith(0, std::string()));
    ASSERT_TRUE(reader.Load(third.File()));
    EXPECT_EQ(FigCast<B_FigText>(reader.m_figures.GetHead()->fig)->text, CStringW(L""));
}

TEST(JwcFigures, TextsStopAt256BytesAndAtTheAreasEnd)
{
    JwcDrawing drawing;
    drawing.strings = std::string(300, 'x') + "tail";  // no terminator at all
    JwcText text;
    drawing.texts = {text};
    text.stringOffset = 300;
    drawing.texts.push_back(text);
    LoadedDrawing loaded(WriteJwc(drawing), L"long.jwc");
    std::vector<B_FigText*> texts = loaded.FiguresOf<B_FigText>();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0]->text, CStringW(std::wstring(256, L'x').c_str()));
    EXPECT_EQ(texts[1]->text, CStringW(L"tail"));
}

// A text that names an image becomes the image's frame at the text's first
// point; the file is found beside the drawing.
TEST(JwcFigures, ImageTextsBecomeFrames)
{
    JwcDrawing drawing;
    JwcText text;
    text.x1 = 5;
    text.y1 = 6;
    text.layer = 0x31;
    drawing.texts = {text};
    drawing.strings = std::string("^@BMpic.bmp,30,20\0", 18);
    LoadedDrawing loaded(WriteJwc(drawing), L"image.jwc");
    ASSERT_TRUE(loaded.Complete());
    std::vector<B_FigImage*> frames = loaded.FiguresOf<B_FigImage>();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_TRUE(loaded.FiguresOf<B_FigText>().empty());
    const B_FigImage& frame = *frames[0];
    EXPECT_EQ(frame.layer, 0x31);
    EXPECT_EQ(frame.colour, 0xC0C000u);
    EXPECT_TRUE(PointNear(frame.corners[0], Point2D(5, 6)));
    EXPECT_TRUE(PointNear(frame.corners[2], Point2D(35, 26)));
    std::wstring folder = loaded.Path().substr(0, loaded.Path().rfind(L'\\'));
    EXPECT_EQ(std::wstring(frame.params.path.GetString()), folder + L"\\pic.bmp");
    EXPECT_EQ(loaded.Reader()->m_images.GetCount(), 1);
    EXPECT_TRUE(loaded.Reader()->m_imagesConverted);
}

// Text sizes use the drawing scale: main field 10, else the scale of group
// 0 (a float in "a.f.m" files), else 1.
TEST(JwcFigures, DrawingScaleOfTheTextSizes)
{
    struct Case {
        const char* field10;
        bool floatScales;
        double group0;
        double expectedWidth;
    } cases[] = {
        {"100", false, 20, 250}, {"", false, 20, 50}, {"0", true, 2.5, 6.25},
        {"", false, 0, 2.5},     {"-4", false, -3, 2.5},
    };
    for (const Case& c : cases) {
        JwcDrawing drawing;
        drawing.mainFields[10] = c.field10;
        drawing.floatScales = c.floatScales;
        drawing.groupScale[0] = c.group0;
        drawing.texts = {JwcText{}};
        drawing.strings = std::string("t\0", 2);
        LoadedDrawing loaded(WriteJwc(drawing), L"scale.jwc");
        std::vector<B_FigText*> texts = loaded.FiguresOf<B_FigText>();
        ASSERT_EQ(texts.size(), 1u) << c.field10;
        EXPECT_DOUBLE_EQ(texts[0]->width, c.expectedWidth) << c.field10 << " " << c.group0;
        EXPECT_DOUBLE_EQ(loaded.Reader()->GetScale(), c.expectedWidth / 2.5);
    }
}

// "a.f.m" moves the layer block (and every section) 32 bytes further.
TEST(JwcFigures, FloatScaleFilesPlaceTheLayerBlockAt1861)
{
    JwcDrawing drawing;
    drawing.floatScales = true;
    drawing.layerState[5] = 1;
    drawing.lines = {{0, 0, 1, 1, 1, 1, 5}, {0, 0, 2, 2, 1, 1, 6}};
    LoadedDrawing loaded(WriteJwc(drawing), L"afm.jwc");
    ASSERT_TRUE(loaded.Complete());
    std::vector<B_FigLine*> lines = loaded.FiguresOf<B_FigLine>();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0]->colour, 0xC0C0C0u);
    EXPECT_EQ(lines[1]->colour, 0xC0C000u);
    EXPECT_TRUE(PointNear(lines[1]->line.second, Point2D(2, 2)));
}

// The header has room for points 1 to 100: a larger count stops there and
// the load fails.
TEST(JwcFigures, HeaderPointsStopAt100)
{
    JwcDrawing drawing;
    for (int i = 1; i <= 100; ++i)
        drawing.headerPoints.push_back({static_cast<float>(i), 0, 0});
    drawing.mainFields[5] = "500";
    drawing.lines = {{0, 0, 1, 1, 1, 1, 0}};
    LoadedDrawing loaded(WriteJwc(drawing), L"marks.jwc");
    EXPECT_EQ(loaded.FiguresOf<B_FigPointEx>().size(), 100u);
    EXPECT_EQ(loaded.FiguresOf<B_FigLine>().size(), 1u);
    EXPECT_FALSE(loaded.Complete());
    EXPECT_TRUE(PointNear(loaded.FiguresOf<B_FigPointEx>().back()->position, Point2D(100, 0)));
}

}  // namespace
