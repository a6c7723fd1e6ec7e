#include <gtest/gtest.h>
#include "markup/builder/KvoMarkupBuilder.h"
#include "markup/core/KvoMarkupDependencyProperty.h"
#include "markup/core/KvoMarkupProperties.h"
#include "markup/core/KvoMarkupPtr.h"
#include "markup/values/KvoMarkupDouble.h"
#include "markup/values/KvoMarkupEnum.h"
#include "markup/values/KvoMarkupInt.h"
#include "markup/values/KvoMarkupString.h"
#include "toolkit/markup/support/MarkupObjectTest.h"
#include "toolkit/markup/support/MarkupTestTypes.h"

using KvoMarkupDependencyPropertyTest = MarkupObjectTest;

namespace {
CKvoMarkupDependencyProperty* const& Size = CTestMarkupElement::s_sizeProperty;
CKvoMarkupDependencyProperty* const& Label = CTestMarkupElement::s_labelProperty;

int IntOf(const CKvoMarkupObject* value)
{
    const CKvoMarkupInt* number = static_cast<const CKvoMarkupInt*>(
        MarkupDynamicCast(CKvoMarkupInt::s_type, const_cast<CKvoMarkupObject*>(value)));
    return number ? number->GetValue() : -1;
}

CTestMarkupPanel* NewPanel()
{
    return static_cast<CTestMarkupPanel*>(CTestMarkupPanel::s_type->CreateObject());
}

CKvoMarkupObject* NewPropertyElement()
{
    return CTestMarkupElement::s_type->CreateObject();
}

// How many changes obj was told of.
int ChangesOf(const CKvoMarkupObject* object)
{
    int count = 0;
    for (const MarkupChangeRecord& change : CTestMarkupElement::ChangeLog())
        count += change.object == object;
    return count;
}
}

TEST_F(KvoMarkupDependencyPropertyTest, LookupWalksTheBaseChain)
{
    EXPECT_EQ(CKvoMarkupDependencyProperty::FindProperty(L"Size", CTestMarkupElement::s_type), Size);
    EXPECT_EQ(CKvoMarkupDependencyProperty::FindProperty(L"Size", CTestMarkupPanel::s_type), Size);
    EXPECT_EQ(CKvoMarkupDependencyProperty::FindProperty(L"Label", CTestMarkupPanel::s_type), Label);
    EXPECT_EQ(CKvoMarkupDependencyProperty::FindProperty(L"size", CTestMarkupPanel::s_type), nullptr);
    EXPECT_EQ(CKvoMarkupDependencyProperty::FindProperty(L"Label", CTestMarkupOther::s_type), nullptr);
    EXPECT_EQ(CKvoMarkupDependencyProperty::FindProperty(L"Size", nullptr), nullptr);
    EXPECT_EQ(CKvoMarkupDependencyProperty::FindProperty(nullptr, CTestMarkupPanel::s_type), nullptr);

    EXPECT_EQ(Size->GetOwnerType(), CTestMarkupElement::s_type);
    EXPECT_EQ(Size->GetValueType(), CKvoMarkupInt::s_type);
    EXPECT_FALSE(Size->IsAttached());
    EXPECT_FALSE(Size->IsEvent());
    EXPECT_TRUE(Size->HasFlag(KvoMarkupPropertyFlag::Inherits));
    EXPECT_FALSE(Label->HasFlag(KvoMarkupPropertyFlag::Inherits));
    EXPECT_EQ(Size->GetType(), CKvoMarkupDependencyProperty::s_type);
    EXPECT_LT(Size->GetIndex(), CKvoMarkupDependencyProperty::GetPropertyCount());
    EXPECT_NE(Size->GetIndex(), Label->GetIndex());
}

// An added owner finds the same property, so both address one slot.
TEST_F(KvoMarkupDependencyPropertyTest, AddedOwnerSharesTheSlot)
{
    CKvoMarkupDependencyProperty* otherSize =
        CKvoMarkupDependencyProperty::FindProperty(L"Size", CTestMarkupOther::s_type);
    ASSERT_EQ(otherSize, Size);

    CKvoMarkupPtr<CKvoMarkupObject> other(CTestMarkupOther::s_type->CreateObject());
    other->SetValue(otherSize, new CKvoMarkupInt(4));
    EXPECT_EQ(IntOf(other->GetValueCore(Size)), 4);
    EXPECT_EQ(IntOf(other->GetProperties()->Get(Size)), 4);
}

