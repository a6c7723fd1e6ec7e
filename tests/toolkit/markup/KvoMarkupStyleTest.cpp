#include <gtest/gtest.h>
#include <initializer_list>
#include "markup/core/KvoMarkupPtr.h"
#include "markup/core/KvoMarkupType.h"
#include "markup/drawing/KvoMarkupBrush.h"
#include "markup/drawing/KvoMarkupDrawingContext.h"
#include "markup/elements/KvoMarkupFrameworkElement.h"
#include "markup/styles/KvoMarkupResourceDictionary.h"
#include "markup/styles/KvoMarkupSetter.h"
#include "markup/styles/KvoMarkupStyle.h"
#include "markup/styles/KvoMarkupTrigger.h"
#include "markup/values/KvoMarkupBool.h"
#include "markup/values/KvoMarkupInt.h"
#include "markup/values/KvoMarkupString.h"
#include "toolkit/foundation/images/KvoImageTestSupport.h"
#include "toolkit/markup/support/MarkupObjectTest.h"
#include "toolkit/markup/support/MarkupTestElement.h"

using KvoMarkupStyleTest = MarkupObjectTest;

namespace {
typedef CTestMarkupFrameworkElement TestElement;
typedef CKvoMarkupInputElement Input;
const COLORREF kStyleRed = RGB(255, 0, 0);
const COLORREF kStyleBlue = RGB(0, 0, 255);

CKvoMarkupObject* Int(int value)
{
    return new CKvoMarkupInt(value);
}

CKvoMarkupObject* Brush(COLORREF color)
{
    return new CKvoMarkupSolidColorBrush(color);
}

CKvoMarkupObject* Text(const wchar_t* text)
{
    return CKvoMarkupString::CreateString(text);
}

// A setter of property (null leaves it unset) to value (taken over; null
// leaves it unset).
CKvoMarkupSetter* NewSetter(CKvoMarkupDependencyProperty* property, CKvoMarkupObject* value)
{
    CKvoMarkupSetter* setter = new CKvoMarkupSetter;
    if (property) {
        property->AddRef();
        setter->SetValue(CKvoMarkupSetter::s_propertyProperty, property);
    }
    setter->SetValue(CKvoMarkupSetter::s_valueProperty, value);
    return setter;
}

// The same with the property named as markup writes it, still to resolve.
CKvoMarkupSetter* NewSetter(const wchar_t* propertyName, CKvoMarkupObject* value)
{
    CKvoMarkupSetter* setter = NewSetter(static_cast<CKvoMarkupDependencyProperty*>(nullptr), value);
    setter->SetValue(CKvoMarkupSetter::s_propertyProperty, Text(propertyName));
    return setter;
}

// A trigger: while property equals value, the setters apply.
CKvoMarkupTrigger* NewTrigger(CKvoMarkupDependencyProperty* property, CKvoMarkupObject* value,
                              std::initializer_list<CKvoMarkupSetter*> setters)
{
    CKvoMarkupTrigger* trigger = new CKvoMarkupTrigger;
    property->AddRef();
    trigger->SetValue(CKvoMarkupSetter::s_propertyProperty, property);
    trigger->SetValue(CKvoMarkupSetter::s_valueProperty, value);
    CKvoMarkupSetterColection* collection = new CKvoMarkupSetterColection;
    for (CKvoMarkupSetter* setter : setters)
        collection->Add(setter);
    trigger->SetValue(CKvoMarkupTrigger::s_settersProperty, collection);
    return trigger;
}

// A style for test elements with the setters and triggers given.
CKvoMarkupStyle* NewStyle(std::initializer_list<CKvoMarkupSetter*> setters,
                          std::initializer_list<CKvoMarkupTrigger*> triggers = {})
{
    CKvoMarkupStyle* style = new CKvoMarkupStyle;
    TestElement::s_type->AddRef();
    style->SetValue(CKvoMarkupStyle::s_targetTypeProperty, TestElement::s_type);
    for (CKvoMarkupSetter* setter : setters)
        style->SetContentObject(nullptr, setter);
    if (triggers.size()) {
        CKvoMarkupTriggerCollection* collection = new CKvoMarkupTriggerCollection;
        for (CKvoMarkupTrigger* trigger : triggers)
            collection->Add(trigger);
        style->SetPropertyObject(nullptr, CKvoMarkupStyle::s_triggersProperty, collection);
    }
    return style;
}

CKvoMarkupTrigger* OnMouseOver(CKvoMarkupDependencyProperty* property, CKvoMarkupObject* value)
{
    return NewTrigger(Input::s_isMouseOverProperty, CKvoMarkupBool::GetShared(TRUE), {NewSetter(property, value)});
}

int Level(const CKvoMarkupObject* element)
{
    return MarkupIntValue(element, TestElement::s_levelProperty);
}

COLORREF FillColor(const CKvoMarkupObject* element)
{
    const CKvoMarkupBrush* brush = static_cast<const CKvoMarkupBrush*>(element->GetValue(TestElement::s_fillProperty));
    return brush ? brush->GetColor() : CLR_NONE;
}

int ActiveTriggerCount(const Input* element)
{
    return element->GetActiveTriggers() ? element->GetActiveTriggers()->GetCount() : 0;
}

// Gives the test element's type a default style for the scope.
class DefaultStyleScope {
public:
    explicit DefaultStyleScope(CKvoMarkupStyle* style) : m_style(style) { TestElement::s_type->SetDefaultStyle(style); }
    ~DefaultStyleScope() { TestElement::s_type->SetDefaultStyle(nullptr); }

private:
    CKvoMarkupPtr<CKvoMarkupStyle> m_style;
};
}

