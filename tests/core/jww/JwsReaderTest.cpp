// The symbol reader: its own short header, then a drawing's layout drawn
// with the fixed pens and line types of symbols.
#include <gtest/gtest.h>

#include "core/jww/JwwTestSupport.h"
#include "core/stream/ArchiveOverBytes.h"
#include "figures/FigVisit.h"
#include "reader/BCN_CImpJWS.h"
#include "reader/LoadState.h"
#include "writer/ByteWriter.h"
#include "writer/SampleDrawing.h"

namespace {

std::vector<uint8_t> SymbolWith(uint32_t version, std::vector<jwwrite::Entity> entities)
{
    jwwrite::Symbol symbol = jwwrite::SampleSymbol(version);
    symbol.blocks.clear();
    symbol.entities = std::move(entities);
    return jwwrite::WriteSymbol(symbol);
}

TEST(JwsReader, ExtendedPensFromVersion420)
{
    struct Case {
        uint32_t version;
        uint16_t pen;
        uint32_t colour;
    };
    const Case cases[] = {{420, 103, 0x00FF00}, {700, 103, 0x00FF00}, {300, 103, 0}, {300, 1, 0xFFFF00}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "version " << c.version << " pen " << c.pen);
        LoadedDrawing loaded(SymbolWith(c.version, {LineOf(0, 0, 1, 1, c.pen)}), L"part.jws");
        ASSERT_TRUE(loaded.Complete());
        std::vector<B_FigLine*> lines = loaded.FiguresOf<B_FigLine>();
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0]->colour, c.colour);
    }
}

TEST(JwsReader, SampleSymbolDrawsLikeTheDrawing)
{
    LoadedDrawing loaded(jwwrite::WriteSymbol(jwwrite::SampleSymbol(700)), L"sample.jws");
    ASSERT_TRUE(loaded.Complete());
    CJwCADBase& reader = *loaded.Reader();
    EXPECT_EQ(reader.GetFileKind(), 3);
    EXPECT_EQ(reader.m_backColor, 0u);
    EXPECT_EQ(reader.GetMemo(), CStringW());
    EXPECT_EQ(reader.GetHeaderTime(), 0u);
    EXPECT_EQ(loaded.FiguresOf<B_CFormGroup>().size(), 2u);
    EXPECT_EQ(loaded.FiguresOf<B_FigDim>().size(), 1u);
    float dashes[32];
    int count = 0;
    ASSERT_TRUE(reader.GetUserLineStyle(2, dashes, &count));
    EXPECT_EQ(std::vector<float>(dashes, dashes + count), (std::vector<float>{1, 2, 1, 0}));
}

TEST(JwsReader, Version251IsRefused)
{
    LoadedDrawing loaded(SymbolWith(251, {LineOf(0, 0, 1, 1)}), L"old.jws");
    ASSERT_TRUE(loaded.Reader());
    EXPECT_EQ(loaded.Reader()->m_loadState, LoadState::Failed);
    EXPECT_TRUE(loaded.Figures().empty());
}

TEST(JwsReader, ScaleOfTheSymbol)
{
    jwwrite::Symbol symbol = jwwrite::SampleSymbol(700);
    symbol.header.groupScale[0] = 50;
    LoadedDrawing loaded(jwwrite::WriteSymbol(symbol), L"scaled.jws");
    EXPECT_EQ(loaded.Reader()->GetScale(), 50.0);
    HeaderAnswers answers = ReadHeaderAnswers(loaded.Path());
    ASSERT_TRUE(answers.infoRead);
    EXPECT_EQ(answers.info.scaleNumerator10, 1u);
    EXPECT_EQ(answers.info.scaleDenominator, 50u);
    ASSERT_TRUE(answers.layersRead);
    EXPECT_EQ(answers.layers.groupState[0], 3);
    EXPECT_EQ(answers.layers.groupState[1], 2);
    EXPECT_EQ(answers.layers.groupScale[0], 50.0f);
}

// A header that reads short leaves nothing of the symbol read before it.
TEST(JwsReader, HeaderReadStartsFromZero)
{
    jwwrite::ByteWriter out;
    jwwrite::JwsHeader header;
    header.refX = 12;
    header.refY = 34;
    jwwrite::WriteJwsHeader(out, header);
    BCN_CImpJWS reader;
    reader.m_jwsHeader.m_refY = 99;
    reader.m_jwsHeader.m_doubles2[3] = 99;
    std::vector<uint8_t> bytes = out.Bytes();
    bytes.resize(212);  // the version and the reference point's x
    ArchiveOverBytes archive(bytes);
    EXPECT_EQ(ArchiveCause([&] { reader.ReadHeader(archive.Archive()); }), CArchiveException::endOfFile);
    EXPECT_EQ(reader.m_jwsHeader.m_refX, 12.0);
    EXPECT_EQ(reader.m_jwsHeader.m_refY, 0.0);
    EXPECT_EQ(reader.m_jwsHeader.m_doubles2[3], 0.0);
}

}  // namespace
