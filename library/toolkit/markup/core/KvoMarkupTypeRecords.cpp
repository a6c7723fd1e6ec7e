// The type records of every markup class, made when the library loads, in
// this order (which is the registry's list order, backwards). They are all
// made here, in one initialiser of one file: statics of equal start-up
// priority are ordered only within a file.
#include <new>
#include "foundation/base/KvoToolkitStatics.h"
#include "markup/builder/KvoMarkupObjectProperty.h"
#include "markup/builder/KvoMarkupSystemColorKey.h"
#include "markup/controls/KvoMarkupButtonBase.h"
#include "markup/controls/KvoMarkupControl.h"
#include "markup/controls/KvoMarkupToggleButton.h"
#include "markup/core/KvoMarkupCollection.h"
#include "markup/core/KvoMarkupDependencyProperty.h"
#include "markup/core/KvoMarkupType.h"
#include "markup/drawing/KvoMarkupBrush.h"
#include "markup/drawing/KvoMarkupLinearGradientBrush.h"
#include "markup/elements/KvoMarkupFrameworkElement.h"
#include "markup/elements/KvoMarkupInputElement.h"
#include "markup/elements/KvoMarkupKeyboardNavigation.h"
#include "markup/elements/KvoMarkupUIElement.h"
#include "markup/elements/KvoMarkupVisual.h"
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
#include "markup/styles/KvoMarkupResourceDictionary.h"
#include "markup/styles/KvoMarkupSetter.h"
#include "markup/styles/KvoMarkupStyle.h"
#include "markup/styles/KvoMarkupTrigger.h"
#include "markup/text/KvoMarkupFrameworkContentElement.h"
#include "markup/text/KvoMarkupHyperlink.h"
#include "markup/text/KvoMarkupInline.h"
#include "markup/text/KvoMarkupInlineCollection.h"
#include "markup/text/KvoMarkupInlineUIContainer.h"
#include "markup/text/KvoMarkupRun.h"
#include "markup/text/KvoMarkupSpan.h"
#include "markup/text/KvoMarkupTextBlock.h"
#include "markup/text/KvoMarkupTextElement.h"
#include "markup/values/KvoMarkupBool.h"
#include "markup/values/KvoMarkupColor.h"
#include "markup/values/KvoMarkupDouble.h"
#include "markup/values/KvoMarkupEnum.h"
#include "markup/values/KvoMarkupInt.h"
#include "markup/values/KvoMarkupPoint.h"
#include "markup/values/KvoMarkupString.h"
#include "markup/values/KvoMarkupThickness.h"

