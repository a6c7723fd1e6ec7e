#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>
#include "markup/builder/KvoMarkupObjectProperty.h"
#include "markup/builder/KvoMarkupSystemColorKey.h"
#include "markup/controls/KvoMarkupToggleButton.h"
#include "markup/core/KvoMarkupCollection.h"
#include "markup/core/KvoMarkupContext.h"
#include "markup/core/KvoMarkupDependencyProperty.h"
#include "markup/core/KvoMarkupPtr.h"
#include "markup/core/KvoMarkupType.h"
#include "markup/core/KvoMarkupTypeRegistry.h"
#include "markup/drawing/KvoMarkupBrush.h"
#include "markup/drawing/KvoMarkupLinearGradientBrush.h"
#include "markup/elements/KvoMarkupFrameworkElement.h"
#include "markup/elements/KvoMarkupKeyboardNavigation.h"
#include "markup/layout/KvoMarkupBorder.h"
#include "markup/layout/KvoMarkupCanvas.h"
#include "markup/layout/KvoMarkupPage.h"
#include "markup/layout/KvoMarkupDefinitionBase.h"
#include "markup/layout/KvoMarkupDefinitionCollection.h"
#include "markup/layout/KvoMarkupGrid.h"
#include "markup/layout/KvoMarkupGridLength.h"
#include "markup/layout/KvoMarkupPanel.h"
#include "markup/layout/KvoMarkupStackPanel.h"
#include "markup/layout/KvoMarkupWrapPanel.h"
#include "markup/shapes/KvoMarkupPointCollection.h"
#include "markup/shapes/KvoMarkupShapes.h"
#include "markup/elements/KvoMarkupRoutedEvent.h"
#include "markup/styles/KvoMarkupResourceDictionary.h"
#include "markup/styles/KvoMarkupSetter.h"
#include "markup/styles/KvoMarkupStyle.h"
#include "markup/styles/KvoMarkupTrigger.h"
#include "markup/text/KvoMarkupFrameworkContentElement.h"
#include "markup/text/KvoMarkupHyperlink.h"
#include "markup/text/KvoMarkupInlineCollection.h"
#include "markup/text/KvoMarkupInlineUIContainer.h"
#include "markup/text/KvoMarkupRun.h"
#include "markup/text/KvoMarkupSpan.h"
#include "markup/text/KvoMarkupTextBlock.h"
#include "markup/values/KvoMarkupBool.h"
#include "markup/values/KvoMarkupColor.h"
#include "markup/values/KvoMarkupDouble.h"
#include "markup/values/KvoMarkupEnum.h"
#include "markup/values/KvoMarkupInt.h"
#include "markup/values/KvoMarkupPoint.h"
#include "markup/values/KvoMarkupString.h"
#include "markup/values/KvoMarkupThickness.h"
#include "toolkit/markup/support/MarkupObjectTest.h"
#include "toolkit/markup/support/MarkupTestTypes.h"

using KvoMarkupTypeRegistryTest = MarkupObjectTest;

