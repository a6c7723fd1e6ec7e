// Every entity class of a drawing, written by the test-side writer and
// loaded through the reader factory, becomes the figures it stands for.
#include "geometry/AngleFunctions.h"
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

#include "core/geometry/GeometryTestSupport.h"
#include "core/jww/JwwTestSupport.h"
#include "figures/FigVisit.h"
#include "figures/FigFlags.h"
#include "reader/BCN_CImpJWW.h"

namespace {


struct Loaded {
    explicit Loaded(const jwwrite::Drawing& drawing) : drawing(jwwrite::WriteDrawing(drawing), L"entities.jww") {}
    explicit Loaded(const std::vector<jwwrite::Entity>& entities, uint32_t version = 700)
        : drawing(DrawingBytes(entities, version), L"entities.jww")
    {
    }

    // The one figure of the kind; the test ends when there is none or more.
    template <class Kind>
    Kind& Only()
    {
        std::vector<Kind*> found = drawing.FiguresOf<Kind>();
        if (found.size() != 1)
            throw std::runtime_error("expected one figure of code " + std::to_string(Kind::kCode) + ", found " +
                                     std::to_string(found.size()));
        return *found.front();
    }

    LoadedDrawing drawing;
};

jwwrite::Curve CurveOf(double radius, double start, double arc, double flatness, double tilt = 0)
{
    jwwrite::Curve curve;
    curve.radius = radius;
    curve.startAngle = start;
    curve.arcAngle = arc;
    curve.flatness = flatness;
    curve.tiltAngle = tilt;
    return curve;
}

jwwrite::Text TextOf(const jwwrite::JwText& text, double x, double y, uint32_t kind = 0)
{
    jwwrite::Text record;
    record.x1 = record.x2 = x;
    record.y1 = record.y2 = y;
    record.x2 += 10;
    record.kind = kind;
    record.width = 3;
    record.height = 4;
    record.spacing = 0.5;
    record.angle = 30;
    record.font = "MS Gothic";
    record.text = text;
    return record;
}

TEST(JwwEntityFigures, PenColoursByVersionAndLayerState)
{
    struct Case {
        uint32_t version;
        uint16_t pen;
        uint32_t colour;
    };
    const Case cases[] = {
        {700, 3, 0x00A000}, {700, 9, 0x8080C0}, {700, 50, 0},       {351, 150, 0},
        {420, 150, 0x123456}, {700, 356, 0x654321}, {700, 357, 0}, {700, 1000, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "version " << c.version << " pen " << c.pen);
        jwwrite::Drawing drawing = BareDrawing(c.version);
        drawing.header.penColor[150] = 0x123456;
        drawing.header.penColor[356] = 0x654321;
        drawing.entities = {LineOf(0, 0, 1, 1, c.pen)};
        Loaded loaded(drawing);
        EXPECT_EQ(loaded.Only<B_FigLine>().colour, c.colour);
    }
}

TEST(JwwEntityFigures, ReferenceLayersAreGreyButOwnSolidColoursStay)
{
    jwwrite::Drawing drawing = BareDrawing();
    drawing.header.groupState[2] = 1;
    jwwrite::Line line = LineOf(0, 0, 5, 5, 3);
    line.layerGroup = 2;
    line.layer = 3;
    jwwrite::Solid solid;
    solid.penColor = 10;
    solid.color = 0x00ABCDEF;
    solid.layerGroup = 2;
    solid.layer = 3;
    drawing.entities = {line, solid};
    Loaded loaded(drawing);
    B_FigLine& figure = loaded.Only<B_FigLine>();
    EXPECT_EQ(figure.colour, 0xC0C0C0u);
    EXPECT_EQ(figure.layer, 2 * 16 + 3);
    EXPECT_EQ(loaded.Only<B_FigSolid>().colour, 0xABCDEFu);
    EXPECT_TRUE(loaded.drawing.IsLayerUsed(35));
}

TEST(JwwEntityFigures, WidthsLineTypesAndPenField)
{
    jwwrite::Drawing drawing = BareDrawing(600);
    drawing.header.penWidth[4] = 0x12345;  // only the low 16 bits count
    drawing.header.widthMode = -250;
    jwwrite::Line penWidth = LineOf(0, 0, 1, 0, 4);
    jwwrite::Line ownWidth = LineOf(0, 1, 1, 1, 4);
    ownWidth.penWidth = 7;
    jwwrite::Line auxiliary = LineOf(0, 2, 1, 2, 12);
    auxiliary.penStyle = 9;
    jwwrite::Line farLayer = LineOf(0, 3, 1, 3, 1);
    farLayer.layerGroup = 20;  // beyond the 256 layers
    drawing.entities = {penWidth, ownWidth, auxiliary, farLayer};
    Loaded loaded(drawing);
    std::vector<B_FigLine*> lines = loaded.drawing.FiguresOf<B_FigLine>();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0]->width, 0x2345 | 0x8000);
    EXPECT_EQ(lines[0]->flags & FigFlag::PenMask, 4 << 4);
    EXPECT_EQ(lines[1]->width, 7 | 0x8000);
    EXPECT_EQ(lines[2]->lineType, 9);
    EXPECT_EQ(lines[2]->flags, FigFlag::Auxiliary | (12 << 4));
    EXPECT_EQ(lines[3]->layer, 255);
}

