// The symbol file's 452-byte header and the drawing header a symbol gets.
#include <gtest/gtest.h>

#include <cstring>

#include "core/stream/ArchiveOverBytes.h"
#include "jww/BCN_JWS_CHeadData.h"
#include "jww/JwwVersion.h"
#include "jww/SymbolHeaderDefaults.h"
#include "writer/ByteWriter.h"
#include "writer/JwsHeader.h"

namespace {

jwwrite::JwsHeader DistinctSymbolHeader()
{
    jwwrite::JwsHeader header;
    header.version = 420;
    header.refX = 12.5;
    header.refY = -7.25;
    for (int g = 0; g < 16; ++g)
        header.groupScale[g] = 50.0 + g;
    header.blockFill = 0x5A;
    header.unusedWord = 0xA5A5A5A5;
    header.unusedDouble = 3.5;
    return header;
}

std::vector<uint8_t> SymbolHeaderBytes(const jwwrite::JwsHeader& header)
{
    jwwrite::ByteWriter out;
    jwwrite::WriteJwsHeader(out, header);
    return out.Bytes();
}

template <class T>
T At(const std::vector<uint8_t>& bytes, size_t offset)
{
    T value;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

TEST(JwsHeader, FieldsAtTheirOffsets)
{
    std::vector<uint8_t> bytes = SymbolHeaderBytes(DistinctSymbolHeader());
    ASSERT_EQ(bytes.size(), 452u);
    EXPECT_EQ(ToHex(bytes, 0, 9), "4A 77 73 44 61 74 61 2E 5A");
    EXPECT_EQ(At<uint32_t>(bytes, 200), 420u);
    EXPECT_EQ(At<double>(bytes, 204), 12.5);
    EXPECT_EQ(At<double>(bytes, 212), -7.25);
    EXPECT_EQ(At<double>(bytes, 220), 50.0);
    EXPECT_EQ(At<double>(bytes, 340), 65.0);
    EXPECT_EQ(At<uint32_t>(bytes, 348), 0xA5A5A5A5u);
    EXPECT_EQ(At<double>(bytes, 372), 3.5);
    EXPECT_EQ(At<double>(bytes, 444), 3.5);

    BCN_JWS_CHeadData header;
    ArchiveOverBytes reader(bytes);
    header.Serialize(reader.Archive());
    EXPECT_EQ(reader.Consumed(), 452u);
    EXPECT_EQ(std::memcmp(header.m_magic, "JwsData.", 8), 0);
    EXPECT_EQ(header.m_block[191], 0x5A);
    EXPECT_EQ(header.m_version, 420u);
    EXPECT_EQ(header.m_refX, 12.5);
    EXPECT_EQ(header.m_refY, -7.25);
    EXPECT_EQ(header.m_groupScale[0], 50.0);
    EXPECT_EQ(header.m_groupScale[15], 65.0);
    EXPECT_EQ(header.m_values[5], 0xA5A5A5A5u);
    EXPECT_EQ(header.m_doubles2[3], 3.5);
}

TEST(JwsHeader, CutShortIsEndOfFile)
{
    std::vector<uint8_t> bytes = SymbolHeaderBytes(DistinctSymbolHeader());
    for (size_t length : {size_t(4), size_t(150), size_t(202), size_t(451)}) {
        BCN_JWS_CHeadData header;
        ArchiveOverBytes reader(std::vector<uint8_t>(bytes.begin(), bytes.begin() + length));
        EXPECT_EQ(ArchiveCause([&] { header.Serialize(reader.Archive()); }), CArchiveException::endOfFile)
            << length;
    }
}

TEST(JwsHeader, SymbolDrawingHeaderDefaults)
{
    BCN_JWS_CHeadData symbol;
    ArchiveOverBytes reader(SymbolHeaderBytes(DistinctSymbolHeader()));
    symbol.Serialize(reader.Archive());

    BCN_JWW_CHeadData header;
    header.m_memo = L"kept";
    header.m_lineTypePattern[10] = 0x12345678;
    g_jwwVersion = 700;
    FillSymbolDrawingHeader(symbol, header);

    EXPECT_EQ(g_jwwVersion, 420);
    EXPECT_EQ(header.m_version, 420u);
    EXPECT_EQ(std::memcmp(header.m_magic, "JwwData.", 8), 0);
    EXPECT_EQ(header.m_paper, 3u);
    EXPECT_EQ(header.m_writeGroup, 0u);
    EXPECT_EQ(header.m_memo, CStringW(L"kept"));
    EXPECT_EQ(header.m_penColor[0], 0x000000u);
    EXPECT_EQ(header.m_penColor[1], 0xFFFF00u);
    EXPECT_EQ(header.m_penColor[9], 0x808080u);
    EXPECT_EQ(header.m_penColor[100], 0u);
    EXPECT_EQ(header.m_penColor[103], 0x00FF00u);
    EXPECT_EQ(header.m_penColor[116], 0x808080u);
    EXPECT_EQ(header.m_penColor[117], 0u);
    EXPECT_EQ(header.m_printWidth[0], 0.0);
    EXPECT_EQ(header.m_printWidth[1], 0.2);
    EXPECT_EQ(header.m_printWidth[9], 0.1);
    EXPECT_EQ(header.m_penWidth[1], 0u);
    EXPECT_EQ(header.m_lineTypePattern[2], 0x99999999u);
    EXPECT_EQ(header.m_lineTypeBits[2], 4u);
    EXPECT_EQ(header.m_lineTypePitch[2], 1u);
    EXPECT_EQ(header.m_lineTypePattern[10], 0u);
    EXPECT_EQ(header.m_lineTypePattern[13], 0xCCB2B32Au);
    EXPECT_EQ(header.m_lineTypePitch[13], 5u);
    EXPECT_EQ(header.m_lineTypeValueD[13], 15u);
    EXPECT_EQ(header.m_randomLineAmplitude[13], 2u);
    EXPECT_EQ(header.m_lineTypeValueD[19], 40u);
    EXPECT_EQ(header.m_lineTypePattern[20], 0u);
    for (int g = 0; g < 16; ++g) {
        EXPECT_EQ(header.m_groupScale[g], 50.0 + g);
        EXPECT_EQ(header.m_groupState[g], 2u);
        EXPECT_EQ(header.m_layerState[g][15], 2u);
    }
}

}  // namespace