TEST_F(KvoMarkupStyleTest, ValuesComeInOrderOfPrecedence)
{
    CKvoMarkupPtr<TestElement> parent(NewTestFrameworkElement());
    TestElement* child = NewTestFrameworkElement();
    parent->AddVisualChild(child);
    EXPECT_EQ(Level(child), 1); // the default

    SetMarkupInt(parent.Get(), TestElement::s_levelProperty, 5);
    EXPECT_EQ(Level(child), 5); // inherited

    DefaultStyleScope defaultStyle(NewStyle({NewSetter(TestElement::s_levelProperty, Int(4))}));
    EXPECT_EQ(Level(child), 4); // the type's default style
    EXPECT_EQ(Level(parent.Get()), 5);

    child->SetValue(Input::s_styleProperty, NewStyle({NewSetter(TestElement::s_levelProperty, Int(3))},
                                                     {OnMouseOver(TestElement::s_levelProperty, Int(2))}));
    EXPECT_EQ(Level(child), 3); // the element's style

    SetMarkupBool(child, Input::s_isMouseOverProperty, TRUE);
    EXPECT_EQ(Level(child), 2); // a trigger

    SetMarkupInt(child, TestElement::s_levelProperty, 6);
    EXPECT_EQ(Level(child), 6); // the local value

    // And back down.
    child->SetValue(TestElement::s_levelProperty, nullptr);
    EXPECT_EQ(Level(child), 2);
    child->SetValue(Input::s_isMouseOverProperty, nullptr);
    EXPECT_EQ(Level(child), 3);
}

TEST_F(KvoMarkupStyleTest, TriggersSwitchWhatTheElementDraws)
{
    CKvoMarkupPtr<TestElement> element(NewTestFrameworkElement({20, 20}));
    element->SetValue(Input::s_styleProperty, NewStyle({NewSetter(TestElement::s_fillProperty, Brush(kStyleBlue))},
                                                       {OnMouseOver(TestElement::s_fillProperty, Brush(kStyleRed))}));
    Input::ApplyStylesRecursive(element.Get());
    TestCanvas canvas(20, 20);
    CKvoMarkupDrawingContext dc(canvas.Dc()->GetSafeHdc());
    element->Measure(&dc, 20, 20);
    element->Arrange(RECT{0, 0, 20, 20});
    element->Render(&dc);
    EXPECT_EQ(canvas.Pixel(10, 10), kStyleBlue);

    for (int round = 0; round < 2; ++round) {
        element->ResetCounters();
        CKvoMarkupRoutedEventArgs args;
        element->OnMouseEnter(args);
        EXPECT_EQ(element->invalidateVisualCalls, 1);
        element->Render(&dc);
        EXPECT_EQ(canvas.Pixel(10, 10), kStyleRed);
        element->OnMouseLeave(args);
        element->Render(&dc);
        EXPECT_EQ(canvas.Pixel(10, 10), kStyleBlue);
        EXPECT_EQ(ActiveTriggerCount(element.Get()), 0);
    }
}