namespace {
struct RecordRow {
    const wchar_t* tag;
    const wchar_t* className;
    CKvoMarkupType* const* record;
    CKvoMarkupType* const* base;
};

// The library's records in the order they are made.
const RecordRow kRecordTable[] = {
    {nullptr, L"CKvoMarkupBool", &CKvoMarkupBool::s_type, &CKvoMarkupObject::s_type},
    {nullptr, L"CKvoMarkupCollection", &CKvoMarkupCollection::s_type, &CKvoMarkupObject::s_type},
    {L"Color", L"CKvoMarkupColor", &CKvoMarkupColor::s_type, &CKvoMarkupObject::s_type},
    {nullptr, L"CKvoMarkupDependencyProperty", &CKvoMarkupDependencyProperty::s_type, &CKvoMarkupObject::s_type},
    {nullptr, L"CKvoMarkupDouble", &CKvoMarkupDouble::s_type, &CKvoMarkupObject::s_type},
    {nullptr, L"CKvoMarkupEnum", &CKvoMarkupEnum::s_type, &CKvoMarkupObject::s_type},
    {nullptr, L"CKvoMarkupInt", &CKvoMarkupInt::s_type, &CKvoMarkupObject::s_type},
    {nullptr, L"CKvoMarkupObject", &CKvoMarkupObject::s_type, nullptr},
    {nullptr, L"CKvoMarkupString", &CKvoMarkupString::s_type, &CKvoMarkupObject::s_type},
    {nullptr, L"CKvoMarkupThickness", &CKvoMarkupThickness::s_type, &CKvoMarkupObject::s_type},
    {nullptr, L"CKvoMarkupType", &CKvoMarkupType::s_type, &CKvoMarkupObject::s_type},
    {nullptr, L"CKvoMarkupUIElement", &CKvoMarkupUIElement::s_type, &CKvoMarkupVisual::s_type},
    {nullptr, L"CKvoMarkupVisual", &CKvoMarkupVisual::s_type, &CKvoMarkupInputElement::s_type},
    {nullptr, L"CKvoMarkupBrush", &CKvoMarkupBrush::s_type, &CKvoMarkupObject::s_type},
    {L"GradientStop", L"CKvoMarkupGradientStop", &CKvoMarkupGradientStop::s_type, &CKvoMarkupObject::s_type},
    {L"LinearGradientBrush", L"CKvoMarkupLinearGradientBrush", &CKvoMarkupLinearGradientBrush::s_type,
     &CKvoMarkupBrush::s_type},
    {nullptr, L"CKvoMarkupPoint", &CKvoMarkupPoint::s_type, &CKvoMarkupObject::s_type},
    {L"SolidColorBrush", L"CKvoMarkupSolidColorBrush", &CKvoMarkupSolidColorBrush::s_type, &CKvoMarkupBrush::s_type},
    {nullptr, L"CKvoMarkupInputElement", &CKvoMarkupInputElement::s_type, &CKvoMarkupObject::s_type},
    {L"FrameworkElement", L"CKvoMarkupFrameworkElement", &CKvoMarkupFrameworkElement::s_type,
     &CKvoMarkupUIElement::s_type},
    {L"Bold", L"CKvoMarkupBold", &CKvoMarkupBold::s_type, &CKvoMarkupSpan::s_type},
    {L"FrameworkContentElement", L"CKvoMarkupFrameworkContentElement", &CKvoMarkupFrameworkContentElement::s_type,
     &CKvoMarkupInputElement::s_type},
    {L"Hyperlink", L"CKvoMarkupHyperlink", &CKvoMarkupHyperlink::s_type, &CKvoMarkupSpan::s_type},
    {nullptr, L"CKvoMarkupInline", &CKvoMarkupInline::s_type, &CKvoMarkupTextElement::s_type},
    {nullptr, L"CKvoMarkupInlineCollection", &CKvoMarkupInlineCollection::s_type, &CKvoMarkupCollection::s_type},
    {L"InlineUIContainer", L"CKvoMarkupInlineUIContainer", &CKvoMarkupInlineUIContainer::s_type,
     &CKvoMarkupInline::s_type},
    {L"Italic", L"CKvoMarkupItalic", &CKvoMarkupItalic::s_type, &CKvoMarkupSpan::s_type},
    {L"LineBreak", L"CKvoMarkupLineBreak", &CKvoMarkupLineBreak::s_type, &CKvoMarkupRun::s_type},
    {L"Run", L"CKvoMarkupRun", &CKvoMarkupRun::s_type, &CKvoMarkupInline::s_type},
    {L"Span", L"CKvoMarkupSpan", &CKvoMarkupSpan::s_type, &CKvoMarkupInline::s_type},
    {L"TextElement", L"CKvoMarkupTextElement", &CKvoMarkupTextElement::s_type,
     &CKvoMarkupFrameworkContentElement::s_type},
    {L"Underline", L"CKvoMarkupUnderline", &CKvoMarkupUnderline::s_type, &CKvoMarkupSpan::s_type},
    {L"Border", L"CKvoMarkupBorder", &CKvoMarkupBorder::s_type, &CKvoMarkupFrameworkElement::s_type},
    {L"Panel", L"CKvoMarkupPanel", &CKvoMarkupPanel::s_type, &CKvoMarkupFrameworkElement::s_type},
    {L"StackPanel", L"CKvoMarkupStackPanel", &CKvoMarkupStackPanel::s_type, &CKvoMarkupPanel::s_type},
    {L"WrapPanel", L"CKvoMarkupWrapPanel", &CKvoMarkupWrapPanel::s_type, &CKvoMarkupPanel::s_type},
    {L"ColumnDefinition", L"CKvoMarkupColumnDefinition", &CKvoMarkupColumnDefinition::s_type, &CKvoMarkupObject::s_type},
    {nullptr, L"CKvoMarkupColumnDefinitionCollection", &CKvoMarkupColumnDefinitionCollection::s_type,
     &CKvoMarkupDefinitionCollection::s_type},
    {nullptr, L"CKvoMarkupDefinitionCollection", &CKvoMarkupDefinitionCollection::s_type, &CKvoMarkupCollection::s_type},
    {L"Grid", L"CKvoMarkupGrid", &CKvoMarkupGrid::s_type, &CKvoMarkupPanel::s_type},
    {nullptr, L"CKvoMarkupGridLength", &CKvoMarkupGridLength::s_type, &CKvoMarkupObject::s_type},
    {L"RowDefinition", L"CKvoMarkupRowDefinition", &CKvoMarkupRowDefinition::s_type, &CKvoMarkupObject::s_type},
    {nullptr, L"CKvoMarkupRowDefinitionCollection", &CKvoMarkupRowDefinitionCollection::s_type,
     &CKvoMarkupDefinitionCollection::s_type},
    {L"Canvas", L"CKvoMarkupCanvas", &CKvoMarkupCanvas::s_type, &CKvoMarkupPanel::s_type},
    {L"Page", L"CKvoMarkupPage", &CKvoMarkupPage::s_type, &CKvoMarkupFrameworkElement::s_type},
    {L"Ellipse", L"CKvoMarkupEllipse", &CKvoMarkupEllipse::s_type, &CKvoMarkupShape::s_type},
    {L"Line", L"CKvoMarkupLine", &CKvoMarkupLine::s_type, &CKvoMarkupShape::s_type},
    {nullptr, L"CKvoMarkupPointCollection", &CKvoMarkupPointCollection::s_type, &CKvoMarkupObject::s_type},
    {L"Polygon", L"CKvoMarkupPolygon", &CKvoMarkupPolygon::s_type, &CKvoMarkupShape::s_type},
    {L"Polyline", L"CKvoMarkupPolyline", &CKvoMarkupPolyline::s_type, &CKvoMarkupShape::s_type},
    {L"Rectangle", L"CKvoMarkupRectangle", &CKvoMarkupRectangle::s_type, &CKvoMarkupShape::s_type},
    {nullptr, L"CKvoMarkupShape", &CKvoMarkupShape::s_type, &CKvoMarkupFrameworkElement::s_type},
    {L"TextBlock", L"CKvoMarkupTextBlock", &CKvoMarkupTextBlock::s_type, &CKvoMarkupFrameworkElement::s_type},
    {nullptr, L"CKvoMarkupContentControl", &CKvoMarkupContentControl::s_type, &CKvoMarkupControl::s_type},
    {L"Control", L"CKvoMarkupControl", &CKvoMarkupControl::s_type, &CKvoMarkupFrameworkElement::s_type},
    {L"Button", L"CKvoMarkupButton", &CKvoMarkupButton::s_type, &CKvoMarkupButtonBase::s_type},
    {nullptr, L"CKvoMarkupButtonBase", &CKvoMarkupButtonBase::s_type, &CKvoMarkupContentControl::s_type},
    {L"CheckBox", L"CKvoMarkupCheckBox", &CKvoMarkupCheckBox::s_type, &CKvoMarkupToggleButton::s_type},
    {L"RadioButton", L"CKvoMarkupRadioButton", &CKvoMarkupRadioButton::s_type, &CKvoMarkupToggleButton::s_type},
    {nullptr, L"CKvoMarkupToggleButton", &CKvoMarkupToggleButton::s_type, &CKvoMarkupButtonBase::s_type},
    {nullptr, L"CKvoMarkupResourceDictionary", &CKvoMarkupResourceDictionary::s_type, &CKvoMarkupObject::s_type},
    {L"Setter", L"CKvoMarkupSetter", &CKvoMarkupSetter::s_type, &CKvoMarkupObject::s_type},
    {nullptr, L"CKvoMarkupSetterColection", &CKvoMarkupSetterColection::s_type, &CKvoMarkupCollection::s_type},
    {L"Style", L"CKvoMarkupStyle", &CKvoMarkupStyle::s_type, &CKvoMarkupObject::s_type},
    {L"Trigger", L"CKvoMarkupTrigger", &CKvoMarkupTrigger::s_type, &CKvoMarkupObject::s_type},
    {nullptr, L"CKvoMarkupTriggerCollection", &CKvoMarkupTriggerCollection::s_type, &CKvoMarkupCollection::s_type},
    {nullptr, L"CKvoMarkupBrushKey", &CKvoMarkupBrushKey::s_type, &CKvoMarkupObject::s_type},
    {nullptr, L"CKvoMarkupColorKey", &CKvoMarkupColorKey::s_type, &CKvoMarkupObject::s_type},
    {nullptr, L"CKvoMarkupObjectProperty", &CKvoMarkupObjectProperty::s_type, &CKvoMarkupObject::s_type},
    {L"KeyboardNavigation", L"CKvoMarkupKeyboardNavigation", &CKvoMarkupKeyboardNavigation::s_type,
     &CKvoMarkupObject::s_type},
};

bool IsTestRecord(const CKvoMarkupType* type)
{
    return std::wstring(type->GetMarkupClassName()).rfind(L"CTest", 0) == 0;
}

std::vector<std::wstring>& RegistrationLog()
{
    static std::vector<std::wstring> log;
    return log;
}

CKvoMarkupType* g_orderBase = nullptr;
CKvoMarkupType* g_orderDerived = nullptr;

CKvoMarkupType* OrderBaseType()
{
    return g_orderBase;
}
}