TEST(JwwEntityFigures, CurvesBecomeCirclesArcsAndEllipses)
{
    Loaded loaded({CurveOf(10, 0, -kPi / 2, 1.0), CurveOf(10, 0, 2 * kPi, 1.0000001), CurveOf(10, 0, 2 * kPi, 1.0),
                   CurveOf(10, 0, kPi / 2, 0.5, kPi / 2)});
    const B_FigArc& arc = loaded.Only<B_FigArc>();
    // 270 to 360 degrees: start and end exchanged.
    EXPECT_TRUE(PointNear(arc.arc.start, Point2D(0, -10)));
    EXPECT_TRUE(PointNear(arc.arc.end, Point2D(10, 0)));
    const B_FigEllipse& ellipse = loaded.Only<B_FigEllipse>();
    EXPECT_EQ(ellipse.ellipse.rx, 10.0);
    EXPECT_NEAR(ellipse.ellipse.ry, 10.000001, 1e-12);
    EXPECT_EQ(loaded.Only<B_FigCircle>().radius, 10.0);
    const B_FigEllipseArc& tilted = loaded.Only<B_FigEllipseArc>();
    EXPECT_DOUBLE_EQ(tilted.arc.angle, 90.0);
    EXPECT_TRUE(PointNear(tilted.arc.start, Point2D(0, 10)));
    EXPECT_TRUE(PointNear(tilted.arc.end, Point2D(-5, 0)));
}

TEST(JwwEntityFigures, PointsAndMarkers)
{
    jwwrite::Point plain, temporary, filled, marker, noMarker;
    temporary.temporary = 1;
    filled.flags = 0x40;
    marker.penStyle = noMarker.penStyle = 100;
    marker.code = -3;
    marker.angle = kPi / 2;
    marker.scale = 2.5;
    noMarker.code = -8;
    for (jwwrite::Point* point : {&plain, &temporary, &filled, &marker, &noMarker}) {
        point->x = 1.5;
        point->penColor = 2;
    }
    Loaded loaded({plain, temporary, filled, marker, noMarker});
    std::vector<B_FigPoint*> points = loaded.drawing.FiguresOf<B_FigPoint>();
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[0]->flags & FigFlag::Auxiliary, 0);
    EXPECT_EQ(points[1]->flags & FigFlag::Auxiliary, FigFlag::Auxiliary);
    EXPECT_EQ(points[0]->lineType, 0);
    EXPECT_EQ(points[0]->width, 0);
    EXPECT_EQ(points[0]->colour, 0x0000FFu);
    std::vector<B_FigPointEx*> markers = loaded.drawing.FiguresOf<B_FigPointEx>();
    ASSERT_EQ(markers.size(), 2u);
    EXPECT_EQ(markers[0]->markerCode, 2);
    EXPECT_EQ(markers[0]->size, 0.4);
    EXPECT_EQ(markers[0]->flags & FigFlag::Filled, FigFlag::Filled);
    EXPECT_EQ(markers[1]->markerCode, 3);
    EXPECT_DOUBLE_EQ(markers[1]->angle, 90.0);
    EXPECT_EQ(markers[1]->size, 2.5);
    EXPECT_TRUE(PointNear(markers[1]->position, Point2D(1.5, 0)));
}

