#include "D2DrawFixture.h"
#include "figures/FigFlags.h"

namespace {
// A text in the test bench's Japanese face (DirectWrite there has no font
// fallback), its start point at device (x, y).
B_FigText* Text(D2DTestDrawing& drawing, const wchar_t* characters, double x, double y, double height)
{
    B_FigText* text = new B_FigText();
    text->text = characters;
    text->fontName = L"IPAGothic";
    text->start = drawing.World(x, y);
    text->width = height;
    text->height = height;
    return text;
}
}

// Glyphs are filled outlines in the text's colour, in the cell above the
// start point and to its right.
TEST_F(D2DrawFixture, TextLeavesInkInItsCell)
{
    D2DTestDrawing drawing(128, 64);
    drawing.Add(Text(drawing, L"\x6F22\x5B57", 10, 40, 20))->colour = 0x0000FF;
    PixelCanvas canvas(128, 64);
    ASSERT_TRUE(Draw(drawing, canvas));
    int inCell = canvas.Ink(10, 20, 50, 41, 0xFFFFFF);
    EXPECT_GT(inCell, 40);
    EXPECT_EQ(canvas.Ink(0xFFFFFF), inCell);
    EXPECT_GT(canvas.Ink(10, 20, 30, 41, 0xFFFFFF), 0);
    EXPECT_GT(canvas.Ink(30, 20, 50, 41, 0xFFFFFF), 0);
}

// A text that ends in a lone high surrogate draws its other characters and
// nothing beyond them.
TEST_F(D2DrawFixture, LoneHighSurrogateAtTheEnd)
{
    D2DTestDrawing drawing(128, 64);
    drawing.Add(Text(drawing, L"\x6F22\xD83D", 10, 40, 20));
    PixelCanvas canvas(128, 64);
    ASSERT_TRUE(Draw(drawing, canvas));
    EXPECT_GT(canvas.Ink(10, 20, 30, 41, 0xFFFFFF), 0);
    EXPECT_EQ(canvas.Ink(50, 0, 128, 64, 0xFFFFFF), 0);
}

// Too small for glyphs: a single dot at the corner; an empty text draws
// nothing at all.
TEST_F(D2DrawFixture, TinyAndEmptyTexts)
{
    D2DTestDrawing drawing(64, 64);
    drawing.Add(Text(drawing, L"abc", 20, 30.5, 0.5));
    drawing.Add(Text(drawing, L"", 40, 40, 20));
    PixelCanvas canvas(64, 64);
    ASSERT_TRUE(Draw(drawing, canvas));
    int dot = canvas.Ink(17, 27, 24, 34, 0xFFFFFF);
    EXPECT_GT(dot, 0);
    EXPECT_EQ(canvas.Ink(0xFFFFFF), dot);
}

// Underline and strike-through bars are drawn with the glyphs.
TEST_F(D2DrawFixture, UnderlinedTextHasMoreInk)
{
    D2DTestDrawing plain(128, 64), underlined(128, 64);
    plain.Add(Text(plain, L"ab", 10, 40, 20));
    underlined.Add(Text(underlined, L"ab", 10, 40, 20))->textFlags = TextFlag::Underline;
    PixelCanvas plainCanvas(128, 64), underlinedCanvas(128, 64);
    ASSERT_TRUE(Draw(plain, plainCanvas));
    ASSERT_TRUE(Draw(underlined, underlinedCanvas));
    EXPECT_GT(underlinedCanvas.Ink(0xFFFFFF), plainCanvas.Ink(0xFFFFFF) + 10);
}

// Vertical text turns its glyphs a quarter counter-clockwise and runs them
// to the right, one cell each: the bar of "一" stands upright. "ー" alone
// keeps the upright font, so it lies across the bars. GDI places the first
// cell a height before the start point, Direct2D at it.
TEST_F(D2DrawFixture, VerticalTextTurnsAllButTheLongVowelMark)
{
    struct Case {
        const char* renderer;
        bool gdi;
        int firstCell;
    } cases[] = {{"GDI", true, 20}, {"Direct2D", false, 40}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.renderer);
        D2DTestDrawing drawing(128, 64);
        drawing.Add(Text(drawing, L"\x4E00\x30FC\x4E00", 40, 40, 20))->textFlags = TextFlag::Vertical;
        PixelCanvas canvas(128, 64);
        ASSERT_TRUE(c.gdi ? DrawWithGdi(drawing, canvas) : Draw(drawing, canvas));
        for (int cell = 0; cell < 3; ++cell) {
            SCOPED_TRACE(cell);
            int left = c.firstCell + cell * 20;
            RECT bar = canvas.InkBounds(left, 20, left + 20, 40, 0xFFFFFF);
            LONG width = bar.right - bar.left, height = bar.bottom - bar.top;
            ASSERT_GT(width, 0);
            if (cell == 1)
                EXPECT_GT(width, 3 * height) << "lying";
            else
                EXPECT_GT(height, 3 * width) << "standing";
        }
        EXPECT_EQ(canvas.Ink(0, 0, c.firstCell, 64, 0xFFFFFF), 0);
        EXPECT_EQ(canvas.Ink(c.firstCell + 60, 0, 128, 64, 0xFFFFFF), 0);
    }
}
