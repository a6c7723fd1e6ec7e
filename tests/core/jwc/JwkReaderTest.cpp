// .jwk part files: the records of a .jwc drawing behind a short text header.
#include <gtest/gtest.h>

#include "JwcTestSupport.h"
#include "figures/B_FigLine.h"
#include "figures/B_FigPoint.h"
#include "figures/B_FigText.h"
#include "reader/BCN_CImpJWS.h"
#include "records/DrawData.h"
#include "writer/JwcWriter.h"

using namespace jwwrite;

namespace {

JwkSymbol ThreeLinesOnePointTwoTexts()
{
    JwkSymbol symbol;
    symbol.lines = {{0, 0, 10, 0, 1, 2, 0}, {0, 0, 0, 10, 1, 3, 1}, {0, 0, -10, 0, 1, 4, 2}};
    symbol.points = {{5, 5, 3, 1, 0}};
    JwcText first;
    first.stringOffset = 65552;
    first.style = 7;
    JwcText second;
    second.stringOffset = 65568;
    second.x1 = 1;
    second.x2 = 4;
    symbol.texts = {first, second};
    symbol.strings = std::string("part\0", 5) + std::string(11, '.') + std::string("\x82\xA0\0", 3);
    return symbol;
}

TEST(JwkReader, SectionsFollowTheTextHeader)
{
    JwkProbe reader;
    MemoryDrawing file(WriteJwk(ThreeLinesOnePointTwoTexts()));
    ASSERT_TRUE(reader.Load(file.File()));
    EXPECT_EQ(reader.m_linePos, 400u);
    EXPECT_EQ(reader.m_curvePos, 0u);
    EXPECT_EQ(reader.m_pointPos, 466u);
    EXPECT_EQ(reader.m_textPos, 478u);
    EXPECT_EQ(reader.m_stringPos, 526u);
    EXPECT_EQ(reader.m_figures.GetCount(), 6);
}

// Every part text is 2 x 2 in pen 1, built at scale 1, whatever its style;
// high string offsets count from the first one met.
TEST(JwkReader, TextsAtScaleOne)
{
    JwkSymbol symbol = ThreeLinesOnePointTwoTexts();
    symbol.fields[7] = "25";
    LoadedDrawing loaded(WriteJwk(symbol), L"part.jwk");
    ASSERT_TRUE(loaded.Complete());
    std::vector<B_FigText*> texts = loaded.FiguresOf<B_FigText>();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0]->text, CStringW(L"part"));
    EXPECT_EQ(texts[1]->text, CStringW(L"\x3042"));
    for (B_FigText* text : texts) {
        EXPECT_EQ(text->width, 2.0);
        EXPECT_EQ(text->height, 2.0);
        EXPECT_EQ(text->spacing, 0.0);
        EXPECT_EQ(text->colour, 0xC0C000u);
    }
    EXPECT_EQ(loaded.FiguresOf<B_FigLine>().size(), 3u);
    EXPECT_EQ(loaded.FiguresOf<B_FigPoint>().size(), 1u);
    EXPECT_EQ(loaded.Reader()->GetScale(), 1.0);
    EXPECT_EQ(loaded.Reader()->GetFileKind(), 1);
}

// From the first view on, device lengths use the part's scale (field 7 /
// 10); a part without one keeps a usable scale.
TEST(JwkReader, DeviceLengthsUseFieldSeven)
{
    for (auto c : {std::make_pair("25", 4.0f), std::make_pair("0", 10.0f), std::make_pair("", 10.0f)}) {
        JwkSymbol symbol = ThreeLinesOnePointTwoTexts();
        symbol.fields[7] = c.first;
        JwkProbe reader;
        MemoryDrawing file(WriteJwk(symbol));
        reader.Load(file.File());
        reader.m_wholeDrawing = false;
        reader.SetupView();
        float expected = c.second * static_cast<float>(reader.CDrawBase::m_scale);
        EXPECT_FLOAT_EQ(reader.ToDeviceLength(10.0), expected) << c.first;
    }
}

