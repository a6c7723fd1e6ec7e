#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>
#include "framework/WindowTestSupport.h"
#include "markup/core/KvoMarkupPtr.h"
#include "markup/drawing/KvoMarkupBrush.h"
#include "markup/text/KvoMarkupHyperlink.h"
#include "markup/text/KvoMarkupInlineUIContainer.h"
#include "markup/text/KvoMarkupTextLayout.h"
#include "markup/values/KvoMarkupString.h"
#include "markup/values/KvoMarkupThickness.h"
#include "toolkit/foundation/images/KvoImageTestSupport.h"
#include "toolkit/markup/support/MarkupObjectTest.h"
#include "toolkit/markup/support/MarkupTestElement.h"
#include "toolkit/markup/support/MarkupTextTestSupport.h"

using KvoMarkupTextBlockTest = MarkupObjectTest;

namespace {
typedef CKvoMarkupTextElement Text;

const COLORREF kWhite = RGB(255, 255, 255);

// What a test reads of one laid-out piece.
struct PieceView {
    const CKvoMarkupInline* inlineElement;
    int start;
    int end;
    RECT rect;
};

// Pieces line by line.
std::vector<std::vector<PieceView>> Pieces(const CKvoMarkupTextBlock* block)
{
    std::vector<std::vector<PieceView>> lines;
    for (const auto& line : block->GetLines()) {
        lines.emplace_back();
        for (const auto& piece : line->pieces)
            lines.back().push_back({piece->GetInline(), piece->start, piece->end, piece->GetRect()});
    }
    return lines;
}

// The text a run piece shows.
std::wstring PieceText(const PieceView& piece)
{
    const CKvoMarkupRun* run = static_cast<const CKvoMarkupRun*>(piece.inlineElement);
    return std::wstring(run->GetText()->GetString() + piece.start, piece.end - piece.start);
}

// Lays out block for a width on a measuring context.
void Measure(CKvoMarkupTextBlock* block, int width, int height = 1000)
{
    CKvoMarkupDrawingContext measuring;
    block->Measure(&measuring, width, height);
    block->Arrange({0, 0, width, height});
}

// The columns of row y (in [left, right)) where the canvas is not white.
std::vector<int> InkColumns(TestCanvas& canvas, int y, int left, int right)
{
    std::vector<int> columns;
    for (int x = left; x < right; ++x) {
        if (canvas.Pixel(x, y) != kWhite)
            columns.push_back(x);
    }
    return columns;
}

}

TEST_F(KvoMarkupTextBlockTest, TwoWordsOnOneLineWithoutWrapAndOnTwoWithWrap)
{
    TextMeasure measure;
    const int narrow = measure.Width(L"Hello wor");
    CKvoMarkupPtr<CKvoMarkupTextBlock> block(NewTextBlock({NewRun(L"Hello world")}));
    Measure(block.Get(), narrow);
    auto lines = Pieces(block.Get());
    ASSERT_EQ(lines.size(), 1u);
    ASSERT_EQ(lines[0].size(), 1u) << "one run on one line stays one piece";
    EXPECT_EQ(lines[0][0].rect.right, measure.Width(L"Hello world"));
    EXPECT_EQ(block->GetDesiredSize().cx, narrow) << "the desired size is cut to the room";
    EXPECT_EQ(block->GetTextSize().cx, measure.Width(L"Hello world"));

    SetEnum(block.Get(), CKvoMarkupTextBlock::s_textWrappingProperty, KvoMarkupTextWrapping::Wrap);
    Measure(block.Get(), narrow);
    lines = Pieces(block.Get());
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(PieceText(lines[0][0]), L"Hello");
    EXPECT_EQ(PieceText(lines[1][0]), L"world") << "the second line does not start with the blank";
    EXPECT_EQ(lines[1][0].rect.left, 0);
    EXPECT_EQ(lines[1][0].rect.top, measure.Height());
    EXPECT_EQ(block->GetTextSize().cy, 2 * measure.Height());
    EXPECT_EQ(block->GetTextSize().cx, measure.Width(L"Hello")) << "the blank went with the second word";
}