TEST_F(KvoMarkupTypeRegistryTest, ListHoldsTheRecordTableInOrder)
{
    // The list runs from the last record made to the first; the tests'
    // own records were made after the library's, so they come first.
    std::vector<const CKvoMarkupType*> libraryRecords;
    for (const CKvoMarkupType* type = CKvoMarkupTypeRegistry::Instance().GetFirstType(); type;
         type = type->GetNextType()) {
        if (!IsTestRecord(type))
            libraryRecords.insert(libraryRecords.begin(), type);
        else
            EXPECT_TRUE(libraryRecords.empty()) << "a test record after the library's";
    }
    ASSERT_EQ(libraryRecords.size(), std::size(kRecordTable));
    for (size_t row = 0; row < std::size(kRecordTable); ++row) {
        const RecordRow& expected = kRecordTable[row];
        const CKvoMarkupType* record = libraryRecords[row];
        SCOPED_TRACE(expected.className);
        EXPECT_EQ(record, *expected.record);
        EXPECT_STREQ(record->GetMarkupClassName(), expected.className);
        EXPECT_STREQ(record->GetTag(), expected.tag);
        EXPECT_EQ(record->GetBaseType(), expected.base ? *expected.base : nullptr);
        EXPECT_TRUE(record->IsRegistered());
        EXPECT_TRUE(record->IsDerivedFrom(record));
        EXPECT_TRUE(record->IsDerivedFrom(CKvoMarkupObject::s_type));

        CKvoMarkupPtr<CKvoMarkupObject> object(record->CreateObject());
        ASSERT_TRUE(object);
        EXPECT_EQ(object->GetType(), record);
    }
}

