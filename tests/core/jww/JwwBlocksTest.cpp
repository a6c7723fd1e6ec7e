// Block inserts expand their definitions into placed figures held by a
// group; definitions that insert themselves or each other end, and the
// expansion has its limits.
#include "geometry/AngleFunctions.h"
#include <gtest/gtest.h>

#include <deque>

#include "core/jww/JwwTestSupport.h"
#include "entities/CDataBlock.h"
#include "entities/CDataList.h"
#include "entities/CDataSen.h"
#include "figures/FigVisit.h"
#include "jww/JwwFigureBuilder.h"
#include "reader/BCN_CImpJWW.h"

namespace {


jwwrite::BlockInsert InsertOf(uint32_t block, double x = 0, double y = 0)
{
    jwwrite::BlockInsert insert;
    insert.blockNo = block;
    insert.refX = x;
    insert.refY = y;
    return insert;
}

jwwrite::Block BlockOf(uint32_t number, std::vector<jwwrite::Entity> entities)
{
    jwwrite::Block block;
    block.definition.blockNo = number;
    block.entities = std::move(entities);
    return block;
}

std::vector<uint8_t> BlockDrawing(std::vector<jwwrite::Entity> entities, std::vector<jwwrite::Block> blocks)
{
    jwwrite::Drawing drawing = BareDrawing();
    drawing.entities = std::move(entities);
    drawing.blocks = std::move(blocks);
    return jwwrite::WriteDrawing(drawing);
}

jwwrite::Point PointAt(double x, double y)
{
    jwwrite::Point point;
    point.x = x;
    point.y = y;
    return point;
}

TEST(JwwBlocks, InsertScalesAndTurnsAboutItsPoint)
{
    jwwrite::BlockInsert insert = InsertOf(1, 10, 0);
    insert.scaleX = 2;
    insert.scaleY = 1;
    insert.rotation = kPi / 2;
    LoadedDrawing loaded(BlockDrawing({insert}, {BlockOf(1, {PointAt(1, 0)})}), L"block.jww");
    ASSERT_TRUE(loaded.Complete());
    std::vector<B_FigPoint*> points = loaded.FiguresOf<B_FigPoint>();
    ASSERT_EQ(points.size(), 1u);
    EXPECT_NEAR(points[0]->position.x, 10, 1e-9);
    EXPECT_NEAR(points[0]->position.y, 2, 1e-9);
    std::vector<B_CFormGroup*> groups = loaded.FiguresOf<B_CFormGroup>();
    ASSERT_EQ(groups.size(), 1u);
    ASSERT_EQ(groups[0]->children.size(), 1u);
    EXPECT_EQ(groups[0]->children[0]->fig, points[0]);
    // The members grow the extent only through their group, once placed.
    EXPECT_NEAR(loaded.Reader()->m_extentMaxY, 2, 1e-9);
}

TEST(JwwBlocks, LaterDefinitionOfANumberWins)
{
    jwwrite::Curve circle;
    circle.radius = 3;
    circle.arcAngle = 2 * kPi;
    LoadedDrawing loaded(
        BlockDrawing({InsertOf(7), InsertOf(9)}, {BlockOf(7, {LineOf(0, 0, 1, 1)}), BlockOf(7, {circle})}),
        L"twice.jww");
    ASSERT_TRUE(loaded.Complete());
    // A placed circle is an ellipse.
    std::map<uint16_t, int> counts = KindCounts(loaded.Figures());
    EXPECT_EQ(counts, (std::map<uint16_t, int>{{FigCode::Ellipse, 1}, {FigCode::Group, 1}}));
}

TEST(JwwBlocks, InsertsOfThemselvesEnd)
{
    std::vector<jwwrite::Block> blocks = {
        BlockOf(1, {LineOf(0, 0, 1, 0), InsertOf(1, 5, 5), InsertOf(2)}),
        BlockOf(2, {LineOf(0, 0, 0, 1), InsertOf(1)}),
    };
    LoadedDrawing loaded(BlockDrawing({InsertOf(1)}, blocks), L"cycle.jww");
    ASSERT_TRUE(loaded.Complete());
    std::map<uint16_t, int> counts = KindCounts(loaded.Figures());
    // Block 1: its line and block 2 (its line; block 1 again adds nothing).
    EXPECT_EQ(counts, (std::map<uint16_t, int>{{FigCode::Line, 2}, {FigCode::Group, 2}}));
}

// Members take the layer of the outermost insert unless the insert keeps
// their own (bit 0x40 of its pen style).
TEST(JwwBlocks, MembersTakeTheOutermostInsertsLayer)
{
    for (uint8_t innerStyle : {1, 0x41}) {
        SCOPED_TRACE(int(innerStyle));
        jwwrite::Line outerMember = LineOf(0, 0, 1, 0);
        outerMember.layer = 9;
        jwwrite::Line innerMember = LineOf(0, 0, 0, 1);
        innerMember.layer = 11;
        jwwrite::BlockInsert inner = InsertOf(2);
        inner.penStyle = innerStyle;
        jwwrite::BlockInsert outer = InsertOf(1);
        outer.layer = 4;
        LoadedDrawing loaded(
            BlockDrawing({outer}, {BlockOf(1, {outerMember, inner}), BlockOf(2, {innerMember})}), L"layers.jww");
        std::vector<B_FigLine*> lines = loaded.FiguresOf<B_FigLine>();
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0]->layer, 4);
        EXPECT_EQ(lines[1]->layer, innerStyle & 0x40 ? 11 : 4);
        EXPECT_TRUE(loaded.IsLayerUsed(11));
    }
}