TEST_F(KvoMarkupTextBlockTest, WordOfTwoRunsMovesToTheNextLineAsAWhole)
{
    TextMeasure measure;
    TextMeasure bold(FW_BOLD);
    CKvoMarkupRun* initial = NewRun(L"W");
    CKvoMarkupRun* rest = NewRun(L"orld");
    CKvoMarkupPtr<CKvoMarkupTextBlock> block(
        NewTextBlock({NewRun(L"Hello "), NewSpan<CKvoMarkupBold>({initial}), rest}));
    SetEnum(block.Get(), CKvoMarkupTextBlock::s_textWrappingProperty, KvoMarkupTextWrapping::Wrap);
    // Room for "Hello W" but not for the whole word.
    Measure(block.Get(), measure.Width(L"Hello ") + bold.Width(L"W") + 1);
    auto lines = Pieces(block.Get());
    ASSERT_EQ(lines.size(), 2u);
    ASSERT_EQ(lines[1].size(), 2u);
    EXPECT_EQ(lines[1][0].inlineElement, initial);
    EXPECT_EQ(lines[1][0].rect.left, 0);
    EXPECT_EQ(lines[1][0].rect.right, bold.Width(L"W"));
    EXPECT_EQ(lines[1][1].inlineElement, rest);
    EXPECT_EQ(lines[1][1].rect.left, bold.Width(L"W"));
}

TEST_F(KvoMarkupTextBlockTest, LineFeedsMakeLinesAndAnEmptyLineHasTheFontHeight)
{
    TextMeasure measure;
    for (int wrapping : {KvoMarkupTextWrapping::NoWrap, KvoMarkupTextWrapping::Wrap}) {
        CKvoMarkupPtr<CKvoMarkupTextBlock> block(
            NewTextBlock({NewRun(L"a\n\nb"), new CKvoMarkupLineBreak, NewRun(L"c")}));
        SetEnum(block.Get(), CKvoMarkupTextBlock::s_textWrappingProperty, wrapping);
        Measure(block.Get(), 500);
        auto lines = Pieces(block.Get());
        ASSERT_EQ(lines.size(), 4u) << "wrapping " << wrapping;
        EXPECT_EQ(PieceText(lines[0][0]), L"a");
        ASSERT_EQ(lines[1].size(), 1u);
        EXPECT_EQ(PieceText(lines[1][0]), L"\n");
        EXPECT_EQ(lines[1][0].rect.bottom - lines[1][0].rect.top, measure.Height());
        EXPECT_EQ(lines[1][0].rect.right - lines[1][0].rect.left, 0) << "a line feed takes no width";
        EXPECT_EQ(PieceText(lines[2][0]), L"b");
        EXPECT_EQ(PieceText(lines[3][0]), L"c");
        EXPECT_EQ(block->GetTextSize().cy, 4 * measure.Height());
    }
}

TEST_F(KvoMarkupTextBlockTest, EllipsisCutsAfterWhatFitsByCharacterOrByWord)
{
    TextMeasure measure;
    const int ellipsis = measure.Width(L"...");
    struct Row {
        int trimming;
        const wchar_t* text;
        const wchar_t* fitting; // what the room is made for, less one pixel
        const wchar_t* kept;
    } rows[] = {
        {KvoMarkupTextTrimming::CharacterEllipsis, L"abcdefghijkl", L"abcdef", L"abcde"},
        {KvoMarkupTextTrimming::WordEllipsis, L"aaa bbb ccc ddd", L"aaa bbb cc", L"aaa bbb"},
        // One long word: the word cut falls back to the character cut.
        {KvoMarkupTextTrimming::WordEllipsis, L"abcdefghijkl", L"abcdef", L"abcde"},
    };
    for (const Row& row : rows) {
        CKvoMarkupPtr<CKvoMarkupTextBlock> block(NewTextBlock({NewRun(row.text)}));
        SetEnum(block.Get(), CKvoMarkupTextBlock::s_textTrimmingProperty, row.trimming);
        const int width = measure.Width(row.fitting) - 1 + ellipsis;
        Measure(block.Get(), width);
        auto lines = Pieces(block.Get());
        ASSERT_EQ(lines.size(), 1u);
        ASSERT_EQ(lines[0].size(), 2u) << row.text;
        EXPECT_EQ(PieceText(lines[0][0]), row.kept) << row.text << " trimming " << row.trimming;
        EXPECT_EQ(PieceText(lines[0][1]), L"...");
        EXPECT_EQ(lines[0][1].rect.left, measure.Width(row.kept));
        EXPECT_LE(lines[0][1].rect.right, width);
    }
}

