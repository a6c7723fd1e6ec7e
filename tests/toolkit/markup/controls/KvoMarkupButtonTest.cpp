#include <gtest/gtest.h>
#include <string>
#include <vector>
#include <vssym32.h>
#include "foundation/base/KvoDrawHelpers.h"
#include "foundation/base/KvoWinThemeWrapper.h"
#include "framework/WindowTestSupport.h"
#include "markup/MarkupFunctions.h"
#include "markup/controls/KvoMarkupToggleButton.h"
#include "markup/core/KvoMarkupType.h"
#include "markup/drawing/KvoMarkupDrawingContext.h"
#include "markup/layout/KvoMarkupBorder.h"
#include "markup/layout/KvoMarkupPanel.h"
#include "markup/text/KvoMarkupHyperlink.h"
#include "markup/text/KvoMarkupTextBlock.h"
#include "toolkit/foundation/images/KvoImageTestSupport.h"
#include "toolkit/markup/support/MarkupContextTest.h"
#include "toolkit/markup/support/MarkupTestElement.h"

namespace {
// Buttons parsed in a hidden window's context, driven by the messages the
// system would send and drawn into a DIB.
class KvoMarkupButtonTest : public MarkupWindowContextTest {
protected:
    // Parses text, lays it out in rect and lets the window relay to it.
    CKvoMarkupUIElement* Place(LPCWSTR text, RECT where)
    {
        CKvoMarkupUIElement* root = ParseRoot(text);
        if (root) {
            TestCanvas canvas(where.right, where.bottom);
            MarkupRenderElement(root, canvas.Dc()->GetSafeHdc(), &where);
            window.roots.push_back({root, where});
        }
        return root;
    }
    std::vector<CKvoMarkupRoutedEvent*> EventsOf(const std::vector<CTestMarkupDelegate::Call>& calls)
    {
        std::vector<CKvoMarkupRoutedEvent*> events;
        for (const auto& call : calls)
            events.push_back(call.event);
        return events;
    }
};

BOOL PressedOf(CKvoMarkupUIElement* element)
{
    return static_cast<CKvoMarkupButtonBase*>(element)->IsPressed();
}
}

TEST_F(KvoMarkupButtonTest, ClickNeedsPressAndReleaseOnTheButtonAndSurvivesDraggingOutAndBack)
{
    CKvoMarkupUIElement* button = Place(L"<Button>OK</Button>", {0, 0, 80, 30});
    ASSERT_NE(button, nullptr);
    std::vector<CTestMarkupDelegate::Call> clicks;
    button->AddHandler(CKvoMarkupButtonBase::s_clickEvent, new CTestMarkupDelegate(&clicks));

    window.SendMouse(WM_MOUSEMOVE, 20, 10);
    window.SendMouse(WM_LBUTTONDOWN, 20, 10, MK_LBUTTON);
    EXPECT_TRUE(PressedOf(button));
    EXPECT_EQ(::GetCapture(), window.GetSafeHwnd());
    window.SendMouse(WM_MOUSEMOVE, 150, 100, MK_LBUTTON);
    EXPECT_FALSE(PressedOf(button)) << "IsPressed follows the mouse out";
    window.SendMouse(WM_MOUSEMOVE, 30, 12, MK_LBUTTON);
    EXPECT_TRUE(PressedOf(button)) << "and back in";
    window.SendMouse(WM_LBUTTONUP, 30, 12);
    EXPECT_EQ(clicks.size(), 1u);
    EXPECT_FALSE(PressedOf(button));
    EXPECT_NE(::GetCapture(), window.GetSafeHwnd());

    // A release outside clicks nothing and leaves no hover behind.
    window.SendMouse(WM_LBUTTONDOWN, 30, 12, MK_LBUTTON);
    window.SendMouse(WM_MOUSEMOVE, 150, 100, MK_LBUTTON);
    window.SendMouse(WM_LBUTTONUP, 150, 100);
    EXPECT_EQ(clicks.size(), 1u);
    EXPECT_FALSE(static_cast<CKvoMarkupButtonBase*>(button)->IsMouseOver());
    EXPECT_FALSE(PressedOf(button));
}

