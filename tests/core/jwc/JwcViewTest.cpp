// The view a .jwc drawing stores, its pens, and the patterned line shapes.
#include <gtest/gtest.h>

#include "JwcTestSupport.h"
#include "reader/RandomLineShape.h"
#include "render/gdi/RandomLineTable.h"
#include "writer/JwcWriter.h"

using namespace jwwrite;

namespace {

void LoadInto(BCN_CImpJWC& reader, const JwcDrawing& drawing)
{
    MemoryDrawing file(WriteJwc(drawing));
    ASSERT_TRUE(reader.Load(file.File()));
}

TEST(JwcView, StoredPaperView)
{
    struct Case {
        const char* paper;
        const char* magnification;
        double scale;
    } cases[] = {{"256", "2", 2.0}, {"", "", 256.0 / 518}, {"-10", "-3", 256.0 / 518}, {"128", "0.5", 1.0}};
    for (const Case& c : cases) {
        JwcDrawing drawing;
        drawing.mainFields[31] = c.paper;
        drawing.viewFields = {{26, "12.5"}, {27, "-4"}, {28, c.magnification}};
        BCN_CImpJWC reader;
        LoadInto(reader, drawing);
        reader.m_wholeDrawing = false;
        reader.m_zoom = 258;
        reader.m_originX = 10;
        reader.m_originY = -20;
        reader.SetupView();
        EXPECT_DOUBLE_EQ(reader.CDrawBase::m_scale, c.scale) << c.paper;
        EXPECT_EQ(reader.m_devOffsetX, 118);
        EXPECT_EQ(reader.m_devOffsetY, 32 - 108);
        EXPECT_EQ(reader.m_worldRefX, 12.5);
        EXPECT_EQ(reader.m_worldRefY, -4);
    }
}

TEST(JwcView, DeviceLengthsDivideByTheDrawingScale)
{
    JwcDrawing drawing;
    drawing.mainFields[10] = "50";
    BCN_CImpJWC reader;
    LoadInto(reader, drawing);
    reader.CDrawBase::m_scale = 3.0;
    EXPECT_FLOAT_EQ(reader.ToDeviceLength(100.0), 6.0f);
}

TEST(JwcView, PenWidthsAndColours)
{
    BCN_CImpJWC reader;
    double& deviceScale = reader.CDrawBase::m_scale;
    deviceScale = 20.0;
    EXPECT_EQ(reader.GetPenWidth(3), 2.0f);
    reader.m_penWidths = true;
    EXPECT_EQ(reader.GetPenWidth(3), 5.0f);
    EXPECT_EQ(reader.GetPenWidth(0), 2.0f);
    EXPECT_EQ(reader.GetPenWidth(7), 2.0f);
    deviceScale = 1.0;
    EXPECT_EQ(reader.GetPenWidth(1), 1.0f);
    EXPECT_EQ(reader.GetPenColor(5), 0xC000C0u);
    EXPECT_EQ(reader.GetPenColor(-1), 0xFFFFFFu);
}

// Types 11 to 15 share one square wave, scaled by 8 to 16.
TEST(JwcView, PatternedLineShapes)
{
    BCN_CImpJWC reader;
    RandomLineShape shape = {};
    EXPECT_FALSE(reader.GetRandomLineShape(10, &shape));
    EXPECT_FALSE(reader.GetRandomLineShape(16, &shape));
    ASSERT_TRUE(reader.GetRandomLineShape(12, &shape));
    EXPECT_EQ(shape.mode, 1);
    EXPECT_EQ(shape.kind, 2);
    EXPECT_EQ(shape.pointCount, 33);
    EXPECT_EQ(shape.lead, 0.0f);
    EXPECT_FLOAT_EQ(shape.length, 110.0f);
    EXPECT_FLOAT_EQ(shape.height, 2.0f);
    EXPECT_EQ(shape.points[0].x, -32769.0f);
    EXPECT_FLOAT_EQ(shape.points[1].x, 4.0f);
    EXPECT_FLOAT_EQ(shape.points[1].y, 2.0f);
    ASSERT_TRUE(reader.GetRandomLineShape(15, &shape));
    EXPECT_FLOAT_EQ(shape.length, 176.0f);
}

// Every load publishes the drawing's shapes for the renderers.
TEST(JwcView, LoadPublishesTheShapes)
{
    LoadedDrawing loaded(WriteJwc(JwcDrawing()), L"shapes.jwc");
    std::shared_ptr<const RandomLineShapes> shapes = CurrentRandomLineShapes();
    ASSERT_TRUE(shapes);
    EXPECT_FLOAT_EQ(static_cast<float>(shapes->entries[0].length), 88.0f);
    EXPECT_EQ(shapes->entries[0].segmentCount, 32);
    EXPECT_FLOAT_EQ(static_cast<float>(shapes->entries[4].length), 176.0f);
}

// The whole drawing fits the zoom square with 6-pixel margins.
TEST(JwcView, WholeDrawingFitsTheSquare)
{
    JwcDrawing drawing;
    drawing.lines = {{-50, 0, 150, 100, 1, 1, 0}};
    BCN_CImpJWC reader;
    LoadInto(reader, drawing);
    reader.m_wholeDrawing = true;
    reader.SetupView();
    double scale = reader.CDrawBase::m_scale;
    EXPECT_DOUBLE_EQ(scale, 244.0 / 200);
    EXPECT_DOUBLE_EQ((-50 - reader.m_worldRefX) * scale + reader.m_devOffsetX, 6.0);
    EXPECT_DOUBLE_EQ((150 - reader.m_worldRefX) * scale + reader.m_devOffsetX, 250.0);
}

}  // namespace
