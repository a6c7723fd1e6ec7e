// Object tags, the load table and its ownership, as the entity lists read them.
#include <gtest/gtest.h>

#include "core/stream/ArchiveOverBytes.h"
#include "core/stream/CountedData.h"
#include "entities/CBlockDefList.h"
#include "entities/CDataEnko.h"
#include "entities/CDataSen.h"
#include "entities/CEntityList.h"
#include "jww/JwwVersion.h"
#include "writer/EntityWriter.h"

namespace {

class ObjectStream : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_jwwVersion = 230;
        CCountedData::s_live = 0;
        CCountedData::s_created = 0;
    }

    static jwwrite::Line LineFrom(double x)
    {
        jwwrite::Line line;
        line.x1 = x;
        line.y2 = -x;
        return line;
    }

    jwwrite::ObjectWriter out{230};
    jwwrite::EntityWriter entities{out, 230};
};

TEST_F(ObjectStream, FirstObjectNamesItsClassLaterOnesItsIndex)
{
    out.Count(4);
    entities.Write(LineFrom(1.0));
    size_t secondLine = out.Size();
    entities.Write(LineFrom(2.0));
    size_t curve = out.Size();
    entities.Write(jwwrite::Curve());
    size_t thirdLine = out.Size();
    entities.Write(LineFrom(3.0));
    const std::vector<uint8_t>& bytes = out.Bytes();

    EXPECT_EQ(ToHex(bytes, 2, 14), "FF FF E6 00 08 00 43 44 61 74 61 53 65 6E");
    EXPECT_EQ(ToHex(bytes, secondLine, 2), "01 80");
    EXPECT_EQ(ToHex(bytes, curve, 6), "FF FF E6 00 09 00");
    EXPECT_EQ(ToHex(bytes, thirdLine, 2), "01 80");

    ArchiveOverBytes reader(bytes);
    CEntityList list;
    list.Serialize(reader.Archive());
    ASSERT_EQ(list.GetCount(), 4);
    POSITION pos = list.GetHeadPosition();
    double expected[] = {1.0, 2.0};
    for (double x : expected) {
        CData* data = list.GetNext(pos);
        ASSERT_TRUE(data->IsKindOf(RUNTIME_CLASS(CDataSen)));
        EXPECT_EQ(static_cast<CDataSen*>(data)->m_x1, x);
        EXPECT_EQ(static_cast<CDataSen*>(data)->m_y2, -x);
    }
    EXPECT_TRUE(list.GetNext(pos)->IsKindOf(RUNTIME_CLASS(CDataEnko)));
    EXPECT_EQ(static_cast<CDataSen*>(list.GetNext(pos))->m_x1, 3.0);
    EXPECT_EQ(reader.Consumed(), bytes.size());
}

// A record's fields are taken from the archive's buffer in one piece; records
// that straddle the buffer's end must come whole from its refill.
TEST_F(ObjectStream, RecordsAcrossTheBufferEdgeReadWhole)
{
    const int lineBytesAtMost = 64;
    const int count = 3 * CJwwArchive::kBufferSize / lineBytesAtMost;
    out.Count(count);
    for (int i = 0; i < count; ++i)
        entities.Write(LineFrom(i + 0.5));
    ASSERT_GT(out.Size(), 2u * CJwwArchive::kBufferSize);

    ArchiveOverBytes reader(out.Bytes());
    CEntityList list;
    list.Serialize(reader.Archive());
    ASSERT_EQ(list.GetCount(), count);
    int i = 0;
    for (POSITION pos = list.GetHeadPosition(); pos; ++i) {
        const CDataSen* line = static_cast<const CDataSen*>(list.GetNext(pos));
        ASSERT_EQ(line->m_x1, i + 0.5) << "line " << i;
        ASSERT_EQ(line->m_y2, -(i + 0.5)) << "line " << i;
        ASSERT_EQ(line->m_penStyle, 1) << "line " << i;
    }
    EXPECT_EQ(reader.Consumed(), out.Bytes().size());
}