TEST_F(KvoMarkupTextBlockTest, BlockNarrowerThanTheEllipsisShowsTheEllipsisAlone)
{
    for (int trimming : {KvoMarkupTextTrimming::CharacterEllipsis, KvoMarkupTextTrimming::WordEllipsis}) {
        CKvoMarkupPtr<CKvoMarkupTextBlock> block(NewTextBlock({NewRun(L"abc def"), NewRun(L"ghi")}));
        SetEnum(block.Get(), CKvoMarkupTextBlock::s_textTrimmingProperty, trimming);
        TestCanvas canvas(40, 30);
        LayOutAndRender(block.Get(), canvas.Dc()->GetSafeHdc(), 3, 30);
        auto lines = Pieces(block.Get());
        ASSERT_EQ(lines.size(), 1u);
        ASSERT_EQ(lines[0].size(), 2u);
        EXPECT_EQ(lines[0][0].start, 0);
        EXPECT_EQ(lines[0][0].end, 0) << "nothing of the text is left";
        EXPECT_EQ(PieceText(lines[0][1]), L"...");
        EXPECT_EQ(lines[0][1].rect.left, 0);
    }
}

TEST_F(KvoMarkupTextBlockTest, AlignmentPlacesLinesInsideThePadding)
{
    TextMeasure measure;
    const int blockWidth = 200;
    struct Row {
        int alignment;
        int expectedLeft; // for the line "Short"
    } rows[] = {
        {KvoMarkupTextAlignment::Left, 10},
        {KvoMarkupTextAlignment::Right, blockWidth - 10 - measure.Width(L"Short")},
        {KvoMarkupTextAlignment::Center, 10 + (blockWidth - 20 - measure.Width(L"Short")) / 2},
    };
    for (const Row& row : rows) {
        CKvoMarkupPtr<CKvoMarkupTextBlock> block(NewTextBlock({NewRun(L"Short\nA longer line")}));
        block->SetValue(CKvoMarkupTextBlock::s_paddingProperty, new CKvoMarkupThickness(10, 10, 10, 10));
        SetEnum(block.Get(), CKvoMarkupTextBlock::s_textAlignmentProperty, row.alignment);
        block->SetValue(CKvoMarkupFrameworkElement::s_horizontalAlignmentProperty,
                        CKvoMarkupEnum::GetShared(3)); // stretch: the block takes the whole width
        TestCanvas canvas(blockWidth, 80);
        LayOutAndRender(block.Get(), canvas.Dc()->GetSafeHdc(), blockWidth, 80);
        auto lines = Pieces(block.Get());
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0][0].rect.left, row.expectedLeft) << "alignment " << row.alignment;
        EXPECT_EQ(lines[0][0].rect.top, 10);
        if (row.alignment == KvoMarkupTextAlignment::Right) {
            EXPECT_EQ(lines[1][0].rect.right, blockWidth - 10);
        }

        // The ink of the first line stays within the piece.
        std::vector<int> ink;
        for (int y = lines[0][0].rect.top; y < lines[0][0].rect.bottom; ++y) {
            for (int x : InkColumns(canvas, y, 0, blockWidth))
                ink.push_back(x);
        }
        ASSERT_FALSE(ink.empty());
        EXPECT_GE(*std::min_element(ink.begin(), ink.end()), lines[0][0].rect.left);
        EXPECT_LT(*std::max_element(ink.begin(), ink.end()), lines[0][0].rect.right + 1);
    }
    CKvoMarkupPtr<CKvoMarkupTextBlock> empty(new CKvoMarkupTextBlock);
    empty->SetValue(CKvoMarkupTextBlock::s_paddingProperty, new CKvoMarkupThickness(3, 4, 5, 6));
    CKvoMarkupDrawingContext measuring;
    empty->Measure(&measuring, 100, 100);
    EXPECT_EQ(empty->GetDesiredSize().cx, 8);
    EXPECT_EQ(empty->GetDesiredSize().cy, 10);
}

