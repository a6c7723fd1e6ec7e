#include <gtest/gtest.h>
#include <vector>
#include "markup/core/KvoMarkupPtr.h"
#include "markup/elements/KvoMarkupFrameworkElement.h"
#include "markup/elements/KvoMarkupKeyboardNavigation.h"
#include "markup/values/KvoMarkupBool.h"
#include "markup/values/KvoMarkupInt.h"
#include "markup/values/KvoMarkupString.h"
#include "toolkit/markup/support/MarkupObjectTest.h"
#include "toolkit/markup/support/MarkupTestElement.h"

using KvoMarkupRoutedEventTest = MarkupObjectTest;

namespace {
typedef CTestMarkupDelegate::Call Call;

// root > middle > leaf, each a test element.
struct EventTree {
    EventTree() : root(NewTestFrameworkElement({100, 100}))
    {
        middle = NewTestFrameworkElement({80, 80});
        leaf = NewTestFrameworkElement({20, 20});
        middle->AddVisualChild(leaf);
        root->AddVisualChild(middle);
    }
    CKvoMarkupPtr<CTestMarkupFrameworkElement> root;
    CTestMarkupFrameworkElement* middle;
    CTestMarkupFrameworkElement* leaf;
};

BOOL IsMouseOver(const CKvoMarkupObject* element)
{
    const CKvoMarkupBool* value =
        static_cast<const CKvoMarkupBool*>(element->GetValue(CKvoMarkupInputElement::s_isMouseOverProperty));
    return value && value->GetValue();
}

// Reads IsMouseOver of the element it is called for, at that moment.
class MouseOverProbe : public CKvoMarkupDelegate {
public:
    explicit MouseOverProbe(BOOL handles) : m_bHandles(handles) {}
    void Invoke(CKvoMarkupInputElement* sender, CKvoMarkupRoutedEventArgs& args) override
    {
        seen.push_back(IsMouseOver(sender));
        args.handled = m_bHandles;
    }
    std::vector<BOOL> seen;

private:
    BOOL m_bHandles;
};
}

TEST_F(KvoMarkupRoutedEventTest, BubblingEventsClimbTheTreeUntilHandled)
{
    EventTree tree;
    std::vector<Call> calls;
    const CKvoMarkupRoutedEvent* event = CTestMarkupFrameworkElement::s_testBubbleEvent;
    CTestMarkupDelegate* leafFirst = new CTestMarkupDelegate(&calls);
    CTestMarkupDelegate* leafSecond = new CTestMarkupDelegate(&calls);
    CTestMarkupDelegate* atRoot = new CTestMarkupDelegate(&calls);
    tree.leaf->AddHandler(event, leafFirst);
    tree.leaf->AddHandler(event, leafSecond);
    tree.root->AddHandler(event, atRoot);

    CKvoMarkupRoutedEventArgs args;
    args.event = CTestMarkupFrameworkElement::s_testBubbleEvent;
    args.source = tree.leaf;
    tree.leaf->RaiseEvent(args);
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].handler, leafFirst);
    EXPECT_EQ(calls[1].handler, leafSecond);
    EXPECT_EQ(calls[2].handler, atRoot);
    EXPECT_EQ(calls[2].sender, tree.root.Get());
    EXPECT_EQ(args.source, tree.leaf);

    // The middle handles it: the root never hears of it. Both of the
    // middle's handlers run, handled or not.
    calls.clear();
    CTestMarkupDelegate* handling = new CTestMarkupDelegate(&calls, TRUE);
    CTestMarkupDelegate* afterHandling = new CTestMarkupDelegate(&calls);
    tree.middle->AddHandler(event, handling);
    tree.middle->AddHandler(event, afterHandling);
    CKvoMarkupRoutedEventArgs again;
    again.event = CTestMarkupFrameworkElement::s_testBubbleEvent;
    tree.leaf->RaiseEvent(again);
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[2].handler, handling);
    EXPECT_EQ(calls[3].handler, afterHandling);
    EXPECT_TRUE(again.handled);
}

TEST_F(KvoMarkupRoutedEventTest, DirectEventsReachTheSourceOnly)
{
    EventTree tree;
    std::vector<Call> calls;
    tree.root->AddHandler(CKvoMarkupInputElement::s_mouseEnterEvent, new CTestMarkupDelegate(&calls));
    tree.leaf->AddHandler(CKvoMarkupInputElement::s_mouseLeaveEvent, new CTestMarkupDelegate(&calls));
    CKvoMarkupRoutedEventArgs args;
    args.event = CKvoMarkupInputElement::s_mouseEnterEvent;
    tree.leaf->RaiseEvent(args);
    EXPECT_TRUE(calls.empty());
    tree.root->RaiseEvent(args);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].sender, tree.root.Get());

    // No event: nothing.
    CKvoMarkupRoutedEventArgs empty;
    tree.root->RaiseEvent(empty);
    EXPECT_EQ(calls.size(), 1u);
}