TEST_F(KvoMarkupButtonTest, TogglesCycleAndTellOfTheNewStateBeforeClick)
{
    struct Case {
        LPCWSTR markup;
        std::vector<int> states;
    };
    const Case cases[] = {
        {L"<CheckBox/>", {1, 0, 1}},
        {L"<CheckBox IsThreeState='True'/>", {1, 2, 0, 1}},
        {L"<RadioButton/>", {1, 1, 1}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.markup);
        CKvoMarkupUIElement* root = ParseRoot(test.markup);
        ASSERT_NE(root, nullptr);
        auto* toggle = static_cast<CKvoMarkupToggleButton*>(root);
        std::vector<CTestMarkupDelegate::Call> calls;
        for (CKvoMarkupRoutedEvent* event :
             {CKvoMarkupButtonBase::s_clickEvent, CKvoMarkupToggleButton::s_checkedEvent,
              CKvoMarkupToggleButton::s_uncheckedEvent, CKvoMarkupToggleButton::s_indeterminateEvent})
            toggle->AddHandler(event, new CTestMarkupDelegate(&calls));
        for (int expected : test.states) {
            calls.clear();
            toggle->OnClick();
            EXPECT_EQ(toggle->GetCheckState(), expected);
            ASSERT_FALSE(calls.empty());
            EXPECT_EQ(calls.back().event, CKvoMarkupButtonBase::s_clickEvent) << "Click comes last";
        }
    }
    CKvoMarkupUIElement* box = ParseRoot(L"<CheckBox IsThreeState='True'/>");
    auto* toggle = static_cast<CKvoMarkupToggleButton*>(box);
    std::vector<CTestMarkupDelegate::Call> calls;
    for (CKvoMarkupRoutedEvent* event :
         {CKvoMarkupButtonBase::s_clickEvent, CKvoMarkupToggleButton::s_checkedEvent,
          CKvoMarkupToggleButton::s_uncheckedEvent, CKvoMarkupToggleButton::s_indeterminateEvent})
        toggle->AddHandler(event, new CTestMarkupDelegate(&calls));
    toggle->OnClick();
    toggle->OnClick();
    toggle->OnClick();
    const std::vector<CKvoMarkupRoutedEvent*> expected = {
        CKvoMarkupToggleButton::s_checkedEvent,       CKvoMarkupButtonBase::s_clickEvent,
        CKvoMarkupToggleButton::s_indeterminateEvent, CKvoMarkupButtonBase::s_clickEvent,
        CKvoMarkupToggleButton::s_uncheckedEvent,     CKvoMarkupButtonBase::s_clickEvent};
    EXPECT_EQ(EventsOf(calls), expected);
    // The text forms of IsChecked.
    EXPECT_EQ(static_cast<CKvoMarkupToggleButton*>(ParseRoot(L"<CheckBox IsChecked='True'/>"))->GetCheckState(), 1);
    EXPECT_EQ(static_cast<CKvoMarkupToggleButton*>(ParseRoot(L"<CheckBox IsChecked=''/>"))->GetCheckState(), 2);
}