TEST_F(KvoMarkupTypeRegistryTest, TagsAreFoundExactlyAsWritten)
{
    CKvoMarkupTypeRegistry& registry = CKvoMarkupTypeRegistry::Instance();
    EXPECT_EQ(registry.FindType(L"Color"), CKvoMarkupColor::s_type);
    EXPECT_EQ(registry.FindType(L"TestPanel"), CTestMarkupPanel::s_type);
    for (const wchar_t* tag : {L"color", L"COLOR", L"Colour", L"Color ", L"", L"CKvoMarkupColor", L"TestPanel\n"})
        EXPECT_EQ(registry.FindType(tag), nullptr) << tag;
    EXPECT_EQ(registry.FindType(nullptr), nullptr);
}

// Records without a tag are in the list and registered like any other.
TEST_F(KvoMarkupTypeRegistryTest, UntaggedRecordsAreListedNotMapped)
{
    bool boolListed = false;
    for (const CKvoMarkupType* type = CKvoMarkupTypeRegistry::Instance().GetFirstType(); type;
         type = type->GetNextType())
        boolListed = boolListed || type == CKvoMarkupBool::s_type;
    EXPECT_TRUE(boolListed);
    EXPECT_TRUE(CKvoMarkupBool::s_type->IsRegistered());
    EXPECT_EQ(CKvoMarkupTypeRegistry::Instance().FindType(L"Bool"), nullptr);

    // An empty tag is no tag.
    CKvoMarkupType* emptyTag =
        CKvoMarkupType::Create(L"", L"CTestEmptyTag", nullptr, nullptr, nullptr);
    ASSERT_NE(emptyTag, nullptr);
    KeepForProcess(1);
    EXPECT_EQ(CKvoMarkupTypeRegistry::Instance().GetFirstType(), emptyTag);
    EXPECT_EQ(CKvoMarkupTypeRegistry::Instance().FindType(L""), nullptr);
    CKvoMarkupType::EnsureRegistered(emptyTag);
    EXPECT_TRUE(emptyTag->IsRegistered());
    EXPECT_EQ(emptyTag->CreateObject(), nullptr);
}