TEST_F(KvoMarkupStyleTest, BasedOnStylesComeFirst)
{
    CKvoMarkupStyle* base = NewStyle({NewSetter(TestElement::s_fillProperty, Brush(kStyleRed)),
                                      NewSetter(TestElement::s_frameProperty, Brush(kStyleBlue))},
                                     {OnMouseOver(TestElement::s_levelProperty, Int(7))});
    CKvoMarkupStyle* derived = NewStyle({NewSetter(TestElement::s_fillProperty, Brush(RGB(0, 255, 0)))},
                                        {OnMouseOver(TestElement::s_levelProperty, Int(8))});
    derived->SetValue(CKvoMarkupStyle::s_basedOnProperty, base);
    CKvoMarkupPtr<TestElement> element(NewTestFrameworkElement());
    element->SetValue(Input::s_styleProperty, derived);

    EXPECT_EQ(FillColor(element.Get()), RGB(0, 255, 0));
    const CKvoMarkupBrush* frame = static_cast<const CKvoMarkupBrush*>(element->GetValue(TestElement::s_frameProperty));
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->GetColor(), kStyleBlue);
    // The base's trigger is activated first, so the derived one wins.
    SetMarkupBool(element.Get(), Input::s_isMouseOverProperty, TRUE);
    EXPECT_EQ(ActiveTriggerCount(element.Get()), 2);
    EXPECT_EQ(Level(element.Get()), 8);
}

// BasedOn set in code can come back to a style: sealing and triggers stop
// at a style already on the chain.
TEST_F(KvoMarkupStyleTest, BasedOnLoopEnds)
{
    CKvoMarkupStyle* first = NewStyle({NewSetter(TestElement::s_levelProperty, Int(11))},
                                      {OnMouseOver(TestElement::s_fillProperty, Brush(kStyleRed))});
    CKvoMarkupStyle* second = NewStyle({NewSetter(TestElement::s_levelProperty, Int(22)),
                                        NewSetter(TestElement::s_frameProperty, Brush(kStyleBlue))},
                                       {OnMouseOver(TestElement::s_levelProperty, Int(33))});
    first->AddRef();
    second->SetValue(CKvoMarkupStyle::s_basedOnProperty, first);
    first->SetValue(CKvoMarkupStyle::s_basedOnProperty, second);
    CKvoMarkupPtr<TestElement> element(NewTestFrameworkElement());
    element->SetValue(Input::s_styleProperty, first);

    EXPECT_EQ(Level(element.Get()), 11);
    EXPECT_NE(element->GetValue(TestElement::s_frameProperty), nullptr);
    SetMarkupBool(element.Get(), Input::s_isMouseOverProperty, TRUE);
    EXPECT_EQ(ActiveTriggerCount(element.Get()), 2);
    EXPECT_EQ(FillColor(element.Get()), kStyleRed);
    EXPECT_EQ(Level(element.Get()), 33);
    // The loop holds each style: break it so both go.
    first->SetValue(CKvoMarkupStyle::s_basedOnProperty, nullptr);
}

