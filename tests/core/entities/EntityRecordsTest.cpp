// Entity records of every class, their fields and their sizes by version.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>

#include "core/stream/ArchiveOverBytes.h"
#include "entities/CDataBlock.h"
#include "entities/CDataEnko.h"
#include "entities/CDataList.h"
#include "entities/CDataMoji.h"
#include "entities/CDataSen.h"
#include "entities/CDataSolid.h"
#include "entities/CDataSunpou.h"
#include "entities/CDataTen.h"
#include "entities/CEntityList.h"
#include "jww/JwwVersion.h"
#include "writer/EntityWriter.h"

namespace {

// Writes one entity the way a list holds it and reads it back.
class OneEntity {
public:
    OneEntity(uint32_t version, const std::function<void(jwwrite::EntityWriter&)>& write) : m_out(version)
    {
        g_jwwVersion = static_cast<int>(version);
        jwwrite::EntityWriter entities(m_out, version);
        m_out.Count(1);
        write(entities);
        m_reader.reset(new ArchiveOverBytes(m_out.Bytes()));
        m_list.Serialize(m_reader->Archive());
        EXPECT_EQ(m_reader->Consumed(), m_out.Size());
    }
    ~OneEntity() { m_list.RemoveAll(); }

    template <class T>
    T& As()
    {
        T* data = dynamic_cast<T*>(m_list.GetHead());
        EXPECT_NE(data, nullptr);
        return *data;
    }

