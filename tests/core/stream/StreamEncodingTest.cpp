// The writer's plain encodings against fixed bytes, and the library reading
// them back.
#include <gtest/gtest.h>

#include <string>

#include "core/stream/ArchiveOverBytes.h"
#include "writer/ByteWriter.h"

namespace {

struct StringCase {
    jwwrite::JwText text;
    const char* prefix;  // the bytes before the characters
    int length;
};

TEST(StreamEncoding, StringPrefixes)
{
    const StringCase cases[] = {
        {std::string(), "00", 0},
        {std::string(254, 'a'), "FE", 254},
        {std::string(255, 'a'), "FF FF 00", 255},
        {std::string(0xFFFD, 'a'), "FF FD FF", 0xFFFD},
        {std::string(0xFFFE, 'a'), "FF FF FF FE FF 00 00", 0xFFFE},
        {u"\u56F3\u9762A", "FF FE FF 03", 3},
        {std::u16string(255, u'b'), "FF FE FF FF FF 00", 255},
        {std::u16string(0xFFFE, u'b'), "FF FE FF FF FE FF", 0xFFFE},
    };
    for (const StringCase& c : cases) {
        jwwrite::ByteWriter out;
        out.Text(c.text);
        std::vector<uint8_t> prefix = FromHex(c.prefix);
        size_t unit = c.text.utf16 ? 2 : 1;
        ASSERT_EQ(out.Size(), prefix.size() + c.length * unit) << c.prefix;
        EXPECT_EQ(ToHex(out.Bytes(), 0, prefix.size()), c.prefix);

        ArchiveOverBytes reader(out.Bytes());
        CStringW read;
        reader.Archive() >> read;
        EXPECT_EQ(read.GetLength(), c.length) << c.prefix;
        EXPECT_EQ(reader.Consumed(), out.Size()) << c.prefix;
    }
}

TEST(StreamEncoding, Utf16CharactersAsTheyAre)
{
    jwwrite::ByteWriter out;
    out.Text(u"\u56F3\u9762A");
    EXPECT_EQ(ToHex(out.Bytes()), "FF FE FF 03 F3 56 62 97 41 00");
    ArchiveOverBytes reader(out.Bytes());
    CStringW read;
    reader.Archive() >> read;
    EXPECT_EQ(read, CStringW(L"\u56F3\u9762A"));
}

TEST(StreamEncoding, Counts)
{
    struct {
        uint32_t count;
        const char* bytes;
    } cases[] = {{0, "00 00"}, {0xFFFE, "FE FF"}, {0xFFFF, "FF FF FF FF 00 00"}, {70000, "FF FF 70 11 01 00"}};
    for (const auto& c : cases) {
        jwwrite::ByteWriter out;
        out.Count(c.count);
        EXPECT_EQ(ToHex(out.Bytes()), c.bytes);
        ArchiveOverBytes reader(out.Bytes());
        EXPECT_EQ(reader.Archive().ReadCount(), c.count);
    }
}

TEST(StreamEncoding, Times)
{
    jwwrite::ByteWriter out;
    out.Time32(0x5F000000);
    out.Time64(0x0000000B60000000ull);
    EXPECT_EQ(ToHex(out.Bytes()), "00 00 00 5F 0A 00 00 80 00 00 00 60 0B 00 00 00");
    ArchiveOverBytes reader(out.Bytes());
    CTime first, second;
    reader.Archive() >> first >> second;
    EXPECT_EQ(first.GetTime(), 0x5F000000);
    EXPECT_EQ(second.GetTime(), 0x60000000);  // the high half is ignored
}

TEST(StreamEncoding, PlainValuesAreLittleEndianWithoutPadding)
{
    jwwrite::ByteWriter out;
    out.U8(0x01);
    out.U16(0x0302);
    out.U32(0x07060504);
    out.F64(1.0);
    EXPECT_EQ(ToHex(out.Bytes()), "01 02 03 04 05 06 07 00 00 00 00 00 00 F0 3F");
}

}  // namespace