TEST_F(KvoMarkupTextBlockTest, SubscriptSitsLowerAndSuperscriptHigher)
{
    const int size = 12;
    TextMeasure measure(FW_NORMAL, size);
    for (int alignment : {KvoMarkupBaselineAlignment::Subscript, KvoMarkupBaselineAlignment::Superscript}) {
        CKvoMarkupRun* base = NewRun(L"H");
        CKvoMarkupRun* script = NewRun(L"2");
        CKvoMarkupPtr<CKvoMarkupTextBlock> block(NewTextBlock({base, script, NewRun(L"O")}));
        block->SetValue(Text::s_fontSizeProperty, new CKvoMarkupInt(size));
        SetEnum(script, CKvoMarkupInline::s_baselineAlignmentProperty, alignment);
        Measure(block.Get(), 300);
        auto lines = Pieces(block.Get());
        ASSERT_EQ(lines.size(), 1u);
        ASSERT_EQ(lines[0].size(), 3u);
        const int lineDescent = measure.Descent();
        if (alignment == KvoMarkupBaselineAlignment::Subscript) {
            EXPECT_EQ(lines[0][1].rect.top - lines[0][0].rect.top, lineDescent - lineDescent / 2);
            EXPECT_GT(lines[0][1].rect.top, lines[0][0].rect.top);
        } else {
            EXPECT_LT(lines[0][1].rect.top, lines[0][0].rect.top);
        }
        EXPECT_EQ(lines[0][2].rect.top, lines[0][0].rect.top) << "the neighbours share the baseline";
    }
}

TEST_F(KvoMarkupTextBlockTest, UnderlineOfAHyperlinkIsDrawnInTheLinkColour)
{
    CKvoMarkupHyperlink* link = NewSpan<CKvoMarkupHyperlink>({NewRun(L"Link text")});
    CKvoMarkupPtr<CKvoMarkupTextBlock> block(NewTextBlock({NewRun(L"Go "), link}));
    auto bar = [&](TestCanvas& canvas) {
        LayOutAndRender(block.Get(), canvas.Dc()->GetSafeHdc(), 200, 40);
        const auto& lines = block->GetLines();
        const CKvoMarkupTextPiece& piece = *lines[0]->pieces[1];
        const RECT rect = piece.GetRect();
        const int thickness = std::max(1, lines[0]->descent / 3);
        const int top = rect.bottom - piece.descent + thickness;
        return RECT{rect.left, top, rect.right, top + thickness};
    };
    {
        TestCanvas canvas(200, 40);
        const RECT underline = bar(canvas);
        const int area = (underline.right - underline.left) * (underline.bottom - underline.top);
        EXPECT_EQ(CountCanvasColor(canvas, underline, RGB(0, 0, 255)), area);
    }
    CKvoMarkupRoutedEventArgs enter;
    enter.event = CKvoMarkupInputElement::s_mouseEnterEvent;
    link->RaiseEventThenClassHandler(enter, &CKvoMarkupInputElement::OnMouseEnter);
    {
        TestCanvas canvas(200, 40);
        const RECT underline = bar(canvas);
        const int area = (underline.right - underline.left) * (underline.bottom - underline.top);
        EXPECT_EQ(CountCanvasColor(canvas, underline, RGB(255, 0, 0)), area);
        // The plain run before it is neither underlined nor coloured.
        const RECT plain = block->GetLines()[0]->pieces[0]->GetRect();
        EXPECT_EQ(CountCanvasColor(canvas, {plain.left, underline.top, plain.right, underline.bottom}, RGB(255, 0, 0)), 0);
    }
}

