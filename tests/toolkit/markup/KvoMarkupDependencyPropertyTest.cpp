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
CKvoMarkupDependencyProperty* const& SizeProperty = CTestMarkupElement::s_sizeProperty;
CKvoMarkupDependencyProperty* const& LabelProperty = CTestMarkupElement::s_labelProperty;

int MarkupIntOf(const CKvoMarkupObject* value)
{
    const CKvoMarkupInt* number = static_cast<const CKvoMarkupInt*>(
        MarkupDynamicCast(CKvoMarkupInt::s_type, const_cast<CKvoMarkupObject*>(value)));
    return number ? number->GetValue() : -1;
}

// How many changes obj was told of.
int ChangesNotedFor(const CKvoMarkupObject* object)
{
    int count = 0;
    for (const MarkupChangeRecord& change : CTestMarkupElement::ChangeLog())
        count += change.object == object;
    return count;
}
}

TEST_F(KvoMarkupDependencyPropertyTest, LookupWalksTheBaseChain)
{
    EXPECT_EQ(CKvoMarkupDependencyProperty::FindProperty(L"Size", CTestMarkupElement::s_type), SizeProperty);
    EXPECT_EQ(CKvoMarkupDependencyProperty::FindProperty(L"Size", CTestMarkupPanel::s_type), SizeProperty);
    EXPECT_EQ(CKvoMarkupDependencyProperty::FindProperty(L"Label", CTestMarkupPanel::s_type), LabelProperty);
    EXPECT_EQ(CKvoMarkupDependencyProperty::FindProperty(L"size", CTestMarkupPanel::s_type), nullptr);
    EXPECT_EQ(CKvoMarkupDependencyProperty::FindProperty(L"Label", CTestMarkupOther::s_type), nullptr);
    EXPECT_EQ(CKvoMarkupDependencyProperty::FindProperty(L"Size", nullptr), nullptr);
    EXPECT_EQ(CKvoMarkupDependencyProperty::FindProperty(nullptr, CTestMarkupPanel::s_type), nullptr);

    EXPECT_EQ(SizeProperty->GetOwnerType(), CTestMarkupElement::s_type);
    EXPECT_EQ(SizeProperty->GetValueType(), CKvoMarkupInt::s_type);
    EXPECT_FALSE(SizeProperty->IsAttached());
    EXPECT_FALSE(SizeProperty->IsEvent());
    EXPECT_TRUE(SizeProperty->HasFlag(KvoMarkupPropertyFlag::Inherits));
    EXPECT_FALSE(LabelProperty->HasFlag(KvoMarkupPropertyFlag::Inherits));
    EXPECT_EQ(SizeProperty->GetType(), CKvoMarkupDependencyProperty::s_type);
    EXPECT_LT(SizeProperty->GetIndex(), CKvoMarkupDependencyProperty::GetPropertyCount());
    EXPECT_NE(SizeProperty->GetIndex(), LabelProperty->GetIndex());
}

// An added owner finds the same property, so both address one slot.
TEST_F(KvoMarkupDependencyPropertyTest, AddedOwnerSharesTheSlot)
{
    CKvoMarkupDependencyProperty* otherSize =
        CKvoMarkupDependencyProperty::FindProperty(L"Size", CTestMarkupOther::s_type);
    ASSERT_EQ(otherSize, SizeProperty);

    CKvoMarkupPtr<CKvoMarkupObject> other(CTestMarkupOther::s_type->CreateObject());
    other->SetValue(otherSize, new CKvoMarkupInt(4));
    EXPECT_EQ(MarkupIntOf(other->GetValueCore(SizeProperty)), 4);
    EXPECT_EQ(MarkupIntOf(other->GetProperties()->Get(SizeProperty)), 4);
}