TEST_F(KvoMarkupButtonTest, CheckingARadioButtonUnchecksItsSiblingsOnly)
{
    EnsureMarkupTestElementType();
    CKvoMarkupUIElement* root = ParseRoot(
        L"<TestFrameworkElement><TestFrameworkElement><RadioButton IsChecked='True'/><RadioButton/>"
        L"<RadioButton IsChecked='True'/><CheckBox IsChecked='True'/></TestFrameworkElement>"
        L"<TestFrameworkElement><RadioButton IsChecked='True'/></TestFrameworkElement></TestFrameworkElement>");
    ASSERT_NE(root, nullptr);
    CKvoMarkupVisual* group = root->GetVisualChild(0);
    CKvoMarkupVisual* other = root->GetVisualChild(1);
    auto radio = [](CKvoMarkupVisual* parent, int index) {
        return static_cast<CKvoMarkupToggleButton*>(parent->GetVisualChild(index));
    };
    radio(group, 1)->OnClick();
    EXPECT_EQ(radio(group, 0)->GetCheckState(), 0);
    EXPECT_EQ(radio(group, 1)->GetCheckState(), 1);
    EXPECT_EQ(radio(group, 2)->GetCheckState(), 0);
    EXPECT_EQ(radio(group, 3)->GetCheckState(), 1) << "a check box is no radio sibling";
    EXPECT_EQ(radio(other, 0)->GetCheckState(), 1) << "another panel is another group";

    // A radio button without a visual parent has no siblings to uncheck.
    CKvoMarkupUIElement* alone = ParseRoot(L"<RadioButton/>");
    ASSERT_NE(alone, nullptr);
    static_cast<CKvoMarkupToggleButton*>(alone)->SetCheckState(1);
    EXPECT_EQ(static_cast<CKvoMarkupToggleButton*>(alone)->GetCheckState(), 1);
}

TEST_F(KvoMarkupButtonTest, MeasuresContentPlusFrameAndPaddingAndMovesPressedContent)
{
    // Holds the font it measured with until the test ends.
    CKvoMarkupDrawingContext measuring;
    CKvoMarkupUIElement* text = ParseRoot(L"<TextBlock>Press me</TextBlock>");
    ASSERT_NE(text, nullptr);
    text->Measure(&measuring, KvoMarkupUnbounded, KvoMarkupUnbounded);
    const SIZE textSize = text->GetDesiredSize();
    ASSERT_GT(textSize.cx, 0);

    struct Case {
        LPCWSTR markup;
        SIZE expected;
    };
    const Case cases[] = {
        {L"<Button>Press me</Button>", {textSize.cx + 8, textSize.cy + 8}},
        {L"<Button Padding='1,2,3,4'>Press me</Button>", {textSize.cx + 12, textSize.cy + 14}},
        {L"<Button/>", {8, 8}},
        {L"<CheckBox>Press me</CheckBox>", {textSize.cx + 16, std::max<LONG>(13, textSize.cy)}},
        {L"<CheckBox Padding='2'/>", {20, 4}},
        {L"<RadioButton/>", {16, 13}},
        {L"<RadioButton Padding='1'>Press me</RadioButton>", {textSize.cx + 18, std::max<LONG>(13, textSize.cy + 2)}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.markup);
        CKvoMarkupUIElement* element = ParseRoot(test.markup);
        ASSERT_NE(element, nullptr);
        element->Measure(&measuring, KvoMarkupUnbounded, KvoMarkupUnbounded);
        EXPECT_EQ(element->GetDesiredSize().cx, test.expected.cx);
        EXPECT_EQ(element->GetDesiredSize().cy, test.expected.cy);
    }

    // Classic drawing (no visual style here, or a Background) moves the
    // content one pixel while pressed.
    CKvoMarkupUIElement* button = ParseRoot(L"<Button Background='Red' Padding='2'>Press me</Button>");
    ASSERT_NE(button, nullptr);
    button->Measure(&measuring, 100, 40);
    button->Arrange({0, 0, 100, 40});
    auto* content = static_cast<CKvoMarkupContentControl*>(button)->GetContent();
    ASSERT_NE(content, nullptr);
    EXPECT_EQ(content->GetFinalRect().left, 6);
    EXPECT_EQ(content->GetFinalRect().top, 6);
    SetMarkupBool(button, CKvoMarkupButtonBase::s_isPressedProperty, TRUE);
    button->Arrange({0, 0, 100, 40});
    EXPECT_EQ(content->GetFinalRect().left, 7);
    EXPECT_EQ(content->GetFinalRect().top, 7);

    CKvoMarkupUIElement* box = ParseRoot(L"<CheckBox Padding='1,2,3,4'>Press me</CheckBox>");
    box->Measure(&measuring, 100, 40);
    box->Arrange({0, 0, 100, 40});
    content = static_cast<CKvoMarkupContentControl*>(box)->GetContent();
    EXPECT_EQ(content->GetFinalRect().left, 17);
    EXPECT_EQ(content->GetFinalRect().top, 2);
}