TEST_F(KvoMarkupDependencyPropertyTest, ValueIsLocalThenInheritedThenDefault)
{
    CKvoMarkupPtr<CTestMarkupPanel> outer(NewPanel());
    CTestMarkupPanel* inner = NewPanel();
    CKvoMarkupObject* leaf = NewPropertyElement();
    outer->AddChild(inner);
    inner->AddChild(leaf);

    EXPECT_EQ(IntOf(leaf->GetValue(Size)), 10) << "the default";
    EXPECT_EQ(leaf->GetValueSource(Size), nullptr);

    outer->SetValue(Size, new CKvoMarkupInt(20));
    EXPECT_EQ(IntOf(leaf->GetValue(Size)), 20);
    EXPECT_EQ(leaf->GetValueSource(Size), outer.Get());
    EXPECT_EQ(leaf->GetValueCore(Size), nullptr);

    inner->SetValue(Size, new CKvoMarkupInt(30));
    EXPECT_EQ(IntOf(leaf->GetValue(Size)), 30);
    EXPECT_EQ(leaf->GetValueSource(Size), inner);
    EXPECT_EQ(IntOf(outer->GetValue(Size)), 20);

    leaf->SetValue(Size, new CKvoMarkupInt(40));
    EXPECT_EQ(leaf->GetValueSource(Size), leaf);
    EXPECT_EQ(IntOf(leaf->GetValue(Size)), 40);

    // A property without Inherits is never taken from an ancestor.
    outer->SetValue(Label, CKvoMarkupString::CreateString(L"outer"));
    EXPECT_EQ(leaf->GetValue(Label), nullptr);
    EXPECT_EQ(leaf->GetValueSource(Label), nullptr);

    // Clearing the local value falls back to the ancestor's.
    leaf->SetValue(Size, nullptr);
    EXPECT_EQ(IntOf(leaf->GetValue(Size)), 30);
}

TEST_F(KvoMarkupDependencyPropertyTest, InheritingChangeReachesDescendantsOfTheOwnerType)
{
    CKvoMarkupPtr<CTestMarkupPanel> outer(NewPanel());
    CTestMarkupPanel* inner = NewPanel();
    CKvoMarkupObject* leaf = NewPropertyElement();
    CKvoMarkupObject* stranger = CTestMarkupOther::s_type->CreateObject();
    outer->AddChild(inner);
    outer->AddChild(stranger);
    inner->AddChild(leaf);

    outer->SetValue(Size, new CKvoMarkupInt(20));
    EXPECT_EQ(ChangesOf(outer.Get()), 1);
    EXPECT_EQ(ChangesOf(inner), 1);
    EXPECT_EQ(ChangesOf(leaf), 1);
    EXPECT_EQ(ChangesOf(stranger), 0);
    const MarkupChangeRecord& leafChange = CTestMarkupElement::ChangeLog().back();
    EXPECT_EQ(leafChange.object, leaf);
    EXPECT_EQ(leafChange.property, Size);
    EXPECT_EQ(IntOf(leafChange.oldValue), 10);
    EXPECT_EQ(IntOf(leafChange.newValue), 20);

    // No equality test: the same value again notifies again.
    CKvoMarkupObject* twenty = outer->GetValue(Size);
    twenty->AddRef();
    outer->SetValue(Size, twenty);
    EXPECT_EQ(ChangesOf(leaf), 2);

    // A property without Inherits tells the object only.
    outer->SetValue(Label, CKvoMarkupString::CreateString(L"x"));
    EXPECT_EQ(ChangesOf(outer.Get()), 3);
    EXPECT_EQ(ChangesOf(leaf), 2);
}

TEST_F(KvoMarkupDependencyPropertyTest, NothingToNothingIsNoChange)
{
    CKvoMarkupPtr<CKvoMarkupObject> element(NewPropertyElement());
    element->SetValue(Label, nullptr);
    EXPECT_EQ(ChangesOf(element.Get()), 0);
    EXPECT_EQ(element->GetProperties(), nullptr) << "no store for a null value";

    // A value of the wrong type is dropped without a word.
    element->SetValue(Label, new CKvoMarkupInt(1));
    EXPECT_EQ(element->GetValue(Label), nullptr);
    EXPECT_EQ(ChangesOf(element.Get()), 0);
    element->SetValue(nullptr, new CKvoMarkupInt(1));
    EXPECT_EQ(ChangesOf(element.Get()), 0);
}

// The store held the old value's only reference; the change callback still
// reads it.
TEST_F(KvoMarkupDependencyPropertyTest, OldValueLivesThroughTheNotification)
{
    CKvoMarkupPtr<CTestMarkupPanel> panel(NewPanel());
    CKvoMarkupObject* child = NewPropertyElement();
    panel->AddChild(child);
    panel->SetValue(Size, new CTestTrackedInt(77));
    ASSERT_EQ(CTestTrackedInt::s_alive, 1);

    panel->SetValue(Size, new CKvoMarkupInt(5));
    EXPECT_EQ(LastSizeCallback().oldValue, 77);
    EXPECT_EQ(LastSizeCallback().trackedAlive, 1) << "the old value was freed before the callback";
    EXPECT_EQ(IntOf(CTestMarkupElement::ChangeLog().back().newValue), 5);
    EXPECT_EQ(CTestTrackedInt::s_alive, 0) << "released after the notifications";
}

