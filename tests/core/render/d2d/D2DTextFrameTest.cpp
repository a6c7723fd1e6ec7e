#include <gtest/gtest.h>
#include "D2DTestDrawing.h"
#include "figures/FigFlags.h"
#include "render/d2d/D2DMatrix.h"
#include "render/d2d/D2DTextFrame.h"

namespace {
B_FigText Text(double width, double height, double spacing, uint16_t flags = 0, double angle = 0.0)
{
    B_FigText text;
    text.text = L"ab";
    text.width = width;
    text.height = height;
    text.spacing = spacing;
    text.textFlags = flags;
    text.angle = angle;
    return text;
}

const D2D1_POINT_2F kStart = {100.0f, 100.0f};
}

// Horizontal text hangs from the corner above its start point; the pen steps
// through the unstretched frame, so that on the device a full-width
// character advances by the width and a half-width one by half of it.
TEST(D2DTextFrame, HorizontalAdvances)
{
    D2DTestDrawing drawing;
    B_FigText text = Text(10, 20, 0);
    D2DTextFrame frame = LayOutTextFrame(text, kStart, drawing);
    EXPECT_FLOAT_EQ(frame.base.x, 100.0f);
    EXPECT_FLOAT_EQ(frame.base.y, 80.0f);
    EXPECT_FLOAT_EQ(frame.stretch, 0.5f);
    EXPECT_FLOAT_EQ(frame.advanceX * frame.stretch, 10.0f);
    EXPECT_FLOAT_EQ(frame.halfX * frame.stretch, 5.0f);
    EXPECT_FLOAT_EQ(frame.advanceY, 20.0f);

    B_FigText spaced = Text(10, 20, 2);
    EXPECT_FLOAT_EQ(LayOutTextFrame(spaced, kStart, drawing).advanceX * 0.5f, 12.0f);
}

// Negative spacing: the cell narrows to width + spacing, with an extra half
// advance while the overlap stays within half a character; beyond that the
// cell width follows its own rule.
TEST(D2DTextFrame, NegativeHorizontalSpacing)
{
    struct Case {
        double width, spacing;
        float cell, halfAdvance;
    } cases[] = {
        {10, -2, 8, 11},      // d = 8 >= 5: ax = 2, advance 20 in the frame of stretch 0.4
        {10, -6, 4, 10},      // d = 4 > 0.5 but under half: cell stays 4, no extra
        {1, -0.8, 0.5, 10},   // d = 0.2 < 0.5: cell d x 2.5
        {2, -1.5, 1, 10},     // d = 0.5: cell 1
    };
    D2DTestDrawing drawing;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.spacing);
        B_FigText text = Text(c.width, 20, c.spacing);
        D2DTextFrame frame = LayOutTextFrame(text, kStart, drawing);
        EXPECT_FLOAT_EQ(frame.width, c.cell);
        EXPECT_FLOAT_EQ(frame.advanceX, 20.0f);
        EXPECT_FLOAT_EQ(frame.halfX, c.halfAdvance);
    }
}

// Vertical text starts at the point itself, turned a quarter further, and
// steps down its column; negative spacing shortens the cell.
TEST(D2DTextFrame, VerticalText)
{
    D2DTestDrawing drawing;
    B_FigText text = Text(10, 20, -3, TextFlag::Vertical | TextFlag::HalfShiftFirst, 30.0);
    D2DTextFrame frame = LayOutTextFrame(text, kStart, drawing);
    EXPECT_TRUE(frame.vertical);
    EXPECT_DOUBLE_EQ(frame.angle, 120.0);
    EXPECT_FLOAT_EQ(frame.base.x, 100.0f);
    EXPECT_FLOAT_EQ(frame.base.y, 100.0f);
    EXPECT_FLOAT_EQ(frame.pen.x, 105.0f);
    EXPECT_FLOAT_EQ(frame.height, 17.0f);
    EXPECT_FLOAT_EQ(frame.advanceY, 17.0f);
    EXPECT_FLOAT_EQ(frame.halfY, 10.0f);
}

// A turned horizontal text turns its corner about the start point: a
// quarter turn counter-clockwise puts the corner left of the start.
TEST(D2DTextFrame, TurnedCorner)
{
    D2DTestDrawing drawing;
    B_FigText text = Text(10, 20, 0, 0, 90.0);
    D2DTextFrame frame = LayOutTextFrame(text, kStart, drawing);
    EXPECT_FLOAT_EQ(frame.base.x, 80.0f);
    EXPECT_FLOAT_EQ(frame.base.y, 100.0f);
    D2D1_POINT_2F right = ApplyMatrix(TextTransform(frame), D2D1_POINT_2F{frame.base.x + 10.0f, frame.base.y});
    EXPECT_NEAR(right.x, 80.0f, 1e-4);
    EXPECT_NEAR(right.y, 95.0f, 1e-4);
}

// A surrogate pair is one character; a high surrogate at the end, or before
// anything but a low surrogate, stands alone and takes nothing after it.
TEST(D2DTextFrame, CharacterUnits)
{
    const wchar_t pair[] = L"a\xD83D\xDE00z";
    EXPECT_EQ(CharacterUnits(pair, 4, 0), 1);
    EXPECT_EQ(CharacterUnits(pair, 4, 1), 2);
    const wchar_t loneAtEnd[] = L"a\xD83D";
    EXPECT_EQ(CharacterUnits(loneAtEnd, 2, 1), 1);
    const wchar_t loneBeforeLetter[] = L"\xD83Dz";
    EXPECT_EQ(CharacterUnits(loneBeforeLetter, 2, 0), 1);
    const wchar_t lowAlone[] = L"\xDE00";
    EXPECT_EQ(CharacterUnits(lowAlone, 1, 0), 1);
}