TEST_F(KvoMarkupTextBlockTest, StrikethroughAndBackgroundsOfRuns)
{
    CKvoMarkupRun* struck = NewRun(L"struck");
    SetEnum(struck, Text::s_textDecorationsProperty, KvoMarkupTextDecoration::Strikethrough);
    struck->SetValue(Text::s_foregroundProperty, new CKvoMarkupSolidColorBrush(RGB(0, 128, 0)));
    CKvoMarkupRun* marked = NewRun(L"marked");
    marked->SetValue(Text::s_backgroundProperty, new CKvoMarkupSolidColorBrush(RGB(255, 255, 0)));
    CKvoMarkupPtr<CKvoMarkupTextBlock> block(NewTextBlock({struck, marked}));
    TestCanvas canvas(200, 40);
    LayOutAndRender(block.Get(), canvas.Dc()->GetSafeHdc(), 200, 40);
    const auto& line = *block->GetLines()[0];
    const RECT struckRect = line.pieces[0]->GetRect();
    const int baseline = struckRect.bottom - line.pieces[0]->descent;
    const int top = baseline + line.descent - (line.height - line.descent) / 2;
    const int thickness = std::max(1, line.descent / 3);
    EXPECT_EQ(CountCanvasColor(canvas, {struckRect.left, top, struckRect.right, top + thickness}, RGB(0, 128, 0)),
              (struckRect.right - struckRect.left) * thickness);
    const RECT markedRect = line.pieces[1]->GetRect();
    EXPECT_EQ(canvas.Pixel(markedRect.left, markedRect.top), RGB(255, 255, 0));
    EXPECT_EQ(canvas.Pixel(markedRect.right - 1, markedRect.bottom - 1), RGB(255, 255, 0));
    EXPECT_EQ(canvas.Pixel(markedRect.right + 1, markedRect.top), kWhite);
}

TEST_F(KvoMarkupTextBlockTest, HitTestFindsTheInlineOrEmbeddedElementUnderThePoint)
{
    CKvoMarkupRun* plain = NewRun(L"plain ");
    CKvoMarkupRun* inLink = NewRun(L"link");
    CTestMarkupFrameworkElement* embedded = NewTestFrameworkElement({20, 10});
    CKvoMarkupInlineUIContainer* container = new CKvoMarkupInlineUIContainer;
    container->SetChild(embedded);
    CKvoMarkupPtr<CKvoMarkupTextBlock> block(
        NewTextBlock({plain, NewSpan<CKvoMarkupHyperlink>({inLink}), container}));
    Measure(block.Get(), 400, 100);
    const auto& pieces = block->GetLines()[0]->pieces;
    ASSERT_EQ(pieces.size(), 3u);
    const RECT linkRect = pieces[1]->GetRect();
    const RECT embeddedRect = pieces[2]->GetRect();
    EXPECT_EQ(block->InputHitTestCore(linkRect.left + 1, linkRect.top + 1), inLink);
    EXPECT_EQ(block->InputHitTestCore(1, pieces[0]->GetRect().top + 1), plain);
    EXPECT_EQ(embedded->GetFinalRect().left, embeddedRect.left) << "the embedded element is arranged on its piece";
    EXPECT_EQ(block->InputHitTestCore(embeddedRect.left + 1, embeddedRect.top + 1), embedded);
    EXPECT_EQ(block->InputHitTestCore(399, 99), block.Get());
}

