// Texts drawn character by character.
#include "RenderFixture.h"
#include "figures/FigFlags.h"

namespace {
class TextDraw : public RenderFixture {
protected:
    B_FigText* AddText(const wchar_t* chars, Point2D start, double size, double spacing = 0.0)
    {
        B_FigText* text = new B_FigText;
        text->text = chars;
        text->fontName = L"ＭＳ ゴシック";
        text->start = start;
        text->width = text->height = size;
        text->spacing = spacing;
        return Add(text);
    }

    // Ink per column band of width band, left to right.
    static std::vector<int> InkByColumns(const DibPixels& pixels, int band)
    {
        std::vector<int> columns(pixels.Width() / band, 0);
        for (int y = 0; y < pixels.Height(); ++y)
            for (int x = 0; x < band * static_cast<int>(columns.size()); ++x)
                columns[x / band] += pixels.At(x, y) != kWhite ? 1 : 0;
        return columns;
    }
};
}

TEST_F(TextDraw, JapaneseTextLeavesInkInItsCells)
{
    m_side = 128;
    AddText(L"日本語", At(8, 60), 24);
    DibPixels pixels = Render();
    std::vector<int> columns = InkByColumns(pixels, 24);
    // Cells of 24 pixels from x = 8: ink in the three cells, none after.
    int inText = 0;
    for (int y = 30; y < 64; ++y)
        for (int x = 8; x < 80; ++x)
            inText += pixels.At(x, y) != kWhite ? 1 : 0;
    EXPECT_GT(inText, 60) << "three kanji in the bench's Japanese font";
    EXPECT_EQ(pixels.Ink(100, 0, 128, kWhite).find('#'), std::string::npos) << "nothing below the baseline cell";
    EXPECT_EQ(columns.back(), 0) << "nothing after the third cell";
}

TEST_F(TextDraw, BelowOnePixelIsOnePixel)
{
    AddText(L"ABC", At(20, 20), 0.9);
    DibPixels pixels = Render();
    EXPECT_EQ(pixels.CountNot(kWhite), 1);
    EXPECT_EQ(pixels.At(20, 20), RGB(0, 0, 0));
}

TEST_F(TextDraw, HalfWidthCharactersAdvanceHalfACell)
{
    m_side = 128;
    // Four half-width characters take two full cells.
    AddText(L"||||", At(0, 60), 20);
    DibPixels pixels = Render();
    int lastInk = -1;
    for (int x = 0; x < 128; ++x)
        for (int y = 30; y < 64; ++y)
            if (pixels.At(x, y) != kWhite)
                lastInk = x;
    EXPECT_GE(lastInk, 25);
    EXPECT_LT(lastInk, 42) << "4 x 10 pixels, not 4 x 20";
}

TEST_F(TextDraw, SurrogatesPairOnlyWithANextUnit)
{
    m_side = 128;
    AddText(L"A\xD840\xDC0B" L"A\xD840", At(4, 60), 16);
    DibPixels pixels = Render();
    EXPECT_GT(pixels.CountNot(kWhite), 0) << "drawn without reading past the text";
}

TEST_F(TextDraw, RotatedTextRunsUpTheScreen)
{
    m_side = 128;
    B_FigText* text = AddText(L"ＷＷＷ", At(60, 120), 16);
    text->angle = 90;
    DibPixels pixels = Render();
    int top = 128;
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
            if (pixels.At(x, y) != kWhite && y < top)
                top = y;
    EXPECT_LT(top, 80) << "three cells up from y = 120";
    EXPECT_GT(top, 60);
}
