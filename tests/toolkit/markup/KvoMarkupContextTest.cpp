// The markup context through a real window: messages sent to a test window
// that relays them through the flat interface, pixels read from DIBs.
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>
#include "framework/WindowTestSupport.h"
#include "toolkit/foundation/images/KvoImageTestSupport.h"
#include "markup/MarkupFunctions.h"
#include "markup/core/KvoMarkupContext.h"
#include "markup/core/KvoMarkupType.h"
#include "markup/elements/KvoMarkupRoutedEvent.h"
#include "markup/values/KvoMarkupBool.h"
#include "markup/values/KvoMarkupString.h"
#include "toolkit/markup/support/MarkupContextTest.h"
#include "toolkit/markup/support/MarkupTestElement.h"
#include "toolkit/markup/support/ToolTipTestSupport.h"

namespace {
// One routed event a handler saw.
struct EventNote {
    CStringW element;
    CStringW event;
    int x;
    int y;
    bool operator==(const EventNote& other) const
    {
        return element == other.element && event == other.event && x == other.x && y == other.y;
    }
};

std::ostream& operator<<(std::ostream& out, const EventNote& note)
{
    return out << CStringA(note.element) << ' ' << CStringA(note.event) << " (" << note.x << ", " << note.y << ')';
}

// Notes each event under the element's name and then runs an action.
class CNotingDelegate : public CKvoMarkupDelegate {
public:
    CNotingDelegate(std::vector<EventNote>* notes, LPCWSTR element,
                    std::function<void(CKvoMarkupRoutedEventArgs&)> action = nullptr)
        : m_notes(notes), m_element(element), m_action(std::move(action))
    {
    }
    void Invoke(CKvoMarkupInputElement*, CKvoMarkupRoutedEventArgs& args) override
    {
        m_notes->push_back({m_element, args.event->GetName(), args.x, args.y});
        if (m_action)
            m_action(args);
    }

private:
    std::vector<EventNote>* m_notes;
    CStringW m_element;
    std::function<void(CKvoMarkupRoutedEventArgs&)> m_action;
};

// A white root with a silver square at (10, 10)-(90, 90) of the window and
// in it a red square with the hand cursor at (30, 30)-(70, 70).
const wchar_t kNestedSquares[] =
    L"<TestFrameworkElement Fill='White'>"
    L"  <TestFrameworkElement Margin='10,10,0,0' Width='80' Height='80' HorizontalAlignment='Left' "
    L"VerticalAlignment='Top' Fill='Silver'>"
    L"    <TestFrameworkElement Margin='20,20,0,0' Width='40' Height='40' HorizontalAlignment='Left' "
    L"VerticalAlignment='Top' Fill='Red' Cursor='Hand'/>"
    L"  </TestFrameworkElement>"
    L"</TestFrameworkElement>";

CTestMarkupFrameworkElement* FirstChild(CKvoMarkupVisual* parent)
{
    return parent && parent->GetVisualChildrenCount() > 0
               ? static_cast<CTestMarkupFrameworkElement*>(parent->GetVisualChild(0))
               : nullptr;
}

BOOL IsUnderMouse(const CKvoMarkupObject* element)
{
    const CKvoMarkupBool* over =
        static_cast<const CKvoMarkupBool*>(element->GetValue(CKvoMarkupInputElement::s_isMouseOverProperty));
    return over && over->GetValue();
}

// A window relaying to markup roots parsed in its own context.
class KvoMarkupContextTest : public MarkupWindowContextTest {
protected:

    // Parses text as a root drawn into rect, lays it out by drawing it on
    // canvas, and hands it to the window.
    CKvoMarkupUIElement* AddRoot(LPCWSTR text, RECT rect, TestCanvas& canvas)
    {
        CKvoMarkupUIElement* root = ParseRoot(text);
        if (!root)
            return nullptr;
        MarkupRenderElement(root, canvas.Dc()->GetSafeHdc(), &rect);
        window.roots.push_back({root, rect});
        return root;
    }
    // The squares of kNestedSquares over the whole 200 x 100 window.
    void AddSquares()
    {
        root = AddRoot(kNestedSquares, {0, 0, 200, 100}, canvas);
        ASSERT_NE(root, nullptr);
        outer = FirstChild(root);
        inner = FirstChild(outer);
        ASSERT_TRUE(outer && inner);
    }
    void NoteEvents(CKvoMarkupInputElement* element, LPCWSTR name,
                    std::initializer_list<CKvoMarkupRoutedEvent*> events,
                    std::function<void(CKvoMarkupRoutedEventArgs&)> action = nullptr)
    {
        for (CKvoMarkupRoutedEvent* event : events)
            element->AddHandler(event, new CNotingDelegate(&notes, name, action));
    }
    void NoteEnterAndLeave()
    {
        for (auto [element, name] : {std::pair<CKvoMarkupInputElement*, LPCWSTR>{root, L"root"},
                                     {outer, L"outer"},
                                     {inner, L"inner"}})
            NoteEvents(element, name, {CKvoMarkupInputElement::s_mouseEnterEvent,
                                       CKvoMarkupInputElement::s_mouseLeaveEvent});
    }
    std::vector<EventNote> TakeNotes() { return std::exchange(notes, {}); }

    TestCanvas canvas{240, 140};
    CKvoMarkupUIElement* root = nullptr;
    CTestMarkupFrameworkElement* outer = nullptr;
    CTestMarkupFrameworkElement* inner = nullptr;
    std::vector<EventNote> notes;
};
}

// The flat interface: a parsed tree measures, draws into its rectangle and
// tells its context.
TEST_F(KvoMarkupContextTest, FlatInterfaceMeasuresAndDraws)
{
    AddSquares();
    EXPECT_EQ(MarkupGetElementContext(root), windowContext);
    EXPECT_EQ(MarkupGetElementContext(nullptr), nullptr);
    EXPECT_EQ(canvas.Pixel(5, 5), RGB(255, 255, 255));
    EXPECT_EQ(canvas.Pixel(15, 15), RGB(192, 192, 192));
    EXPECT_EQ(canvas.Pixel(30, 30), RGB(255, 0, 0));
    EXPECT_EQ(canvas.Pixel(69, 69), RGB(255, 0, 0));
    EXPECT_EQ(canvas.Pixel(70, 70), RGB(192, 192, 192));
    EXPECT_EQ(canvas.Pixel(150, 50), RGB(255, 255, 255));

    CKvoMarkupUIElement* sized = MarkupParseText(windowContext, L"<TestFrameworkElement Width='30' Height='20'/>");
    ASSERT_NE(sized, nullptr);
    const SIZE size = MarkupMeasureElement(sized, 100, 100);
    EXPECT_EQ(size.cx, 30);
    EXPECT_EQ(size.cy, 20);
    MarkupReleaseElement(&sized);
    EXPECT_EQ(sized, nullptr);
    EXPECT_EQ(MarkupParseText(windowContext, L"<Unknown/>"), nullptr);
    EXPECT_EQ(MarkupParseText(windowContext, nullptr), nullptr);
    EXPECT_EQ(CRect(CKvoMarkupContext::GetElementWindowRect(inner)), CRect(30, 30, 70, 70));
}

