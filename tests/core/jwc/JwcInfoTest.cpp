// What the info tip and the preview's layer list learn from a .jwc header,
// without loading the records.
#include <gtest/gtest.h>

#include <atlbase.h>
#include <climits>
#include <memory>

#include "JwcTestSupport.h"
#include "LanguageIds.h"
#include "support/LibraryModule.h"
#include "support/TavrenaLibrary.h"
#include "writer/JwcWriter.h"

using namespace jwwrite;

namespace {

TEST(JwcInfo, ScaleOfTheTip)
{
    struct Case {
        const char* field10;
        uint32_t numerator10;
        uint32_t denominator;
    } cases[] = {
        {"100", 1, 100}, {"0.5", 20, 1}, {"0.3", 33, 1}, {"0.25", 40, 1}, {"1", 1, 1},
        {"0", 1, 1},     {"-5", 1, 1},   {"2.9", 1, 2},  {"1e30", 1, UINT_MAX}, {"1e-300", UINT_MAX, 1},
    };
    for (const Case& c : cases) {
        JwcDrawing drawing;
        drawing.mainFields[10] = c.field10;
        LoadedDrawing written(WriteJwc(drawing), L"scale.jwc");
        HeaderAnswers answers = ReadHeaderAnswers(written.Path());
        ASSERT_TRUE(answers.infoRead) << c.field10;
        EXPECT_EQ(answers.info.scaleNumerator10, c.numerator10) << c.field10;
        EXPECT_EQ(answers.info.scaleDenominator, c.denominator) << c.field10;
    }
}

TEST(JwcInfo, HeaderFields)
{
    JwcDrawing drawing;
    drawing.memo = "\x82\xA0memo";
    drawing.mainFields = {{1, "3"}, {2, "65537"}, {3, "4"}, {4, "5"}, {5, "6"}, {12, "65539"}};
    std::vector<uint8_t> bytes = WriteJwc(drawing);
    LoadedDrawing written(bytes, L"\x56F3\x9762.v2.jwc");
    HeaderAnswers answers = ReadHeaderAnswers(written.Path());
    ASSERT_TRUE(answers.infoRead);
    EXPECT_EQ(answers.info.memo, CStringW(L"\x3042memo"));
    EXPECT_EQ(answers.info.title, CStringW(L"\x56F3\x9762.v2"));
    EXPECT_EQ(answers.info.paper, 3u);
    EXPECT_EQ(answers.info.entityCount, 3u + 1 + 4 + 5 + 6);
    EXPECT_EQ(answers.info.fileSize, bytes.size());
    EXPECT_EQ(answers.info.version, 0u);
    EXPECT_EQ(answers.info.timeSpanDays, 0.0);
}

// A memo of 64 bytes without a terminator ends with the field.
TEST(JwcInfo, MemoFillsItsField)
{
    JwcDrawing drawing;
    drawing.memo = std::string(70, 'm');
    LoadedDrawing written(WriteJwc(drawing), L"memo.jwc");
    EXPECT_EQ(ReadHeaderAnswers(written.Path()).info.memo, CStringW(std::wstring(64, L'm').c_str()));
}

TEST(JwcInfo, LayerTable)
{
    JwcDrawing drawing;
    drawing.layerNames[0x12] = "\x82\xA0layer12";  // eight bytes, no terminator
    drawing.groupNames[1] = "group one";
    drawing.groupState[1] = 1;
    drawing.groupFlag[1] = 1;   // state 1 with its flag: 2
    drawing.groupState[2] = 1;  // display-only stays 1
    drawing.layerState[0x13] = 1;
    drawing.layerFlag[0x13] = 1;
    drawing.layerState[0x14] = 1;
    drawing.layerState[0x15] = 0;
    drawing.groupWriteLayer[1] = 0xF7;  // low four bits
    drawing.groupScale[1] = 50;
    drawing.mainFields[11] = std::to_string(0x4A);
    drawing.lines = {{0, 0, 1, 1, 1, 1, 0}};
    LoadedDrawing written(WriteJwc(drawing), L"layers.jwc");
    HeaderAnswers answers = ReadHeaderAnswers(written.Path());
    ASSERT_TRUE(answers.layersRead);
    const ZumenLayers& layers = answers.layers;
    EXPECT_EQ(layers.layerName[0x12], CStringW(L"\x3042layer1"));
    EXPECT_EQ(layers.groupName[1], CStringW(L"group one"));
    EXPECT_EQ(layers.groupState[0], 2);
    EXPECT_EQ(layers.groupState[1], 2);
    EXPECT_EQ(layers.groupState[2], 1);
    EXPECT_EQ(layers.groupState[4], 3);  // the write group of field 11
    EXPECT_EQ(layers.groupScale[1], 50.0f);
    EXPECT_EQ(layers.layerState[0x13], 2);
    EXPECT_EQ(layers.layerState[0x14], 1);
    EXPECT_EQ(layers.layerState[0x15], 0);
    EXPECT_EQ(layers.layerState[0x17], 3);  // the write layer of group 1
    EXPECT_EQ(layers.layerState[0x10], 2);
    EXPECT_EQ(layers.layerState[0x00], 3);
}

TEST(JwcInfo, FloatGroupScalesInTheLayerTable)
{
    JwcDrawing drawing;
    drawing.floatScales = true;
    drawing.groupScale[15] = 0.25;
    LoadedDrawing written(WriteJwc(drawing), L"afm.jwc");
    EXPECT_EQ(ReadHeaderAnswers(written.Path()).layers.groupScale[15], 0.25f);
}

std::wstring FileTimeText(const std::wstring& path)
{
    CFileStatus status;
    CFile::GetStatus(path.c_str(), status);
    return status.m_mtime.Format(L"%Y/%m/%d %H:%M").GetString();
}

template <class... Args>
std::wstring Filled(const std::wstring& format, Args... args)
{
    CStringW text;
    text.Format(format.c_str(), args...);
    return text.GetString();
}

// The tip through the library's export, as the shell asks for it: a drawing
// of scale 0.5 shows 2:1 (stored as 20 tenths and 1), a part 1:1.
TEST(JwcInfo, TipTextThroughTheExport)
{
    LibraryModule module(L"Tavrena.dll");
    ASSERT_TRUE(module.IsLoaded());
    TavrenaLibrary library(module.Handle());
    ASSERT_TRUE(library.Complete());
    ASSERT_FALSE(library.LanguageString(IDS_INFO_DRAWING).empty());
    ASSERT_FALSE(library.LanguageString(IDS_INFO_PART).empty());

    JwcDrawing drawing;
    drawing.memo = "\x82\xA0";
    drawing.mainFields = {{10, "0.5"}, {12, "3"}};
    drawing.lines = {{0, 0, 1, 1, 1, 1, 0}, {0, 0, 2, 2, 1, 1, 0}};
    std::vector<uint8_t> jwc = WriteJwc(drawing);
    JwkSymbol symbol;
    symbol.lines = drawing.lines;
    std::vector<uint8_t> jwk = WriteJwk(symbol);
    LoadedDrawing drawingFile(jwc, L"tip.jwc");
    LoadedDrawing partFile(jwk, L"tip.jwk");

    std::wstring expectedDrawing =
        Filled(library.LanguageString(IDS_INFO_DRAWING), L"JWC", Filled(L"%.1f KB", jwc.size() / 1024.0).c_str(),
               L"tip", L"\x3042", FileTimeText(drawingFile.Path()).c_str(), L"A3", L"2", 1) +
        Filled(library.LanguageString(IDS_INFO_ENTITY_COUNT), L"2");
    std::wstring expectedPart = Filled(library.LanguageString(IDS_INFO_PART), L"JWK",
                                       Filled(L"%d B", static_cast<int>(jwk.size())).c_str(), L"tip",
                                       FileTimeText(partFile.Path()).c_str(), L"1", 1);
    for (auto c : {std::make_pair(&drawingFile, expectedDrawing), std::make_pair(&partFile, expectedPart)}) {
        ATL::CComBSTR text;
        ASSERT_EQ(library.GetZumenInfo(c.first->Path().c_str(), std::addressof(text)), S_OK);
        EXPECT_EQ(std::wstring(text.m_str ? text.m_str : L""), c.second);
    }
}

TEST(JwcInfo, ShortOrForeignHeadersAreRefused)
{
    JwcProbe reader;
    std::vector<uint8_t> bytes = WriteJwc(JwcDrawing());
    bytes.resize(2399);
    MemoryDrawing shortFile(bytes);
    ZumenInfo info;
    EXPECT_FALSE(reader.GetInfo(shortFile.File(), &info));
    EXPECT_FALSE(reader.Load(shortFile.File()));

    bytes = WriteJwc(JwcDrawing());
    bytes[19] = '!';
    MemoryDrawing foreign(bytes);
    EXPECT_FALSE(reader.GetInfo(foreign.File(), &info));
    EXPECT_FALSE(reader.Load(foreign.File()));
    EXPECT_EQ(reader.m_figures.GetCount(), 0);
}

}  // namespace