TEST_F(KvoMarkupDependencyPropertyTest, StoredValuesBelongToTheOwner)
{
    CKvoMarkupPtr<CKvoMarkupObject> element(NewPropertyElement());
    CKvoMarkupInt* first = new CKvoMarkupInt(1);
    element->SetValue(Size, first);
    EXPECT_EQ(first->GetLogicalParent(), element.Get());
    first->AddRef();
    element->SetValue(Size, new CKvoMarkupInt(2));
    EXPECT_EQ(first->GetLogicalParent(), nullptr);
    EXPECT_EQ(first->Release(), 0);
}

// Text is converted to the property's value type; the text is released
// whether or not it converts.
TEST_F(KvoMarkupDependencyPropertyTest, PropertyObjectConvertsText)
{
    CKvoMarkupPtr<CKvoMarkupObject> element(NewPropertyElement());
    CKvoMarkupBuilder builder(nullptr);
    element->SetPropertyObject(&builder, Size, CKvoMarkupString::CreateString(L"12"));
    EXPECT_EQ(IntOf(element->GetValue(Size)), 12);

    element->SetPropertyObject(&builder, CTestMarkupElement::s_modeProperty, CKvoMarkupString::CreateString(L"On"));
    CKvoMarkupPtr<CKvoMarkupEnum> one(CKvoMarkupEnum::GetShared(1));
    EXPECT_EQ(element->GetValue(CTestMarkupElement::s_modeProperty), one.Get());

    EXPECT_EQ(CatchMarkupBuildError([&] {
                  element->SetPropertyObject(&builder, CTestMarkupElement::s_ratioProperty,
                                             CKvoMarkupString::CreateString(L"wide"));
              }),
              L"Cannot convert string in attribute 'Ratio' to object of type 'CKvoMarkupDouble'");
    EXPECT_EQ(CatchMarkupBuildError([&] {
                  element->SetPropertyObject(nullptr, CTestMarkupElement::s_modeProperty,
                                             CKvoMarkupString::CreateString(L"Off"));
              }),
              L"Cannot convert string in attribute 'Mode' to object of type 'CKvoMarkupEnum'");
    EXPECT_EQ(element->GetValue(CTestMarkupElement::s_modeProperty), one.Get()) << "unchanged by the failure";

    // A value of the value type is set as it is.
    CKvoMarkupString* label = CKvoMarkupString::CreateString(L"label");
    element->SetPropertyObject(&builder, Label, label);
    EXPECT_EQ(element->GetValue(Label), label);
}

TEST_F(KvoMarkupDependencyPropertyTest, StoreCopiesOverWhatItHolds)
{
    CKvoMarkupPtr<CKvoMarkupObject> source(NewPropertyElement());
    CKvoMarkupPtr<CKvoMarkupObject> target(NewPropertyElement());
    source->SetValue(Size, new CKvoMarkupInt(1));
    target->SetValue(Size, new CTestTrackedInt(2));
    target->SetValue(Label, CKvoMarkupString::CreateString(L"kept"));
    ASSERT_EQ(CTestTrackedInt::s_alive, 1);

    target->GetProperties()->CopyFrom(*source->GetProperties());
    EXPECT_EQ(CTestTrackedInt::s_alive, 0) << "the overwritten value was released";
    EXPECT_EQ(target->GetValueCore(Size), source->GetValueCore(Size));
    EXPECT_NE(target->GetValueCore(Label), nullptr);
}

TEST_F(KvoMarkupDependencyPropertyTest, StoreSlotsAreFixedWhenItIsMade)
{
    CKvoMarkupProperties store(nullptr);
    EXPECT_EQ(store.GetCount(), CKvoMarkupDependencyProperty::GetPropertyCount());
    store.Set(Size, new CKvoMarkupInt(3));
    EXPECT_EQ(IntOf(store.Get(Size)), 3);
    EXPECT_EQ(store.Get(nullptr), nullptr);

    // A property registered after the store was made has no slot in it.
    CKvoMarkupProperties early(nullptr);
    CKvoMarkupDependencyProperty* late =
        CKvoMarkupDependencyProperty::Register(L"Late", CKvoMarkupInt::s_type, CTestMarkupOther::s_type);
    ASSERT_NE(late, nullptr);
    KeepForProcess(1);
    EXPECT_EQ(late->GetIndex(), early.GetCount());
    early.Set(late, new CKvoMarkupInt(1));
    EXPECT_EQ(early.Get(late), nullptr);
    CKvoMarkupProperties fresh(nullptr);
    fresh.Set(late, new CKvoMarkupInt(1));
    EXPECT_EQ(IntOf(fresh.Get(late)), 1);
}