TEST_F(KvoMarkupDependencyPropertyTest, ValueIsLocalThenInheritedThenDefault)
{
    CKvoMarkupPtr<CTestMarkupPanel> outer(NewTestPanel());
    CTestMarkupPanel* inner = NewTestPanel();
    CKvoMarkupObject* leaf = NewTestElement();
    outer->AddChild(inner);
    inner->AddChild(leaf);

    EXPECT_EQ(MarkupIntOf(leaf->GetValue(SizeProperty)), 10) << "the default";
    EXPECT_EQ(leaf->GetValueSource(SizeProperty), nullptr);

    outer->SetValue(SizeProperty, new CKvoMarkupInt(20));
    EXPECT_EQ(MarkupIntOf(leaf->GetValue(SizeProperty)), 20);
    EXPECT_EQ(leaf->GetValueSource(SizeProperty), outer.Get());
    EXPECT_EQ(leaf->GetValueCore(SizeProperty), nullptr);

    inner->SetValue(SizeProperty, new CKvoMarkupInt(30));
    EXPECT_EQ(MarkupIntOf(leaf->GetValue(SizeProperty)), 30);
    EXPECT_EQ(leaf->GetValueSource(SizeProperty), inner);
    EXPECT_EQ(MarkupIntOf(outer->GetValue(SizeProperty)), 20);

    leaf->SetValue(SizeProperty, new CKvoMarkupInt(40));
    EXPECT_EQ(leaf->GetValueSource(SizeProperty), leaf);
    EXPECT_EQ(MarkupIntOf(leaf->GetValue(SizeProperty)), 40);

    // A property without Inherits is never taken from an ancestor.
    outer->SetValue(LabelProperty, CKvoMarkupString::CreateString(L"outer"));
    EXPECT_EQ(leaf->GetValue(LabelProperty), nullptr);
    EXPECT_EQ(leaf->GetValueSource(LabelProperty), nullptr);

    // Clearing the local value falls back to the ancestor's.
    leaf->SetValue(SizeProperty, nullptr);
    EXPECT_EQ(MarkupIntOf(leaf->GetValue(SizeProperty)), 30);
}

TEST_F(KvoMarkupDependencyPropertyTest, InheritingChangeReachesDescendantsOfTheOwnerType)
{
    CKvoMarkupPtr<CTestMarkupPanel> outer(NewTestPanel());
    CTestMarkupPanel* inner = NewTestPanel();
    CKvoMarkupObject* leaf = NewTestElement();
    CKvoMarkupObject* stranger = CTestMarkupOther::s_type->CreateObject();
    outer->AddChild(inner);
    outer->AddChild(stranger);
    inner->AddChild(leaf);

    outer->SetValue(SizeProperty, new CKvoMarkupInt(20));
    EXPECT_EQ(ChangesNotedFor(outer.Get()), 1);
    EXPECT_EQ(ChangesNotedFor(inner), 1);
    EXPECT_EQ(ChangesNotedFor(leaf), 1);
    EXPECT_EQ(ChangesNotedFor(stranger), 0);
    const MarkupChangeRecord& leafChange = CTestMarkupElement::ChangeLog().back();
    EXPECT_EQ(leafChange.object, leaf);
    EXPECT_EQ(leafChange.property, SizeProperty);
    EXPECT_EQ(MarkupIntOf(leafChange.oldValue), 10);
    EXPECT_EQ(MarkupIntOf(leafChange.newValue), 20);

    // No equality test: the same value again notifies again.
    CKvoMarkupObject* twenty = outer->GetValue(SizeProperty);
    twenty->AddRef();
    outer->SetValue(SizeProperty, twenty);
    EXPECT_EQ(ChangesNotedFor(leaf), 2);

    // A property without Inherits tells the object only.
    outer->SetValue(LabelProperty, CKvoMarkupString::CreateString(L"x"));
    EXPECT_EQ(ChangesNotedFor(outer.Get()), 3);
    EXPECT_EQ(ChangesNotedFor(leaf), 2);
}

TEST_F(KvoMarkupDependencyPropertyTest, NothingToNothingIsNoChange)
{
    CKvoMarkupPtr<CKvoMarkupObject> element(NewTestElement());
    element->SetValue(LabelProperty, nullptr);
    EXPECT_EQ(ChangesNotedFor(element.Get()), 0);
    EXPECT_EQ(element->GetProperties(), nullptr) << "no store for a null value";

    // A value of the wrong type is dropped without a word.
    element->SetValue(LabelProperty, new CKvoMarkupInt(1));
    EXPECT_EQ(element->GetValue(LabelProperty), nullptr);
    EXPECT_EQ(ChangesNotedFor(element.Get()), 0);
    element->SetValue(nullptr, new CKvoMarkupInt(1));
    EXPECT_EQ(ChangesNotedFor(element.Get()), 0);
}

