// '^' codes split a text into runs: colours, styles, small and overlaid
// characters, the width mark and the leader dots, laid out along the text.
#include <gtest/gtest.h>

#include <vector>

#include "figures/B_FigText.h"
#include "figures/FigFlags.h"
#include "reader/BCN_CImpJWW.h"

namespace {

const wchar_t kHalfDot[] = L"\xFF65";
const wchar_t kFullDot[] = L"\x30FB";

class Codes {
public:
    Codes()
    {
        m_reader.m_header.m_penColor[3] = 0x0000FF;
        m_source.colour = 0x123456;
        m_source.start = Point2D(10, 20);
        m_source.width = 2;
        m_source.height = 4;
        m_source.fontName = L"Font";
    }

    B_FigText& Source() { return m_source; }

    bool Parse(const CStringW& text)
    {
        m_source.text = text;
        return m_reader.ParseTextCodes(&m_source);
    }

    std::vector<B_FigText*> Runs()
    {
        std::vector<B_FigText*> runs;
        CFigNodeList& list = m_reader.GetTextRuns();
        for (POSITION at = list.GetHeadPosition(); at;)
            runs.push_back(static_cast<B_FigText*>(list.GetNext(at)->fig));
        return runs;
    }

    std::vector<std::wstring> RunTexts()
    {
        std::vector<std::wstring> texts;
        for (B_FigText* run : Runs())
            texts.push_back(run->text.GetString());
        return texts;
    }

private:
    BCN_CImpJWW m_reader;
    B_FigText m_source;
};

void ExpectAt(const Point2D& point, double x, double y)
{
    EXPECT_NEAR(point.x, x, 1e-9);
    EXPECT_NEAR(point.y, y, 1e-9);
}

TEST(TextCodes, PlainTextsAreDrawnAsTheyStand)
{
    Codes codes;
    EXPECT_FALSE(codes.Parse(L"ABC"));
    EXPECT_TRUE(codes.Runs().empty());
    EXPECT_FALSE(codes.Parse(L""));
}

TEST(TextCodes, SuperscriptRunIsSmallerAndRaised)
{
    Codes codes;
    ASSERT_TRUE(codes.Parse(L"AB^uX"));
    std::vector<B_FigText*> runs = codes.Runs();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0]->text, CStringW(L"AB"));
    ExpectAt(runs[0]->start, 10, 20);
    EXPECT_EQ(runs[0]->textFlags, 0);
    EXPECT_EQ(runs[1]->text, CStringW(L"X"));
    EXPECT_DOUBLE_EQ(runs[1]->width, 1.4);
    EXPECT_DOUBLE_EQ(runs[1]->height, 2.8);
    EXPECT_EQ(runs[1]->spacing, 0.0);
    // Two half-width characters take one cell; the run is raised by 0.6 of
    // its own height.
    ExpectAt(runs[1]->start, 12, 20 + 0.6 * 2.8);
    EXPECT_EQ(runs[1]->textFlags & TextFlag::RunKindMask, 0);
}

