// The header information of drawings and symbols that the info tip shows,
// read with a fresh reader without loading the entities.
#include <gtest/gtest.h>
#include <cmath>
#include <limits>
#include <memory>
#include "cache/InfoCacheEntry.h"
#include "cache/InfoText.h"
#include "reader/JwCADBase.h"
#include "reader/ReaderFactory.h"
#include "records/ZumenInfo.h"
#include "support/ScratchFolder.h"
#include "writer/Drawing.h"

using namespace jwwrite;

namespace {
struct HeaderInfo {
    bool read = false;
    bool layersRead = false;
    ZumenInfo info;
    ZumenLayers layers{};
};

class JwwHeaderInfoTest : public ::testing::Test {
protected:
    std::wstring Save(const std::vector<uint8_t>& bytes, const wchar_t* name)
    {
        std::wstring path = m_folder.At(name);
        SaveFile(path, bytes);
        return path;
    }

    static HeaderInfo Read(const std::wstring& path)
    {
        HeaderInfo result;
        CInfoCacheEntry entry;
        OpenDrawingFile(path.c_str(), &entry, false, nullptr);
        std::unique_ptr<CJwCADBase> reader(entry.doc);
        if (!reader)
            return result;
        result.read = ReadZumenInfo(reader.get(), path.c_str(), &result.info, nullptr);
        ZumenInfo again;
        result.layersRead = ReadZumenInfo(reader.get(), path.c_str(), &again, &result.layers);
        return result;
    }

    HeaderInfo ReadDrawing(const Drawing& drawing) { return Read(Save(WriteDrawing(drawing), L"drawing.jww")); }

    ScratchFolder m_folder;
};
}

TEST_F(JwwHeaderInfoTest, DrawingHeaderFillsTheInfo)
{
    Drawing drawing;
    drawing.header.version = 600;
    drawing.header.memo = "first line\r\nsecond line";
    drawing.header.paper = 12;
    drawing.header.writeGroup = 0x23;  // group 3
    drawing.header.groupScale[3] = 50.0;
    drawing.header.timeSpan = 172800;
    std::wstring path = Save(WriteDrawing(drawing), L"My Plan.jww");
    HeaderInfo header = Read(path);
    ASSERT_TRUE(header.read);
    EXPECT_EQ(header.info.version, 600u);
    EXPECT_STREQ(header.info.memo, L"first line");
    EXPECT_EQ(header.info.paper, 12u);
    EXPECT_EQ(header.info.scaleNumerator10, 1u);
    EXPECT_EQ(header.info.scaleDenominator, 50u);
    EXPECT_DOUBLE_EQ(header.info.timeSpanDays, 2.0);
    EXPECT_STREQ(header.info.title, L"My Plan");
    EXPECT_EQ(header.info.entityCount, 0u) << "the tip reads no entities";
    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(path.c_str(), status));
    EXPECT_EQ(header.info.fileSize, status.m_size);
    EXPECT_EQ(header.info.modified, status.m_mtime);
}

// Enlargements show as "a:1" with a in tenths; values the terms cannot hold
// are kept in range.
TEST_F(JwwHeaderInfoTest, ScaleTermsOfTheWriteGroup)
{
    const double kHuge = 1e12;
    const struct {
        double scale;
        uint32_t numerator10, denominator;
    } cases[] = {
        {0.5, 20, 1},
        {0.4, 25, 1},
        {100.0, 1, 100},
        {1.0, 1, 1},
        {0.0, 1, 1},
        {-3.0, 1, 1},
        {1e-300, 2147483647, 1},
        {kHuge, 1, 2147483647},
        {std::numeric_limits<double>::quiet_NaN(), 1, 1},
        {std::numeric_limits<double>::infinity(), 1, 2147483647},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.scale);
        Drawing drawing;
        drawing.header.groupScale[0] = c.scale;
        HeaderInfo header = ReadDrawing(drawing);
        ASSERT_TRUE(header.read);
        EXPECT_EQ(header.info.scaleNumerator10, c.numerator10);
        EXPECT_EQ(header.info.scaleDenominator, c.denominator);
    }
}

TEST_F(JwwHeaderInfoTest, LayerTableMarksTheWriteGroup)
{
    Drawing drawing;
    drawing.header.writeGroup = 5;
    drawing.header.groupState[2] = 0;
    drawing.header.layerState[2][7] = 1;
    drawing.header.groupScale[2] = 20.0;
    drawing.header.groupName[2] = "walls";
    drawing.header.layerName[2][7] = u"\x58C1";
    HeaderInfo header = ReadDrawing(drawing);
    ASSERT_TRUE(header.layersRead);
    EXPECT_EQ(header.layers.groupState[5], 3);
    EXPECT_EQ(header.layers.groupState[2], 0);
    EXPECT_EQ(header.layers.groupState[0], 2);
    EXPECT_EQ(header.layers.layerState[2 * 16 + 7], 1);
    EXPECT_EQ(header.layers.groupScale[2], 20.0f);
    EXPECT_STREQ(header.layers.groupName[2], L"walls");
    EXPECT_STREQ(header.layers.layerName[2 * 16 + 7], L"\x58C1");
}

// A file that is not a drawing of an accepted version, or whose header ends
// early, gives no info.
TEST_F(JwwHeaderInfoTest, UnreadableDrawingHeaders)
{
    Drawing wrongVersion;
    wrongVersion.header.version = 250;
    EXPECT_FALSE(ReadDrawing(wrongVersion).read);

    std::vector<uint8_t> bytes = WriteDrawing(Drawing());
    bytes.resize(2000);
    EXPECT_FALSE(Read(Save(bytes, L"cut.jww")).read);
    EXPECT_FALSE(Read(Save({'J', 'w', 'w', 'D', 'a', 't', 'a', '.', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
                           L"tiny.jww")).read);
}

// A symbol gives its version and the scale of group 0, and every group and
// layer shown with group 0 written to; no memo, paper or time span.
TEST_F(JwwHeaderInfoTest, SymbolHeaderFillsTheInfo)
{
    Symbol symbol;
    symbol.header.version = 420;
    symbol.header.groupScale[0] = 50.0;
    std::wstring path = Save(WriteSymbol(symbol), L"part.jws");
    HeaderInfo header = Read(path);
    ASSERT_TRUE(header.read);
    EXPECT_EQ(header.info.version, 420u);
    EXPECT_EQ(header.info.scaleNumerator10, 1u);
    EXPECT_EQ(header.info.scaleDenominator, 50u);
    EXPECT_STREQ(header.info.title, L"part");
    EXPECT_TRUE(header.info.memo.IsEmpty());
    EXPECT_EQ(header.info.timeSpanDays, 0.0);
    ASSERT_TRUE(header.layersRead);
    EXPECT_EQ(header.layers.groupState[0], 3);
    EXPECT_EQ(header.layers.groupState[15], 2);
    EXPECT_EQ(header.layers.layerState[255], 2);
    EXPECT_EQ(header.layers.groupScale[0], 50.0f);

    std::vector<uint8_t> shortSymbol = WriteSymbol(symbol);
    shortSymbol.resize(455);
    EXPECT_FALSE(Read(Save(shortSymbol, L"short.jws")).read);
}
