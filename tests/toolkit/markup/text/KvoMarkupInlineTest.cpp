#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "markup/core/KvoMarkupDependencyProperty.h"
#include "markup/core/KvoMarkupPtr.h"
#include "markup/core/KvoMarkupType.h"
#include "markup/drawing/KvoMarkupBrush.h"
#include "markup/drawing/KvoMarkupFont.h"
#include "markup/text/KvoMarkupHyperlink.h"
#include "markup/text/KvoMarkupInlineUIContainer.h"
#include "markup/values/KvoMarkupString.h"
#include "toolkit/markup/support/MarkupObjectTest.h"
#include "toolkit/markup/support/MarkupTestElement.h"
#include "toolkit/markup/support/MarkupTextTestSupport.h"

using KvoMarkupInlineTest = MarkupObjectTest;

namespace {
typedef CKvoMarkupTextElement Text;

// Every position of inlineElement in order, each with its word, line and
// white-space answers as "w", "l", "s" letters.
std::vector<std::pair<int, std::string>> Positions(const CKvoMarkupInline* inlineElement)
{
    std::vector<std::pair<int, std::string>> positions;
    for (int position = inlineElement->GetFirstPosition(); position != KvoMarkupNoPosition;
         inlineElement->GetNextPosition(position)) {
        std::string kinds;
        if (inlineElement->IsWordBreakPosition(position))
            kinds += "w";
        if (inlineElement->IsLineBreakPosition(position))
            kinds += "l";
        if (inlineElement->IsWhiteSpacePosition(position))
            kinds += "s";
        positions.emplace_back(position, kinds);
    }
    return positions;
}

LOGFONTW LogFontOf(const CKvoMarkupRun* run)
{
    LOGFONTW logFont;
    run->GetLogFont(&logFont);
    return logFont;
}
}

TEST_F(KvoMarkupInlineTest, PositionsOfRunsLineBreaksContainersAndEmptyInlines)
{
    CKvoMarkupPtr<CKvoMarkupRun> run(NewRun(L"a b\t\n"));
    typedef std::vector<std::pair<int, std::string>> List;
    EXPECT_EQ(Positions(run.Get()), (List{{0, ""}, {1, "ws"}, {2, ""}, {3, "ws"}, {4, "wl"}, {5, ""}}));

    CKvoMarkupPtr<CKvoMarkupLineBreak> lineBreak(new CKvoMarkupLineBreak);
    EXPECT_EQ(Positions(lineBreak.Get()), (List{{0, "wl"}, {1, ""}}));

    CKvoMarkupPtr<CKvoMarkupInlineUIContainer> container(new CKvoMarkupInlineUIContainer);
    EXPECT_TRUE(Positions(container.Get()).empty()) << "no element, no positions";
    container->SetChild(NewTestFrameworkElement({7, 5}));
    EXPECT_EQ(Positions(container.Get()), (List{{0, "w"}, {1, "w"}}));
    CKvoMarkupDrawingContext measuring;
    EXPECT_EQ(container->Measure(&measuring, 0, 1).cx, 7);
    EXPECT_EQ(container->Measure(&measuring, 0, 0).cx, 0) << "an empty range holds no element";

    CKvoMarkupPtr<CKvoMarkupRun> empty(NewRun(L""));
    CKvoMarkupPtr<CKvoMarkupRun> unset(new CKvoMarkupRun);
    CKvoMarkupPtr<CKvoMarkupSpan> span(new CKvoMarkupSpan);
    EXPECT_TRUE(Positions(empty.Get()).empty());
    EXPECT_TRUE(Positions(unset.Get()).empty());
    EXPECT_TRUE(Positions(span.Get()).empty());
    int none = KvoMarkupNoPosition;
    run->GetNextPosition(none);
    EXPECT_EQ(none, KvoMarkupNoPosition);
    EXPECT_EQ(run->Measure(&measuring, 2, KvoMarkupNoPosition).cx, 0);
    EXPECT_EQ(run->Measure(&measuring, 2, 2).cx, 0);
}