TEST(JwkReader, CountsAreSixteenBits)
{
    JwkSymbol symbol;
    symbol.fields[1] = "65538";  // 2 lines
    symbol.lines = {{0, 0, 1, 1, 1, 1, 0}, {0, 0, 2, 2, 1, 1, 0}};
    symbol.fields[8] = "0";
    JwkProbe reader;
    MemoryDrawing file(WriteJwk(symbol));
    EXPECT_TRUE(reader.Load(file.File()));
    EXPECT_EQ(reader.m_lineCount, 2);
    EXPECT_EQ(reader.m_figures.GetCount(), 2);
}

// A 200 to 399 byte part still answers the info tip; its text is read as far
// as it goes and the rest counts as empty.
TEST(JwkReader, ShortFilesAnswerTheTipButDoNotLoad)
{
    struct Case {
        size_t length;
        bool info;
    } cases[] = {{199, false}, {200, true}, {210, true}, {399, true}};
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes(c.length, 0xEE);
        std::memcpy(bytes.data(), "jw_cad(c)sym........", 20);
        if (c.length >= 210)
            std::memcpy(bytes.data() + 200, "1,2,3,4,,,", 10);
        JwkProbe reader;
        MemoryDrawing file(bytes);
        ZumenInfo info;
        EXPECT_EQ(reader.GetInfo(file.File(), &info) != FALSE, c.info) << c.length;
        if (c.length >= 210) {
            EXPECT_EQ(reader.m_lineCount, 1);
            EXPECT_EQ(reader.m_textCount, 4);
            EXPECT_EQ(reader.m_stringSize, 0) << c.length;
        } else if (c.info) {
            // Nothing of the text was read: every count is 0.
            EXPECT_EQ(reader.m_lineCount, 0);
            EXPECT_EQ(reader.m_curveCount, 0);
            EXPECT_EQ(reader.m_pointCount, 0);
            EXPECT_EQ(reader.m_textCount, 0);
            EXPECT_EQ(reader.m_stringSize, 0);
        }
        EXPECT_FALSE(reader.Load(file.File())) << c.length;
        EXPECT_EQ(reader.m_figures.GetCount(), 0);
    }
}

TEST(JwkReader, HeaderAnswers)
{
    LoadedDrawing written(WriteJwk(ThreeLinesOnePointTwoTexts()), L"\x56F3\x5F62.jwk");
    HeaderAnswers answers = ReadHeaderAnswers(written.Path());
    ASSERT_TRUE(answers.infoRead);
    EXPECT_EQ(answers.info.scaleNumerator10, 1u);
    EXPECT_EQ(answers.info.scaleDenominator, 1u);
    EXPECT_EQ(answers.info.entityCount, 0u);
    EXPECT_EQ(answers.info.paper, 0u);
    EXPECT_TRUE(answers.info.memo.IsEmpty());
    EXPECT_EQ(answers.info.title, CStringW(L"\x56F3\x5F62"));
    EXPECT_EQ(answers.info.fileSize, WriteJwk(ThreeLinesOnePointTwoTexts()).size());

    ASSERT_TRUE(answers.layersRead);
    for (int group = 0; group < 16; ++group) {
        EXPECT_EQ(answers.layers.groupState[group], group == 0 ? 3 : 1);
        EXPECT_EQ(answers.layers.groupScale[group], 1.0f);
        for (int layer = 0; layer < 16; ++layer)
            EXPECT_EQ(answers.layers.layerState[16 * group + layer], layer == 0 ? 3 : 1);
    }
}

}  // namespace

// A part without figures has no extent to fit: its preview fit is that of an
// empty symbol, not a zoom that an endless paper size pushed to its limit.
TEST(JwkReader, EmptyPartFitsThePreviewAsAnEmptySymbol)
{
    JwkProbe part;
    MemoryDrawing file(WriteJwk(JwkSymbol()));
    part.Load(file.File());
    ASSERT_EQ(part.m_figures.GetCount(), 0);
    BCN_CImpJWS symbol;
    DrawData partRequest, symbolRequest;
    for (DrawData* request : {&partRequest, &symbolRequest}) {
        request->viewWidth = 300;
        request->viewHeight = 200;
    }
    part.FitForPreview(&partRequest);
    symbol.FitForPreview(&symbolRequest);
    EXPECT_EQ(partRequest.scale, symbolRequest.scale);
    EXPECT_NE(partRequest.scale, INT_MAX);
    EXPECT_EQ(partRequest.originX, symbolRequest.originX);
    EXPECT_EQ(partRequest.originY, symbolRequest.originY);
}