TEST(JwwBlocks, InsertWithoutDefinitionDrawsNothing)
{
    LoadedDrawing loaded(BlockDrawing({InsertOf(9), LineOf(0, 0, 1, 1)}, {}), L"missing.jww");
    EXPECT_TRUE(loaded.Complete());
    EXPECT_EQ(KindCounts(loaded.Figures()), (std::map<uint16_t, int>{{FigCode::Line, 1}}));
}

// A chain of definitions deeper than the limit: the load fails with what
// the levels within the limit made.
TEST(JwwBlocks, NestingDepthIsLimited)
{
    const size_t depth = JwwExpansionLimits().blockDepth;
    const uint32_t levels = static_cast<uint32_t>(depth) + 8;
    std::vector<jwwrite::Block> blocks;
    for (uint32_t level = 1; level <= levels; ++level)
        blocks.push_back(BlockOf(level, {LineOf(0, level, 1, level), InsertOf(level + 1)}));
    LoadedDrawing loaded(BlockDrawing({InsertOf(1)}, blocks), L"deep.jww");
    EXPECT_FALSE(loaded.Complete());
    std::map<uint16_t, int> counts = KindCounts(loaded.Figures());
    EXPECT_EQ(counts[FigCode::Line], static_cast<int>(depth));
}

// Definitions made in memory, each inserting the next one count times.
class DefinitionChain {
public:
    DefinitionChain(int levels, int count)
    {
        m_line.m_x2 = 1;
        m_lists.resize(levels);
        m_inserts.resize(levels);
        for (int level = 0; level < levels; ++level) {
            CData* member = level + 1 < levels ? static_cast<CData*>(&m_inserts[level + 1]) : &m_line;
            for (int i = 0; i < count; ++i)
                m_lists[level].m_entities.AddTail(member);
            m_inserts[level].m_definition = &m_lists[level];
        }
    }

    CDataBlock& Top() { return m_inserts.front(); }

private:
    CDataSen m_line;
    std::deque<CDataList> m_lists;
    std::deque<CDataBlock> m_inserts;
};

int FiguresOf(BCN_CImpJWW& reader, uint16_t code)
{
    int count = 0;
    for (POSITION at = reader.m_figures.GetHeadPosition(); at;)
        count += reader.m_figures.GetNext(at)->fig->typeCode == code ? 1 : 0;
    return count;
}

// Definitions that insert the next one many times would grow without end.
TEST(JwwBlocks, GrowthStopsAtTheFigureLimit)
{
    DefinitionChain chain(3, 10);  // a thousand lines
    BCN_CImpJWW reader;
    JwwExpansionLimits limits;
    limits.figures = 250;
    CJwwFigureBuilder builder(reader, limits);
    builder.AddToDrawing(chain.Top(), nullptr);
    EXPECT_TRUE(builder.LimitReached());
    EXPECT_EQ(reader.m_figures.GetCount(), 250);
}

TEST(JwwBlocks, MemberConversionsAreCapped)
{
    DefinitionChain chain(3, 10);
    BCN_CImpJWW reader;
    JwwExpansionLimits limits;
    limits.blockMembers = 100;
    CJwwFigureBuilder builder(reader, limits);
    builder.AddToDrawing(chain.Top(), nullptr);
    EXPECT_TRUE(builder.LimitReached());
    // One insert of the first level, then nine of the second with their ten
    // lines each: the tenth is the 101st member.
    EXPECT_EQ(FiguresOf(reader, FigCode::Line), 90);

    DefinitionChain within(3, 4);
    BCN_CImpJWW whole;
    CJwwFigureBuilder unlimited(whole, limits);
    unlimited.AddToDrawing(within.Top(), nullptr);
    EXPECT_FALSE(unlimited.LimitReached());
    EXPECT_EQ(whole.m_figures.GetCount(), 64 + 16 + 4 + 1);
}

}  // namespace