// A special point carries 20 more bytes from version 300 on: a reader out of
// step would misread the line after it.
TEST(JwwEntityFigures, PointRecordSizesFollowTheVersion)
{
    for (uint32_t version : {252u, 300u, 351u}) {
        for (uint8_t style : {99, 100}) {
            SCOPED_TRACE(testing::Message() << "version " << version << " style " << int(style));
            jwwrite::Point point;
            point.penStyle = style;
            point.code = -2;
            Loaded loaded({point, LineOf(3, 4, 5, 6)}, version);
            ASSERT_TRUE(loaded.drawing.Complete());
            EXPECT_TRUE(PointNear(loaded.Only<B_FigLine>().line.second, Point2D(5, 6)));
            bool marker = version >= 300 && style == 100;
            EXPECT_EQ(loaded.drawing.FiguresOf<B_FigPointEx>().size(), marker ? 1u : 0u);
        }
    }
}

TEST(JwwEntityFigures, TextsWithTheirStyles)
{
    jwwrite::Text bold = TextOf("bold", 1, 2, 20005);
    jwwrite::Text both = TextOf("both", 1, 2, 35000);
    jwwrite::Text vertical = TextOf("tate", 1, 2, 10000);
    vertical.flags = 0x20;
    jwwrite::Text flat = TextOf("flat", 1, 2);
    flat.height = 0;
    jwwrite::Text notANumber = TextOf("nan", 1, 2);
    notANumber.width = std::numeric_limits<double>::quiet_NaN();
    Loaded loaded({bold, both, vertical, flat, notANumber});
    std::vector<B_FigText*> texts = loaded.drawing.FiguresOf<B_FigText>();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0]->textFlags, TextFlag::Bold);
    EXPECT_EQ(texts[1]->textFlags, TextFlag::Bold | TextFlag::Italic);
    EXPECT_EQ(texts[2]->textFlags, TextFlag::Vertical | TextFlag::Italic);
    EXPECT_EQ(texts[0]->text, CStringW(L"bold"));
    EXPECT_EQ(texts[0]->fontName, CStringW(L"MS Gothic"));
    EXPECT_TRUE(PointNear(texts[0]->start, Point2D(1, 2)));
    EXPECT_TRUE(PointNear(texts[0]->end, Point2D(11, 2)));
    EXPECT_EQ(texts[0]->width, 3.0);
    EXPECT_EQ(texts[0]->height, 4.0);
    EXPECT_EQ(texts[0]->spacing, 0.5);
    EXPECT_EQ(texts[0]->angle, 30.0);
    EXPECT_EQ(static_cast<B_Base*>(texts[0])->width, 0);
}

TEST(JwwEntityFigures, SwitchTextsSetImageTransparency)
{
    struct Case {
        const char* text;
        double y;
        bool drawn;
        bool transparency;
    };
    const Case cases[] = {
        {"Draw_BmpTOUKA = 0", -1000, false, false}, {"Draw_BMPTOUKA = 0", -1000, false, false},
        {"Draw_BmpTOUKA = 0", -999.9, true, true},  {"draw_bmptouka = 0", -1000, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.text << " at " << c.y);
        jwwrite::Text text = TextOf(c.text, 0, c.y);
        text.x2 = 0;
        Loaded loaded({text});
        EXPECT_EQ(loaded.drawing.FiguresOf<B_FigText>().size(), c.drawn ? 1u : 0u);
        EXPECT_EQ(loaded.drawing.Reader()->m_imageTransparency, c.transparency);
    }
    jwwrite::Text off = TextOf("Draw_BMPTOUKA = 0", 0, -1000), on = TextOf("Draw_BMPTOUKA = 1", 0, -1000);
    off.x2 = on.x2 = 0;
    Loaded both({off, on});
    EXPECT_TRUE(both.drawing.Reader()->m_imageTransparency);
}

TEST(JwwEntityFigures, ImageTextBecomesAFrameAtItsStart)
{
    jwwrite::Text image = TextOf("^@BMpicture.bmp,40,20", 5, 6);
    image.penColor = 3;
    image.layer = 7;
    Loaded loaded({image, TextOf("^@BMno-comma.bmp", 0, 0), TextOf("^@BMflat.bmp,0,20", 0, 0)});
    EXPECT_EQ(loaded.drawing.FiguresOf<B_FigText>().size(), 2u);
    const B_FigImage& frame = loaded.Only<B_FigImage>();
    EXPECT_EQ(frame.colour, 0x00A000u);
    EXPECT_EQ(frame.layer, 7);
    EXPECT_TRUE(PointNear(frame.corners[0], Point2D(5, 6)));
    EXPECT_TRUE(PointNear(frame.corners[2], Point2D(45, 26)));
    EXPECT_EQ(frame.params.path.Right(12), CStringW(L"\\picture.bmp"));
    EXPECT_TRUE(loaded.drawing.Reader()->m_imagesConverted);
}

