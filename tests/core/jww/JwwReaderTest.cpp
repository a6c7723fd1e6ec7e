// The drawing reader as a whole: every version of the sample drawing, a
// stream that breaks off, the progress it reports, and its answers to the
// renderer (pens, dash patterns, patterned line shapes, view).
#include <gtest/gtest.h>

#include <vector>

#include "core/jww/JwwTestSupport.h"
#include "figures/FigVisit.h"
#include "reader/BCN_CImpJWW.h"
#include "reader/LoadState.h"
#include "reader/RandomLineShape.h"
#include "writer/SampleDrawing.h"

namespace {

std::map<uint16_t, int> SampleCounts(uint32_t version)
{
    bool sxf = version >= 420, specialPoints = version >= 300;
    int plainDimension = sxf ? 0 : 1;
    std::map<uint16_t, int> counts = {
        {FigCode::Line, 5 + 2 * 5 + plainDimension},
        {FigCode::Circle, 1},
        {FigCode::Arc, 1},
        {FigCode::Ellipse, 1},
        {FigCode::EllipseArc, 1},
        {FigCode::Point, specialPoints ? 1 : 2},
        {FigCode::Text, 2 + plainDimension},
        {FigCode::Solid, 2},
        {FigCode::Group, 2 + plainDimension},
    };
    if (specialPoints)
        counts[FigCode::PointEx] = 1;
    if (sxf)
        counts[FigCode::Dim] = 1;
    return counts;
}

TEST(JwwReader, SampleDrawingOfEveryVersion)
{
    for (uint32_t version : {230u, 251u, 252u, 300u, 351u, 420u, 600u, 700u}) {
        SCOPED_TRACE(version);
        LoadedDrawing loaded(jwwrite::WriteDrawing(jwwrite::SampleDrawing(version)), L"sample.jww");
        ASSERT_TRUE(loaded.Complete());
        EXPECT_EQ(KindCounts(loaded.Figures()), SampleCounts(version));
        EXPECT_EQ(loaded.Reader()->m_backColor, 0xFFFFFFu);
        EXPECT_EQ(loaded.Reader()->GetFileKind(), 2);
        EXPECT_EQ(loaded.Reader()->GetScale(), 100.0);
        EXPECT_EQ(loaded.Reader()->GetHeaderTime(), 3600u);
        EXPECT_EQ(loaded.Reader()->GetMemo(), CStringW(L"\u30B5\u30F3\u30D7\u30EB\nMakeSampleDrawing"));
    }
}

TEST(JwwReader, RefusedFilesLoadNothing)
{
    jwwrite::Drawing old = jwwrite::SampleDrawing(250);
    LoadedDrawing refused(jwwrite::WriteDrawing(old), L"old.jww");
    ASSERT_TRUE(refused.Reader());
    EXPECT_EQ(refused.Reader()->m_loadState, LoadState::Failed);
    EXPECT_TRUE(refused.Figures().empty());

    LoadedDrawing empty(jwwrite::WriteDrawing(BareDrawing()), L"empty.jww");
    EXPECT_EQ(empty.Reader()->m_loadState, LoadState::Failed);
}

// The entities read whole before the stream breaks off are drawn; the load
// fails.
TEST(JwwReader, BrokenStreamKeepsTheEntitiesReadWhole)
{
    jwwrite::Drawing full = jwwrite::SampleDrawing();
    jwwrite::Drawing firstThree = full;
    firstThree.entities.resize(3);
    firstThree.blocks.clear();
    // After its entities the shorter drawing has a block count and an image
    // count: six bytes.
    size_t cut = jwwrite::WriteDrawing(firstThree).size() - 6;
    std::vector<uint8_t> bytes = jwwrite::WriteDrawing(full);
    bytes.resize(cut + 5);
    LoadedDrawing loaded(bytes, L"broken.jww");
    EXPECT_EQ(loaded.Reader()->m_loadState, LoadState::Failed);
    EXPECT_EQ(KindCounts(loaded.Figures()), (std::map<uint16_t, int>{{FigCode::Line, 3}}));

    // Broken in the block definitions: every entity is there, the inserts
    // find no definition.
    bytes = jwwrite::WriteDrawing(full);
    bytes.resize(bytes.size() - 12);
    LoadedDrawing late(bytes, L"late.jww");
    EXPECT_EQ(late.Reader()->m_loadState, LoadState::Failed);
    EXPECT_EQ(KindCounts(late.Figures())[FigCode::Line], 5);
    EXPECT_EQ(KindCounts(late.Figures())[FigCode::Solid], 2);
}

TEST(JwwReader, ConversionReportsItsOwnProgress)
{
    ProgressSink sink;
    jwwrite::Drawing drawing = BareDrawing();
    drawing.entities.assign(400, LineOf(0, 0, 1, 1));
    LoadedDrawing loaded(jwwrite::WriteDrawing(drawing), L"progress.jww", sink.Window());
    ASSERT_TRUE(loaded.Complete());
    std::vector<std::pair<WPARAM, LPARAM>> messages = sink.Take();
    int starts = 0;
    for (const auto& message : messages)
        starts += message.first == 0 && message.second == 400 ? 1 : 0;
    EXPECT_EQ(starts, 2);  // the entity list, then the conversion
    ASSERT_FALSE(messages.empty());
    // The conversion counts down from 400 + 400 / 360 to 400 / 360.
    EXPECT_EQ(messages.back(), std::make_pair(WPARAM(1), LPARAM(1)));
}

struct PenProbe : BCN_CImpJWW {
    PenProbe()
    {
        m_header.m_penColor[0] = 0x010203;
        m_header.m_penColor[356] = 0x040506;
    }
};

TEST(JwwReader, PenColoursOutsideTheTableAreBlack)
{
    PenProbe reader;
    EXPECT_EQ(reader.GetPenColor(0), 0x010203u);
    EXPECT_EQ(reader.GetPenColor(356), 0x040506u);
    for (int pen : {-1, 357, 1000, INT_MIN, INT_MAX})
        EXPECT_EQ(reader.GetPenColor(pen), 0u) << pen;
}

TEST(JwwReader, DashPatternsOfTheLineTypes)
{
    struct Case {
        uint16_t type;
        DWORD pattern, bits, pitch;
        std::vector<float> dashes;  // empty: no pattern of the drawing's own
    };
    const Case cases[] = {
        {2, 0x99999999, 4, 1, {1, 2, 1, 0}},
        {3, 0x0F0F0F0F, 8, 2, {8, 8}},  // leading 0 bits are not counted
        {4, 0xAAAAAAAA, 32, 1, std::vector<float>(32, 1.0f)},
        {5, 0xF0000000, 32, 3, {12, 84}},
        {6, 0, 8, 1, {}},
        {7, 0xFFFFFFFF, 8, 1, {}},
        {8, 0x99999999, 0, 1, {}},
        {0, 0x99999999, 4, 1, {}},
        {63, 0x99999999, 4, 1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        BCN_CImpJWW reader;
        if (c.type < 63) {
            reader.m_header.m_lineTypePattern[c.type] = c.pattern;
            reader.m_header.m_lineTypeBits[c.type] = c.bits;
            reader.m_header.m_lineTypePitch[c.type] = c.pitch;
        }
        float dashes[32] = {};
        int count = -1;
        bool found = reader.GetUserLineStyle(c.type, dashes, &count);
        EXPECT_EQ(found, !c.dashes.empty());
        if (found)
            EXPECT_EQ(std::vector<float>(dashes, dashes + count), c.dashes);
        else
            EXPECT_EQ(count, -1);
    }
}

TEST(JwwReader, PatternedLineShape)
{
    BCN_CImpJWW reader;
    reader.m_header.m_lineTypePattern[11] = 0xCCB2B32A;
    reader.m_header.m_lineTypePitch[11] = 3;
    reader.m_header.m_randomLineAmplitude[11] = 1;
    RandomLineShape shape = {};
    ASSERT_TRUE(reader.GetRandomLineShape(11, &shape));
    EXPECT_FLOAT_EQ(shape.height, 1.2f);
    EXPECT_EQ(shape.mode, 1);
    EXPECT_EQ(shape.kind, 2);
    EXPECT_EQ(shape.points[0].x, -32769.0f);
    // It starts with a run of two 1 bits.
    EXPECT_EQ(shape.points[1].x, 3.0f);
    EXPECT_FLOAT_EQ(shape.points[1].y, 1.2f);
    EXPECT_EQ(shape.points[2].x, 6.0f);
    EXPECT_LE(shape.pointCount, int(RandomLineShape::kMaxPoints));
    EXPECT_EQ(shape.length, shape.points[shape.pointCount - 1].x);

    // Every bit a run of its own: as many points as a shape holds.
    reader.m_header.m_lineTypePattern[12] = 0xAAAAAAAA;
    reader.m_header.m_lineTypePitch[12] = 1;
    reader.m_header.m_randomLineAmplitude[12] = 1;
    ASSERT_TRUE(reader.GetRandomLineShape(12, &shape));
    EXPECT_EQ(shape.pointCount, int(RandomLineShape::kMaxPoints));
    EXPECT_EQ(shape.length, 32.0f);

    EXPECT_FALSE(reader.GetRandomLineShape(13, &shape));  // no pattern
    EXPECT_FALSE(reader.GetRandomLineShape(2, &shape));
}

TEST(JwwReader, SavedViewOfTheDrawing)
{
    BCN_CImpJWW reader;
    reader.m_header.m_paper = 3;  // A3, 420 x 297
    reader.m_header.m_viewZoom = 2.0;
    reader.m_header.m_viewCenterX = 100;
    reader.m_header.m_viewCenterY = 50;
    reader.m_wholeDrawing = false;
    reader.m_zoom = 256;
    reader.SetupView();
    EXPECT_DOUBLE_EQ(reader.m_scale, 2.0 * 254 / 420);
    EXPECT_EQ(reader.m_worldRefX, 100.0);
    EXPECT_EQ(reader.m_worldRefY, 50.0);
    EXPECT_EQ(reader.m_devOffsetX, 128 + 128);
    EXPECT_EQ(reader.m_devOffsetY, 128 - 128);
}

TEST(JwwReader, PenWidthsFromThePrintWidths)
{
    BCN_CImpJWW reader;
    reader.m_header.m_printWidth[3] = 0.5;
    reader.m_scale = 10;
    EXPECT_EQ(reader.GetPenWidth(3), 2.0f);
    reader.m_penWidths = true;
    EXPECT_EQ(reader.GetPenWidth(3), 5.0f);
    EXPECT_EQ(reader.GetPenWidth(9), 2.0f);
    reader.m_scale = 0.1;
    EXPECT_EQ(reader.GetPenWidth(3), 1.0f);
}

}  // namespace