// Enter runs from the new hover outwards, leave from the old one; common
// ancestors hear of neither. WM_MOUSELEAVE empties the chain at (-1, -1).
TEST_F(KvoMarkupContextTest, EnterAndLeaveRunAlongTheChains)
{
    AddSquares();
    NoteEnterAndLeave();
    window.SendMouse(WM_MOUSEMOVE, 50, 50);
    EXPECT_EQ(TakeNotes(), (std::vector<EventNote>{{L"inner", L"MouseEnter", 50, 50},
                                                    {L"outer", L"MouseEnter", 50, 50},
                                                    {L"root", L"MouseEnter", 50, 50}}));
    EXPECT_TRUE(IsUnderMouse(root) && IsUnderMouse(outer) && IsUnderMouse(inner));
    EXPECT_EQ(windowContext->GetHoverElement(), inner);
    EXPECT_EQ(windowContext->GetMouseRoot(), root);

    window.SendMouse(WM_MOUSEMOVE, 15, 15);
    EXPECT_EQ(TakeNotes(), (std::vector<EventNote>{{L"inner", L"MouseLeave", 15, 15}}));
    EXPECT_FALSE(IsUnderMouse(inner));
    EXPECT_TRUE(IsUnderMouse(outer));
    window.SendMouse(WM_MOUSEMOVE, 16, 15);
    EXPECT_TRUE(TakeNotes().empty()) << "the same hover";

    window.SendMouse(WM_MOUSEMOVE, 40, 40);
    window.SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(TakeNotes(), (std::vector<EventNote>{{L"inner", L"MouseEnter", 40, 40},
                                                    {L"inner", L"MouseLeave", -1, -1},
                                                    {L"outer", L"MouseLeave", -1, -1},
                                                    {L"root", L"MouseLeave", -1, -1}}));
    EXPECT_FALSE(IsUnderMouse(root) || IsUnderMouse(outer) || IsUnderMouse(inner));
    EXPECT_EQ(windowContext->GetHoverElement(), nullptr);
    EXPECT_EQ(windowContext->GetMouseRoot(), nullptr);

    // Moves go along the hover chain until handled; WM_DESTROY empties it.
    NoteEvents(outer, L"outer", {CKvoMarkupInputElement::s_mouseMoveEvent},
               [](CKvoMarkupRoutedEventArgs& args) { args.handled = TRUE; });
    NoteEvents(root, L"root", {CKvoMarkupInputElement::s_mouseMoveEvent});
    window.SendMouse(WM_MOUSEMOVE, 20, 20);
    window.SendMouse(WM_MOUSEMOVE, 21, 20);
    MarkupRelayMessage(root, WM_DESTROY, 0, 0, nullptr);
    EXPECT_EQ(TakeNotes(), (std::vector<EventNote>{{L"outer", L"MouseEnter", 20, 20},
                                                    {L"root", L"MouseEnter", 20, 20},
                                                    {L"outer", L"MouseMove", 20, 20},
                                                    {L"outer", L"MouseMove", 21, 20},
                                                    {L"outer", L"MouseLeave", -1, -1},
                                                    {L"root", L"MouseLeave", -1, -1}}));
    EXPECT_EQ(windowContext->GetHoverElement(), nullptr);
}

// While one root has the mouse, every message relayed for the other root
// is refused; moving across hands the mouse over.
TEST_F(KvoMarkupContextTest, TwoRootsInOneWindowTakeTheMouseInTurn)
{
    CKvoMarkupUIElement* left = AddRoot(kNestedSquares, {0, 0, 100, 100}, canvas);
    CKvoMarkupUIElement* right = AddRoot(L"<TestFrameworkElement Fill='Blue' Cursor='Hand'/>", {100, 0, 200, 100},
                                         canvas);
    ASSERT_TRUE(left && right);
    NoteEvents(left, L"left", {CKvoMarkupInputElement::s_mouseEnterEvent, CKvoMarkupInputElement::s_mouseLeaveEvent});
    NoteEvents(right, L"right",
               {CKvoMarkupInputElement::s_mouseEnterEvent, CKvoMarkupInputElement::s_mouseLeaveEvent,
                CKvoMarkupInputElement::s_mouseLeftButtonDownEvent},
               [](CKvoMarkupRoutedEventArgs& args) { args.handled = TRUE; });

    window.SendMouse(WM_MOUSEMOVE, 50, 50);
    EXPECT_EQ(windowContext->GetMouseRoot(), left);
    LRESULT result = 0;
    for (UINT message : {UINT(WM_MOUSEMOVE), UINT(WM_SETCURSOR), UINT(WM_LBUTTONDOWN), UINT(WM_MOUSEWHEEL)}) {
        SCOPED_TRACE(message);
        EXPECT_FALSE(MarkupRelayMessage(right, message, 0, MAKELPARAM(150, 50), &result));
    }
    EXPECT_EQ(TakeNotes(), (std::vector<EventNote>{{L"left", L"MouseEnter", 50, 50}}));

    window.SendMouse(WM_MOUSEMOVE, 150, 50);
    EXPECT_EQ(windowContext->GetMouseRoot(), right);
    EXPECT_EQ(TakeNotes(), (std::vector<EventNote>{{L"left", L"MouseLeave", 150, 50},
                                                    {L"right", L"MouseEnter", 150, 50}}));
    EXPECT_FALSE(MarkupRelayMessage(left, WM_MOUSEMOVE, 0, MAKELPARAM(50, 50), &result));
    EXPECT_TRUE(TakeNotes().empty());
    window.SendMouse(WM_LBUTTONDOWN, 150, 50, MK_LBUTTON);
    EXPECT_EQ(TakeNotes(), (std::vector<EventNote>{{L"right", L"MouseLeftButtonDown", 150, 50}}));
}