TEST_F(KvoMarkupButtonTest, ContentErrorsEndTheBuild)
{
    ParsedMarkup two = Parse(L"<Button><TextBlock/><TextBlock/></Button>");
    EXPECT_EQ(two.root.Get(), nullptr);
    EXPECT_NE(two.error.find(L"'CKvoMarkupButton' already has a child and cannot add 'CKvoMarkupTextBlock'. "
                             L"'CKvoMarkupButton' can accept only one child."),
              std::wstring::npos)
        << two.error;
    ParsedMarkup brush = Parse(L"<Button><SolidColorBrush/></Button>");
    EXPECT_EQ(brush.root.Get(), nullptr);
    EXPECT_NE(brush.error.find(L"'CKvoMarkupSolidColorBrush' object cannot be added to 'CKvoMarkupButton'. "
                               L"Object cannot be converted to type 'CKvoMarkupUIElement'"),
              std::wstring::npos)
        << brush.error;
    ParsedMarkup text = Parse(L"<Button>OK</Button>");
    ASSERT_NE(text.root.Get(), nullptr);
    CKvoMarkupUIElement* content = static_cast<CKvoMarkupContentControl*>(text.root.Get())->GetContent();
    ASSERT_NE(content, nullptr);
    EXPECT_TRUE(content->IsKindOf(CKvoMarkupTextBlock::s_type));
    EXPECT_EQ(content->GetLogicalParent(), text.root.Get());
}