TEST_F(KvoMarkupTypeRegistryTest, BaseRegistersFirstAndOnlyOnce)
{
    // Fresh records each run: a record stays registered for the process.
    RegistrationLog().clear();
    g_orderBase = CKvoMarkupType::Create(nullptr, L"CTestOrderBase", nullptr, nullptr,
                                         [] { RegistrationLog().push_back(L"base"); });
    g_orderDerived = CKvoMarkupType::Create(nullptr, L"CTestOrderDerived", nullptr, OrderBaseType,
                                            [] { RegistrationLog().push_back(L"derived"); });
    ASSERT_TRUE(g_orderBase && g_orderDerived);
    KeepForProcess(2);
    ASSERT_FALSE(g_orderBase->IsRegistered());
    g_orderDerived->RegisterType();
    g_orderDerived->RegisterType();
    g_orderBase->RegisterType();
    CKvoMarkupType::EnsureRegistered(nullptr);
    EXPECT_EQ(RegistrationLog(), (std::vector<std::wstring>{L"base", L"derived"}));
    EXPECT_TRUE(g_orderBase->IsRegistered());
}

TEST_F(KvoMarkupTypeRegistryTest, AllTypesRegisterOnce)
{
    int count = CKvoMarkupDependencyProperty::GetPropertyCount();
    CKvoMarkupContext::RegisterMarkupTypes();
    EXPECT_EQ(CKvoMarkupDependencyProperty::GetPropertyCount(), count);

    // The root class's properties, reached from any type.
    ASSERT_NE(CKvoMarkupObject::s_nameProperty, nullptr);
    ASSERT_NE(CKvoMarkupObject::s_keyProperty, nullptr);
    EXPECT_STREQ(CKvoMarkupObject::s_nameProperty->GetName(), L"x:Name");
    EXPECT_EQ(CKvoMarkupObject::s_nameProperty->GetValueType(), CKvoMarkupString::s_type);
    EXPECT_EQ(CKvoMarkupObject::s_keyProperty->GetValueType(), CKvoMarkupObject::s_type);
    EXPECT_EQ(CKvoMarkupDependencyProperty::FindProperty(L"x:Name", CKvoMarkupColor::s_type),
              CKvoMarkupObject::s_nameProperty);
    EXPECT_EQ(CKvoMarkupDependencyProperty::FindProperty(L"x:Key", CTestMarkupPanel::s_type),
              CKvoMarkupObject::s_keyProperty);
    // The first two slots of the process, in registration order.
    EXPECT_EQ(CKvoMarkupObject::s_nameProperty->GetIndex(), 0);
    EXPECT_EQ(CKvoMarkupObject::s_keyProperty->GetIndex(), 1);
}

TEST_F(KvoMarkupTypeRegistryTest, TypeConvertsFromItsTag)
{
    CKvoMarkupType scratch;
    CKvoMarkupPtr<CKvoMarkupString> tag(CKvoMarkupString::CreateString(L"Color"));
    CKvoMarkupObject* converted = scratch.ConvertFrom(tag.Get());
    EXPECT_EQ(converted, CKvoMarkupColor::s_type);
    if (converted)
        converted->Release();

    CKvoMarkupPtr<CKvoMarkupString> unknown(CKvoMarkupString::CreateString(L"color"));
    EXPECT_EQ(scratch.ConvertFrom(unknown.Get()), nullptr);
    CKvoMarkupInt number(1);
    EXPECT_EQ(scratch.ConvertFrom(&number), nullptr);
    EXPECT_EQ(scratch.ConvertFrom(nullptr), nullptr);
}

// Classes without a record of their own report their base's.
TEST_F(KvoMarkupTypeRegistryTest, HelperClassesReportTheirBaseRecord)
{
    CKvoMarkupPtr<CKvoMarkupObject> stops(new CKvoMarkupGradientStops);
    EXPECT_EQ(stops->GetType(), CKvoMarkupCollection::s_type);
    CKvoMarkupPtr<CKvoMarkupObject> active(new CKvoMarkupActiveTriggerCollection);
    EXPECT_EQ(active->GetType(), CKvoMarkupTriggerCollection::s_type);
    EXPECT_EQ(CKvoMarkupInputElement::s_mouseEnterEvent->GetType(), CKvoMarkupDependencyProperty::s_type);

    // A framework element is every one of its bases.
    CKvoMarkupPtr<CKvoMarkupObject> element(CKvoMarkupFrameworkElement::s_type->CreateObject());
    for (CKvoMarkupType* base : {CKvoMarkupUIElement::s_type, CKvoMarkupVisual::s_type,
                                 CKvoMarkupInputElement::s_type, CKvoMarkupObject::s_type})
        EXPECT_TRUE(element->IsKindOf(base)) << CKvoMarkupType::ClassNameOf(base);
    EXPECT_FALSE(element->IsKindOf(CKvoMarkupBrush::s_type));
}