TEST_F(KvoMarkupTextBlockTest, TextReplacesTheInlinesAndLayoutsAreKeptByWidth)
{
    TextMeasure measure;
    CKvoMarkupPtr<CKvoMarkupTextBlock> block(NewTextBlock({NewRun(L"old"), NewRun(L"runs")}));
    block->SetValue(CKvoMarkupTextBlock::s_textProperty, CKvoMarkupString::CreateString(L"new text"));
    ASSERT_EQ(block->GetInlines()->GetCount(), 1);
    Measure(block.Get(), 300);
    EXPECT_EQ(PieceText(Pieces(block.Get())[0][0]), L"new text");

    // Neither wrapping nor trimming: the lines stand for any width.
    const CKvoMarkupTextLine* line = block->GetLines()[0].get();
    Measure(block.Get(), 20);
    EXPECT_EQ(block->GetLines()[0].get(), line);
    SetEnum(block.Get(), CKvoMarkupTextBlock::s_textWrappingProperty, KvoMarkupTextWrapping::Wrap);
    Measure(block.Get(), measure.Width(L"new"));
    EXPECT_EQ(block->GetLines().size(), 2u);

    // A change inside lays the block out again at once, for its last room.
    CKvoMarkupRun* run = static_cast<CKvoMarkupRun*>(block->GetInlines()->GetInline(0));
    run->SetText(L"one two three");
    EXPECT_EQ(block->GetLines().size(), 3u);
    EXPECT_EQ(PieceText(Pieces(block.Get())[2][0]), L"three");

    // Trimming keeps its lines for the same width.
    SetEnum(block.Get(), CKvoMarkupTextBlock::s_textTrimmingProperty, KvoMarkupTextTrimming::CharacterEllipsis);
    CKvoMarkupDrawingContext measuring;
    block->MeasureOverride(&measuring, 60, 100);
    const CKvoMarkupTextLine* trimmed = block->GetLines()[0].get();
    block->MeasureOverride(&measuring, 60, 100);
    EXPECT_EQ(block->GetLines()[0].get(), trimmed);

    block->SetValue(CKvoMarkupTextBlock::s_textProperty, nullptr);
    Measure(block.Get(), 300);
    EXPECT_TRUE(block->GetLines().empty()) << "an unset text gives a run without text";
    EXPECT_EQ(block->GetDesiredSize().cy, 0);
}

TEST_F(KvoMarkupTextBlockTest, PictureOfMixedRunsAndAHyperlink)
{
    CKvoMarkupRun* colored = NewRun(L"green");
    colored->SetValue(Text::s_foregroundProperty, new CKvoMarkupSolidColorBrush(RGB(0, 128, 0)));
    CKvoMarkupRun* big = NewRun(L"Big");
    big->SetValue(Text::s_fontSizeProperty, new CKvoMarkupInt(24));
    CKvoMarkupRun* raised = NewRun(L"2");
    SetEnum(raised, CKvoMarkupInline::s_baselineAlignmentProperty, KvoMarkupBaselineAlignment::Superscript);
    CKvoMarkupPtr<CKvoMarkupTextBlock> block(NewTextBlock(
        {NewRun(L"Plain, "), NewSpan<CKvoMarkupBold>({NewRun(L"bold")}), NewRun(L", "),
         NewSpan<CKvoMarkupItalic>({NewRun(L"italic")}), NewRun(L", "),
         NewSpan<CKvoMarkupUnderline>({NewRun(L"underlined")}), NewRun(L" and "), colored, NewRun(L" text. "), big,
         NewRun(L" x"), raised, NewRun(L" Visit "), NewSpan<CKvoMarkupHyperlink>({NewRun(L"the link")}),
         NewRun(L" to wrap onto a second line.")}));
    SetEnum(block.Get(), CKvoMarkupTextBlock::s_textWrappingProperty, KvoMarkupTextWrapping::Wrap);
    block->SetValue(CKvoMarkupTextBlock::s_paddingProperty, new CKvoMarkupThickness(6, 6, 6, 6));
    TestCanvas canvas(320, 90);
    LayOutAndRender(block.Get(), canvas.Dc()->GetSafeHdc(), 320, 90);
    EXPECT_GE(block->GetLines().size(), 2u);
    EXPECT_GT(CountCanvasColor(canvas, {0, 0, 320, 90}, RGB(0, 0, 255)), 0) << "the link is blue";
    EXPECT_GT(CountCanvasColor(canvas, {0, 0, 320, 90}, RGB(0, 128, 0)), 0);
    EXPECT_TRUE(SaveBitmapAsPng(canvas.Bitmap(), (TestOutputFolder() + L"\\markup-textblock-mixed.png").c_str()));
}