jwwrite::Dimension DimensionOf(uint16_t sxfMode)
{
    jwwrite::Dimension dimension;
    dimension.line = LineOf(0, 0, 100, 0, 2);
    dimension.text = TextOf("100", 45, 2);
    dimension.sxfMode = sxfMode;
    dimension.extLine1 = LineOf(0, 10, 0, -2);
    dimension.extLine2 = LineOf(100, 10, 100, -2);
    dimension.point1.penStyle = dimension.point2.penStyle = 100;
    dimension.point1.code = dimension.point2.code = 1;
    dimension.point1.scale = dimension.point2.scale = 2;
    dimension.point2.x = 100;
    dimension.point2.angle = kPi;
    return dimension;
}

TEST(JwwEntityFigures, SxfDimensionIsOneFigureWithTerminators)
{
    jwwrite::Dimension dimension = DimensionOf(1);
    dimension.point2.code = 10;
    Loaded loaded({dimension});
    ASSERT_EQ(loaded.drawing.Figures().size(), 1u);
    const B_FigDim& figure = loaded.Only<B_FigDim>();
    ASSERT_TRUE(FigCast<B_FigLine>(figure.dimLine));
    EXPECT_TRUE(PointNear(FigCast<B_FigLine>(figure.dimLine)->line.second, Point2D(100, 0)));
    ASSERT_TRUE(FigCast<B_FigLine>(figure.extLine2));
    EXPECT_TRUE(PointNear(FigCast<B_FigLine>(figure.extLine2)->line.first, Point2D(100, 10)));
    ASSERT_TRUE(FigCast<B_FigPoint>(figure.endPoint2));
    EXPECT_EQ(figure.text.text, CStringW(L"100"));
    EXPECT_EQ(figure.colour, 0x0000FFu);
    EXPECT_EQ(figure.terminator1.kind, 8);
    EXPECT_EQ(figure.terminator1.fillMode, 6 | 1);
    EXPECT_DOUBLE_EQ(figure.terminator1.size, 2 * 7.6034);
    EXPECT_EQ(figure.terminator1.halfAngle, 9.46);
    EXPECT_EQ(figure.terminator2.kind, 12);
    EXPECT_EQ(figure.terminator2.fillMode, 0);
    EXPECT_DOUBLE_EQ(figure.terminator2.size, 10.0);
    EXPECT_EQ(figure.terminator2.halfAngle, 0.0);
}

TEST(JwwEntityFigures, ArrowAlongTheLineAtTheSecondEnd)
{
    jwwrite::Dimension dimension = DimensionOf(1);
    dimension.point1.angle = kPi / 2;  // across the line: no bit
    Loaded loaded({dimension});
    const B_FigDim& figure = loaded.Only<B_FigDim>();
    EXPECT_EQ(figure.terminator1.fillMode, 6);
    EXPECT_EQ(figure.terminator2.fillMode, 6 | 1);
}

TEST(JwwEntityFigures, PlainDimensionIsLineTextAndGroup)
{
    for (uint32_t version : {300u, 700u}) {
        SCOPED_TRACE(version);
        Loaded loaded({DimensionOf(0)}, version);
        std::map<uint16_t, int> counts = KindCounts(loaded.drawing.Figures());
        EXPECT_EQ(counts, (std::map<uint16_t, int>{{FigCode::Line, 1}, {FigCode::Text, 1}, {FigCode::Group, 1}}));
        const B_CFormGroup& group = loaded.Only<B_CFormGroup>();
        ASSERT_EQ(group.children.size(), 2u);
        EXPECT_EQ(group.children[0]->fig->typeCode, FigCode::Line);
        EXPECT_EQ(group.children[1]->fig->typeCode, FigCode::Text);
    }
    jwwrite::Dimension textless = DimensionOf(1);
    textless.text.width = 0;
    Loaded nothing({textless});
    EXPECT_TRUE(nothing.drawing.Figures().empty());
}

jwwrite::Solid CurvedSolid(uint8_t kind, double parameter, double arc, double flatness = 1.0)
{
    jwwrite::Solid solid;
    solid.penStyle = kind;
    solid.penColor = 3;
    solid.x1 = 0;  // centre
    solid.y1 = 0;
    solid.x2 = 10;  // radius
    solid.y2 = flatness;
    solid.x3 = 0;  // tilt
    solid.y3 = 0;  // start
    solid.x4 = arc;
    solid.y4 = parameter;
    return solid;
}