    // Bytes of the record after its count and class tag.
    size_t RecordSize() const
    {
        const std::vector<uint8_t>& bytes = m_out.Bytes();
        size_t nameLength = bytes[6] | bytes[7] << 8;
        return bytes.size() - 2 - 6 - nameLength;
    }

private:
    jwwrite::ObjectWriter m_out;
    std::unique_ptr<ArchiveOverBytes> m_reader;
    CEntityList m_list;
};

jwwrite::Point SpecialPoint(uint8_t penStyle)
{
    jwwrite::Point point;
    point.penStyle = penStyle;
    point.x = 1.5;
    point.y = -2.5;
    point.temporary = 1;
    point.code = -3;
    point.angle = 0.5;
    point.scale = 2.0;
    return point;
}

jwwrite::Text TextOf(const jwwrite::JwText& text, uint32_t kind = 0)
{
    jwwrite::Text record;
    record.x1 = 1;
    record.y1 = 2;
    record.x2 = 3;
    record.y2 = 4;
    record.kind = kind;
    record.width = 2.5;
    record.height = 3.5;
    record.spacing = 0.25;
    record.angle = 90;
    record.font = u"\uFF2D\uFF33 \u30B4\u30B7\u30C3\u30AF";
    record.text = text;
    return record;
}

jwwrite::Solid SolidWithPen(uint16_t pen)
{
    jwwrite::Solid solid;
    solid.penColor = pen;
    solid.x1 = 1;
    solid.y4 = 8;
    solid.color = 0x123456;
    return solid;
}

struct SizeCase {
    const char* name;
    uint32_t version;
    std::function<void(jwwrite::EntityWriter&)> write;
    size_t size;
};

const SizeCase kSizes[] = {
    {"Base230", 230, [](auto& e) { e.WriteBase(jwwrite::Common()); }, 13},
    {"Base351", 351, [](auto& e) { e.WriteBase(jwwrite::Common()); }, 15},
    {"Line300", 300, [](auto& e) { e.Write(jwwrite::Line()); }, 13 + 32},
    {"Line351", 351, [](auto& e) { e.Write(jwwrite::Line()); }, 15 + 32},
    {"Curve", 700, [](auto& e) { e.Write(jwwrite::Curve()); }, 15 + 60},
    {"Point99At300", 300, [](auto& e) { e.Write(SpecialPoint(99)); }, 13 + 20},
    {"Point100At300", 300, [](auto& e) { e.Write(SpecialPoint(100)); }, 13 + 40},
    {"Point100At252", 252, [](auto& e) { e.Write(SpecialPoint(100)); }, 13 + 20},
    {"Solid", 600, [](auto& e) { e.Write(SolidWithPen(3)); }, 15 + 64},
    {"SolidOwnColor", 600, [](auto& e) { e.Write(SolidWithPen(10)); }, 15 + 64 + 4},
    {"Insert", 600, [](auto& e) { e.Write(jwwrite::BlockInsert()); }, 15 + 44},
    {"Text", 252, [](auto& e) { e.Write(TextOf("ab")); }, 13 + 68 + (4 + 2 * 7) + 3},
    {"Dimension351", 351, [](auto& e) { e.Write(jwwrite::Dimension()); }, 15 + (15 + 32) + (15 + 68 + 2)},
    {"Dimension420", 420, [](auto& e) { e.Write(jwwrite::Dimension()); },
     15 + (15 + 32) + (15 + 68 + 2) + 2 + 2 * (15 + 32) + 4 * (15 + 20)},
    {"Definition", 700,
     [](auto& e) { e.WriteDefinitionHead(jwwrite::BlockDefinition(), 0); }, 15 + 8 + 4 + 1 + 2},
};

class EntitySize : public ::testing::TestWithParam<SizeCase> {};

TEST_P(EntitySize, RecordTakesItsBytes)
{
    OneEntity entity(GetParam().version, GetParam().write);
    EXPECT_EQ(entity.RecordSize(), GetParam().size);
}

INSTANTIATE_TEST_SUITE_P(Records, EntitySize, ::testing::ValuesIn(kSizes),
                         [](const ::testing::TestParamInfo<SizeCase>& info) { return info.param.name; });

TEST(EntityRecords, CommonFieldsAndOwnWidthFrom351)
{
    jwwrite::Line line;
    line.groupNo = 77;
    line.penStyle = 5;
    line.penColor = 150;
    line.penWidth = 33;
    line.layer = 3;
    line.layerGroup = 2;
    line.flags = 0x60;
    line.x1 = 1;
    line.y1 = 2;
    line.x2 = 3;
    line.y2 = 4;
    for (uint32_t version : {300u, 351u}) {
        OneEntity entity(version, [&](auto& e) { e.Write(line); });
        CDataSen& read = entity.As<CDataSen>();
        EXPECT_EQ(read.m_groupNo, 77u);
        EXPECT_EQ(read.m_penStyle, 5);
        EXPECT_EQ(read.m_penColor, 150);
        EXPECT_EQ(read.m_penWidth, version >= 351 ? 33 : 0);
        EXPECT_EQ(read.m_layer, 3);
        EXPECT_EQ(read.m_layerGroup, 2);
        EXPECT_EQ(read.GetLayerIndex(), 35);
        EXPECT_EQ(read.m_flags, 0x60);
        EXPECT_EQ(read.m_x1, 1.0);
        EXPECT_EQ(read.m_y2, 4.0);
    }
}

TEST(EntityRecords, CurveAndInfiniteRadius)
{
    jwwrite::Curve curve;
    curve.cx = 10;
    curve.cy = 20;
    curve.radius = 5;
    curve.startAngle = 0.25;
    curve.arcAngle = -1.5;
    curve.tiltAngle = 0.125;
    curve.flatness = 0.5;
    curve.fullCircle = 1;
    OneEntity entity(700, [&](auto& e) { e.Write(curve); });
    CDataEnko& read = entity.As<CDataEnko>();
    EXPECT_EQ(read.m_cx, 10.0);
    EXPECT_EQ(read.m_cy, 20.0);
    EXPECT_EQ(read.m_radius, 5.0);
    EXPECT_EQ(read.m_startAngle, 0.25);
    EXPECT_EQ(read.m_arcAngle, -1.5);
    EXPECT_EQ(read.m_tiltAngle, 0.125);
    EXPECT_EQ(read.m_flatness, 0.5);
    EXPECT_EQ(read.m_fullCircle, 1u);

    curve.radius = HUGE_VAL;
    OneEntity infinite(700, [&](auto& e) { e.Write(curve); });
    EXPECT_EQ(infinite.As<CDataEnko>().m_radius, 0.0);
}

TEST(EntityRecords, SpecialPointFields)
{
    OneEntity special(300, [](auto& e) { e.Write(SpecialPoint(100)); });
    CDataTen& read = special.As<CDataTen>();
    EXPECT_EQ(read.m_x, 1.5);
    EXPECT_EQ(read.m_y, -2.5);
    EXPECT_EQ(read.m_temporary, 1u);
    EXPECT_EQ(read.m_code, -3);
    EXPECT_EQ(read.m_angle, 0.5);
    EXPECT_EQ(read.m_scale, 2.0);

    OneEntity plain(252, [](auto& e) { e.Write(SpecialPoint(100)); });
    EXPECT_EQ(plain.As<CDataTen>().m_code, 0);
}

struct StyleCase {
    uint32_t kind;
    uint32_t plainKind;
    WORD style;
};

TEST(EntityRecords, TextKindCarriesStyle)
{
    const StyleCase cases[] = {{5, 5, 0},
                               {10005, 5, CDataMoji::kItalic},
                               {20005, 5, CDataMoji::kBold},
                               {35000, 5000, CDataMoji::kBold | CDataMoji::kItalic},
                               {45000, 5000, CDataMoji::kBold | CDataMoji::kItalic}};
    for (const StyleCase& c : cases) {
        OneEntity entity(700, [&](auto& e) { e.Write(TextOf(u"\u56F3", c.kind)); });
        CDataMoji& read = entity.As<CDataMoji>();
        EXPECT_EQ(read.m_kind, c.plainKind) << c.kind;
        EXPECT_EQ(read.m_style, c.style) << c.kind;
    }
}

TEST(EntityRecords, TextFields)
{
    OneEntity entity(600, [](auto& e) { e.Write(TextOf(u"\u56F3\u9762")); });
    CDataMoji& read = entity.As<CDataMoji>();
    EXPECT_EQ(read.m_x1, 1.0);
    EXPECT_EQ(read.m_y2, 4.0);
    EXPECT_EQ(read.m_width, 2.5);
    EXPECT_EQ(read.m_height, 3.5);
    EXPECT_EQ(read.m_spacing, 0.25);
    EXPECT_EQ(read.m_angle, 90.0);
    EXPECT_EQ(read.m_fontName, CStringW(L"\uFF2D\uFF33 \u30B4\u30B7\u30C3\u30AF"));
    EXPECT_EQ(read.m_text, CStringW(L"\u56F3\u9762"));
}

TEST(EntityRecords, DimensionPartsFrom420)
{
    jwwrite::Dimension dimension;
    dimension.layer = 4;
    dimension.line.x2 = 100;
    dimension.text = TextOf("100");
    dimension.sxfMode = 1;
    dimension.extLine1.y2 = -10;
    dimension.extLine2.y2 = -20;
    dimension.point1 = SpecialPoint(100);
    dimension.point4.x = 44;
    OneEntity entity(420, [&](auto& e) { e.Write(dimension); });
    CDataSunpou& read = entity.As<CDataSunpou>();
    EXPECT_EQ(read.m_layer, 4);
    EXPECT_EQ(read.m_line.m_x2, 100.0);
    EXPECT_EQ(read.m_text.m_text, CStringW(L"100"));
    EXPECT_EQ(read.m_sxfMode, 1);
    EXPECT_EQ(read.m_extLine1.m_y2, -10.0);
    EXPECT_EQ(read.m_extLine2.m_y2, -20.0);
    EXPECT_EQ(read.m_point1.m_code, -3);
    EXPECT_EQ(read.m_point4.m_x, 44.0);
}

TEST(EntityRecords, SolidColourOnlyWithPen10)
{
    OneEntity own(600, [](auto& e) { e.Write(SolidWithPen(10)); });
    EXPECT_EQ(own.As<CDataSolid>().m_color, 0x123456u);
    EXPECT_EQ(own.As<CDataSolid>().m_y4, 8.0);
    OneEntity pen(600, [](auto& e) { e.Write(SolidWithPen(9)); });
    EXPECT_EQ(pen.As<CDataSolid>().m_color, 0u);
}

TEST(EntityRecords, InsertFields)
{
    jwwrite::BlockInsert insert;
    insert.refX = 10;
    insert.refY = 20;
    insert.scaleX = 2;
    insert.scaleY = 0.5;
    insert.rotation = 1.25;
    insert.blockNo = 9;
    OneEntity entity(700, [&](auto& e) { e.Write(insert); });
    CDataBlock& read = entity.As<CDataBlock>();
    EXPECT_EQ(read.m_refX, 10.0);
    EXPECT_EQ(read.m_refY, 20.0);
    EXPECT_EQ(read.m_scaleX, 2.0);
    EXPECT_EQ(read.m_scaleY, 0.5);
    EXPECT_EQ(read.m_rotation, 1.25);
    EXPECT_EQ(read.m_blockNo, 9u);
    EXPECT_EQ(read.m_definition, nullptr);
}

TEST(EntityRecords, DefinitionWithItsEntities)
{
    jwwrite::Block block;
    block.definition.blockNo = 7;
    block.definition.value2 = 3;
    block.definition.time = 0x0000000160000000ull;
    block.definition.time64 = true;
    block.definition.name = u"\u7A93";
    block.entities = {jwwrite::Line(), jwwrite::Curve(), jwwrite::Line()};
    OneEntity entity(700, [&](auto& e) { e.Write(block); });
    CDataList& read = entity.As<CDataList>();
    EXPECT_EQ(read.m_blockNo, 7u);
    EXPECT_EQ(read.m_value2, 3u);
    EXPECT_EQ(read.m_time.GetTime(), 0x60000000);
    EXPECT_EQ(read.m_name, CStringW(L"\u7A93"));
    ASSERT_EQ(read.m_entities.GetCount(), 3);
    EXPECT_TRUE(read.m_entities.GetTail()->IsKindOf(RUNTIME_CLASS(CDataSen)));
    read.m_entities.RemoveAll();
}

}  // namespace