namespace {
template <class T>
CKvoMarkupObject* CreateMarkupObject()
{
    return new (std::nothrow) T;
}

// Read when asked, not when the record is made: a base may be made after
// the classes derived from it.
template <class T>
CKvoMarkupType* MarkupTypeOf()
{
    return T::s_type;
}

void RegisterNoProperties()
{
}

// Makes T's record with Base as its base class.
template <class T, class Base>
void MakeRecord(LPCWSTR tag, LPCWSTR className, KvoMarkupRegisterFunction registerProperties = RegisterNoProperties)
{
    T::s_type = CKvoMarkupType::Create(tag, className, CreateMarkupObject<T>, MarkupTypeOf<Base>, registerProperties);
}

struct MarkupTypeRecords {
    MarkupTypeRecords()
    {
        MakeRecord<CKvoMarkupBool, CKvoMarkupObject>(nullptr, L"CKvoMarkupBool");
        MakeRecord<CKvoMarkupCollection, CKvoMarkupObject>(nullptr, L"CKvoMarkupCollection");
        MakeRecord<CKvoMarkupColor, CKvoMarkupObject>(L"Color", L"CKvoMarkupColor");
        MakeRecord<CKvoMarkupDependencyProperty, CKvoMarkupObject>(nullptr, L"CKvoMarkupDependencyProperty");
        MakeRecord<CKvoMarkupDouble, CKvoMarkupObject>(nullptr, L"CKvoMarkupDouble");
        MakeRecord<CKvoMarkupEnum, CKvoMarkupObject>(nullptr, L"CKvoMarkupEnum");
        MakeRecord<CKvoMarkupInt, CKvoMarkupObject>(nullptr, L"CKvoMarkupInt");
        // The root class: no base.
        CKvoMarkupObject::s_type = CKvoMarkupType::Create(nullptr, L"CKvoMarkupObject",
                                                          CreateMarkupObject<CKvoMarkupObject>, nullptr,
                                                          CKvoMarkupObject::RegisterMarkupProperties);
        MakeRecord<CKvoMarkupString, CKvoMarkupObject>(nullptr, L"CKvoMarkupString");
        MakeRecord<CKvoMarkupThickness, CKvoMarkupObject>(nullptr, L"CKvoMarkupThickness");
        MakeRecord<CKvoMarkupType, CKvoMarkupObject>(nullptr, L"CKvoMarkupType");
        MakeRecord<CKvoMarkupUIElement, CKvoMarkupVisual>(nullptr, L"CKvoMarkupUIElement",
                                                          CKvoMarkupUIElement::RegisterMarkupProperties);
        MakeRecord<CKvoMarkupVisual, CKvoMarkupInputElement>(nullptr, L"CKvoMarkupVisual");
        MakeRecord<CKvoMarkupBrush, CKvoMarkupObject>(nullptr, L"CKvoMarkupBrush");
        MakeRecord<CKvoMarkupGradientStop, CKvoMarkupObject>(L"GradientStop", L"CKvoMarkupGradientStop",
                                                             CKvoMarkupGradientStop::RegisterMarkupProperties);
        MakeRecord<CKvoMarkupLinearGradientBrush, CKvoMarkupBrush>(
            L"LinearGradientBrush", L"CKvoMarkupLinearGradientBrush",
            CKvoMarkupLinearGradientBrush::RegisterMarkupProperties);
        MakeRecord<CKvoMarkupPoint, CKvoMarkupObject>(nullptr, L"CKvoMarkupPoint");
        MakeRecord<CKvoMarkupSolidColorBrush, CKvoMarkupBrush>(L"SolidColorBrush", L"CKvoMarkupSolidColorBrush",
                                                               CKvoMarkupSolidColorBrush::RegisterMarkupProperties);
        MakeRecord<CKvoMarkupInputElement, CKvoMarkupObject>(nullptr, L"CKvoMarkupInputElement",
                                                             CKvoMarkupInputElement::RegisterMarkupProperties);
        MakeRecord<CKvoMarkupFrameworkElement, CKvoMarkupUIElement>(
            L"FrameworkElement", L"CKvoMarkupFrameworkElement", CKvoMarkupFrameworkElement::RegisterMarkupProperties);
        MakeRecord<CKvoMarkupBold, CKvoMarkupSpan>(L"Bold", L"CKvoMarkupBold");
        MakeRecord<CKvoMarkupFrameworkContentElement, CKvoMarkupInputElement>(
            L"FrameworkContentElement", L"CKvoMarkupFrameworkContentElement",
            CKvoMarkupFrameworkContentElement::RegisterMarkupProperties);
        MakeRecord<CKvoMarkupHyperlink, CKvoMarkupSpan>(L"Hyperlink", L"CKvoMarkupHyperlink",
                                                        CKvoMarkupHyperlink::RegisterMarkupProperties);
        MakeRecord<CKvoMarkupInline, CKvoMarkupTextElement>(nullptr, L"CKvoMarkupInline",
                                                            CKvoMarkupInline::RegisterMarkupProperties);
        MakeRecord<CKvoMarkupInlineCollection, CKvoMarkupCollection>(nullptr, L"CKvoMarkupInlineCollection");
        MakeRecord<CKvoMarkupInlineUIContainer, CKvoMarkupInline>(L"InlineUIContainer", L"CKvoMarkupInlineUIContainer");
        MakeRecord<CKvoMarkupItalic, CKvoMarkupSpan>(L"Italic", L"CKvoMarkupItalic");
        MakeRecord<CKvoMarkupLineBreak, CKvoMarkupRun>(L"LineBreak", L"CKvoMarkupLineBreak");
        MakeRecord<CKvoMarkupRun, CKvoMarkupInline>(L"Run", L"CKvoMarkupRun", CKvoMarkupRun::RegisterMarkupProperties);
        MakeRecord<CKvoMarkupSpan, CKvoMarkupInline>(L"Span", L"CKvoMarkupSpan");
        MakeRecord<CKvoMarkupTextElement, CKvoMarkupFrameworkContentElement>(
            L"TextElement", L"CKvoMarkupTextElement", CKvoMarkupTextElement::RegisterMarkupProperties);
        MakeRecord<CKvoMarkupUnderline, CKvoMarkupSpan>(L"Underline", L"CKvoMarkupUnderline");
        MakeRecord<CKvoMarkupBorder, CKvoMarkupFrameworkElement>(L"Border", L"CKvoMarkupBorder",
                                                                 CKvoMarkupBorder::RegisterMarkupProperties);
        MakeRecord<CKvoMarkupPanel, CKvoMarkupFrameworkElement>(L"Panel", L"CKvoMarkupPanel",
                                                                CKvoMarkupPanel::RegisterMarkupProperties);
        MakeRecord<CKvoMarkupStackPanel, CKvoMarkupPanel>(L"StackPanel", L"CKvoMarkupStackPanel",
                                                          CKvoMarkupStackPanel::RegisterMarkupProperties);
        MakeRecord<CKvoMarkupWrapPanel, CKvoMarkupPanel>(L"WrapPanel", L"CKvoMarkupWrapPanel",
                                                         CKvoMarkupWrapPanel::RegisterMarkupProperties);
        MakeRecord<CKvoMarkupColumnDefinition, CKvoMarkupObject>(L"ColumnDefinition", L"CKvoMarkupColumnDefinition",
                                                                 CKvoMarkupColumnDefinition::RegisterMarkupProperties);
        MakeRecord<CKvoMarkupColumnDefinitionCollection, CKvoMarkupDefinitionCollection>(
            nullptr, L"CKvoMarkupColumnDefinitionCollection");
        MakeRecord<CKvoMarkupDefinitionCollection, CKvoMarkupCollection>(nullptr, L"CKvoMarkupDefinitionCollection");
        MakeRecord<CKvoMarkupGrid, CKvoMarkupPanel>(L"Grid", L"CKvoMarkupGrid", CKvoMarkupGrid::RegisterMarkupProperties);
        MakeRecord<CKvoMarkupGridLength, CKvoMarkupObject>(nullptr, L"CKvoMarkupGridLength");
        MakeRecord<CKvoMarkupRowDefinition, CKvoMarkupObject>(L"RowDefinition", L"CKvoMarkupRowDefinition",
                                                              CKvoMarkupRowDefinition::RegisterMarkupProperties);
        MakeRecord<CKvoMarkupRowDefinitionCollection, CKvoMarkupDefinitionCollection>(
            nullptr, L"CKvoMarkupRowDefinitionCollection");
        MakeRecord<CKvoMarkupCanvas, CKvoMarkupPanel>(L"Canvas", L"CKvoMarkupCanvas",
                                                      CKvoMarkupCanvas::RegisterMarkupProperties);
        MakeRecord<CKvoMarkupPage, CKvoMarkupFrameworkElement>(L"Page", L"CKvoMarkupPage");
        MakeRecord<CKvoMarkupEllipse, CKvoMarkupShape>(L"Ellipse", L"CKvoMarkupEllipse");
        MakeRecord<CKvoMarkupLine, CKvoMarkupShape>(L"Line", L"CKvoMarkupLine", CKvoMarkupLine::RegisterMarkupProperties);
        MakeRecord<CKvoMarkupPointCollection, CKvoMarkupObject>(nullptr, L"CKvoMarkupPointCollection");
        MakeRecord<CKvoMarkupPolygon, CKvoMarkupShape>(L"Polygon", L"CKvoMarkupPolygon",
                                                       CKvoMarkupPolygon::RegisterMarkupProperties);
        MakeRecord<CKvoMarkupPolyline, CKvoMarkupShape>(L"Polyline", L"CKvoMarkupPolyline",
                                                        CKvoMarkupPolyline::RegisterMarkupProperties);
        MakeRecord<CKvoMarkupRectangle, CKvoMarkupShape>(L"Rectangle", L"CKvoMarkupRectangle");
        MakeRecord<CKvoMarkupShape, CKvoMarkupFrameworkElement>(nullptr, L"CKvoMarkupShape",
                                                                CKvoMarkupShape::RegisterMarkupProperties);
        MakeRecord<CKvoMarkupTextBlock, CKvoMarkupFrameworkElement>(L"TextBlock", L"CKvoMarkupTextBlock",
                                                                    CKvoMarkupTextBlock::RegisterMarkupProperties);
        MakeRecord<CKvoMarkupContentControl, CKvoMarkupControl>(nullptr, L"CKvoMarkupContentControl",
                                                                CKvoMarkupContentControl::RegisterMarkupProperties);
        MakeRecord<CKvoMarkupControl, CKvoMarkupFrameworkElement>(L"Control", L"CKvoMarkupControl",
                                                                  CKvoMarkupControl::RegisterMarkupProperties);
        MakeRecord<CKvoMarkupButton, CKvoMarkupButtonBase>(L"Button", L"CKvoMarkupButton");
        MakeRecord<CKvoMarkupButtonBase, CKvoMarkupContentControl>(nullptr, L"CKvoMarkupButtonBase",
                                                                   CKvoMarkupButtonBase::RegisterMarkupProperties);
        MakeRecord<CKvoMarkupCheckBox, CKvoMarkupToggleButton>(L"CheckBox", L"CKvoMarkupCheckBox");
        MakeRecord<CKvoMarkupRadioButton, CKvoMarkupToggleButton>(L"RadioButton", L"CKvoMarkupRadioButton");
        MakeRecord<CKvoMarkupToggleButton, CKvoMarkupButtonBase>(nullptr, L"CKvoMarkupToggleButton",
                                                                 CKvoMarkupToggleButton::RegisterMarkupProperties);
        MakeRecord<CKvoMarkupResourceDictionary, CKvoMarkupObject>(nullptr, L"CKvoMarkupResourceDictionary");
        MakeRecord<CKvoMarkupSetter, CKvoMarkupObject>(L"Setter", L"CKvoMarkupSetter",
                                                       CKvoMarkupSetter::RegisterMarkupProperties);
        MakeRecord<CKvoMarkupSetterColection, CKvoMarkupCollection>(nullptr, L"CKvoMarkupSetterColection");
        MakeRecord<CKvoMarkupStyle, CKvoMarkupObject>(L"Style", L"CKvoMarkupStyle",
                                                      CKvoMarkupStyle::RegisterMarkupProperties);
        MakeRecord<CKvoMarkupTrigger, CKvoMarkupObject>(L"Trigger", L"CKvoMarkupTrigger",
                                                        CKvoMarkupTrigger::RegisterMarkupProperties);
        MakeRecord<CKvoMarkupTriggerCollection, CKvoMarkupCollection>(nullptr, L"CKvoMarkupTriggerCollection");
        MakeRecord<CKvoMarkupBrushKey, CKvoMarkupObject>(nullptr, L"CKvoMarkupBrushKey");
        MakeRecord<CKvoMarkupColorKey, CKvoMarkupObject>(nullptr, L"CKvoMarkupColorKey");
        MakeRecord<CKvoMarkupObjectProperty, CKvoMarkupObject>(nullptr, L"CKvoMarkupObjectProperty");
        MakeRecord<CKvoMarkupKeyboardNavigation, CKvoMarkupObject>(
            L"KeyboardNavigation", L"CKvoMarkupKeyboardNavigation", CKvoMarkupKeyboardNavigation::RegisterMarkupProperties);
    }
} markupTypeRecords __attribute__((init_priority(KVO_STARTUP_MARKUP_RECORDS)));
}
