// Damaged entity and block lists end in the archive exception of their
// fault, never in a crash, a hang or a huge allocation.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/stream/ArchiveOverBytes.h"
#include "core/stream/CountedData.h"
#include "entities/CBlockDefList.h"
#include "entities/CEntityList.h"
#include "jww/JwwVersion.h"
#include "writer/EntityWriter.h"

namespace {

enum class ListKind { Entities, Blocks, Untyped };

struct DamagedCase {
    const char* name;
    ListKind list;
    std::function<void(jwwrite::ObjectWriter&, jwwrite::EntityWriter&)> write;
    int cause;
};

void NewClass(jwwrite::ObjectWriter& out, uint16_t schema, const std::string& name)
{
    out.U16(0xFFFF);
    out.U16(schema);
    out.U16(static_cast<uint16_t>(name.size()));
    out.Raw(name.data(), name.size());
}

jwwrite::Text TextWith(const jwwrite::JwText& text)
{
    jwwrite::Text record;
    record.text = text;
    return record;
}

// A text record whose string length prefix is replaced by prefix.
void TextWithLength(jwwrite::ObjectWriter& out, jwwrite::EntityWriter& entities, const std::string& prefix)
{
    entities.Write(TextWith("x"));
    std::vector<uint8_t>& bytes = out.Bytes();
    bytes.resize(bytes.size() - 2);  // the text's one-byte prefix and its character
    std::vector<uint8_t> length = FromHex(prefix);
    bytes.insert(bytes.end(), length.begin(), length.end());
    out.Fill(0, 16);
}

void NestedDefinitions(jwwrite::EntityWriter& entities, int depth)
{
    for (int i = 0; i < depth; ++i)
        entities.WriteDefinitionHead(jwwrite::BlockDefinition(), 1);
}

const DamagedCase kCases[] = {
    {"ClassNameInOtherLetterCase", ListKind::Entities,
     [](auto& out, auto&) { out.Count(1); NewClass(out, 230, "cdatasen"); out.Fill(0, 45); },
     CArchiveException::badClass},
    {"ClassNameOf64Bytes", ListKind::Entities,
     [](auto& out, auto&) { out.Count(1); NewClass(out, 230, std::string(64, 'C')); out.Fill(0, 45); },
     CArchiveException::badClass},
    {"ReferenceToClassEntry", ListKind::Entities,
     [](auto& out, auto& entities) { out.Count(2); entities.Write(jwwrite::Line()); out.Reference(1); },
     CArchiveException::badIndex},
    {"ReferencePastTable", ListKind::Entities,
     [](auto& out, auto& entities) { out.Count(2); entities.Write(jwwrite::Line()); out.Reference(3); },
     CArchiveException::badIndex},
    {"ObjectReferringToItself", ListKind::Entities,
     [](auto& out, auto&) { out.Count(1); out.Reference(1); out.Fill(0, 45); }, CArchiveException::badIndex},
    {"LongReferencePastTable", ListKind::Entities,
     [](auto& out, auto&) { out.Count(1); out.U16(0x7FFF); out.U32(0x7FFFFFFF); out.Fill(0, 45); },
     CArchiveException::badIndex},
    {"ClassTagNamingObject", ListKind::Entities,
     [](auto& out, auto& entities) { out.Count(2); entities.Write(jwwrite::Line()); out.U16(0x8002); out.Fill(0, 45); },
     CArchiveException::badIndex},
    {"HeaderObjectInEntityList", ListKind::Entities,
     [](auto& out, auto&) { out.Count(1); NewClass(out, 230, "BCN_JWW_CHeadData"); },
     CArchiveException::badClass},
    {"ListObjectInEntityList", ListKind::Entities,
     [](auto& out, auto&) { out.Count(1); NewClass(out, 0, "CMyObList"); out.Count(1); },
     CArchiveException::badClass},
    {"LineInBlockList", ListKind::Blocks,
     [](auto& out, auto& entities) { out.Count(1); entities.Write(jwwrite::Line()); },
     CArchiveException::badClass},
    {"ReferenceToLineInBlockList", ListKind::Blocks,
     [](auto& out, auto& entities) {
         out.Count(2);
         jwwrite::BlockDefinition definition;
         entities.WriteDefinitionHead(definition, 1);
         uint32_t line = entities.Write(jwwrite::Line());
         out.Reference(line);
     },
     CArchiveException::badClass},
    {"OtherSchemaOfFixedClass", ListKind::Untyped,
     [](auto& out, auto&) { out.Count(1); NewClass(out, 5, "CMyObList"); out.Count(0); },
     CArchiveException::badSchema},
    {"RecordCutShort", ListKind::Entities,
     [](auto& out, auto& entities) {
         out.Count(1);
         entities.Write(jwwrite::Line());
         out.Bytes().resize(out.Size() - 1);
     },
     CArchiveException::endOfFile},
    {"CountBeyondBytesLeft", ListKind::Entities,
     [](auto& out, auto& entities) { out.Count(0x7FFFFFFF); entities.Write(jwwrite::Line()); },
     CArchiveException::endOfFile},
    {"CountFarBeyondBytesLeft", ListKind::Entities,
     [](auto& out, auto&) { out.Count(0xFFFFFFFE); out.Fill(0, 64); }, CArchiveException::endOfFile},
    {"BlockCountBeyondBytesLeft", ListKind::Blocks,
     [](auto& out, auto& entities) { out.Count(1); entities.WriteDefinitionHead(jwwrite::BlockDefinition(), 0xFFFF); },
     CArchiveException::endOfFile},
    {"StringLongerThanStream", ListKind::Entities,
     [](auto& out, auto& entities) { out.Count(1); TextWithLength(out, entities, "FF FF FF FF FF FF 7F"); },
     CArchiveException::endOfFile},
    {"Utf16StringLongerThanStream", ListKind::Entities,
     [](auto& out, auto& entities) { out.Count(1); TextWithLength(out, entities, "FF FE FF FF FD FF"); },
     CArchiveException::endOfFile},
    {"StringWith64BitLength", ListKind::Entities,
     [](auto& out, auto& entities) {
         out.Count(1);
         TextWithLength(out, entities, "FF FF FF FF FF FF FF 00 00 00 00 01 00 00 00");
     },
     CArchiveException::genericException},
    {"DefinitionsNestedTooDeep", ListKind::Blocks,
     [](auto& out, auto& entities) { out.Count(1); NestedDefinitions(entities, 100000); },
     CArchiveException::badClass},
};

class DamagedStream : public ::testing::TestWithParam<DamagedCase> {
protected:
    void SetUp() override
    {
        g_jwwVersion = 230;
        CCountedData::s_live = 0;
    }
};

void ReadList(ListKind kind, CArchive& ar)
{
    switch (kind) {
    case ListKind::Entities: {
        CEntityList entities;
        entities.Serialize(ar);
        break;
    }
    case ListKind::Blocks: {
        CBlockDefList blocks;
        blocks.Serialize(ar);
        break;
    }
    case ListKind::Untyped: {
        CMyObList untyped;
        untyped.Serialize(ar);
        break;
    }
    }
}

TEST_P(DamagedStream, EndsInItsException)
{
    const DamagedCase& damaged = GetParam();
    jwwrite::ObjectWriter out(230);
    jwwrite::EntityWriter entities(out, 230);
    damaged.write(out, entities);
    ArchiveOverBytes reader(out.Bytes());
    EXPECT_EQ(ArchiveCause([&] { ReadList(damaged.list, reader.Archive()); }), damaged.cause);
}

INSTANTIATE_TEST_SUITE_P(Lists, DamagedStream, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<DamagedCase>& info) { return info.param.name; });

}  // namespace