TEST_F(KvoMarkupInlineTest, LeavesFollowInDocumentOrderThroughNestedAndEmptySpans)
{
    CKvoMarkupRun* first = NewRun(L"1");
    CKvoMarkupRun* second = NewRun(L"2");
    CKvoMarkupRun* third = NewRun(L"3");
    CKvoMarkupSpan* empty = new CKvoMarkupSpan;
    CKvoMarkupPtr<CKvoMarkupTextBlock> block(NewTextBlock(
        {first, NewSpan<CKvoMarkupBold>({NewSpan<CKvoMarkupItalic>({second})}), empty, NewSpan<CKvoMarkupSpan>({third})}));

    std::vector<const CKvoMarkupInline*> leaves;
    for (CKvoMarkupInline* leaf = first; leaf; leaf = leaf->GetNextInline())
        leaves.push_back(leaf);
    EXPECT_EQ(leaves, (std::vector<const CKvoMarkupInline*>{first, second, empty, third}));
    EXPECT_EQ(third->GetIndex(), 0);
    EXPECT_EQ(empty->GetIndex(), 2);
    EXPECT_EQ(second->GetParentFrameworkElement(), block.Get());
}

TEST_F(KvoMarkupInlineTest, FontsComeFromInheritedValuesOverTheDefault)
{
    CKvoMarkupRun* plain = NewRun(L"plain");
    CKvoMarkupRun* inner = NewRun(L"inner");
    CKvoMarkupRun* light = NewRun(L"light");
    SetEnum(light, Text::s_fontWeightProperty, 300);
    CKvoMarkupPtr<CKvoMarkupTextBlock> block(
        NewTextBlock({plain, NewSpan<CKvoMarkupItalic>({NewSpan<CKvoMarkupBold>({inner, light})})}));
    block->SetValue(Text::s_fontSizeProperty, new CKvoMarkupInt(20));
    block->SetValue(Text::s_fontFamilyProperty, CKvoMarkupString::CreateString(L"Tahoma"));

    const LOGFONTW defaults = KvoMarkupTextContext::GetMessageFont();
    const LOGFONTW plainFont = LogFontOf(plain);
    EXPECT_EQ(plainFont.lfHeight, -20);
    EXPECT_EQ(plainFont.lfWeight, defaults.lfWeight);
    EXPECT_EQ(plainFont.lfItalic, 0);
    EXPECT_STREQ(plainFont.lfFaceName, L"Tahoma");

    const LOGFONTW innerFont = LogFontOf(inner);
    EXPECT_EQ(innerFont.lfWeight, 700);
    EXPECT_EQ(innerFont.lfItalic, 1);
    EXPECT_EQ(innerFont.lfHeight, -20);
    EXPECT_EQ(LogFontOf(light).lfWeight, 300) << "a local weight wins over the bold span";
    EXPECT_EQ(LogFontOf(light).lfItalic, 1);
}

TEST_F(KvoMarkupInlineTest, FontFamilyLongerThanTheFaceNameIsCutTo31Characters)
{
    CKvoMarkupPtr<CKvoMarkupRun> run(NewRun(L"x"));
    const std::wstring family(40, L'F');
    run->SetValue(Text::s_fontFamilyProperty, CKvoMarkupString::CreateString(family.c_str()));
    const LOGFONTW logFont = LogFontOf(run.Get());
    EXPECT_EQ(std::wstring(logFont.lfFaceName), family.substr(0, 31));

    const std::wstring exact(31, L'E');
    run->SetValue(Text::s_fontFamilyProperty, CKvoMarkupString::CreateString(exact.c_str()));
    EXPECT_EQ(std::wstring(LogFontOf(run.Get()).lfFaceName), exact);
}

TEST_F(KvoMarkupInlineTest, FontCacheSharesFontsThatDifferOnlyInQualityAndForgetsReleasedOnes)
{
    CKvoMarkupFontCache cache;
    LOGFONTW request = KvoMarkupTextContext::GetMessageFont();
    request.lfQuality = DEFAULT_QUALITY;
    CKvoMarkupPtr<CKvoMarkupFont> first(cache.GetFont(request));
    request.lfQuality = CLEARTYPE_QUALITY;
    request.lfWidth = 3;
    CKvoMarkupPtr<CKvoMarkupFont> second(cache.GetFont(request));
    EXPECT_EQ(first.Get(), second.Get());
    ASSERT_NE(first->GetHandle(), nullptr);

    request.lfWeight = FW_BOLD;
    CKvoMarkupPtr<CKvoMarkupFont> bold(cache.GetFont(request));
    EXPECT_NE(bold.Get(), first.Get());
    wcscpy(request.lfFaceName, L"tahoma");
    LOGFONTW otherCase = request;
    wcscpy(otherCase.lfFaceName, L"Tahoma");
    CKvoMarkupPtr<CKvoMarkupFont> lower(cache.GetFont(request));
    CKvoMarkupPtr<CKvoMarkupFont> upper(cache.GetFont(otherCase));
    EXPECT_NE(lower.Get(), upper.Get()) << "face names compare with case";

    // A released font leaves the list: the next request makes a new one.
    const LOGFONTW boldRequest = bold->GetDescription();
    bold.Reset();
    lower.Reset();
    CKvoMarkupPtr<CKvoMarkupFont> again(cache.GetFont(boldRequest));
    EXPECT_EQ(again->GetDescription().lfWeight, FW_BOLD);
    CKvoMarkupPtr<CKvoMarkupFont> upperAgain(cache.GetFont(otherCase));
    EXPECT_EQ(upperAgain.Get(), upper.Get());
}