// The store held the old value's only reference; the change callback still
// reads it.
TEST_F(KvoMarkupDependencyPropertyTest, OldValueLivesThroughTheNotification)
{
    CKvoMarkupPtr<CTestMarkupPanel> panel(NewTestPanel());
    CKvoMarkupObject* child = NewTestElement();
    panel->AddChild(child);
    panel->SetValue(SizeProperty, new CTestTrackedInt(77));
    ASSERT_EQ(CTestTrackedInt::s_alive, 1);

    panel->SetValue(SizeProperty, new CKvoMarkupInt(5));
    EXPECT_EQ(LastSizeCallback().oldValue, 77);
    EXPECT_EQ(LastSizeCallback().trackedAlive, 1) << "the old value was freed before the callback";
    EXPECT_EQ(MarkupIntOf(CTestMarkupElement::ChangeLog().back().newValue), 5);
    EXPECT_EQ(CTestTrackedInt::s_alive, 0) << "released after the notifications";
}

TEST_F(KvoMarkupDependencyPropertyTest, StoredValuesBelongToTheOwner)
{
    CKvoMarkupPtr<CKvoMarkupObject> element(NewTestElement());
    CKvoMarkupInt* first = new CKvoMarkupInt(1);
    element->SetValue(SizeProperty, first);
    EXPECT_EQ(first->GetLogicalParent(), element.Get());
    first->AddRef();
    element->SetValue(SizeProperty, new CKvoMarkupInt(2));
    EXPECT_EQ(first->GetLogicalParent(), nullptr);
    EXPECT_EQ(first->Release(), 0);
}

// Text is converted to the property's value type; the text is released
// whether or not it converts.
TEST_F(KvoMarkupDependencyPropertyTest, PropertyObjectConvertsText)
{
    CKvoMarkupPtr<CKvoMarkupObject> element(NewTestElement());
    CKvoMarkupBuilder builder(nullptr);
    element->SetPropertyObject(&builder, SizeProperty, CKvoMarkupString::CreateString(L"12"));
    EXPECT_EQ(MarkupIntOf(element->GetValue(SizeProperty)), 12);

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
    element->SetPropertyObject(&builder, LabelProperty, label);
    EXPECT_EQ(element->GetValue(LabelProperty), label);
}

TEST_F(KvoMarkupDependencyPropertyTest, StoreCopiesOverWhatItHolds)
{
    CKvoMarkupPtr<CKvoMarkupObject> source(NewTestElement());
    CKvoMarkupPtr<CKvoMarkupObject> target(NewTestElement());
    source->SetValue(SizeProperty, new CKvoMarkupInt(1));
    target->SetValue(SizeProperty, new CTestTrackedInt(2));
    target->SetValue(LabelProperty, CKvoMarkupString::CreateString(L"kept"));
    ASSERT_EQ(CTestTrackedInt::s_alive, 1);

    target->GetProperties()->CopyFrom(*source->GetProperties());
    EXPECT_EQ(CTestTrackedInt::s_alive, 0) << "the overwritten value was released";
    EXPECT_EQ(target->GetValueCore(SizeProperty), source->GetValueCore(SizeProperty));
    EXPECT_NE(target->GetValueCore(LabelProperty), nullptr);
}

TEST_F(KvoMarkupDependencyPropertyTest, StoreSlotsAreFixedWhenItIsMade)
{
    CKvoMarkupProperties store(nullptr);
    EXPECT_EQ(store.GetCount(), CKvoMarkupDependencyProperty::GetPropertyCount());
    store.Set(SizeProperty, new CKvoMarkupInt(3));
    EXPECT_EQ(MarkupIntOf(store.Get(SizeProperty)), 3);
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
    EXPECT_EQ(MarkupIntOf(fresh.Get(late)), 1);
}