// A press goes to the element holding the capture wherever the mouse is;
// the capture ends when the element gives it back (quietly) or the system
// takes it (the element is told).
TEST_F(KvoMarkupContextTest, CaptureRoutesButtonsToTheCapturingElement)
{
    AddSquares();
    NoteEvents(inner, L"inner", {CKvoMarkupInputElement::s_mouseLeftButtonDownEvent},
               [this](CKvoMarkupRoutedEventArgs& args) {
                   inner->CaptureMouse();
                   args.handled = TRUE;
               });
    NoteEvents(inner, L"inner", {CKvoMarkupInputElement::s_lostMouseCaptureEvent});
    NoteEvents(root, L"root", {CKvoMarkupInputElement::s_mouseLeftButtonDownEvent});

    window.SendMouse(WM_MOUSEMOVE, 50, 50);
    EXPECT_TRUE(MarkupRelayMessage(root, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 50), nullptr));
    EXPECT_EQ(windowContext->GetCaptureElement(), inner);
    EXPECT_EQ(::GetCapture(), window.GetSafeHwnd());

    // Outside the capture element nothing is under the mouse, yet the
    // press still goes to it.
    window.SendMouse(WM_MOUSEMOVE, 5, 5);
    EXPECT_EQ(windowContext->GetHoverElement(), nullptr);
    window.SendMouse(WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    EXPECT_EQ(TakeNotes(), (std::vector<EventNote>{{L"inner", L"MouseLeftButtonDown", 50, 50},
                                                    {L"inner", L"MouseLeftButtonDown", 5, 5}}));

    inner->ReleaseMouseCapture();
    EXPECT_EQ(windowContext->GetCaptureElement(), nullptr);
    EXPECT_NE(::GetCapture(), window.GetSafeHwnd());
    EXPECT_TRUE(TakeNotes().empty()) << "giving the capture back is no loss";

    window.SendMouse(WM_MOUSEMOVE, 50, 50);
    window.SendMouse(WM_LBUTTONDOWN, 50, 50, MK_LBUTTON);
    ASSERT_EQ(::GetCapture(), window.GetSafeHwnd());
    ::ReleaseCapture();
    EXPECT_EQ(windowContext->GetCaptureElement(), nullptr);
    EXPECT_EQ(TakeNotes(), (std::vector<EventNote>{{L"inner", L"MouseLeftButtonDown", 50, 50},
                                                    {L"inner", L"pLostMouseCapture", 0, 0}}));
    window.SendMouse(WM_MOUSEMOVE, 5, 5);
    window.SendMouse(WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    EXPECT_EQ(TakeNotes(), (std::vector<EventNote>{{L"root", L"MouseLeftButtonDown", 5, 5}}));
}

// An element that goes while it holds the capture takes the capture with
// it: later presses and capture changes find no freed element.
TEST_F(KvoMarkupContextTest, ElementGoingWithTheCaptureEndsIt)
{
    AddSquares();
    CKvoMarkupInputElement* lone =
        static_cast<CKvoMarkupInputElement*>(windowContext->CreateObject(CTestMarkupFrameworkElement::s_type));
    ASSERT_NE(lone, nullptr);
    lone->CaptureMouse();
    ASSERT_EQ(windowContext->GetCaptureElement(), lone);
    ASSERT_EQ(::GetCapture(), window.GetSafeHwnd());
    lone->Release();
    EXPECT_EQ(windowContext->GetCaptureElement(), nullptr);
    EXPECT_NE(::GetCapture(), window.GetSafeHwnd());
    window.SendMouse(WM_LBUTTONDOWN, 50, 50, MK_LBUTTON);
    window.SendMessage(WM_CAPTURECHANGED);
}

// The cursor comes from the nearest element of the hover chain that has
// one; the wheel goes along the chain until an element handles it.
TEST_F(KvoMarkupContextTest, CursorAndWheelFollowTheHoverChain)
{
    AddSquares();
    const LPARAM overClient = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
    window.SendMouse(WM_MOUSEMOVE, 50, 50);
    EXPECT_EQ(window.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(window.GetSafeHwnd()), overClient), TRUE);
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_HAND));
    LRESULT result = 0;
    window.SendMouse(WM_MOUSEMOVE, 15, 15);
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_ARROW)) << "set when the hover changed";
    EXPECT_FALSE(MarkupRelayMessage(root, WM_SETCURSOR, 0, overClient, &result));

    outer->handlesWheel = TRUE;
    window.SendMouse(WM_MOUSEMOVE, 50, 50);
    result = 0;
    EXPECT_TRUE(MarkupRelayMessage(root, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0, &result));
    EXPECT_EQ(result, TRUE);
    EXPECT_EQ(inner->lastWheelDelta, -120);
    EXPECT_EQ(outer->lastWheelDelta, -120);
    EXPECT_EQ(static_cast<CTestMarkupFrameworkElement*>(root)->lastWheelDelta, 0) << "handled before the root";
    outer->handlesWheel = FALSE;
    EXPECT_FALSE(MarkupRelayMessage(root, WM_MOUSEWHEEL, MAKEWPARAM(0, 240), 0, &result));
    EXPECT_EQ(static_cast<CTestMarkupFrameworkElement*>(root)->lastWheelDelta, 240);
}