TEST(TextCodes, StylesColoursAndLiterals)
{
    struct Case {
        const wchar_t* text;
        std::vector<std::wstring> runs;
    };
    const Case cases[] = {
        {L"^!Bold^#Plain", {L"Bold", L"Plain"}},
        {L"^$3X", {L"X"}},
        {L"^$X", {L"^$X"}},
        {L"^*A^B", {L"A^B"}},
        {L"^*A^^^!B", {L"A", L"B"}},
        {L"A^3", {L"A", L"^3"}},
        {L"AB^^", {L"AB"}},
        {L"AB^$", {L"AB"}},
        {L"^w\x3042\x3044", {L"^w\x3042\x3044"}},
        {L"^%^BX", {L"^BX"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
        Codes codes;
        EXPECT_TRUE(codes.Parse(c.text));
        EXPECT_EQ(codes.RunTexts(), c.runs);
    }
    Codes codes;
    codes.Parse(L"^!Bold^#Plain");
    EXPECT_EQ(codes.Runs()[0]->textFlags, TextFlag::Bold);
    EXPECT_EQ(codes.Runs()[1]->textFlags, 0);
    codes.Parse(L"^$3X");
    EXPECT_EQ(codes.Runs()[0]->colour, 0x0000FFu);
    codes.Parse(L"^*A^^^!B");
    EXPECT_EQ(codes.Runs()[1]->textFlags, TextFlag::Bold);
    codes.Parse(L"^/^_^-^\\S^&^%T");
    ASSERT_EQ(codes.Runs().size(), 2u);
    EXPECT_EQ(codes.Runs()[0]->textFlags, TextFlag::Italic | TextFlag::Underline | TextFlag::StrikeOut);
    EXPECT_EQ(codes.Runs()[0]->fontName, CStringW(L"\xFF2D\xFF33 \x30B4\x30B7\x30C3\x30AF"));
    EXPECT_EQ(codes.Runs()[1]->textFlags, 0);
    EXPECT_EQ(codes.Runs()[1]->fontName, CStringW(L"Font"));
}

TEST(TextCodes, WidthMarkNarrowsTheRuns)
{
    Codes codes;
    codes.Source().spacing = 1;
    ASSERT_TRUE(codes.Parse(L"ABCD^2"));
    std::vector<B_FigText*> runs = codes.Runs();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0]->text, CStringW(L"ABCD"));
    EXPECT_DOUBLE_EQ(runs[0]->width, 1.0);
    EXPECT_DOUBLE_EQ(runs[0]->spacing, 0.5);
    EXPECT_DOUBLE_EQ(runs[0]->height, 4.0);

    // More narrowing than characters: nothing changes.
    ASSERT_TRUE(codes.Parse(L"AB^u^9"));
    for (B_FigText* run : codes.Runs())
        EXPECT_NE(run->width, 0.0);
}

TEST(TextCodes, LeaderDotsSpreadTheText)
{
    Codes codes;
    codes.Source().spacing = 0.5;
    ASSERT_TRUE(codes.Parse(CStringW(L"ABCDEF") + kHalfDot));
    ASSERT_EQ(codes.RunTexts(), std::vector<std::wstring>{L"ABCDEF"});
    EXPECT_DOUBLE_EQ(codes.Runs()[0]->spacing, 0.5 + (0.5 * 2 + 0.5) / 2.5);

    codes.Source().spacing = 0.01;
    ASSERT_TRUE(codes.Parse(CStringW(L"ABCDEF") + kHalfDot));
    EXPECT_EQ(codes.RunTexts(), std::vector<std::wstring>{L"ABCDEF"});
    EXPECT_EQ(codes.Runs()[0]->spacing, 0.01);

    ASSERT_TRUE(codes.Parse(CStringW(L"AB") + kFullDot + kFullDot + kHalfDot));
    EXPECT_EQ(codes.RunTexts(), std::vector<std::wstring>{std::wstring(L"AB") + kFullDot});

    EXPECT_FALSE(codes.Parse(CStringW(kHalfDot) + kHalfDot + kFullDot));
    EXPECT_FALSE(codes.Parse(CStringW(L"A") + kHalfDot));
}

TEST(TextCodes, NearlyRightAnglesLayOutExactly)
{
    Codes codes;
    codes.Source().angle = 89.99995;
    ASSERT_TRUE(codes.Parse(L"AB^uX"));
    // The pen (12, 21.68) in the text's frame, turned by exactly 90 degrees.
    ExpectAt(codes.Runs()[1]->start, 10 - 0.6 * 2.8, 22);
}

TEST(TextCodes, OverlaidRunsTakeNoRoom)
{
    Codes codes;
    ASSERT_TRUE(codes.Parse(L"A^oBC"));
    std::vector<B_FigText*> runs = codes.Runs();
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[1]->textFlags, TextFlag::NudgeFullWidth);
    EXPECT_DOUBLE_EQ(runs[1]->width, 1.2);
    // Over the previous character A at (10, 20).
    ExpectAt(runs[1]->start, 10 + 0.6 * 1.2, 20 + 0.4 * 2.4);
    ExpectAt(runs[2]->start, 11, 20);

    codes.Source().textFlags = TextFlag::Vertical;
    ASSERT_TRUE(codes.Parse(L"A^nB"));
    runs = codes.Runs();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[1]->textFlags, TextFlag::Vertical | TextFlag::HalfShiftFirst);
    ExpectAt(runs[1]->start, 10, 20);
}

}  // namespace