TEST(JwwEntityFigures, PlainSolidFillsItsFourCorners)
{
    jwwrite::Solid solid;
    solid.penStyle = 1;
    solid.penColor = 4;
    solid.x2 = 10;
    solid.x3 = 10;
    solid.y3 = 5;
    solid.y4 = 5;
    Loaded loaded({solid});
    const B_FigSolid& figure = loaded.Only<B_FigSolid>();
    EXPECT_EQ(figure.kind, 1);
    EXPECT_EQ(figure.parameter, 5.0);
    EXPECT_EQ(figure.colour, 0xFF0000u);
    const B_FigPolyline* outline = FigCast<B_FigPolyline>(figure.child);
    ASSERT_TRUE(outline);
    EXPECT_EQ(outline->open, 0);
    EXPECT_EQ(outline->flags & FigFlag::Filled, FigFlag::Filled);
    ASSERT_EQ(outline->points.size(), 4u);
    EXPECT_TRUE(PointNear(outline->points[2], Point2D(10, 5)));
}

TEST(JwwEntityFigures, CurvedSolidsByKindAndParameter)
{
    struct Case {
        const char* name;
        jwwrite::Solid solid;
        uint16_t childCode;  // 0: no solid
        uint16_t flags;      // of the child, beyond the pen field
    };
    const Case cases[] = {
        {"plain curve", CurvedSolid(111, 0, kPi / 2), FigCode::Arc, 0},
        {"sector", CurvedSolid(101, 0, kPi / 2), FigCode::Arc, FigFlag::Filled | FigFlag::Sector},
        {"segment", CurvedSolid(101, 5, kPi / 2), FigCode::Arc, FigFlag::Filled},
        {"to the corner", CurvedSolid(101, -1, kPi / 2), FigCode::Polyline, FigFlag::Filled},
        {"half circle has no corner", CurvedSolid(101, -1, kPi), 0, 0},
        {"its circle", CurvedSolid(101, 100, kPi / 2), FigCode::Circle, 0},
        {"unknown parameter", CurvedSolid(101, 7, kPi / 2), 0, 0},
        {"ring arc", CurvedSolid(105, 0, kPi / 2, 0.5), FigCode::EllipseArc, 0},
        {"constant ring arc", CurvedSolid(106, 0, kPi / 2, 0.5), FigCode::EllipseArc, FigFlag::ConstantRing},
        {"full circle", CurvedSolid(101, 0, 2 * kPi), FigCode::Circle, FigFlag::Filled},
        {"constant ring", CurvedSolid(106, 0, 2 * kPi, 0.5), FigCode::Ellipse, FigFlag::ConstantRing},
        {"elliptic corner", CurvedSolid(101, -1, kPi / 2, 0.5), FigCode::Polyline, FigFlag::Filled},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Loaded loaded({c.solid});
        std::vector<B_FigSolid*> solids = loaded.drawing.FiguresOf<B_FigSolid>();
        ASSERT_EQ(solids.size(), c.childCode ? 1u : 0u);
        if (!c.childCode)
            continue;
        ASSERT_TRUE(solids[0]->child);
        EXPECT_EQ(solids[0]->kind, c.solid.penStyle);
        EXPECT_EQ(solids[0]->child->typeCode, c.childCode);
        EXPECT_EQ(solids[0]->child->flags & ~FigFlag::PenMask, c.flags);
        EXPECT_EQ(solids[0]->child->colour, 0x00A000u);
    }
}

// The quarter circle from 0 to 90 degrees meets its end tangents at (10, 10).
TEST(JwwEntityFigures, FillToTheCornerEndsAtTheTangentsCrossing)
{
    Loaded loaded({CurvedSolid(101, -1, kPi / 2)});
    const B_FigPolyline* outline = FigCast<B_FigPolyline>(loaded.Only<B_FigSolid>().child);
    ASSERT_TRUE(outline);
    ASSERT_GT(outline->points.size(), 3u);
    EXPECT_EQ(outline->open, 0);
    EXPECT_TRUE(PointNear(outline->points.front(), Point2D(10, 0)));
    EXPECT_TRUE(PointNear(outline->points[outline->points.size() - 2], Point2D(0, 10)));
    EXPECT_TRUE(PointNear(outline->points.back(), Point2D(10, 10)));
}

}  // namespace
