// Entities of a drawing are freed one by one as they are converted, so that a
// large drawing never holds all its entities beside all its figures; entities
// that a second list slot holds stay until every list is done.
#include <gtest/gtest.h>

#include <map>

#include "core/jww/JwwTestSupport.h"
#include "core/stream/CountedData.h"
#include "reader/BCN_CImpJWW.h"
#include "writer/EntityWriter.h"
#include "writer/JwwHeader.h"

namespace {

const uint32_t kVersion = 700;

// A drawing stream written object by object, so that a test can list an
// entity again by its index.
class DrawingStream {
public:
    DrawingStream() { jwwrite::WriteJwwHeader(out, BareDrawing(kVersion).header); }

    // An entity that counts itself, told apart by its group number.
    uint32_t Counted(uint32_t label)
    {
        jwwrite::Common common;
        common.groupNo = label;
        return entities.WriteBase(common, "CCountedData");
    }

    // The stream so far and an empty list of embedded files.
    std::vector<uint8_t> Finish()
    {
        out.U32(0);
        return out.Bytes();
    }

    jwwrite::ObjectWriter out{kVersion};
    jwwrite::EntityWriter entities{out, kVersion};
};

// Loads the drawing and notes, for each counted entity (by label), how many
// figures the drawing had when the entity was freed.
class LifetimeLoad {
public:
    explicit LifetimeLoad(const std::vector<uint8_t>& bytes)
    {
        CCountedData::s_live = 0;
        CCountedData::s_created = 0;
        CCountedData::s_onDestroy = [this](const CCountedData& entity) {
            ++frees[entity.m_groupNo];
            figuresWhenFreed[entity.m_groupNo] = m_reader.m_figures.GetCount();
        };
        MemoryDrawing file(bytes);
        loaded = m_reader.Load(file.File()) != FALSE;
        CCountedData::s_onDestroy = nullptr;
        figures = m_reader.m_figures.GetCount();
    }

    bool loaded = false;
    INT_PTR figures = 0;
    std::map<DWORD, int> frees;
    std::map<DWORD, INT_PTR> figuresWhenFreed;

private:
    BCN_CImpJWW m_reader;
};

}  // namespace

TEST(EntityLifetime, EntitiesGoAsTheyAreConverted)
{
    DrawingStream stream;
    stream.out.Count(4);
    stream.Counted(1);
    stream.entities.Write(LineOf(0, 0, 1, 0));
    stream.Counted(2);
    stream.entities.Write(LineOf(0, 0, 0, 1));
    stream.out.Count(0);
    LifetimeLoad load(stream.Finish());
    ASSERT_TRUE(load.loaded);
    EXPECT_EQ(load.figures, 2);
    EXPECT_EQ(load.figuresWhenFreed, (std::map<DWORD, INT_PTR>{{1, 0}, {2, 1}}));
    EXPECT_EQ(CCountedData::s_live, 0);
}

// Entity 1 is listed twice by the entity list, entity 2 once there and once
// by the block that the drawing inserts after it; entity 3 only by the block.
// Each is freed once, after the whole entity list was converted.
TEST(EntityLifetime, EntitiesListedTwiceStayToTheEnd)
{
    DrawingStream stream;
    stream.out.Count(5);
    uint32_t twiceListed = stream.Counted(1);
    uint32_t inTheBlock = stream.Counted(2);
    stream.out.Reference(twiceListed);
    jwwrite::BlockInsert insert;
    insert.blockNo = 4;
    stream.entities.Write(insert);
    stream.entities.Write(LineOf(0, 0, 1, 0));
    stream.out.Count(1);
    jwwrite::BlockDefinition definition;
    definition.blockNo = 4;
    stream.entities.WriteDefinitionHead(definition, 3);
    stream.out.Reference(inTheBlock);
    stream.Counted(3);
    stream.entities.Write(LineOf(0, 0, 0, 1));
    LifetimeLoad load(stream.Finish());
    ASSERT_TRUE(load.loaded);
    EXPECT_EQ(load.frees, (std::map<DWORD, int>{{1, 1}, {2, 1}, {3, 1}}));
    for (const auto& freed : load.figuresWhenFreed)
        EXPECT_EQ(freed.second, load.figures) << "entity " << freed.first;
    EXPECT_EQ(CCountedData::s_created, 3);
    EXPECT_EQ(CCountedData::s_live, 0);
}