TEST_F(KvoMarkupInlineTest, FontOutlivingItsCacheStaysUsable)
{
    CKvoMarkupPtr<CKvoMarkupFont> kept;
    {
        CKvoMarkupFontCache cache;
        kept.Reset(cache.GetFont(KvoMarkupTextContext::GetMessageFont()));
        CKvoMarkupPtr<CKvoMarkupFont> other(cache.GetFont(KvoMarkupTextContext::GetMessageFont()));
    }
    EXPECT_NE(kept->GetHandle(), nullptr);
}

TEST_F(KvoMarkupInlineTest, RunKeepsItsFontWhileAnEqualOneIsAskedFor)
{
    CKvoMarkupPtr<CKvoMarkupRun> run(NewRun(L"Text"));
    CKvoMarkupDrawingContext measuring;
    EXPECT_EQ(run->GetFont(), nullptr);
    EXPECT_EQ(run->GetDescent(), 0);
    run->PrepareMeasure(&measuring);
    CKvoMarkupFont* font = run->GetFont();
    ASSERT_NE(font, nullptr);
    TextMeasure measure;
    EXPECT_EQ(run->GetDescent(), measure.Descent());
    EXPECT_EQ(run->Measure(&measuring, 0, 4).cx, measure.Width(L"Text"));
    EXPECT_EQ(run->Measure(&measuring, 1, 3).cx, measure.Width(L"ex"));

    run->SetValue(Text::s_fontQualityProperty, CKvoMarkupEnum::GetShared(5));
    run->PrepareMeasure(&measuring);
    EXPECT_EQ(run->GetFont(), font) << "quality alone makes no new font";
    SetEnum(run.Get(), Text::s_fontWeightProperty, 700);
    run->PrepareMeasure(&measuring);
    EXPECT_NE(run->GetFont(), font);
    EXPECT_EQ(run->GetFont()->GetDescription().lfWeight, 700);
}

TEST_F(KvoMarkupInlineTest, ContentBecomesInlinesOrIsRefused)
{
    CKvoMarkupPtr<CKvoMarkupTextBlock> block(new CKvoMarkupTextBlock);
    block->SetContentObject(nullptr, CKvoMarkupString::CreateString(L"words"));
    block->SetContentObject(nullptr, NewTestFrameworkElement({3, 3}));
    block->SetContentObject(nullptr, NewRun(L"run"));
    CKvoMarkupInlineCollection* inlines = block->GetInlines();
    ASSERT_EQ(inlines->GetCount(), 3);
    ASSERT_TRUE(inlines->GetInline(0)->IsKindOf(CKvoMarkupRun::s_type));
    EXPECT_STREQ(static_cast<CKvoMarkupRun*>(inlines->GetInline(0))->GetText()->GetString(), L"words");
    ASSERT_TRUE(inlines->GetInline(1)->IsKindOf(CKvoMarkupInlineUIContainer::s_type));
    EXPECT_EQ(static_cast<CKvoMarkupInlineUIContainer*>(inlines->GetInline(1))->GetChild()->GetLogicalParent(),
              inlines->GetInline(1));
    EXPECT_EQ(inlines->GetInline(2)->GetIndex(), 2);
    EXPECT_TRUE(block->HasContentObject());
    EXPECT_TRUE(block->AllowWhiteSpaceContent());

    EXPECT_EQ(CatchMarkupBuildError([&] { block->SetContentObject(nullptr, new CKvoMarkupInt(1)); }),
              L"'CKvoMarkupInt' object cannot be added to 'CKvoMarkupInlineCollection'. Object cannot be converted "
              L"to type 'CKvoMarkupInline'");
    CKvoMarkupPtr<CKvoMarkupInlineCollection> orphan(new CKvoMarkupInlineCollection);
    EXPECT_EQ(CatchMarkupBuildError([&] { orphan->SetContentObject(nullptr, CKvoMarkupString::CreateString(L"x")); }),
              L"'CKvoMarkupString' object cannot be added to 'CKvoMarkupInlineCollection'. Object cannot be "
              L"converted to type 'CKvoMarkupInline'");
    CKvoMarkupPtr<CKvoMarkupInlineUIContainer> container(new CKvoMarkupInlineUIContainer);
    EXPECT_EQ(CatchMarkupBuildError([&] { container->SetContentObject(nullptr, NewRun(L"x")); }),
              L"'CKvoMarkupRun' object cannot be added to 'CKvoMarkupInlineUIContainer'. Object cannot be converted "
              L"to type 'CKvoMarkupUIElement'");
    CKvoMarkupPtr<CKvoMarkupRun> run(new CKvoMarkupRun);
    EXPECT_FALSE(run->HasContentObject());
    run->SetContentObject(nullptr, CKvoMarkupString::CreateString(L"set"));
    EXPECT_TRUE(run->HasContentObject());
}