// A null font keeps the font, colour 0xFFFFFFFF keeps the colour.
TEST_F(KvoMarkupContextTest, DefaultFontKeepsWhatIsNotGiven)
{
    NONCLIENTMETRICSW metrics = {sizeof(metrics)};
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
    EXPECT_STREQ(windowContext->GetDefaultFont().lfFaceName, metrics.lfMessageFont.lfFaceName);
    EXPECT_EQ(windowContext->GetDefaultFont().lfHeight, metrics.lfMessageFont.lfHeight);
    EXPECT_EQ(windowContext->GetDefaultTextColor(), RGB(0, 0, 0));

    CFont font;
    ASSERT_TRUE(font.CreatePointFont(140, L"Arial"));
    MarkupSetDefaultFont(windowContext, static_cast<HFONT>(font.GetSafeHandle()), 0xFFFFFFFF);
    EXPECT_STREQ(windowContext->GetDefaultFont().lfFaceName, L"Arial");
    EXPECT_EQ(windowContext->GetDefaultTextColor(), RGB(0, 0, 0));
    MarkupSetDefaultFont(windowContext, nullptr, RGB(1, 2, 3));
    EXPECT_STREQ(windowContext->GetDefaultFont().lfFaceName, L"Arial");
    EXPECT_EQ(windowContext->GetDefaultTextColor(), RGB(1, 2, 3));
}

