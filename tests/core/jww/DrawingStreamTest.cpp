// Whole drawing and symbol files from the writer, read the way the reader
// reads them; and every shorter prefix of one ends in an end of file.
#include <gtest/gtest.h>

#include "core/jww/WholeStream.h"
#include "core/stream/ArchiveOverBytes.h"
#include "entities/CDataBlock.h"
#include "entities/CDataMoji.h"
#include "entities/CDataSunpou.h"
#include "jww/JwwVersion.h"
#include "writer/SampleDrawing.h"

namespace {

class BytesFile {
public:
    explicit BytesFile(std::vector<uint8_t> bytes)
        : m_bytes(std::move(bytes)), m_file(m_bytes.data(), static_cast<UINT>(m_bytes.size()))
    {
    }
    CFile& File() { return m_file; }

private:
    std::vector<uint8_t> m_bytes;
    CMemFile m_file;
};

void ExpectSampleContents(WholeStream& stream)
{
    const jwwrite::Drawing sample = jwwrite::SampleDrawing();
    ASSERT_EQ(stream.entities.GetCount(), static_cast<INT_PTR>(sample.entities.size()));
    ASSERT_EQ(stream.blocks.GetCount(), 1);
    CDataList* window = stream.blocks.GetHead();
    EXPECT_EQ(window->m_blockNo, 1u);
    EXPECT_EQ(window->m_name, CStringW(L"\u7A93"));
    EXPECT_EQ(window->m_entities.GetCount(), 5);
    EXPECT_TRUE(stream.entities.GetTail()->IsKindOf(RUNTIME_CLASS(CDataBlock)));
}

TEST(DrawingStream, SampleDrawingOfEveryVersion)
{
    for (uint32_t version : {230u, 251u, 252u, 300u, 351u, 420u, 600u, 700u}) {
        SCOPED_TRACE(version);
        BytesFile file(jwwrite::WriteDrawing(jwwrite::SampleDrawing(version)));
        WholeStream stream(file.File());
        EXPECT_EQ(g_jwwVersion, static_cast<int>(version));
        EXPECT_EQ(stream.header.m_memo, CStringW(L"\u30B5\u30F3\u30D7\u30EB\nMakeSampleDrawing"));
        ExpectSampleContents(stream);
        EXPECT_EQ(file.File().GetPosition(), file.File().GetLength());
    }
}

TEST(DrawingStream, SampleSymbol)
{
    for (uint32_t version : {252u, 420u, 700u}) {
        SCOPED_TRACE(version);
        BytesFile file(jwwrite::WriteSymbol(jwwrite::SampleSymbol(version)));
        WholeStream stream(file.File());
        EXPECT_EQ(stream.symbolHeader.m_refX, 4500.0);
        EXPECT_EQ(stream.header.m_version, version);
        ExpectSampleContents(stream);
    }
}

TEST(DrawingStream, EmbeddedFilesFollowTheBlockList)
{
    jwwrite::Drawing drawing = jwwrite::SampleDrawing(700);
    drawing.images = {{u"a.bmp.gz", {1, 2, 3}}, {"b.png", std::vector<uint8_t>(5000, 7)}};
    BytesFile file(jwwrite::WriteDrawing(drawing));
    WholeStream stream(file.File());
    ASSERT_EQ(stream.images.size(), 2u);
    EXPECT_EQ(stream.images[0].first, CStringW(L"a.bmp.gz"));
    EXPECT_EQ(stream.images[0].second, std::vector<BYTE>({1, 2, 3}));
    EXPECT_EQ(stream.images[1].second.size(), 5000u);
    EXPECT_EQ(file.File().GetPosition(), file.File().GetLength());
}

TEST(DrawingStream, EveryPrefixEndsInEndOfFile)
{
    jwwrite::Drawing drawing = jwwrite::SampleDrawing(700);
    drawing.images = {{"c.bmp", {1, 2, 3, 4}}};
    std::vector<uint8_t> bytes = jwwrite::WriteDrawing(drawing);
    std::vector<size_t> wrong;
    for (size_t length = 0; length < bytes.size(); ++length) {
        BytesFile file(std::vector<uint8_t>(bytes.begin(), bytes.begin() + length));
        int cause = ArchiveCause([&] { WholeStream stream(file.File()); });
        // Cut right after the block list, the file simply has no images.
        bool noImages = length == bytes.size() - 4 - 6 - 4 - 4;
        if (cause != (noImages ? kNoException : CArchiveException::endOfFile))
            wrong.push_back(length);
    }
    EXPECT_TRUE(wrong.empty()) << wrong.size() << " prefixes, the first of " << wrong.front() << " bytes";
}

}  // namespace