TEST_F(KvoMarkupInlineTest, ChangesReachTheHostingElementByTheirFlags)
{
    CKvoMarkupPtr<CTestMarkupFrameworkElement> host(NewTestFrameworkElement());
    CKvoMarkupPtr<CKvoMarkupInlineCollection> inlines(new CKvoMarkupInlineCollection);
    inlines->SetLogicalParent(host.Get());
    CKvoMarkupRun* run = NewRun(L"x");
    AddInlines(inlines.Get(), {NewSpan<CKvoMarkupSpan>({run})});

    host->ResetCounters();
    run->SetValue(Text::s_fontSizeProperty, new CKvoMarkupInt(30));
    EXPECT_EQ(host->invalidateMeasureCalls, 1);
    EXPECT_EQ(host->invalidateVisualCalls, 0);

    host->ResetCounters();
    run->SetValue(Text::s_foregroundProperty, new CKvoMarkupSolidColorBrush(RGB(1, 2, 3)));
    EXPECT_EQ(host->invalidateMeasureCalls, 0);
    EXPECT_EQ(host->invalidateArrangeCalls, 0);
    EXPECT_EQ(host->invalidateVisualCalls, 1);

    host->ResetCounters();
    SetEnum(run, CKvoMarkupInline::s_baselineAlignmentProperty, KvoMarkupBaselineAlignment::Subscript);
    EXPECT_EQ(host->invalidateArrangeCalls, 1);
    inlines->SetLogicalParent(nullptr);
}

TEST_F(KvoMarkupInlineTest, HyperlinkIsBlueUnderlinedWithTheHandAndRedWhileHovered)
{
    CKvoMarkupRun* run = NewRun(L"link");
    CKvoMarkupPtr<CKvoMarkupHyperlink> link(NewSpan<CKvoMarkupHyperlink>({run}));
    auto color = [](const CKvoMarkupObject* object) {
        const CKvoMarkupBrush* brush = static_cast<const CKvoMarkupBrush*>(object->GetValue(Text::s_foregroundProperty));
        return brush ? brush->GetColor() : CLR_NONE;
    };
    EXPECT_EQ(color(run), RGB(0, 0, 255));
    EXPECT_EQ(MarkupIntValue(link.Get(), CKvoMarkupInputElement::s_cursorProperty), 32649);
    const CKvoMarkupEnum* decoration =
        static_cast<const CKvoMarkupEnum*>(run->GetValue(Text::s_textDecorationsProperty));
    ASSERT_NE(decoration, nullptr);
    EXPECT_EQ(decoration->GetValue(), KvoMarkupTextDecoration::Underline);
    EXPECT_EQ(run->GetValueSource(Text::s_textDecorationsProperty), link.Get());

    CKvoMarkupRoutedEventArgs enter;
    enter.event = CKvoMarkupInputElement::s_mouseEnterEvent;
    link->RaiseEventThenClassHandler(enter, &CKvoMarkupInputElement::OnMouseEnter);
    EXPECT_EQ(color(run), RGB(255, 0, 0));
    CKvoMarkupRoutedEventArgs query;
    link->OnQueryCursor(query);
    EXPECT_EQ(reinterpret_cast<HCURSOR>(query.extra), ::LoadCursorW(nullptr, IDC_HAND));

    CKvoMarkupRoutedEventArgs leave;
    leave.event = CKvoMarkupInputElement::s_mouseLeaveEvent;
    link->RaiseEventThenClassHandler(leave, &CKvoMarkupInputElement::OnMouseLeave);
    EXPECT_EQ(color(run), RGB(0, 0, 255));
}