TEST_F(KvoMarkupButtonTest, ABackgroundGivesEdgesDerivedFromItsColour)
{
    CKvoMarkupUIElement* button = ParseRoot(L"<Button Background='#0080FF' Width='60' Height='24'/>");
    ASSERT_NE(button, nullptr);
    TestCanvas canvas(60, 24);
    RECT rect = {0, 0, 60, 24};
    MarkupRenderElement(button, canvas.Dc()->GetSafeHdc(), &rect);
    const COLORREF face = RGB(0, 128, 255);
    const DWORD hsl = CKvoDrawHelpers::RGBtoHSL(face);
    const DWORD luminance = (hsl >> 16) & 0xFF;
    const COLORREF light = CKvoDrawHelpers::AdjustBrightness((hsl & 0xFFFF) | (((luminance + 240) / 2) << 16));
    const COLORREF shadow = CKvoDrawHelpers::AdjustBrightness((hsl & 0xFFFF) | (::MulDiv(luminance, 2, 3) << 16));
    const COLORREF dark = RGB(GetRValue(shadow) / 2, GetGValue(shadow) / 2, GetBValue(shadow) / 2);
    EXPECT_EQ(canvas.Pixel(30, 12), face);
    EXPECT_EQ(canvas.Pixel(30, 0), light);
    EXPECT_EQ(canvas.Pixel(0, 12), light);
    EXPECT_EQ(canvas.Pixel(30, 22), shadow);
    EXPECT_EQ(canvas.Pixel(58, 12), shadow);
    EXPECT_EQ(canvas.Pixel(30, 23), dark);
    EXPECT_EQ(canvas.Pixel(59, 12), dark);
    EXPECT_GT(GetRValue(light) + GetGValue(light) + GetBValue(light), GetGValue(face) + GetBValue(face));
    EXPECT_LT(GetRValue(dark) + GetGValue(dark) + GetBValue(dark), GetGValue(face) + GetBValue(face));

    // Pressed: the window frame, then the shadow just inside.
    SetMarkupBool(button, CKvoMarkupButtonBase::s_isPressedProperty, TRUE);
    MarkupRenderElement(button, canvas.Dc()->GetSafeHdc(), &rect);
    EXPECT_EQ(canvas.Pixel(30, 0), ::GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(canvas.Pixel(30, 1), shadow);
    EXPECT_EQ(canvas.Pixel(30, 12), face);
}

namespace {
struct ThemeCall {
    int part;
    int state;
};
std::vector<ThemeCall> g_themeCalls;
const HTHEME kFakeTheme = reinterpret_cast<HTHEME>(static_cast<INT_PTR>(0x6B6B));
HTHEME WINAPI FakeOpenThemeData(HWND, LPCWSTR classList)
{
    return lstrcmpiW(classList, L"BUTTON") == 0 ? kFakeTheme : nullptr;
}
HRESULT WINAPI FakeCloseThemeData(HTHEME)
{
    return S_OK;
}
BOOL WINAPI FakeIsAppThemed()
{
    return TRUE;
}
HRESULT WINAPI FakeDrawThemeBackground(HTHEME, HDC, int part, int state, LPCRECT, LPCRECT)
{
    g_themeCalls.push_back({part, state});
    return S_OK;
}

// Controls made while it lives draw through a table of its own.
class ScopedControlTheme {
public:
    explicit ScopedControlTheme(KvoUxThemeFunctions* functions) { CKvoMarkupControl::SetThemeFunctions(functions); }
    ~ScopedControlTheme() { CKvoMarkupControl::SetThemeFunctions(nullptr); }
};
}

TEST_F(KvoMarkupButtonTest, ThemedPartsAndStatesThroughStandInEntryPoints)
{
    // Outlives the controls, which the fixture releases after the test.
    static KvoUxThemeFunctions functions(false);
    functions.openThemeData = FakeOpenThemeData;
    functions.closeThemeData = FakeCloseThemeData;
    functions.isAppThemed = FakeIsAppThemed;
    functions.drawThemeBackground = FakeDrawThemeBackground;
    ScopedControlTheme scope(&functions);

    struct Case {
        LPCWSTR markup;
        BOOL pressed;
        BOOL hot;
        ThemeCall expected;
    };
    const Case cases[] = {
        {L"<Button/>", FALSE, FALSE, {BP_PUSHBUTTON, PBS_NORMAL}},
        {L"<Button/>", FALSE, TRUE, {BP_PUSHBUTTON, PBS_HOT}},
        {L"<Button/>", TRUE, TRUE, {BP_PUSHBUTTON, PBS_PRESSED}},
        {L"<CheckBox/>", FALSE, FALSE, {BP_CHECKBOX, CBS_UNCHECKEDNORMAL}},
        {L"<CheckBox IsChecked='True'/>", FALSE, TRUE, {BP_CHECKBOX, CBS_CHECKEDHOT}},
        {L"<CheckBox IsChecked=''/>", TRUE, FALSE, {BP_CHECKBOX, CBS_MIXEDPRESSED}},
        {L"<RadioButton/>", FALSE, TRUE, {BP_RADIOBUTTON, RBS_UNCHECKEDHOT}},
        {L"<RadioButton IsChecked='True'/>", TRUE, FALSE, {BP_RADIOBUTTON, RBS_CHECKEDPRESSED}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.markup);
        CKvoMarkupUIElement* element = ParseRoot(test.markup);
        ASSERT_NE(element, nullptr);
        SetMarkupBool(element, CKvoMarkupButtonBase::s_isPressedProperty, test.pressed);
        if (test.hot)
            SetMarkupBool(element, CKvoMarkupInputElement::s_isMouseOverProperty, TRUE);
        TestCanvas canvas(40, 20);
        RECT rect = {0, 0, 40, 20};
        g_themeCalls.clear();
        MarkupRenderElement(element, canvas.Dc()->GetSafeHdc(), &rect);
        ASSERT_EQ(g_themeCalls.size(), 1u);
        EXPECT_EQ(g_themeCalls[0].part, test.expected.part);
        EXPECT_EQ(g_themeCalls[0].state, test.expected.state);
    }

    // A themed push button keeps its content still when pressed.
    CKvoMarkupUIElement* button = ParseRoot(L"<Button>OK</Button>");
    button->Measure(nullptr, 80, 30);
    button->Arrange({0, 0, 80, 30});
    SetMarkupBool(button, CKvoMarkupButtonBase::s_isPressedProperty, TRUE);
    button->Arrange({0, 0, 80, 30});
    EXPECT_EQ(static_cast<CKvoMarkupContentControl*>(button)->GetContent()->GetFinalRect().left, 4);
}

TEST_F(KvoMarkupButtonTest, ClassicDrawingWithoutAThemeLibraryAndAPicture)
{
    static KvoUxThemeFunctions functions(false);
    ScopedControlTheme scope(&functions);
    const LPCWSTR rows[] = {
        L"<Button Width='90' Height='24'>Normal</Button>",
        L"<Button Width='90' Height='24' IsPressed='True'>Pressed</Button>",
        L"<Button Width='90' Height='24' Background='#0080FF'>Coloured</Button>",
        L"<CheckBox>Unchecked</CheckBox>",
        L"<CheckBox IsChecked='True'>Checked</CheckBox>",
        L"<CheckBox IsChecked=''>Indeterminate</CheckBox>",
        L"<RadioButton>Unchecked</RadioButton>",
        L"<RadioButton IsChecked='True'>Checked</RadioButton>",
    };
    const int rowHeight = 28;
    TestCanvas canvas(120, rowHeight * static_cast<int>(std::size(rows)), RGB(240, 240, 240));
    for (size_t index = 0; index < std::size(rows); ++index) {
        SCOPED_TRACE(rows[index]);
        CKvoMarkupUIElement* element = ParseRoot(rows[index]);
        ASSERT_NE(element, nullptr);
        const int top = static_cast<int>(index) * rowHeight;
        RECT rect = {4, top + 2, 116, top + 2 + 24};
        MarkupRenderElement(element, canvas.Dc()->GetSafeHdc(), &rect);
    }
    // The classic face and the frame control's white box.
    EXPECT_EQ(canvas.Pixel(50, 14), ::GetSysColor(COLOR_BTNFACE));
    // The 90-pixel buttons are centred in the 112 pixels of their row.
    EXPECT_EQ(canvas.Pixel(15, 2), ::GetSysColor(COLOR_WINDOW)) << "light top-left edge";
    EXPECT_EQ(canvas.Pixel(15, 28 + 2), ::GetSysColor(COLOR_WINDOWFRAME)) << "pressed frame";
    const int boxRow = 3 * rowHeight + 2;
    EXPECT_EQ(canvas.Pixel(4 + 6, boxRow + 12 - 6 + 3), ::GetSysColor(COLOR_WINDOW)) << "empty check box";
    int ticked = 0;
    const int checkedRow = 4 * rowHeight + 2;
    for (int y = checkedRow + 8; y < checkedRow + 16; ++y)
        for (int x = 4 + 2; x < 4 + 11; ++x)
            ticked += canvas.Pixel(x, y) == RGB(0, 0, 0);
    EXPECT_GT(ticked, 4) << "the tick";
    EXPECT_TRUE(SaveBitmapAsPng(canvas.Bitmap(), (TestOutputFolder() + L"\\markup-buttons-classic.png").c_str()));
}

TEST_F(KvoMarkupButtonTest, AHyperlinkRaisesTheButtonsClick)
{
    EXPECT_EQ(CKvoMarkupHyperlink::s_clickEvent, CKvoMarkupButtonBase::s_clickEvent);
}

// A control's Padding and Background are the border's and the panel's, so a
// style or markup setting either on one class means the same property.
TEST_F(KvoMarkupButtonTest, ControlsSharePaddingWithTheBorderAndBackgroundWithThePanel)
{
    CKvoMarkupType::EnsureRegistered(CKvoMarkupButton::s_type);
    ASSERT_NE(CKvoMarkupBorder::s_paddingProperty, nullptr);
    ASSERT_NE(CKvoMarkupPanel::s_backgroundProperty, nullptr);
    EXPECT_EQ(CKvoMarkupBorder::s_paddingProperty, CKvoMarkupControl::s_paddingProperty);
    EXPECT_EQ(CKvoMarkupPanel::s_backgroundProperty, CKvoMarkupControl::s_backgroundProperty);
}