// The hover element and the context hold each other: letting go of root
// and context with the mouse still over an element frees everything, in
// either order.
TEST_F(KvoMarkupContextTest, ReleasingWithTheMouseOverAnElementFreesAll)
{
    for (bool contextFirst : {false, true}) {
        SCOPED_TRACE(contextFirst ? "context first" : "root first");
        const long before = CKvoMarkupObject::GetLiveObjectCount();
        CKvoMarkupContext* owned = MarkupCreateWindowContext(window.GetSafeHwnd());
        CKvoMarkupUIElement* tree = MarkupParseText(owned, kNestedSquares);
        ASSERT_NE(tree, nullptr);
        const RECT rect = {0, 0, 200, 100};
        MarkupRenderElement(tree, canvas.Dc()->GetSafeHdc(), &rect);
        MarkupRelayMessage(tree, WM_MOUSEMOVE, 0, MAKELPARAM(50, 50), nullptr);
        ASSERT_NE(owned->GetHoverElement(), nullptr);
        if (contextFirst) {
            MarkupReleaseContext(&owned);
            MarkupReleaseElement(&tree);
        } else {
            MarkupReleaseElement(&tree);
            MarkupReleaseContext(&owned);
        }
        EXPECT_EQ(CKvoMarkupObject::GetLiveObjectCount(), before);
    }
}

// An element asks its context to redraw its rectangle of the window.
TEST_F(KvoMarkupContextTest, InvalidateVisualRedrawsTheElementsRectangle)
{
    AddSquares();
    window.ShowWindow(SW_SHOWNA);
    window.UpdateWindow();
    window.ValidateRect(nullptr);
    inner->InvalidateVisual();
    CRect update;
    EXPECT_TRUE(::GetUpdateRect(window.GetSafeHwnd(), &update, FALSE));
    EXPECT_EQ(update, CRect(30, 30, 70, 70));
    PumpUntil([this] { return !::GetUpdateRect(window.GetSafeHwnd(), nullptr, FALSE); });
    CWindowPicture(window.GetSafeHwnd()).SavePng(TestOutputFolder() + L"\\markup-context-squares.png");
}

// An element's ToolTip text is shown by the context's own tooltip context
// as a markup tip, for the real cursor over the element.
TEST_F(KvoMarkupContextTest, ElementToolTipShowsAsMarkupTip)
{
    AddSquares();
    inner->SetValue(CKvoMarkupInputElement::s_toolTipProperty,
                    CKvoMarkupString::CreateString(L"<TestFrameworkElement Width='48' Height='18' Fill='Red' "
                                                   L"Frame='Blue'/>"));
    window.ShowWindow(SW_SHOW);
    ::SetForegroundWindow(window.GetSafeHwnd());
    ASSERT_TRUE(PumpUntil([this] { return CKvoDrawHelpers::IsTopParentActive(window.GetSafeHwnd()) != FALSE; }));
    CKvoToolTipContext* tips = windowContext->GetToolTipContext();
    ASSERT_NE(tips, nullptr);
    EXPECT_EQ(tips->GetStyle(), KvoToolTipStyle::Markup);
    tips->SetDelayTime(TTDT_INITIAL, 50);

    MoveCursorTo(window, {150, 80});
    MoveCursorTo(window, {50, 50});
    auto tipShown = [tips] {
        return tips->GetToolTip() && tips->GetToolTip()->GetSafeHwnd() && tips->GetToolTip()->IsWindowVisible();
    };
    ASSERT_TRUE(PumpUntil(tipShown));
    const HWND tip = tips->GetToolTip()->GetSafeHwnd();
    PumpUntil([] { return false; }, 0.2);
    CWindowPicture picture(tip);
    picture.SavePng(TestOutputFolder() + L"\\markup-element-tooltip.png");
    CRect tipRect;
    ::GetWindowRect(tip, &tipRect);
    int red = 0, blue = 0;
    for (int y = 0; y < tipRect.Height(); ++y) {
        for (int x = 0; x < tipRect.Width(); ++x) {
            red += picture.Pixel(x, y) == RGB(255, 0, 0);
            blue += picture.Pixel(x, y) == RGB(0, 0, 255);
        }
    }
    EXPECT_GE(red, 40 * 10) << "the tip's markup is drawn";
    EXPECT_GE(blue, 2 * (48 + 18) - 8);
    MoveCursorTo(window, {150, 80});
    EXPECT_TRUE(PumpUntil([tips] { return !tips->GetToolTip()->IsWindowVisible(); }));
}