TEST_F(KvoMarkupInlineTest, HyperlinkClicksOncePerReleaseThatFollowsAPress)
{
    CKvoMarkupPtr<CKvoMarkupTextBlock> block(NewTextBlock({NewSpan<CKvoMarkupHyperlink>({NewRun(L"go")})}));
    CKvoMarkupHyperlink* link = static_cast<CKvoMarkupHyperlink*>(block->GetInlines()->GetInline(0));
    std::vector<CTestMarkupDelegate::Call> clicks;
    // Click bubbles: the block sees it too.
    block->AddHandler(CKvoMarkupHyperlink::s_clickEvent, new CTestMarkupDelegate(&clicks));

    auto button = [&](BOOL down) {
        CKvoMarkupRoutedEventArgs args;
        args.event = down ? CKvoMarkupInputElement::s_mouseLeftButtonDownEvent
                          : CKvoMarkupInputElement::s_mouseLeftButtonUpEvent;
        return link->RaiseEventThenClassHandler(args, down ? &CKvoMarkupInputElement::OnMouseLeftButtonDown
                                                           : &CKvoMarkupInputElement::OnMouseLeftButtonUp);
    };
    EXPECT_TRUE(button(FALSE)) << "a release is handled even without a press";
    EXPECT_TRUE(clicks.empty());
    EXPECT_TRUE(button(TRUE));
    EXPECT_TRUE(link->IsPressed());
    EXPECT_TRUE(button(FALSE));
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].sender, block.Get());
    EXPECT_EQ(clicks[0].event, CKvoMarkupHyperlink::s_clickEvent);
    EXPECT_TRUE(button(FALSE));
    EXPECT_EQ(clicks.size(), 1u) << "the second release follows no press";

    // Pressed, released elsewhere (the link hears nothing), then released
    // on it after a new press: one click.
    button(TRUE);
    button(TRUE);
    button(FALSE);
    EXPECT_EQ(clicks.size(), 2u);
}

TEST_F(KvoMarkupInlineTest, VocabularyOfTheTextClasses)
{
    typedef CKvoMarkupDependencyProperty Property;
    EXPECT_EQ(Property::FindProperty(L"FontSize", CKvoMarkupTextBlock::s_type), Text::s_fontSizeProperty)
        << "the block owns the text element's property objects";
    EXPECT_EQ(Property::FindProperty(L"TextDecorations", CKvoMarkupRun::s_type), Text::s_textDecorationsProperty);
    EXPECT_TRUE(Text::s_foregroundProperty->IsAttached());
    EXPECT_TRUE(Text::s_foregroundProperty->HasFlag(KvoMarkupPropertyFlag::Inherits));
    EXPECT_EQ(Property::FindProperty(L"Tag", CKvoMarkupFrameworkContentElement::s_type),
              CKvoMarkupFrameworkElement::s_tagProperty);
    EXPECT_EQ(Property::FindProperty(L"Text", CKvoMarkupLineBreak::s_type), CKvoMarkupRun::s_textProperty);
    EXPECT_EQ(Property::FindProperty(L"Text", CKvoMarkupTextBlock::s_type), CKvoMarkupTextBlock::s_textProperty);
    EXPECT_NE(CKvoMarkupRun::s_textProperty, CKvoMarkupTextBlock::s_textProperty);
    EXPECT_EQ(Property::FindProperty(L"BaselineAlignment", CKvoMarkupBold::s_type),
              CKvoMarkupInline::s_baselineAlignmentProperty);
    const Property* click = Property::FindProperty(L"Click", CKvoMarkupHyperlink::s_type);
    ASSERT_NE(click, nullptr);
    EXPECT_TRUE(click->IsEvent());
    EXPECT_NE(CKvoMarkupHyperlink::s_type->GetDefaultStyle(), nullptr);
    EXPECT_EQ(CKvoMarkupBold::s_type->GetDefaultStyle(), nullptr);
}