TEST_F(ObjectStream, NullTagGivesNullEntry)
{
    out.Count(2);
    out.Null();
    entities.Write(LineFrom(5.0));
    ArchiveOverBytes reader(out.Bytes());
    CEntityList list;
    list.Serialize(reader.Archive());
    ASSERT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.GetHead(), nullptr);
    EXPECT_EQ(static_cast<CDataSen*>(list.GetTail())->m_x1, 5.0);
}

TEST_F(ObjectStream, ObjectReferredToAgainIsOneObjectFreedOnce)
{
    out.Count(3);
    uint32_t index = entities.WriteBase(jwwrite::Common(), "CCountedData");
    out.Reference(index);
    out.Reference(index);
    {
        ArchiveOverBytes reader(out.Bytes());
        CEntityList list;
        list.Serialize(reader.Archive());
        ASSERT_EQ(list.GetCount(), 3);
        EXPECT_EQ(list.GetHead(), list.GetTail());
        EXPECT_EQ(CCountedData::s_live, 1);
        list.RemoveAll();
    }
    EXPECT_EQ(CCountedData::s_created, 1);
    EXPECT_EQ(CCountedData::s_live, 0);
}

TEST_F(ObjectStream, ObjectsOfFailedReadAreFreed)
{
    out.Count(3);
    entities.WriteBase(jwwrite::Common(), "CCountedData");
    entities.WriteBase(jwwrite::Common(), "CCountedData");
    out.U16(0x8001);  // a third object whose record is cut short
    out.U32(0);
    {
        ArchiveOverBytes reader(out.Bytes());
        CEntityList list;
        EXPECT_EQ(ArchiveCause([&] { list.Serialize(reader.Archive()); }), CArchiveException::endOfFile);
        EXPECT_EQ(list.GetCount(), 2);
        list.RemoveAll();
    }
    EXPECT_EQ(CCountedData::s_created, 3);
    EXPECT_EQ(CCountedData::s_live, 0);
}

// A block definition whose list holds the definition itself reads as it
// stands; the object is still freed once.
TEST_F(ObjectStream, DefinitionListingItselfIsFreedOnce)
{
    out.Count(1);
    jwwrite::BlockDefinition definition;
    definition.blockNo = 7;
    uint32_t index = entities.WriteDefinitionHead(definition, 2);
    out.Reference(index);
    entities.WriteBase(jwwrite::Common(), "CCountedData");
    {
        ArchiveOverBytes reader(out.Bytes());
        CBlockDefList blocks;
        blocks.Serialize(reader.Archive());
        ASSERT_EQ(blocks.GetCount(), 1);
        CDataList* block = blocks.GetHead();
        EXPECT_EQ(block->m_blockNo, 7u);
        ASSERT_EQ(block->m_entities.GetCount(), 2);
        EXPECT_EQ(block->m_entities.GetHead(), block);
        blocks.RemoveAll();
    }
    EXPECT_EQ(CCountedData::s_live, 0);
}

TEST_F(ObjectStream, LongTagsReachClassesAndObjects)
{
    out.longTags = true;
    out.Count(3);
    uint32_t first = entities.Write(LineFrom(1.0));
    size_t second = out.Size();
    entities.Write(LineFrom(2.0));
    size_t third = out.Size();
    out.Reference(first);
    EXPECT_EQ(ToHex(out.Bytes(), second, 6), "FF 7F 01 00 00 80");
    EXPECT_EQ(ToHex(out.Bytes(), third), "FF 7F 02 00 00 00");

    ArchiveOverBytes reader(out.Bytes());
    CEntityList list;
    list.Serialize(reader.Archive());
    ASSERT_EQ(list.GetCount(), 3);
    POSITION pos = list.GetHeadPosition();
    CData* head = list.GetNext(pos);
    EXPECT_EQ(static_cast<CDataSen*>(list.GetNext(pos))->m_x1, 2.0);
    EXPECT_EQ(list.GetNext(pos), head);
}

}  // namespace