TEST_F(KvoMarkupStyleTest, LaterTriggerWinsAndTheEarlierReturns)
{
    CKvoMarkupPtr<TestElement> element(NewTestFrameworkElement());
    element->SetValue(
        Input::s_styleProperty,
        NewStyle({}, {OnMouseOver(TestElement::s_levelProperty, Int(2)),
                      NewTrigger(Input::s_isKeyboardFocusedProperty, CKvoMarkupBool::GetShared(TRUE),
                                 {NewSetter(TestElement::s_levelProperty, Int(3))})}));
    SetMarkupBool(element.Get(), Input::s_isMouseOverProperty, TRUE);
    EXPECT_EQ(Level(element.Get()), 2);
    SetMarkupBool(element.Get(), Input::s_isKeyboardFocusedProperty, TRUE);
    EXPECT_EQ(Level(element.Get()), 3);
    SetMarkupBool(element.Get(), Input::s_isKeyboardFocusedProperty, FALSE);
    EXPECT_EQ(Level(element.Get()), 2);
    element->SetValue(Input::s_isMouseOverProperty, nullptr);
    EXPECT_EQ(Level(element.Get()), 1);
    EXPECT_EQ(ActiveTriggerCount(element.Get()), 0);

    // The other way round: the mouse trigger comes on later and wins.
    SetMarkupBool(element.Get(), Input::s_isKeyboardFocusedProperty, TRUE);
    SetMarkupBool(element.Get(), Input::s_isMouseOverProperty, TRUE);
    EXPECT_EQ(Level(element.Get()), 2);
}

// A set to an equal value notifies again; the trigger is listed once.
TEST_F(KvoMarkupStyleTest, TriggerSetTwiceStaysOnceInTheActiveList)
{
    CKvoMarkupPtr<TestElement> element(NewTestFrameworkElement());
    element->SetValue(Input::s_styleProperty, NewStyle({}, {OnMouseOver(TestElement::s_levelProperty, Int(2))}));
    for (int round = 0; round < 3; ++round)
        SetMarkupBool(element.Get(), Input::s_isMouseOverProperty, TRUE);
    EXPECT_EQ(ActiveTriggerCount(element.Get()), 1);
    EXPECT_EQ(Level(element.Get()), 2);
    element->SetValue(Input::s_isMouseOverProperty, nullptr);
    EXPECT_EQ(ActiveTriggerCount(element.Get()), 0);
    EXPECT_EQ(Level(element.Get()), 1);
}

TEST_F(KvoMarkupStyleTest, ImplicitStyleIsFoundInAnAncestorsResources)
{
    CKvoMarkupPtr<TestElement> root(NewTestFrameworkElement());
    CKvoMarkupResourceDictionary* resources = new CKvoMarkupResourceDictionary;
    resources->SetContentObject(nullptr, NewStyle({NewSetter(TestElement::s_levelProperty, Int(9))}));
    root->SetValue(Input::s_resourcesProperty, resources);
    TestElement* middle = NewTestFrameworkElement();
    TestElement* plain = NewTestFrameworkElement();
    TestElement* styled = NewTestFrameworkElement();
    styled->SetValue(Input::s_styleProperty, NewStyle({NewSetter(TestElement::s_levelProperty, Int(4))}));
    middle->AddVisualChild(plain);
    middle->AddVisualChild(styled);
    root->AddVisualChild(middle);

    Input::ApplyStylesRecursive(root.Get());
    EXPECT_EQ(Level(plain), 9);
    EXPECT_EQ(Level(middle), 9);
    EXPECT_EQ(Level(root.Get()), 9);
    EXPECT_EQ(Level(styled), 4);
    EXPECT_EQ(CKvoMarkupResourceDictionary::FindResource(plain, TestElement::s_type), plain->GetStyle());
    EXPECT_EQ(CKvoMarkupResourceDictionary::FindResource(plain, CKvoMarkupFrameworkElement::s_type), nullptr);
}

