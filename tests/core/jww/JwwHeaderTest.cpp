// The drawing file header: its size for every version, where each used field
// lands, the memo, and the current file version.
#include <gtest/gtest.h>

#include <memory>

#include "core/stream/ArchiveOverBytes.h"
#include "jww/BCN_JWW_CHeadData.h"
#include "jww/JwwVersion.h"
#include "writer/ByteWriter.h"
#include "writer/JwwHeader.h"

namespace {

std::vector<uint8_t> HeaderBytes(const jwwrite::JwwHeader& header)
{
    jwwrite::ByteWriter out;
    jwwrite::WriteJwwHeader(out, header);
    return out.Bytes();
}

// Reads a header and checks that it takes all of the bytes.
std::unique_ptr<BCN_JWW_CHeadData> ReadHeader(const std::vector<uint8_t>& bytes)
{
    auto header = std::make_unique<BCN_JWW_CHeadData>();
    ArchiveOverBytes reader(bytes);
    header->Serialize(reader.Archive());
    EXPECT_EQ(reader.Consumed(), bytes.size());
    return header;
}

struct SizeCase {
    uint32_t version;
    size_t size;
};

TEST(JwwHeader, EmptyStringsHeaderSizeByVersion)
{
    // From version 300 on, real files carry a 56-byte text drawing state after
    // the eight zoom marks.
    const SizeCase cases[] = {{230, 4137}, {251, 4137}, {252, 4137}, {300, 4337},
                              {351, 4337}, {420, 14095}, {600, 14095}, {700, 14095}};
    for (const SizeCase& c : cases) {
        jwwrite::JwwHeader header;
        header.version = c.version;
        std::vector<uint8_t> bytes = HeaderBytes(header);
        ASSERT_EQ(bytes.size(), c.size) << c.version;
        EXPECT_EQ(ToHex(bytes, 0, 8), "4A 77 77 44 61 74 61 2E");
        g_jwwVersion = 0;
        std::unique_ptr<BCN_JWW_CHeadData> read = ReadHeader(bytes);
        EXPECT_EQ(read->m_version, c.version);
        EXPECT_EQ(g_jwwVersion, static_cast<int>(c.version));
    }
}

TEST(JwwHeader, FirstLayerNameFollowsMemoAfter2532Bytes)
{
    jwwrite::JwwHeader header;
    header.version = 230;
    header.memo = "memo";
    header.layerName[0][0] = "L";
    std::vector<uint8_t> bytes = HeaderBytes(header);
    const size_t memoEnd = 12 + 1 + 4;
    EXPECT_EQ(ToHex(bytes, memoEnd + 2532, 2), "01 4C");
}

// Every used field with a value of its own, and every passed-over value
// filled, so that a reader out of step reads the filler.
jwwrite::JwwHeader DistinctHeader(uint32_t version)
{
    jwwrite::JwwHeader h;
    h.version = version;
    h.unusedWord = 0xA5A5A5A5;
    h.unusedDouble = -12345.5;
    h.paper = 4;
    h.writeGroup = 0x13;
    h.widthMode = -101;
    for (int g = 0; g < 16; ++g) {
        h.groupState[g] = g % 4;
        h.groupWriteLayer[g] = 15 - g;
        h.groupScale[g] = 10.0 * (g + 1);
        h.groupName[g] = u"G" + std::u16string(1, u'a' + g);
        for (int l = 0; l < 16; ++l) {
            h.layerState[g][l] = (g + l) % 4;
            h.layerName[g][l] = std::string(1, 'A' + l) + std::to_string(g);
        }
    }
    h.viewZoom = 2.5;
    h.viewCenterX = 210.0;
    h.viewCenterY = -148.5;
    for (int p = 0; p < 357; ++p) {
        h.penColor[p] = 0x010000u * p + 7;
        h.penWidth[p] = 1000 + p;
        h.printWidth[p] = p / 8.0;
    }
    for (int t = 0; t < 63; ++t) {
        h.lineTypePattern[t] = 0x11111111u * (t % 15 + 1);
        h.lineTypeBits[t] = t;
        h.lineTypePitch[t] = 100 + t;
    }
    for (int t = 11; t <= 15; ++t)
        h.randomAmplitude[t] = t * 3;
    h.timeSpan = 172800;
    for (int i = 0; i < 257; ++i)
        h.colorName[i] = "C" + std::to_string(i + 100);
    for (int i = 0; i < 33; ++i)
        h.lineTypeName[i] = u"T" + std::u16string(1, u'0' + i % 10);
    return h;
}

void ExpectFieldsOf(const jwwrite::JwwHeader& h, const BCN_JWW_CHeadData& r)
{
    EXPECT_EQ(r.m_paper, h.paper);
    EXPECT_EQ(r.m_writeGroup, h.writeGroup);
    EXPECT_EQ(r.GetWriteGroup(), 3);
    EXPECT_EQ(r.m_widthMode, h.widthMode);
    for (int g = 0; g < 16; ++g) {
        EXPECT_EQ(r.m_groupState[g], h.groupState[g]);
        EXPECT_EQ(r.m_groupWriteLayer[g], h.groupWriteLayer[g]);
        EXPECT_EQ(r.m_groupScale[g], h.groupScale[g]);
        EXPECT_EQ(r.m_groupName[g], CStringW(reinterpret_cast<const wchar_t*>(h.groupName[g].units.c_str())));
        for (int l = 0; l < 16; ++l) {
            EXPECT_EQ(r.m_layerState[g][l], h.layerState[g][l]);
            EXPECT_EQ(r.m_layerName[g][l], CStringW(h.layerName[g][l].bytes.c_str()));
        }
    }
    EXPECT_EQ(r.m_viewZoom, h.viewZoom);
    EXPECT_EQ(r.m_viewCenterX, h.viewCenterX);
    EXPECT_EQ(r.m_viewCenterY, h.viewCenterY);
    EXPECT_EQ(r.m_timeSpan, h.timeSpan);
    for (int p = 0; p < 10; ++p) {
        EXPECT_EQ(r.m_penColor[p], h.penColor[p]) << p;
        EXPECT_EQ(r.m_penWidth[p], h.penWidth[p]) << p;
        EXPECT_EQ(r.m_printWidth[p], h.printWidth[p]) << p;
    }
    for (int t : {2, 9, 16, 19}) {
        EXPECT_EQ(r.m_lineTypePattern[t], h.lineTypePattern[t]) << t;
        EXPECT_EQ(r.m_lineTypeBits[t], h.lineTypeBits[t]) << t;
        EXPECT_EQ(r.m_lineTypePitch[t], h.lineTypePitch[t]) << t;
    }
    for (int t = 11; t <= 15; ++t) {
        EXPECT_EQ(r.m_lineTypePattern[t], h.lineTypePattern[t]) << t;
        EXPECT_EQ(r.m_randomLineAmplitude[t], h.randomAmplitude[t]) << t;
        EXPECT_EQ(r.m_lineTypePitch[t], h.lineTypePitch[t]) << t;
        EXPECT_EQ(r.m_lineTypeBits[t], 0u) << t;
    }
}

TEST(JwwHeader, UsedFieldsLandWhereWritten)
{
    for (uint32_t version : {251u, 300u, 351u, 420u, 700u}) {
        SCOPED_TRACE(version);
        jwwrite::JwwHeader written = DistinctHeader(version);
        std::unique_ptr<BCN_JWW_CHeadData> read = ReadHeader(HeaderBytes(written));
        ExpectFieldsOf(written, *read);
    }
}

TEST(JwwHeader, ExtendedTablesFromVersion420)
{
    jwwrite::JwwHeader written = DistinctHeader(420);
    std::unique_ptr<BCN_JWW_CHeadData> read = ReadHeader(HeaderBytes(written));
    for (int p : {100, 150, 356}) {
        EXPECT_EQ(read->m_penColor[p], written.penColor[p]) << p;
        EXPECT_EQ(read->m_penWidth[p], written.penWidth[p]) << p;
        EXPECT_EQ(read->m_printWidth[p], written.printWidth[p]) << p;
    }
    EXPECT_EQ(read->m_colorName[0], CStringW(L"C100"));
    EXPECT_EQ(read->m_colorName[256], CStringW(L"C356"));
    for (int t : {30, 62}) {
        EXPECT_EQ(read->m_lineTypePattern[t], written.lineTypePattern[t]) << t;
        EXPECT_EQ(read->m_lineTypeBits[t], written.lineTypeBits[t]) << t;
        EXPECT_EQ(read->m_lineTypePitch[t], written.lineTypePitch[t]) << t;
    }
    EXPECT_EQ(read->m_lineTypeName[32], CStringW(L"T2"));
    EXPECT_EQ(read->m_extLineTypeParams[0][10], written.unusedDouble);

    std::unique_ptr<BCN_JWW_CHeadData> older = ReadHeader(HeaderBytes(DistinctHeader(351)));
    EXPECT_EQ(older->m_penColor[150], 0u);
    EXPECT_TRUE(older->m_colorName[0].IsEmpty());
}

TEST(JwwHeader, MemoLinesJoinedByLineFeedAndTrimmed)
{
    const jwwrite::JwText memos[] = {"a\r\nb ", u"a\r\nb ", u" \ta\r\nb\r\n"};
    for (const jwwrite::JwText& memo : memos) {
        jwwrite::JwwHeader header;
        header.memo = memo;
        EXPECT_EQ(ReadHeader(HeaderBytes(header))->m_memo, CStringW(L"a\nb"));
    }
}

TEST(JwwHeader, HeaderCutShortIsEndOfFile)
{
    std::vector<uint8_t> bytes = HeaderBytes(DistinctHeader(700));
    for (size_t length : {size_t(0), size_t(7), size_t(11), size_t(2000), bytes.size() - 1}) {
        std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + length);
        BCN_JWW_CHeadData header;
        ArchiveOverBytes reader(cut);
        EXPECT_EQ(ArchiveCause([&] { header.Serialize(reader.Archive()); }), CArchiveException::endOfFile)
            << length;
    }
}

TEST(JwwHeader, StoringArchiveIsRefused)
{
    CMemFile file;
    CArchive archive(&file, CArchive::store);
    BCN_JWW_CHeadData header;
    EXPECT_EQ(ArchiveCause([&] { header.Serialize(archive); }), CArchiveException::writeOnly);
}

}  // namespace