TEST_F(KvoMarkupRoutedEventTest, ClassHandlersRunAfterTheEventUnlessHandled)
{
    EventTree tree;
    MouseOverProbe* probe = new MouseOverProbe(FALSE);
    tree.leaf->AddHandler(CKvoMarkupInputElement::s_mouseEnterEvent, probe);
    CKvoMarkupRoutedEventArgs args;
    args.event = CKvoMarkupInputElement::s_mouseEnterEvent;
    EXPECT_FALSE(tree.leaf->RaiseEventThenClassHandler(args, &CKvoMarkupInputElement::OnMouseEnter));
    EXPECT_EQ(args.source, tree.leaf);
    ASSERT_EQ(probe->seen.size(), 1u);
    EXPECT_FALSE(probe->seen[0]); // the handler ran first
    EXPECT_TRUE(IsMouseOver(tree.leaf));
    args.event = CKvoMarkupInputElement::s_mouseLeaveEvent;
    tree.leaf->RaiseEventThenClassHandler(args, &CKvoMarkupInputElement::OnMouseLeave);
    EXPECT_FALSE(IsMouseOver(tree.leaf));
    EXPECT_EQ(tree.leaf->GetValueCore(CKvoMarkupInputElement::s_isMouseOverProperty), nullptr);

    // Handled by the event: the class handler is skipped.
    tree.middle->AddHandler(CKvoMarkupInputElement::s_mouseEnterEvent, new MouseOverProbe(TRUE));
    CKvoMarkupRoutedEventArgs handled;
    handled.event = CKvoMarkupInputElement::s_mouseEnterEvent;
    EXPECT_TRUE(tree.middle->RaiseEventThenClassHandler(handled, &CKvoMarkupInputElement::OnMouseEnter));
    EXPECT_FALSE(IsMouseOver(tree.middle));
}

TEST_F(KvoMarkupRoutedEventTest, PositionIsRelativeToTheElementThroughEveryOffset)
{
    EventTree tree;
    tree.middle->slot = {10, 20, 90, 100};
    tree.leaf->slot = {5, 7, 25, 27};
    tree.root->SetValue(CKvoMarkupFrameworkElement::s_marginProperty, nullptr);
    tree.root->Arrange(RECT{3, 4, 103, 104});
    ASSERT_EQ(tree.leaf->GetVisualOffset().x, 5);

    CKvoMarkupRoutedEventArgs args;
    args.x = 100;
    args.y = 100;
    POINT inLeaf = CKvoMarkupInputElement::GetPosition(args, tree.leaf);
    EXPECT_EQ(inLeaf.x, 100 - 3 - 10 - 5);
    EXPECT_EQ(inLeaf.y, 100 - 4 - 20 - 7);
    POINT inWindow = CKvoMarkupInputElement::GetPosition(args, nullptr);
    EXPECT_EQ(inWindow.x, 100);
    EXPECT_EQ(inWindow.y, 100);
}

TEST_F(KvoMarkupRoutedEventTest, CursorQueryAnswersTheNearestCursor)
{
    EventTree tree;
    SetMarkupInt(tree.leaf, CKvoMarkupInputElement::s_cursorProperty, 32649);
    CKvoMarkupRoutedEventArgs args;
    tree.middle->OnQueryCursor(args);
    EXPECT_FALSE(args.handled);
    tree.leaf->OnQueryCursor(args);
    EXPECT_TRUE(args.handled);
    EXPECT_EQ(reinterpret_cast<HCURSOR>(args.extra), ::LoadCursorW(nullptr, IDC_HAND));
}

TEST_F(KvoMarkupRoutedEventTest, EventAttributeNeedsAMarkupContext)
{
    CKvoMarkupPtr<CTestMarkupFrameworkElement> element(NewTestFrameworkElement());
    std::wstring message = CatchMarkupBuildError([&] {
        element->SetPropertyObject(nullptr, CKvoMarkupInputElement::s_mouseEnterEvent,
                                   CKvoMarkupString::CreateString(L"OnEnter"));
    });
    EXPECT_EQ(message, L"Markup Context is NULL");
    // Events never take a slot in a value store.
    EXPECT_EQ(CKvoMarkupInputElement::s_mouseEnterEvent->GetIndex(), -1);
    EXPECT_TRUE(CKvoMarkupInputElement::s_lostMouseCaptureEvent->IsEvent());
    EXPECT_EQ(CKvoMarkupDependencyProperty::FindProperty(L"LostMouseCapture", CKvoMarkupInputElement::s_type), nullptr);
    EXPECT_EQ(CKvoMarkupDependencyProperty::FindProperty(L"MouseEnter", CTestMarkupFrameworkElement::s_type),
              CKvoMarkupInputElement::s_mouseEnterEvent);
}

TEST_F(KvoMarkupRoutedEventTest, KeyboardNavigationLeavesKeysToTheWindow)
{
    CKvoMarkupPtr<CKvoMarkupKeyboardNavigation> navigation(new CKvoMarkupKeyboardNavigation);
    for (UINT message : {UINT(WM_KEYDOWN), UINT(WM_SETFOCUS), UINT(WM_KILLFOCUS)}) {
        LRESULT result = 12345;
        EXPECT_FALSE(navigation->OnKeyboardMessage(message, VK_TAB, 0, &result)) << message;
        EXPECT_EQ(result, 12345) << message;
    }
    CKvoMarkupPtr<CTestMarkupFrameworkElement> element(NewTestFrameworkElement());
    navigation->Focus(element.Get());

    // The attached defaults, on any element.
    const CKvoMarkupBool* tabStop =
        static_cast<const CKvoMarkupBool*>(element->GetValue(CKvoMarkupKeyboardNavigation::s_isTabStopProperty));
    ASSERT_NE(tabStop, nullptr);
    EXPECT_TRUE(tabStop->GetValue());
    EXPECT_EQ(MarkupIntValue(element.Get(), CKvoMarkupKeyboardNavigation::s_tabIndexProperty), 0x7FFFFFFF);
    EXPECT_EQ(element->GetValue(CKvoMarkupKeyboardNavigation::s_tabNavigationProperty), nullptr);
    EXPECT_TRUE(CKvoMarkupKeyboardNavigation::s_tabIndexProperty->IsAttached());
}