TEST_F(KvoMarkupStyleTest, DictionaryKeysAreRequiredAndUnique)
{
    CKvoMarkupPtr<CKvoMarkupResourceDictionary> dictionary(new CKvoMarkupResourceDictionary);
    const std::wstring missingKey =
        L"Objects added to Dictionary must have Key attribute or some other type of associated Key";
    EXPECT_EQ(CatchMarkupBuildError([&] { dictionary->SetContentObject(nullptr, Brush(kStyleRed)); }), missingKey);
    EXPECT_EQ(CatchMarkupBuildError([&] { dictionary->SetContentObject(nullptr, new CKvoMarkupStyle); }), missingKey);

    CKvoMarkupObject* first = Brush(kStyleRed);
    first->SetValue(CKvoMarkupObject::s_keyProperty, Text(L"accent"));
    dictionary->SetContentObject(nullptr, first);
    CKvoMarkupObject* second = Brush(kStyleBlue);
    second->SetValue(CKvoMarkupObject::s_keyProperty, Text(L"accent"));
    EXPECT_EQ(CatchMarkupBuildError([&] { dictionary->SetContentObject(nullptr, second); }),
              L"Dictionary key is already used. Key attributes must be unique.");
    EXPECT_EQ(dictionary->GetCount(), 1);

    // Text keys match by text, from any element below.
    CKvoMarkupPtr<TestElement> root(NewTestFrameworkElement());
    root->SetValue(Input::s_resourcesProperty, CKvoMarkupPtr<CKvoMarkupResourceDictionary>::Share(dictionary.Get()).Detach());
    TestElement* child = NewTestFrameworkElement();
    root->AddVisualChild(child);
    CKvoMarkupPtr<CKvoMarkupObject> key(Text(L"accent"));
    EXPECT_EQ(CKvoMarkupResourceDictionary::FindResource(child, key.Get()), first);
    EXPECT_EQ(CKvoMarkupResourceDictionary::FindResource(dictionary.Get(), key.Get()), first);
    CKvoMarkupPtr<CKvoMarkupObject> other(Text(L"Accent"));
    EXPECT_EQ(CKvoMarkupResourceDictionary::FindResource(child, other.Get()), nullptr);
}

TEST_F(KvoMarkupStyleTest, SettersResolveAgainstTheTargetType)
{
    CKvoMarkupPtr<CKvoMarkupStyle> style(NewStyle({}));
    // Text names the property; text values are converted to its type.
    CKvoMarkupSetter* setter = NewSetter(L"Fill", Text(L"Red"));
    style->SetContentObject(nullptr, setter);
    EXPECT_EQ(setter->GetSetterProperty(), TestElement::s_fillProperty);
    ASSERT_TRUE(setter->GetSetterValue()->IsKindOf(CKvoMarkupSolidColorBrush::s_type));
    EXPECT_EQ(static_cast<CKvoMarkupBrush*>(setter->GetSetterValue())->GetColor(), kStyleRed);
    // A property of a base type, and one named with its owner.
    CKvoMarkupSetter* inherited = NewSetter(L"Margin", Text(L"3"));
    style->SetContentObject(nullptr, inherited);
    EXPECT_EQ(inherited->GetSetterProperty(), CKvoMarkupFrameworkElement::s_marginProperty);
    CKvoMarkupSetter* owned = NewSetter(L"KeyboardNavigation.TabIndex", Text(L"4"));
    style->SetContentObject(nullptr, owned);
    EXPECT_EQ(MarkupIntValue(owned, CKvoMarkupSetter::s_valueProperty), 4);
    EXPECT_EQ(style->GetSetters()->GetCount(), 3);

    const std::wstring both = L"Must specify both Property and Value for Setter.";
    EXPECT_EQ(CatchMarkupBuildError([&] { style->SetContentObject(nullptr, NewSetter(static_cast<CKvoMarkupDependencyProperty*>(nullptr), Int(1))); }), both);
    EXPECT_EQ(CatchMarkupBuildError([&] { style->SetContentObject(nullptr, NewSetter(L"Level", nullptr)); }),
              both);
    EXPECT_EQ(CatchMarkupBuildError([&] { style->SetContentObject(nullptr, NewSetter(L"Nope", Int(1))); }),
              L"Cannot find the Style Property 'Nope'");
    EXPECT_EQ(CatchMarkupBuildError([&] { style->SetContentObject(nullptr, Int(1)); }),
              L"Cannot add content to an object of type 'CKvoMarkupStyle'");
    EXPECT_EQ(style->GetSetters()->GetCount(), 3);
}
